// The commands of the screen itself: leaving, the general and operational functions, the
// price query, the fiscal reports and the cash drawer.
#include "external/common.h"
#include "platform/errors.h"
#include "screen/ger_mesa.h"

namespace tmk {

void TfrmGerMesa::lblSairClick() {
    if (mensagem(msg(QStringLiteral("Sair")), MsgPergunta, true)) {
        st.RetAcao = QStringLiteral("FECHA_SISTEMA");
        fecha();
    }
}

void TfrmGerMesa::sbtFuncoesClick() {
    if (st.UtilizaImpFis && !st.ErroImpressora) {
        QString retorno;
        if (!suite_.fiscal->VerificaData(st.IdEsquema, retorno, QString(), st.DataImp, 1)) {
            return;
        }
        Verifica_Gaveta();
    }
    if (suite_.dialogs->CriaFuncoesFiscais(0, 0, 0)) {
        // Another operator or business day may have been set from the general functions.
        carregaOperadorEData();
        // The command buttons follow the operator now at the till.
        ControlaHabilitacao();
    } else {
        st.RetAcao = QStringLiteral("FECHA_SISTEMA");
        fecha();
    }
    PreencheRodape();
}

void TfrmGerMesa::sbtMenuClick() {
    Verifica_Gaveta();
    if (ValidaAberCaixa()) {
        suite_.dialogs->CriaMenuMesa(st.CdFilial, st.CdLoja, st.NrConfTela, 0);
        DisparaAtualizacao();
    }
}

void TfrmGerMesa::sbtConsultaPrecoClick() {
    Verifica_Gaveta();
    if (VerificaAcesso(st.CtConsultaPreco)) {
        suite_.dialogs->CriaConsultaPreco();
    }
}

void TfrmGerMesa::RelatoriosFiscais() {
    suite_.dialogs->RelFiscais();
}

void TfrmGerMesa::AbreGaveta() {
    if (st.IdTipoGaveta.isEmpty() || st.IdTipoGaveta == QLatin1String("0")) {
        mensagem(msg(QStringLiteral("GAV_S_PAR")), MsgInformacao);
        return;
    }
    Verifica_Gaveta();
    if (!VerificaAcesso(st.CtAbrirGaveta)) {
        return;
    }
    // The opening is recorded only when the drawer really opened.
    if (!st.UtilizaImpFis) {
        try {
            suite_.dialogs->AbreGaveta(st.IdTipoImpNF3, st.CdPortImpNF3);
        } catch (const AppError& e) {
            mensagem(e.message(), MsgErro);
            return;
        }
    } else if (!suite_.fiscal->Abre_Gaveta_Imp(st.CdPortaImpFis, st.IdEsquema, true)) {
        mensagem(QStringLiteral("A gaveta não abriu."), MsgErro);
        return;
    }
    const QString motivo = msg(QStringLiteral("Mot_Abr_Gav"));
    gravaLogAcesso(QStringLiteral("ABR_GAV"), motivo, motivo);
}

} // namespace tmk
