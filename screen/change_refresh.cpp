// Following the other tills: a change they commit to the store's map refreshes this one's
// within a moment, instead of at the next tick of the periodic refresh.
#include "platform/errors.h"
#include "screen/ger_mesa.h"
#include "service/change_listener.h"
#include "service/data_module.h"

#include <QLoggingCategory>

Q_DECLARE_LOGGING_CATEGORY(lcScreen)

namespace tmk {

void TfrmGerMesa::SegueMudancas() {
    if (!dm_) {
        return;
    }
    try {
        ChangeListener& listener = dm_->changeListener(st.CdFilial, st.CdLoja);
        connect(&listener, &ChangeListener::changed, this, &TfrmGerMesa::MudancaNotificada,
                Qt::UniqueConnection);
    } catch (const AppError& e) {
        // The periodic refresh still follows the other tills.
        qCWarning(lcScreen) << "changes of other tills not followed:" << e.message();
    }
}

void TfrmGerMesa::MudancaNotificada() {
    mudancaPendente_ = true;
    agendaAtualizacao();
}

void TfrmGerMesa::agendaAtualizacao() {
    if (!mudancaPendente_ || timMudanca_.isActive() || !timConexao.isActive()) {
        return;
    }
    const qint64 desde =
        ultimaAtualizacao_.isValid() ? ultimaAtualizacao_.elapsed() : kIntervaloMudancas;
    timMudanca_.start(int(std::max<qint64>(0, kIntervaloMudancas - desde)));
}

void TfrmGerMesa::atualizaPorMudanca() {
    // Under a running command, or with the refresh timer stopped, the refresh waits: the
    // end of the command or the timer's start schedules it again.
    if (!mudancaPendente_ || busy_ > 0 || !timConexao.isActive()) {
        return;
    }
    tick([this] { DisparaAtualizacao(); });
}

} // namespace tmk
