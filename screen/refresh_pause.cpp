#include "screen/ger_mesa.h"

namespace tmk {

PausaAtualizacao::PausaAtualizacao(TfrmGerMesa& tela)
    : tela_(tela)
    , fechamentos_(tela.vezesFechada()) {
    tela_.DesabilitaTimer();
}

PausaAtualizacao::~PausaAtualizacao() {
    if (tela_.vezesFechada() == fechamentos_) {
        tela_.HabilitaTimer();
    }
}

} // namespace tmk
