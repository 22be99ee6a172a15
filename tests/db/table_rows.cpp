#include "tests/db/table_rows.h"

#include "db/schema.h"

#include <QSqlError>
#include <QSqlQuery>

namespace tmk::test {

QVariant sampleValue(const db::Column& column, int n) {
    switch (column.type) {
    case FieldType::Text:
        if (column.isMemo()) {
            return QStringLiteral("texto %1").arg(n);
        }
        if (column.size == 1) {
            return QString(QLatin1Char("0123456789ABCDEFGHIJKLMNOPQRSTUVWXYZ"[n % 36]));
        }
        return QString::number(n).rightJustified(qMin(column.size, 3), QLatin1Char('0'));
    case FieldType::Integer:
        return n;
    case FieldType::Float:
        return n + 0.25;
    case FieldType::DateTime:
        return QDateTime(QDate(2024, 3, 15), QTime(13, 45, 30, 123)).addDays(n);
    case FieldType::Boolean:
        break;
    }
    return {};
}

QVariantMap sampleRow(const db::Table& table, int n) {
    QVariantMap row;
    for (const db::Column& c : table.columns) {
        if (c.key || c.notNull) {
            row.insert(c.name, sampleValue(c, n));
        }
    }
    return row;
}

QVariant bindable(const DbDialect& dialect, const QVariant& value) {
    if (value.typeId() == QMetaType::QDateTime) {
        return dialect.dateTimeValue(value.toDateTime());
    }
    return value;
}

bool insertRow(QSqlDatabase& db, const db::Table& table, const QVariantMap& row, QString* error) {
    const DbDialect& dialect = DbDialect::of(db);
    QSqlQuery q(db);
    if (!q.prepare(db::insertStatement(table, row.keys()))) {
        if (error) {
            *error = q.lastError().text();
        }
        return false;
    }
    for (auto it = row.cbegin(); it != row.cend(); ++it) {
        q.bindValue(QLatin1Char(':') + it.key(), bindable(dialect, it.value()));
    }
    const bool ok = q.exec();
    if (!ok && error) {
        *error = q.lastError().text();
    }
    return ok;
}

QVariant readColumn(QSqlDatabase& db, const db::Table& table, const QVariantMap& keyRow,
                    const QString& column, bool* found) {
    const DbDialect& dialect = DbDialect::of(db);
    QSqlQuery q(db);
    q.setForwardOnly(true);
    const bool prepared = q.prepare(db::selectByKeyStatement(table, {column}));
    for (const QString& k : table.keyColumns()) {
        q.bindValue(QLatin1Char(':') + k, bindable(dialect, keyRow.value(k)));
    }
    const bool ok = prepared && q.exec() && q.next();
    if (found) {
        *found = ok;
    }
    return ok ? q.value(0) : QVariant();
}

} // namespace tmk::test
