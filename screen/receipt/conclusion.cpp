// The payment dialog and the conclusion of the sale: the sale stored once with its access
// log, the app payments tied to it and the credit balance line; then its benefits and
// loyalty movements, and the check that the sale is stored.
#include "external/common.h"
#include "platform/errors.h"
#include "platform/failpoint.h"
#include "platform/service_result.h"
#include "screen/ger_mesa.h"
#include "screen/receipt/receipt_run.h"
#include "service/account_lists.h"
#include "service/totals_benefits.h"

#include <QLocale>

namespace tmk {

namespace {

QString dataTexto(const QDateTime& d) {
    return d.date().toString(QStringLiteral("dd/MM/yyyy"));
}

} // namespace

bool TfrmGerMesa::abreRecebimento(RecebimentoEmCurso& r) {
    RecebimentoArgs& a = r.dialogo;
    a.cdsParametrosKov = &cdsParametrosKov;
    a.cdOperAutoriz = st.CdOperAutoriz;
    a.cdsListaComanda = &cdsListaComanda;
    a.cdsListaComandaCanc = &cdsListaComandaCanc;
    a.cdsMovCaixa = &cdsMovCaixa;
    a.cdsFamiliaSaldo = &cdsFamiliaSaldo;
    a.cdsEmprestimoFam = &cdsEmprestimoFam;
    a.cancelarVenda = false;
    a.cdsCliente = &cdsCliente;
    a.cdsAliqImpFis = &cdsAliqImpFis;
    a.cdsConfTipoRece = &cdsConfTipoRece;
    a.cdsECFCaixa = &cdsECFCaixa;
    a.tipoVenda = QStringLiteral("RES");
    a.cdCliente = campo(cdsListaComanda, "CDCLIENTE");
    a.cdConsumidor = campo(cdsListaComanda, "CDCONSUMIDOR");
    a.arg23 = QStringLiteral("N");
    a.zeros24to32 = QVariantList(9, 0);
    a.arg33 = QStringLiteral("M");
    a.senhaCupom = r.senhaCupom;
    a.arg35 = 0;
    a.arg36 = 0;
    a.idPagMobile = r.idPagMobile;
    a.vrRecebExtra = st.VrRecebExtra;
    a.txProgressoCupom = st.TxProgressoCupom;
    a.txRecebExtra1 = st.TxRecebExtra1;
    a.txRecebExtra2 = st.TxRecebExtra2;
    a.idFiscalDialogo = st.IdFiscalDialogo;
    a.txImpressaoExtra = st.TxImpressaoExtra;
    a.cdsExtConsFid = &cdsExtConsFid;
    a.cdsPromoComanda = &cdsPromoComanda;

    suite().dialogs->AtivaProcesso(
        nullptr, QStringLiteral("Verificando o Pagamento da Mesa... Aguarde!"), 0, 0);
    bool pago = false;
    try {
        pago = suite().dialogs->Recebimento(a);
    } catch (...) {
        suite().dialogs->DesativaProcesso();
        throw;
    }
    suite().dialogs->DesativaProcesso();
    st.CdOperAutoriz = a.cdOperAutoriz;
    st.VrRecebExtra = a.vrRecebExtra.toDouble();
    st.TxRecebExtra1 = a.txRecebExtra1;
    st.TxRecebExtra2 = a.txRecebExtra2;
    st.IdFiscalDialogo = a.idFiscalDialogo;
    st.TxImpressaoExtra = a.txImpressaoExtra;
    return servico(pago, QStringLiteral("Recebimento"), {}).toBool();
}

void TfrmGerMesa::gravaVenda(RecebimentoEmCurso& r) {
    const RecebimentoArgs& a = r.dialogo;
    const QString contexto =
        QStringLiteral("cdsListaComanda.Data-cdsMovCaixa.Data-cdsCanc.Data-cdsFamiliaSaldo.Data-"
                       "cdsEmprestimoFam.Data-") +
        QStringList{st.CdCaixa,   dataTexto(st.DtAberCaixa), r.cdEmpresa, a.nrCupom, a.outValue10,
                    r.cdFilial,   r.listaComandas,           r.dsComanda, st.CdLoja, r.nrMesa,
                    r.nrVendaRest}
            .join(QLatin1Char('-')) +
        QStringLiteral("-RESParametro Vazio");

    if ((st.SistemaKovNfce || st.SistemaKovSat) && st.IdFiscalDialogo != QLatin1String("S")) {
        suite().dialogs->getNumeroSerieNFCe(r.cdFilial, st.CdCaixa, st.NrSerieNfce);
        suite().dialogs->getDataEmissNFCe(st.DtEmissNfce);
    }

    // What the consumer spent in the month, for the printout.
    cdsMovCaixa.first();
    const QString cliPag = campo(cdsMovCaixa, "CDCLIENTE");
    const QString consPag = campo(cdsMovCaixa, "CDCONSUMIDOR");
    QDateTime dataMov = cdsMovCaixa.isEmpty()
                            ? QDateTime()
                            : cdsMovCaixa.fieldByName(QStringLiteral("DTMOVIMCAIXA")).asDateTime();
    if (!dataMov.isValid()) {
        dataMov = QDateTime(clock().today(), QTime(0, 0));
    }
    const QDateTime inicioMes(PrimeiroDiaMes(dataMov.date()), QTime(0, 0));
    carrega(cdsVrSaldConsumi,
            getVrSaldConsumi(dm(), r.cdFilial, cliPag, consPag, inicioMes, dataMov),
            QStringLiteral("getVrSaldConsumi"),
            {r.cdFilial, cliPag, QString(), consPag, dataTexto(inicioMes), dataTexto(dataMov)});

    // Approximate taxes.
    QVariantList tributos(3);
    suite().sales->CalculoIcmsDFederal(cdsListaComanda, 0.0, tributos);
    st.StIbpt = tributos.value(0).toString();
    st.StIbptEs = tributos.value(2).toString();
    r.vrTributos = st.StIbpt.toDouble() + st.StIbptEs.toDouble();

    r.ultimoCupom = r.ultimo();
    st.VarRetorno = QVariantList(10);

    const QList<ClientDataSet*> tabelas{
        &cdsListaComanda, &cdsMovCaixa,         &cdsListaComandaCanc,
        &cdsFamiliaSaldo, &cdsEmprestimoFam,    &cdsItComandaEst,
        &cdsVazio,        &cdsBrinde,           &cdsObsItens,
        &cdsObsItensEst,  &cdsItensDesistencia, &cdsExtConsFid,
        &cdsPromoComanda};
    QVariantList v(47);
    v[0] = st.CdCaixa;
    v[1] = st.DtAberCaixa;
    v[2] = r.cdEmpresa;
    v[3] = a.nrCupom;
    v[4] = a.outValue10;
    v[5] = r.cdFilial;
    v[6] = r.listaComandas;
    v[7] = r.dsComanda;
    v[8] = st.CdLoja;
    v[9] = r.nrMesa;
    v[10] = r.nrVendaRest;
    v[11] = QStringLiteral("RES");
    v[12] = a.nrNaoFiscal;
    v[13] = st.IdPaisIntegra;
    v[14] = a.outValue11;
    v[15] = st.NrSerieImp;
    v[16] = st.IdTipoImpFis;
    v[17] = st.DsModeloEcfVe;
    v[18] = st.DsMarcaEcfVe;
    v[19] = st.EcfImp;
    v[20] = st.DataMovimento;
    v[23] = st.SgEstadoFili;
    v[30] = cdsBrinde.isEmpty() ? QVariant(a.outValue41) : QVariant(QStringLiteral("R"));
    v[31] = a.outValue38;
    v[32] = r.origemVenda;
    v[33] = r.ultimoCupom ? QString() : QStringLiteral("2");
    v[34] = st.DtEmissNfce;
    v[35] = st.IdAmbTrabNfce;
    v[36] = st.NrSerieNfce;
    v[37] = r.senhaCupom;
    v[39] = st.TipoDocFiscal;
    v[41] = r.vrTributos;
    v[43] = true;
    v[44] = st.TxRecebExtra1;
    v[45] = st.TxRecebExtra2;
    v[46] = st.IdFiscalDialogo;
    for (int i : {21, 22, 24, 25, 26, 27, 28, 29, 38, 40, 42}) {
        v[i] = QString();
    }
    const QVariant seq = servico(suite().sales->setConcluiFechamento(tabelas, v, st.VarRetorno),
                                 QStringLiteral("setConcluiFechamento"), {contexto}, 10);
    r.nrSeqVenda = seq.toString().trimmed();
    if (r.nrSeqVenda.isEmpty()) {
        throw AppError(msg(QStringLiteral("RECEB_FALHA"),
                           {r.nrMesa, QStringLiteral("a venda não foi numerada")}));
    }
    failpoint("after_sale");

    const QString motivo = msg(QStringLiteral("RECEBCONTA"));
    gravaLogAcesso(QStringLiteral("REC_CON"), motivo,
                   motivo + QStringLiteral(" da mesa: ") + r.nrMesa, r.nrVendaRest, r.listaComandas,
                   r.dsComanda, r.nrMesa, 0, r.nrSeqVenda);
    servico(setMovCaixaMob(dm(), r.cdFilial, r.listaComandas, st.CdCaixa, r.nrSeqVenda),
            QStringLiteral("setMovCaixaMob"),
            {r.cdFilial, r.listaComandas, st.CdCaixa, r.nrSeqVenda}, 10);
    r.movMobVinculado = true;

    // The consumer's credit balance after a payment on credit.
    st.TxSaldoFinal.clear();
    if (campo(cdsMovCaixa, "IDTIPORECE") == QLatin1String("9")) {
        const QString familia = campo(cdsFamiliaSaldo, "CDFAMILISALD");
        carrega(cdsSaldo, getSaldoCred(dm(), cliPag, consPag, familia),
                QStringLiteral("getSaldoCred"), {st.RetCdCliente, st.RetCdConsumidor, QString()});
        cdsSaldo.first();
        if (!cdsSaldo.isEmpty() && !campo(cdsSaldo, "VRSALDCONFAM").isEmpty()) {
            st.TxSaldoFinal =
                QStringLiteral("Saldo Final: R$ ") +
                QLocale().toString(cdsSaldo.fieldByName(QStringLiteral("VRSALDCONFAM")).asFloat(),
                                   'f', 2);
        }
    }
}

void TfrmGerMesa::lancaBeneficios(RecebimentoEmCurso& r) {
    if (r.beneficiosLancados) {
        return;
    }
    servico(setVendaBeneficio(dm(), r.nrSeqVenda, r.cdFilial, st.CdCaixa, r.nrVendaRest),
            QStringLiteral("setVendaBeneficio"),
            {r.nrSeqVenda, r.cdFilial, st.CdCaixa, r.nrVendaRest});
    r.beneficiosLancados = true;

    // Loyalty: the benefits of the campaign product, for the consumer of this sale.
    if (r.cdConsumidor.isEmpty() || !st.PromoFidelidade) {
        return;
    }
    cdsMovCaixa.first();
    const QString cdCliente =
        campo(cdsMovCaixa, "CDCLIENTE").isEmpty() ? r.cdCliente : campo(cdsMovCaixa, "CDCLIENTE");
    const QVariant semBeneficio = getCadBeneficio(dm(), cdCliente, r.cdConsumidor);
    if (!semBeneficio.toBool()) {
        st.PromoFidelidade = false;
        mensagem(msg(QStringLiteral("Beneficio_Cad")), MsgErro);
        return;
    }
    carrega(cdsMovFidelidade, getMovFidelidade(dm(), r.cdFilial, st.NrSeqProdCamp, r.cdProdutoCamp),
            QStringLiteral("getMovFidelidade"), {r.cdFilial, st.NrSeqProdCamp, r.cdProdutoCamp});
    const QDateTime hoje(clock().today(), QTime(0, 0));
    for (cdsMovFidelidade.first(); !cdsMovFidelidade.eof(); cdsMovFidelidade.next()) {
        st.QtBeneficioCamp =
            int(cdsMovFidelidade.fieldByName(QStringLiteral("QTBENEFICIOCAMP")).asInteger());
        st.NrDiasValBeneCamp =
            int(cdsMovFidelidade.fieldByName(QStringLiteral("NRDIASVALBENECAMP")).asInteger());
        if (campo(cdsMovFidelidade, "IDTPATIVABENEFICIO") != QLatin1String("2")) {
            continue;
        }
        const QVariant res = setMovFidelidade(
            dm(), r.cdFilial, campo(cdsMovFidelidade, "CDCAMPANHA"),
            campo(cdsMovFidelidade, "NRSEQPRODCAMP"), campo(cdsMovFidelidade, "NRSEQBENEFICIO"),
            cdCliente, r.cdConsumidor, campo(cdsMovFidelidade, "IDTPBENEFICIO"), hoje,
            hoje.addDays(st.NrDiasValBeneCamp),
            cdsMovFidelidade.fieldByName(QStringLiteral("VRBENEFICIO")).asFloat(),
            st.QtBeneficioCamp);
        suite().common->MensagemMetodo(
            res, true, 0, QStringLiteral("setMovFidelidade"), QStringLiteral("Cli_Tmk00470"),
            r.cdFilial + QLatin1Char('-') + st.DsDirCad, QStringLiteral("002"));
    }
    st.PromoFidelidade = false;
}

void TfrmGerMesa::verificaVenda(RecebimentoEmCurso& r) {
    r.verificacaoFeita = true;
    for (int tentativa = 1;; ++tentativa) {
        const QString resposta =
            servico(getVerificaVenda(dm(), r.cdFilial, st.CdCaixa, r.nrSeqVenda),
                    QStringLiteral("getVerificaVenda"), {r.cdFilial, st.CdCaixa, r.nrSeqVenda})
                .toString();
        if (resposta == QLatin1String("S")) {
            r.vendaVerificada = true;
            return;
        }
        if (resposta != QLatin1String("N")) {
            throw AppError(resposta); // a message of the data service
        }
        clock().espera(2000);
        if (tentativa >= 4) {
            throw AppError(msg(QStringLiteral("VENDA_N_GRAVADA"), {r.nrSeqVenda}));
        }
    }
}

} // namespace tmk
