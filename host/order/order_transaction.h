#pragma once

#include <QSqlDatabase>
#include <QString>

namespace tmk {

// A transaction of the order screen on the till's connection, rolled back unless committed
// however the scope ends. A connection lost by an earlier attempt is opened again first.
// DatabaseError with `failure` (or "Sem conexão com o banco de dados.") when it cannot
// begin or commit.
class OrderTransaction {
public:
    OrderTransaction(QSqlDatabase& db, QString failure);
    ~OrderTransaction();
    OrderTransaction(const OrderTransaction&) = delete;
    OrderTransaction& operator=(const OrderTransaction&) = delete;

    void commit();

private:
    QSqlDatabase& db_;
    QString failure_;
    bool open_ = true;
};

} // namespace tmk
