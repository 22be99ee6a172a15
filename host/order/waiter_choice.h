#pragma once

#include "host/order/order_model.h"

#include <QDialog>
#include <QList>

class QListWidget;

namespace tmk {

// The choice of the waiter the items are ordered for, from the active waiters
// ("dlgGarcom": list lstGarcons, btnConfirmar, btnCancelar).
class WaiterChoice : public QDialog {
    Q_OBJECT
public:
    WaiterChoice(const QList<OrderModel::Waiter>& waiters, QWidget* parent = nullptr);
    // The chosen waiter's code; empty when none is selected.
    QString chosen() const;

private:
    QList<OrderModel::Waiter> waiters_;
    QListWidget* list_ = nullptr;
};

} // namespace tmk
