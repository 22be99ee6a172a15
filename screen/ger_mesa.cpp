// The screen object: its timers, the data module it reaches on first use, and the event
// entry every touch, key and tick goes through.
#include "screen/ger_mesa.h"

#include "external/common.h"
#include "platform/event_entry.h"

#include <QLoggingCategory>

Q_LOGGING_CATEGORY(lcScreen, "tmk.screen")

namespace tmk {

TfrmGerMesa::TfrmGerMesa(SuiteLibraries suite, DataModuleProvider dataModule, const Clock& clock,
                         QObject* parent)
    : QObject(parent)
    , suite_(suite)
    , dataModule_(std::move(dataModule))
    , clock_(clock) {
    for (const QString& name : ScreenModel::commandButtonNames()) {
        model.commands.insert(name, CommandButtonModel{});
    }
    timDataHora.setInterval(1000);
    timConexao.setInterval(20000);
    timAtuTicketMed.setInterval(300000);
    connect(&timDataHora, &QTimer::timeout, this, [this] { tick([this] { timDataHoraTimer(); }); });
    connect(&timConexao, &QTimer::timeout, this,
            [this] { tick([this] { DisparaAtualizacao(); }); });
    connect(&timAtuTicketMed, &QTimer::timeout, this, [this] {
        tick([this] {
            if (model.ticketPanelVisible) {
                AtualizaTicketMedio();
            }
        });
    });
    timDataHora.start();
    timAtuTicketMed.start();
    timMudanca_.setSingleShot(true);
    connect(&timMudanca_, &QTimer::timeout, this, [this] { atualizaPorMudanca(); });
}

TfrmGerMesa::~TfrmGerMesa() = default;

TrdmGerMesa& TfrmGerMesa::dm() {
    if (!dm_) {
        dm_ = &dataModule_();
    }
    return *dm_;
}

bool TfrmGerMesa::evento(const std::function<void()>& handler) {
    ++busy_;
    const bool done =
        runEventEntry(handler, [this](const QString& text) { mensagem(text, MsgErro); });
    --busy_;
    // A refresh that came due while the command ran comes now.
    if (busy_ == 0) {
        agendaAtualizacao();
    }
    Q_EMIT changed();
    return done;
}

void TfrmGerMesa::tick(const std::function<void()>& handler) {
    // A tick never interrupts a running command (or a message box of one).
    if (busy_ > 0) {
        return;
    }
    evento(handler);
}

void TfrmGerMesa::setCommand(const QString& name, bool enabled, bool visible) {
    auto& button = model.commands[name];
    button.enabled = enabled;
    button.visible = visible;
}

void TfrmGerMesa::fecha() {
    ++fechamentos_;
    FormClose();
    Q_EMIT closeRequested();
}

} // namespace tmk
