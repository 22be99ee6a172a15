#pragma once

#include "suite/dialogs/keypad_model.h"
#include "suite/dialogs/notice.h"
#include "suite/dialogs/table_opening.h"

#include <QDialog>
#include <QHash>

class QButtonGroup;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace tmk {

// The touch dialog of AberturaMesa: the waiter among the store's waiters (buttons
// "btnVendedor<code>"), the party size on the keypad ("lblPessoas"), an optional consumer
// found by name or code ("edtConsumidor", "lstConsumidores"; the first row is none),
// "btnConfirma" (opens the table) and "btnCancela". A choice that is not valid is told
// (type 2) and the dialog stays; a table taken meanwhile by another till is told and the
// dialog ends refused; a database failure is told (type 3) and the dialog stays, so the
// operator may try again or cancel.
class TableOpeningDialog : public QDialog {
    Q_OBJECT

public:
    // Reads the waiters, consumers and party limit: DatabaseError when they cannot be read.
    TableOpeningDialog(TableOpening& opening, Notice notice, QWidget* parent = nullptr);

    // What the buttons and keys do, callable without showing the dialog.
    void chooseWaiter(const QString& code);
    void typeDigit(QChar key);
    void backspace();
    void clearParty();
    void filterConsumers(const QString& text);
    void chooseConsumer(const QString& code); // empty: no consumer
    void confirm();

    QString waiter() const;
    QString party() const { return party_.value(); }
    QString consumer() const;
    // The opening written, once the dialog was accepted.
    const TableOpening::Opened& opened() const { return opened_; }

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void refreshParty();

    TableOpening& opening_;
    Notice notice_;
    KeypadModel party_{3};
    QList<TableOpening::Consumer> consumers_;
    QButtonGroup* waiters_ = nullptr;
    QHash<QString, QPushButton*> waiterButtons_;
    QLabel* partyLabel_ = nullptr;
    QLineEdit* consumerFilter_ = nullptr;
    QListWidget* consumerList_ = nullptr;
    TableOpening::Opened opened_;
};

} // namespace tmk
