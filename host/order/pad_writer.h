#pragma once

#include "host/order/order_line.h"

#include <QDateTime>
#include <QList>
#include <QSqlDatabase>
#include <QString>
#include <QStringList>

namespace tmk {

// The order pad items are written to.
struct PadKeys {
    QString cdFilial;
    QString cdLoja;
    QString nrVendaRest;
    QString nrComanda;
};

// Writes lines to an order pad in one transaction: the pad is claimed first (a second till
// writing to it waits), then checked still open, then each line becomes an item numbered
// after the highest number the pad holds. Returns the numbers given, in line order. AppError
// in Portuguese when the pad is gone or closed, DatabaseError when the database refuses;
// in every failure nothing is written.
QStringList writeToPad(QSqlDatabase& db, const PadKeys& pad, const QList<OrderLine>& lines,
                       const QString& cdVendedor, const QDateTime& when);

// Digits of an item number (NRPRODCOMVEN).
inline constexpr int kItemNumberDigits = 6;

} // namespace tmk
