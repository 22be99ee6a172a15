#pragma once

#include "suite/dialogs/account_closing.h"
#include "suite/dialogs/notice.h"

#include <QDialog>

class QComboBox;
class QVBoxLayout;

namespace tmk {

// The bill's items ("tblItens": product, quantity, price, total) and amounts
// ("lblConsumo", "lblCouvert", "lblConsumacao", "lblTaxaServico", "lblTotal") added to a
// dialog's layout; the closing and the partial bill show it alike.
void addBillView(QVBoxLayout* layout, const Bill& bill, QWidget* parent);

// The touch dialog of FechaConta: the bill of the table's pads ("tblItens", the amounts
// "lblConsumo", "lblCouvert", "lblConsumacao", "lblTaxaServico", "lblTotal"), an
// optional consumer ("cmbConsumidor", the first row none), "btnConfirma" (requests the
// bill and prints it) and "btnCancela" (changes nothing). A refused request is told
// (type 3) and the dialog stays, so the operator may try again or cancel; a bill that was
// requested but could not be printed is told and the dialog ends accepted.
class AccountClosingDialog : public QDialog {
    Q_OBJECT

public:
    // Reads the bill, the consumers and the branch's name: AppError (DatabaseError) when
    // they cannot be read.
    AccountClosingDialog(AccountClosing& closing, const TillIdentity& till, Notice notice,
                         QWidget* parent = nullptr);

    const Bill& bill() const { return bill_; }
    // What the buttons do, callable without showing the dialog.
    void chooseConsumer(const QString& code); // empty: none
    void confirm();

    // The consumer chosen (empty when none) and the PDF printed (empty when none).
    QString cdConsumidor() const;
    const QString& printed() const { return printed_; }

private:
    AccountClosing& closing_;
    TillIdentity till_;
    Notice notice_;
    Bill bill_;
    QString nomeFilial_;
    QList<TableOpening::Consumer> consumers_;
    QComboBox* consumer_ = nullptr;
    QString printed_;
};

} // namespace tmk
