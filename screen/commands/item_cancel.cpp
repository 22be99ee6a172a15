// Item cancellation: finds the order pad of an occupied table and hands it to the
// product-cancellation dialog, which chooses, authorises and cancels the items.
#include "external/common.h"
#include "platform/errors.h"
#include "screen/ger_mesa.h"
#include "service/map_reads.h"

namespace tmk {

void TfrmGerMesa::sbtCancelaItemClick() {
    VerificaFechamentoDia();
    Verifica_Gaveta();
    if (!ValidaAberCaixa()) {
        return;
    }
    QString nrMesa;
    if (!PedeMesa(nrMesa, QStringLiteral("CANC_ITEM"))) {
        return;
    }
    carrega(cdsStatusMesas, getStatusMesa(dm(), st.CdFilial, st.CdLoja, st.NrConfTela),
            QStringLiteral("getStatusMesa"), {st.CdFilial, st.CdLoja, st.NrConfTela});
    if (!cdsStatusMesas.locate(QStringLiteral("NRMESA"), nrMesa)) {
        mensagem(msg(QStringLiteral("MESA_N_ENC")), MsgErro);
        abortSilently();
    }
    const QString status = campo(cdsStatusMesas, QStringLiteral("IDSTMESAAUX"));
    if (status == QLatin1String("O") || status == QLatin1String("C")) {
        carrega(cdsInfoMesa, getRetornaInfoMesa(dm(), st.CdFilial, st.CdLoja, nrMesa),
                QStringLiteral("getRetornaInfoMesa"), {st.CdFilial, st.CdLoja, nrMesa});
        suite_.dialogs->CancelaProduto(campo(cdsInfoMesa, QStringLiteral("NRCOMANDA")),
                                       campo(cdsInfoMesa, QStringLiteral("DSCOMANDA")),
                                       QStringLiteral("RES"), nrMesa);
        return;
    }
    const QString recusa = status == QLatin1String("D")   ? QStringLiteral("OPE_MESA_DISP")
                           : status == QLatin1String("S") ? QStringLiteral("OPE_MESA_CONTASOLI")
                           : status == QLatin1String("R") ? QStringLiteral("OPE_MESA_RECEB")
                                                          : QString();
    if (!recusa.isEmpty()) {
        mensagem(msg(recusa), MsgErro);
        abortSilently();
    }
}

} // namespace tmk
