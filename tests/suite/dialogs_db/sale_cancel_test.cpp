#include "db/schema.h"
#include "platform/service_result.h"
#include "suite/dialogs/suite_dialogs.h"
#include "tests/suite/print_qstring.h"
#include "tests/support/test_database.h"

#include <QSqlError>
#include <QSqlQuery>
#include <gtest/gtest.h>

namespace tmk {
namespace {

class SaleCancel : public test::DatabaseTest {
protected:
    void SetUp() override {
        DatabaseTest::SetUp();
        if (HasFatalFailure() || IsSkipped()) {
            return;
        }
        QSqlDatabase db = database.connection();
        run(db, "INSERT INTO VENDA (CDFILIAL, CDCAIXA, NRSEQVENDA, NRVENDAREST, IDSITUVENDA) "
                "VALUES ('0001', '001', '0000000042', '00010000007', 'O')");
        run(db, "INSERT INTO MOVCAIXAMOB (CDFILIAL, NRSEQMOVMOB, NRVENDAREST, NRCOMANDA, "
                "NRLUGARMESA, CDCAIXA, NRSEQVENDA, IDSTMOV, IDADMTASK, VRMOV) VALUES ('0001', "
                "'1', '00010000007', '000007', 'T', '001', '0000000042', '1', '0', 80.0)");
    }
    static void run(QSqlDatabase& db, const char* sql) {
        QSqlQuery q(db);
        ASSERT_TRUE(q.exec(QString::fromLatin1(sql))) << sql << q.lastError().text().toStdString();
    }
    QString value(const char* sql) {
        QSqlQuery q(database.connection());
        EXPECT_TRUE(q.exec(QString::fromLatin1(sql)) && q.next()) << sql;
        return q.value(0).toString();
    }
    static QVariantList values(const QString& nrSeqVenda) {
        return {nrSeqVenda, "0001", "001",  QDateTime(QDate(2026, 12, 8), QTime(0, 0)),
                "",         "",     "0099", "SAT"};
    }
};

TEST_F(SaleCancel, TheSaleIsCancelledAndItsAppPaymentsArePendingAgain) {
    SuiteDialogs dialogs(database.connection(), nullptr);
    QVariant retorno = QVariantList(10);
    QVariant resultado = QStringLiteral("antes");
    dialogs.AlteraVendaCan(values("0000000042"), retorno, resultado);
    EXPECT_FALSE(resultado.isValid()) << serviceFailureMessage(resultado).toStdString();
    EXPECT_EQ(value("SELECT IDSITUVENDA FROM VENDA"), "C");
    EXPECT_EQ(
        value("SELECT COUNT(*) FROM MOVCAIXAMOB WHERE NRSEQVENDA IS NULL AND CDCAIXA IS NULL"),
        "1");
}

TEST_F(SaleCancel, FailuresAreServiceResults) {
    SuiteDialogs dialogs(database.connection(), nullptr);
    QVariant retorno;
    struct Case {
        QVariantList values;
        const char* message;
    };
    for (const Case& c : {Case{values("4242"), "Venda 4242 não encontrada no caixa 001"},
                          Case{QVariantList(8), "Venda, filial ou caixa não informados"}}) {
        QVariant resultado;
        dialogs.AlteraVendaCan(c.values, retorno, resultado);
        ASSERT_TRUE(isServiceFailure(resultado)) << c.message;
        EXPECT_TRUE(serviceFailureMessage(resultado).contains(QString::fromUtf8(c.message)))
            << serviceFailureMessage(resultado).toStdString();
    }
    EXPECT_EQ(value("SELECT IDSITUVENDA FROM VENDA"), "O");
}

} // namespace
} // namespace tmk
