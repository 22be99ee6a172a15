#pragma once

#include "suite/common/db_dialect.h"

#include <QString>
#include <QStringList>

namespace tmk {

// The files compiled into the common library (catalogue, statement texts).
// Reading a missing resource throws AppError naming it.
QString commonResourceText(const QString& name);

// The statement "sql/<kind>/<name>.sql" of the common library.
QString commonStatement(const DbDialect& dialect, const QString& name);

// Splits a script into its statements: each ends with ';' at the end of a line;
// lines starting with "--" are comments. The ';' is not part of the statement.
QStringList splitStatements(const QString& script);

} // namespace tmk
