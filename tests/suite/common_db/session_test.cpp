#include "external/common.h"
#include "platform/database_error.h"
#include "suite/common/db_dialect.h"
#include "suite/common/db_failure.h"
#include "tests/suite/print_qstring.h"
#include "tests/support/test_database.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QTimeZone>
#include <map>

namespace tmk::test {
namespace {

QVariant scalar(QSqlDatabase& db, const QString& sql) {
    QSqlQuery q(db);
    if (!q.exec(sql) || !q.next()) {
        return {};
    }
    return q.value(0);
}

class Session : public DatabaseTest {
protected:
    Session()
        : DatabaseTest(TestDatabase::Contents::Empty) {}
    // Another connection to the test's database, with the till's session.
    QSqlDatabase open(const QString& name = QStringLiteral("sessao")) {
        return database.openAnother(name, TestDatabase::Session::Prepared);
    }
};

// What the session of each kind sets: a question and the answer a prepared session gives.
QList<std::pair<QString, QString>> sessionSettings(DbKind kind) {
    const std::map<DbKind, QList<std::pair<QString, QString>>> settings = {
        {DbKind::SQLite, {{"PRAGMA journal_mode", "wal"}, {"PRAGMA busy_timeout", "5000"}}},
        // Typed dates are read day first; texts travel as UTF-8; the server's clock is the
        // till's.
        {DbKind::PostgreSQL,
         {{"SELECT CAST(CAST('15/03/2024' AS DATE) AS TEXT)", "2024-03-15"},
          {"SHOW client_encoding", "UTF8"},
          {"SHOW TimeZone", QString::fromUtf8(QTimeZone::systemTimeZoneId())},
          // A statement the server does not finish ends with an error instead of holding the
          // till.
          {"SHOW statement_timeout", "15s"},
          // Prepared statements keep the plan of their first call.
          {"SHOW plan_cache_mode", "force_generic_plan"}}},
    };
    return settings.at(kind);
}

void expectSettings(QSqlDatabase& db) {
    for (const auto& [question, answer] : sessionSettings(TestDatabase::kind())) {
        EXPECT_EQ(scalar(db, question).toString(), answer) << question.toStdString();
    }
}

TEST_F(Session, SettingsOfTheKind) {
    QSqlDatabase db = open();
    ASSERT_TRUE(db.isOpen());
    EXPECT_EQ(DbDialect::of(db).kind(), TestDatabase::kind());
    expectSettings(db);
}

// The server's clock, as the dialect asks for it, is the till's clock.
TEST_F(Session, TheServersClockReadsAsTheTills) {
    QSqlDatabase db = open();
    const DbDialect& dialect = DbDialect::of(db);
    const QDateTime before = QDateTime::currentDateTime().addSecs(-2);
    const QDateTime server =
        dialect.readDateTime(scalar(db, QStringLiteral("SELECT ") + dialect.nowExpression()));
    const QDateTime after = QDateTime::currentDateTime().addSecs(2);
    ASSERT_TRUE(server.isValid());
    EXPECT_GE(server, before);
    EXPECT_LE(server, after);
}

TEST_F(Session, PreparingAClosedConnectionIsADatabaseError) {
    QSqlDatabase db = open();
    db.close();
    try {
        SetADODBSession(db);
        FAIL() << "no error";
    } catch (const DatabaseError& e) {
        EXPECT_TRUE(e.connectionLost());
        EXPECT_EQ(ADOExceptionMessage(e, db, ""), "Sem conexão com o banco de dados.\nsession");
    }
}

TEST_F(Session, TryConnectOpensAClosedConnectionWithItsSession) {
    QSqlDatabase db = open();
    db.close();
    TryConnect(db);
    ASSERT_TRUE(db.isOpen());
    expectSettings(db);
    TryConnect(db); // open and answering: left as it is
    EXPECT_TRUE(db.isOpen());
}

TEST_F(Session, TryConnectReopensAConnectionTheServerEnded) {
    if (!TestDatabase::dialect().hasServer()) {
        GTEST_SKIP() << "an SQLite file has no server to end the connection";
    }
    QSqlDatabase db = open();
    const qlonglong pid = scalar(db, "SELECT pg_backend_pid()").toLongLong();
    ASSERT_GT(pid, 0);
    {
        QSqlDatabase other = open(QStringLiteral("outra"));
        QSqlQuery q(other);
        ASSERT_TRUE(q.exec(QStringLiteral("SELECT pg_terminate_backend(%1)").arg(pid)));
    }
    TryConnect(db);
    const qlonglong newPid = scalar(db, "SELECT pg_backend_pid()").toLongLong();
    EXPECT_GT(newPid, 0);
    EXPECT_NE(newPid, pid);
    EXPECT_EQ(scalar(db, "SELECT CAST(CAST('15/03/2024' AS DATE) AS TEXT)").toString(),
              "2024-03-15");
}

// A statement ended by the server's limit says so; the connection stays usable.
TEST_F(Session, AStatementTheServerEndsForItsLimitSaysSo) {
    if (!TestDatabase::dialect().hasServer()) {
        GTEST_SKIP() << "an SQLite file has no server limit";
    }
    QSqlDatabase db = open();
    QSqlQuery q(db);
    // The till's limit, shortened here so that the test does not wait for it.
    ASSERT_TRUE(q.exec(QStringLiteral("SET statement_timeout = '100ms'")));
    ASSERT_FALSE(q.exec(QStringLiteral("SELECT pg_sleep(3)")));
    const QSqlError error = q.lastError();
    try {
        throwDatabaseError(QStringLiteral("Erro ao ler as mesas."), QStringLiteral("mesas"), db,
                           error);
        FAIL() << "no error";
    } catch (const DatabaseError& e) {
        EXPECT_FALSE(e.connectionLost());
        EXPECT_EQ(e.message(),
                  "Erro ao ler as mesas: o servidor não concluiu a instrução em 15 s.");
    }
    EXPECT_EQ(scalar(db, QStringLiteral("SELECT 1")).toInt(), 1);
}

TEST_F(Session, TryConnectOnAnUnconfiguredConnection) {
    QSqlDatabase none;
    try {
        TryConnect(none);
        FAIL() << "no error";
    } catch (const AppError& e) {
        EXPECT_EQ(e.message(), "A conexão com o banco de dados não foi configurada.");
    }
}

} // namespace
} // namespace tmk::test
