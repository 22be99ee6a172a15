#pragma once

#include "db/schema_description.h"
#include "suite/common/db_dialect.h"

#include <QDateTime>
#include <QSqlDatabase>
#include <QString>
#include <QVariant>
#include <QVariantMap>

namespace tmk::test {

// Rows written and read through the statements generated from the description.

// A value of a column's type; different n give different values (n from 1 to 35).
QVariant sampleValue(const db::Column& column, int n);
// The key and not-null columns of a table, each with sampleValue(column, n).
QVariantMap sampleRow(const db::Table& table, int n);
// Binds a value as the dialect stores it (date-times through dateTimeValue).
QVariant bindable(const DbDialect& dialect, const QVariant& value);

// Inserts a row; false with the driver's text in error when the database refuses it.
bool insertRow(QSqlDatabase& db, const db::Table& table, const QVariantMap& row,
               QString* error = nullptr);
// The raw value of a column in the row with the key of keyRow; invalid when no row.
QVariant readColumn(QSqlDatabase& db, const db::Table& table, const QVariantMap& keyRow,
                    const QString& column, bool* found = nullptr);

} // namespace tmk::test
