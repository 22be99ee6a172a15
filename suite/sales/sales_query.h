#pragma once

#include "platform/data_packet.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QVariant>
#include <QVariantMap>

namespace tmk {

// One statement of the sales library ("sql/<kind>/<name>.sql") on a connection: the
// parameters it names (":P_X") are bound from a map by name (without ":P_"); a
// parameter the map lacks is bound as NULL, a date-time is bound as the kind stores
// it. A refused statement or a lost connection throws DatabaseError with the
// operator message given and the statement's name (never the bound values). A read
// outside a transaction that finds its connection ended by the server (a restart) runs
// once more on the connection opened again, as nothing was changed by it.
class SalesQuery {
public:
    SalesQuery(QSqlDatabase db, const QString& name, QString failure);

    SalesQuery& bind(const QString& parameter, const QVariant& value);
    SalesQuery& bind(const QVariantMap& values);
    // Runs the statement; returns itself for reading the rows.
    SalesQuery& exec();
    bool next();
    QVariant value(const QString& column) const;
    QString text(const QString& column) const; // trimmed; empty for NULL
    int rowsAffected() const;
    // The remaining rows as a data packet: upper-case column names, each typed as the
    // schema types a column of that name (texts otherwise).
    DataPacket packet();

private:
    void prepare();
    // True when the failure is a lost connection that a read may retry; the connection
    // is then open again and the statement prepared and bound again.
    bool reopenedForRetry(const QSqlError& error);

    QSqlDatabase db_;
    QString name_;
    QString failure_;
    QString text_;
    QSqlQuery query_;
    QVariantMap bound_; // by placeholder, as bound
    bool read_ = false;
};

// A transaction on a connection for one scope: rolled back when it ends without
// commit() (an error on the way, an exception). DatabaseError when it cannot begin or
// commit.
class SalesTransaction {
public:
    SalesTransaction(QSqlDatabase db, const QString& what);
    ~SalesTransaction();
    SalesTransaction(const SalesTransaction&) = delete;
    SalesTransaction& operator=(const SalesTransaction&) = delete;

    void commit();

private:
    QSqlDatabase db_;
    QString what_;
    bool open_ = false;
};

// Makes sure the connection is open, reopening it once when it was lost; DatabaseError
// "Sem conexão com o banco de dados." naming the server otherwise.
void requireConnection(QSqlDatabase& db);

// A text cut to the width of its column in the schema (texts longer than a column
// would be refused by some servers); keys are never cut by the callers.
QVariant fitted(const QString& table, const QString& column, const QVariant& value);

} // namespace tmk
