// Claiming a table for the receipt and handing it back when the receipt does not end
// with a settled sale.
#include "platform/errors.h"
#include "platform/failpoint.h"
#include "platform/service_result.h"
#include "screen/ger_mesa.h"
#include "screen/receipt/receipt_run.h"
#include "service/map_reads.h"
#include "service/state_updates.h"

#include <QLoggingCategory>

namespace tmk {

QString campo(ClientDataSet& cds, const char* coluna) {
    if (!cds.active() || cds.isEmpty()) {
        return {};
    }
    return cds.fieldByName(QString::fromLatin1(coluna)).asString().trimmed();
}

QVariant direto(const QVariant& resultado) {
    if (isServiceFailure(resultado)) {
        throw AppError(serviceFailureMessage(resultado));
    }
    return resultado;
}

void TfrmGerMesa::reservaMesa(RecebimentoEmCurso& r) {
    carrega(cdsStatusMesas, getStatusMesa(dm(), r.cdFilial, st.CdLoja, st.NrConfTela),
            QStringLiteral("getStatusMesa"), {r.cdFilial, st.CdLoja, st.NrConfTela});
    const bool balcao = !st.NrMesaBalcao.isEmpty() && st.NrMesaBalcao == r.nrMesa;
    if (!balcao && !cdsStatusMesas.locate(QStringLiteral("NRMESA"), r.nrMesa)) {
        mensagem(msg(QStringLiteral("Mesa_N_Sol")), MsgErro);
        abortSilently();
    }
    // The counter table is not on the map: its claim alone tells its state.
    const QString estado = balcao ? QStringLiteral("S") : campo(cdsStatusMesas, "IDSTMESAAUX");
    if (estado == QLatin1String("S")) {
        // One conditional update: of two tills touching the table at once, one wins.
        const QVariant ganhou =
            servico(setRecebeMesa(dm(), r.cdFilial, st.CdLoja, r.nrMesa, st.CdCaixa),
                    QStringLiteral("setRecebeMesa"), {r.cdFilial, st.CdLoja, r.nrMesa});
        if (!ganhou.toBool()) {
            mensagem(msg(QStringLiteral("Mesa_Rec")), MsgErro);
            abortSilently();
        }
        st.NrMesaEmRecebimento = r.nrMesa;
        failpoint("after_claim");
        return;
    }
    if (estado == QLatin1String("R")) {
        if (st.CupomPorNatureza && st.NrMesaEmRecebimento == r.nrMesa) {
            return; // a later coupon of this till's own series
        }
        const QVariant dados =
            servico(getRecebimentoMesa(dm(), r.cdFilial, st.CdLoja, r.nrMesa),
                    QStringLiteral("getRecebimentoMesa"), {r.cdFilial, st.CdLoja, r.nrMesa});
        const DataPacket claim = dados.value<DataPacket>();
        const QString caixa =
            claim.rowCount() > 0
                ? claim.value(0, QStringLiteral("CDCAIXARECEB")).toString().trimmed()
                : QString();
        if (!caixa.isEmpty() && caixa == st.CdCaixa.trimmed()) {
            // This till's own claim, left by a receipt that did not end: taken up again.
            const QVariant retomou =
                servico(setRetomaMesa(dm(), r.cdFilial, st.CdLoja, r.nrMesa, st.CdCaixa),
                        QStringLiteral("setRetomaMesa"), {r.cdFilial, st.CdLoja, r.nrMesa});
            if (retomou.toBool()) {
                st.NrMesaEmRecebimento = r.nrMesa;
                r.retomada = true;
                return;
            }
        } else if (!caixa.isEmpty()) {
            const QDateTime desde = claim.value(0, QStringLiteral("DTHRRECEB")).toDateTime();
            mensagem(msg(QStringLiteral("Mesa_Rec_Caixa"),
                         {r.nrMesa, caixa,
                          desde.isValid() ? desde.toString(QStringLiteral("dd/MM/yyyy HH:mm"))
                                          : QStringLiteral("hora desconhecida")}),
                     MsgErro);
            abortSilently();
        }
        mensagem(msg(QStringLiteral("Mesa_Rec")), MsgErro);
        abortSilently();
    }
    mensagem(msg(QStringLiteral("Mesa_N_Sol")), MsgErro);
    abortSilently();
}

bool TfrmGerMesa::vendaJaGravada(RecebimentoEmCurso& r) {
    const QStringList venda =
        servico(suite().sales->getVendaConcluida(r.cdFilial, st.CdCaixa, r.nrVendaRest,
                                                 r.listaComandas, cdsListaComanda),
                QStringLiteral("getVendaConcluida"), {r.cdFilial, st.CdCaixa, r.nrVendaRest})
            .toStringList();
    if (venda.isEmpty()) {
        return false;
    }
    // Stored by another till (one that stopped before settling the table, whose claim was
    // released since): never sold again here.
    const QString caixa = venda.value(2).trimmed();
    if (!caixa.isEmpty() && caixa != st.CdCaixa.trimmed()) {
        mensagem(msg(QStringLiteral("VENDA_OUTRO_CAIXA"), {venda.value(0), r.nrMesa, caixa}),
                 MsgErro);
        abortSilently();
    }
    r.vendaJaGravada = true;
    // A CF-e already recorded on the sale is not transmitted again.
    r.documentoAutorizado = st.SistemaKovSat && venda.value(1) == QLatin1String("S");
    mensagem(msg(QStringLiteral("RECEB_RETOMADA"), {venda.value(0), r.nrMesa}), MsgAviso);
    return true;
}

DevolveMesa::DevolveMesa(TfrmGerMesa& tela, const RecebimentoEmCurso& r)
    : tela_(tela)
    , cdFilial_(r.cdFilial)
    , nrMesa_(r.nrMesa) {}

DevolveMesa::~DevolveMesa() {
    devolve();
}

void DevolveMesa::devolve() {
    if (!ativo_) {
        return;
    }
    ativo_ = false;
    tela_.st.NrMesaEmRecebimento.clear();
    try {
        const QVariant r =
            setStatusMesa(tela_.dm(), cdFilial_, tela_.st.CdLoja, nrMesa_, QStringLiteral("S"));
        if (isServiceFailure(r)) {
            tela_.mensagem(
                tela_.msg(QStringLiteral("MESA_N_DEVOLVIDA"), {nrMesa_, serviceFailureMessage(r)}),
                MsgErro);
        }
    } catch (const std::exception& e) {
        try {
            tela_.mensagem(
                tela_.msg(QStringLiteral("MESA_N_DEVOLVIDA"), {nrMesa_, exceptionText(e)}),
                MsgErro);
        } catch (...) {
            qWarning() << "table" << nrMesa_ << "not handed back:" << exceptionText(e);
        }
    }
}

} // namespace tmk
