#pragma once

#include "platform/errors.h"

#include <QDateTime>
#include <QSqlDatabase>
#include <QString>
#include <QStringList>

namespace tmk {

// The demo store: branch "0001", store "0001", till "001", screen configuration "01"
// with four areas (Salão, Varanda, Bar, Mezanino), open tables in every state the map
// draws, reservations, a join group, app payments, the day's cash opening and some
// concluded sales. Every date is relative to `now`.

// Fills a database that holds the schema and no branch yet, in one transaction.
// Throws AppError (DatabaseError for a refused statement) and leaves the database as
// it was: on a database of another kind than SQLite or PostgreSQL, without the
// schema, or that already holds a branch.
void createDemoDatabase(QSqlDatabase& db, const QDateTime& now);

// The cash opening the database records for a till of the demo store and that is not
// closed yet; invalid when there is none.
QDateTime tillCashOpening(QSqlDatabase& db, const QString& cdCaixa);

// True when the database (SQLite or PostgreSQL, schema applied) holds a branch.
bool databaseHasBranch(QSqlDatabase& db);

// The tills of the demo store ("001", the default, and "002"): AppError naming them for
// any other number.
void checkDemoTill(const QString& cdCaixa);

// Writes the local files of a demo till that the folder lacks: "PARAMETROSKOV.CDS"
// at its root and the cadastre files under "Dados/Cadastros/", for till `cdCaixa` with
// the day's cash opening `abertura` (by default the one the demo store records for `now`).
// An existing file is never written over, whatever it holds. Each file is written
// atomically and the parameter file last; on failure the files this call created are
// removed again and AppError names the folder and the fault. Returns the paths written.
QStringList writeDemoTillFiles(const QString& tillFolder, const QDateTime& now,
                               const QString& cdCaixa = QStringLiteral("001"),
                               const QDateTime& abertura = {});

// The database of a till folder that was prepared before ("PARAMETROSKOV.CDS" is
// there) is missing, empty (0 bytes) or holds no store: the store's history may be
// lost. Nothing was created; the message names the database.
class TillDatabaseLost : public AppError {
public:
    using AppError::AppError;
};

// What a preparation did.
struct TillPreparation {
    QStringList filesWritten; // local files that were missing and are now written
    bool schemaCreated = false;
    bool demoStoreCreated = false;

    bool changedAnything() const {
        return !filesWritten.isEmpty() || schemaCreated || demoStoreCreated;
    }
};

// What the host calls at start. The till's database (the connection text of the till
// folder's "Conexao.ini", by default "tmk.db" in the folder) is looked at first.
//
// A folder without "PARAMETROSKOV.CDS" is prepared for the first time: the schema is
// created when absent, the demo store when the database holds no branch, and then
// the local files the folder lacks are written (never over an existing one). An SQLite
// file this call created is removed again when the preparation fails.
//
// A folder that has "PARAMETROSKOV.CDS" was prepared before: nothing is created in it
// or in its database. A database that is missing, empty (0 bytes), without the
// schema or without any branch throws TillDatabaseLost naming it.
//
// The folder is prepared for till `cdCaixa` of the demo store (checkDemoTill), with the
// cash opening the database records for it.
//
// When the database cannot be opened nothing is written and AppError says why.
TillPreparation prepareDemoTill(const QString& tillFolder, const QDateTime& now,
                                const QString& cdCaixa = QStringLiteral("001"));

} // namespace tmk
