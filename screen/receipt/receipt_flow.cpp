// The receipt flow of a table whose bill was requested: the table claimed, the account
// loaded and paid, the sale concluded once and verified, its document, the table settled
// and the receipts printed; or the table handed back whole when anything fails.
#include "external/common.h"
#include "platform/errors.h"
#include "platform/failpoint.h"
#include "platform/service_result.h"
#include "screen/ger_mesa.h"
#include "screen/receipt/receipt_run.h"
#include "service/account_lists.h"
#include "service/state_updates.h"

#include <QFile>

namespace tmk {

namespace {

// Clears the consumer of the last account and empties the coupon's datasets when the run
// ends, however it ends.
class FimDoRecebimento {
public:
    explicit FimDoRecebimento(TfrmGerMesa& tela)
        : tela_(tela) {}
    ~FimDoRecebimento() {
        tela_.st.RetCdConsumidor.clear();
        try {
            tela_.LimpaCDS();
        } catch (const std::exception& e) {
            qWarning() << "receipt datasets not emptied:" << exceptionText(e);
        }
    }
    FimDoRecebimento(const FimDoRecebimento&) = delete;
    FimDoRecebimento& operator=(const FimDoRecebimento&) = delete;

private:
    TfrmGerMesa& tela_;
};

} // namespace

void TfrmGerMesa::ChamaRecebimento(const QString& cdFilial, const QString& nrVendaRest,
                                   const QString& listaComandas, const QString& nrMesa,
                                   const QString& nrComanda, const QString& dsComanda,
                                   const QString& cdNatProduto, qint32 qtCuponsRestantes) {
    RecebimentoEmCurso r;
    r.cdFilial = cdFilial;
    r.nrVendaRest = nrVendaRest;
    r.listaComandas = listaComandas;
    r.nrMesa = nrMesa;
    r.nrComanda = nrComanda;
    r.dsComanda = dsComanda;
    r.cdNatProduto = cdNatProduto.trimmed() == QLatin1String("0") ? QString() : cdNatProduto;
    r.qtCuponsRestantes = qtCuponsRestantes;

    // The table is claimed before anything is read; from here on it goes back to "S"
    // unless the run ends with a settled sale.
    reservaMesa(r);
    DevolveMesa mesa(*this, r);
    const FimDoRecebimento fim(*this);

    carregaConta(r);
    preparaConta(r);

    // A sale this till stored for the coupon before (the receipt stopped after it) is
    // finished as it was stored, without charging the account again.
    if (!vendaJaGravada(r)) {
        if (r.retomada) {
            // Card transactions the stopped receipt left pending paid no sale: undone before
            // they can be confirmed with this one.
            suite().fiscal->FinalizaTransTef(false);
        }
        if (!abreRecebimento(r)) {
            abandonaRecebimento(r, mesa);
            return;
        }
    }
    r.origemVenda = direto(GetOrigemVenda(dm(), r.cdFilial, r.nrVendaRest, r.nrComanda)).toString();

    // The sale is stored once and its document emitted once; a sale not yet seen by the
    // data service is checked again, not stored again.
    try {
        gravaVenda(r);
        emiteDocumentoFiscal(r);
        failpoint("after_fiscal");
        lancaBeneficios(r);
        verificaVenda(r);
    } catch (const SilentAbort&) {
        r.falhou = true; // shown by MensagemMetodo
    } catch (const std::exception& e) {
        r.falhou = true;
        r.erro = exceptionText(e);
    }

    if (r.falhou && !r.verificacaoFeita && !r.nrSeqVenda.isEmpty() && r.documentoAutorizado) {
        // Stored and fiscally authorised: the sale is finished, not cancelled in the books
        // while its document stays valid; what failed is told.
        try {
            verificaVenda(r);
        } catch (const std::exception& e) {
            r.erro += QStringLiteral(" ") + exceptionText(e);
        }
    }
    if (!r.vendaVerificada) {
        if (!r.erro.isEmpty()) {
            mensagem(msg(QStringLiteral("RECEB_FALHA"), {r.nrMesa, r.erro}), MsgErro);
        }
        desfazVenda(r);
        return; // the guard hands the table back
    }
    if (r.falhou) {
        mensagem(msg(QStringLiteral("VENDA_FALHA_AUT"),
                     {r.nrSeqVenda,
                      r.erro.isEmpty() ? QStringLiteral("veja a mensagem anterior") : r.erro}),
                 MsgAviso);
    }
    concluiRecebimento(r, mesa);
}

QList<QPair<QString, QString>> TfrmGerMesa::comandasDaConta(const RecebimentoEmCurso& r) {
    QList<QPair<QString, QString>> comandas;
    cdsListaComanda.first();
    if (!cdsListaComanda.eof()) {
        comandas.append(
            {campo(cdsListaComanda, "NRVENDAREST"), campo(cdsListaComanda, "NRCOMANDA")});
    }
    if (cdsBuscaComandas.active()) {
        const QStringList listadas = r.listaComandas.split(QLatin1Char('_'), Qt::SkipEmptyParts);
        for (cdsBuscaComandas.first(); !cdsBuscaComandas.eof(); cdsBuscaComandas.next()) {
            const QPair<QString, QString> c{campo(cdsBuscaComandas, "NRVENDAREST"),
                                            campo(cdsBuscaComandas, "NRCOMANDA")};
            if (listadas.contains(c.second.trimmed()) && !comandas.contains(c)) {
                comandas.append(c);
            }
        }
        cdsBuscaComandas.first();
    }
    return comandas;
}

void TfrmGerMesa::concluiRecebimento(RecebimentoEmCurso& r, DevolveMesa& mesa) {
    // The card transactions are confirmed as soon as the sale is known to be stored,
    // whatever happens to the printouts; a stored sale taken up again confirms what its
    // payment left pending.
    if ((!r.dialogo.idTef.isEmpty() || r.vendaJaGravada) && !r.tefConfirmado) {
        try {
            suite().fiscal->FinalizaTransTef(true);
            r.tefConfirmado = true;
        } catch (const std::exception& e) {
            mensagem(msg(QStringLiteral("IMPRESSAO_FALHA"), {r.nrSeqVenda, exceptionText(e)}),
                     MsgAviso);
        }
    }
    for (const char* nome : {"cdsVenda.cds", "cdsItensCancelados.cds"}) {
        const QString caminho = st.DsDirCad + QString::fromLatin1(nome);
        if (QFile::exists(caminho)) {
            QFile::remove(caminho);
        }
    }
    st.RetNrMesa = r.nrMesa;

    // What is left of the account's service charge for the other natures. Every pad of the
    // account carries the charge of the whole account, so each one gets what is left.
    if (!r.cdNatProduto.isEmpty()) {
        const double resto = r.vrTxServicoConta - r.vrTxServicoNatureza;
        for (const auto& [v, c] : comandasDaConta(r)) {
            const QVariant res = AlteraVrTxServico(dm(), r.cdFilial, v, c, resto);
            if (isServiceFailure(res)) {
                mensagem(msg(QStringLiteral("RECEB_FALHA"), {r.nrMesa, serviceFailureMessage(res)}),
                         MsgAviso);
                break;
            }
        }
    }

    if (liquidaMesa(r)) {
        mesa.dispensa();
        failpoint("after_settle");
        if (r.ultimoCupom) {
            st.NrMesaEmRecebimento.clear();
        }
    } else {
        st.CupomPorNatureza = false;
    }

    try {
        imprimeRecebimento(r);
    } catch (const std::exception& e) {
        mensagem(msg(QStringLiteral("IMPRESSAO_FALHA"), {r.nrSeqVenda, exceptionText(e)}),
                 MsgAviso);
    }
}

} // namespace tmk
