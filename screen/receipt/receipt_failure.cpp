// A receipt that ends without a recorded sale: the abandoned payment dialog, and the undo
// of a sale whose conclusion failed.
#include "external/common.h"
#include "platform/errors.h"
#include "platform/service_result.h"
#include "screen/ger_mesa.h"
#include "screen/receipt/receipt_run.h"
#include "service/cancelled_sale.h"

#include <QDir>
#include <QFile>

namespace tmk {

namespace {

QString dataTexto(const QDateTime& d) {
    return d.date().toString(QStringLiteral("dd/MM/yyyy"));
}

} // namespace

void TfrmGerMesa::ApagaCdsVenda_CdsItensCancelados() {
    if (!st.UtilizaImpFis) {
        return;
    }
    for (const char* nome : {"cdsVenda.cds", "cdsItensCancelados.cds"}) {
        const QString caminho = st.DsDirCad + QString::fromLatin1(nome);
        if (QFile::exists(caminho) && !QFile::remove(caminho)) {
            throw AppError(QStringLiteral("Não foi possível apagar o arquivo %1.")
                               .arg(QDir::toNativeSeparators(caminho)));
        }
    }
}

namespace {

// Records the table's consumption as a cancelled sale.
void registraVendaCancelada(TfrmGerMesa& tela, RecebimentoEmCurso& r) {
    ScreenState& st = tela.st;
    const RecebimentoArgs& a = r.dialogo;
    const QString contexto = QStringLiteral("cdsvenda.data-cdsVendaCancelada.Data-") +
                             QStringList{st.CdCaixa,    dataTexto(st.DtAberCaixa),
                                         r.cdEmpresa,   a.nrCupom,
                                         a.outValue10,  r.nrMesa,
                                         a.nrNaoFiscal, st.NrSerieImp}
                                 .join(QLatin1Char('-'));
    tela.suite().common->MensagemMetodo(
        setCancelaVendas(tela.dm(), QVariant::fromValue(tela.cdsListaComanda.data()),
                         QVariant::fromValue(tela.cdsListaComandaCanc.data()), st.CdCaixa,
                         st.DtAberCaixa, r.cdEmpresa, a.nrCupom, a.outValue10, r.nrMesa,
                         a.nrNaoFiscal, st.NrSerieImp, st.DsModeloEcfVe, st.DsMarcaEcfVe, st.EcfImp,
                         st.IdTipoImpFis),
        true, 10, QStringLiteral("setCancelaVendas"), QStringLiteral("Cli_Tmk00130"), contexto,
        st.IdEsquema);
}

} // namespace

void TfrmGerMesa::abandonaRecebimento(RecebimentoEmCurso& r, DevolveMesa& mesa) {
    st.CupomPorNatureza = false;
    if (cdsMovCaixa.active()) {
        cdsMovCaixa.emptyDataSet();
    }
    mesa.devolve();
    if (r.dialogo.cancelarVenda) {
        registraVendaCancelada(*this, r);
        ApagaCdsVenda_CdsItensCancelados();
    }
    Q_EMIT raiseRequested();
}

void TfrmGerMesa::desfazVenda(RecebimentoEmCurso& r) {
    // A series ends at the first coupon that did not end in a recorded sale.
    st.CupomPorNatureza = false;
    if (st.UtilizaImpFis) {
        mensagem(msg(QStringLiteral("CUPOM_CANC")), MsgErro);
        st.VarRetorno = QVariantList(10);
        QVariant retorno = st.VarRetorno;
        suite().fiscal->Cancela_Cupom_Imp(
            {st.IdEsquema, false, false, false, r.cdFilial, st.CdCaixa, st.NrSerieImp}, retorno);
        st.VarRetorno = retorno.toList();
        r.dialogo.nrCupom = st.VarRetorno.value(1).toString();
        if (r.nrSeqVenda.isEmpty()) {
            // No sale was stored: the consumption is recorded as a cancelled sale.
            registraVendaCancelada(*this, r);
        }
        ApagaCdsVenda_CdsItensCancelados();
    }
    if (!r.nrSeqVenda.isEmpty()) {
        // The stored sale is cancelled with what it took: the app payments and benefits
        // are released.
        if (st.SistemaKovSat) {
            mensagem(msg(QStringLiteral("VENDA_CANC")), MsgErro);
        }
        st.VarRetorno = QVariantList(10);
        QVariant retorno = st.VarRetorno;
        QVariant resultado;
        suite().dialogs->AlteraVendaCan({r.nrSeqVenda, r.cdFilial, st.CdCaixa, st.DataMovimento,
                                         QString(), QString(), st.CdOperAutoriz,
                                         QStringLiteral("SAT")},
                                        retorno, resultado);
        st.VarRetorno = retorno.toList();
        suite().common->MensagemMetodo(
            resultado, true, 0, QStringLiteral("AlteraVendaCan"), QStringLiteral("Cli_Kov91700"),
            QStringList{r.nrSeqVenda, r.cdFilial, st.CdCaixa, dataTexto(st.DataMovimento)}.join(
                QLatin1Char('-')) +
                QStringLiteral("--") + st.CdOperAutoriz,
            st.IdEsquema);
    } else if (st.SistemaKovSat) {
        mensagem(msg(QStringLiteral("VENDA_CANC")), MsgErro);
    }
    if (!r.dialogo.idTef.isEmpty() && !r.tefConfirmado) {
        suite().fiscal->FinalizaTransTef(false);
    }
}

} // namespace tmk
