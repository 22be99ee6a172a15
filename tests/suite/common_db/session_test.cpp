#include "external/common.h"
#include "platform/database_error.h"
#include "suite/common/db_dialect.h"
#include "tests/suite/common_db/db_fixture.h"
#include "tests/suite/print_qstring.h"

#include <QSqlQuery>
#include <QTimeZone>

namespace tmk::suite_test {
namespace {

QVariant scalar(QSqlDatabase& db, const QString& sql) {
    QSqlQuery q(db);
    if (!q.exec(sql) || !q.next()) {
        return {};
    }
    return q.value(0);
}

using Session = DbFixture;

TEST_F(Session, SettingsOfTheKind) {
    QSqlDatabase db = open();
    ASSERT_TRUE(db.isOpen());
    EXPECT_EQ(DbDialect::of(db).kind(), runKind());
    if (runKind() == DbKind::PostgreSQL) {
        // Typed dates are read day first; timestamps come back as valid date-times.
        EXPECT_EQ(scalar(db, "SELECT CAST(CAST('15/03/2024' AS DATE) AS TEXT)").toString(),
                  "2024-03-15");
        EXPECT_EQ(scalar(db, "SELECT CAST('2024-03-15 13:45:30.123' AS TIMESTAMP(3))").toDateTime(),
                  QDateTime(QDate(2024, 3, 15), QTime(13, 45, 30, 123)));
        EXPECT_EQ(scalar(db, "SHOW client_encoding").toString(), "UTF8");
        EXPECT_EQ(scalar(db, "SHOW TimeZone").toString(),
                  QString::fromUtf8(QTimeZone::systemTimeZoneId()));
    } else {
        EXPECT_EQ(scalar(db, "PRAGMA journal_mode").toString(), "wal");
        EXPECT_EQ(scalar(db, "PRAGMA busy_timeout").toInt(), 5000);
    }
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
    if (runKind() == DbKind::PostgreSQL) {
        EXPECT_EQ(scalar(db, "SELECT CAST(CAST('15/03/2024' AS DATE) AS TEXT)").toString(),
                  "2024-03-15");
    } else {
        EXPECT_EQ(scalar(db, "PRAGMA busy_timeout").toInt(), 5000);
    }
    TryConnect(db); // open and answering: left as it is
    EXPECT_TRUE(db.isOpen());
}

TEST_F(Session, TryConnectReopensAConnectionTheServerEnded) {
    if (runKind() != DbKind::PostgreSQL) {
        GTEST_SKIP() << "an SQLite file has no server to end the connection";
    }
    QSqlDatabase db = open();
    const qlonglong pid = scalar(db, "SELECT pg_backend_pid()").toLongLong();
    ASSERT_GT(pid, 0);
    {
        QSqlDatabase other = open("other");
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
} // namespace tmk::suite_test
