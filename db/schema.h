#pragma once

#include "db/schema_description.h"
#include "platform/data_packet.h"
#include "platform/db_kind.h"

#include <QSqlDatabase>
#include <QString>
#include <QStringList>
#include <optional>

namespace tmk::db {

// The restaurant schema, parsed once from the compiled-in description db/schema.txt.
//
// Column types per kind come from the kind's dialect (suite/common/db_dialect.h):
//   text N   SQLite TEXT      PostgreSQL VARCHAR(N)
//   memo     SQLite TEXT      PostgreSQL TEXT
//   integer  INTEGER          INTEGER      (SQLite INT for a key of one integer column,
//                                          which would otherwise take NULL as "next row id")
//   float    SQLite REAL      PostgreSQL DOUBLE PRECISION
//   datetime SQLite TEXT      PostgreSQL TIMESTAMP(3)
// An SQLite date-time is always the text "yyyy-MM-dd HH:mm:ss.zzz"; a CHECK in every
// date-time column refuses any other text, so a QDateTime bound as it is
// ("2024-03-15T13:45:30.123") or CURRENT_TIMESTAMP fails loudly instead of spoiling MAX,
// MIN and ORDER BY. Unquoted upper-case names are used throughout (PostgreSQL folds them
// to lower case, statements written in upper case find them).
const Schema& schema();

// The CREATE TABLE and CREATE INDEX statements of the schema for SQLite or
// PostgreSQL; AppError for a kind the schema is not created on.
QStringList ddlStatements(DbKind kind);
QStringList ddlStatements(const Schema& description, DbKind kind);

// The statements that create the schema's triggers (in PostgreSQL a function and a
// trigger each); AppError for a kind the schema is not created on.
QStringList triggerStatements(DbKind kind);
QStringList triggerStatements(const Schema& description, DbKind kind);

// The statements that create the triggers that tell the tills of a change (the schema's
// notify lines), for a kind whose dialect raises notices from triggers; none for a kind
// whose tills watch the database otherwise; AppError for a kind the schema is not created
// on.
QStringList notificationStatements(DbKind kind);
QStringList notificationStatements(const Schema& description, DbKind kind);

// Statements generated from a table's description, bound by column name (:COLUMN):
// an INSERT of the columns, and a SELECT of the columns of the row with the key.
QString insertStatement(const Table& table, const QStringList& columns);
QString selectByKeyStatement(const Table& table, const QStringList& columns);

// The fingerprint of what the schema stores (tables, columns, types, keys, indexes,
// triggers),
// kept in TMKVERSAO: a database made from another description is recognised.
QString schemaFingerprint(const Schema& description);

// Creates every table, index and trigger and records the version, in one transaction. Any
// failure rolls everything back and throws DatabaseError with a Portuguese message.
void createSchema(QSqlDatabase& db);
// The same with other statements in place of the generated ones (tests inject a
// statement that fails).
void createSchema(QSqlDatabase& db, const QStringList& ddl);

// True when the database holds the version table of the schema.
bool schemaPresent(QSqlDatabase& db);

// Creates the schema when absent (the host calls it on first run). A database made
// from another version or description of the schema is refused with AppError, before
// any statement fails on a missing table or column. When another till creates the
// schema at the same moment, its schema is taken.
void ensureSchema(QSqlDatabase& db);

// The column-type dictionary: the definition of a column name in every table (one
// type per name) and of the computed result columns; letter case ignored.
std::optional<FieldDef> columnDef(const QString& columnName);

} // namespace tmk::db
