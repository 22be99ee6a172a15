// Opening cancellation: frees an occupied table that holds no real order, deleting its
// sale and order pads through the opening-cancellation service.
#include "service/opening_cancel.h"

#include "external/common.h"
#include "platform/errors.h"
#include "screen/ger_mesa.h"
#include "service/map_reads.h"

namespace tmk {

void TfrmGerMesa::sbtCancAberturaClick() {
    Verifica_Gaveta();
    if (!VerificaAcesso(st.CtCancComanda) || !ValidaAberCaixa()) {
        return;
    }
    CancelaAbertura();
    DisparaAtualizacao();
}

void TfrmGerMesa::CancelaAbertura() {
    QString nrMesa;
    if (!PedeMesa(nrMesa, QStringLiteral("CANC_ABER"))) {
        return;
    }
    carrega(cdsStatusMesas, getStatusMesa(dm(), st.CdFilial, st.CdLoja, st.NrConfTela),
            QStringLiteral("getStatusMesa"), {st.CdFilial, st.CdLoja, st.NrConfTela});
    if (!cdsStatusMesas.locate(QStringLiteral("NRMESA"), nrMesa)) {
        mensagem(msg(QStringLiteral("MESANCAD")), MsgErro);
        abortSilently();
    }
    const QString status = campo(cdsStatusMesas, QStringLiteral("IDSTMESAAUX"));
    if (status == QLatin1String("D")) {
        mensagem(msg(QStringLiteral("Mesa_Disp")), MsgErro);
        return;
    }
    if (status == QLatin1String("S") || status == QLatin1String("R")) {
        mensagem(msg(QStringLiteral("Mesa_Conta_Soli")), MsgErro);
        return;
    }
    if (status != QLatin1String("O") && status != QLatin1String("C")) {
        return;
    }
    // From here an error is told (type 3) by the event entry and ends the command, the
    // map's refresh included.
    carrega(cdsInfoMesa, getRetornaInfoMesa(dm(), st.CdFilial, st.CdLoja, nrMesa),
            QStringLiteral("getRetornaInfoMesa"), {st.CdFilial, st.CdLoja, nrMesa});
    const QString resultado =
        servico(getCancelaAbertura(dm(), st.CdFilial, st.CdLoja, st.CdCaixa, nrMesa, st.CdOperador,
                                   st.CdProdConsum, st.CdProdConsuf, st.CdProdCouver),
                QStringLiteral("setCancelaAbertura"), {st.CdFilial, st.CdLoja, st.CdCaixa, nrMesa},
                7, QStringLiteral("Tmk00470"))
            .toString();
    if (resultado == QLatin1String("MES_JUN")) {
        mensagem(msg(QStringLiteral("MES_JUN")), MsgInformacao);
        return;
    }
    if (resultado == QLatin1String("CMD_ITC")) {
        mensagem(msg(QStringLiteral("MESA_ITCAD")), MsgInformacao);
        return;
    }
    // Only an empty answer is a cancellation done.
    if (!resultado.isEmpty()) {
        mensagem(msg(QStringLiteral("Mesa_N_Canc")) + QLatin1Char(' ') + resultado, MsgErro);
        return;
    }
    gravaLogAcesso(QStringLiteral("CAN_MES"), msg(QStringLiteral("Canc_Aber1")),
                   msg(QStringLiteral("Canc_Aber2")) + QLatin1Char(' ') + nrMesa,
                   campo(cdsInfoMesa, QStringLiteral("NRVENDAREST")),
                   campo(cdsInfoMesa, QStringLiteral("NRCOMANDA")),
                   campo(cdsInfoMesa, QStringLiteral("DSCOMANDA")), nrMesa);
    mensagem(msg(QStringLiteral("Mesa_Canc")), MsgInformacao);
}

} // namespace tmk
