#pragma once

#include "platform/db_kind.h"

#include <QSqlDatabase>

namespace tmk::db {

// The kind of an open or configured connection, from its Qt driver: QSQLITE, QPSQL,
// and QODBC for SQL Server or Oracle (told apart by the ODBC driver it names).
// Throws AppError for any other driver.
DbKind kindOf(const QSqlDatabase& db);

} // namespace tmk::db
