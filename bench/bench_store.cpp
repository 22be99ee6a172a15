#include "bench/bench_store.h"

#include "db/schema.h"
#include "external/common.h"
#include "platform/database_error.h"
#include "platform/errors.h"
#include "suite/common/connection_text.h"
#include "suite/common/statement_files.h"

#include <QCryptographicHash>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariantMap>

Q_LOGGING_CATEGORY(lcBenchStore, "tmk.bench.store")

namespace tmk::bench {

namespace {

// Sales of the history are one every 90 seconds and it ends two days ago.
constexpr qint64 kSecondsBetweenSales = 90;

// A connection of its own, closed and removed when it goes.
class Connection {
public:
    Connection(const QString& text, QString name)
        : name_(std::move(name))
        , db_(openConnection(text, name_)) {}
    ~Connection() {
        db_.close();
        db_ = QSqlDatabase();
        QSqlDatabase::removeDatabase(name_);
    }
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;
    QSqlDatabase& db() { return db_; }

private:
    QString name_;
    QSqlDatabase db_;
};

// The benchmark's scripts: the store and its history on each kind; the steps around the
// generation and the server's administration only where a kind has them.
const StatementSet& scripts(DbKind kind) {
    static const LibraryStatements statements(
        QStringLiteral(":/bench/sql"), QStringLiteral("do benchmark"),
        {{QStringLiteral("history"), QStringLiteral("history_count"), QStringLiteral("store"),
          QStringLiteral("journal_count"), QStringLiteral("undo_sale"),
          QStringLiteral("undo_settlement"), QStringLiteral("undo_cancel_sale")},
         {},
         {QStringLiteral("generation"), QStringLiteral("after_generation"),
          QStringLiteral("after_store"), QStringLiteral("create_database"),
          QStringLiteral("database_exists"), QStringLiteral("drop_database"),
          QStringLiteral("rename_database")}});
    return statements.forDialect(DbDialect::forKind(kind));
}

QString scriptText(DbKind kind, const QString& name) {
    return scripts(kind).text(name);
}

[[noreturn]] void refused(const QString& script, const QSqlQuery& q) {
    throw DatabaseError(
        QStringLiteral("O banco do benchmark recusou o roteiro \"%1\".").arg(script), script,
        q.lastError().text());
}

// Runs every statement of a script; a statement gets the values of the placeholders it
// names.
void runScript(QSqlDatabase& db, DbKind kind, const QString& script,
               const QVariantMap& binds = {}) {
    for (const QString& statement : splitStatements(scriptText(kind, script))) {
        QSqlQuery q(db);
        q.setForwardOnly(true);
        bool ok = false;
        if (statement.contains(QLatin1String(":P_"))) {
            if (!q.prepare(statement)) {
                refused(script, q);
            }
            for (auto it = binds.cbegin(); it != binds.cend(); ++it) {
                const QString placeholder = QLatin1Char(':') + it.key();
                if (statement.contains(placeholder)) {
                    q.bindValue(placeholder, it.value());
                }
            }
            ok = q.exec();
        } else {
            ok = q.exec(statement);
        }
        if (!ok) {
            refused(script, q);
        }
        q.finish();
    }
}

// Runs a script where the kind has one.
void runScriptIfAny(QSqlDatabase& db, DbKind kind, const QString& script) {
    if (scripts(kind).contains(script)) {
        runScript(db, kind, script);
    }
}

QVariant firstValue(QSqlDatabase& db, DbKind kind, const QString& script,
                    const QVariantMap& binds = {}) {
    const QString statement = splitStatements(scriptText(kind, script)).value(0);
    QSqlQuery q(db);
    q.setForwardOnly(true);
    if (!q.prepare(statement)) {
        refused(script, q);
    }
    for (auto it = binds.cbegin(); it != binds.cend(); ++it) {
        q.bindValue(QLatin1Char(':') + it.key(), it.value());
    }
    if (!q.exec()) {
        refused(script, q);
    }
    return q.next() ? q.value(0) : QVariant();
}

void inTransaction(QSqlDatabase& db, const std::function<void()>& body) {
    if (!db.transaction()) {
        throw DatabaseError(QStringLiteral("Não foi possível iniciar a transação do benchmark."),
                            QStringLiteral("transação"), db.lastError().text());
    }
    try {
        body();
    } catch (...) {
        db.rollback();
        throw;
    }
    if (!db.commit()) {
        const QString text = db.lastError().text();
        db.rollback();
        throw DatabaseError(QStringLiteral("Não foi possível confirmar a transação do benchmark."),
                            QStringLiteral("transação"), text);
    }
}

// What the history is made from: the schema and the generating script. A database made
// from other ones is generated again.
QByteArray historyVersion(DbKind kind) {
    const QString source = db::schemaFingerprint(db::schema()) + QLatin1Char('\n') +
                           scriptText(kind, QStringLiteral("history"));
    return QCryptographicHash::hash(source.toUtf8(), QCryptographicHash::Sha1).toHex();
}

// The file beside the cached databases that records the version of a history.
QString versionFile(const StoreOptions& options, int history) {
    const QString folder =
        QDir(options.cacheFolder).filePath(DbDialect::forKind(options.kind).folder());
    if (!QDir().mkpath(folder)) {
        throw AppError(QStringLiteral("Não foi possível criar a pasta %1.").arg(folder));
    }
    return QDir(folder).filePath(QStringLiteral("historico-%1.versao").arg(history));
}

bool versionRecorded(const StoreOptions& options, int history) {
    QFile f(versionFile(options, history));
    return f.open(QIODevice::ReadOnly) && f.readAll().trimmed() == historyVersion(options.kind);
}

void recordVersion(const StoreOptions& options, int history) {
    QFile f(versionFile(options, history));
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        f.write(historyVersion(options.kind) + '\n') < 0 || !f.flush()) {
        throw AppError(QStringLiteral("Não foi possível gravar %1.").arg(f.fileName()));
    }
}

void forgetVersion(const StoreOptions& options, int history) {
    QFile::remove(versionFile(options, history));
}

// True when the database holds the current schema and a history of that size.
bool historyReady(const QString& text, DbKind kind, int history) {
    Connection c(text, QStringLiteral("tmk_bench_check"));
    if (!db::schemaPresent(c.db())) {
        return false;
    }
    try {
        db::ensureSchema(c.db());
    } catch (const AppError& e) {
        qCInfo(lcBenchStore) << "cached history is stale:" << e.message();
        return false;
    }
    return firstValue(c.db(), kind, QStringLiteral("history_count")).toLongLong() == history;
}

// Creates the schema and writes the history into an empty database.
void generateHistory(const QString& text, DbKind kind, int history) {
    QElapsedTimer clock;
    clock.start();
    qCInfo(lcBenchStore).noquote() << QStringLiteral("Gerando o histórico de %1 vendas (%2)...")
                                          .arg(history)
                                          .arg(DbDialect::forKind(kind).name());
    Connection c(text, QStringLiteral("tmk_bench_generation"));
    db::createSchema(c.db());
    runScriptIfAny(c.db(), kind, QStringLiteral("generation"));
    QDateTime start =
        QDateTime::currentDateTime().addDays(-2).addSecs(-kSecondsBetweenSales * qint64(history));
    start.setTime(QTime(start.time().hour(), start.time().minute()));
    const QVariantMap binds{
        {QStringLiteral("P_N"), history},
        {QStringLiteral("P_INICIO"), start.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz"))}};
    inTransaction(c.db(), [&] { runScript(c.db(), kind, QStringLiteral("history"), binds); });
    // The triggers kept the orphan journal through the set-based load: nothing is an
    // orphan in a complete history.
    const qint64 journal = firstValue(c.db(), kind, QStringLiteral("journal_count")).toLongLong();
    if (journal != 0) {
        throw AppError(QStringLiteral("O histórico gerado deixou %1 chaves no diário de órfãos.")
                           .arg(journal));
    }
    runScriptIfAny(c.db(), kind, QStringLiteral("after_generation"));
    qCInfo(lcBenchStore).noquote() << QStringLiteral("Histórico de %1 vendas gerado em %2 s.")
                                          .arg(history)
                                          .arg(double(clock.elapsed()) / 1000.0, 0, 'f', 1);
}

void writeLiveStore(const QString& text, DbKind kind) {
    Connection c(text, QStringLiteral("tmk_bench_store"));
    SetADODBSession(c.db());
    inTransaction(c.db(), [&] { runScript(c.db(), kind, QStringLiteral("store")); });
    runScriptIfAny(c.db(), kind, QStringLiteral("after_store"));
}

QString sqliteText(const QString& file) {
    ConnectionText c;
    c.set(QStringLiteral("Provider"), QStringLiteral("QSQLITE"));
    c.set(QStringLiteral("Data Source"), file);
    return c.toString();
}

void removeSqlite(const QString& file) {
    for (const char* suffix : {"", "-journal", "-wal", "-shm"}) {
        const QString f = file + QString::fromLatin1(suffix);
        if (QFile::exists(f) && !QFile::remove(f)) {
            throw AppError(QStringLiteral("Não foi possível remover %1.").arg(f));
        }
    }
}

QString prepareSqlite(const StoreOptions& options, int history) {
    const QString folder = QDir(options.cacheFolder).filePath(QStringLiteral("sqlite"));
    if (!QDir().mkpath(folder)) {
        throw AppError(QStringLiteral("Não foi possível criar a pasta %1.").arg(folder));
    }
    const QString file = QDir(folder).filePath(QStringLiteral("historico-%1.sqlite").arg(history));
    if (!versionRecorded(options, history) || !QFileInfo::exists(file) ||
        !historyReady(sqliteText(file), DbKind::SQLite, history)) {
        forgetVersion(options, history);
        removeSqlite(file);
        // Written aside and renamed when complete: an interrupted run leaves no half file.
        const QString partial = file + QStringLiteral(".parcial");
        removeSqlite(partial);
        generateHistory(sqliteText(partial), DbKind::SQLite, history);
        if (!QFile::rename(partial, file)) {
            throw AppError(QStringLiteral("Não foi possível renomear %1.").arg(partial));
        }
        recordVersion(options, history);
    }
    writeLiveStore(sqliteText(file), DbKind::SQLite);
    return sqliteText(file);
}

QString postgresText(const QString& adminText, const QString& database) {
    ConnectionText c = ConnectionText::parse(adminText);
    c.set(QStringLiteral("Database"), database);
    return c.toString();
}

QString preparePostgres(const StoreOptions& options, int history) {
    if (options.postgresAdminText.isEmpty()) {
        throw AppError(QStringLiteral("Sem servidor PostgreSQL para o benchmark: defina "
                                      "TMK_BENCH_PG (ou use bench/run)."));
    }
    const QString name = QStringLiteral("tmk_bench_%1").arg(history);
    const QString partial = name + QStringLiteral("_parcial");
    const QString text = postgresText(options.postgresAdminText, name);
    Connection admin(options.postgresAdminText, QStringLiteral("tmk_bench_admin"));
    const auto exists = [&](const QString& database) {
        return firstValue(admin.db(), DbKind::PostgreSQL, QStringLiteral("database_exists"),
                          {{QStringLiteral("P_NOME"), database}})
            .isValid();
    };
    const auto adminRun = [&](const QString& script, const QString& a, const QString& b = {}) {
        QString statement = splitStatements(scriptText(DbKind::PostgreSQL, script)).value(0);
        // statement-scan: names of the databases the benchmark makes, which cannot be bound
        statement = b.isEmpty() ? statement.arg(a) : statement.arg(a, b);
        QSqlQuery q(admin.db());
        if (!q.exec(statement)) {
            refused(script, q);
        }
    };
    if (!versionRecorded(options, history) || !exists(name) ||
        !historyReady(text, DbKind::PostgreSQL, history)) {
        forgetVersion(options, history);
        adminRun(QStringLiteral("drop_database"), name);
        adminRun(QStringLiteral("drop_database"), partial);
        adminRun(QStringLiteral("create_database"), partial);
        generateHistory(postgresText(options.postgresAdminText, partial), DbKind::PostgreSQL,
                        history);
        adminRun(QStringLiteral("rename_database"), partial, name);
        recordVersion(options, history);
    }
    writeLiveStore(text, DbKind::PostgreSQL);
    return text;
}

} // namespace

void runStoreScript(QSqlDatabase& db, DbKind kind, const QString& script,
                    const QVariantMap& binds) {
    runScript(db, kind, script, binds);
}

QString prepareStore(const StoreOptions& options, int history) {
    if (history < 1) {
        throw AppError(
            QStringLiteral("O tamanho do histórico deve ser positivo (%1).").arg(history));
    }
    const DbDialect& dialect = DbDialect::forKind(options.kind);
    if (!dialect.createsSchema()) {
        throw AppError(QStringLiteral("O benchmark roda apenas em SQLite e PostgreSQL."));
    }
    // A file of its own, or a database on the server.
    return dialect.hasServer() ? preparePostgres(options, history)
                               : prepareSqlite(options, history);
}

} // namespace tmk::bench
