#include "external/common.h"
#include "platform/data_packet.h"
#include "platform/till_folder.h"
#include "suite/dialogs/suite_dialogs.h"
#include "tests/suite/devices/fiscal_samples.h"
#include "tests/suite/print_qstring.h"
#include "tests/support/test_database.h"

#include <QSqlQuery>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace tmk {
namespace {

using test::TestDatabase;

// The branch's name heads the plain receipt: it is read from the database.
class ReceiptHeader : public ::testing::Test {
protected:
    void SetUp() override {
        TMK_REQUIRE_DATABASE(database_);
        ASSERT_TRUE(till_.isValid());
        setTillFolder(till_.path());
        devices_test::writeTillParameters();
    }

    QString printPlainReceipt(SuiteDialogs& dialogs) {
        DataPacket items;
        items.fields = {{"CDFILIAL", FieldType::Text, 4},
                        {"CDPRODUTO", FieldType::Text, 20},
                        {"NMPRODUTO", FieldType::Text, 60},
                        {"QTPRODCOMVEN", FieldType::Float, 0},
                        {"VRPRECCOMVEN", FieldType::Float, 0}};
        items.rows << QVariantList{"0001", "10001", "PICANHA NA CHAPA", 1.0, 89.90};
        DataPacket param;
        param.fields = {{"NRNAOFISCAL", FieldType::Text, 20}, {"TOTALPAGO", FieldType::Float, 0}};
        param.rows << QVariantList{"000001", 89.90};
        QVariant retorno;
        dialogs.DisparaImpressaoNaoFiscal({false, "CUPOM", QVariant(), QVariant::fromValue(items),
                                           QVariant(), QVariant::fromValue(param), QString()},
                                          retorno);
        return devices_test::pdfText(retorno.toList().value(1).toString());
    }

    TestDatabase database_;
    QTemporaryDir till_;
};

TEST_F(ReceiptHeader, NameOfTheBranchFromTheDatabase) {
    QSqlDatabase db = database_.connection();
    QSqlQuery q(db);
    ASSERT_TRUE(q.exec("INSERT INTO FILIAL (CDFILIAL, NMFILIAL, CDEMPRESA) "
                       "VALUES ('0001', 'Sabor da Casa', '0001')"));
    SuiteDialogs dialogs(db, nullptr);
    const QString text = printPlainReceipt(dialogs);
    EXPECT_TRUE(text.contains("Sabor da Casa")) << text.toStdString();
    EXPECT_TRUE(text.contains("89,90"));
}

TEST_F(ReceiptHeader, ReceiptIsPrintedWhenTheNameCannotBeRead) {
    QSqlDatabase db = database_.connection();
    SuiteDialogs dialogs(db, nullptr); // no branch row
    const QString text = printPlainReceipt(dialogs);
    EXPECT_TRUE(text.contains("CNPJ: 12.345.678/0001-95"));
    EXPECT_TRUE(text.contains("PICANHA NA CHAPA"));
}

} // namespace
} // namespace tmk
