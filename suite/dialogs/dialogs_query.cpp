#include "suite/dialogs/dialogs_query.h"

#include "platform/database_error.h"
#include "suite/common/db_failure.h"
#include "suite/dialogs/dialogs_statements.h"

#include <QDateTime>
#include <QSqlError>

namespace tmk {

QSqlQuery runDialogStatement(QSqlDatabase& db, const QString& name, const QVariantMap& binds,
                             const QString& failure) {
    if (!db.isValid() || !db.isOpen()) {
        throw DatabaseError(QStringLiteral("Sem conexão com o banco de dados."), name, QString(),
                            true);
    }
    const StatementSet& statements = dialogsStatements().of(db);
    QSqlQuery q(db);
    q.setForwardOnly(true);
    if (!q.prepare(statements.text(name))) {
        throwDatabaseError(failure, name, db, q.lastError());
    }
    for (auto it = binds.cbegin(); it != binds.cend(); ++it) {
        const QVariant& v = it.value();
        q.bindValue(it.key(), v.metaType() == QMetaType::fromType<QDateTime>()
                                  ? statements.dialect().dateTimeValue(v.toDateTime())
                                  : v);
    }
    if (!q.exec()) {
        throwDatabaseError(failure, name, db, q.lastError());
    }
    return q;
}

QVariant dialogScalar(QSqlDatabase& db, const QString& name, const QVariantMap& binds,
                      const QString& failure) {
    QSqlQuery q = runDialogStatement(db, name, binds, failure);
    const QVariant v = q.next() ? q.value(0) : QVariant();
    q.finish();
    return v;
}

QString columnText(const QSqlQuery& q, int column) {
    const QVariant v = q.value(column);
    return v.isNull() ? QString() : v.toString().trimmed();
}

} // namespace tmk
