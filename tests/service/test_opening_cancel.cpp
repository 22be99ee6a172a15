#include "platform/service_result.h"
#include "service/opening_cancel.h"
#include "tests/service/service_fixture.h"

using namespace tmk;
using namespace tmk::test;

namespace {

const QString kFilial = QStringLiteral("0001");
const QString kLoja = QStringLiteral("01");
const QString kMesa = QStringLiteral("0010");
const QString kConsumo = QStringLiteral("CONS");
const QString kConsumoFem = QStringLiteral("CONSF");
const QString kCouvert = QStringLiteral("COUV");

class OpeningCancel : public ServiceFixture {
protected:
    void SetUp() override {
        ServiceFixture::SetUp();
        if (IsSkipped() || HasFatalFailure()) {
            return;
        }
        mesa(kMesa);
    }
    void mesa(const QString& nrMesa) {
        insert("MESA", {{"CDFILIAL", kFilial},
                        {"CDLOJA", kLoja},
                        {"NRMESA", nrMesa},
                        {"IDSTMESA", "A"},
                        {"IDSTMESAAUX", "O"}});
    }
    void venda(const QString& nrVendaRest, const QVariant& fechada = QVariant()) {
        insert("VENDAREST", {{"CDFILIAL", kFilial},
                             {"NRVENDAREST", nrVendaRest},
                             {"CDLOJA", kLoja},
                             {"NRMESA", kMesa},
                             {"DTHRABERMESA", QDateTime(QDate(2024, 5, 15), QTime(12, 0))},
                             {"DTHRFECHMESA", fechada}});
    }
    void comanda(const QString& nrVendaRest, const QString& nrComanda, const QString& ds,
                 const QString& status = QStringLiteral("1")) {
        insert("COMANDAVEN", {{"CDFILIAL", kFilial},
                              {"NRVENDAREST", nrVendaRest},
                              {"NRCOMANDA", nrComanda},
                              {"CDLOJA", kLoja},
                              {"DSCOMANDA", ds},
                              {"IDSTCOMANDA", status}});
    }
    void item(const QString& nrVendaRest, const QString& nrComanda, const QString& nr,
              const QString& produto) {
        insert("ITCOMANDAVEN", {{"CDFILIAL", kFilial},
                                {"NRVENDAREST", nrVendaRest},
                                {"NRCOMANDA", nrComanda},
                                {"NRPRODCOMVEN", nr},
                                {"CDPRODUTO", produto},
                                {"QTPRODCOMVEN", 1.0},
                                {"VRPRECCOMVEN", 10.0}});
    }
    QVariant cancela(const QString& consumo = kConsumo, const QString& consumoFem = kConsumoFem,
                     const QString& couvert = kCouvert) {
        return getCancelaAbertura(*dm, kFilial, kLoja, "001", kMesa, "OPER", consumo, consumoFem,
                                  couvert);
    }
    QString statusMesa(const QString& nrMesa = kMesa) {
        return value("SELECT IDSTMESAAUX FROM MESA WHERE NRMESA = :M", {{"M", nrMesa}}).toString();
    }
};

TEST_F(OpeningCancel, ATableOfAGroupingIsRefusedEvenWithoutASale) {
    mesa("0011");
    insert("JUNCAOMESA", {{"CDFILIAL", kFilial}, {"CDLOJA", kLoja}, {"NRJUNMESA", "J1"}});
    insert("MESAJUNCAO",
           {{"CDFILIAL", kFilial}, {"CDLOJA", kLoja}, {"NRJUNMESA", "J1"}, {"NRMESA", kMesa}});
    insert("MESAJUNCAO",
           {{"CDFILIAL", kFilial}, {"CDLOJA", kLoja}, {"NRJUNMESA", "J1"}, {"NRMESA", "0011"}});
    EXPECT_EQ(cancela(), QVariant(QString("MES_JUN")));
    EXPECT_EQ(statusMesa(), "O");
}

TEST_F(OpeningCancel, AnOpeningWithOnlyConsumptionAndCoverIsEmptied) {
    venda("V1");
    comanda("V1", "0001", "RES_0010");
    item("V1", "0001", "001", kConsumo);
    item("V1", "0001", "002", kConsumoFem);
    item("V1", "0001", "003", kCouvert);
    // Another table's sale is untouched.
    insert("VENDAREST", {{"CDFILIAL", kFilial}, {"NRVENDAREST", "V9"}, {"NRMESA", "0020"}});

    const QVariant r = cancela();
    EXPECT_EQ(r, QVariant(QString(""))) << serviceFailureMessage(r).toStdString();
    EXPECT_EQ(count("ITCOMANDAVEN"), 0);
    EXPECT_EQ(count("COMANDAVEN"), 0);
    EXPECT_EQ(count("VENDAREST", "NRVENDAREST = 'V1'"), 0);
    EXPECT_EQ(count("VENDAREST", "NRVENDAREST = 'V9'"), 1);
    EXPECT_EQ(statusMesa(), "D");
    EXPECT_FALSE(dm->inTransaction());
}

TEST_F(OpeningCancel, APadWithARealItemStopsTheWalkAfterTheEarlierPadsAreCommitted) {
    venda("V1");
    comanda("V1", "0001", "RES_0010");
    comanda("V1", "0002", "PKR_0010");
    item("V1", "0001", "001", kCouvert);
    item("V1", "0002", "002", kConsumo);
    item("V1", "0002", "003", "CERVEJA");

    EXPECT_EQ(cancela(), QVariant(QString("CMD_ITC")));
    EXPECT_EQ(count("COMANDAVEN", "NRCOMANDA = '0001'"), 0);
    EXPECT_EQ(count("ITCOMANDAVEN", "NRCOMANDA = '0001'"), 0);
    // The first pad's transaction deleted the sale and freed the table.
    EXPECT_EQ(count("VENDAREST"), 0);
    EXPECT_EQ(statusMesa(), "D");
    EXPECT_EQ(count("COMANDAVEN", "NRCOMANDA = '0002'"), 1);
    EXPECT_EQ(count("ITCOMANDAVEN", "NRCOMANDA = '0002'"), 2);
    EXPECT_FALSE(dm->inTransaction());
}

TEST_F(OpeningCancel, PadsOfOtherKindsOrClosedAreNotConsideredAndOnlyTheOpenSaleGoes) {
    venda("V1");
    comanda("V1", "0001", "DLV_0010");
    comanda("V1", "0002", "RES_0010", "4");
    item("V1", "0001", "001", "CERVEJA");
    item("V1", "0002", "002", "CERVEJA");
    venda("V0", QDateTime(QDate(2024, 5, 14), QTime(23, 0))); // a closed sale of the table

    EXPECT_EQ(cancela(), QVariant(QString("")));
    EXPECT_EQ(count("VENDAREST", "NRVENDAREST = 'V1'"), 0);
    EXPECT_EQ(count("VENDAREST", "NRVENDAREST = 'V0'"), 1);
    EXPECT_EQ(count("COMANDAVEN"), 2);
    EXPECT_EQ(count("ITCOMANDAVEN"), 2);
    EXPECT_EQ(statusMesa(), "D");
}

TEST_F(OpeningCancel, ATableWithoutSaleIsSetFree) {
    EXPECT_EQ(cancela(), QVariant(QString("")));
    EXPECT_EQ(statusMesa(), "D");
}

TEST_F(OpeningCancel, AnEmptyProductCodeExcludesNothing) {
    venda("V1");
    comanda("V1", "0001", "RES_0010");
    item("V1", "0001", "001", "");
    // Without a cover product the item with an empty code is a real item.
    EXPECT_EQ(cancela(kConsumo, kConsumoFem, ""), QVariant(QString("CMD_ITC")));
    EXPECT_EQ(count("ITCOMANDAVEN"), 1);
    EXPECT_EQ(count("VENDAREST"), 1);
    EXPECT_EQ(statusMesa(), "O");
}

TEST_F(OpeningCancel, AFailureInTheSecondPadKeepsTheFirstAndReturnsTheFailure) {
    venda("V1");
    venda("V2");
    comanda("V1", "0001", "RES_0010");
    comanda("V2", "0002", "RES_0010");
    item("V1", "0001", "001", kCouvert);
    item("V2", "0002", "002", kCouvert);
    db->refuse("COMANDAVEN", "DELETE", "OLD.NRCOMANDA = '0002'");

    const QVariant r = cancela();
    ASSERT_TRUE(isServiceFailure(r));
    EXPECT_FALSE(serviceFailureMessage(r).isEmpty());
    EXPECT_TRUE(serviceFailureMessage(r).contains("acmDeletaComandaVen"))
        << serviceFailureMessage(r).toStdString();
    EXPECT_FALSE(dm->inTransaction());
    // The first pad stays deleted, the second pad is whole again.
    EXPECT_EQ(count("COMANDAVEN", "NRCOMANDA = '0001'"), 0);
    EXPECT_EQ(count("VENDAREST", "NRVENDAREST = 'V1'"), 0);
    EXPECT_EQ(count("COMANDAVEN", "NRCOMANDA = '0002'"), 1);
    EXPECT_EQ(count("ITCOMANDAVEN", "NRCOMANDA = '0002'"), 1);
    EXPECT_EQ(count("VENDAREST", "NRVENDAREST = 'V2'"), 1);
    EXPECT_EQ(statusMesa(), "D");
}

} // namespace
