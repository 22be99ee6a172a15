#pragma once

#include "suite/dialogs/item_cancellation.h"
#include "suite/dialogs/notice.h"

#include <QDialog>
#include <functional>

class QLabel;
class QLineEdit;
class QTableWidget;

namespace tmk {

// The touch dialog of CancelaProduto: the pad's items ("tblItens": item, product, seat,
// quantity, price), the quantity to cancel ("edtQuantidade", one unit less or more with
// "btnMenos" and "btnMais"), "btnCancelaItem" (asks a supervisor, then cancels), the
// last cancellation ("lblSituacao") and "btnFechar". The dialog stays open for more
// cancellations; a refusal is told and the list read again.
class ItemCancellationDialog : public QDialog {
    Q_OBJECT

public:
    // The supervisor who authorises a cancellation; empty when refused or given up.
    using Authorise = std::function<QString()>;

    // Reads the items: DatabaseError when they cannot be read.
    ItemCancellationDialog(ItemCancellation& cancellation, Authorise authorise, Notice notice,
                           QWidget* parent = nullptr);

    const QList<ItemCancellation::Item>& items() const { return items_; }
    // What the controls do, callable without showing the dialog.
    void chooseItem(int row);
    void setQuantity(const QString& text);
    void step(int units);
    // Cancels the chosen quantity of the chosen item; true when it was cancelled.
    bool cancelChosen();
    int cancellations() const { return cancellations_; }

private:
    void reload();
    const ItemCancellation::Item* chosen() const;

    ItemCancellation& cancellation_;
    Authorise authorise_;
    Notice notice_;
    QList<ItemCancellation::Item> items_;
    QTableWidget* table_ = nullptr;
    QLineEdit* quantity_ = nullptr;
    QLabel* situacao_ = nullptr;
    int cancellations_ = 0;
};

} // namespace tmk
