#include "suite/common/db_dialect.h"

#include "platform/errors.h"
#include "platform/till_folder.h"
#include "suite/common/change_notice.h"
#include "suite/common/connection_text.h"

#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QMutex>
#include <QRegularExpression>
#include <QSqlDriver>
#include <QUrl>

namespace tmk {

namespace {

constexpr char kDateTimeFormat[] = "yyyy-MM-dd HH:mm:ss.zzz";

// The dialect each connection was configured with, by Qt connection name.
QMutex registryMutex;
QHash<QString, DbKind>& registry() {
    static QHash<QString, DbKind> kinds;
    return kinds;
}

QString first(const ConnectionText& c, const char* a, const char* b) {
    const QString v = c.value(QString::fromLatin1(a));
    return v.isEmpty() ? c.value(QString::fromLatin1(b)) : v;
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

// An attribute of an ODBC connect string, without its braces.
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

// The common part of the ODBC kinds: one connect string with the driver, the server and
// the credentials.
class OdbcDialect : public DbDialect {
public:
    QString describe(const ConnectionText& c) const override {
        return QStringLiteral("%1 em %2").arg(name(), server(c));
    }
    QString describe(const QSqlDatabase& db) const override {
        return QStringLiteral("%1 em %2")
            .arg(name(), odbcAttribute(db.databaseName(), serverAttribute()));
    }

protected:
    using DbDialect::DbDialect;

    // The connect string's own attributes (driver and server).
    virtual QStringList serverAttributes(const ConnectionText& c) const = 0;
    // The attribute that names the server in the connect string.
    virtual QString serverAttribute() const = 0;
    virtual QString server(const ConnectionText& c) const = 0;

    void setUp(QSqlDatabase& db, const ConnectionText& c) const override {
        QStringList parts = serverAttributes(c);
        parts << QStringLiteral("UID=") + odbcValue(c.value(QStringLiteral("User ID")));
        parts << QStringLiteral("PWD=") + odbcValue(c.value(QStringLiteral("Password")));
        db.setDatabaseName(parts.join(QLatin1Char(';')));
    }
    QString driverOr(const ConnectionText& c, const QString& standard) const {
        const QString driver = c.value(QStringLiteral("Driver"));
        return QStringLiteral("DRIVER=") + (driver.isEmpty() ? standard : odbcValue(driver));
    }
};

class SqliteDialect final : public DbDialect {
public:
    SqliteDialect()
        : DbDialect(DbKind::SQLite, QStringLiteral("SQLite"), QStringLiteral("sqlite"),
                    QStringLiteral("QSQLITE")) {}

    QString describe(const ConnectionText& c) const override {
        return QStringLiteral("SQLite no arquivo %1").arg(QDir::toNativeSeparators(file(c)));
    }
    QString describe(const QSqlDatabase& db) const override {
        return QStringLiteral("SQLite no arquivo %1").arg(QDir::toNativeSeparators(file(db)));
    }
    // QSQLITE reports every failed step (a refused key, say) as a connection error.
    bool reportsRefusalsAsConnectionErrors() const override { return true; }
    bool hasServer() const override { return false; }
    // By SQLite's result code (its low byte; QSQLITE reports it as the native code).
    QString failureReason(const QSqlDatabase& db, const QSqlError& error) const override {
        bool ok = false;
        const int code = error.nativeErrorCode().toInt(&ok) & 0xFF;
        const QString f = QDir::toNativeSeparators(file(db));
        switch (ok ? code : -1) {
        case 26: // SQLITE_NOTADB
            return QStringLiteral("o arquivo %1 não é um banco de dados SQLite").arg(f);
        case 11: // SQLITE_CORRUPT
            return QStringLiteral("o arquivo %1 está danificado").arg(f);
        case 5: // SQLITE_BUSY
        case 6: // SQLITE_LOCKED
            return QStringLiteral("o arquivo %1 está bloqueado por outro processo").arg(f);
        case 8: // SQLITE_READONLY
            return QStringLiteral("o arquivo %1 é somente leitura (ou a pasta dele não permite "
                                  "gravar)")
                .arg(f);
        case 13: // SQLITE_FULL
            return QStringLiteral("o disco do arquivo %1 está cheio").arg(f);
        case 14: // SQLITE_CANTOPEN
            return QFileInfo::exists(file(db))
                       ? QStringLiteral("o arquivo %1 não pode ser aberto").arg(f)
                       : QStringLiteral("o arquivo %1 não existe").arg(f);
        default:
            return {};
        }
    }
    QString nowExpression() const override {
        return QStringLiteral("strftime('%Y-%m-%d %H:%M:%f', 'now', 'localtime')");
    }
    QString hourAgoExpression() const override {
        return QStringLiteral("strftime('%Y-%m-%d %H:%M:%f', 'now', 'localtime', '-1 hour')");
    }
    TriggerForm triggerForm() const override { return TriggerForm::PerRow; }
    QString distinctOperator() const override { return QStringLiteral("IS NOT"); }
    // Tills on one machine share the file; its data version tells a commit of any other
    // connection.
    ChangeWatch changeWatch() const override { return ChangeWatch::DataVersion; }
    QVariant dateTimeValue(const QDateTime& value) const override {
        return value.isValid() ? QVariant(dateTimeText(value))
                               : QVariant(QMetaType::fromType<QString>());
    }
    bool storesDateTimeAsText() const override { return true; }
    bool createsSchema() const override { return true; }
    QString columnType(const FieldDef& c, bool soleIntegerKey) const override {
        switch (c.type) {
        case FieldType::Text:
        case FieldType::DateTime:
            return QStringLiteral("TEXT");
        case FieldType::Integer:
            // A key of one INTEGER column would be the row id, which takes a NULL as "the
            // next number"; INT keeps the integer affinity and refuses NULL like any key.
            return soleIntegerKey ? QStringLiteral("INT") : QStringLiteral("INTEGER");
        case FieldType::Float:
            return QStringLiteral("REAL");
        case FieldType::Boolean:
            break;
        }
        return DbDialect::columnType(c, soleIntegerKey);
    }
    // The one pattern a date-time text must match (GLOB without wildcards matches the
    // whole text), so that a QDateTime bound as it is ("2024-03-15T13:45:30.123") or
    // CURRENT_TIMESTAMP fails loudly instead of spoiling MAX, MIN and ORDER BY.
    QString columnCheck(const FieldDef& c) const override {
        if (c.type != FieldType::DateTime) {
            return {};
        }
        return QStringLiteral("CHECK (%1 GLOB '[0-9][0-9][0-9][0-9]-[01][0-9]-[0-3][0-9] "
                              "[0-2][0-9]:[0-5][0-9]:[0-5][0-9].[0-9][0-9][0-9]')")
            .arg(c.name);
    }

protected:
    bool namedBy(const QString& p) const override {
        return p == QLatin1String("QSQLITE") || p == QLatin1String("SQLITE");
    }
    void check(const ConnectionText& c) const override {
        const QString f = file(c);
        if (f.isEmpty()) {
            throw AppError(QStringLiteral("A conexão SQLite não indica o arquivo do banco."));
        }
        const QString folder = QFileInfo(f).absolutePath();
        if (f != QLatin1String(":memory:") && !QDir().mkpath(folder)) {
            throw AppError(QStringLiteral("Não foi possível criar a pasta %1 do banco de dados "
                                          "SQLite.")
                               .arg(QDir::toNativeSeparators(folder)));
        }
    }
    void setUp(QSqlDatabase& db, const ConnectionText& c) const override {
        db.setDatabaseName(file(c));
    }
    // SQLite opens a URI with mode=rw for reading and writing without creating the file.
    void openExistingOnly(QSqlDatabase& db) const override {
        const QString f = db.databaseName();
        if (f == QLatin1String(":memory:")) {
            return;
        }
        QUrl uri = QUrl::fromLocalFile(QFileInfo(f).absoluteFilePath());
        uri.setQuery(QStringLiteral("mode=rw"));
        db.setDatabaseName(uri.toString(QUrl::FullyEncoded));
        db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_URI"));
    }

private:
    // The database file of a connection, also when it is opened through a URI.
    static QString file(const QSqlDatabase& db) {
        const QString name = db.databaseName();
        if (db.connectOptions().contains(QLatin1String("QSQLITE_OPEN_URI")) &&
            name.startsWith(QLatin1String("file:"))) {
            return QUrl(name).toLocalFile();
        }
        return name;
    }
    // The database file; a relative name is in the till folder.
    static QString file(const ConnectionText& c) {
        const QString f = c.value(QStringLiteral("Data Source"));
        if (f.isEmpty() || f == QLatin1String(":memory:") || QFileInfo(f).isAbsolute()) {
            return f;
        }
        return tillPath(f);
    }
};

class PostgresDialect final : public DbDialect {
public:
    PostgresDialect()
        : DbDialect(DbKind::PostgreSQL, QStringLiteral("PostgreSQL"), QStringLiteral("postgresql"),
                    QStringLiteral("QPSQL")) {}

    QString describe(const ConnectionText& c) const override {
        return description(host(c), port(c), c.value(QStringLiteral("Database")));
    }
    QString describe(const QSqlDatabase& db) const override {
        return description(db.hostName(), QString::number(db.port() > 0 ? db.port() : 5432),
                           db.databaseName());
    }
    bool followsTillTimeZone() const override { return true; }
    int answerTimeout() const override { return kAnswerTimeout; }
    QString failureReason(const QSqlDatabase& /*db*/, const QSqlError& error) const override {
        if (error.nativeErrorCode() == QLatin1String("57014") &&
            error.databaseText().contains(QLatin1String("statement timeout"))) {
            return QStringLiteral("o servidor não concluiu a instrução em %1 s")
                .arg(kStatementTimeout);
        }
        return {};
    }
    QString columnName(const QString& reported) const override { return reported.toUpper(); }
    QString nowExpression() const override {
        return QStringLiteral("CAST(LOCALTIMESTAMP AS TIMESTAMP(3))");
    }
    QString hourAgoExpression() const override {
        return QStringLiteral("(CAST(LOCALTIMESTAMP AS TIMESTAMP(3)) - INTERVAL '1 hour')");
    }
    TriggerForm triggerForm() const override { return TriggerForm::PerStatement; }
    ChangeWatch changeWatch() const override { return ChangeWatch::Notification; }
    bool subscribeToChanges(QSqlDatabase& db) const override {
        return db.isOpen() && db.driver()->subscribeToNotification(ChangeNotice::channel());
    }
    // One notice per row of the selection, built as JSON by the server (the values are
    // quoted by it); PostgreSQL delivers them at commit, and only once when a transaction
    // repeats the same notice.
    QString notifyStatement(const QString& selection, const QString& table) const override {
        // statement-scan: the channel, the keys and a table name of the schema, not values
        return QStringLiteral("PERFORM pg_notify('%1', json_build_object('%2', X.CDFILIAL, "
                              "'%3', X.CDLOJA, '%4', '%5', '%6', X.NRMESA)::text)\n"
                              "  FROM (%7) X")
            .arg(ChangeNotice::channel(), ChangeNotice::keyFilial(), ChangeNotice::keyLoja(),
                 ChangeNotice::keyTabela(), table, ChangeNotice::keyMesa(), selection);
    }
    QVariant dateTimeValue(const QDateTime& value) const override {
        return value.isValid() ? QVariant(dateTimeText(value))
                               : QVariant(QMetaType::fromType<QString>());
    }
    bool createsSchema() const override { return true; }
    QString columnType(const FieldDef& c, bool soleIntegerKey) const override {
        switch (c.type) {
        case FieldType::Text:
            return c.size == 0 ? QStringLiteral("TEXT") : QStringLiteral("VARCHAR(%1)").arg(c.size);
        case FieldType::Integer:
            return QStringLiteral("INTEGER");
        case FieldType::Float:
            return QStringLiteral("DOUBLE PRECISION");
        case FieldType::DateTime:
            return QStringLiteral("TIMESTAMP(3)");
        case FieldType::Boolean:
            break;
        }
        return DbDialect::columnType(c, soleIntegerKey);
    }
    bool holdsTextWidths() const override { return true; }

protected:
    bool namedBy(const QString& p) const override {
        return p == QLatin1String("QPSQL") || p == QLatin1String("POSTGRESQL");
    }
    void check(const ConnectionText& c) const override { portNumber(c); }
    void setUp(QSqlDatabase& db, const ConnectionText& c) const override {
        db.setHostName(host(c));
        db.setPort(portNumber(c));
        db.setDatabaseName(c.value(QStringLiteral("Database")));
        db.setUserName(c.value(QStringLiteral("User ID")));
        db.setPassword(c.value(QStringLiteral("Password")));
        // One bounded attempt to connect; once connected, a statement the server does not
        // finish ends with an error, and a server that is gone is noticed by the keepalives
        // (and by the unacknowledged data of a request).
        db.setConnectOptions(
            QStringLiteral("connect_timeout=%1;keepalives=1;keepalives_idle=5;"
                           "keepalives_interval=2;keepalives_count=3;"
                           "tcp_user_timeout=10000;"
                           "options='-c statement_timeout=%2s'")
                .arg(QString::number(kAnswerTimeout), QString::number(kStatementTimeout)));
    }

private:
    static constexpr int kAnswerTimeout = 5;
    static constexpr int kStatementTimeout = 15;

    static QString host(const ConnectionText& c) { return first(c, "Host", "Data Source"); }
    static QString port(const ConnectionText& c) {
        const QString p = c.value(QStringLiteral("Port"));
        return p.isEmpty() ? QStringLiteral("5432") : p;
    }
    static int portNumber(const ConnectionText& c) {
        bool ok = false;
        const int n = port(c).toInt(&ok);
        if (!ok || n <= 0 || n > 65535) {
            throw AppError(QStringLiteral("Porta inválida na conexão com o banco de dados "
                                          "PostgreSQL: \"%1\".")
                               .arg(port(c)));
        }
        return n;
    }
    static QString description(const QString& host, const QString& port, const QString& db) {
        return QStringLiteral("PostgreSQL em %1:%2 (banco %3)")
            .arg(host.isEmpty() ? QStringLiteral("localhost") : host, port, db);
    }
};

class SqlServerDialect final : public OdbcDialect {
public:
    SqlServerDialect()
        : OdbcDialect(DbKind::SqlServer, QStringLiteral("SQL Server"), QStringLiteral("mssql"),
                      QStringLiteral("QODBC")) {}

    QString nowExpression() const override { return QStringLiteral("GETDATE()"); }

protected:
    bool namedBy(const QString& p) const override {
        return p.startsWith(QLatin1String("SQLOLEDB")) || p.startsWith(QLatin1String("SQLNCLI")) ||
               p.startsWith(QLatin1String("MSOLEDBSQL")) || p == QLatin1String("SQL SERVER");
    }
    QString serverAttribute() const override { return QStringLiteral("SERVER"); }
    // Data Source, or Host with its port.
    QString server(const ConnectionText& c) const override {
        const QString source = c.value(QStringLiteral("Data Source"));
        if (!source.isEmpty()) {
            return source;
        }
        const QString host = c.value(QStringLiteral("Host"));
        const QString port = c.value(QStringLiteral("Port"));
        return port.isEmpty() ? host : host + QLatin1Char(',') + port;
    }
    QStringList serverAttributes(const ConnectionText& c) const override {
        return {driverOr(c, QStringLiteral("{ODBC Driver 17 for SQL Server}")),
                QStringLiteral("SERVER=") + odbcValue(server(c)),
                QStringLiteral("DATABASE=") + odbcValue(first(c, "Initial Catalog", "Database"))};
    }
};

class OracleDialect final : public OdbcDialect {
public:
    OracleDialect()
        : OdbcDialect(DbKind::Oracle, QStringLiteral("Oracle"), QStringLiteral("oracle"),
                      QStringLiteral("QODBC")) {}

    std::optional<DbKind> fallbackKind() const override { return DbKind::SqlServer; }
    QString nowExpression() const override { return QStringLiteral("SYSDATE"); }

protected:
    bool namedBy(const QString& p) const override {
        return p.startsWith(QLatin1String("MSDAORA")) || p.startsWith(QLatin1String("ORAOLEDB"));
    }
    QString serverAttribute() const override { return QStringLiteral("DBQ"); }
    // Data Source, or Host with its port and service.
    QString server(const ConnectionText& c) const override {
        const QString source = c.value(QStringLiteral("Data Source"));
        if (!source.isEmpty()) {
            return source;
        }
        const QString port = c.value(QStringLiteral("Port"));
        const QString service = c.value(QStringLiteral("Database"));
        return c.value(QStringLiteral("Host")) +
               (port.isEmpty() ? QString() : QLatin1Char(':') + port) +
               (service.isEmpty() ? QString() : QLatin1Char('/') + service);
    }
    QStringList serverAttributes(const ConnectionText& c) const override {
        return {driverOr(c, QStringLiteral("{Oracle}")),
                QStringLiteral("DBQ=") + odbcValue(server(c))};
    }
};

const QList<const DbDialect*>& dialects() {
    static const SqliteDialect sqlite;
    static const PostgresDialect postgres;
    static const SqlServerDialect sqlServer;
    static const OracleDialect oracle;
    static const QList<const DbDialect*> all = {&sqlite, &postgres, &sqlServer, &oracle};
    return all;
}

// An ODBC connection made elsewhere: Oracle when its connect string names an Oracle data
// source (DBQ) or driver.
bool odbcNamesOracle(const QString& connectString) {
    return !odbcAttribute(connectString, QStringLiteral("DBQ")).isEmpty() ||
           odbcAttribute(connectString, QStringLiteral("DRIVER"))
               .contains(QLatin1String("Oracle"), Qt::CaseInsensitive);
}

} // namespace

DbDialect::DbDialect(DbKind kind, QString name, QString folder, QString driver)
    : kind_(kind)
    , name_(std::move(name))
    , folder_(std::move(folder))
    , driver_(std::move(driver)) {}

const DbDialect& DbDialect::forKind(DbKind kind) {
    for (const DbDialect* d : dialects()) {
        if (d->kind_ == kind) {
            return *d;
        }
    }
    throw AppError(QStringLiteral("Tipo de banco de dados desconhecido (%1).").arg(int(kind)));
}

const DbDialect& DbDialect::forConnectionText(const QString& connectionText) {
    const QString provider =
        ConnectionText::parse(connectionText).value(QStringLiteral("Provider")).trimmed();
    if (provider.isEmpty()) {
        throw AppError(QStringLiteral("A conexão não indica o provedor do banco de dados."));
    }
    for (const DbDialect* d : dialects()) {
        if (d->namedBy(provider.toUpper())) {
            return *d;
        }
    }
    throw AppError(QStringLiteral("Provedor de banco de dados desconhecido na conexão: \"%1\".")
                       .arg(provider));
}

const DbDialect& DbDialect::of(const QSqlDatabase& db) {
    const QString driver = db.driverName();
    {
        const QMutexLocker lock(&registryMutex);
        const auto it = registry().constFind(db.connectionName());
        if (it != registry().cend() && forKind(*it).driver_ == driver) {
            return forKind(*it);
        }
    }
    return forDriver(driver, db.databaseName());
}

const DbDialect& DbDialect::forDriver(const QString& driver, const QString& databaseName) {
    if (driver == QLatin1String("QODBC")) {
        return forKind(odbcNamesOracle(databaseName) ? DbKind::Oracle : DbKind::SqlServer);
    }
    for (const DbDialect* d : dialects()) {
        if (d->driver_ == driver) {
            return *d;
        }
    }
    throw AppError(QStringLiteral("Conexão com o banco de dados de tipo desconhecido (driver "
                                  "\"%1\").")
                       .arg(driver));
}

QSqlDatabase DbDialect::configure(const ConnectionText& text, const QString& connectionName,
                                  DatabaseFile file) const {
    if (!QSqlDatabase::isDriverAvailable(driver_)) {
        throw AppError(QStringLiteral("O driver %1 do Qt não está instalado: não é possível "
                                      "conectar ao banco de dados %2.")
                           .arg(driver_, describe(text)));
    }
    check(text);
    if (QSqlDatabase::contains(connectionName)) {
        QSqlDatabase::removeDatabase(connectionName);
    }
    QSqlDatabase db = QSqlDatabase::addDatabase(driver_, connectionName);
    setUp(db, text);
    if (file == DatabaseFile::MustExist) {
        openExistingOnly(db);
    }
    const QMutexLocker lock(&registryMutex);
    registry().insert(connectionName, kind_);
    return db;
}

void DbDialect::check(const ConnectionText& /*text*/) const {}

QString DbDialect::failureReason(const QSqlDatabase& /*db*/, const QSqlError& /*error*/) const {
    return {};
}

QString DbDialect::dateTimeText(const QDateTime& value) {
    if (!value.isValid()) {
        return {};
    }
    return value.toString(QString::fromLatin1(kDateTimeFormat));
}

QDateTime DbDialect::parseDateTimeText(const QString& text) {
    return QDateTime::fromString(text, QString::fromLatin1(kDateTimeFormat));
}

QVariant DbDialect::dateTimeValue(const QDateTime& value) const {
    return value.isValid() ? QVariant(value) : QVariant(QMetaType::fromType<QDateTime>());
}

QDateTime DbDialect::readDateTime(const QVariant& value) const {
    switch (value.metaType().id()) {
    case QMetaType::QDateTime:
        return value.toDateTime();
    case QMetaType::QDate:
        return value.toDate().startOfDay();
    default:
        return parseDateTimeText(value.toString());
    }
}

QString DbDialect::columnType(const FieldDef& column, bool /*soleIntegerKey*/) const {
    if (!createsSchema()) {
        throw AppError(QStringLiteral("O esquema do banco de dados é criado apenas em SQLite e "
                                      "PostgreSQL, não em %1.")
                           .arg(name_));
    }
    throw AppError(
        QStringLiteral("Tipo de coluna sem correspondência no banco: %1.").arg(column.name));
}

QString DbDialect::columnCheck(const FieldDef& /*column*/) const {
    return {};
}

bool DbDialect::subscribeToChanges(QSqlDatabase& /*db*/) const {
    return false;
}

QString DbDialect::notifyStatement(const QString& /*selection*/, const QString& /*table*/) const {
    throw AppError(
        QStringLiteral("O banco de dados %1 não avisa os caixas das mudanças.").arg(name_));
}

} // namespace tmk
