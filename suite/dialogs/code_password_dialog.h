#pragma once

#include "suite/dialogs/notice.h"

#include <QDialog>
#include <functional>

class QLabel;
class QLineEdit;

namespace tmk {

// Asks a person's code and password on a touch keypad (a supervisor authorising a
// command, a waiter taking a table). The check answers whether the pair is accepted;
// otherwise the message to tell (type 2): the password is then cleared and asked again,
// unless the check gives up, which ends the dialog refused. The keypad types into the
// field last touched ("edtCodigo" or as named, "edtSenha"). Buttons "btnConfirma" and
// "btnCancela".
class CodePasswordDialog : public QDialog {
    Q_OBJECT

public:
    struct Verdict {
        bool granted = false;
        QString code; // the accepted code, as recorded
        QString message;
        bool giveUp = false; // refused for good: the dialog ends
    };
    using Check = std::function<Verdict(const QString& code, const QString& password)>;

    struct Texts {
        QString objectName;
        QString caption;
        QString info;      // the line under the caption
        QString codeLabel; // "Supervisor", "Garçom"
        QString codeFieldName = QStringLiteral("edtCodigo");
        QString initialCode;
        // An empty code is handed to the check (a waiter may be left out) instead of
        // only moving the focus to the code field.
        bool checksEmptyCode = false;
    };

    CodePasswordDialog(const Texts& texts, Check check, Notice notice, QWidget* parent = nullptr);

    QLineEdit* codeField() const { return code_; }
    QLineEdit* passwordField() const { return password_; }
    // The accepted code once the dialog was accepted.
    const QString& acceptedCode() const { return accepted_; }

    void confirm();

private:
    QLineEdit* current() const;

    Check check_;
    Notice notice_;
    bool checksEmptyCode_ = false;
    QLineEdit* code_ = nullptr;
    QLineEdit* password_ = nullptr;
    QLineEdit* last_ = nullptr;
    QString accepted_;
};

} // namespace tmk
