// Triggers of the schema description: how they are read and the statements made of them
// for each kind (no database).

#include "db/schema.h"
#include "platform/errors.h"

#include <gtest/gtest.h>

using namespace tmk;
using namespace tmk::db;

namespace {

const QString kTables = QStringLiteral("version 1\n"
                                       "table PAI\n"
                                       "    NRPAI text 4 key\n"
                                       "table FILHO\n"
                                       "    NRFILHO text 4 key\n"
                                       "    NRPAI text 4\n"
                                       "table ORFAO\n"
                                       "    NRPAI text 4 notnull\n"
                                       "    DTHRREGISTRO datetime notnull\n");

const QString kInsert =
    QStringLiteral("trigger TG_FILHO_INS after insert on FILHO\n"
                   "    INSERT INTO ORFAO (NRPAI, DTHRREGISTRO)\n"
                   "    SELECT N.NRPAI, AGORA FROM NOVAS N\n"
                   "     WHERE NOT EXISTS (SELECT 1 FROM PAI P WHERE P.NRPAI = N.NRPAI);\n"
                   "    DELETE FROM ORFAO WHERE DTHRREGISTRO < UMA_HORA_ATRAS;\n");
const QString kUpdate = QStringLiteral(
    "trigger TG_FILHO_UPD after update of NRPAI on FILHO\n"
    "    INSERT INTO ORFAO (NRPAI, DTHRREGISTRO) SELECT N.NRPAI, AGORA FROM NOVAS N;\n"
    "    DELETE FROM ORFAO WHERE NRPAI IN (SELECT A.NRPAI FROM ANTIGAS A);\n");
const QString kDelete = QStringLiteral(
    "trigger TG_PAI_DEL after delete on PAI\n"
    "    INSERT INTO ORFAO (NRPAI, DTHRREGISTRO) SELECT A.NRPAI, AGORA FROM ANTIGAS A;\n");

QString parseError(const QString& text) {
    try {
        parseSchema(text);
    } catch (const AppError& e) {
        return e.message();
    }
    return {};
}

} // namespace

TEST(SchemaTriggers, AreReadWithTheirEventColumnsAndStatements) {
    const Schema s = parseSchema(kTables + kInsert + kUpdate + kDelete);
    ASSERT_EQ(s.triggers.size(), 3);
    const Trigger& insert = s.triggers[0];
    EXPECT_EQ(insert.name, QStringLiteral("TG_FILHO_INS"));
    EXPECT_EQ(insert.table, QStringLiteral("FILHO"));
    EXPECT_EQ(insert.event, Trigger::Event::Insert);
    ASSERT_EQ(insert.statements.size(), 2);
    EXPECT_TRUE(insert.statements[0].startsWith(QStringLiteral("INSERT INTO ORFAO")));
    EXPECT_TRUE(insert.statements[1].endsWith(QStringLiteral("UMA_HORA_ATRAS")));
    EXPECT_EQ(s.triggers[1].event, Trigger::Event::Update);
    EXPECT_EQ(s.triggers[1].columns, QStringList{QStringLiteral("NRPAI")});
    EXPECT_EQ(s.triggers[2].event, Trigger::Event::Delete);
    // A table declared after a trigger is still a table.
    EXPECT_EQ(s.tables.size(), 3);
}

TEST(SchemaTriggers, FaultsAreNamedWithTheirLine) {
    struct Case {
        const char* what;
        QString text;
        const char* expected;
    };
    const Case cases[] = {
        {"unknown table",
         QStringLiteral("trigger TG_X after insert on NADA\n    DELETE FROM PAI;\n"),
         "tabela desconhecida NADA"},
        {"update without columns",
         QStringLiteral("trigger TG_X after update on FILHO\n    DELETE FROM PAI;\n"),
         "só o gatilho de update"},
        {"columns on an insert",
         QStringLiteral("trigger TG_X after insert of NRPAI on FILHO\n    DELETE FROM PAI;\n"),
         "só o gatilho de update"},
        {"unknown column",
         QStringLiteral("trigger TG_X after update of NADA on FILHO\n    DELETE FROM PAI;\n"),
         "coluna \"NADA\""},
        {"no statement", QStringLiteral("trigger TG_X after delete on PAI\n"),
         "não tem instruções"},
        {"new rows of a delete",
         QStringLiteral("trigger TG_X after delete on PAI\n    DELETE FROM ORFAO WHERE NRPAI IN "
                        "(SELECT NRPAI FROM NOVAS);\n"),
         "não tem linhas NOVAS"},
        {"old rows of an insert",
         QStringLiteral("trigger TG_X after insert on PAI\n    DELETE FROM ORFAO WHERE NRPAI IN "
                        "(SELECT NRPAI FROM ANTIGAS);\n"),
         "não tem linhas ANTIGAS"},
        {"bad form", QStringLiteral("trigger TG_X before insert on PAI\n    DELETE FROM PAI;\n"),
         "use \"trigger NOME"},
        {"name taken", QStringLiteral("trigger PAI after delete on PAI\n    DELETE FROM PAI;\n"),
         "já foi usado"},
    };
    for (const Case& c : cases) {
        const QString error = parseError(kTables + c.text);
        EXPECT_TRUE(error.contains(QString::fromUtf8(c.expected)))
            << c.what << ": " << error.toStdString();
        EXPECT_TRUE(error.contains(QStringLiteral("linha 10")))
            << c.what << ": " << error.toStdString();
    }
}

TEST(SchemaTriggers, SqliteRunsTheBodyForEachRowOnNewAndOld) {
    const Schema s = parseSchema(kTables + kInsert + kUpdate + kDelete);
    const QStringList ddl = triggerStatements(s, DbKind::SQLite);
    ASSERT_EQ(ddl.size(), 3);
    EXPECT_TRUE(ddl[0].startsWith(
        QStringLiteral("CREATE TRIGGER TG_FILHO_INS AFTER INSERT ON FILHO FOR EACH ROW BEGIN\n")))
        << ddl[0].toStdString();
    EXPECT_TRUE(ddl[0].contains(
        QStringLiteral("FROM (SELECT NEW.NRFILHO AS NRFILHO, NEW.NRPAI AS NRPAI) N")))
        << ddl[0].toStdString();
    EXPECT_TRUE(
        ddl[0].contains(QStringLiteral("strftime('%Y-%m-%d %H:%M:%f', 'now', 'localtime')")));
    EXPECT_TRUE(ddl[0].contains(
        QStringLiteral("strftime('%Y-%m-%d %H:%M:%f', 'now', 'localtime', '-1 hour')")));
    EXPECT_TRUE(ddl[0].endsWith(QStringLiteral(";\nEND")));
    EXPECT_TRUE(
        ddl[1].startsWith(QStringLiteral("CREATE TRIGGER TG_FILHO_UPD AFTER UPDATE OF NRPAI "
                                         "ON FILHO FOR EACH ROW WHEN (OLD.NRPAI IS NOT "
                                         "NEW.NRPAI) BEGIN")))
        << ddl[1].toStdString();
    EXPECT_TRUE(
        ddl[1].contains(QStringLiteral("(SELECT OLD.NRFILHO AS NRFILHO, OLD.NRPAI AS NRPAI) A")));
    EXPECT_FALSE(ddl[2].contains(QStringLiteral("ANTIGAS")));
}

TEST(SchemaTriggers, PostgresqlRunsInsertsAndDeletesOncePerStatementOverAllRows) {
    const Schema s = parseSchema(kTables + kInsert + kUpdate + kDelete);
    const QStringList ddl = triggerStatements(s, DbKind::PostgreSQL);
    ASSERT_EQ(ddl.size(), 6); // a function and a trigger each
    EXPECT_TRUE(ddl[0].startsWith(QStringLiteral(
        "CREATE FUNCTION TG_FILHO_INS() RETURNS trigger LANGUAGE plpgsql AS $$\nBEGIN\n")));
    EXPECT_TRUE(ddl[0].contains(QStringLiteral("FROM NOVAS N"))) << ddl[0].toStdString();
    EXPECT_TRUE(ddl[0].contains(QStringLiteral("CAST(LOCALTIMESTAMP AS TIMESTAMP(3))")));
    EXPECT_TRUE(ddl[0].endsWith(QStringLiteral("RETURN NULL;\nEND\n$$")));
    EXPECT_EQ(ddl[1],
              QStringLiteral("CREATE TRIGGER TG_FILHO_INS AFTER INSERT ON FILHO REFERENCING "
                             "NEW TABLE AS NOVAS FOR EACH STATEMENT EXECUTE FUNCTION "
                             "TG_FILHO_INS()"));
    // An update runs per row, only when a named column changed.
    EXPECT_TRUE(
        ddl[2].contains(QStringLiteral("(SELECT NEW.NRFILHO AS NRFILHO, NEW.NRPAI AS NRPAI) N")));
    EXPECT_EQ(ddl[3],
              QStringLiteral("CREATE TRIGGER TG_FILHO_UPD AFTER UPDATE OF NRPAI ON FILHO FOR "
                             "EACH ROW WHEN (OLD.NRPAI IS DISTINCT FROM NEW.NRPAI) EXECUTE "
                             "FUNCTION TG_FILHO_UPD()"));
    EXPECT_EQ(ddl[5],
              QStringLiteral("CREATE TRIGGER TG_PAI_DEL AFTER DELETE ON PAI REFERENCING OLD "
                             "TABLE AS ANTIGAS FOR EACH STATEMENT EXECUTE FUNCTION "
                             "TG_PAI_DEL()"));
    EXPECT_THROW(triggerStatements(s, DbKind::SqlServer), AppError);
}

TEST(SchemaTriggers, TheFingerprintFollowsWhatTheyDo) {
    const QString base = schemaFingerprint(parseSchema(kTables + kInsert));
    EXPECT_NE(schemaFingerprint(parseSchema(kTables)), base);
    QString other = kInsert;
    other.replace(QStringLiteral("WHERE DTHRREGISTRO <"), QStringLiteral("WHERE DTHRREGISTRO >"));
    EXPECT_NE(schemaFingerprint(parseSchema(kTables + other)), base);
    QString spaced = kInsert;
    spaced.replace(QStringLiteral("SELECT N.NRPAI"), QStringLiteral("SELECT  N.NRPAI"));
    EXPECT_EQ(schemaFingerprint(parseSchema(kTables + spaced)), base);
}

TEST(SchemaTriggers, TheSchemaKeepsItsOrphanJournalOnTheSaleTables) {
    QStringList tables;
    for (const Trigger& t : schema().triggers) {
        tables << t.table;
    }
    for (const char* table : {"VENDAREST", "COMANDAVEN", "ITCOMANDAVEN"}) {
        EXPECT_EQ(tables.count(QString::fromLatin1(table)), 3) << table;
    }
    EXPECT_EQ(triggerStatements(DbKind::SQLite).size(), schema().triggers.size());
    EXPECT_EQ(triggerStatements(DbKind::PostgreSQL).size(), 2 * schema().triggers.size());
}
