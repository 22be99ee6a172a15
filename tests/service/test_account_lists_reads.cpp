#include "platform/service_result.h"
#include "service/account_lists.h"
#include "tests/service/test_account_lists_fixture.h"

#include <algorithm>

using namespace tmk;
using namespace tmk::test;

namespace {

class ReceiptReads : public AccountListsFixture {
protected:
    void component(const QString& nrComanda, const QString& nrProdComVen, const QString& cdProduto,
                   const QVariantMap& extra = {}) {
        QVariantMap row = {{"CDFILIAL", kFilial},        {"NRVENDAREST", kVenda},
                           {"NRCOMANDA", nrComanda},     {"NRPRODCOMVEN", nrProdComVen},
                           {"CDPRODUTO", cdProduto},     {"QTPROCOMEST", 1.0},
                           {"VRPRECCOMEST", 2.5},        {"VRDESITCOMEST", 0.0},
                           {"VRACRITCOMEST", 0.0},       {"DSOBSPEDDIGEST", "sem sal"},
                           {"TXPRODCOMVENEST", "texto"}, {"NRSEQITVENDAEST", "1"},
                           {"NRSEQCOMB", "7"},           {"CDGRUPROMOC", "G1"}};
        for (auto it = extra.cbegin(); it != extra.cend(); ++it) {
            row.insert(it.key(), it.value());
        }
        insert("ITCOMANDAEST", row);
    }

    void consumer(const QString& cdConsumidor, const QVariantMap& extra) {
        QVariantMap row = {{"CDCLIENTE", "C1"}, {"CDCONSUMIDOR", cdConsumidor}};
        for (auto it = extra.cbegin(); it != extra.cend(); ++it) {
            row.insert(it.key(), it.value());
        }
        insert("CONSUMIDOR", row);
    }

    static QStringList sorted(QStringList values) {
        values.sort();
        return values;
    }
};

TEST_F(ReceiptReads, ComponentItemsOfTheTabsAndOfTheGroupedTabs) {
    tab("0002");
    tab("0003");
    component("0001", "000001", "C1");
    component("0001", "000002", "C2");
    component("0003", "000009", "C3"); // a tab in no list
    // Item 000005 of tab 0001 came from item 000004 of the grouped tab 0002.
    item("000005", "P1", 1, 5.0, {{"NRCOMANDAORI", "0002"}, {"NRPRODCOMORI", "000004"}});
    component("0002", "000004", "C4");
    component("0002", "000006", "C5"); // its item was not moved

    DataPacket p = packetOf(GetItComandaEst(*dm, kFilial, "_0001_", ""));
    EXPECT_EQ(names(p), QStringList({"CDFILIAL", "CDPRODUTO", "QTPROCOMEST", "NRPRODCOMVEN",
                                     "VRPRECCOMEST", "NRCOMANDA", "VRDESITCOMEST", "DSOBSPEDDIGEST",
                                     "VRACRITCOMEST", "IDIMPPRGRPROMO", "TXPRODCOMVENEST",
                                     "NRSEQITVENDAEST", "NRSEQCOMB", "CDGRUPROMOC"}));
    EXPECT_EQ(column(p, "CDPRODUTO"), QStringList({"C1", "C2"}));
    EXPECT_EQ(p.value(0, "DSOBSPEDDIGEST").toString(), "sem sal");
    EXPECT_DOUBLE_EQ(p.value(0, "VRPRECCOMEST").toDouble(), 2.5);

    p = packetOf(GetItComandaEst(*dm, kFilial, "_0001_", "_0002_"));
    EXPECT_EQ(column(p, "CDPRODUTO"), QStringList({"C1", "C2", "C4"}));
    EXPECT_EQ(column(p, "NRPRODCOMVEN"), QStringList({"000001", "000002", "000005"}));
}

TEST_F(ReceiptReads, ObservationsOfItemsAndOfComponentItems) {
    tab("0002");
    item("000001", "P1", 1, 5.0);
    item("000002", "P1", 1, 5.0, {{"NRCOMANDA", "0002"}});
    for (const char* occ : {"GELO", "LIMAO"}) {
        insert("OBSITCOMANDAVEN", {{"CDFILIAL", kFilial},
                                   {"NRVENDAREST", kVenda},
                                   {"NRCOMANDA", "0001"},
                                   {"NRPRODCOMVEN", "000001"},
                                   {"CDGRPOCOR", "01"},
                                   {"CDOCORR", occ}});
    }
    insert("OBSITCOMANDAVEN", {{"CDFILIAL", kFilial},
                               {"NRVENDAREST", kVenda},
                               {"NRCOMANDA", "0002"},
                               {"NRPRODCOMVEN", "000002"},
                               {"CDGRPOCOR", "01"},
                               {"CDOCORR", "GELO"}});
    const QStringList columns = {"NRSEQ", "CDPRODUTO", "CDGRPOCOR", "CDOCORR", "NRCOMANDA"};

    DataPacket p = packetOf(getObsItens(*dm, kFilial, "_0001_"));
    EXPECT_EQ(names(p), columns);
    EXPECT_EQ(sorted(column(p, "CDOCORR")), QStringList({"GELO", "LIMAO"}));
    EXPECT_EQ(column(p, "NRSEQ"), QStringList({"000001", "000001"}));
    EXPECT_EQ(column(p, "CDPRODUTO"), QStringList({"P1", "P1"}));
    EXPECT_EQ(packetOf(getObsItens(*dm, kFilial, "_0001_0002_")).rowCount(), 3);

    component("0001", "000001", "C1");
    component("0001", "000001", "C2");
    insert("OBSITCOMANDAEST", {{"CDFILIAL", kFilial},
                               {"NRVENDAREST", kVenda},
                               {"NRCOMANDA", "0001"},
                               {"NRPRODCOMVEN", "000001"},
                               {"CDPRODUTO", "C2"},
                               {"CDGRPOCOR", "02"},
                               {"CDOCORR", "PONTO"}});
    p = packetOf(getObsItensEst(*dm, kFilial, "_0001_"));
    EXPECT_EQ(names(p), columns);
    EXPECT_EQ(column(p, "CDPRODUTO"), QStringList({"C2"}));
    EXPECT_EQ(column(p, "CDOCORR"), QStringList({"PONTO"}));
    EXPECT_EQ(column(p, "NRSEQ"), QStringList({"000001"}));
    EXPECT_TRUE(packetOf(getObsItensEst(*dm, kFilial, "_0002_")).isEmpty());
}

TEST_F(ReceiptReads, WithdrawnItemsOfTheSaleInTheTill) {
    const auto withdrawn = [&](const QString& nr, const QString& caixa) {
        insert("ITCOMANDAVENDES", {{"CDFILIAL", kFilial},
                                   {"NRVENDAREST", kVenda},
                                   {"NRSEQITCOMVENDES", nr},
                                   {"CDCAIXA", caixa},
                                   {"CDPRODUTO", "P1"},
                                   {"QTPRODITCOMVENDES", 2.0},
                                   {"VRPRECCOMVEN", 5.0},
                                   {"VRDESCCOMVEN", 0.1},
                                   {"VRACRCOMVEN", 0.2},
                                   {"DSOBSCANITE", "demorou"},
                                   {"CDSUPERVISOR", "SUP"}});
    };
    withdrawn("1", "001");
    withdrawn("2", "002");
    const DataPacket p = packetOf(getItensDesistencia(*dm, kFilial, "001", kVenda));
    EXPECT_EQ(names(p),
              QStringList({"CDFILIAL", "CDCAIXA", "NRVENDAREST", "QTPRODITCOMVENDES",
                           "QTPRODCOMVEN", "CDPRODUTO", "DSOBSCANITE", "CDSUPERVISOR",
                           "NRSEQITCOMVENDES", "VRPRECCOMVEN", "VRDESCCOMVEN", "VRACRCOMVEN"}));
    ASSERT_EQ(p.rowCount(), 1);
    EXPECT_EQ(p.value(0, "NRSEQITCOMVENDES").toString(), "1");
    EXPECT_DOUBLE_EQ(p.value(0, "QTPRODCOMVEN").toDouble(), 2.0);
    EXPECT_DOUBLE_EQ(p.value(0, "QTPRODITCOMVENDES").toDouble(), 2.0);
    EXPECT_EQ(p.value(0, "DSOBSCANITE").toString(), "demorou");
    EXPECT_TRUE(packetOf(getItensDesistencia(*dm, kFilial, "003", kVenda)).isEmpty());
}

TEST_F(ReceiptReads, PromotionsGiftsAndLoyaltyDiscountsOfTheListedTabs) {
    tab("0002", {{"VRDESCFID", 3.5}});
    tab("0003", {{"VRDESCFID", 0.0}});
    sql("UPDATE VENDAREST SET CDCLIENTE = 'C1', CDCONSUMIDOR = 'K1'");
    insert("PROMOCOMANDA", {{"CDFILIAL", kFilial},
                            {"NRVENDAREST", kVenda},
                            {"NRCOMANDA", "0002"},
                            {"NRSEQPROMOCOM", "1"},
                            {"IDPROMOCOM", "PR1"},
                            {"NMPROMOCOM", "Happy hour"},
                            {"VRDESCPROMO", 10.0}});
    insert("PROMOCOMANDA", {{"CDFILIAL", kFilial},
                            {"NRVENDAREST", kVenda},
                            {"NRCOMANDA", "0003"},
                            {"NRSEQPROMOCOM", "1"}});

    DataPacket p = packetOf(getPromoComanda(*dm, kFilial, "_0001_0002_"));
    EXPECT_EQ(names(p),
              QStringList({"CDFILIAL", "NRVENDAREST", "NRCOMANDA", "NRSEQPROMOCOM", "IDPROMOCOM",
                           "NMPROMOCOM", "DSPROMOCOM", "IDTPPROMOCOM", "IDTPDESCPROMO",
                           "VRDESCPROMO", "VRVENDAPROMO", "IDUTPROMOCOM"}));
    EXPECT_EQ(column(p, "NMPROMOCOM"), QStringList({"Happy hour"}));

    p = packetOf(getExtConsFid(*dm, kFilial, "_0001_0002_0003_"));
    EXPECT_EQ(names(p), QStringList({"CDCLIENTE", "CDCONSUMIDOR", "VRDESCFID"}));
    ASSERT_EQ(p.rowCount(), 1); // no discount, a zero discount: absent
    EXPECT_EQ(p.value(0, "CDCONSUMIDOR").toString(), "K1");
    EXPECT_DOUBLE_EQ(p.value(0, "VRDESCFID").toDouble(), 3.5);

    product("P1", "Sobremesa");
    insert("CAMPANHA", {{"CDCAMPANHA", "CP1"}, {"IDCAMPANHA", "C"}});
    item("000001", "P1", 1, 9.0);
    item("000002", "P1", 1, 9.0, {{"IDSTPRCOMVEN", "6"}});
    item("000003", "P1", 1, 9.0);
    for (const char* nr : {"000001", "000002"}) {
        insert("MOVPONTOCONSAUX", {{"CDFILIAL", kFilial},
                                   {"NRVENDAREST", kVenda},
                                   {"NRCOMANDA", "0001"},
                                   {"NRPRODCOMVEN", nr},
                                   {"CDCAMPANHA", "CP1"},
                                   {"VRPONTOBRINDE", 150.0},
                                   {"IDUTILVOUCHER", "N"}});
    }
    p = packetOf(getBrinde(*dm, kFilial, "_0001_"));
    EXPECT_EQ(names(p), QStringList({"CDFILIAL", "CDCLIENTE", "NRPRODCOMVEN", "CDPRODUTO",
                                     "QTPRODCOMVEN", "CDCAMPANHA", "VRPONTOBRINDE", "IDUTILVOUCHER",
                                     "CDARVPROD", "NMPRODUTO"}));
    EXPECT_EQ(column(p, "NRPRODCOMVEN"), QStringList({"000001"})); // the cancelled one is not
    EXPECT_EQ(p.value(0, "CDCLIENTE").toString(), "C1");
    EXPECT_EQ(p.value(0, "NMPRODUTO").toString(), "Sobremesa");
    EXPECT_DOUBLE_EQ(p.value(0, "VRPONTOBRINDE").toDouble(), 150.0);
}

TEST_F(ReceiptReads, CancelledFoodWithoutNatureIsFoundWithEveryColumnNamedOnce) {
    product("P1", "Prato");
    product("P2", "Bebida");
    button("P1", QVariant());
    button("P2", "02");
    item("000001", "P2", 1, 5.0, {{"IDSTPRCOMVEN", "6"}});
    item("000002", "P1", 1, 5.0, {{"IDSTPRCOMVEN", "7"}});
    item("000003", "P1", 1, 5.0);
    EXPECT_TRUE(packetOf(getVerifAlimentosCanc(*dm, kFilial, "_0001_", "01")).isEmpty());

    item("000004", "P1", 1, 5.0, {{"IDSTPRCOMVEN", "6"}});
    const DataPacket p = packetOf(getVerifAlimentosCanc(*dm, kFilial, "_0001_", "01"));
    ASSERT_EQ(p.rowCount(), 1);
    const QStringList columns = names(p);
    EXPECT_EQ(columns.first(), "CDFILIAL");
    EXPECT_EQ(columns.count("CDFILIAL"), 1);
    EXPECT_TRUE(columns.contains("CDFILIAL_1"));
    EXPECT_TRUE(columns.contains("NRPRODCOMVEN"));
    EXPECT_TRUE(columns.contains("CDNATPRODUTO"));
    EXPECT_EQ(QSet<QString>(columns.cbegin(), columns.cend()).size(), columns.size());
    EXPECT_EQ(p.value(0, "NRPRODCOMVEN").toString(), "000004");
    // Only the store of the screen configuration counts.
    EXPECT_TRUE(packetOf(getVerifAlimentosCanc(*dm, kFilial, "_0001_", "02")).isEmpty());
}

TEST_F(ReceiptReads, AFiscalSaleIsFoundOnlyInItsTill) {
    insert("VENDA", {{"CDFILIAL", kFilial}, {"CDCAIXA", "001"}, {"NRSEQVENDA", "0000123"}});
    EXPECT_EQ(getVerificaVenda(*dm, kFilial, "001", "0000123"), QVariant(QString("S")));
    EXPECT_EQ(getVerificaVenda(*dm, kFilial, "002", "0000123"), QVariant(QString("N")));
    EXPECT_EQ(getVerificaVenda(*dm, kFilial, "001", "0000124"), QVariant(QString("N")));
}

TEST_F(ReceiptReads, SingleFieldsOfTheTabAndTheConsumer) {
    sql("UPDATE COMANDAVEN SET IDORGCMDVENDA = 'APP'");
    consumer("K1", {{"NRCPFRESPCON", "12345678909"},
                    {"IDIMPCPFCUPOM", "S"},
                    {"CDCCUSCLIE", "CC10"},
                    {"IDSITCONSUMI", "1"},
                    {"DSEMAILCONS", "k1@exemplo.com.br"}});
    consumer("K2", {{"CDCCUSCLIE", "CC20"}, {"IDSITCONSUMI", "2"}});

    EXPECT_EQ(GetOrigemVenda(*dm, kFilial, kVenda, "0001"), QVariant(QString("APP")));
    EXPECT_EQ(GetOrigemVenda(*dm, kFilial, kVenda, "0002"), QVariant(QString("")));
    EXPECT_EQ(GetCpfCons(*dm, "C1", "K1"), QVariant(QString("12345678909")));
    EXPECT_EQ(GetImpCpfCupom(*dm, "C1", "K1"), QVariant(QString("S")));
    EXPECT_EQ(GetImpCpfCupom(*dm, "C1", "K2"), QVariant(QString(""))); // a null column
    EXPECT_EQ(getCentroCusto(*dm, "C1", "K1"), "CC10");
    EXPECT_EQ(getCentroCusto(*dm, "C1", "K2"), ""); // inactive consumer
    EXPECT_EQ(getEmailCons(*dm, "C1", "K1"), QVariant(QString("k1@exemplo.com.br")));
    EXPECT_EQ(getEmailCons(*dm, "C1", "K9"), QVariant(QString("")));
}

TEST_F(ReceiptReads, FailuresFollowEachOperationsConvention) {
    consumer("K1", {{"DSEMAILCONS", "k1@exemplo.com.br"}, {"IDSITCONSUMI", "1"}});
    ddl("DROP TABLE CONSUMIDOR");
    const QVariant cpf = GetCpfCons(*dm, "C1", "K1");
    ASSERT_TRUE(isServiceFailure(cpf));
    EXPECT_TRUE(serviceFailureMessage(cpf).contains("adqCpfCons"))
        << serviceFailureMessage(cpf).toStdString();
    EXPECT_TRUE(isServiceFailure(GetImpCpfCupom(*dm, "C1", "K1")));
    // The e-mail answers an empty text; the cost centre lets the failure pass.
    EXPECT_EQ(getEmailCons(*dm, "C1", "K1"), QVariant(QString("")));
    EXPECT_ANY_THROW(getCentroCusto(*dm, "C1", "K1"));

    ddl("DROP TABLE PROMOCOMANDA");
    EXPECT_TRUE(isServiceFailure(getPromoComanda(*dm, kFilial, "_0001_")));
    ddl("DROP TABLE VENDA");
    EXPECT_TRUE(isServiceFailure(getVerificaVenda(*dm, kFilial, "001", "1")));
    EXPECT_FALSE(dm->inTransaction());
}

} // namespace
