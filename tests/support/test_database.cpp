#include "tests/support/test_database.h"

#include "db/schema.h"
#include "external/common.h"
#include "platform/database_error.h"
#include "platform/errors.h"
#include "suite/common/connection_text.h"
#include "suite/common/statement_files.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <atomic>
#include <memory>

namespace tmk::test {

namespace {

std::atomic<int> sequence{0};

// The fixture's own statements: the refusing trigger of each kind, and the PostgreSQL
// server's administration.
const StatementSet& statements(const DbDialect& dialect) {
    static const LibraryStatements library(
        QStringLiteral(":/tests/support/sql"), QStringLiteral("dos testes"),
        {{QStringLiteral("refuse")},
         {},
         {QStringLiteral("create_database"), QStringLiteral("create_database_from"),
          QStringLiteral("drop_database")}});
    return library.forDialect(dialect);
}

QString nextName(const QString& prefix) {
    return QStringLiteral("%1%2_%3")
        .arg(prefix)
        .arg(QCoreApplication::applicationPid())
        .arg(++sequence);
}

QString errorText(const std::exception& e) {
    if (const auto* db = dynamic_cast<const DatabaseError*>(&e)) {
        return db->driverText().isEmpty()
                   ? db->message()
                   : db->message() + QStringLiteral(" (") + db->driverText() + QLatin1Char(')');
    }
    return exceptionText(e);
}

void closeAndRemove(const QString& connectionName) {
    {
        QSqlDatabase db = QSqlDatabase::database(connectionName, false);
        if (db.isValid()) {
            db.close();
        }
    }
    QSqlDatabase::removeDatabase(connectionName);
}

// Opens a connection, applies the schema and closes it again.
void createSchemaIn(const QString& connectionText, const QString& connectionName) {
    {
        QSqlDatabase db = openConnection(connectionText, connectionName);
        db::createSchema(db);
    }
    closeAndRemove(connectionName);
}

bool unknownKindName() {
    const QByteArray k = qgetenv("TMK_DB_KIND").trimmed().toLower();
    return !k.isEmpty() && k != "sqlite" && k != "postgresql";
}

// ---------------------------------------------------------------- SQLite

struct SqliteTemplate {
    std::unique_ptr<QTemporaryDir> folder;
    QString file;
    QString error;
};

SqliteTemplate& sqliteTemplate() {
    static SqliteTemplate t = [] {
        SqliteTemplate made;
        // Memory-backed when the machine has it: every commit of a test syncs the file.
        const QFileInfo shm(QStringLiteral("/dev/shm"));
        made.folder =
            shm.isDir() && shm.isWritable()
                ? std::make_unique<QTemporaryDir>(QStringLiteral("/dev/shm/tmk-teste-XXXXXX"))
                : std::make_unique<QTemporaryDir>();
        if (!made.folder->isValid()) {
            made.error = QStringLiteral("Não foi possível criar a pasta temporária dos bancos.");
            return made;
        }
        const QString file = made.folder->filePath(QStringLiteral("esquema.sqlite"));
        ConnectionText c;
        c.set(QStringLiteral("Provider"), QStringLiteral("QSQLITE"));
        c.set(QStringLiteral("Data Source"), file);
        try {
            createSchemaIn(c.toString(), QStringLiteral("tmk_test_sqlite_template"));
            made.file = file;
        } catch (const std::exception& e) {
            made.error = errorText(e);
        }
        return made;
    }();
    return t;
}

// ---------------------------------------------------------------- PostgreSQL

struct PostgresServer {
    QString adminText;
    QString adminConnection = QStringLiteral("tmk_test_pg_admin");
    QString templateName;
    bool adminOpen = false;
};

PostgresServer& postgresServer() {
    static PostgresServer s;
    return s;
}

QString adminStatement(const QString& name) {
    return statements(DbDialect::forKind(DbKind::PostgreSQL)).text(name);
}

void runAdmin(const QString& statement) {
    PostgresServer& s = postgresServer();
    QSqlDatabase admin = QSqlDatabase::database(s.adminConnection, false);
    QSqlQuery q(admin);
    if (!q.exec(statement)) {
        throw DatabaseError(QStringLiteral("O servidor PostgreSQL de teste recusou a instrução."),
                            statement, q.lastError().text());
    }
}

void requireGeneratedName(const QString& name) {
    static const QRegularExpression safe(QStringLiteral("^[a-z][a-z0-9_]*$"));
    if (!safe.match(name).hasMatch()) {
        throw AppError(QStringLiteral("Nome de banco de teste inválido: %1.").arg(name));
    }
}

void dropDatabase(const QString& name) {
    requireGeneratedName(name);
    runAdmin(adminStatement(QStringLiteral("drop_database")).arg(name));
}

QString databaseText(const QString& name) {
    ConnectionText c = ConnectionText::parse(postgresServer().adminText);
    c.set(QStringLiteral("Database"), name);
    return c.toString();
}

// Called when the application ends: the template and the administration connection go.
void dropPostgresTemplate() {
    PostgresServer& s = postgresServer();
    if (!s.adminOpen) {
        return;
    }
    if (!s.templateName.isEmpty()) {
        try {
            dropDatabase(s.templateName);
        } catch (const std::exception& e) {
            qWarning("test template database not dropped: %s", e.what());
        }
        s.templateName.clear();
    }
    closeAndRemove(s.adminConnection);
    s.adminOpen = false;
}

void ensureAdmin() {
    PostgresServer& s = postgresServer();
    if (s.adminOpen) {
        return;
    }
    openConnection(s.adminText, s.adminConnection);
    s.adminOpen = true;
    qAddPostRoutine(dropPostgresTemplate);
}

void ensurePostgresTemplate() {
    PostgresServer& s = postgresServer();
    if (!s.templateName.isEmpty()) {
        return;
    }
    const QString name =
        QStringLiteral("tmk_tpl%1_%2")
            .arg(QCoreApplication::applicationPid())
            .arg(QRandomGenerator::global()->bounded(0x10000), 4, 16, QLatin1Char('0'));
    runAdmin(adminStatement(QStringLiteral("create_database")).arg(name));
    try {
        createSchemaIn(databaseText(name), QStringLiteral("tmk_test_pg_template"));
    } catch (...) {
        dropDatabase(name);
        throw;
    }
    s.templateName = name;
}

} // namespace

bool databaseRequired() {
    return qgetenv("CI") == "true";
}

DbKind TestDatabase::kind() {
    const QByteArray k = qgetenv("TMK_DB_KIND").trimmed().toLower();
    return k == "postgresql" ? DbKind::PostgreSQL : DbKind::SQLite;
}

TestDatabase::TestDatabase(Contents contents) {
    if (unknownKindName()) {
        whyNot_ = QStringLiteral("TMK_DB_KIND=\"%1\" não é um tipo de banco conhecido (use sqlite "
                                 "ou postgresql).")
                      .arg(QString::fromLocal8Bit(qgetenv("TMK_DB_KIND")));
        return;
    }
    try {
        // A database of its own on the server, or a file of its own.
        if (dialect().hasServer()) {
            makePostgres(contents);
        } else {
            makeSqlite(contents);
        }
        if (whyNot_.isEmpty()) {
            mainConnection_ = nextName(QStringLiteral("tmk_test_"));
            openAnother(mainConnection_);
        }
    } catch (const std::exception& e) {
        whyNot_ = errorText(e);
    }
}

void TestDatabase::makeSqlite(Contents contents) {
    SqliteTemplate& t = sqliteTemplate();
    if (!t.error.isEmpty()) {
        whyNot_ = t.error;
        return;
    }
    sqliteFile_ = t.folder->filePath(nextName(QStringLiteral("banco")) + QStringLiteral(".sqlite"));
    if (contents == Contents::Schema && !QFile::copy(t.file, sqliteFile_)) {
        whyNot_ = QStringLiteral("Não foi possível copiar o banco SQLite de teste para %1.")
                      .arg(sqliteFile_);
        sqliteFile_.clear();
        return;
    }
    ConnectionText c;
    c.set(QStringLiteral("Provider"), QStringLiteral("QSQLITE"));
    c.set(QStringLiteral("Data Source"), sqliteFile_);
    connectionText_ = c.toString();
}

void TestDatabase::makePostgres(Contents contents) {
    PostgresServer& s = postgresServer();
    if (s.adminText.isEmpty()) {
        s.adminText = QString::fromLocal8Bit(qgetenv("TMK_TEST_PG")).trimmed();
    }
    if (s.adminText.isEmpty()) {
        serverNotGiven_ = true;
        whyNot_ = QStringLiteral("Sem servidor PostgreSQL para os testes: TMK_TEST_PG não está "
                                 "definida.");
        return;
    }
    ensureAdmin();
    const QString name = nextName(QStringLiteral("tmk_t"));
    requireGeneratedName(name);
    if (contents == Contents::Schema) {
        ensurePostgresTemplate();
        runAdmin(adminStatement(QStringLiteral("create_database_from")).arg(name, s.templateName));
    } else {
        runAdmin(adminStatement(QStringLiteral("create_database")).arg(name));
    }
    pgDatabase_ = name;
    connectionText_ = databaseText(name);
}

TestDatabase::~TestDatabase() {
    for (const QString& name : std::as_const(connectionNames_)) {
        closeAndRemove(name);
    }
    if (!sqliteFile_.isEmpty()) {
        for (const char* suffix : {"", "-journal", "-wal", "-shm"}) {
            QFile::remove(sqliteFile_ + QString::fromLatin1(suffix));
        }
    }
    if (!pgDatabase_.isEmpty()) {
        try {
            dropDatabase(pgDatabase_);
        } catch (const std::exception& e) {
            qWarning("test database %s not dropped: %s", qPrintable(pgDatabase_), e.what());
        }
    }
}

bool TestDatabase::available(QString* whyNot) const {
    if (whyNot) {
        *whyNot = whyNot_;
    }
    return whyNot_.isEmpty();
}

QSqlDatabase TestDatabase::connection() const {
    if (mainConnection_.isEmpty()) {
        return {};
    }
    return QSqlDatabase::database(mainConnection_);
}

QSqlDatabase TestDatabase::openAnother(const QString& connectionName, Session session) {
    if (connectionText_.isEmpty()) {
        throw AppError(QStringLiteral("O banco de teste não existe: %1").arg(whyNot_));
    }
    QSqlDatabase db = openConnection(connectionText_, connectionName);
    if (!connectionNames_.contains(connectionName)) {
        connectionNames_ << connectionName;
    }
    if (session == Session::Prepared) {
        SetADODBSession(db);
    }
    return db;
}

void TestDatabase::refuse(const QString& table, const QString& event, const QString& condition) {
    static std::atomic<int> serial{0};
    const QString name = QStringLiteral("TRG_RECUSA_%1").arg(++serial);
    QSqlDatabase db = connection();
    const QString script = statements(DbDialect::of(db))
                               .text(QStringLiteral("refuse"))
                               .arg(name, event, table, condition);
    for (const QString& statement : splitStatements(script)) {
        QSqlQuery q(db);
        // Direct execution: DDL cannot be prepared on every server.
        if (!q.exec(statement)) {
            throw DatabaseError(QStringLiteral("O banco de teste recusou o gatilho %1.").arg(name),
                                statement, q.lastError().text());
        }
    }
}

void TestDatabase::writeConexaoIni(const QString& tillFolder) const {
    const ConnectionText c = ConnectionText::parse(connectionText_);
    QString text = QStringLiteral("[Conexao]\n");
    for (const char* key :
         {"Provider", "Data Source", "Host", "Port", "Database", "User ID", "Password"}) {
        const QString k = QString::fromLatin1(key);
        const QString v = c.value(k);
        if (!v.isEmpty()) {
            text += k + QLatin1Char('=') + v + QLatin1Char('\n');
        }
    }
    QDir().mkpath(tillFolder);
    QFile file(QDir(tillFolder).filePath(QStringLiteral("Conexao.ini")));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(text.toUtf8()) < 0 ||
        !file.flush()) {
        throw AppError(QStringLiteral("Não foi possível gravar %1.")
                           .arg(QDir::toNativeSeparators(file.fileName())));
    }
}

} // namespace tmk::test
