// A counter sale taken at the order screen goes through the same payment dialog and sales
// service as a table: given up, nothing of it is left; paid, the sale is stored and the
// counter table is free again.
#include "external/common.h"
#include "host/order/order_model.h"
#include "platform/errors.h"
#include "tests/screen/receipt_fixture.h"

#include <QSqlDatabase>
#include <QSqlQuery>

namespace tmk::test {
namespace {

class CounterSaleAtTheTill : public ReceiptOnDemo {
protected:
    void SetUp() override {
        ReceiptOnDemo::SetUp();
        if (HasFatalFailure() || IsSkipped()) {
            return;
        }
        conn_ = configureConnection(database.connectionText(), QStringLiteral("balcao"),
                                    DatabaseFile::MustExist);
        TryConnect(conn_);
        SetADODBSession(conn_);
    }
    void TearDown() override {
        conn_.close();
        conn_ = QSqlDatabase();
        QSqlDatabase::removeDatabase(QStringLiteral("balcao"));
        ReceiptOnDemo::TearDown();
    }

    std::unique_ptr<OrderModel> counterSale() {
        OrderRequest r;
        r.tipoVenda = QStringLiteral("B");
        auto order = std::make_unique<OrderModel>(conn_, OrderTill::read(), r);
        order->load();
        return order;
    }
    bool pay(OrderModel& order) {
        return order.pay(
            [this](const QString& nrMesa) { return tela().RecebeVendaBalcao(nrMesa); });
    }
    int openOnCounter() {
        return contagem("SELECT COUNT(*) FROM VENDAREST WHERE NRMESA = '9999' AND DTHRFECHMESA "
                        "IS NULL");
    }

    QSqlDatabase conn_;
};

TEST_F(CounterSaleAtTheTill, GivenUpItLeavesNothingPaidItIsStored) {
    abre(true);
    auto order = counterSale();
    EXPECT_EQ(order->nrMesa(), QStringLiteral("9999"));
    EXPECT_EQ(order->partySize(), 1);
    ASSERT_TRUE(order->needsWaiter());
    order->chooseWaiter(QStringLiteral("001"));
    order->add(QStringLiteral("20001"));
    order->add(QStringLiteral("10004"));
    order->setQuantity(0, 2);
    const int vendas = contagem("SELECT COUNT(*) FROM VENDA");

    // The payment dialog closed without paying.
    dialogs_->script = nullptr;
    EXPECT_FALSE(pay(*order));
    EXPECT_EQ(order->lines().size(), 2) << "the order stays to be paid again";
    EXPECT_EQ(contagem("SELECT COUNT(*) FROM VENDA"), vendas);
    EXPECT_EQ(estado(QStringLiteral("9999")), "D");
    EXPECT_EQ(openOnCounter(), 0);
    EXPECT_EQ(contagem("SELECT COUNT(*) FROM ITCOMANDAVEN I, VENDAREST V WHERE V.CDFILIAL = "
                       "I.CDFILIAL AND V.NRVENDAREST = I.NRVENDAREST AND V.NRMESA = '9999'"),
              0);

    // Paid in cash.
    dialogs_->script = [](QDialog& d) {
        pagaEmDinheiro(d);
    };
    EXPECT_TRUE(pay(*order));
    EXPECT_TRUE(order->lines().isEmpty());
    EXPECT_EQ(contagem("SELECT COUNT(*) FROM VENDA"), vendas + 1);
    const QString seq =
        valor("SELECT MAX(NRSEQVENDA) FROM VENDA WHERE IDSITUVENDA = 'O'").toString();
    EXPECT_EQ(valor(QStringLiteral("SELECT NRMESA FROM VENDA WHERE NRSEQVENDA = '%1'").arg(seq))
                  .toString(),
              QStringLiteral("9999"));
    EXPECT_DOUBLE_EQ(
        valor(QStringLiteral("SELECT VRTOTVENDA FROM VENDA WHERE NRSEQVENDA = '%1'").arg(seq))
            .toDouble(),
        2 * 7.00 + 32.00);
    EXPECT_EQ(
        contagem(QStringLiteral("SELECT COUNT(*) FROM ITEMVENDA WHERE NRSEQVENDA = '%1'").arg(seq)),
        2);
    EXPECT_EQ(estado(QStringLiteral("9999")), "D");
    EXPECT_EQ(openOnCounter(), 0);
}

// Another till's counter sale holds the counter table: this one waits, its order kept.
TEST_F(CounterSaleAtTheTill, ACounterTableTakenByAnotherTillIsToldAndTheOrderKept) {
    abre(true);
    auto order = counterSale();
    order->chooseWaiter(QStringLiteral("002"));
    order->add(QStringLiteral("20006"));
    QSqlQuery q(database.connection());
    ASSERT_TRUE(q.exec(QStringLiteral("UPDATE MESA SET IDSTMESAAUX = 'O' WHERE NRMESA = '9999'")));
    QString said;
    try {
        pay(*order);
    } catch (const AppError& e) {
        said = e.message();
    }
    EXPECT_TRUE(said.startsWith(QStringLiteral("O balcão está em uso"))) << said.toStdString();
    EXPECT_EQ(order->lines().size(), 1);
    EXPECT_EQ(openOnCounter(), 0);
    EXPECT_EQ(estado(QStringLiteral("9999")), "O") << "the other till's state is left alone";
}

} // namespace
} // namespace tmk::test
