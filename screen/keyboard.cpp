// The screen's keys and the typed-number buffer, and the commands of the screen itself.
#include "platform/errors.h"
#include "screen/ger_mesa.h"

namespace tmk {

void TfrmGerMesa::lblSairClick() {
    if (mensagem(msg(QStringLiteral("Sair")), MsgPergunta, true)) {
        st.RetAcao = QStringLiteral("FECHA_SISTEMA");
        fecha();
    }
}

void TfrmGerMesa::avancaAmbiente(int passo) {
    st.IdxAmbienteAtual += passo;
    if (st.IdxAmbienteAtual > 16) {
        st.IdxAmbienteAtual = 1;
    } else if (st.IdxAmbienteAtual < 1) {
        st.IdxAmbienteAtual = 16;
    }
    if (st.IdxAmbienteAtual <= ScreenModel::AreaButtons &&
        model.sbtAmb[size_t(st.IdxAmbienteAtual - 1)].visible) {
        sbtAmb01Click(ScreenModel::areaButtonName(st.IdxAmbienteAtual));
    }
}

void TfrmGerMesa::FormKeyDown(int key, Qt::KeyboardModifiers modifiers, const QString& text) {
    const bool soAlt = modifiers == Qt::AltModifier;
    if (teclaDeComando(key, modifiers)) {
        return;
    }
    switch (key) {
    case Qt::Key_Backspace:
    case Qt::Key_Delete:
        model.lblBuffer.chop(1);
        Q_EMIT changed();
        return;
    case Qt::Key_Escape:
        if (model.commands.value(QStringLiteral("lblSair")).enabled) {
            lblSairClick();
        }
        return;
    case Qt::Key_Left:
        sbtVoltaClick();
        return;
    case Qt::Key_Right:
        sbtFrenteClick();
        return;
    case Qt::Key_Up:
        avancaAmbiente(+1);
        return;
    case Qt::Key_Down:
        avancaAmbiente(-1);
        return;
    case Qt::Key_S:
        if (soAlt) {
            lblSairClick();
            return;
        }
        break;
    case Qt::Key_F4:
        // Alt+F4 is swallowed: the window cannot be closed that way.
        return;
    default:
        break;
    }
    if (soAlt || (modifiers & Qt::ControlModifier)) {
        return;
    }
    // Letters and digits typed without Alt go into the buffer, at most four.
    if (text.size() == 1 && text.at(0).isLetterOrNumber() && model.lblBuffer.size() < 4) {
        model.lblBuffer += text.toUpper();
        Q_EMIT changed();
    }
}

void TfrmGerMesa::comandoClicado(const QString& botao) {
    if (botao == QLatin1String("lblSair")) {
        lblSairClick();
        return;
    }
    if (comandoDeMesa(botao)) {
        return;
    }
    mensagem(QStringLiteral("Comando ainda não disponível neste caixa."), MsgInformacao);
}

// ---- The table commands: their buttons and keys.

namespace {

using Comando = void (TfrmGerMesa::*)();

struct ComandoDeMesa {
    const char* botao;
    Comando comando;
};

const ComandoDeMesa kComandosDeMesa[] = {
    {"sbtNPessoas", &TfrmGerMesa::sbtNPessoasClick},
    {"sbtLiberarMesa", &TfrmGerMesa::sbtLiberarMesaClick},
    {"spbFecha", &TfrmGerMesa::spbFechaClick},
    {"sbpParcial", &TfrmGerMesa::sbpParcialClick},
    {"sbtCancelaItem", &TfrmGerMesa::sbtCancelaItemClick},
    {"sbtCancAbertura", &TfrmGerMesa::sbtCancAberturaClick},
    {"sbtTrocaOperador", &TfrmGerMesa::sbtTrocaOperadorClick},
    {"sbtPedidos", &TfrmGerMesa::sbtPedidosClick},
    {"sbtConsultaCons", &TfrmGerMesa::sbtConsultaConsClick},
};

// A key of a table command; sempre: the key acts whether or not its button is enabled.
struct TeclaDeComando {
    int tecla;
    bool alt;
    const char* botao;
    bool sempre;
};

const TeclaDeComando kTeclasDeComando[] = {
    {Qt::Key_F4, false, "sbtTrocaOperador", false}, {Qt::Key_E, true, "sbtTrocaOperador", false},
    {Qt::Key_L, true, "sbtLiberarMesa", false},     {Qt::Key_A, true, "sbtNPessoas", false},
    {Qt::Key_P, true, "sbpParcial", false},         {Qt::Key_F, true, "spbFecha", false},
    {Qt::Key_I, true, "sbtCancelaItem", false},     {Qt::Key_M, true, "sbtCancAbertura", false},
    {Qt::Key_C, true, "sbtConsultaCons", true},     {Qt::Key_B, true, "sbtPedidos", true},
};

} // namespace

bool TfrmGerMesa::comandoDeMesa(const QString& botao) {
    for (const ComandoDeMesa& c : kComandosDeMesa) {
        if (botao == QLatin1String(c.botao)) {
            (this->*c.comando)();
            return true;
        }
    }
    return false;
}

bool TfrmGerMesa::teclaDeComando(int key, Qt::KeyboardModifiers modifiers) {
    const bool soAlt = modifiers == Qt::AltModifier;
    for (const TeclaDeComando& t : kTeclasDeComando) {
        // F4 acts whatever modifiers are held (Alt+F4 runs it and is then swallowed).
        if (key != t.tecla || (t.alt && !soAlt)) {
            continue;
        }
        const QString botao = QString::fromLatin1(t.botao);
        if (t.sempre || model.commands.value(botao).enabled) {
            comandoDeMesa(botao);
        }
        // Alt+F4 is swallowed after the operator change; F4 with the button disabled too.
        return true;
    }
    return false;
}

} // namespace tmk
