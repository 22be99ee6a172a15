// Consumer consultation: the consumer search dialog in consultation mode; the screen keeps
// nothing of what it answers.
#include "external/common.h"
#include "platform/errors.h"
#include "screen/ger_mesa.h"

namespace tmk {

void TfrmGerMesa::sbtConsultaConsClick() {
    QString consumidor;
    QString cdCliente = st.CdCliente; // a copy: the dialog's answer is discarded
    QStringList respostas;
    try {
        suite_.dialogs->PesqConsumidor(QStringLiteral("CONSULTA"), 0, consumidor,
                                       QStringLiteral("1"), QStringLiteral("A"), cdsCliente,
                                       cdCliente, respostas);
    } catch (const SilentAbort&) {
        throw;
    } catch (const std::exception& e) {
        mensagem(exceptionText(e), MsgErro);
    }
}

} // namespace tmk
