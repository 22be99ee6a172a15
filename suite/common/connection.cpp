#include "external/common.h"
#include "platform/errors.h"
#include "suite/common/connection_text.h"

#include <QDir>
#include <QFileInfo>
#include <QSqlError>

namespace tmk {

DbKind connectionKind(const QString& connectionText) {
    const QString provider = ConnectionText::parse(connectionText).value(QStringLiteral("Provider"));
    const QString p = provider.toUpper();
    if (p == QLatin1String("QSQLITE") || p == QLatin1String("SQLITE")) {
        return DbKind::SQLite;
    }
    if (p == QLatin1String("QPSQL") || p == QLatin1String("POSTGRESQL")) {
        return DbKind::PostgreSQL;
    }
    if (p.startsWith(QLatin1String("SQLOLEDB")) || p.startsWith(QLatin1String("SQLNCLI")) ||
        p.startsWith(QLatin1String("MSOLEDBSQL")) || p == QLatin1String("SQL SERVER")) {
        return DbKind::SqlServer;
    }
    if (p.startsWith(QLatin1String("MSDAORA")) || p.startsWith(QLatin1String("ORAOLEDB"))) {
        return DbKind::Oracle;
    }
    throw AppError(QStringLiteral("Provedor de banco de dados desconhecido na conexão: \"%1\".")
                       .arg(provider));
}

namespace {

QString odbcConnectString(DbKind kind, const ConnectionText& c) {
    QStringList parts;
    if (kind == DbKind::SqlServer) {
        parts << QStringLiteral("DRIVER={ODBC Driver 17 for SQL Server}");
        parts << QStringLiteral("SERVER=") + c.value(QStringLiteral("Data Source"));
        parts << QStringLiteral("DATABASE=") + c.value(QStringLiteral("Initial Catalog"));
    } else {
        parts << QStringLiteral("DRIVER={Oracle}");
        parts << QStringLiteral("DBQ=") + c.value(QStringLiteral("Data Source"));
    }
    parts << QStringLiteral("UID=") + c.value(QStringLiteral("User ID"));
    parts << QStringLiteral("PWD=") + c.value(QStringLiteral("Password"));
    return parts.join(QLatin1Char(';'));
}

QString serverDescription(DbKind kind, const ConnectionText& c) {
    switch (kind) {
    case DbKind::SQLite:
        return QStringLiteral("SQLite no arquivo %1").arg(c.value(QStringLiteral("Data Source")));
    case DbKind::PostgreSQL:
        return QStringLiteral("PostgreSQL em %1:%2 (banco %3)")
            .arg(c.value(QStringLiteral("Host")),
                 c.has(QStringLiteral("Port")) ? c.value(QStringLiteral("Port"))
                                                : QStringLiteral("5432"),
                 c.value(QStringLiteral("Database")));
    case DbKind::SqlServer:
        return QStringLiteral("SQL Server em %1").arg(c.value(QStringLiteral("Data Source")));
    case DbKind::Oracle:
        return QStringLiteral("Oracle em %1").arg(c.value(QStringLiteral("Data Source")));
    }
    return {};
}

} // namespace

QSqlDatabase openConnection(const QString& connectionText, const QString& connectionName) {
    const DbKind kind = connectionKind(connectionText);
    const ConnectionText c = ConnectionText::parse(connectionText);
    const char* driver = kind == DbKind::SQLite       ? "QSQLITE"
                         : kind == DbKind::PostgreSQL ? "QPSQL"
                                                      : "QODBC";
    if (!QSqlDatabase::isDriverAvailable(QString::fromLatin1(driver))) {
        throw AppError(QStringLiteral("O driver %1 do Qt não está instalado: não é possível "
                                      "conectar ao banco de dados %2.")
                           .arg(QString::fromLatin1(driver), dbKindName(kind)));
    }
    if (QSqlDatabase::contains(connectionName)) {
        QSqlDatabase::removeDatabase(connectionName);
    }
    QSqlDatabase db = QSqlDatabase::addDatabase(QString::fromLatin1(driver), connectionName);
    switch (kind) {
    case DbKind::SQLite: {
        const QString file = c.value(QStringLiteral("Data Source"));
        if (file.isEmpty()) {
            throw AppError(QStringLiteral("A conexão SQLite não indica o arquivo do banco."));
        }
        QDir().mkpath(QFileInfo(file).absolutePath());
        db.setDatabaseName(file);
        break;
    }
    case DbKind::PostgreSQL:
        db.setHostName(c.value(QStringLiteral("Host")));
        if (c.has(QStringLiteral("Port"))) {
            db.setPort(c.value(QStringLiteral("Port")).toInt());
        }
        db.setDatabaseName(c.value(QStringLiteral("Database")));
        db.setUserName(c.value(QStringLiteral("User ID")));
        db.setPassword(c.value(QStringLiteral("Password")));
        db.setConnectOptions(QStringLiteral("connect_timeout=5"));
        break;
    case DbKind::SqlServer:
    case DbKind::Oracle:
        db.setDatabaseName(odbcConnectString(kind, c));
        break;
    }
    if (!db.open()) {
        const QString driverText = db.lastError().text();
        db = QSqlDatabase();
        QSqlDatabase::removeDatabase(connectionName);
        throw AppError(QStringLiteral("Não foi possível conectar ao banco de dados %1: %2")
                           .arg(serverDescription(kind, c), driverText));
    }
    return db;
}

} // namespace tmk
