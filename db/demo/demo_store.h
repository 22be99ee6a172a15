#pragma once

#include <QDateTime>
#include <QSqlDatabase>
#include <QString>

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

// True when the database (SQLite or PostgreSQL, schema applied) holds a branch.
bool databaseHasBranch(QSqlDatabase& db);

// Writes the till's local files of the demo till into the folder: "PARAMETROSKOV.CDS"
// at its root and the cadastre files under "Dados/Cadastros/". Each file is written
// atomically and the parameter file last; on failure the files this call created are
// removed again and AppError names the folder and the fault.
void writeDemoTillFiles(const QString& tillFolder, const QDateTime& now);

// What the host calls at start. Opens the till's database (the connection text of the
// till folder's "Conexao.ini", by default "tmk.db" in the folder) and creates its
// schema when absent; then writes the local files when the folder has no
// "PARAMETROSKOV.CDS", and creates the demo store when the database holds no branch.
// The database is opened first: when it cannot be opened nothing is written and
// AppError says why. Returns true when it created anything.
bool prepareDemoTill(const QString& tillFolder, const QDateTime& now);

} // namespace tmk
