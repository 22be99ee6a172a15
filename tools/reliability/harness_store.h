#pragma once

#include "suite/common/statement_files.h"

#include <QDateTime>
#include <QSqlDatabase>
#include <QString>
#include <QStringList>
#include <QVariant>

namespace tmk::reliability {

// What a restaurant sale led to in the fiscal sales.
struct AccountSales {
    int concluded = 0;  // IDSITUVENDA "O"
    int cancelled = 0;  // "C"
    int incomplete = 0; // concluded without items, payments or an issued document
    QStringList keys;   // access keys of the concluded sales
    QStringList states; // IDSITUVENDA of every sale of the account, as stored
};

// The demo store on the database a harness was given, the till folders of its two tills
// ("001" in folder A, "002" in folder B) and the harness's own connection, which plays the
// parts no till plays: the waiter who opens a table and orders, and the auditor who counts.
class HarnessStore {
public:
    // connectionText names an empty database (an SQLite file not made yet, or a PostgreSQL
    // database without tables); the demo store is made on it for `now`.
    HarnessStore(const QString& connectionText, const QString& workFolder);
    ~HarnessStore();
    HarnessStore(const HarnessStore&) = delete;
    HarnessStore& operator=(const HarnessStore&) = delete;

    QString tillFolder(int till) const; // 0: till "001", 1: till "002"
    QString dialectName() const;
    QString connectionText() const { return connectionText_; }

    // A free table of the demo store, on a page of its own: one per use (0, 1, 2...).
    static QString freeTable(int use);

    // Removes every open sale of the table and frees it.
    void clearTable(const QString& nrMesa);
    // Opens the table for the first waiter (the opening a till does), orders two products
    // on it and requests the bill (the account closing): the table is "S". Returns its sale.
    QString billRequested(const QString& nrMesa);

    QString tableState(const QString& nrMesa);
    QStringList openSales(const QString& nrMesa);
    AccountSales salesOf(const QString& nrVendaRest);
    // The NFC-e documents in the fiscal folders of both tills (access keys).
    QStringList fiscalDocuments() const;
    // The documents that no concluded sale holds.
    QStringList documentsWithoutSale(const QStringList& keys);

    // After the server was stopped: the harness's connection opened again.
    void reconnect();

private:
    QSqlQuery run(const QString& name, const QList<QPair<QString, QVariant>>& binds);
    void orderItems(const QString& nrVendaRest, const QString& nrComanda);

    QString connectionText_;
    QString work_;
    QSqlDatabase db_;
    LibraryStatements statements_;
};

} // namespace tmk::reliability
