#include "platform/service_result.h"
#include "suite/sales/sales_query.h"
#include "suite/sales/suite_sales_service.h"
#include "tests/suite/print_qstring.h"
#include "tests/suite/sales/sale_fixture.h"

#include <QSqlQuery>

namespace tmk::sales_test {
namespace {

class Settlement : public SaleStore {
protected:
    void SetUp() override {
        SaleStore::SetUp();
        if (HasFatalFailure() || IsSkipped()) {
            return;
        }
        sales = std::make_unique<SuiteSalesService>(db(), kCaixa);
        sales->setClock([this] { return agora; });
    }

    QVariant limpa(int modo, const QString& venda, const QString& lista, const QString& mesa,
                   const QString& nrSeqVenda = QStringLiteral("77")) {
        return sales->setLimpaMesaGeral(modo, venda, lista, mesa, "RES", kFilial, kLoja, "", kCaixa,
                                        nrSeqVenda, "", true);
    }
    QString mesa(const QString& nr) {
        return value("SELECT IDSTMESAAUX FROM MESA WHERE NRMESA = :M", {{"M", nr}}).toString();
    }
    bool vendaFechada(const QString& nr) {
        return !value("SELECT DTHRFECHMESA FROM VENDAREST WHERE NRVENDAREST = :V", {{"V", nr}})
                    .isNull();
    }
    QString comanda(const QString& nr) {
        return value("SELECT IDSTCOMANDA FROM COMANDAVEN WHERE NRCOMANDA = :C", {{"C", nr}})
            .toString();
    }
    // The sale that settled each item of a tab ("-" for none), in item order.
    QStringList quitados(const QString& comandaNr) {
        QStringList out;
        for (const QVariantMap& r :
             rows("SELECT NRSEQVENDA FROM ITCOMANDAVEN WHERE NRCOMANDA = :C ORDER BY NRPRODCOMVEN",
                  {{"C", comandaNr}})) {
            out << (r["NRSEQVENDA"].isNull() ? QStringLiteral("-") : r["NRSEQVENDA"].toString());
        }
        return out;
    }

    std::unique_ptr<SuiteSalesService> sales;
};

TEST_F(Settlement, TheLastCouponClosesTheSaleAndFreesTheJoinedGroupTogether) {
    const QVariant r = limpa(0, "000100000012", "_000112_000113_", "0012");
    ASSERT_FALSE(isServiceFailure(r)) << serviceFailureMessage(r).toStdString();
    for (const char* m : {"0012", "0013"}) {
        EXPECT_EQ(mesa(m), "D") << m;
    }
    for (const char* v : {"000100000012", "000100000013"}) {
        EXPECT_TRUE(vendaFechada(v)) << v;
    }
    EXPECT_EQ(comanda("000112"), "4");
    EXPECT_EQ(comanda("000113"), "4");
    // Live items are settled by the sale, the cancelled one is not.
    EXPECT_EQ(quitados("000112"), QStringList({"77", "77", "77", "-"}));
    EXPECT_EQ(count("SELECT COUNT(*) FROM MESAJUNCAO"), 0);
    EXPECT_EQ(count("SELECT COUNT(*) FROM JUNCAOMESA"), 0);
    // Other tables are left alone.
    EXPECT_EQ(mesa("0007"), "R");
    EXPECT_EQ(mesa("0014"), "O");
    EXPECT_FALSE(vendaFechada("000100000007"));
    EXPECT_EQ(comanda("000101"), "2");
}

// The server ended the till's connection (a restart, say): the operation that finds it gone
// says so, and the next one runs on a connection opened again.
TEST_F(Settlement, AConnectionTheServerEndedIsOpenedAgainByTheNextOperation) {
    if (!test::TestDatabase::dialect().hasServer()) {
        GTEST_SKIP() << "an SQLite file has no server to end the connection";
    }
    const qlonglong pid = value("SELECT pg_backend_pid()").toLongLong();
    {
        QSqlDatabase outra = database.openAnother(QStringLiteral("encerra"));
        QSqlQuery q(outra);
        q.prepare(QStringLiteral("SELECT pg_terminate_backend(:P)"));
        q.bindValue(QStringLiteral(":P"), pid);
        ASSERT_TRUE(q.exec());
    }
    QVariant r = limpa(0, "000100000012", "_000112_000113_", "0012");
    int falhas = 0;
    while (isServiceFailure(r) && ++falhas < 3) {
        EXPECT_TRUE(serviceFailureMessage(r).startsWith(
            QStringLiteral("Sem conexão com o banco de dados.")))
            << serviceFailureMessage(r).toStdString();
        r = limpa(0, "000100000012", "_000112_000113_", "0012");
    }
    EXPECT_LE(falhas, 1) << "reported once, then opened again";
    ASSERT_FALSE(isServiceFailure(r)) << serviceFailureMessage(r).toStdString();
    EXPECT_EQ(mesa("0012"), "D");
}

// A read that finds its connection ended by the server, before it was prepared or between
// preparing and running it, runs again on a connection opened again, with its values.
TEST_F(Settlement, AReadFindingItsConnectionEndedRunsAgainOnANewOne) {
    if (!test::TestDatabase::dialect().hasServer()) {
        GTEST_SKIP() << "an SQLite file has no server to end the connection";
    }
    insert("VENDA", {{"CDFILIAL", kFilial},
                     {"CDCAIXA", kCaixa},
                     {"NRSEQVENDA", "901"},
                     {"CDCHAVEFECHA", "CHAVE-901"},
                     {"IDSITUVENDA", "O"}});
    const auto encerra = [this] {
        const qlonglong pid = value("SELECT pg_backend_pid()").toLongLong();
        QSqlDatabase outra = database.openAnother(QStringLiteral("encerra"));
        QSqlQuery q(outra);
        q.prepare(QStringLiteral("SELECT pg_terminate_backend(:P)"));
        q.bindValue(QStringLiteral(":P"), pid);
        ASSERT_TRUE(q.exec());
    };
    for (const bool antesDePreparar : {true, false}) {
        SCOPED_TRACE(antesDePreparar ? "before prepare" : "before exec");
        if (antesDePreparar) {
            encerra();
        }
        SalesQuery q(db(), QStringLiteral("venda_fechamento"), QStringLiteral("Falhou."));
        q.bind("CDFILIAL", kFilial).bind("CDCAIXA", kCaixa).bind("CDCHAVEFECHA", "CHAVE-901");
        if (!antesDePreparar) {
            encerra();
        }
        EXPECT_NO_THROW(q.exec());
        ASSERT_TRUE(q.next());
        EXPECT_EQ(q.text("NRSEQVENDA"), "901");
    }
}

TEST_F(Settlement, AJoinedTableReceivedFromTheOtherMemberFreesTheGroupToo) {
    const QVariant r = limpa(0, "000100000013", "_000113_", "0013");
    ASSERT_FALSE(isServiceFailure(r)) << serviceFailureMessage(r).toStdString();
    EXPECT_EQ(mesa("0012"), "D");
    EXPECT_EQ(mesa("0013"), "D");
    EXPECT_EQ(count("SELECT COUNT(*) FROM MESAJUNCAO"), 0);
}

TEST_F(Settlement, AnEarlierCouponLeavesTheTableBeingReceivedAndSettlesOnlyItsItems) {
    // Sale 77 sold the Picanha of table 0007.
    insert("ITEMVENDA", {{"CDFILIAL", kFilial},
                         {"CDCAIXA", kCaixa},
                         {"NRSEQVENDA", "77"},
                         {"NRSEQUITVEND", "001"},
                         {"CDPRODUTO", "10001"},
                         {"QTPRODVEND", 1.0},
                         {"VRUNITVEND", 10.0}});
    const QVariant r = limpa(2, "000100000007", "_000101_", "0007");
    ASSERT_FALSE(isServiceFailure(r)) << serviceFailureMessage(r).toStdString();
    EXPECT_EQ(mesa("0007"), "R");
    EXPECT_FALSE(vendaFechada("000100000007"));
    EXPECT_EQ(comanda("000101"), "2");
    EXPECT_EQ(quitados("000101"), QStringList({"77", "-", "-", "-"}));

    // The last coupon settles the rest and frees the table.
    const QVariant last = limpa(0, "000100000007", "_000101_", "0007", "78");
    ASSERT_FALSE(isServiceFailure(last)) << serviceFailureMessage(last).toStdString();
    EXPECT_EQ(quitados("000101"), QStringList({"77", "78", "78", "-"}));
    EXPECT_EQ(mesa("0007"), "D");
    EXPECT_TRUE(vendaFechada("000100000007"));
}

TEST_F(Settlement, BadRequestsAndRefusalsChangeNothing) {
    struct Case {
        const char* what;
        int modo;
        const char* mesa;
        const char* venda;
        const char* message;
    };
    const Case cases[] = {
        {"unknown mode", 1, "0012", "77", "Modo de liberação da mesa inválido: 1."},
        {"no table", 0, "", "77", "Filial, loja ou mesa não informadas"},
        {"mode 2 without sale", 2, "0012", "", "Venda não informada"},
    };
    for (const Case& c : cases) {
        const QVariant r = limpa(c.modo, "000100000012", "_000112_000113_", c.mesa, c.venda);
        ASSERT_TRUE(isServiceFailure(r)) << c.what;
        EXPECT_TRUE(serviceFailureMessage(r).contains(QString::fromUtf8(c.message)))
            << c.what << ": " << serviceFailureMessage(r).toStdString();
    }
    // The database refuses to free the second table: the whole settlement is undone.
    refuse("MESA", "UPDATE OF IDSTMESAAUX", "NEW.NRMESA = '0013'");
    const QVariant r = limpa(0, "000100000012", "_000112_000113_", "0012");
    ASSERT_TRUE(isServiceFailure(r));
    EXPECT_TRUE(serviceFailureMessage(r).startsWith("Não foi possível liberar a mesa."))
        << serviceFailureMessage(r).toStdString();
    EXPECT_EQ(mesa("0012"), "O");
    EXPECT_FALSE(vendaFechada("000100000012"));
    EXPECT_EQ(comanda("000112"), "2");
    EXPECT_EQ(quitados("000112"), QStringList({"-", "-", "-", "-"}));
    EXPECT_EQ(count("SELECT COUNT(*) FROM MESAJUNCAO"), 2);
}

TEST_F(Settlement, ConcludingAgainFindsNothingLeftAndStillFreesTheTable) {
    ASSERT_FALSE(isServiceFailure(limpa(0, "000100000007", "_000101_", "0007")));
    exec("UPDATE MESA SET IDSTMESAAUX = 'R' WHERE NRMESA = '0007'");
    const QVariant r = limpa(0, "000100000007", "_000101_", "0007");
    ASSERT_FALSE(isServiceFailure(r)) << serviceFailureMessage(r).toStdString();
    EXPECT_EQ(mesa("0007"), "D");
}

TEST_F(Settlement, AnEmptiedSaleHasItsTabAndSaleClosed) {
    const QVariant r =
        sales->setLimpaMesaComanda(kFilial, "_000114_", kLoja, "000100000014", "0014", "RES", "N");
    ASSERT_FALSE(isServiceFailure(r)) << serviceFailureMessage(r).toStdString();
    EXPECT_EQ(comanda("000114"), "4");
    EXPECT_TRUE(vendaFechada("000100000014"));
    EXPECT_EQ(mesa("0014"), "O") << "the table's state is the caller's";
    EXPECT_EQ(comanda("000101"), "2");

    const QVariant bad = sales->setLimpaMesaComanda(kFilial, "", kLoja, "", "0014", "RES", "N");
    ASSERT_TRUE(isServiceFailure(bad));
    EXPECT_TRUE(serviceFailureMessage(bad).contains("comanda não informadas"));
}

} // namespace
} // namespace tmk::sales_test
