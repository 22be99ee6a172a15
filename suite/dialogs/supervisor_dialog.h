#pragma once

#include "suite/dialogs/notice.h"

#include <QDialog>
#include <functional>

class QLineEdit;

namespace tmk {

// Asks a supervisor's code and password on a touch keypad, for a command the operator
// may not run. The check answers an empty text when the pair authorises the command,
// otherwise the message to tell (type 2): the password is then cleared and asked
// again. The keypad types into the field last touched ("edtSupervisor", "edtSenha").
// Buttons "btnConfirma" and "btnCancela".
class SupervisorDialog : public QDialog {
    Q_OBJECT

public:
    // Answers the authorised supervisor's code, or nothing with the message to tell.
    struct Verdict {
        bool granted = false;
        QString supervisor;
        QString message;
    };
    using Check = std::function<Verdict(const QString& code, const QString& password)>;

    SupervisorDialog(const QString& caption, Check check, Notice notice, QWidget* parent = nullptr);

    QLineEdit* codeField() const { return code_; }
    QLineEdit* passwordField() const { return password_; }
    // The authorising supervisor once the dialog was accepted.
    const QString& supervisor() const { return supervisor_; }

    void confirm();

private:
    QLineEdit* current() const;

    Check check_;
    Notice notice_;
    QLineEdit* code_ = nullptr;
    QLineEdit* password_ = nullptr;
    QLineEdit* last_ = nullptr;
    QString supervisor_;
};

} // namespace tmk
