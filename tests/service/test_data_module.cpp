#include "external/common.h"
#include "platform/errors.h"
#include "platform/service_result.h"
#include "service/operation.h"
#include "service/statement_catalogue.h"
#include "tests/service/service_fixture.h"

#include <QDir>
#include <QFile>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>

using namespace tmk;
using namespace tmk::test;

namespace {

// A catalogue folder written by the test: statements given for the SQL Server and the
// tested kinds.
class CatalogueFolder {
public:
    void add(const QString& kind, const QString& name, const QString& text) {
        QDir().mkpath(dir.filePath(kind));
        QFile f(dir.filePath(kind + QLatin1Char('/') + name + QStringLiteral(".sql")));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(text.toUtf8());
    }
    void addAll(const QString& name, const QString& text) {
        for (const char* k : {"mssql", "sqlite", "postgresql"}) {
            add(QString::fromLatin1(k), name, text);
        }
    }
    QString root() const { return dir.path(); }
    QTemporaryDir dir;
};

} // namespace

TEST(StatementCatalogueFiles, EveryKindHasEveryTextItNeedsAndNamesOnlyKnownStatements) {
    // Every statement has SQLite, PostgreSQL and SQL Server texts; the stored ones also
    // an Oracle text.
    for (DbKind k : {DbKind::SQLite, DbKind::PostgreSQL, DbKind::SqlServer, DbKind::Oracle}) {
        EXPECT_EQ(StatementCatalogue::missingFor(k), QStringList())
            << DbDialect::forKind(k).name().toStdString();
        EXPECT_EQ(StatementCatalogue::unknownFor(k), QStringList())
            << DbDialect::forKind(k).name().toStdString();
    }
    EXPECT_NO_THROW(StatementCatalogue(DbKind::Oracle));
    EXPECT_NO_THROW(StatementCatalogue(DbKind::SqlServer));
    for (const QString& stored : StatementCatalogue::storedStatements().keys()) {
        EXPECT_FALSE(StatementFiles(StatementCatalogue::defaultRoot())
                         .text(DbKind::Oracle, stored)
                         .isEmpty())
            << stored.toStdString();
    }
}

TEST(StatementCatalogueFiles, DeclaredColumnsAreParsedAndBadOnesRefused) {
    const auto columns = StatementCatalogue::parseDeclaredColumns(
        QStringLiteral("-- columns: DTULTIMAVENDA datetime, QTDEMESAS integer\nSELECT 1"),
        QStringLiteral("adqX"));
    EXPECT_EQ(columns.value(QStringLiteral("DTULTIMAVENDA")), FieldType::DateTime);
    EXPECT_EQ(columns.value(QStringLiteral("QTDEMESAS")), FieldType::Integer);
    EXPECT_THROW(StatementCatalogue::parseDeclaredColumns(
                     QStringLiteral("-- columns: X money\nSELECT 1"), QStringLiteral("adqX")),
                 AppError);
}

TEST(StatementCatalogueFiles, AKindWithoutATextFailsWhenTheCatalogueLoads) {
    CatalogueFolder folder;
    folder.addAll(QStringLiteral("adqUm"), QStringLiteral("SELECT 1"));
    folder.add(QStringLiteral("mssql"), QStringLiteral("adqDois"), QStringLiteral("SELECT 2"));
    folder.add(QStringLiteral("sqlite"), QStringLiteral("adqDois"), QStringLiteral("SELECT 2"));
    try {
        StatementCatalogue catalogue(DbKind::PostgreSQL, folder.root());
        FAIL() << "loaded a catalogue without a PostgreSQL text";
    } catch (const AppError& e) {
        EXPECT_TRUE(e.message().contains(QStringLiteral("adqDois"))) << e.what();
        EXPECT_TRUE(e.message().contains(QStringLiteral("PostgreSQL"))) << e.what();
    }
    EXPECT_NO_THROW(StatementCatalogue(DbKind::SQLite, folder.root()));
    // A text of a kind that names no statement of the SQL Server list is a typo.
    folder.add(QStringLiteral("sqlite"), QStringLiteral("adqTres"), QStringLiteral("SELECT 3"));
    EXPECT_THROW(StatementCatalogue(DbKind::SQLite, folder.root()), AppError);
}

TEST(StatementCatalogueFiles, OracleRunsItsOwnTextOrTheSqlServerOne) {
    CatalogueFolder folder;
    folder.add(QStringLiteral("mssql"), QStringLiteral("adqSimples"),
               QStringLiteral("SELECT GETDATE()"));
    folder.add(QStringLiteral("mssql"), QStringLiteral("adqReserva"), QStringLiteral("SELECT 1"));
    folder.add(QStringLiteral("oracle"), QStringLiteral("adqReserva"),
               QStringLiteral("SELECT 1 FROM DUAL"));
    // The other stored statements have no Oracle text here: such a catalogue is refused.
    EXPECT_THROW(StatementCatalogue(DbKind::Oracle, folder.root()), AppError);
    EXPECT_TRUE(StatementCatalogue::missingFor(DbKind::Oracle, folder.root())
                    .contains(QStringLiteral("adqStatusMesa")));
    EXPECT_FALSE(StatementCatalogue::missingFor(DbKind::Oracle, folder.root())
                     .contains(QStringLiteral("adqSimples")));
}

TEST(DataModuleVersion, OnlySqlServerBelowNineIsOld) {
    TrdmGerMesa dm(QStringLiteral("versao"));
    const QList<std::pair<QString, bool>> cases = {
        {QStringLiteral("8.00.2039"), true},     {QStringLiteral("9.00.1399.06"), false},
        {QStringLiteral("10.50.1600.1"), false}, {QString(), false},
        {QStringLiteral("abc"), false},          {QStringLiteral("7"), true}};
    for (const auto& [versao, antiga] : cases) {
        dm.setVersionProbe([v = versao] { return v; });
        EXPECT_EQ(dm.getVersaoBanco(), antiga) << versao.toStdString();
    }
    dm.setVersionProbe([]() -> QString { throw AppError(QStringLiteral("sem servidor")); });
    EXPECT_FALSE(dm.getVersaoBanco());
}

TEST(DataModuleConnection, AnUnknownProviderFailsAtConnect) {
    TrdmGerMesa dm(QStringLiteral("desconhecido"));
    EXPECT_THROW(dm.connectTo(QStringLiteral("Provider=XYZ;Data Source=x")), AppError);
    EXPECT_FALSE(dm.connected());
}

class DataModule : public ServiceFixture {};

TEST_F(DataModule, EveryTextOfTheKindPreparesAgainstTheSchema) {
    const StatementCatalogue& catalogue = dm->catalogue();
    for (const QString& name : StatementCatalogue::statementNames()) {
        QSqlQuery q(db->connection());
        EXPECT_TRUE(q.prepare(catalogue.statement(name).text))
            << name.toStdString() << ": " << q.lastError().text().toStdString();
    }
}

TEST_F(DataModule, VersionIsFalseOnTheseServers) {
    EXPECT_TRUE(dm->connected());
    EXPECT_FALSE(dm->getVersaoBanco());
}

TEST_F(DataModule, StartTwiceThenOneCommitCommitsOnce) {
    auto other = db->openAnother(QStringLiteral("outro-caixa"));
    dm->StartTrans();
    dm->StartTrans();
    EXPECT_TRUE(dm->inTransaction());
    QSqlQuery q(dm->adcGerMesa());
    ASSERT_TRUE(q.exec(QStringLiteral("INSERT INTO FILIAL (CDFILIAL) VALUES ('0001')")))
        << q.lastError().text().toStdString();
    q.finish();
    dm->CommitTrans();
    EXPECT_FALSE(dm->inTransaction());
    EXPECT_NO_THROW(dm->CommitTrans());
    QSqlQuery seen(other);
    ASSERT_TRUE(seen.exec(QStringLiteral("SELECT COUNT(*) FROM FILIAL")));
    ASSERT_TRUE(seen.next());
    EXPECT_EQ(seen.value(0).toInt(), 1);
}

TEST_F(DataModule, RollbackUndoesAndWithoutTransactionDoesNothing) {
    EXPECT_NO_THROW(dm->RollbackTrans());
    dm->StartTrans();
    QSqlQuery q(dm->adcGerMesa());
    ASSERT_TRUE(q.exec(QStringLiteral("INSERT INTO FILIAL (CDFILIAL) VALUES ('0002')")));
    q.finish();
    dm->RollbackTrans();
    EXPECT_FALSE(dm->inTransaction());
    EXPECT_EQ(count(QStringLiteral("FILIAL")), 0);
}

TEST_F(DataModule, AFailedStatementIsAConvertedFailureAndLeavesNoTransaction) {
    CatalogueFolder folder;
    folder.addAll(QStringLiteral("acmInsFilial"),
                  QStringLiteral("INSERT INTO FILIAL (CDFILIAL) VALUES (:P_CDFILIAL)"));
    folder.addAll(QStringLiteral("adqVerificaConexao"), QStringLiteral("SELECT 1"));
    TrdmGerMesa mod(QStringLiteral("falha"));
    mod.connectTo(db->connectionText(), folder.root());
    insert(QStringLiteral("FILIAL"), {{QStringLiteral("CDFILIAL"), QStringLiteral("0001")}});

    const QVariant result = runOperation(mod, [&]() -> QVariant {
        mod.StartTrans();
        mod.execute(QStringLiteral("acmInsFilial"),
                    {{QStringLiteral("P_CDFILIAL"), QStringLiteral("0003")}});
        // The key already exists: the database refuses this one.
        mod.execute(QStringLiteral("acmInsFilial"),
                    {{QStringLiteral("P_CDFILIAL"), QStringLiteral("0001")}});
        mod.CommitTrans();
        return {};
    });
    ASSERT_TRUE(isServiceFailure(result));
    EXPECT_TRUE(serviceFailureMessage(result).contains(QStringLiteral("acmInsFilial")))
        << serviceFailureMessage(result).toStdString();
    EXPECT_FALSE(mod.inTransaction());
    EXPECT_EQ(count(QStringLiteral("FILIAL")), 1); // the first insert was rolled back
    // The module goes on working after the failure.
    EXPECT_FALSE(isServiceFailure(runOperation(mod, [&]() -> QVariant {
        mod.execute(QStringLiteral("acmInsFilial"),
                    {{QStringLiteral("P_CDFILIAL"), QStringLiteral("0004")}});
        return {};
    })));
    EXPECT_EQ(count(QStringLiteral("FILIAL")), 2);
}

TEST_F(DataModule, PacketsTypeColumnsBySchemaDeclarationAndDriver) {
    CatalogueFolder folder;
    folder.addAll(QStringLiteral("adqVendas"),
                  QStringLiteral("-- columns: QTD integer\n"
                                 "SELECT NRVENDAREST, DTHRABERMESA, NRPESMESAVEN, COUNT(*) AS QTD "
                                 "FROM VENDAREST WHERE CDFILIAL = :P_CDFILIAL "
                                 "GROUP BY NRVENDAREST, DTHRABERMESA, NRPESMESAVEN"));
    folder.addAll(QStringLiteral("acmInsVenda"),
                  QStringLiteral("INSERT INTO VENDAREST (CDFILIAL, NRVENDAREST, CDLOJA, NRMESA, "
                                 "DTHRABERMESA, NRPESMESAVEN) VALUES (:P_CDFILIAL, :P_NRVENDAREST, "
                                 "'0001', '0005', :P_DATA, :P_NPESSOAS)"));
    folder.addAll(QStringLiteral("adqVerificaConexao"), QStringLiteral("SELECT 1"));
    TrdmGerMesa mod(QStringLiteral("tipos"));
    mod.connectTo(db->connectionText(), folder.root());
    const QDateTime aberta(QDate(2024, 3, 15), QTime(21, 7, 3, 250));
    mod.execute(QStringLiteral("acmInsVenda"),
                {{QStringLiteral("P_CDFILIAL"), QStringLiteral("0001")},
                 {QStringLiteral("P_NRVENDAREST"), QStringLiteral("000000000000001")},
                 {QStringLiteral("P_DATA"), aberta},
                 {QStringLiteral("P_NPESSOAS"), 4.0}});
    const DataPacket p = mod.openPacket(QStringLiteral("adqVendas"),
                                        {{QStringLiteral("P_CDFILIAL"), QStringLiteral("0001")}});
    ASSERT_EQ(p.rowCount(), 1);
    EXPECT_EQ(p.fields[p.fieldIndex(QStringLiteral("DTHRABERMESA"))].type, FieldType::DateTime);
    EXPECT_EQ(p.fields[p.fieldIndex(QStringLiteral("NRPESMESAVEN"))].type, FieldType::Float);
    EXPECT_EQ(p.fields[p.fieldIndex(QStringLiteral("QTD"))].type, FieldType::Integer);
    EXPECT_EQ(p.fields[p.fieldIndex(QStringLiteral("NRVENDAREST"))].type, FieldType::Text);
    EXPECT_EQ(p.value(0, QStringLiteral("DTHRABERMESA")).toDateTime(), aberta);
    EXPECT_DOUBLE_EQ(p.value(0, QStringLiteral("NRPESMESAVEN")).toDouble(), 4.0);
    EXPECT_EQ(p.value(0, QStringLiteral("QTD")).toLongLong(), 1);
    // Where date-times are kept as text, they are kept in the one stored form.
    if (dialect().storesDateTimeAsText()) {
        EXPECT_EQ(value(QStringLiteral("SELECT DTHRABERMESA FROM VENDAREST")).toString(),
                  QStringLiteral("2024-03-15 21:07:03.250"));
    }
}

TEST_F(DataModule, ExistenceTestsStopAtTheFirstRowAndEveryExecutionIsCounted) {
    CatalogueFolder folder;
    folder.addAll(QStringLiteral("adqFiliais"),
                  QStringLiteral("SELECT CDFILIAL FROM FILIAL WHERE CDFILIAL >= :P_CDFILIAL "
                                 "ORDER BY CDFILIAL"));
    folder.addAll(QStringLiteral("adqVerificaConexao"), QStringLiteral("SELECT 1"));
    TrdmGerMesa mod(QStringLiteral("existencia"));
    mod.connectTo(db->connectionText(), folder.root());
    for (const char* filial : {"0001", "0002", "0003"}) {
        insert(QStringLiteral("FILIAL"),
               {{QStringLiteral("CDFILIAL"), QString::fromLatin1(filial)}});
    }
    const auto desde = [](const char* filial) -> SqlParams {
        return {{QStringLiteral("P_CDFILIAL"), QString::fromLatin1(filial)}};
    };
    const quint64 antes = mod.statementsRun();
    EXPECT_TRUE(mod.hasRows(QStringLiteral("adqFiliais"), desde("0001")));
    EXPECT_FALSE(mod.hasRows(QStringLiteral("adqFiliais"), desde("0004")));
    // The statement left half read answers in full the next time it runs.
    EXPECT_TRUE(mod.hasRows(QStringLiteral("adqFiliais"), desde("0002")));
    const DataPacket todas = mod.openPacket(QStringLiteral("adqFiliais"), desde("0001"));
    ASSERT_EQ(todas.rowCount(), 3);
    EXPECT_EQ(todas.value(2, QStringLiteral("CDFILIAL")).toString(), QStringLiteral("0003"));
    EXPECT_EQ(mod.scalar(QStringLiteral("adqFiliais"), desde("0002"), QStringLiteral("CDFILIAL"))
                  .toString(),
              QStringLiteral("0002"));
    EXPECT_EQ(mod.statementsRun() - antes, 5u);
}

TEST_F(DataModule, ALostConnectionIsReportedAndTheNextCallReconnects) {
    if (!dialect().hasServer()) {
        GTEST_SKIP() << "only a server can end the connection";
    }
    const qlonglong pid = [&] {
        QSqlQuery q(dm->adcGerMesa());
        EXPECT_TRUE(q.exec(QStringLiteral("SELECT pg_backend_pid()")));
        return q.next() ? q.value(0).toLongLong() : 0;
    }();
    ASSERT_GT(pid, 0);
    value(QStringLiteral("SELECT pg_terminate_backend(:P)"), {{QStringLiteral("P"), pid}});
    const QVariant lost = runOperation(*dm, [&]() -> QVariant {
        return dm->scalar(QStringLiteral("adqVerificaConexao"), {}, QStringLiteral("x"));
    });
    ASSERT_TRUE(isServiceFailure(lost));
    EXPECT_TRUE(serviceFailureMessage(lost).contains(QStringLiteral("Sem conexão")))
        << serviceFailureMessage(lost).toStdString();
    const QVariant back = runOperation(*dm, [&]() -> QVariant {
        return QVariant::fromValue(dm->openPacket(QStringLiteral("adqVerificaConexao"), {}));
    });
    EXPECT_FALSE(isServiceFailure(back)) << serviceFailureMessage(back).toStdString();
}
