// The guards every table command passes: the drawer, the cash register, the business
// day and the operator's access right.
#include "external/common.h"
#include "platform/errors.h"
#include "screen/ger_mesa.h"

namespace tmk {

void TfrmGerMesa::Verifica_Gaveta() {
    const bool temGaveta = !st.IdTipoGaveta.isEmpty() && st.IdTipoGaveta != QLatin1String("0");
    if (!st.UtilizaImpFis) {
        if (temGaveta && (st.SistemaKovSat || st.SistemaKovNfce) &&
            st.IdVerGavetaNFis == QLatin1String("S") &&
            suite_.dialogs->VerificaStatusGaveta(st.IdTipoImpNF3, st.CdPortImpNF3) == 1) {
            mensagem(msg(QStringLiteral("Gaveta_Aberta")), MsgAviso);
            abortSilently();
        }
        return;
    }
    if (!temGaveta) {
        return;
    }
    QString status;
    suite_.fiscal->Estado_Gaveta_Imp(st.IdEsquema, status);
    bool aberta = false;
    if (status == QLatin1String("00") && st.IdTipoGaveta == QLatin1String("1")) {
        aberta = true;
    } else {
        suite_.fiscal->Estado_Gaveta_Imp(st.IdEsquema, status);
        aberta = status != QLatin1String("00") && st.IdTipoGaveta == QLatin1String("2");
    }
    if (aberta) {
        mensagem(msg(QStringLiteral("Gaveta_Aberta")), MsgErro);
        abortSilently();
    }
}

bool TfrmGerMesa::ValidaAberCaixa() {
    bool resultado = true;
    if ((st.IdColetor == QLatin1String("R") || st.IdColetor == QLatin1String("N")) &&
        (!cdsAberturaCaixa.active() || cdsAberturaCaixa.isEmpty())) {
        mensagem(msg(QStringLiteral("Caixa_Fechado"), {st.CdCaixa}), MsgInformacao);
        resultado = false;
    }
    if (st.ErroImpressora) {
        mensagem(msg(QStringLiteral("ERRO_IMPRESSORA")), MsgErro);
        resultado = false;
    }
    return resultado;
}

void TfrmGerMesa::VerificaFechamentoDia() {
    if (st.UtilizaImpFis || st.IdColetor == QLatin1String("C") ||
        st.IdObrigFechCaix != QLatin1String("S")) {
        return;
    }
    const QDate hoje = clock_.today();
    const bool depoisDoSistema = st.DataSistema.isValid() ? hoje > st.DataSistema.date() : true;
    const bool depoisDaAbertura = st.DtAberCaixa.isValid() ? hoje > st.DtAberCaixa.date() : true;
    if (depoisDoSistema || depoisDaAbertura) {
        mensagem(msg(QStringLiteral("Fecha_Caixa")), MsgInformacao);
        abortSilently();
    }
}

bool TfrmGerMesa::VerificaAcesso(int codigoAcesso) {
    return suite_.dialogs->VerificaAcesso(codigoAcesso, st.CdOperador, st.CdOperAutoriz);
}

} // namespace tmk
