#include "suite/common/statement_run.h"

#include "platform/database_error.h"
#include "suite/common/db_failure.h"
#include "suite/common/statement_files.h"

#include <QDateTime>
#include <QSqlError>

namespace tmk {

QSqlQuery runLibraryStatement(const LibraryStatements& library, QSqlDatabase& db,
                              const QString& name, const QVariantMap& binds,
                              const QString& failure) {
    if (!db.isValid() || !db.isOpen()) {
        throw DatabaseError(QStringLiteral("Sem conexão com o banco de dados."), name, QString(),
                            true);
    }
    const StatementSet& statements = library.of(db);
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

} // namespace tmk
