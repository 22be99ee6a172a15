#include "tests/suite/common_db/db_fixture.h"

#include "external/common.h"
#include "suite/common/connection_text.h"

#include <QCoreApplication>
#include <QSqlError>
#include <QSqlQuery>
#include <QUuid>

namespace tmk::suite_test {

namespace {

QString& sharedPgDatabase() {
    static QString name;
    return name;
}

QString adminText() {
    return qEnvironmentVariable("TMK_TEST_PG");
}

QString withDatabase(const QString& text, const QString& database) {
    ConnectionText c = ConnectionText::parse(text);
    c.set(QStringLiteral("Database"), database);
    return c.toString();
}

// Runs one statement on the server's administration database.
QString adminExec(const QString& sql) {
    const QString name = QStringLiteral("tmk-test-admin");
    QString error;
    {
        QSqlDatabase db = openConnection(adminText(), name);
        QSqlQuery q(db);
        if (!q.exec(sql)) {
            error = q.lastError().text();
        }
        q.finish();
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
    return error;
}

// Drops the run's PostgreSQL database when the run ends.
class DropPgDatabase : public ::testing::Environment {
public:
    void TearDown() override {
        if (!sharedPgDatabase().isEmpty()) {
            adminExec(
                QStringLiteral("DROP DATABASE IF EXISTS %1 WITH (FORCE)").arg(sharedPgDatabase()));
        }
    }
};
[[maybe_unused]] const auto* const registered =
    ::testing::AddGlobalTestEnvironment(new DropPgDatabase);

} // namespace

DbKind runKind() {
    return qEnvironmentVariable("TMK_DB_KIND") == QLatin1String("postgresql") ? DbKind::PostgreSQL
                                                                              : DbKind::SQLite;
}

void DbFixture::SetUp() {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    prefix_ = QStringLiteral("%1.%2").arg(QString::fromLatin1(info->test_suite_name()),
                                          QString::fromLatin1(info->name()));
    if (runKind() == DbKind::SQLite) {
        ASSERT_TRUE(dir_.isValid());
        connectionText_ = QStringLiteral("Provider=QSQLITE;Data Source=") + dir_.filePath("tmk.db");
        return;
    }
    if (adminText().isEmpty()) {
        if (qEnvironmentVariable("CI") == QLatin1String("true")) {
            FAIL() << "TMK_TEST_PG is not set: the PostgreSQL run needs a server";
        }
        GTEST_SKIP() << "TMK_TEST_PG is not set; PostgreSQL tests skipped";
    }
    if (sharedPgDatabase().isEmpty()) {
        const QString name = QStringLiteral("tmk_common_%1")
                                 .arg(QUuid::createUuid().toString(QUuid::Id128).left(12));
        const QString error = adminExec(QStringLiteral("CREATE DATABASE %1").arg(name));
        ASSERT_TRUE(error.isEmpty()) << error.toStdString();
        sharedPgDatabase() = name;
    }
    connectionText_ = withDatabase(adminText(), sharedPgDatabase());
}

void DbFixture::TearDown() {
    const QStringList names = QSqlDatabase::connectionNames();
    for (const QString& name : names) {
        if (name.startsWith(prefix_)) {
            QSqlDatabase::database(name, false).close();
            QSqlDatabase::removeDatabase(name);
        }
    }
}

QString DbFixture::connectionName(const QString& suffix) const {
    return prefix_ + QLatin1Char('.') + suffix;
}

QSqlDatabase DbFixture::open(const QString& suffix) {
    QSqlDatabase db = openConnection(connectionText_, connectionName(suffix));
    SetADODBSession(db);
    return db;
}

void DbFixture::exec(QSqlDatabase& db, const QString& sql) {
    QSqlQuery q(db);
    EXPECT_TRUE(q.exec(sql)) << sql.toStdString() << ": " << q.lastError().text().toStdString();
}

} // namespace tmk::suite_test
