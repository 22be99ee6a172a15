#include "suite/dialogs/supervisor_dialog.h"

namespace tmk {

namespace {

CodePasswordDialog::Texts supervisorTexts(const QString& caption) {
    CodePasswordDialog::Texts t;
    t.objectName = QStringLiteral("AutorizacaoSupervisor");
    t.caption = caption;
    t.info = QStringLiteral("Operador sem permissão para esta operação. "
                            "Informe o código e a senha de um supervisor.");
    t.codeLabel = QStringLiteral("Supervisor");
    t.codeFieldName = QStringLiteral("edtSupervisor");
    return t;
}

} // namespace

SupervisorDialog::SupervisorDialog(const QString& caption, Check check, Notice notice,
                                   QWidget* parent)
    : CodePasswordDialog(supervisorTexts(caption), std::move(check), std::move(notice), parent) {}

} // namespace tmk
