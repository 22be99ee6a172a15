#pragma once

#include "suite/dialogs/code_password_dialog.h"

namespace tmk {

// Asks a supervisor's code ("edtSupervisor") and password ("edtSenha") for a command the
// operator may not run. The check answers the authorising supervisor's code when the pair
// authorises the command, otherwise the message to tell (type 2): the password is then
// cleared and asked again.
class SupervisorDialog : public CodePasswordDialog {
    Q_OBJECT

public:
    SupervisorDialog(const QString& caption, Check check, Notice notice, QWidget* parent = nullptr);
    // The same with the line under the caption saying what is authorised.
    SupervisorDialog(const QString& caption, const QString& info, Check check, Notice notice,
                     QWidget* parent = nullptr);

    // The authorising supervisor once the dialog was accepted.
    const QString& supervisor() const { return acceptedCode(); }
};

} // namespace tmk
