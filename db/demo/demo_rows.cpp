#include "db/demo/demo_rows.h"

#include "db/schema.h"
#include "platform/database_error.h"
#include "platform/errors.h"
#include "suite/common/db_dialect.h"

#include <QSqlError>

namespace tmk::demo {

namespace {

const db::Table& tableOf(const QString& name) {
    const db::Table* t = db::schema().table(name);
    if (!t) {
        throw AppError(QStringLiteral("A tabela %1 não existe no esquema.").arg(name));
    }
    return *t;
}

QVariant nullOf(FieldType type) {
    switch (type) {
    case FieldType::Integer:
        return QVariant(QMetaType::fromType<qlonglong>());
    case FieldType::Float:
        return QVariant(QMetaType::fromType<double>());
    default:
        return QVariant(QMetaType::fromType<QString>());
    }
}

QVariant bindValue(const DbDialect& dialect, const db::Column& column, const QVariant& value) {
    if (!value.isValid() || value.isNull()) {
        return nullOf(column.type);
    }
    switch (column.type) {
    case FieldType::Integer:
        return value.toLongLong();
    case FieldType::Float:
        return value.toDouble();
    case FieldType::DateTime: {
        const QDateTime dt = value.toDateTime();
        if (!dt.isValid()) {
            throw AppError(QStringLiteral("Data inválida para a coluna %1.").arg(column.name));
        }
        return dialect.dateTimeValue(dt);
    }
    case FieldType::Text:
    case FieldType::Boolean:
        break;
    }
    return value.toString();
}

} // namespace

DemoRows::DemoRows(QSqlDatabase& db)
    : db_(db) {}

QSqlQuery& DemoRows::statementFor(const QString& table, const QStringList& columns) {
    const QString key = table + QLatin1Char('|') + columns.join(QLatin1Char(','));
    auto it = statements_.find(key);
    if (it != statements_.end()) {
        return *it;
    }
    const QString text = db::insertStatement(tableOf(table), columns);
    QSqlQuery q(db_);
    if (!q.prepare(text)) {
        throw DatabaseError(
            QStringLiteral("Não foi possível preparar a gravação da tabela %1 da loja de "
                           "demonstração.")
                .arg(table),
            text, q.lastError().text());
    }
    return *statements_.insert(key, q);
}

void DemoRows::insert(const QString& table, const QVariantMap& row) {
    const db::Table& t = tableOf(table);
    const QStringList columns = row.keys(); // sorted: one statement per column set
    const DbDialect& dialect = DbDialect::of(db_);
    QSqlQuery& q = statementFor(t.name, columns);
    for (const QString& c : columns) {
        const db::Column* column = t.column(c);
        q.bindValue(QLatin1Char(':') + column->name, bindValue(dialect, *column, row.value(c)));
    }
    if (!q.exec()) {
        throw DatabaseError(
            QStringLiteral("Não foi possível gravar a tabela %1 da loja de demonstração.")
                .arg(table),
            q.lastQuery(), q.lastError().text());
    }
    q.finish();
}

} // namespace tmk::demo
