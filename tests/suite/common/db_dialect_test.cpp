// The database dialects: which one a connection text or a connection has, and what each
// kind does with names, date-times, the server's clock and the schema's columns.

#include "platform/errors.h"
#include "suite/common/connection_text.h"
#include "suite/common/db_dialect.h"
#include "tests/suite/print_qstring.h"
#include "tests/support/app_error_of.h"

#include <QSqlDatabase>
#include <functional>
#include <gtest/gtest.h>

namespace tmk {
namespace {

using test::appErrorOf;

// A Qt connection made by hand, removed at the end of the scope.
class HandMadeConnection {
public:
    HandMadeConnection(const QString& driver, const QString& name, const QString& database = {})
        : name_(name) {
        QSqlDatabase db = QSqlDatabase::addDatabase(driver, name);
        db.setDatabaseName(database);
    }
    ~HandMadeConnection() { QSqlDatabase::removeDatabase(name_); }
    QSqlDatabase db() const { return QSqlDatabase::database(name_, false); }

private:
    QString name_;
};

TEST(DbDialect, EachKindsNamesDriverAndFallback) {
    struct Case {
        DbKind kind;
        const char* name;
        const char* folder;
        const char* driver;
        std::optional<DbKind> fallback;
    };
    const Case cases[] = {
        {DbKind::SQLite, "SQLite", "sqlite", "QSQLITE", std::nullopt},
        {DbKind::PostgreSQL, "PostgreSQL", "postgresql", "QPSQL", std::nullopt},
        {DbKind::SqlServer, "SQL Server", "mssql", "QODBC", std::nullopt},
        {DbKind::Oracle, "Oracle", "oracle", "QODBC", DbKind::SqlServer},
    };
    for (const Case& c : cases) {
        const DbDialect& d = DbDialect::forKind(c.kind);
        SCOPED_TRACE(c.name);
        EXPECT_EQ(d.kind(), c.kind);
        EXPECT_EQ(d.name(), QString::fromLatin1(c.name));
        EXPECT_EQ(d.folder(), QString::fromLatin1(c.folder));
        EXPECT_EQ(d.qtDriver(), QString::fromLatin1(c.driver));
        EXPECT_EQ(d.fallbackKind(), c.fallback);
        EXPECT_FALSE(d.nowExpression().isEmpty());
    }
}

TEST(DbDialect, EachProviderOfAConnectionText) {
    const std::pair<const char*, DbKind> cases[] = {
        {"QSQLITE", DbKind::SQLite},         {"sqlite", DbKind::SQLite},
        {"QPSQL", DbKind::PostgreSQL},       {"PostgreSQL", DbKind::PostgreSQL},
        {"SQLOLEDB.1", DbKind::SqlServer},   {"SQLNCLI11", DbKind::SqlServer},
        {"MSOLEDBSQL19", DbKind::SqlServer}, {"SQL Server", DbKind::SqlServer},
        {"MSDAORA.1", DbKind::Oracle},       {"OraOLEDB.Oracle.1", DbKind::Oracle},
    };
    for (const auto& [provider, kind] : cases) {
        EXPECT_EQ(
            DbDialect::forConnectionText(
                QStringLiteral("Provider=%1;Data Source=x").arg(QString::fromLatin1(provider)))
                .kind(),
            kind)
            << provider;
    }
}

TEST(DbDialect, UnknownOrMissingProvider) {
    EXPECT_EQ(
        appErrorOf([] {
            DbDialect::forConnectionText(QStringLiteral("Provider=Jet.OLEDB.4.0;Data Source=x"));
        }),
        QStringLiteral("Provedor de banco de dados desconhecido na conexão: \"Jet.OLEDB.4.0\"."));
    EXPECT_EQ(appErrorOf([] { DbDialect::forConnectionText(QStringLiteral("Data Source=x")); }),
              QStringLiteral("A conexão não indica o provedor do banco de dados."));
}

// A connection made elsewhere is told by its driver; an ODBC one is Oracle when its connect
// string names an Oracle data source or driver, whatever else it holds.
TEST(DbDialect, AConnectionMadeElsewhereIsToldByItsDriver) {
    struct Case {
        const char* driver;
        const char* database;
        DbKind kind;
    };
    const Case cases[] = {
        {"QSQLITE", "/tmp/x.db", DbKind::SQLite},
        {"QPSQL", "restaurante", DbKind::PostgreSQL},
        {"QODBC", "DRIVER={ODBC Driver 17 for SQL Server};SERVER=srv;DATABASE=rest",
         DbKind::SqlServer},
        {"QODBC", "DRIVER={Oracle};DBQ=srv:1521/xe;UID=caixa", DbKind::Oracle},
        {"QODBC", "DSN=loja;DBQ=srv/xe", DbKind::Oracle},
        {"QODBC", "DRIVER={Oracle in OraClient19Home1};SERVER=srv", DbKind::Oracle},
        {"QODBC", "DRIVER={SQL Server};SERVER=oracle-migracao;DATABASE=Oracle", DbKind::SqlServer},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.database);
        EXPECT_EQ(
            DbDialect::forDriver(QString::fromLatin1(c.driver), QString::fromLatin1(c.database))
                .kind(),
            c.kind);
    }
    const HandMadeConnection lite(QStringLiteral("QSQLITE"), QStringLiteral("feita-a-mao"));
    EXPECT_EQ(DbDialect::of(lite.db()).kind(), DbKind::SQLite);
    const HandMadeConnection other(QStringLiteral("QMYSQL"), QStringLiteral("outro-driver"));
    EXPECT_EQ(appErrorOf([&] { DbDialect::of(other.db()); }),
              QStringLiteral("Conexão com o banco de dados de tipo desconhecido (driver "
                             "\"QMYSQL\")."));
}

// A connection keeps the dialect it was configured with; a name used again by hand for
// another driver is told by that driver.
TEST(DbDialect, AConfiguredConnectionKeepsItsDialect) {
    const QString name = QStringLiteral("configurada");
    {
        ConnectionText text;
        text.set(QStringLiteral("Provider"), QStringLiteral("QSQLITE"));
        text.set(QStringLiteral("Data Source"), QStringLiteral(":memory:"));
        const QSqlDatabase db = DbDialect::forKind(DbKind::SQLite).configure(text, name);
        EXPECT_EQ(DbDialect::of(db).kind(), DbKind::SQLite);
    }
    QSqlDatabase::removeDatabase(name);
    const HandMadeConnection again(QStringLiteral("QPSQL"), name);
    EXPECT_EQ(DbDialect::of(again.db()).kind(), DbKind::PostgreSQL);
}

TEST(DbDialect, TheServerDescriptionNeverCarriesThePassword) {
    const ConnectionText text = ConnectionText::parse(
        QStringLiteral("Host=10.0.0.5;Port=5433;Database=rest;Data Source=srv01;Initial "
                       "Catalog=rest;User ID=caixa;Password=segredo"));
    const std::pair<DbKind, const char*> cases[] = {
        {DbKind::PostgreSQL, "PostgreSQL em 10.0.0.5:5433 (banco rest)"},
        {DbKind::SqlServer, "SQL Server em srv01"},
        {DbKind::Oracle, "Oracle em srv01"},
    };
    for (const auto& [kind, expected] : cases) {
        EXPECT_EQ(DbDialect::forKind(kind).describe(text), QString::fromLatin1(expected));
    }
    const ConnectionText byHost = ConnectionText::parse(
        QStringLiteral("Host=ora01;Port=1521;Database=xe;User ID=caixa;Password=segredo"));
    EXPECT_EQ(DbDialect::forKind(DbKind::Oracle).describe(byHost),
              QStringLiteral("Oracle em ora01:1521/xe"));
    EXPECT_EQ(DbDialect::forKind(DbKind::SqlServer).describe(byHost),
              QStringLiteral("SQL Server em ora01,1521"));
}

TEST(DbDialect, DateTimesAreBoundAsTheStoredTextOnSqliteAndPostgresql) {
    const QDateTime v(QDate(2024, 3, 15), QTime(13, 45, 30, 123));
    EXPECT_EQ(DbDialect::dateTimeText(v), QStringLiteral("2024-03-15 13:45:30.123"));
    EXPECT_EQ(DbDialect::dateTimeText(QDateTime(QDate(2024, 12, 31), QTime(0, 0))),
              QStringLiteral("2024-12-31 00:00:00.000"));
    EXPECT_TRUE(DbDialect::dateTimeText(QDateTime()).isNull());
    EXPECT_EQ(DbDialect::parseDateTimeText(QStringLiteral("2024-03-15 13:45:30.123")), v);
    EXPECT_FALSE(DbDialect::parseDateTimeText(QStringLiteral("2024-03-15T13:45:30.123")).isValid());

    const std::pair<DbKind, QMetaType> cases[] = {
        {DbKind::SQLite, QMetaType::fromType<QString>()},
        {DbKind::PostgreSQL, QMetaType::fromType<QString>()},
        {DbKind::SqlServer, QMetaType::fromType<QDateTime>()},
        {DbKind::Oracle, QMetaType::fromType<QDateTime>()},
    };
    for (const auto& [kind, type] : cases) {
        const DbDialect& d = DbDialect::forKind(kind);
        SCOPED_TRACE(d.name().toStdString());
        const QVariant bound = d.dateTimeValue(v);
        EXPECT_EQ(bound.metaType(), type);
        EXPECT_EQ(d.readDateTime(bound), v);
        const QVariant none = d.dateTimeValue(QDateTime());
        EXPECT_TRUE(none.isNull());
        EXPECT_EQ(none.metaType(), type);
    }
    const DbDialect& lite = DbDialect::forKind(DbKind::SQLite);
    EXPECT_EQ(lite.readDateTime(QDate(2024, 3, 15)), QDateTime(QDate(2024, 3, 15), QTime(0, 0)));
    EXPECT_FALSE(lite.readDateTime(QStringLiteral("15/03/2024")).isValid());
}

TEST(DbDialect, SchemaColumnsOfTheKindsTheSchemaIsCreatedOn) {
    struct Case {
        FieldDef column;
        bool soleIntegerKey;
        const char* sqlite;
        const char* postgresql;
    };
    const Case cases[] = {
        {{QStringLiteral("NMMESA"), FieldType::Text, 30}, false, "TEXT", "VARCHAR(30)"},
        {{QStringLiteral("TXOBS"), FieldType::Text, 0}, false, "TEXT", "TEXT"},
        {{QStringLiteral("NRSEQ"), FieldType::Integer, 0}, false, "INTEGER", "INTEGER"},
        {{QStringLiteral("NRSEQ"), FieldType::Integer, 0}, true, "INT", "INTEGER"},
        {{QStringLiteral("VRMIN"), FieldType::Float, 0}, false, "REAL", "DOUBLE PRECISION"},
        {{QStringLiteral("DTBLOQ"), FieldType::DateTime, 0}, false, "TEXT", "TIMESTAMP(3)"},
    };
    const DbDialect& lite = DbDialect::forKind(DbKind::SQLite);
    const DbDialect& pg = DbDialect::forKind(DbKind::PostgreSQL);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.column.name.toStdString());
        EXPECT_EQ(lite.columnType(c.column, c.soleIntegerKey), QString::fromLatin1(c.sqlite));
        EXPECT_EQ(pg.columnType(c.column, c.soleIntegerKey), QString::fromLatin1(c.postgresql));
        EXPECT_TRUE(pg.columnCheck(c.column).isEmpty());
        EXPECT_EQ(lite.columnCheck(c.column).isEmpty(), c.column.type != FieldType::DateTime);
    }
    EXPECT_TRUE(lite.columnCheck({QStringLiteral("DTBLOQ"), FieldType::DateTime, 0})
                    .startsWith(QStringLiteral("CHECK (DTBLOQ GLOB '")));
    EXPECT_EQ(appErrorOf([&] {
                  lite.columnType({QStringLiteral("IDX"), FieldType::Boolean, 0}, false);
              }),
              QStringLiteral("Tipo de coluna sem correspondência no banco: IDX."));
    for (DbKind k : {DbKind::SqlServer, DbKind::Oracle}) {
        const DbDialect& d = DbDialect::forKind(k);
        EXPECT_FALSE(d.createsSchema());
        EXPECT_EQ(appErrorOf([&] {
                      d.columnType({QStringLiteral("X"), FieldType::Text, 4}, false);
                  }),
                  QStringLiteral("O esquema do banco de dados é criado apenas em SQLite e "
                                 "PostgreSQL, não em %1.")
                      .arg(d.name()));
    }
}

TEST(DbDialect, ResultColumnsAreNamedAsTheStatementsWriteThem) {
    EXPECT_EQ(DbDialect::forKind(DbKind::PostgreSQL).columnName(QStringLiteral("nrmesa")),
              QStringLiteral("NRMESA"));
    EXPECT_EQ(DbDialect::forKind(DbKind::SQLite).columnName(QStringLiteral("NrMesa")),
              QStringLiteral("NrMesa"));
}

TEST(DbDialect, HowEachKindTellsTheTillsOfChanges) {
    using W = DbDialect::ChangeWatch;
    struct Case {
        DbKind kind;
        W watch;
    };
    const Case cases[] = {{DbKind::SQLite, W::DataVersion},
                          {DbKind::PostgreSQL, W::Notification},
                          {DbKind::SqlServer, W::None},
                          {DbKind::Oracle, W::None}};
    for (const Case& c : cases) {
        const DbDialect& d = DbDialect::forKind(c.kind);
        SCOPED_TRACE(d.name().toStdString());
        EXPECT_EQ(d.changeWatch(), c.watch);
        if (c.watch == W::Notification) {
            const QString s = d.notifyStatement(QStringLiteral("SELECT 1"), QStringLiteral("MESA"));
            EXPECT_TRUE(s.contains(QStringLiteral("pg_notify('tmk_mudancas'"))) << s.toStdString();
            EXPECT_TRUE(s.contains(QStringLiteral("'MESA'"))) << s.toStdString();
            EXPECT_TRUE(s.contains(QStringLiteral("(SELECT 1) X"))) << s.toStdString();
        } else {
            // A kind that does not notify has no statement for it, and no subscription.
            EXPECT_NE(appErrorOf([&] {
                          d.notifyStatement(QStringLiteral("SELECT 1"), QStringLiteral("MESA"));
                      }),
                      QStringLiteral("(no error)"));
            QSqlDatabase none;
            EXPECT_FALSE(d.subscribeToChanges(none));
        }
    }
}

} // namespace
} // namespace tmk
