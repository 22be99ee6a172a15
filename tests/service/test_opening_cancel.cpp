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

// Every pad is checked first: a real item on a later pad keeps the earlier pads too.
TEST_F(OpeningCancel, APadWithARealItemKeepsEveryPadAndTheTable) {
    venda("V1");
    comanda("V1", "0001", "RES_0010");
    comanda("V1", "0002", "PKR_0010");
    item("V1", "0001", "001", kCouvert);
    item("V1", "0002", "002", kConsumo);
    item("V1", "0002", "003", "CERVEJA");

    EXPECT_EQ(cancela(), QVariant(QString("CMD_ITC")));
    EXPECT_EQ(count("COMANDAVEN"), 2);
    EXPECT_EQ(count("ITCOMANDAVEN"), 3);
    EXPECT_EQ(count("VENDAREST"), 1);
    EXPECT_EQ(statusMesa(), "O");
    EXPECT_FALSE(dm->inTransaction());
}

// Pads of other kinds or closed are not cancelled; a sale where they hold items is kept
// whole, and then nothing at all is deleted.
TEST_F(OpeningCancel, ASaleWhoseOtherPadsHoldItemsIsNeverDeleted) {
    struct Case {
        const char* name;
        const char* ds;
        const char* status;
    };
    const Case cases[] = {
        {"delivery pad", "DLV_0010", "1"},
        {"closed pad", "RES_0010", "4"},
        {"pad of another kind", "ENC_0010", "1"},
    };
    for (const Case& c : cases) {
        sql("DELETE FROM ITCOMANDAVEN");
        sql("DELETE FROM COMANDAVEN");
        sql("DELETE FROM VENDAREST");
        sql("UPDATE MESA SET IDSTMESAAUX = 'O'");
        venda("V1");
        comanda("V1", "0001", "RES_0010");
        item("V1", "0001", "001", kCouvert);
        comanda("V1", "0002", c.ds, c.status);
        item("V1", "0002", "002", kConsumo);

        EXPECT_EQ(cancela(), QVariant(QString("CMD_ITC"))) << c.name;
        EXPECT_EQ(count("VENDAREST"), 1) << c.name;
        EXPECT_EQ(count("COMANDAVEN"), 2) << c.name;
        EXPECT_EQ(count("ITCOMANDAVEN"), 2) << c.name;
        EXPECT_EQ(statusMesa(), "O") << c.name;
    }
}

TEST_F(OpeningCancel, EmptyPadsOfOtherKindsDoNotKeepTheSale) {
    venda("V1");
    comanda("V1", "0001", "DLV_0010");
    comanda("V1", "0002", "RES_0010", "4");
    venda("V0", QDateTime(QDate(2024, 5, 14), QTime(23, 0))); // a closed sale of the table

    EXPECT_EQ(cancela(), QVariant(QString("")));
    EXPECT_EQ(count("VENDAREST", "NRVENDAREST = 'V1'"), 0);
    EXPECT_EQ(count("VENDAREST", "NRVENDAREST = 'V0'"), 1);
    // Pads that are not the table's own open pads are left to the sale clean-up.
    EXPECT_EQ(count("COMANDAVEN"), 2);
    EXPECT_EQ(statusMesa(), "D");
}

// A closed sale whose pad was never marked closed is history: the cancellation of the
// opening leaves it whole.
TEST_F(OpeningCancel, AClosedSaleOfTheTableIsNeverCancelled) {
    venda("V0", QDateTime(QDate(2024, 5, 14), QTime(23, 0)));
    comanda("V0", "0001", "RES_0010");
    item("V0", "0001", "001", kConsumo);
    venda("V1");
    comanda("V1", "0002", "RES_0010");
    item("V1", "0002", "002", kCouvert);

    EXPECT_EQ(cancela(), QVariant(QString("")));
    EXPECT_EQ(count("VENDAREST", "NRVENDAREST = 'V1'"), 0);
    EXPECT_EQ(count("VENDAREST", "NRVENDAREST = 'V0'"), 1);
    EXPECT_EQ(count("COMANDAVEN", "NRVENDAREST = 'V0'"), 1);
    EXPECT_EQ(count("ITCOMANDAVEN", "NRVENDAREST = 'V0'"), 1);
    EXPECT_EQ(statusMesa(), "D");
}

TEST_F(OpeningCancel, PadsOfTwoSalesGoTogetherInOneTransaction) {
    venda("V1");
    venda("V2");
    comanda("V1", "0001", "RES_0010");
    comanda("V2", "0002", "PKR_0010");
    item("V1", "0001", "001", kConsumo);
    item("V2", "0002", "002", kConsumoFem);
    item("V2", "0002", "003", kCouvert);

    EXPECT_EQ(cancela(), QVariant(QString("")));
    EXPECT_EQ(count("VENDAREST"), 0);
    EXPECT_EQ(count("COMANDAVEN"), 0);
    EXPECT_EQ(count("ITCOMANDAVEN"), 0);
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

TEST_F(OpeningCancel, AFailureInTheSecondPadUndoesEverything) {
    venda("V1");
    venda("V2");
    comanda("V1", "0001", "RES_0010");
    comanda("V2", "0002", "RES_0010");
    item("V1", "0001", "001", kCouvert);
    item("V2", "0002", "002", kCouvert);
    db->refuse("COMANDAVEN", "DELETE", "OLD.NRCOMANDA = '0002'");

    const QVariant r = cancela();
    ASSERT_TRUE(isServiceFailure(r));
    EXPECT_TRUE(serviceFailureMessage(r).contains("acmDeletaComandaVen"))
        << serviceFailureMessage(r).toStdString();
    EXPECT_FALSE(dm->inTransaction());
    // Both pads, their items and sales are whole again; the table is still occupied.
    EXPECT_EQ(count("COMANDAVEN"), 2);
    EXPECT_EQ(count("ITCOMANDAVEN"), 2);
    EXPECT_EQ(count("VENDAREST"), 2);
    EXPECT_EQ(statusMesa(), "O");
}

TEST_F(OpeningCancel, AFailureSettingTheTableFreeUndoesTheDeletes) {
    venda("V1");
    comanda("V1", "0001", "RES_0010");
    item("V1", "0001", "001", kCouvert);
    db->refuse("MESA", "UPDATE OF IDSTMESAAUX", "1 = 1");

    ASSERT_TRUE(isServiceFailure(cancela()));
    EXPECT_EQ(count("COMANDAVEN"), 1);
    EXPECT_EQ(count("ITCOMANDAVEN"), 1);
    EXPECT_EQ(count("VENDAREST"), 1);
    EXPECT_EQ(statusMesa(), "O");
}

} // namespace
