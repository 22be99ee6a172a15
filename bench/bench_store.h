#pragma once

#include "platform/db_kind.h"

#include <QSqlDatabase>
#include <QString>
#include <QVariantMap>

namespace tmk::bench {

// Where the benchmark databases are kept and which server holds the PostgreSQL ones.
struct StoreOptions {
    DbKind kind = DbKind::SQLite;
    QString cacheFolder;       // SQLite files live here
    QString postgresAdminText; // connection text of the server's maintenance database
};

// The benchmark store: branch 0001, store 0001, one page of 48 occupied tables (see
// bench/sql/<kind>/store.sql) and a history of `history` closed sales with five items
// each. The history is generated once per kind and size and reused while the schema
// stays the same; the live part of the store is written again on every call.
// Returns the connection text of the database. Throws AppError with a Portuguese
// message when the database cannot be made.
QString prepareStore(const StoreOptions& options, int history);

// Runs every statement of the script bench/sql/<kind>/<script>.sql on a connection; a
// statement gets the values of the placeholders it names. DatabaseError when refused.
void runStoreScript(QSqlDatabase& db, DbKind kind, const QString& script,
                    const QVariantMap& binds = {});

} // namespace tmk::bench
