#pragma once

#include "suite/common/db_dialect.h"

#include <QSqlDatabase>
#include <QString>
#include <QStringList>
#include <gtest/gtest.h>

namespace tmk::test {

// The one test database fixture: every test that needs a database stands on it.
//
// A fresh database for one test, of the kind named by TMK_DB_KIND ("sqlite", the
// default, or "postgresql"), with the schema applied unless asked to stay empty.
// SQLite: a temporary file, copied from a per-process file that holds the schema.
// PostgreSQL: a new database on the server of TMK_TEST_PG (a connection text such
// as "Provider=QPSQL;Host=127.0.0.1;Port=5432;User ID=postgres;Database=postgres"),
// made from a per-process template database. Everything is removed afterwards: the
// file or database in the destructor, the template when the application ends.
// Construction never throws: a database that could not be made reports why through
// available(); use TMK_REQUIRE_DATABASE in a fixture's SetUp.
class TestDatabase {
public:
    enum class Contents { Schema, Empty };
    // Whether a connection of the fixture has the till's session settings (SetADODBSession).
    enum class Session { AsOpened, Prepared };

    explicit TestDatabase(Contents contents = Contents::Schema);
    ~TestDatabase();
    TestDatabase(const TestDatabase&) = delete;
    TestDatabase& operator=(const TestDatabase&) = delete;

    // The kind chosen by TMK_DB_KIND; SQLite when unset or unknown (an unknown name
    // makes every database unavailable).
    static DbKind kind();
    static const DbDialect& dialect() { return DbDialect::forKind(kind()); }

    // False when the database could not be made; whyNot then says why.
    bool available(QString* whyNot = nullptr) const;
    // True when it is unavailable only because no PostgreSQL server was given.
    bool serverNotGiven() const { return serverNotGiven_; }

    // The connection text of this database, for opening more connections (a second
    // till) or for code that opens its own.
    QString connectionText() const { return connectionText_; }
    // The database's own connection, open.
    QSqlDatabase connection() const;
    // Another open connection to the same database under a Qt connection name; it is
    // closed and removed with the fixture. Throws AppError when it cannot be opened.
    QSqlDatabase openAnother(const QString& connectionName, Session session = Session::AsOpened);

    // Makes the database refuse a change, so that a test can make a statement fail in the
    // middle of an operation: a trigger raises an error before every row of the event
    // ("INSERT", "DELETE", "UPDATE OF COLUMN") on the table that meets the condition
    // (written with NEW.COL or OLD.COL). Throws when the trigger cannot be made.
    void refuse(const QString& table, const QString& event, const QString& condition);

    // Writes "Conexao.ini" into a till folder: group [Conexao] with the keys
    // Provider, Data Source, Host, Port, Database, User ID and Password that this
    // database needs, so code that reads its connection from the till folder reaches
    // this database.
    void writeConexaoIni(const QString& tillFolder) const;

    // The SQLite file (empty on PostgreSQL) and the PostgreSQL database name (empty on
    // SQLite) of this database.
    QString sqliteFile() const { return sqliteFile_; }
    QString postgresDatabase() const { return pgDatabase_; }

private:
    void makeSqlite(Contents contents);
    void makePostgres(Contents contents);

    QString whyNot_;
    bool serverNotGiven_ = false;
    QString connectionText_;
    QString sqliteFile_;
    QString pgDatabase_;
    QString mainConnection_;
    QStringList connectionNames_;
};

// True when the environment says every database test must run (CI=true).
bool databaseRequired();

} // namespace tmk::test

// In a fixture's SetUp (or at the start of a test): skips the test when the database
// cannot be made only because no PostgreSQL server was given, fails it when that
// happens under CI=true or for any other reason.
#define TMK_REQUIRE_DATABASE(testDatabase)                                                         \
    do {                                                                                           \
        QString tmkWhyNot_;                                                                        \
        if (!(testDatabase).available(&tmkWhyNot_)) {                                              \
            if ((testDatabase).serverNotGiven() && !::tmk::test::databaseRequired()) {             \
                GTEST_SKIP() << tmkWhyNot_.toStdString();                                          \
            }                                                                                      \
            FAIL() << tmkWhyNot_.toStdString();                                                    \
        }                                                                                          \
    } while (false)

namespace tmk::test {

// A test on a fresh database of the run's kind, made before the test body and checked by
// the rule of TMK_REQUIRE_DATABASE.
class DatabaseTest : public ::testing::Test {
protected:
    explicit DatabaseTest(TestDatabase::Contents contents = TestDatabase::Contents::Schema)
        : database(contents) {}
    void SetUp() override { TMK_REQUIRE_DATABASE(database); }

    TestDatabase database;
};

} // namespace tmk::test
