#pragma once

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QStringList>
#include <QVariantMap>
#include <vector>

namespace tmk::bench {

// One till of the load run: the screen's logic with the suite's own dialogs (the payment
// dialog paid in cash), simulated fiscal devices and sales service, on connections of its
// own to the store's database.
struct LoadTillOptions {
    QString connection; // connection text of the store's database
    int till = 1;       // 1..N; names its accounts
    QString cdCaixa = QStringLiteral("001");
    QStringList tables;  // the tables it receives, in turn
    bool racing = false; // another till receives the same tables
    int seconds = 60;
    int refreshMs = 2000; // map refresh interval
};

// What a till did over the run.
struct LoadTillResult {
    std::vector<double> refreshMs; // duration of each map refresh
    int receipts = 0;              // accounts it received
    int lostRaces = 0;             // touches that found the table taken by the other till
    QStringList errors;            // what went wrong, one line each
};

// Runs a statement of the load run (bench/load/sql/<kind>/<name>.sql) with the store's
// branch and store and the given values; DatabaseError when refused.
QSqlQuery runLoadStatement(QSqlDatabase& db, const QString& name, const QVariantMap& binds = {});

// Runs the till until its time is over; AppError when it cannot start.
LoadTillResult runLoadTill(const LoadTillOptions& options);

// The result as lines for the parent process, and read back.
QStringList resultLines(const LoadTillResult& result);
LoadTillResult parseResultLines(const QStringList& lines);

} // namespace tmk::bench
