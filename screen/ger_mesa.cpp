#include "screen/ger_mesa.h"

#include "platform/errors.h"
#include "platform/event_entry.h"
#include "platform/service_result.h"

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

QString TfrmGerMesa::msg(const QString& key, const QStringList& args) const {
    QString text = msgPadrao().Msg(key);
    for (const QString& arg : args) {
        const int at = text.indexOf(QStringLiteral("%s"));
        if (at < 0) {
            break;
        }
        text.replace(at, 2, arg);
    }
    return text;
}

bool TfrmGerMesa::mensagem(const QString& texto, int tipo, bool pergunta) {
    return suite_.common->Mensagem(texto, QString(), QStringLiteral("N"),
                                   pergunta ? QStringLiteral("S") : QStringLiteral("N"), tipo,
                                   QString(), st.IdEsquema, 0, nullptr);
}

QVariant TfrmGerMesa::servico(const QVariant& resultado, const QString& operacao,
                              const QStringList& contexto, int modo, const QString& unidade) {
    return suite_.common->MensagemMetodo(resultado, true, modo, operacao, unidade,
                                         contexto.join(QLatin1Char('-')), st.IdEsquema);
}

void TfrmGerMesa::carrega(ClientDataSet& cds, const QVariant& resultado, const QString& operacao,
                          const QStringList& contexto, const QString& unidade) {
    const QVariant valor = servico(resultado, operacao, contexto, 0, unidade);
    if (valor.metaType() != QMetaType::fromType<DataPacket>()) {
        throw AppError(
            QStringLiteral("A operação %1 não devolveu um pacote de dados.").arg(operacao));
    }
    cds.setData(valor.value<DataPacket>());
    cds.setLogChanges(false);
}

void TfrmGerMesa::setCommand(const QString& name, bool enabled, bool visible) {
    auto& button = model.commands[name];
    button.enabled = enabled;
    button.visible = visible;
}

void TfrmGerMesa::FormCreate() {
    suite_.common->Trad(this);
}

void TfrmGerMesa::FormClose() {
    Q_EMIT closed();
}

void TfrmGerMesa::fecha() {
    FormClose();
    Q_EMIT closeRequested();
}

void TfrmGerMesa::LimpaCDS() {
    for (ClientDataSet* cds : {&cdsListaComanda, &cdsMovCaixa, &cdsListaComandaCanc,
                               &cdsFamiliaSaldo, &cdsEmprestimoFam, &cdsItComandaEst}) {
        if (cds->active()) {
            cds->emptyDataSet();
        }
    }
}

} // namespace tmk
