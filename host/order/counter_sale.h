#pragma once

#include "host/order/order_line.h"
#include "host/order/order_request.h"

#include <QDateTime>
#include <QList>
#include <QSqlDatabase>
#include <QString>
#include <functional>

namespace tmk {

// A counter sale, received as a table is: its items are written as a sale of the store's
// counter table (opened only when that table is free, so two tills never mix their counter
// sales), its bill requested, and the receipt flow of the table module takes the payment.
// A sale that was not concluded is undone, so the counter table is free again.
class CounterSale {
public:
    // The table module's receipt of the counter table (false when an error stopped it).
    using Receiver = std::function<bool(const QString& nrMesa)>;

    CounterSale(QSqlDatabase db, OrderTill till);

    // The store's counter table. AppError when the store has none.
    QString counterTable();

    // Takes the payment of the lines. True when the sale was concluded; false when the
    // payment was given up or failed, with nothing left of the sale. AppError in Portuguese
    // when the counter table is taken by another till, DatabaseError when the database
    // refuses; the lines are never lost, they stay with the caller.
    bool pay(const QList<OrderLine>& lines, const QString& cdVendedor, const QDateTime& when,
             const Receiver& receive);

private:
    void requestBill(const QString& nrMesa, const QString& nrVendaRest, const QDateTime& when);
    bool concluded(const QString& nrVendaRest);
    void undo(const QString& nrMesa, const QString& nrVendaRest);

    QSqlDatabase db_;
    OrderTill till_;
};

} // namespace tmk
