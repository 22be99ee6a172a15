#include "external/common.h"
#include "platform/errors.h"
#include "platform/till_folder.h"
#include "suite/common/common_log.h"
#include "suite/common/connection_text.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QMutex>
#include <QSqlError>

namespace tmk {

DbKind connectionKind(const QString& connectionText) {
    const QString provider =
        ConnectionText::parse(connectionText).value(QStringLiteral("Provider")).trimmed();
    const QString p = provider.toUpper();
    if (p.isEmpty()) {
        throw AppError(QStringLiteral("A conexão não indica o provedor do banco de dados."));
    }
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

// Kind of every connection opened here, by Qt connection name (ODBC serves two kinds).
QMutex registryMutex;
QHash<QString, DbKind>& kindRegistry() {
    static QHash<QString, DbKind> registry;
    return registry;
}

// An ODBC attribute value; braces protect ';', '{' and '}' (a '}' doubled inside).
QString odbcValue(const QString& v) {
    if (!v.contains(QLatin1Char(';')) && !v.contains(QLatin1Char('{')) &&
        !v.contains(QLatin1Char('}')) && v == v.trimmed()) {
        return v;
    }
    QString b = v;
    b.replace(QLatin1Char('}'), QLatin1String("}}"));
    return QLatin1Char('{') + b + QLatin1Char('}');
}

QString first(const ConnectionText& c, const char* a, const char* b) {
    const QString v = c.value(QString::fromLatin1(a));
    return v.isEmpty() ? c.value(QString::fromLatin1(b)) : v;
}

// The server of an ODBC connection: Data Source, or Host with its port.
QString odbcServer(DbKind kind, const ConnectionText& c) {
    const QString source = c.value(QStringLiteral("Data Source"));
    if (!source.isEmpty()) {
        return source;
    }
    const QString host = c.value(QStringLiteral("Host"));
    const QString port = c.value(QStringLiteral("Port"));
    if (kind == DbKind::SqlServer) {
        return port.isEmpty() ? host : host + QLatin1Char(',') + port;
    }
    const QString service = c.value(QStringLiteral("Database"));
    return host + (port.isEmpty() ? QString() : QLatin1Char(':') + port) +
           (service.isEmpty() ? QString() : QLatin1Char('/') + service);
}

QString odbcConnectString(DbKind kind, const ConnectionText& c) {
    QStringList parts;
    const QString driver = c.value(QStringLiteral("Driver"));
    if (kind == DbKind::SqlServer) {
        parts << QStringLiteral("DRIVER=") +
                     (driver.isEmpty() ? QStringLiteral("{ODBC Driver 17 for SQL Server}")
                                       : odbcValue(driver));
        parts << QStringLiteral("SERVER=") + odbcValue(odbcServer(kind, c));
        parts << QStringLiteral("DATABASE=") + odbcValue(first(c, "Initial Catalog", "Database"));
    } else {
        parts << QStringLiteral("DRIVER=") +
                     (driver.isEmpty() ? QStringLiteral("{Oracle}") : odbcValue(driver));
        parts << QStringLiteral("DBQ=") + odbcValue(odbcServer(kind, c));
    }
    parts << QStringLiteral("UID=") + odbcValue(c.value(QStringLiteral("User ID")));
    parts << QStringLiteral("PWD=") + odbcValue(c.value(QStringLiteral("Password")));
    return parts.join(QLatin1Char(';'));
}

QString sqliteFile(const ConnectionText& c) {
    const QString file = c.value(QStringLiteral("Data Source"));
    if (file.isEmpty() || file == QLatin1String(":memory:") || QFileInfo(file).isAbsolute()) {
        return file;
    }
    return tillPath(file);
}

QString pgHost(const ConnectionText& c) {
    return first(c, "Host", "Data Source");
}

QString pgPort(const ConnectionText& c) {
    const QString port = c.value(QStringLiteral("Port"));
    return port.isEmpty() ? QStringLiteral("5432") : port;
}

QString serverDescription(DbKind kind, const ConnectionText& c) {
    switch (kind) {
    case DbKind::SQLite:
        return QStringLiteral("SQLite no arquivo %1").arg(QDir::toNativeSeparators(sqliteFile(c)));
    case DbKind::PostgreSQL:
        return QStringLiteral("PostgreSQL em %1:%2 (banco %3)")
            .arg(pgHost(c).isEmpty() ? QStringLiteral("localhost") : pgHost(c), pgPort(c),
                 c.value(QStringLiteral("Database")));
    case DbKind::SqlServer:
    case DbKind::Oracle:
        return QStringLiteral("%1 em %2").arg(dbKindName(kind), odbcServer(kind, c));
    }
    return {};
}

// A driver text never carries the password, even if a driver echoed it.
QString withoutPassword(QString text, const ConnectionText& c) {
    const QString password = c.value(QStringLiteral("Password"));
    if (!password.isEmpty()) {
        text.replace(password, QStringLiteral("***"));
    }
    return text;
}

} // namespace

QSqlDatabase configureConnection(const QString& connectionText, const QString& connectionName) {
    const DbKind kind = connectionKind(connectionText);
    const ConnectionText c = ConnectionText::parse(connectionText);
    const QString driver = kind == DbKind::SQLite       ? QStringLiteral("QSQLITE")
                           : kind == DbKind::PostgreSQL ? QStringLiteral("QPSQL")
                                                        : QStringLiteral("QODBC");
    if (!QSqlDatabase::isDriverAvailable(driver)) {
        throw AppError(QStringLiteral("O driver %1 do Qt não está instalado: não é possível "
                                      "conectar ao banco de dados %2.")
                           .arg(driver, serverDescription(kind, c)));
    }
    int port = 0;
    if (kind == DbKind::PostgreSQL) {
        bool ok = false;
        port = pgPort(c).toInt(&ok);
        if (!ok || port <= 0 || port > 65535) {
            throw AppError(QStringLiteral("Porta inválida na conexão com o banco de dados "
                                          "PostgreSQL: \"%1\".")
                               .arg(pgPort(c)));
        }
    }
    QString file;
    if (kind == DbKind::SQLite) {
        file = sqliteFile(c);
        if (file.isEmpty()) {
            throw AppError(QStringLiteral("A conexão SQLite não indica o arquivo do banco."));
        }
        const QString folder = QFileInfo(file).absolutePath();
        if (file != QLatin1String(":memory:") && !QDir().mkpath(folder)) {
            throw AppError(QStringLiteral("Não foi possível criar a pasta %1 do banco de dados "
                                          "SQLite.")
                               .arg(QDir::toNativeSeparators(folder)));
        }
    }

    if (QSqlDatabase::contains(connectionName)) {
        QSqlDatabase::removeDatabase(connectionName);
    }
    QSqlDatabase db = QSqlDatabase::addDatabase(driver, connectionName);
    switch (kind) {
    case DbKind::SQLite:
        db.setDatabaseName(file);
        break;
    case DbKind::PostgreSQL:
        db.setHostName(pgHost(c));
        db.setPort(port);
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
    {
        const QMutexLocker lock(&registryMutex);
        kindRegistry().insert(connectionName, kind);
    }
    return db;
}

QSqlDatabase openConnection(const QString& connectionText, const QString& connectionName) {
    QSqlDatabase db = configureConnection(connectionText, connectionName);
    const ConnectionText c = ConnectionText::parse(connectionText);
    const DbKind kind = connectionKind(connectionText);
    if (!db.open()) {
        const QString driverText = withoutPassword(db.lastError().text(), c);
        db = QSqlDatabase();
        QSqlDatabase::removeDatabase(connectionName);
        qCWarning(lcSuiteCommon) << "connection failed:" << c.describe() << driverText;
        throw AppError(QStringLiteral("Não foi possível conectar ao banco de dados %1: %2")
                           .arg(serverDescription(kind, c), driverText));
    }
    return db;
}

DbKind databaseKind(const QSqlDatabase& db) {
    const QString driver = db.driverName();
    if (driver == QLatin1String("QSQLITE")) {
        return DbKind::SQLite;
    }
    if (driver == QLatin1String("QPSQL")) {
        return DbKind::PostgreSQL;
    }
    if (driver == QLatin1String("QODBC")) {
        {
            const QMutexLocker lock(&registryMutex);
            const auto it = kindRegistry().constFind(db.connectionName());
            if (it != kindRegistry().cend()) {
                return *it;
            }
        }
        return db.databaseName().contains(QLatin1String("DBQ="), Qt::CaseInsensitive)
                   ? DbKind::Oracle
                   : DbKind::SqlServer;
    }
    throw AppError(QStringLiteral("Conexão com o banco de dados de tipo desconhecido (driver "
                                  "\"%1\").")
                       .arg(driver));
}

} // namespace tmk
