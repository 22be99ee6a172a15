#pragma once

#include "suite/dialogs/account_closing.h"
#include "suite/dialogs/notice.h"

#include <QDialog>

namespace tmk {

// The touch dialog of ParcialConta: the bill of a table that stays open (addBillView),
// "btnImprime" (prints it into the till's print folder) and "btnCancela". Nothing is
// written to the database; a printout that fails is told and the dialog stays.
class PartialBillDialog : public QDialog {
    Q_OBJECT

public:
    // Reads the bill and the branch's name: AppError (DatabaseError) when they cannot be
    // read.
    PartialBillDialog(AccountClosing& account, const TillIdentity& till, Notice notice,
                      QWidget* parent = nullptr);

    const Bill& bill() const { return bill_; }
    // What the print button does, callable without showing the dialog.
    void print();
    // The PDF printed (empty when none).
    const QString& printed() const { return printed_; }

private:
    TillIdentity till_;
    Notice notice_;
    Bill bill_;
    QString nomeFilial_;
    QString printed_;
};

} // namespace tmk
