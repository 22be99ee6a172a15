#pragma once

#include "suite/dialogs/code_password_dialog.h"

#include <QSqlDatabase>
#include <QString>

namespace tmk {

// The waiter's confirmation when an occupied table is continued (ControleSenhOper),
// checked against the waiters' cadastre (VENDEDOR.CDSENHAVEN, enciphered with Cripto and
// kChaveSenhaVendedor; the password is never shown, kept or logged).
//
// The till's IDUTLSENHAOPER selects the mode:
//   "S"    the waiter's code and password are required;
//   "L"    the waiter may be left out (an empty code confirms no waiter); a code that is
//          given needs its password;
//   other  no password: the table's own waiter is confirmed without a dialog.
// Every refused pair counts; the third one ends the dialog refused.
class WaiterPasswordCheck {
public:
    enum class Mode { CodeAndPassword, WaiterOptional, NoPassword };
    static Mode modeOf(const QString& idUtlSenhaOper);
    static constexpr int kMaxFailures = 3;

    WaiterPasswordCheck(QSqlDatabase db, Mode mode);

    Mode mode() const { return mode_; }
    // Accepts or refuses a code and password. DatabaseError when the cadastre cannot be
    // read (not counted as a failure).
    CodePasswordDialog::Verdict check(const QString& code, const QString& password);
    int failures() const { return failures_; }

private:
    CodePasswordDialog::Verdict refuse(const QString& why);

    QSqlDatabase db_;
    Mode mode_;
    int failures_ = 0;
};

} // namespace tmk
