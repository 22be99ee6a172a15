// Typed table number: the table asked on the keypad goes to the table selection.
#include "screen/ger_mesa.h"

namespace tmk {

void TfrmGerMesa::sbpTecladoClick() {
    Verifica_Gaveta();
    if (!ValidaAberCaixa()) {
        return;
    }
    QString nrMesa;
    if (PedeMesa(nrMesa, QStringLiteral("TECLADO"))) {
        ControleMesa(nrMesa);
    }
}

} // namespace tmk
