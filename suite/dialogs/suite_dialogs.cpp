#include "suite/dialogs/suite_dialogs.h"

#include "platform/errors.h"
#include "suite/common_ui/suite_common_utility.h"
#include "suite/devices/nfce_emitter.h"
#include "suite/devices/sat_device.h"
#include "suite/devices/simulated_drawer.h"
#include "suite/devices/tef_terminal.h"
#include "suite/dialogs/access_rights.h"
#include "suite/dialogs/dialogs_log.h"
#include "suite/dialogs/dialogs_statements.h"
#include "suite/dialogs/keypad_dialog.h"
#include "suite/dialogs/supervisor_dialog.h"

#include <QApplication>
#include <QMessageBox>

namespace tmk {

SuiteDialogs::SuiteDialogs(QSqlDatabase db, QWidget* parent)
    : db_(std::move(db))
    , parent_(parent)
    , nfce_(std::make_shared<SimulatedNfceEmitter>())
    , sat_(std::make_shared<SimulatedSat>())
    , tef_(std::make_shared<SimulatedTef>()) {
    // The statements of the connection's dialect are checked now, not at their first use.
    if (db_.isValid()) {
        dialogsStatements().of(db_);
    }
}

SuiteDialogs::~SuiteDialogs() {
    DesativaProcesso();
}

void SuiteDialogs::setFiscalSaleProvider(FiscalSaleProvider provider) {
    saleProvider_ = std::move(provider);
}

void SuiteDialogs::setNfceEmitter(std::shared_ptr<NfceEmitter> emitter) {
    nfce_ = std::move(emitter);
}

void SuiteDialogs::setSatDevice(std::shared_ptr<SatDevice> sat) {
    sat_ = std::move(sat);
}

QWidget* SuiteDialogs::dialogParent() const {
    return parent_ ? parent_.data() : QApplication::activeWindow();
}

int SuiteDialogs::execDialog(QDialog& dialog) {
    return dialog.exec();
}

void SuiteDialogs::showMessage(const QString& text, int tipo) {
    auto box = SuiteCommonUtility::buildMessageBox(text, QStringLiteral("N"), tipo, dialogParent());
    box->exec();
}

void SuiteDialogs::tellFault(const AccessRights& rights) {
    const QString fault = rights.fault();
    if (fault.isEmpty() || fault == faultTold_) {
        return;
    }
    faultTold_ = fault;
    showMessage(rights.operatorsReadable()
                    ? QStringLiteral("%1 Até que o arquivo seja corrigido, cada operação "
                                     "protegida pede a autorização de um supervisor.")
                          .arg(fault)
                    : QStringLiteral("%1 Até que o arquivo seja corrigido, as operações "
                                     "protegidas não podem ser autorizadas.")
                          .arg(fault),
                MsgErro);
}

void SuiteDialogs::ControleAcess(int codigoAcesso, const QString& cdOperador, QString& resultado) {
    const AccessRights rights = AccessRights::load();
    if (!rights.readable()) {
        tellFault(rights);
        resultado = QStringLiteral("S");
        return;
    }
    resultado =
        rights.allowed(codigoAcesso, cdOperador) ? QStringLiteral("S") : QStringLiteral("N");
}

bool SuiteDialogs::VerificaAcesso(int codigoAcesso, const QString& cdOperador,
                                  QString& cdOperAutoriz) {
    const AccessRights rights = AccessRights::load();
    if (!rights.operatorsReadable()) {
        cdOperAutoriz.clear();
        faultTold_.clear(); // told at every refused command
        tellFault(rights);
        return false;
    }
    if (rights.allowed(codigoAcesso, cdOperador)) {
        cdOperAutoriz = cdOperador;
        return true;
    }
    cdOperAutoriz.clear();
    tellFault(rights);
    qCInfo(lcSuiteDialogs).noquote()
        << "operator" << cdOperador << "lacks right" << codigoAcesso << "; asking a supervisor";
    if (!rights.hasSupervisors()) {
        showMessage(QStringLiteral("Operador sem permissão para esta operação e não há "
                                   "supervisor cadastrado neste caixa."),
                    MsgAviso);
        return false;
    }
    SupervisorDialog dialog(
        QStringLiteral("Autorização do supervisor"),
        [&rights, codigoAcesso](const QString& code, const QString& password) {
            const AccessRights::Authorisation a = rights.authorise(codigoAcesso, code, password);
            return SupervisorDialog::Verdict{a.granted(), a.supervisor, a.message};
        },
        [this](const QString& text, int tipo) { showMessage(text, tipo); }, dialogParent());
    if (execDialog(dialog) != QDialog::Accepted || dialog.supervisor().isEmpty()) {
        return false;
    }
    cdOperAutoriz = dialog.supervisor();
    return true;
}

bool SuiteDialogs::TecladoNumerico(QString& valor, const QString& caption, const QString& prompt,
                                   const QString& msgVazio, int maxDigitos, int /*a6*/, int /*a7*/,
                                   int /*a8*/, int /*a9*/, int /*a10*/) {
    KeypadDialog dialog(
        caption, prompt, msgVazio, maxDigitos,
        [this](const QString& text, int tipo) { showMessage(text, tipo); }, dialogParent());
    if (execDialog(dialog) != QDialog::Accepted || dialog.value().isEmpty()) {
        return false;
    }
    valor = dialog.value();
    return true;
}

void SuiteDialogs::AbreGaveta(const QString& idTipoImp, const QString& cdPorta) {
    if (!abrirGavetaImpressoraNaoFiscal(idTipoImp, cdPorta)) {
        throw AppError(QStringLiteral("Não foi possível abrir a gaveta (arquivo \"%1\").")
                           .arg(simulatedDrawerFile()));
    }
}

int SuiteDialogs::VerificaStatusGaveta(const QString& idTipoImp, const QString& cdPorta) {
    return gavetaImpressoraNaoFiscalAberta(idTipoImp, cdPorta) ? 1 : 0;
}

} // namespace tmk
