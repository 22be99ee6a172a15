// Operator change: another operator takes over the till without leaving the screen. The
// new operator's code, name and rights take effect at once.
#include "external/common.h"
#include "platform/errors.h"
#include "screen/ger_mesa.h"
#include "service/state_updates.h"

namespace tmk {

void TfrmGerMesa::sbtTrocaOperadorClick() {
    Verifica_Gaveta();
    if (!VerificaAcesso(st.CtTrocaOperador)) {
        return;
    }
    if (st.IdPerTrocaOp != QLatin1String("S")) {
        mensagem(msg(QStringLiteral("Troca_Nao")), MsgErro);
        abortSilently();
    }
    QString nome = st.NmOperador;
    if (!suite_.dialogs->TrocaOperadorCaixa(nome)) {
        return; // nobody took over: nothing changes and nothing is recorded
    }
    // The dialog wrote the till's operator file: code and name come from there, so the
    // access checks and the records from now on are the new operator's.
    st.NmOperador = nome;
    carregaOperador();
    ControlaHabilitacao();
    PreencheRodape();
    servico(setLogAcesso(dm(), st.CdOperador), QStringLiteral("setLogAcesso"), {st.CdOperador});
}

} // namespace tmk
