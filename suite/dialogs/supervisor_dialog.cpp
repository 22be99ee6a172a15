#include "suite/dialogs/supervisor_dialog.h"

namespace tmk {

namespace {

CodePasswordDialog::Texts supervisorTexts(const QString& caption, const QString& info) {
    CodePasswordDialog::Texts t;
    t.objectName = QStringLiteral("AutorizacaoSupervisor");
    t.caption = caption;
    t.info = info.isEmpty() ? QStringLiteral("Operador sem permissão para esta operação. "
                                             "Informe o código e a senha de um supervisor.")
                            : info;
    t.codeLabel = QStringLiteral("Supervisor");
    t.codeFieldName = QStringLiteral("edtSupervisor");
    return t;
}

} // namespace

SupervisorDialog::SupervisorDialog(const QString& caption, Check check, Notice notice,
                                   QWidget* parent)
    : CodePasswordDialog(supervisorTexts(caption, {}), std::move(check), std::move(notice),
                         parent) {}

SupervisorDialog::SupervisorDialog(const QString& caption, const QString& info, Check check,
                                   Notice notice, QWidget* parent)
    : CodePasswordDialog(supervisorTexts(caption, info), std::move(check), std::move(notice),
                         parent) {}

} // namespace tmk
