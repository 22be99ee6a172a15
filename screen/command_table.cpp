// The screen's command table: every key and every command button, and the command each
// one runs.
#include "screen/command_table.h"

#include "external/common.h"
#include "screen/ger_mesa.h"

#include <cstring>

namespace tmk {

namespace {

using T = TfrmGerMesa;
constexpr bool Alt = true;
constexpr bool Qualquer = false;
constexpr bool Habilitado = true;
constexpr bool Sempre = false;

const CommandRoute kRoutes[] = {
    // The screen's own keys.
    {"", Qt::Key_Backspace, Qualquer, Sempre, &T::apagaDigito},
    {"", Qt::Key_Delete, Qualquer, Sempre, &T::apagaDigito},
    {"", Qt::Key_Return, Qualquer, Sempre, &T::AbreMesaDigitada},
    {"", Qt::Key_Enter, Qualquer, Sempre, &T::AbreMesaDigitada},
    {"", Qt::Key_Left, Qualquer, Sempre, &T::sbtVoltaClick},
    {"", Qt::Key_Right, Qualquer, Sempre, &T::sbtFrenteClick},
    {"", Qt::Key_Up, Qualquer, Sempre, &T::ambienteSeguinte},
    {"", Qt::Key_Down, Qualquer, Sempre, &T::ambienteAnterior},
    {"", Qt::Key_F1, Qualquer, Sempre, &T::RelatoriosFiscais},
    {"", Qt::Key_F12, Qualquer, Sempre, &T::AbreGaveta},
    // The command buttons. F4 acts with any modifier, so Alt+F4 changes the operator
    // too; the window itself never closes on Alt+F4.
    {"lblSair", Qt::Key_Escape, Qualquer, Habilitado, &T::lblSairClick},
    {"lblSair", Qt::Key_S, Alt, Sempre, &T::lblSairClick},
    {"sbtFuncoes", Qt::Key_F9, Qualquer, Habilitado, &T::sbtFuncoesClick},
    {"sbtMenu", Qt::Key_O, Alt, Habilitado, &T::sbtMenuClick},
    {"sbtReserva", Qt::Key_R, Alt, Habilitado, &T::sbtReservaClick},
    {"sbtConsultaPreco", Qt::Key_F5, Qualquer, Habilitado, &T::sbtConsultaPrecoClick},
    {"sbpTeclado", Qt::Key_T, Alt, Habilitado, &T::sbpTecladoClick},
    {"spbFecha", Qt::Key_F, Alt, Habilitado, &T::spbFechaClick},
    {"sbpParcial", Qt::Key_P, Alt, Habilitado, &T::sbpParcialClick},
    {"sbtPedidos", Qt::Key_B, Alt, Sempre, &T::sbtPedidosClick},
    {"sbtNPessoas", Qt::Key_A, Alt, Habilitado, &T::sbtNPessoasClick},
    {"sbtLiberarMesa", Qt::Key_L, Alt, Habilitado, &T::sbtLiberarMesaClick},
    {"sbtCancelaItem", Qt::Key_I, Alt, Habilitado, &T::sbtCancelaItemClick},
    {"sbtCancAbertura", Qt::Key_M, Alt, Habilitado, &T::sbtCancAberturaClick},
    {"sbtTrocaOperador", Qt::Key_F4, Qualquer, Habilitado, &T::sbtTrocaOperadorClick},
    {"sbtTrocaOperador", Qt::Key_E, Alt, Habilitado, &T::sbtTrocaOperadorClick},
    {"sbtConsultaCons", Qt::Key_C, Alt, Sempre, &T::sbtConsultaConsClick},
};

} // namespace

std::span<const CommandRoute> commandRoutes() {
    return kRoutes;
}

const CommandRoute* routeForKey(int key, Qt::KeyboardModifiers modifiers) {
    // The keypad's own flag says where a key came from, not what is held.
    const bool soAlt = (modifiers & ~Qt::KeypadModifier) == Qt::AltModifier;
    for (const CommandRoute& r : kRoutes) {
        if (r.tecla == key && (!r.soComAlt || soAlt)) {
            return &r;
        }
    }
    return nullptr;
}

const CommandRoute* routeForButton(const char* botao) {
    if (!botao || !*botao) {
        return nullptr;
    }
    for (const CommandRoute& r : kRoutes) {
        if (std::strcmp(r.botao, botao) == 0) {
            return &r;
        }
    }
    return nullptr;
}

void TfrmGerMesa::comandoIndisponivel() {
    mensagem(QStringLiteral("Comando ainda não disponível neste caixa."), MsgInformacao);
}

} // namespace tmk
