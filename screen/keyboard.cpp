// The screen's keys and the typed-number buffer.
#include "external/common.h"
#include "platform/errors.h"
#include "screen/command_table.h"
#include "screen/ger_mesa.h"

namespace tmk {

void TfrmGerMesa::avancaAmbiente(int passo) {
    st.IdxAmbienteAtual += passo;
    if (st.IdxAmbienteAtual > 16) {
        st.IdxAmbienteAtual = 1;
    } else if (st.IdxAmbienteAtual < 1) {
        st.IdxAmbienteAtual = 16;
    }
    // Positions 13 to 16 have no area button: the index moves and nothing else happens.
    if (st.IdxAmbienteAtual <= ScreenModel::AreaButtons &&
        model.sbtAmb[size_t(st.IdxAmbienteAtual - 1)].visible) {
        sbtAmb01Click(ScreenModel::areaButtonName(st.IdxAmbienteAtual));
    }
}

void TfrmGerMesa::ambienteSeguinte() {
    avancaAmbiente(+1);
}

void TfrmGerMesa::ambienteAnterior() {
    avancaAmbiente(-1);
}

void TfrmGerMesa::apagaDigito() {
    model.lblBuffer.chop(1);
    Q_EMIT changed();
}

void TfrmGerMesa::AbreMesaDigitada() {
    Verifica_Gaveta();
    if (!ValidaAberCaixa()) {
        model.lblBuffer.clear();
        Q_EMIT changed();
        return;
    }
    if (model.lblBuffer.isEmpty()) {
        abortSilently();
    }
    // A silent abort of the selection leaves the typed number in the buffer.
    ControleMesa(Ajusta(model.lblBuffer, 4));
    model.lblBuffer.clear();
    Q_EMIT changed();
}

void TfrmGerMesa::FormKeyDown(int key, Qt::KeyboardModifiers modifiers, const QString& text) {
    if (const CommandRoute* r = routeForKey(key, modifiers)) {
        if (r->soHabilitado && !model.commands.value(QString::fromLatin1(r->botao)).enabled) {
            return;
        }
        (this->*(r->comando))();
        return;
    }
    if ((modifiers & Qt::AltModifier) || (modifiers & Qt::ControlModifier)) {
        return;
    }
    // Letters and digits typed without Alt go into the buffer, at most four.
    if (text.size() == 1 && text.at(0).isLetterOrNumber() && model.lblBuffer.size() < 4) {
        model.lblBuffer += text.toUpper();
        Q_EMIT changed();
    }
}

void TfrmGerMesa::comandoClicado(const QString& botao) {
    const QByteArray nome = botao.toLatin1();
    const CommandRoute* r = routeForButton(nome.constData());
    if (!r) {
        throw AppError(QStringLiteral("Botão %1 sem comando nesta tela.").arg(botao));
    }
    // A disabled button cannot be touched; a stray call of one does nothing.
    if (!model.commands.value(botao).enabled) {
        return;
    }
    (this->*(r->comando))();
}

} // namespace tmk
