#include "suite/common/db_failure.h"

#include "external/common.h"
#include "platform/database_error.h"
#include "suite/common/common_log.h"
#include "suite/common/db_dialect.h"

#include <QRegularExpression>

namespace tmk {

bool isConnectionLost(const QSqlDatabase& db, const QSqlError& error) {
    if (!db.isOpen()) {
        return true;
    }
    // Where the driver reports every refused statement as a connection error, only the
    // text tells.
    if (error.type() == QSqlError::ConnectionError) {
        try {
            if (!DbDialect::of(db).reportsRefusalsAsConnectionErrors()) {
                return true;
            }
        } catch (const std::exception&) {
            return true;
        }
    }
    static const QRegularExpression lost(
        QStringLiteral("server closed the connection|no connection to the server|"
                       "terminating connection|could not send data to server|"
                       "could not receive data from server|connection not open|"
                       "communication link failure|end-of-file on communication channel|"
                       "not connected to oracle|unable to open database file|disk I/O error"),
        QRegularExpression::CaseInsensitiveOption);
    return lost.match(error.text()).hasMatch();
}

QString withFailureReason(const QString& message, const QSqlDatabase& db, const QSqlError& error) {
    QString reason;
    try {
        reason = DbDialect::of(db).failureReason(db, error);
    } catch (const std::exception&) {
        return message;
    }
    if (reason.isEmpty()) {
        return message;
    }
    const QString sentence = message.endsWith(QLatin1Char('.')) ? message.chopped(1) : message;
    return sentence + QStringLiteral(": ") + reason + QLatin1Char('.');
}

void throwDatabaseError(const QString& message, const QString& statement, const QSqlDatabase& db,
                        const QSqlError& error) {
    if (isConnectionLost(db, error)) {
        throw DatabaseError(QStringLiteral("Sem conexão com o banco de dados."), statement,
                            error.text(), true);
    }
    const QString full = withFailureReason(message, db, error);
    if (full != message) {
        qCWarning(lcSuiteCommon).noquote() << full << "-" << statement << "-" << error.text();
    }
    throw DatabaseError(full, statement, error.text(), false);
}

QString connectionDescription(const QSqlDatabase& db) {
    try {
        return DbDialect::of(db).describe(db);
    } catch (const std::exception&) {
        return QStringLiteral("(driver %1)").arg(db.driverName());
    }
}

} // namespace tmk
