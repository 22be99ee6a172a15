#include "suite/common/db_failure.h"

#include "external/common.h"
#include "platform/database_error.h"
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

void throwDatabaseError(const QString& message, const QString& statement, const QSqlDatabase& db,
                        const QSqlError& error) {
    const bool lost = isConnectionLost(db, error);
    throw DatabaseError(lost ? QStringLiteral("Sem conexão com o banco de dados.") : message,
                        statement, error.text(), lost);
}

QString connectionDescription(const QSqlDatabase& db) {
    try {
        return DbDialect::of(db).describe(db);
    } catch (const std::exception&) {
        return QStringLiteral("(driver %1)").arg(db.driverName());
    }
}

} // namespace tmk
