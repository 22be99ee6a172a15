#pragma once

#include "suite/dialogs/notice.h"

#include <QDialog>

class QLineEdit;

namespace tmk {

// The additional information of a receipt (CriaInfAdicional): the e-mail address the
// electronic receipt is sent to, offered with the consumer's registered address. Left
// blank, no e-mail is sent; an address that is not one is told and the dialog stays.
class ReceiptEmailDialog : public QDialog {
    Q_OBJECT

public:
    ReceiptEmailDialog(const QString& endereco, Notice notice, QWidget* parent = nullptr);

    // The confirmed address, without surrounding blanks; empty for none.
    QString endereco() const { return endereco_; }
    // Whether a text, blanks removed, has the form of an e-mail address (name@domain.tld,
    // no blanks inside).
    static bool enderecoValido(const QString& texto);

private:
    void confirma();

    QLineEdit* email_ = nullptr;
    Notice notice_;
    QString endereco_;
};

} // namespace tmk
