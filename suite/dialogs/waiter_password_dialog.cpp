// ControleSenhOper: the waiter's confirmation when an occupied table is continued.

#include "external/common.h"
#include "platform/errors.h"
#include "suite/dialogs/suite_dialogs.h"
#include "suite/dialogs/waiter_password.h"

namespace tmk {

namespace {

void setFirst(QVariantList& retorno, const QString& waiter) {
    while (retorno.size() < 10) {
        retorno.append(QVariant());
    }
    retorno[0] = waiter;
}

} // namespace

bool SuiteDialogs::ControleSenhOper(const QVariantList& params, int /*lastIndex*/,
                                    QVariantList& retorno) {
    const QString modo = params.value(1).toString();
    const QString garcomDaMesa = params.value(3).toString().trimmed();
    WaiterPasswordCheck check(db_, WaiterPasswordCheck::modeOf(modo));
    if (check.mode() == WaiterPasswordCheck::Mode::NoPassword) {
        setFirst(retorno, garcomDaMesa);
        return true;
    }
    CodePasswordDialog::Texts texts;
    texts.objectName = QStringLiteral("SenhaGarcom");
    texts.caption = QStringLiteral("Senha do garçom");
    texts.info = check.mode() == WaiterPasswordCheck::Mode::WaiterOptional
                     ? QStringLiteral("Informe o código e a senha do garçom, ou confirme sem "
                                      "código para seguir sem garçom.")
                     : QStringLiteral("Informe o código e a senha do garçom que vai atender a "
                                      "mesa.");
    texts.codeLabel = QStringLiteral("Garçom");
    texts.codeFieldName = QStringLiteral("edtVendedor");
    texts.initialCode = garcomDaMesa;
    texts.checksEmptyCode = check.mode() == WaiterPasswordCheck::Mode::WaiterOptional;
    const Notice notice = [this](const QString& text, int tipo) {
        showMessage(text, tipo);
    };
    CodePasswordDialog dialog(
        texts,
        [&check, &notice](const QString& code, const QString& password) {
            try {
                return check.check(code, password);
            } catch (const AppError& e) {
                // The cadastre could not be read: told, and not counted against the waiter.
                notice(e.message(), MsgErro);
                return CodePasswordDialog::Verdict{};
            }
        },
        notice, dialogParent());
    if (execDialog(dialog) != QDialog::Accepted) {
        return false;
    }
    setFirst(retorno, dialog.acceptedCode());
    return true;
}

} // namespace tmk
