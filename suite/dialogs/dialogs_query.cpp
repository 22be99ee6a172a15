#include "suite/dialogs/dialogs_query.h"

#include "suite/common/statement_run.h"
#include "suite/dialogs/dialogs_statements.h"

namespace tmk {

QSqlQuery runDialogStatement(QSqlDatabase& db, const QString& name, const QVariantMap& binds,
                             const QString& failure) {
    return runLibraryStatement(dialogsStatements(), db, name, binds, failure);
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
