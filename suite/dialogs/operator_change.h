#pragma once

#include "suite/dialogs/access_rights.h"
#include "suite/dialogs/code_password_dialog.h"

#include <QString>

namespace tmk {

// Another operator takes over the till (TrocaOperadorCaixa): a code and password checked
// against the operators' cadastre (AccessRights::signIn; the password is never shown,
// kept or logged), and the till's operator file ("Dados/Cadastros/ControleAcess.cds":
// CDOPERADOR, NMOPERADOR) rewritten to name the new operator, which the screen reloads.
class OperatorChange {
public:
    static QString operatorFile();

    explicit OperatorChange(AccessRights rights, QString file = operatorFile());

    // Checks the pair and, when it signs in, writes the operator file. A refused pair is
    // told and asked again; a file that cannot be written is told and ends the change
    // with nothing changed (giveUp).
    CodePasswordDialog::Verdict check(const QString& code, const QString& password);
    // The operator who signed in (empty until one did) and the name the till shows.
    const QString& code() const { return code_; }
    const QString& name() const { return name_; }

    // Writes the operator file with the code and name, keeping its other columns; the
    // file is replaced whole or not at all. AppError when it cannot be read or written.
    static void writeOperator(const QString& file, const QString& code, const QString& name);

private:
    AccessRights rights_;
    QString file_;
    QString code_;
    QString name_;
};

} // namespace tmk
