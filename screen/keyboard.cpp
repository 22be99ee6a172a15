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
    mensagem(QStringLiteral("Comando ainda não disponível neste caixa."), MsgInformacao);
}

} // namespace tmk
