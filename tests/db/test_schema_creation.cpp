// The schema on a real database of the kind under test (TMK_DB_KIND).

#include "db/schema.h"
#include "platform/database_error.h"
#include "platform/errors.h"
#include "tests/db/table_rows.h"
#include "tests/support/test_database.h"

#include <QHash>
#include <QSqlError>
#include <QSqlField>
#include <QSqlIndex>
#include <QSqlQuery>
#include <QSqlRecord>
#include <gtest/gtest.h>
#include <set>

using namespace tmk;
using namespace tmk::db;
using tmk::test::TestDatabase;

namespace {

std::set<QString> tableNames(const QSqlDatabase& db) {
    std::set<QString> names;
    for (const QString& t : db.tables(QSql::Tables)) {
        names.insert(t.toUpper());
    }
    return names;
}

QMetaType::Type expectedMetaType(const Column& c, const DbDialect& dialect) {
    switch (c.type) {
    case FieldType::Integer:
        return QMetaType::Int;
    case FieldType::Float:
        return QMetaType::Double;
    case FieldType::DateTime:
        return dialect.storesDateTimeAsText() ? QMetaType::QString : QMetaType::QDateTime;
    case FieldType::Text:
    case FieldType::Boolean:
        break;
    }
    return QMetaType::QString;
}

const Table& table(const char* name) {
    const Table* t = schema().table(QString::fromLatin1(name));
    if (!t) {
        throw AppError(QStringLiteral("sem tabela %1").arg(QString::fromLatin1(name)));
    }
    return *t;
}

class EmptyDatabase : public test::DatabaseTest {
protected:
    EmptyDatabase()
        : DatabaseTest(TestDatabase::Contents::Empty) {}
    void SetUp() override {
        DatabaseTest::SetUp();
        if (IsSkipped() || HasFatalFailure()) {
            return;
        }
        db_ = database.connection();
        dialect_ = &DbDialect::of(db_);
    }
    const DbDialect& dialect() const { return *dialect_; }

    QSqlDatabase db_;
    const DbDialect* dialect_ = nullptr;
};

class SchemaDatabase : public EmptyDatabase {
protected:
    void SetUp() override {
        EmptyDatabase::SetUp();
        if (!IsSkipped() && !HasFatalFailure()) {
            createSchema(db_);
        }
    }
};

} // namespace

TEST_F(EmptyDatabase, CreatesEveryTableWithItsColumnsTypesAndKey) {
    EXPECT_FALSE(schemaPresent(db_));
    createSchema(db_);
    EXPECT_TRUE(schemaPresent(db_));

    std::set<QString> expected;
    for (const Table& t : schema().tables) {
        expected.insert(t.name);
    }
    EXPECT_EQ(tableNames(db_), expected);

    // The name as the database reports it (PostgreSQL folds unquoted names to lower case).
    QHash<QString, QString> stored;
    for (const QString& n : db_.tables(QSql::Tables)) {
        stored.insert(n.toUpper(), n);
    }
    for (const Table& t : schema().tables) {
        SCOPED_TRACE(t.name.toStdString());
        const QSqlRecord record = db_.record(stored.value(t.name));
        ASSERT_EQ(record.count(), t.columns.size());
        for (const Column& c : t.columns) {
            const int i = record.indexOf(c.name); // case-insensitive
            ASSERT_GE(i, 0) << c.name.toStdString();
            const QSqlField f = record.field(i);
            EXPECT_EQ(f.metaType().id(), int(expectedMetaType(c, dialect())))
                << c.name.toStdString();
            EXPECT_EQ(f.requiredStatus() == QSqlField::Required, c.notNull) << c.name.toStdString();
            if (dialect().holdsTextWidths() && c.type == FieldType::Text && !c.isMemo()) {
                EXPECT_EQ(f.length(), c.size) << c.name.toStdString();
            }
        }
        QStringList key;
        const QSqlIndex pk = db_.primaryIndex(stored.value(t.name));
        for (int i = 0; i < pk.count(); ++i) {
            key << pk.fieldName(i).toUpper();
        }
        EXPECT_EQ(key, t.keyColumns());
    }
}

TEST_F(EmptyDatabase, EnsureSchemaCreatesOnceAndKeepsWhatIsThere) {
    ensureSchema(db_);
    ASSERT_TRUE(schemaPresent(db_));
    const Table& mesa = table("MESA");
    QVariantMap row = test::sampleRow(mesa, 1);
    row.insert(QStringLiteral("NMMESA"), QStringLiteral("Mesa 1"));
    ASSERT_TRUE(test::insertRow(db_, mesa, row));

    EXPECT_NO_THROW(ensureSchema(db_));
    EXPECT_NO_THROW(ensureSchema(db_));
    EXPECT_EQ(test::readColumn(db_, mesa, row, QStringLiteral("NMMESA")).toString(),
              QStringLiteral("Mesa 1"));
}

TEST_F(EmptyDatabase, FailedCreationLeavesNothingBehind) {
    QStringList ddl = ddlStatements(dialect().kind());
    ASSERT_GT(ddl.size(), 4);
    const QString repeated = ddl.first(); // refused the second time: the table exists
    ddl.insert(ddl.size() / 2, repeated);
    try {
        createSchema(db_, ddl);
        FAIL() << "a refused statement was taken as success";
    } catch (const DatabaseError& e) {
        EXPECT_TRUE(e.message().contains(QStringLiteral("Nada foi criado"))) << e.what();
        EXPECT_EQ(e.statement(), repeated);
        EXPECT_FALSE(e.driverText().isEmpty());
    }
    EXPECT_TRUE(tableNames(db_).empty());
    EXPECT_FALSE(schemaPresent(db_));

    // The same when only the version record fails (its table is missing).
    QStringList withoutVersion = ddlStatements(dialect().kind());
    withoutVersion.removeIf(
        [](const QString& s) { return s.contains(QStringLiteral("TMKVERSAO")); });
    EXPECT_THROW(createSchema(db_, withoutVersion), DatabaseError);
    EXPECT_TRUE(tableNames(db_).empty());

    // Nothing stands in the way of a proper creation afterwards.
    EXPECT_NO_THROW(createSchema(db_));
    EXPECT_TRUE(schemaPresent(db_));
}

TEST_F(EmptyDatabase, RefusesADatabaseWithoutOrWithAnotherDescription) {
    const Table& version = table("TMKVERSAO");
    // The version table alone, as a creation that never finished would leave it.
    const QStringList ddl =
        ddlStatements(dialect().kind()).filter(QStringLiteral("CREATE TABLE TMKVERSAO "));
    ASSERT_EQ(ddl.size(), 1);
    QSqlQuery create(db_);
    ASSERT_TRUE(create.exec(ddl.first())) << create.lastError().text().toStdString();
    ASSERT_TRUE(schemaPresent(db_));
    try {
        ensureSchema(db_);
        FAIL() << "a database without its version record was taken";
    } catch (const AppError& e) {
        EXPECT_TRUE(e.message().contains(QStringLiteral("não registra"))) << e.what();
    }

    QVariantMap row;
    row.insert(QStringLiteral("NRVERSAOESQUEMA"), schema().version);
    row.insert(QStringLiteral("DSASSINATURA"), QStringLiteral("outra descrição"));
    row.insert(QStringLiteral("DTHRCRIACAO"), QDateTime::currentDateTime());
    ASSERT_TRUE(test::insertRow(db_, version, row));
    try {
        ensureSchema(db_);
        FAIL() << "a database of another description was taken";
    } catch (const AppError& e) {
        EXPECT_TRUE(e.message().contains(QStringLiteral("outra descrição"))) << e.what();
    }
}

TEST_F(SchemaDatabase, RefusesAnotherRecordedVersion) {
    const Table& version = table("TMKVERSAO");
    QVariantMap row;
    row.insert(QStringLiteral("NRVERSAOESQUEMA"), schema().version + 1);
    row.insert(QStringLiteral("DSASSINATURA"), schemaFingerprint(schema()));
    row.insert(QStringLiteral("DTHRCRIACAO"), QDateTime::currentDateTime());
    ASSERT_TRUE(test::insertRow(db_, version, row));
    try {
        ensureSchema(db_);
        FAIL() << "a database of a later version was taken";
    } catch (const AppError& e) {
        EXPECT_TRUE(e.message().contains(QStringLiteral("versão %1").arg(schema().version + 1)))
            << e.what();
    }
}

// A database made with the first version of the description: opened by this program, it
// gets the columns added since, keeps its rows and records the current version; one made
// from another description of that version is refused as before.
TEST_F(EmptyDatabase, AnEarlierVersionIsUpgradedInPlaceKeepingItsRows) {
    ASSERT_GT(schema().version, 1);
    const Schema antes = schema().at(1);
    for (const QString& ddl : ddlStatements(antes, dialect().kind())) {
        QSqlQuery q(db_);
        ASSERT_TRUE(q.exec(ddl)) << q.lastError().text().toStdString();
    }
    const Table& mesaAntes = *antes.table(QStringLiteral("MESA"));
    const QVariantMap mesa = test::sampleRow(mesaAntes, 1);
    ASSERT_TRUE(test::insertRow(db_, mesaAntes, mesa));
    const auto registra = [&](const QString& assinatura) {
        QSqlQuery q(db_);
        ASSERT_TRUE(q.exec(QStringLiteral("DELETE FROM TMKVERSAO")));
        QVariantMap row;
        row.insert(QStringLiteral("NRVERSAOESQUEMA"), 1);
        row.insert(QStringLiteral("DSASSINATURA"), assinatura);
        row.insert(QStringLiteral("DTHRCRIACAO"), QDateTime::currentDateTime());
        ASSERT_TRUE(test::insertRow(db_, table("TMKVERSAO"), row));
    };

    registra(QStringLiteral("outra descrição"));
    try {
        ensureSchema(db_);
        FAIL() << "a database of another description of version 1 was upgraded";
    } catch (const AppError& e) {
        EXPECT_TRUE(e.message().contains(QStringLiteral("versão 1"))) << e.what();
    }

    registra(schemaFingerprint(antes));
    ASSERT_NO_THROW(ensureSchema(db_));
    // PostgreSQL reports the name folded to lower case.
    QString nome = QStringLiteral("MESA");
    for (const QString& n : db_.tables(QSql::Tables)) {
        if (n.toUpper() == nome) {
            nome = n;
        }
    }
    const QSqlRecord colunas = db_.record(nome);
    QStringList nomes;
    for (int i = 0; i < colunas.count(); ++i) {
        nomes << colunas.fieldName(i).toUpper();
    }
    for (const Column& c : table("MESA").columns) {
        EXPECT_TRUE(nomes.contains(c.name)) << c.name.toStdString();
    }
    bool found = false;
    test::readColumn(db_, table("MESA"), mesa, QStringLiteral("NMMESA"), &found);
    EXPECT_TRUE(found) << "the row is kept";
    QSqlQuery q(db_);
    ASSERT_TRUE(q.exec(QStringLiteral("UPDATE MESA SET CDCAIXARECEB = '001'")));
    EXPECT_NO_THROW(ensureSchema(db_)) << "now at the current version";
    // The indexes added since were created: each can be dropped once.
    int added = 0;
    for (const Index& ix : schema().indexes) {
        if (ix.since > 1) {
            ++added;
            EXPECT_TRUE(q.exec(QStringLiteral("DROP INDEX ") + ix.name)) << ix.name.toStdString();
        }
    }
    EXPECT_GT(added, 0);
}

TEST_F(SchemaDatabase, CreatingTwiceFailsAndKeepsTheData) {
    const Table& mesa = table("MESA");
    const QVariantMap row = test::sampleRow(mesa, 2);
    ASSERT_TRUE(test::insertRow(db_, mesa, row));
    EXPECT_THROW(createSchema(db_), DatabaseError);
    bool found = false;
    test::readColumn(db_, mesa, row, QStringLiteral("NRMESA"), &found);
    EXPECT_TRUE(found);
    EXPECT_TRUE(schemaPresent(db_));
}

TEST_F(SchemaDatabase, EveryDateTimeColumnRoundTripsTheStoredForm) {
    const QDateTime value(QDate(2024, 3, 15), QTime(13, 45, 30, 123));
    const QDateTime midnight(QDate(2024, 12, 31), QTime(0, 0));
    int checked = 0;
    for (const Table& t : schema().tables) {
        if (t.keyColumns().isEmpty()) {
            continue; // read back by key; the keyless log is covered below
        }
        int n = schema().version; // the version recorded by createSchema
        for (const Column& c : t.columns) {
            if (c.type != FieldType::DateTime) {
                continue;
            }
            SCOPED_TRACE((t.name + QLatin1Char('.') + c.name).toStdString());
            for (const QDateTime& v : {value, midnight}) {
                QVariantMap row = test::sampleRow(t, ++n);
                row.insert(c.name, v);
                QString error;
                ASSERT_TRUE(test::insertRow(db_, t, row, &error)) << error.toStdString();
                const QVariant raw = test::readColumn(db_, t, row, c.name);
                if (dialect().storesDateTimeAsText()) {
                    EXPECT_EQ(raw.toString(), DbDialect::dateTimeText(v));
                    EXPECT_EQ(DbDialect::parseDateTimeText(raw.toString()), v);
                } else {
                    EXPECT_EQ(raw.toDateTime(), v);
                }
            }
            ++checked;
        }
    }
    EXPECT_GT(checked, 20);
}

TEST_F(SchemaDatabase, SqliteDateTimeColumnsRefuseEveryOtherForm) {
    if (!dialect().storesDateTimeAsText()) {
        GTEST_SKIP() << "this kind keeps date-times in columns of a date-time type";
    }
    const Table& mesa = table("MESA");
    int n = 0;
    const QVariant wrong[] = {
        QVariant(QDateTime(QDate(2024, 3, 15), QTime(13, 45, 30, 123))), // bound as it is: 'T'
        QVariant(QStringLiteral("2024-03-15 13:45:30")),                 // no milliseconds
        QVariant(QStringLiteral("2024-03-15")),                          // date alone
        QVariant(QStringLiteral("15/03/2024 13:45:30.123")),
        QVariant(QStringLiteral("2024-03-15 13:45:30.123 ")),
    };
    for (const QVariant& w : wrong) {
        QVariantMap row = test::sampleRow(mesa, ++n);
        QSqlQuery q(db_);
        ASSERT_TRUE(q.prepare(
            insertStatement(mesa, QStringList(row.keys()) << QStringLiteral("DTBLOQMESA"))));
        for (auto it = row.cbegin(); it != row.cend(); ++it) {
            q.bindValue(QLatin1Char(':') + it.key(), it.value());
        }
        q.bindValue(QStringLiteral(":DTBLOQMESA"), w);
        EXPECT_FALSE(q.exec()) << "accepted " << w.toString().toStdString();
    }
    // The keyless log takes the stored form as well.
    const Table& log = table("LOGACESSO");
    QVariantMap entry = test::sampleRow(log, 1);
    EXPECT_TRUE(test::insertRow(db_, log, entry));
    entry.insert(QStringLiteral("DTHRACESSO"), QStringLiteral("2024-03-15T10:00:00.000"));
    EXPECT_FALSE(test::insertRow(db_, log, entry));
}

TEST_F(SchemaDatabase, EveryKeyRefusesDuplicatesAndMissingValues) {
    for (const Table& t : schema().tables) {
        const QStringList keys = t.keyColumns();
        if (keys.isEmpty()) {
            continue;
        }
        SCOPED_TRACE(t.name.toStdString());
        // Sample 1 would repeat the version record createSchema wrote.
        const QVariantMap base = test::sampleRow(t, 5);
        QString error;
        ASSERT_TRUE(test::insertRow(db_, t, base, &error)) << error.toStdString();
        EXPECT_FALSE(test::insertRow(db_, t, base)) << "duplicate accepted";
        // Each key column is part of the key: changing it alone makes a new row.
        for (const QString& k : keys) {
            QVariantMap other = base;
            other.insert(k, test::sampleValue(*t.column(k), 6));
            EXPECT_TRUE(test::insertRow(db_, t, other, &error))
                << k.toStdString() << ": " << error.toStdString();
        }
        QVariantMap missing = test::sampleRow(t, 7);
        missing.insert(keys.first(), QVariant(QMetaType::fromType<QString>()));
        EXPECT_FALSE(test::insertRow(db_, t, missing)) << "null key accepted";
    }
}

TEST_F(SchemaDatabase, PostgresqlTextColumnsRefuseLongerValues) {
    if (!dialect().holdsTextWidths()) {
        GTEST_SKIP() << "this kind does not hold text widths";
    }
    const Table& mesa = table("MESA");
    QVariantMap row = test::sampleRow(mesa, 1);
    row.insert(QStringLiteral("NRMESA"), QStringLiteral("00012"));
    EXPECT_FALSE(test::insertRow(db_, mesa, row));
    row.insert(QStringLiteral("NRMESA"), QStringLiteral("0012"));
    EXPECT_TRUE(test::insertRow(db_, mesa, row));
}
