// Table selection: what a touched or typed table needs. A table tied to an open
// individual tab, a delivery order or a payment by positions on the mobile point of sale
// is refused; a free table is opened, an occupied one continued after the waiter's
// password, and one whose bill was requested goes to the receipt flow.
#include "external/common.h"
#include "platform/errors.h"
#include "platform/service_result.h"
#include "screen/ger_mesa.h"
#include "service/map_reads.h"
#include "service/sale_cleanup.h"
#include "service/state_updates.h"

namespace tmk {

namespace {

// "1930" -> "19:30", as the reservation question shows a time.
QString hora(const QString& hhmm) {
    const QString t = hhmm.trimmed();
    return t.left(2) + QLatin1Char(':') + t.mid(2, 2);
}

QString texto(ClientDataSet& cds, const char* coluna) {
    if (!cds.active() || cds.isEmpty()) {
        return {};
    }
    return cds.fieldByName(QString::fromLatin1(coluna)).asString().trimmed();
}

} // namespace

void TfrmGerMesa::tcb01Click(const QString& buttonName) {
    if (st.ErroImpressora) {
        mensagem(msg(QStringLiteral("ERRO_IMPRESSORA")), MsgErro);
        return;
    }
    Verifica_Gaveta();
    if (!ValidaAberCaixa()) {
        return;
    }
    bool ok = false;
    const int n = buttonName.right(2).toInt(&ok);
    if (!ok || n < 1 || n > ScreenModel::TableButtons ||
        model.tcb[size_t(n - 1)].caption.isEmpty()) {
        return; // no table on this position
    }
    const QString botao = buttonName.right(2);
    if (!cdsConfigMesa.active() || !cdsConfigMesa.locate(QStringLiteral("NRBUTTON"), botao)) {
        mensagem(QStringLiteral("Nenhuma mesa configurada nesta posição do mapa. Atualize o "
                                "mapa e toque de novo."),
                 MsgAviso);
        return;
    }
    const QString nrMesa = cdsConfigMesa.fieldByName(QStringLiteral("CDIDENTBUTON")).asString();
    const int fechamentos = vezesFechada();
    ControleMesa(nrMesa);
    if (vezesFechada() != fechamentos) {
        return; // the screen closed: the next initialisation draws the map
    }
    DisparaAtualizacao();
    PreencheRodape();
}

QString TfrmGerMesa::listaComandas() {
    QString lista;
    if (cdsBuscaComandas.active()) {
        for (cdsBuscaComandas.first(); !cdsBuscaComandas.eof(); cdsBuscaComandas.next()) {
            lista += QLatin1Char('_') +
                     cdsBuscaComandas.fieldByName(QStringLiteral("NRCOMANDA")).asString().trimmed();
        }
        cdsBuscaComandas.first();
    }
    return lista.isEmpty() ? QString() : lista + QLatin1Char('_');
}

void TfrmGerMesa::ControleMesa(const QString& nrMesa) {
    VerificaFechamentoDia();
    const QStringList chave{st.CdFilial, st.CdLoja, nrMesa};

    carrega(cdsBuscaMesaCmd, getBuscaMesaCmd(dm(), st.CdFilial, st.CdLoja, nrMesa),
            QStringLiteral("getBuscaMesaCmd"), chave);
    if (!cdsBuscaMesaCmd.isEmpty()) {
        cdsBuscaMesaCmd.first();
        mensagem(msg(QStringLiteral("MESA_CMD_ERRO"), {texto(cdsBuscaMesaCmd, "DSCOMANDA")}),
                 MsgInformacao);
        return;
    }
    carrega(cdsBuscaMesaDlv, getBuscaMesaDlv(dm(), st.CdFilial, st.CdLoja, nrMesa),
            QStringLiteral("getBuscaMesaDlv"), chave);
    if (!cdsBuscaMesaDlv.isEmpty()) {
        cdsBuscaMesaDlv.first();
        mensagem(msg(QStringLiteral("MESA_DLV_EATTK"), {texto(cdsBuscaMesaDlv, "DSCOMANDA")}),
                 MsgInformacao);
        return;
    }
    // A payment by positions started on the mobile point of sale on any tab of the table.
    carrega(cdsBuscaComandas, getBuscaComandas(dm(), st.CdFilial, st.CdLoja, nrMesa),
            QStringLiteral("getBuscaComandas"), chave);
    if (!verificaIDSTLUGARMESA(dm(), st.CdFilial, listaComandas(), QStringLiteral("T"))) {
        mensagem(msg(QStringLiteral("MOB_POS_PAG")), MsgInformacao);
        return;
    }
    // The state is read again here, not taken from the map: another till may have
    // changed the table since it was drawn.
    carrega(cdsStatusMesas, getStatusMesa(dm(), st.CdFilial, st.CdLoja, st.NrConfTela),
            QStringLiteral("getStatusMesa"), {st.CdFilial, st.CdLoja, st.NrConfTela});
    if (nrMesa.isEmpty()) {
        return;
    }
    if (!cdsStatusMesas.locate(QStringLiteral("NRMESA"), nrMesa,
                               ClientDataSet::LocateOption::CaseInsensitive)) {
        mensagem(msg(QStringLiteral("Mesa_N_Enc1")), MsgErro);
        return;
    }
    const QString estado = texto(cdsStatusMesas, "IDSTMESAAUX");
    if (estado == QLatin1String("D")) {
        abreMesa(nrMesa);
    } else if (estado.startsWith(QLatin1Char('C')) || estado.startsWith(QLatin1Char('O'))) {
        continuaMesa(nrMesa);
    } else if (estado.startsWith(QLatin1Char('R')) || estado.startsWith(QLatin1Char('S'))) {
        recebeMesa(nrMesa);
    }
}

void TfrmGerMesa::limpaVendaRest(const QString& nrMesa, const QString& status) {
    const QVariant resposta =
        servico(setDeletaVendaRest(dm(), nrMesa, st.CdFilial, st.CdLoja, status),
                QStringLiteral("setDeletaVendaRest"), {nrMesa, st.CdFilial, st.CdLoja, status});
    geraLog(resposta.toInt(), nrMesa);
}

void TfrmGerMesa::abreMesa(const QString& nrMesa) {
    if (VerificaReserva(nrMesa)) {
        // VerificaReserva left cdsReserva on the table's reservation.
        const QString pergunta =
            msg(QStringLiteral("Conf_Reserva"), {nrMesa, hora(texto(cdsReserva, "HRINIRESMESA")),
                                                 hora(texto(cdsReserva, "HRFINRESMESA"))});
        if (!mensagem(pergunta, MsgInformacao, true)) {
            return;
        }
        const QDateTime hoje(clock_.today(), QTime(0, 0));
        suite_.dialogs->CriaListReserva(nrMesa, hoje, hoje);
    }
    const PausaAtualizacao pausa(*this);
    const bool aberta = suite_.dialogs->AberturaMesa(nrMesa, cdsDadosAbertura);
    if (aberta && cdsDadosAbertura.active() && !cdsDadosAbertura.isEmpty()) {
        cdsDadosAbertura.first();
    }
    if (!aberta || texto(cdsDadosAbertura, "NRVENDAREST").isEmpty()) {
        const QString motivo = msg(QStringLiteral("ABE_ERR"));
        gravaLogAcesso(QStringLiteral("ABE_ERR"), motivo,
                       motivo + QStringLiteral(" Nº da mesa : ") + nrMesa);
        if (aberta) {
            throw AppError(QStringLiteral("A abertura da mesa %1 não devolveu os dados da venda.")
                               .arg(nrMesa));
        }
        return;
    }
    Q_EMIT changed();
    st.RetAcao = QStringLiteral("VENDA_CONS");
    st.RetNrVendaRest = texto(cdsDadosAbertura, "NRVENDAREST");
    st.RetDsComanda = texto(cdsDadosAbertura, "DSCOMANDA");
    st.RetCdCliente = texto(cdsDadosAbertura, "CDCLIENTE");
    st.RetCdConsumidor = texto(cdsDadosAbertura, "CDCONSUMIDOR");
    st.RetNrComanda = texto(cdsDadosAbertura, "NRCOMANDA");
    st.RetCdVendedor = texto(cdsDadosAbertura, "CDVENDEDOR");
    st.RetNrMesa = nrMesa;
    st.RetTipoVenda = QStringLiteral("M");
    st.RetAbreVenda = true;
    const QString motivo = msg(QStringLiteral("ABRE_MESA"));
    gravaLogAcesso(QStringLiteral("ABE_MES"), motivo,
                   motivo + QStringLiteral(" Nº mesa aberta: ") + nrMesa, st.RetNrVendaRest,
                   st.RetNrComanda, st.RetDsComanda, nrMesa, st.RetCdVendedor, 0);
    fecha();
    limpaVendaRest(nrMesa, QStringLiteral("D"));
}

void TfrmGerMesa::continuaMesa(const QString& nrMesa) {
    const PausaAtualizacao pausa(*this);
    Q_EMIT changed();
    const QStringList chave{st.CdFilial, st.CdLoja, nrMesa};
    carrega(cdsInfoMesa, getRetornaInfoMesa(dm(), st.CdFilial, st.CdLoja, nrMesa),
            QStringLiteral("getRetornaInfoMesa"), chave);
    carrega(cdsRetMesa, getRetMesa(dm(), st.CdFilial, st.CdLoja, nrMesa),
            QStringLiteral("getRetMesa"), chave);
    cdsRetMesa.first();
    st.VarRetorno = QVariantList(10);
    const QVariantList params{st.IdEsquema, st.IdUtlSenhaOper, true,
                              texto(cdsRetMesa, "CDVENDEDOR")};
    if (!suite_.dialogs->ControleSenhOper(params, 3, st.VarRetorno)) {
        abortSilently();
    }
    const QString garcom = st.VarRetorno.value(0).toString().trimmed();
    // The clean-up runs first, so that the values handed to the host are those of what
    // is left of the table's sale.
    limpaVendaRest(nrMesa, QStringLiteral("O"));
    carrega(cdsInfoMesa, getRetornaInfoMesa(dm(), st.CdFilial, st.CdLoja, nrMesa),
            QStringLiteral("getRetornaInfoMesa"), chave);
    cdsInfoMesa.first();
    if (cdsInfoMesa.isEmpty() || texto(cdsInfoMesa, "NRVENDAREST").isEmpty()) {
        mensagem(QStringLiteral("A mesa %1 não tem venda aberta com comanda: os registros "
                                "incompletos foram removidos e a mesa está livre. Toque na "
                                "mesa de novo para abri-la.")
                     .arg(nrMesa),
                 MsgAviso);
        return;
    }
    st.RetAcao = QStringLiteral("VENDA_CONS");
    st.RetNrVendaRest = texto(cdsInfoMesa, "NRVENDAREST");
    st.RetDsComanda = texto(cdsInfoMesa, "DSCOMANDA");
    st.RetCdCliente = texto(cdsInfoMesa, "CDCLIENTE");
    st.RetCdConsumidor = texto(cdsInfoMesa, "CDCONSUMIDOR");
    st.RetNrComanda = texto(cdsInfoMesa, "NRCOMANDA");
    st.RetNrMesa = nrMesa;
    if (!garcom.isEmpty()) {
        st.RetCdVendedor = garcom;
    } else if (st.IdUtlSenhaOper == QLatin1String("L")) {
        st.RetCdVendedor.clear(); // the waiter was left out on purpose
    } else {
        st.RetCdVendedor = texto(cdsInfoMesa, "CDVENDEDOR");
    }
    st.RetTipoVenda = QStringLiteral("M");
    st.RetAbreVenda = true;
    fecha();
}

void TfrmGerMesa::recebeMesa(const QString& nrMesa) {
    const QStringList chave{st.CdFilial, st.CdLoja, nrMesa};
    if (cdsBuscaComandas.isEmpty()) {
        mensagem(msg(QStringLiteral("Mesa_receb")), MsgInformacao);
        servico(setLiberaMesa(dm(), st.CdFilial, st.CdLoja, nrMesa),
                QStringLiteral("setLiberaMesa"), chave);
        return;
    }
    carrega(cdsInfoMesa, getRetornaInfoMesa(dm(), st.CdFilial, st.CdLoja, nrMesa),
            QStringLiteral("getRetornaInfoMesa"), chave);
    if (st.IdColetor == QLatin1String("C")) {
        mensagem(msg(QStringLiteral("cx_coletor")), MsgErro);
        return;
    }
    const PausaAtualizacao pausa(*this);
    BuscaDadosMesa(nrMesa, QString());
    if (st.DisplayOk) {
        suite_.fiscal->LimpaDisplay();
    }
}

bool TfrmGerMesa::BuscaDadosMesa(const QString& nrMesa, const QString& /*naoUsado*/) {
    st.TxProgressoCupom.clear();
    st.TxRecebExtra1.clear();
    st.TxRecebExtra2.clear();
    st.TxImpressaoExtra.clear();
    bool ok = true;
    try {
        carrega(cdsBuscaComandas, getBuscaComandas(dm(), st.CdFilial, st.CdLoja, nrMesa),
                QStringLiteral("getBuscaComandas"), {st.CdFilial, st.CdLoja, nrMesa});
        cdsBuscaComandas.first();
        const QString nrVendaRest = texto(cdsBuscaComandas, "NRVENDAREST");
        const QString nrComanda = texto(cdsBuscaComandas, "NRCOMANDA");
        const QString dsComanda = texto(cdsBuscaComandas, "DSCOMANDA");
        const QString lista = listaComandas();
        st.CupomPorNatureza = false;
        carrega(cdsVerifNatItens, getVerifNatItens(dm(), st.CdFilial, lista, st.CdLoja),
                QStringLiteral("getVerifNatItens"), {st.CdFilial, lista, st.CdLoja});
        // The natures are taken aside: the receipt flow reloads datasets of its own.
        QStringList naturezas;
        for (cdsVerifNatItens.first(); !cdsVerifNatItens.eof(); cdsVerifNatItens.next()) {
            naturezas << cdsVerifNatItens.fieldByName(QStringLiteral("CDNATPRODUTO")).asString();
        }
        const int n = int(naturezas.size());
        QString natureza;
        if (n < 2) {
            natureza = n == 1 && naturezas.first().trimmed() == QLatin1String("01")
                           ? QStringLiteral("01")
                           : QString();
        } else if (mensagem(msg(QStringLiteral("NAT_PROD")), MsgPergunta, true)) {
            st.CupomPorNatureza = true;
        }
        if (st.CupomPorNatureza) {
            for (int k = 1; k <= n && st.CupomPorNatureza; ++k) {
                st.TxProgressoCupom = QStringLiteral("Imprimindo cupom %1 de %2").arg(k).arg(n);
                ChamaRecebimento(st.CdFilial, nrVendaRest, lista, nrMesa, nrComanda, dsComanda,
                                 naturezas.at(k - 1), n - k + 1);
            }
        } else {
            ChamaRecebimento(st.CdFilial, nrVendaRest, lista, nrMesa, nrComanda, dsComanda,
                             natureza, n);
        }
    } catch (const SilentAbort&) {
        ok = false;
    } catch (const std::exception& e) {
        mensagem(exceptionText(e), MsgErro);
        ok = false;
    }
    // A series that ended before its last coupon hands the table back.
    if (st.NrMesaEmRecebimento == nrMesa) {
        st.NrMesaEmRecebimento.clear();
        const QVariant volta =
            setStatusMesa(dm(), st.CdFilial, st.CdLoja, nrMesa, QStringLiteral("S"));
        if (isServiceFailure(volta)) {
            mensagem(
                msg(QStringLiteral("MESA_N_DEVOLVIDA"), {nrMesa, serviceFailureMessage(volta)}),
                MsgErro);
        }
    }
    DisparaAtualizacao();
    return ok;
}

void TfrmGerMesa::sbtReservaClick() {
    Verifica_Gaveta();
    QString nrMesa;
    if (!PedeMesa(nrMesa, QStringLiteral("RESERVA"))) {
        return;
    }
    if (cdsReserva.active() && cdsReserva.locate(QStringLiteral("NRMESA"), nrMesa,
                                                 ClientDataSet::LocateOption::CaseInsensitive)) {
        suite_.dialogs->CriaConsulReserva(texto(cdsReserva, "NRRESMESA"));
    } else {
        mensagem(msg(QStringLiteral("Res_Inex")), MsgInformacao);
    }
}

} // namespace tmk
