#include "suite/common/db_failure.h"

#include "external/common.h"
#include "platform/database_error.h"

#include <QDir>
#include <QRegularExpression>

namespace tmk {

bool isConnectionLost(const QSqlDatabase& db, const QSqlError& error) {
    if (!db.isOpen()) {
        return true;
    }
    // QSQLITE reports every failed step (a refused key, say) as a connection error,
    // so for SQLite only the text tells.
    if (error.type() == QSqlError::ConnectionError && db.driverName() != QLatin1String("QSQLITE")) {
        return true;
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

namespace {

QString odbcAttribute(const QString& connectString, const QString& name) {
    const QRegularExpression re(QStringLiteral("(?:^|;)\\s*%1\\s*=\\s*(\\{[^}]*\\}|[^;]*)")
                                    .arg(QRegularExpression::escape(name)),
                                QRegularExpression::CaseInsensitiveOption);
    const auto m = re.match(connectString);
    QString v = m.hasMatch() ? m.captured(1).trimmed() : QString();
    if (v.startsWith(QLatin1Char('{')) && v.endsWith(QLatin1Char('}'))) {
        v = v.mid(1, v.size() - 2);
    }
    return v;
}

} // namespace

QString connectionDescription(const QSqlDatabase& db) {
    DbKind kind;
    try {
        kind = databaseKind(db);
    } catch (const std::exception&) {
        return QStringLiteral("(driver %1)").arg(db.driverName());
    }
    switch (kind) {
    case DbKind::SQLite:
        return QStringLiteral("SQLite no arquivo %1")
            .arg(QDir::toNativeSeparators(db.databaseName()));
    case DbKind::PostgreSQL:
        return QStringLiteral("PostgreSQL em %1:%2 (banco %3)")
            .arg(db.hostName().isEmpty() ? QStringLiteral("localhost") : db.hostName(),
                 QString::number(db.port() > 0 ? db.port() : 5432), db.databaseName());
    case DbKind::SqlServer:
        return QStringLiteral("SQL Server em %1")
            .arg(odbcAttribute(db.databaseName(), QStringLiteral("SERVER")));
    case DbKind::Oracle:
        return QStringLiteral("Oracle em %1")
            .arg(odbcAttribute(db.databaseName(), QStringLiteral("DBQ")));
    }
    return {};
}

} // namespace tmk
