#include "suite/sales/sales_query.h"

#include "db/schema.h"
#include "external/common.h"
#include "platform/database_error.h"
#include "suite/common/db_dialect.h"
#include "suite/common/db_failure.h"
#include "suite/sales/sales_statements.h"

#include <QRegularExpression>
#include <QSet>
#include <QSqlError>
#include <QSqlRecord>

namespace tmk {

namespace {

// The parameters a statement names, in order of appearance, each once.
QStringList parametersOf(const QString& text) {
    static const QRegularExpression re(QStringLiteral(":P_([A-Z0-9_]+)"));
    QStringList names;
    for (auto it = re.globalMatch(text); it.hasNext();) {
        const QString name = it.next().captured(1);
        if (!names.contains(name)) {
            names << name;
        }
    }
    return names;
}

// The statement reads only: its first word after the comments is SELECT or WITH.
bool isRead(const QString& text) {
    static const QRegularExpression first(QStringLiteral("^(?:\\s*--[^\\n]*\\n)*\\s*(\\w+)"));
    const QString word = first.match(text).captured(1).toUpper();
    return word == QLatin1String("SELECT") || word == QLatin1String("WITH");
}

// The connections with a transaction open: a statement in one is never run again on
// another connection.
QSet<QString>& inTransaction() {
    thread_local QSet<QString> names;
    return names;
}

} // namespace

SalesQuery::SalesQuery(QSqlDatabase db, const QString& name, QString failure)
    : db_(std::move(db))
    , name_(name)
    , failure_(std::move(failure))
    , query_(db_) {
    requireConnection(db_);
    text_ = salesStatements().of(db_).text(name_);
    read_ = isRead(text_);
    prepare();
}

void SalesQuery::prepare() {
    query_ = QSqlQuery(db_);
    query_.setForwardOnly(true);
    if (!query_.prepare(text_)) {
        const QSqlError error = query_.lastError();
        if (!reopenedForRetry(error)) {
            throwDatabaseError(failure_, name_, db_, error);
        }
        return;
    }
    // Every parameter starts as NULL, so one left out is never a stale value.
    for (const QString& p : parametersOf(text_)) {
        query_.bindValue(QStringLiteral(":P_") + p, QVariant());
    }
    for (auto it = bound_.cbegin(); it != bound_.cend(); ++it) {
        query_.bindValue(it.key(), it.value());
    }
}

bool SalesQuery::reopenedForRetry(const QSqlError& error) {
    if (!read_ || inTransaction().contains(db_.connectionName()) || !isConnectionLost(db_, error)) {
        return false;
    }
    read_ = false; // once
    db_.close();
    requireConnection(db_);
    prepare();
    return true;
}

SalesQuery& SalesQuery::bind(const QString& parameter, const QVariant& value) {
    QVariant v = value;
    if (v.metaType() == QMetaType::fromType<QDateTime>()) {
        v = DbDialect::of(db_).dateTimeValue(v.toDateTime());
    } else if (v.metaType() == QMetaType::fromType<QDate>()) {
        v = DbDialect::of(db_).dateTimeValue(QDateTime(v.toDate(), QTime(0, 0)));
    }
    query_.bindValue(QStringLiteral(":P_") + parameter, v);
    bound_.insert(QStringLiteral(":P_") + parameter, v);
    return *this;
}

SalesQuery& SalesQuery::bind(const QVariantMap& values) {
    for (auto it = values.cbegin(); it != values.cend(); ++it) {
        if (text_.contains(QStringLiteral(":P_") + it.key())) {
            bind(it.key(), it.value());
        }
    }
    return *this;
}

SalesQuery& SalesQuery::exec() {
    if (!query_.exec()) {
        const QSqlError error = query_.lastError();
        if (!reopenedForRetry(error) || !query_.exec()) {
            throwDatabaseError(failure_, name_, db_,
                               query_.lastError().isValid() ? query_.lastError() : error);
        }
    }
    return *this;
}

bool SalesQuery::next() {
    return query_.next();
}

QVariant SalesQuery::value(const QString& column) const {
    return query_.value(column);
}

QString SalesQuery::text(const QString& column) const {
    const QVariant v = query_.value(column);
    return v.isNull() ? QString() : v.toString().trimmed();
}

DataPacket SalesQuery::packet() {
    DataPacket p;
    bool first = true;
    while (query_.next()) {
        const QSqlRecord record = query_.record();
        if (first) {
            for (int c = 0; c < record.count(); ++c) {
                const QString name = record.fieldName(c).toUpper();
                const std::optional<FieldDef> def = db::columnDef(name);
                p.fields << (def ? FieldDef{name, def->type, def->size}
                                 : FieldDef{name, FieldType::Text, 0});
            }
            first = false;
        }
        QVariantList row;
        for (int c = 0; c < record.count(); ++c) {
            const FieldDef& f = p.fields.at(c);
            QVariant v = record.value(c);
            if (f.type == FieldType::DateTime) {
                v = DbDialect::of(db_).readDateTime(v);
            }
            row << (v.isNull() ? QVariant() : coerceToFieldType(v, f.type, f.name));
        }
        p.rows << row;
    }
    return p;
}

int SalesQuery::rowsAffected() const {
    return query_.numRowsAffected();
}

SalesTransaction::SalesTransaction(QSqlDatabase db, const QString& what)
    : db_(std::move(db))
    , what_(what) {
    requireConnection(db_);
    if (!db_.transaction()) {
        throwDatabaseError(QStringLiteral("Não foi possível iniciar a gravação de %1.").arg(what_),
                           QStringLiteral("transação"), db_, db_.lastError());
    }
    open_ = true;
    inTransaction().insert(db_.connectionName());
}

SalesTransaction::~SalesTransaction() {
    if (open_) {
        db_.rollback();
    }
    inTransaction().remove(db_.connectionName());
}

void SalesTransaction::commit() {
    if (!db_.commit()) {
        const QSqlError error = db_.lastError();
        db_.rollback();
        open_ = false;
        throwDatabaseError(
            QStringLiteral("Não foi possível confirmar a gravação de %1.").arg(what_),
            QStringLiteral("transação"), db_, error);
    }
    open_ = false;
}

void requireConnection(QSqlDatabase& db) {
    if (!db.isValid()) {
        throw DatabaseError(QStringLiteral("Sem conexão com o banco de dados."),
                            QStringLiteral("conexão"), QStringLiteral("conexão não configurada"),
                            true);
    }
    if (db.isOpen()) {
        return;
    }
    try {
        TryConnect(db);
    } catch (const std::exception& e) {
        throw DatabaseError(QStringLiteral("Sem conexão com o banco de dados."),
                            QStringLiteral("conexão"), exceptionText(e), true);
    }
    if (!db.isOpen()) {
        throw DatabaseError(QStringLiteral("Sem conexão com o banco de dados."),
                            QStringLiteral("conexão"), connectionDescription(db), true);
    }
}

QVariant fitted(const QString& table, const QString& column, const QVariant& value) {
    if (value.isNull() || value.metaType() != QMetaType::fromType<QString>()) {
        return value;
    }
    const db::Table* t = db::schema().table(table);
    const db::Column* c = t ? t->column(column) : nullptr;
    if (!c || c->type != FieldType::Text || c->size <= 0) {
        return value;
    }
    const QString s = value.toString();
    return s.size() > c->size ? QVariant(s.left(c->size)) : value;
}

} // namespace tmk
