#include "external/common.h"
#include "platform/database_error.h"
#include "suite/common/common_log.h"
#include "suite/common/common_resources.h"
#include "suite/common/db_failure.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QTimeZone>

namespace tmk {

namespace {

// False only when the server is gone; a refused statement (an aborted transaction,
// say) still proves the connection alive.
bool stillConnected(QSqlDatabase& db) {
    QSqlQuery q(db);
    const bool ok = q.exec(commonStatements().of(db).text(QStringLiteral("ping")));
    const QSqlError error = q.lastError();
    q.finish();
    return ok || !isConnectionLost(db, error);
}

} // namespace

// A closed connection is opened (and its session prepared); an open one is asked a
// trivial question, and opened again when the server no longer answers.
void TryConnect(QSqlDatabase& db) {
    if (!db.isValid()) {
        throw AppError(QStringLiteral("A conexão com o banco de dados não foi configurada."));
    }
    if (db.isOpen()) {
        if (stillConnected(db)) {
            return;
        }
        qCWarning(lcSuiteCommon) << "connection lost, reopening:" << connectionDescription(db);
        db.close();
    }
    QString failure;
    if (!openDatabase(db, failure)) {
        throw AppError(QStringLiteral("Não foi possível conectar ao banco de dados %1: %2")
                           .arg(connectionDescription(db), failure));
    }
    SetADODBSession(db);
}

void SetADODBSession(QSqlDatabase& db) {
    if (!db.isValid() || !db.isOpen()) {
        throw DatabaseError(QStringLiteral("Sem conexão com o banco de dados."),
                            QStringLiteral("session"), QString(), true);
    }
    const StatementSet& texts = commonStatements().of(db);
    const DbDialect& dialect = texts.dialect();
    const QStringList statements = splitStatements(texts.text(QStringLiteral("session")));
    for (const QString& statement : statements) {
        QSqlQuery q(db);
        if (!q.exec(statement)) {
            // A connection without its session is not used: closed, it is opened again (and
            // whatever the failed step left open, a transaction say, goes with it).
            const QSqlError error = q.lastError();
            q.finish();
            try {
                throwDatabaseError(QStringLiteral("Não foi possível preparar a sessão do banco "
                                                  "de dados %1.")
                                       .arg(dialect.name()),
                                   QStringLiteral("session"), db, error);
            } catch (const DatabaseError&) {
                db.close();
                throw;
            }
        }
        q.finish();
    }
    if (dialect.followsTillTimeZone()) {
        // Best effort: a zone the server does not know leaves the server's own.
        QSqlQuery q(db);
        const bool prepared = q.prepare(texts.text(QStringLiteral("session_timezone")));
        q.bindValue(QStringLiteral(":P_TIMEZONE"),
                    QString::fromUtf8(QTimeZone::systemTimeZoneId()));
        if (!prepared || !q.exec()) {
            qCWarning(lcSuiteCommon) << "session time zone not set:" << q.lastError().text();
        }
        q.finish();
    }
}

} // namespace tmk
