// The fiscal document of a stored sale (NFC-e or SAT), the settlement of the table and
// the receipts of a verified sale.
#include "external/common.h"
#include "platform/errors.h"
#include "platform/service_result.h"
#include "screen/ger_mesa.h"
#include "screen/receipt/receipt_run.h"

namespace tmk {

namespace {

// The value of "name=value" in an answer list; empty when absent.
QString valorDe(const QStringList& lista, const QString& nome) {
    const QString prefixo = nome + QLatin1Char('=');
    for (const QString& linha : lista) {
        if (linha.startsWith(prefixo)) {
            return linha.mid(prefixo.size());
        }
    }
    return {};
}

// The content of the first element <tag>; empty when there is none.
QString elemento(const QString& xml, const QString& tag) {
    const QString abre = QLatin1Char('<') + tag + QLatin1Char('>');
    const int inicio = xml.indexOf(abre);
    if (inicio < 0) {
        return {};
    }
    const int fim = xml.indexOf(QStringLiteral("</") + tag + QLatin1Char('>'), inicio);
    if (fim < 0) {
        return {};
    }
    return xml.mid(inicio + abre.size(), fim - inicio - abre.size()).trimmed();
}

} // namespace

void TfrmGerMesa::leDocumentoSat(const QString& xml, QString& nrNotaFiscalCe, QString& nrSerieSat) {
    const QString numero = elemento(xml, QStringLiteral("nCFe"));
    const QString serie = elemento(xml, QStringLiteral("nserieSAT"));
    if (numero.isEmpty() || serie.isEmpty()) {
        throw AppError(msgPadrao().Msg(QStringLiteral("SAT_RESP_INV")));
    }
    nrNotaFiscalCe = numero;
    nrSerieSat = serie;
}

void TfrmGerMesa::emiteDocumentoFiscal(RecebimentoEmCurso& r) {
    if (r.documentoAutorizado) {
        return;
    }
    const bool local = st.IdFiscalDialogo == QLatin1String("S");
    if (!st.SistemaKovNfce && !st.SistemaKovSat) {
        return;
    }
    if (local) {
        // The dialog documented the sale; its local extract.
        if (st.IdImpCupMei != QLatin1String("S")) {
            QVariantList v(22);
            v[0] = r.nrSeqVenda;
            v[2] = st.IdAmbTrabNfce;
            v[5] = st.DirXmlFiscal;
            v[6] = st.NrNotaFiscalCe;
            v[7] = st.NrSerieSat;
            v[8] = st.StIbpt;
            v[9] = st.DtEmissNfce;
            v[10] = st.CdProdCouver;
            v[11] = st.CdProdConsum;
            v[13] = QVariant::fromValue(cdsListaComanda.data());
            v[14] = QVariant::fromValue(cdsMovCaixa.data());
            v[15] = r.senhaCupom;
            v[16] = st.TxSaldoFinal;
            v[17] = QVariant::fromValue(cdsVrSaldConsumi.data());
            v[18] = st.StIbptEs;
            v[19] = 0;
            v[20] = r.cdFilial;
            v[21] = st.CdCaixa;
            suite().dialogs->Imp_Extrato_SAT_Ger(v);
        }
        r.documentoAutorizado = true;
        return;
    }
    if (st.SistemaKovNfce) {
        st.ChaveAcessoNfce = st.VarRetorno.value(1).toString();
        st.QrCodeNfce = st.VarRetorno.value(2).toString();
        st.ProtAutNfce = st.VarRetorno.value(3).toString();
        if (st.ProtAutNfce == QLatin1String("CONTIGENCIA_SP")) {
            throw AppError(msg(QStringLiteral("NFCE_CONTING"), {r.nrSeqVenda}));
        }
        if (st.ProtAutNfce.trimmed().isEmpty() || st.ChaveAcessoNfce.trimmed().isEmpty()) {
            throw AppError(msg(QStringLiteral("RECEB_FALHA"),
                               {r.nrMesa, QStringLiteral("a NFC-e da venda não foi autorizada")}));
        }
        r.documentoAutorizado = true;
        return;
    }
    // SAT.
    st.SatOnlineOk = false;
    QStringList resposta;
    st.SatOnlineOk = suite().dialogs->SATOnline(r.cdFilial, st.CdCaixa, r.nrSeqVenda,
                                                st.IdUtilSatComp, st.CdAtivacaoSat, st.DirXmlFiscal,
                                                st.StIbpt, st.StIbptEs, resposta);
    if (!st.SatOnlineOk) {
        const QString motivo = valorDe(resposta, QStringLiteral("mensagem"));
        throw AppError(motivo.isEmpty() ? msg(QStringLiteral("VENDA_CANC")) : motivo);
    }
    QString numero;
    QString serie;
    leDocumentoSat(valorDe(resposta, QStringLiteral("arqxmlnfce")), numero, serie);
    st.ChaveAcessoNfce = valorDe(resposta, QStringLiteral("chaveConsulta"));
    st.QrCodeNfce = QStringList{st.ChaveAcessoNfce, valorDe(resposta, QStringLiteral("timeStamp")),
                                valorDe(resposta, QStringLiteral("valorTotalCFe")),
                                valorDe(resposta, QStringLiteral("CPFCNPJValue")),
                                valorDe(resposta, QStringLiteral("assinaturaQRCODE"))}
                        .join(QLatin1Char('|'));
    st.NrNotaFiscalCe = numero;
    st.NrSerieSat = serie;
    r.documentoAutorizado = true;
    suite().common->CriaCodBarra(st.ChaveAcessoNfce, st.DirXmlFiscal);
    servico(suite().sales->AtualizaVendaSat(r.cdFilial, st.CdCaixa, r.nrSeqVenda, st.NrNotaFiscalCe,
                                            st.QrCodeNfce, resposta),
            QStringLiteral("AtualizaVendaSat"), {r.cdFilial, st.CdCaixa, r.nrSeqVenda}, 10,
            QStringLiteral("Cli_Tmk02390"));
}

bool TfrmGerMesa::liquidaMesa(RecebimentoEmCurso& r) {
    const int modo = r.ultimoCupom ? 0 : 2;
    for (;;) {
        QString erro;
        try {
            const QVariant res = suite().sales->setLimpaMesaGeral(
                modo, r.nrVendaRest, r.listaComandas, r.nrMesa, QStringLiteral("RES"), r.cdFilial,
                st.CdLoja, QString(), st.CdCaixa, r.nrSeqVenda, QString(), true);
            if (!isServiceFailure(res)) {
                return true;
            }
            erro = serviceFailureMessage(res);
        } catch (const std::exception& e) {
            erro = exceptionText(e);
        }
        if (!mensagem(msg(QStringLiteral("LIMPA_MESA_ERRO"), {r.nrSeqVenda, erro}), MsgPergunta,
                      true)) {
            return false;
        }
    }
}

void TfrmGerMesa::PreencheParamImpCupNF(const QString& cdIdConsumidor, const QString& nrNaoFiscal,
                                        const QString& nrSeqVenda, const QString& senhaCupom,
                                        double vrTotalPago) {
    const QStringList vazios{QStringLiteral("NMCONSUMIDOR"),
                             QStringLiteral("STIMPPOSOBS"),
                             QStringLiteral("TIPOVENDA"),
                             QStringLiteral("CDPRODCONSUM"),
                             QStringLiteral("CDPRODCOUVER"),
                             QStringLiteral("DSCOMANDA"),
                             QStringLiteral("stRedZLeituraX"),
                             QStringLiteral("stImpFechaCaixa"),
                             QStringLiteral("stImpRelProduto"),
                             QStringLiteral("stImpRedZLeituX"),
                             QStringLiteral("stNrSerieECF"),
                             QStringLiteral("stRelProdutoDia"),
                             QStringLiteral("NRMESA"),
                             QStringLiteral("BUSCANRPESSOAS"),
                             QStringLiteral("NRPESMESAALT"),
                             QStringLiteral("NMVENDEDOR"),
                             QStringLiteral("AGRUPADO"),
                             QStringLiteral("COBRATAXA_FECHAMENTO"),
                             QStringLiteral("COBRACOUVER_FECHAMENTO"),
                             QStringLiteral("COBRACONSUMACAO_FECHAMENTO"),
                             QStringLiteral("NRPESSOAS"),
                             QStringLiteral("CDCLIENTE"),
                             QStringLiteral("TIPOCONTA")};
    QList<QPair<QString, QVariant>> valores{
        {QStringLiteral("CDIDCONSUMID"), cdIdConsumidor},
        {QStringLiteral("NRNAOFISCAL"), nrNaoFiscal},
        {QStringLiteral("VENDAREALIZADA"), QStringLiteral("A")},
        {QStringLiteral("NRSEQVENDA"), nrSeqVenda},
        {QStringLiteral("DOVALACR"), 0.0},
        {QStringLiteral("VRTXSERVICO"), 0.0},
        {QStringLiteral("VRCONSUMACA"), 0.0},
        {QStringLiteral("VRCOUVERT"), 0.0},
        {QStringLiteral("VRBASECONSUM"), 0.0},
        {QStringLiteral("TOTALPAGO"), vrTotalPago},
        {QStringLiteral("BOIMPREDZEPSON"), false},
        {QStringLiteral("stIdTipoImpNF1"), st.IdTipoImpNF1},
        {QStringLiteral("stIdTipoImpNF2"), st.IdTipoImpNF2},
        {QStringLiteral("stIdTipoImpNF3"), st.IdTipoImpNF3},
        {QStringLiteral("stCdPortImpNF1"), st.CdPortImpNF1},
        {QStringLiteral("stCdPortImpNF2"), st.CdPortImpNF2},
        {QStringLiteral("stCdPortImpNF3"), st.CdPortImpNF3},
        {QStringLiteral("stIdVendImpNF1"), st.IdTpVendImpNF1},
        {QStringLiteral("stIdVendImpNF2"), st.IdTpVendImpNF2},
        {QStringLiteral("stIdVendImpNF3"), st.IdTpVendImpNF3},
        {QStringLiteral("STIDPAISINTEGRA"), st.IdPaisIntegra},
        {QStringLiteral("DTABERTURACAIXA"), st.DtAberCaixa},
        {QStringLiteral("IDIMPCOMPCUPVEN"), st.IdImpCompCupVen},
        {QStringLiteral("CHAVEACESSONFCe"), st.ChaveAcessoNfce},
        {QStringLiteral("QRCODENFCe"), st.QrCodeNfce},
        {QStringLiteral("DATAEMISSNFCE"), st.DtEmissNfce},
        {QStringLiteral("IDAMBTRABNFCE"), st.IdAmbTrabNfce},
        {QStringLiteral("stIBPT"), st.StIbpt},
        {QStringLiteral("stIBPTES"), st.StIbptEs},
        {QStringLiteral("PROTAUTNFCE"), st.ProtAutNfce},
        {QStringLiteral("STDIRSAT"), st.DirXmlFiscal},
        {QStringLiteral("STNRNOTAFISCALCE"), st.NrNotaFiscalCe},
        {QStringLiteral("NRSERIESAT"), st.NrSerieSat},
        {QStringLiteral("SENHACUPOM"), senhaCupom + QStringLiteral(" Mesa: ") + st.RetNrMesa}};
    for (const QString& c : vazios) {
        valores.append({c, QString()});
    }
    QList<FieldDef> campos;
    for (const auto& [nome, valor] : valores) {
        const FieldType tipo = valor.typeId() == QMetaType::Double      ? FieldType::Float
                               : valor.typeId() == QMetaType::Bool      ? FieldType::Boolean
                               : valor.typeId() == QMetaType::QDateTime ? FieldType::DateTime
                                                                        : FieldType::Text;
        campos.append({nome, tipo, 0});
    }
    cdsParamImpCupNF.close();
    cdsParamImpCupNF.setFieldDefs(campos);
    cdsParamImpCupNF.createDataSet();
    cdsParamImpCupNF.append();
    for (const auto& [nome, valor] : valores) {
        cdsParamImpCupNF.fieldByName(nome).setValue(valor);
    }
    cdsParamImpCupNF.post();
}

void TfrmGerMesa::imprimeRecebimento(RecebimentoEmCurso& r) {
    const RecebimentoArgs& a = r.dialogo;
    const bool local = st.IdFiscalDialogo == QLatin1String("S");
    const bool eletronico = st.SistemaKovNfce || st.SistemaKovSat;
    const auto documento = [&](const QString& tipo) {
        PreencheParamImpCupNF(a.cdIdConsumidor, a.nrNaoFiscal, r.nrSeqVenda, r.senhaCupom,
                              a.vrTotalPago);
        st.VarRetorno = QVariantList(10);
        QVariant retorno = st.VarRetorno;
        suite().dialogs->DisparaImpressaoNaoFiscal(
            {false, tipo, QVariant(), QVariant::fromValue(cdsListaComanda.data()), QVariant(),
             QVariant::fromValue(cdsParamImpCupNF.data()), st.TxImpressaoExtra},
            retorno);
        st.VarRetorno = retorno.toList();
    };
    if (!st.UtilizaImpFis && st.IdPaisIntegra == QLatin1String("01") && !eletronico) {
        documento(QStringLiteral("CUPOM"));
        return;
    }
    if (eletronico && !local) {
        documento(st.TipoImpNaoFiscal);
    }
    if (!a.idTef.isEmpty() && st.IdUtilTef == QLatin1String("T")) {
        // The card receipts of this sale's payments.
        QVariantList v(12);
        v[0] = QVariant::fromValue(cdsUltTef.active() && !cdsUltTef.isEmpty() ? cdsUltTef.data()
                                                                              : cdsMovCaixa.data());
        v[1] = 0;
        v[3] = st.IdTipoImpFis;
        v[4] = st.IdImprCupTefRed;
        v[5] = QStringLiteral("N");
        v[6] = st.CdPortImpNF3;
        v[7] = 0;
        v[8] = 0;
        v[9] = 0;
        v[10] = cdsMovCaixa.recordCount();
        v[11] = st.IdImprTef;
        suite().fiscal->ImprimeCupomTef(v);
    }
}

} // namespace tmk
