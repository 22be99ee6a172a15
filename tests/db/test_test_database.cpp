// The test database fixture other tests stand on.

#include "db/schema.h"
#include "external/common.h"
#include "platform/database_error.h"
#include "platform/errors.h"
#include "suite/common/connection_text.h"
#include "suite/common/db_dialect.h"
#include "tests/db/table_rows.h"
#include "tests/support/test_database.h"

#include <QDir>
#include <QFileInfo>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <map>

using namespace tmk;
using tmk::test::TestDatabase;

namespace {

const db::Table& mesaTable() {
    return *db::schema().table(QStringLiteral("MESA"));
}

QVariantMap mesa(const char* name) {
    QVariantMap row = test::sampleRow(mesaTable(), 1);
    row.insert(QStringLiteral("NMMESA"), QString::fromLatin1(name));
    return row;
}

QString nameOf(QSqlDatabase& db, const QVariantMap& key) {
    return test::readColumn(db, mesaTable(), key, QStringLiteral("NMMESA")).toString();
}

} // namespace

TEST(TestDatabase, EachDatabaseIsFreshAndHoldsTheSchema) {
    TestDatabase a;
    TMK_REQUIRE_DATABASE(a);
    TestDatabase b;
    TMK_REQUIRE_DATABASE(b);
    EXPECT_NE(a.connectionText(), b.connectionText());
    QSqlDatabase dbA = a.connection();
    QSqlDatabase dbB = b.connection();
    ASSERT_TRUE(dbA.isOpen());
    EXPECT_EQ(DbDialect::of(dbA).kind(), TestDatabase::kind());
    EXPECT_TRUE(db::schemaPresent(dbA));
    EXPECT_NO_THROW(db::ensureSchema(dbA));

    ASSERT_TRUE(test::insertRow(dbA, mesaTable(), mesa("Varanda")));
    EXPECT_EQ(nameOf(dbA, mesa("")), QStringLiteral("Varanda"));
    bool found = true;
    test::readColumn(dbB, mesaTable(), mesa(""), QStringLiteral("NMMESA"), &found);
    EXPECT_FALSE(found) << "a row of one test database is seen in another";
}

TEST(TestDatabase, AnEmptyDatabaseHasNoTables) {
    TestDatabase empty(TestDatabase::Contents::Empty);
    TMK_REQUIRE_DATABASE(empty);
    QSqlDatabase db = empty.connection();
    EXPECT_FALSE(db::schemaPresent(db));
    EXPECT_TRUE(db.tables(QSql::Tables).isEmpty());
}

TEST(TestDatabase, ASecondConnectionSeesWhatTheFirstCommitted) {
    TestDatabase t;
    TMK_REQUIRE_DATABASE(t);
    QSqlDatabase first = t.connection();
    QSqlDatabase second = t.openAnother(QStringLiteral("segundo_caixa"));
    ASSERT_TRUE(second.isOpen());
    ASSERT_TRUE(test::insertRow(first, mesaTable(), mesa("Salao")));
    EXPECT_EQ(nameOf(second, mesa("")), QStringLiteral("Salao"));
}

TEST(TestDatabase, ConexaoIniLeadsTheTillToThisDatabase) {
    TestDatabase t;
    TMK_REQUIRE_DATABASE(t);
    QSqlDatabase db = t.connection();
    ASSERT_TRUE(test::insertRow(db, mesaTable(), mesa("Terraco")));

    QTemporaryDir till;
    ASSERT_TRUE(till.isValid());
    t.writeConexaoIni(till.path());
    const QString ini = QDir(till.path()).filePath(QStringLiteral("Conexao.ini"));
    ASSERT_TRUE(QFileInfo::exists(ini));

    // The till's own reader of the settings file.
    const QString text = _GetStringConexKov(ini);
    const ConnectionText read = ConnectionText::parse(text);
    const ConnectionText expected = ConnectionText::parse(t.connectionText());
    for (const char* key : {"Provider", "Data Source", "Host", "Port", "Database", "User ID"}) {
        EXPECT_EQ(read.value(QString::fromLatin1(key)), expected.value(QString::fromLatin1(key)))
            << key;
    }
    {
        QSqlDatabase till2 = openConnection(text, QStringLiteral("caixa_pelo_ini"));
        EXPECT_EQ(nameOf(till2, mesa("")), QStringLiteral("Terraco"));
    }
    QSqlDatabase::removeDatabase(QStringLiteral("caixa_pelo_ini"));
}

TEST(TestDatabase, EverythingIsRemovedAfterwards) {
    QString text;
    QString file;
    {
        TestDatabase t;
        TMK_REQUIRE_DATABASE(t);
        t.openAnother(QStringLiteral("outra_conexao"));
        text = t.connectionText();
        file = t.sqliteFile();
        // A file of its own, or a database of its own on the server.
        EXPECT_EQ(file.isEmpty(), TestDatabase::dialect().hasServer());
        if (!file.isEmpty()) {
            EXPECT_TRUE(QFileInfo::exists(file));
        }
    }
    EXPECT_FALSE(QSqlDatabase::contains(QStringLiteral("outra_conexao")));
    if (!file.isEmpty()) {
        EXPECT_FALSE(QFileInfo::exists(file));
    } else {
        EXPECT_THROW(openConnection(text, QStringLiteral("removido")), AppError);
        QSqlDatabase::removeDatabase(QStringLiteral("removido"));
    }
}

TEST(TestDatabase, ARefusedChangeFailsOnlyTheRowsThatMeetTheCondition) {
    TestDatabase t;
    TMK_REQUIRE_DATABASE(t);
    t.refuse(QStringLiteral("MESA"), QStringLiteral("INSERT"),
             QStringLiteral("NEW.NMMESA = 'Recusada'"));
    t.refuse(QStringLiteral("MESA"), QStringLiteral("UPDATE OF NMMESA"),
             QStringLiteral("NEW.NMMESA = 'Nunca'"));
    QSqlDatabase db = t.connection();
    QString error;
    EXPECT_FALSE(test::insertRow(db, mesaTable(), mesa("Recusada"), &error));
    EXPECT_TRUE(error.contains(QStringLiteral("recusado pelo teste"))) << error.toStdString();
    ASSERT_TRUE(test::insertRow(db, mesaTable(), mesa("Aceita"), &error)) << error.toStdString();
    QSqlQuery q(db);
    EXPECT_FALSE(q.exec(QStringLiteral("UPDATE MESA SET NMMESA = 'Nunca'")));
    EXPECT_TRUE(q.exec(QStringLiteral("UPDATE MESA SET NMMESA = 'Outra'")));
    EXPECT_EQ(nameOf(db, mesa("")), QStringLiteral("Outra"));
    EXPECT_THROW(
        t.refuse(QStringLiteral("NAOEXISTE"), QStringLiteral("INSERT"), QStringLiteral("1 = 1")),
        DatabaseError);
}

// A connection may have the till's session settings (SQLite lets readers go on while a till
// writes, PostgreSQL reads typed dates day first), or the driver's own.
TEST(TestDatabase, AnotherConnectionMayHaveTheTillsSession) {
    TestDatabase t;
    TMK_REQUIRE_DATABASE(t);
    const std::map<DbKind, std::pair<QString, QString>> setting = {
        {DbKind::SQLite, {QStringLiteral("PRAGMA journal_mode"), QStringLiteral("wal")}},
        {DbKind::PostgreSQL, {QStringLiteral("SHOW DateStyle"), QStringLiteral("ISO, DMY")}},
    };
    const auto& [question, answer] = setting.at(TestDatabase::kind());
    const auto ask = [&](QSqlDatabase db) {
        QSqlQuery q(db);
        return q.exec(question) && q.next() ? q.value(0).toString() : QString();
    };
    EXPECT_NE(ask(t.openAnother(QStringLiteral("sem_sessao"))), answer);
    EXPECT_EQ(ask(t.openAnother(QStringLiteral("com_sessao"), TestDatabase::Session::Prepared)),
              answer);
}

class DatabaseTestOfAnEmptyDatabase : public test::DatabaseTest {
protected:
    DatabaseTestOfAnEmptyDatabase()
        : DatabaseTest(TestDatabase::Contents::Empty) {}
};

TEST_F(DatabaseTestOfAnEmptyDatabase, ItsDatabaseIsReadyBeforeTheBody) {
    QSqlDatabase db = database.connection();
    ASSERT_TRUE(db.isOpen());
    EXPECT_FALSE(db::schemaPresent(db));
}
