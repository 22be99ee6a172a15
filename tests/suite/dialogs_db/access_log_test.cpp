#include "db/schema.h"
#include "platform/database_error.h"
#include "suite/common/db_dialect.h"
#include "suite/dialogs/suite_dialogs.h"
#include "tests/suite/print_qstring.h"
#include "tests/support/test_database.h"

#include <QSqlQuery>
#include <QSqlRecord>
#include <gtest/gtest.h>

namespace tmk {
namespace {

using test::TestDatabase;

const db::Table& logTable() {
    return *db::schema().table(QStringLiteral("LOGCONTROLEACESSO"));
}

// The stored row of a till's record, column by column (texts and the date-time).
QVariantMap readLog(QSqlDatabase& db, const QString& filial, const QString& caixa, int seq) {
    QStringList columns;
    for (const db::Column& c : logTable().columns) {
        columns << c.name;
    }
    QSqlQuery q(db);
    EXPECT_TRUE(q.prepare(db::selectByKeyStatement(logTable(), columns)));
    q.bindValue(":CDFILIAL", filial);
    q.bindValue(":CDCAIXA", caixa);
    q.bindValue(":NRSEQLOG", seq);
    EXPECT_TRUE(q.exec());
    QVariantMap row;
    if (q.next()) {
        for (int i = 0; i < columns.size(); ++i) {
            row.insert(columns.at(i), q.value(i));
        }
    }
    return row;
}

using AccessLog = test::DatabaseTest;

TEST_F(AccessLog, OneRowHoldsTheFourteenValues) {
    QSqlDatabase db = database.connection();
    SuiteDialogs dialogs(db, nullptr);
    const QDateTime before = QDateTime::currentDateTime().addMSecs(-1);
    dialogs.LogControleAcess("0001", "0002", "ABE_MES", "0007", "Maria Souza", "0090",
                             "Abertura de mesa", "Abertura de mesa Nº mesa aberta: 0012",
                             "000000000123", "_0001_0002_", "Mesa 12", "0012", QVariant("0033"),
                             QVariant(0));
    const QDateTime after = QDateTime::currentDateTime().addMSecs(1);

    const QVariantMap row = readLog(db, "0001", "0002", 1);
    ASSERT_FALSE(row.isEmpty()) << "no record 1 of the till";
    EXPECT_EQ(row.value("CDOPERACAO").toString(), "ABE_MES");
    EXPECT_EQ(row.value("CDOPERADOR").toString(), "0007");
    EXPECT_EQ(row.value("NMOPERADOR").toString(), "Maria Souza");
    EXPECT_EQ(row.value("CDOPERAUTORIZ").toString(), "0090");
    EXPECT_EQ(row.value("DSMOTIVO").toString(), "Abertura de mesa");
    EXPECT_EQ(row.value("DSMOTIVODET").toString(), "Abertura de mesa Nº mesa aberta: 0012");
    EXPECT_EQ(row.value("NRVENDAREST").toString(), "000000000123");
    EXPECT_EQ(row.value("DSLISTACOMANDA").toString(), "_0001_0002_");
    EXPECT_EQ(row.value("DSCOMANDA").toString(), "Mesa 12");
    EXPECT_EQ(row.value("NRMESA").toString(), "0012");
    EXPECT_EQ(row.value("CDVENDEDOR").toString(), "0033");
    EXPECT_EQ(row.value("NRSEQVENDA").toString(), "0");
    const QDateTime stamp = DbDialect::of(db).readDateTime(row.value("DTHRLOG"));
    ASSERT_TRUE(stamp.isValid()) << row.value("DTHRLOG").toString().toStdString();
    EXPECT_GE(stamp, before);
    EXPECT_LE(stamp, after);
}

TEST_F(AccessLog, RecordsAreNumberedPerTill) {
    QSqlDatabase db = database.connection();
    SuiteDialogs dialogs(db, nullptr);
    const auto log = [&](const char* caixa, const char* op) {
        dialogs.LogControleAcess("0001", caixa, op, "0007", "Maria", "0007", "m", "m", "", "", "",
                                 "", QVariant(0), QVariant(0));
    };
    log("0002", "ABR_GAV");
    log("0002", "LIB_MES");
    log("0003", "ALT_PES");
    EXPECT_EQ(readLog(db, "0001", "0002", 1).value("CDOPERACAO").toString(), "ABR_GAV");
    EXPECT_EQ(readLog(db, "0001", "0002", 2).value("CDOPERACAO").toString(), "LIB_MES");
    EXPECT_EQ(readLog(db, "0001", "0003", 1).value("CDOPERACAO").toString(), "ALT_PES");
    EXPECT_TRUE(readLog(db, "0001", "0003", 2).isEmpty());
}

TEST_F(AccessLog, LongTextsAreCutToTheirColumnsAndNothingIsLost) {
    QSqlDatabase db = database.connection();
    SuiteDialogs dialogs(db, nullptr);
    const QString longName = QString(70, QLatin1Char('N'));
    const QString longReason = QString(2000, QLatin1Char('r'));
    dialogs.LogControleAcess("0001", "0002", "CAN_MES", "0007", longName, "0007", longReason,
                             longReason, "1", "_0001_", QString(40, 'c'), "0012", QVariant(),
                             QVariant());
    const QVariantMap row = readLog(db, "0001", "0002", 1);
    ASSERT_FALSE(row.isEmpty());
    EXPECT_EQ(row.value("NMOPERADOR").toString(), QString(60, QLatin1Char('N')));
    EXPECT_EQ(row.value("DSCOMANDA").toString(), QString(30, QLatin1Char('c')));
    EXPECT_EQ(row.value("DSMOTIVODET").toString(), longReason) << "memo columns are kept whole";
    EXPECT_TRUE(row.value("CDVENDEDOR").isNull());
}

TEST_F(AccessLog, ARefusedInsertIsADatabaseError) {
    TestDatabase empty(TestDatabase::Contents::Empty);
    TMK_REQUIRE_DATABASE(empty);
    SuiteDialogs dialogs(empty.connection(), nullptr);
    try {
        dialogs.LogControleAcess("0001", "0002", "ABR_GAV", "0007", "Maria", "0007", "m", "m", "",
                                 "", "", "", QVariant(0), QVariant(0));
        FAIL() << "no error";
    } catch (const DatabaseError& e) {
        EXPECT_TRUE(e.message().contains("ABR_GAV")) << e.message().toStdString();
        EXPECT_FALSE(e.connectionLost());
    }
}

} // namespace
} // namespace tmk
