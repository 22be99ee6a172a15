#include "platform/service_result.h"
#include "service/account_lists.h"
#include "tests/service/test_account_lists_fixture.h"

#include <QSqlQuery>
#include <algorithm>

using namespace tmk;
using namespace tmk::test;

namespace {

// The columns of the live item list, in the order the receipt flow and the shared
// sales service read them.
const QStringList kListaComanda = {
    "NRPRODCOMVEN",   "CDFILIAL",       "NRVENDAREST",     "NRCOMANDA",        "CDPRODUTO",
    "IDPRODIMPFIS",   "QTPRODCOMVEN",   "VRPRECCOMVEN",    "IDSTPRCOMVEN",     "VRDESCCOMVEN",
    "NRLUGARMESA",    "CDGRPOCOR",      "CDOCORR",         "NRMESAORIG",       "CDLOJAORIG",
    "CDARVPROD",      "NMPRODUTO",      "SGUNIDADE",       "CDVENDEDOR",       "DTHRABERMESA",
    "DTHRFECHMESA",   "VRDESCOMANDA",   "NRCUPOMFIS",      "CDOPERADOR",       "CDLOJA",
    "IDTPIMPOSFIS",   "VRPEALIMPFIS",   "CDIMPOSTO",       "NMOPERADOR",       "IDTPFORPGVEN",
    "CDEMPRESA",      "VRTXSERVICO",    "VRACRCOMANDA",    "VRCONSUMAMIN",     "CDLOJAIT",
    "IDCONFIGPROD",   "DTABERCAIX",     "CDSERVFILI",      "NRMESA",           "NRSEQ",
    "STCDALIQ",       "CDCLIENTE",      "CDFAMILISALD",    "NMCONSVEND",       "NRINSCRCONS",
    "CDPRODPROMOCAO", "VRUNITVENDCL",   "ACRESITEM",       "NRCONTCUPOMFISC",  "CDORDALIQIMPR",
    "VRALIQIMPR",     "DSENDEVENDA",    "NRMESADSCOMORIT", "NRORDEMVND",       "NRSERIEVND",
    "NRSUBSERIEVND",  "NRCERVENDAREST", "NRCOOVENDAREST",  "DTINCLUSAO",       "NRSEQPRODCUP",
    "NRPESMESAVEN",   "CDVENDEDORITEM", "VRREPIQUEVENDA",  "CDPREFINTGCOLVEN", "CDPRODIMPFIS",
    "VRACRCOMVEN",    "CDCLASFISC",     "CDCONSUMIDOR",    "CDNATPRODUTO",     "NMCONSUMIDOR",
    "CDEXCONSUMID",   "DTCHECKINPH",    "DTCHECKOUTPH",    "CDRESERVAPH",      "IDORIGPEDCMD",
    "DTHRINCOMVEN",   "CDCAIXACOLETOR", "DSOBSPEDDIGITA",  "QTPRODREFIL",      "TXPRODCOMVEN",
    "CDGRPOCORDESC",  "DSOBSDESC",      "CDGRPOCORDESCIT", "DSOBSDESCIT",      "CDSUPERVDESC",
    "CDSUPERVISOR",   "NRSEQPRODCOMIT", "DTHRMESAFECH",    "IDCOBTXSERV",      "DSOBSFINVEN",
    "IDORIGEMVENDA",  "CDCUPOMDESCKOV", "CDCAMPCOMPGANHE", "DTINIVGCAMPCG",    "CDSUPALTTXSERV",
    "CDSUPRETTXSERV", "DSURLFOTOCMD",   "IDCHECKEDCMD",    "NRIDESTRANGEIRA",  "NRCPFFID4ALL",
    "CDPROMOFID4ALL", "VRDESCCASH4ALL", "VRDESCPROMO4ALL", "IDCOMANDAEXT",     "IDENTRPLAT",
    "IDPAGAMENTOCX",  "NRREQEXTCMD",    "DSEMAILENVCUPOM", "IDSITENVCUPOM",    "IDIMPPRGRPROMO",
    "IDOBSERVACAOAD", "NRCPFFIDUDS",    "VRDESCCASHUDS",   "IDPRODTAXASERV",   "NRCPFINTEPROMO",
    "IDPEDINTEPROMO", "NRTELCRM",       "VRDESCCRM",       "CDURLQRCODECONS",  "IDRESERVEGCOM",
    "NRTELGCOM",      "VRDESCGCOM",     "IDCONSUMERGCOM",  "IDREQVALPRE",      "NRCARVALPRE",
    "IDREQCOREBANC",  "IDCARTCOREBANC", "NRCPFCOREBANC",   "VRRESGCOREBANC",   "IDCUPOMOLGA",
    "IDBENEFOLGA",    "NRTELOLGA",      "VRTOTOLGA",       "NRCPFFIXECRM",     "VRRESGFIXECRM",
    "NRIDBONUSCRM",   "NRNFCECRMBONUS", "CDGRUPROMOC",     "IDCARTCORECORP",   "IDCARTCOREQUAL",
    "VRRESGCORECORP", "VRRESGCOREQUAL", "CDGRPOCOROLGA",   "DSOBSOLGA"};

// The columns of the cancelled item list.
const QStringList kListaComandaCanc = {
    "NRPRODCOMVEN",    "CDFILIAL",        "NRVENDAREST",    "NRCOMANDA",       "CDPRODUTO",
    "IDPRODIMPFIS",    "QTPRODCOMVEN",    "VRPRECCOMVEN",   "IDSTPRCOMVEN",    "VRDESCCOMVEN",
    "NRLUGARMESA",     "CDGRPOCORCANITE", "CDOCORR",        "NRMESAORIG",      "CDLOJAORIG",
    "CDARVPROD",       "NMPRODUTO",       "SGUNIDADE",      "CDVENDEDOR",      "DTHRABERMESA",
    "DTHRFECHMESA",    "VRDESCOMANDA",    "NRCUPOMFIS",     "CDOPERADOR",      "CDLOJA",
    "IDTPIMPOSFIS",    "VRPEALIMPFIS",    "CDIMPOSTO",      "NMOPERADOR",      "IDTPFORPGVEN",
    "CDEMPRESA",       "VRTXSERVICO",     "VRACRCOMANDA",   "VRCONSUMAMIN",    "CDLOJAIT",
    "IDCONFIGPROD",    "DTABERCAIX",      "CDSERVFILI",     "NRMESA",          "NRSEQ",
    "STCDALIQ",        "CDCLIENTE",       "NRSEQPRODCUP",   "CDFAMILISALD",    "NMCONSVEND",
    "NRINSCRCONS",     "CDPRODPROMOCAO",  "VRUNITVENCLC",   "ACRESITEM",       "NRCONTCUPOMFISC",
    "CDORDALIQIMPRIC", "VRALIQIMPRIC",    "DSENDEVENDA",    "NRMESADSCOMORIT", "NRORDEMVND",
    "NRSERIEVND",      "NRSUBSERIEVND",   "NRCERVENDAREST", "NRCOOVENDAREST",  "NRITEMCUPOM",
    "CDSUPERVISOR",    "CDPRODIMPFIS",    "VRACRCOMVEN",    "DSOBSCANITE",     "CDNATPRODUTO",
    "IDPRODPRODUZ",    "DTHRPRODCANVEN",  "CDOPERCANC"};

class ItemLists : public AccountListsFixture {
protected:
    void SetUp() override {
        AccountListsFixture::SetUp();
        if (IsSkipped() || HasFatalFailure()) {
            return;
        }
        product("P1", "Refrigerante", "REFRIG LATA");
        product("P2", "Prato executivo");
        product("P3", "Combo familia");
        product("P4", "Suco");
    }

    void observation(const QString& nrProdComVen, const QString& nrComanda = "0001") {
        insert("OBSITCOMANDAVEN", {{"CDFILIAL", kFilial},
                                   {"NRVENDAREST", kVenda},
                                   {"NRCOMANDA", nrComanda},
                                   {"NRPRODCOMVEN", nrProdComVen},
                                   {"CDGRPOCOR", "01"},
                                   {"CDOCORR", "SEMGELO"}});
    }

    void timeRecord(const QString& nrSeqItem, const QString& nrSeqHr = "001") {
        insert("ITHRCOMANDA", {{"CDFILIAL", kFilial},
                               {"NRVENDAREST", kVenda},
                               {"NRSEQUITEM", nrSeqItem},
                               {"NRSEQHRCOMANDA", nrSeqHr},
                               {"NRCOMANDA", "0001"},
                               {"IDTPHRCOMANDA", "P"},
                               {"DTHRCOMANDA", kAbertura}});
    }

    static double number(const DataPacket& p, int row, const QString& name) {
        return p.value(row, name).toDouble();
    }
};

TEST_F(ItemLists, PacketsCarryEveryColumnInOrder) {
    item("000001", "P1", 1, 5.0);
    item("000002", "P1", 1, 5.0);
    EXPECT_EQ(names(lista()), kListaComanda);
    // The benefit-aware statement gives the same columns.
    observation("000001");
    EXPECT_EQ(names(lista()), kListaComanda);
    item("000003", "P2", 1, 30.0, {{"IDSTPRCOMVEN", "6"}});
    EXPECT_EQ(names(canceladas()), kListaComandaCanc);
}

TEST_F(ItemLists, EqualItemsOfATabArriveAsOneLineWithTheLowerNumber) {
    tab("0001x", {}); // a tab outside the list
    item("000002", "P1", 1, 5.0,
         {{"VRDESCCOMVEN", 0.5}, {"VRACRCOMVEN", 0.25}, {"QTITEMREFIL", 1.0}});
    item("000001", "P1", 1, 5.0,
         {{"VRDESCCOMVEN", 0.5}, {"VRACRCOMVEN", 0.25}, {"QTITEMREFIL", 2.0}});
    item("000003", "P1", 1, 6.0);                          // another price
    item("000004", "P1", 1, 5.0, {{"NRLUGARMESA", "02"}}); // another position
    item("000005", "P1", 1, 5.0, {{"NRCOMANDA", "0001x"}});

    const DataPacket p = lista();
    ASSERT_EQ(p.rowCount(), 3);
    EXPECT_EQ(column(p, "NRPRODCOMVEN"), QStringList({"000001", "000003", "000004"}));
    EXPECT_DOUBLE_EQ(number(p, 0, "QTPRODCOMVEN"), 2.0);
    EXPECT_DOUBLE_EQ(number(p, 0, "VRDESCCOMVEN"), 1.0);
    EXPECT_DOUBLE_EQ(number(p, 0, "VRACRCOMVEN"), 0.5);
    EXPECT_DOUBLE_EQ(number(p, 0, "QTPRODREFIL"), 3.0);
    EXPECT_DOUBLE_EQ(number(p, 1, "QTPRODCOMVEN"), 1.0);
    EXPECT_DOUBLE_EQ(number(p, 2, "QTPRODCOMVEN"), 1.0);
    // The surcharge of the account sums every live first serving of the listed tabs.
    EXPECT_DOUBLE_EQ(number(p, 0, "VRACRCOMANDA"), 0.5);
    EXPECT_DOUBLE_EQ(number(p, 2, "VRACRCOMANDA"), 0.5);
}

TEST_F(ItemLists, ColumnsCarryTheirSourcesAndConstants) {
    insert("CONSUMIDOR", {{"CDCLIENTE", "C1"},
                          {"CDCONSUMIDOR", "K1"},
                          {"NMCONSUMIDOR", "Beatriz"},
                          {"CDEXCONSUMID", "EX1"}});
    sql("UPDATE VENDAREST SET CDCLIENTE = 'C1', CDCONSUMIDOR = 'K1', VRCONSUMAMIN = 20 "
        "WHERE NRVENDAREST = :V",
        {{"V", kVenda}});
    insert("FAMSALDOPROD", {{"CDFILIAL", kFilial}, {"CDPRODUTO", "P1"}, {"CDFAMILISALD", "FAM1"}});
    item("000001", "P1", 2, 5.0,
         {{"VRPRECCLCOMVEN", 0.75},
          {"NRSEQPRODCOM", "S1"},
          {"DSOBSPEDDIGCMD", "bem gelado"},
          {"TXPRODCOMVEN", "texto"},
          {"CDCAIXACOLETOR", "C9"}});
    item("000002", "P2", 1, 30.0);

    const QDateTime before = QDateTime::currentDateTime();
    const DataPacket p = lista();
    ASSERT_EQ(p.rowCount(), 2);
    EXPECT_EQ(p.value(0, "NMPRODUTO").toString(), "REFRIG LATA"); // the fiscal name
    EXPECT_EQ(p.value(1, "NMPRODUTO").toString(), "Prato executivo");
    EXPECT_EQ(p.value(0, "NRCUPOMFIS").toString(), "0000000000");
    EXPECT_EQ(p.value(0, "NRCONTCUPOMFISC").toString(), "000000");
    EXPECT_EQ(p.value(0, "IDTPFORPGVEN").toString(), "V");
    EXPECT_EQ(p.value(0, "IDCONFIGPROD").toString(), " ");
    EXPECT_EQ(p.value(0, "ACRESITEM").toString(), "0");
    EXPECT_EQ(p.value(0, "IDPRODTAXASERV").toString(), "N");
    EXPECT_DOUBLE_EQ(number(p, 0, "VRALIQIMPR"), 0.0);
    EXPECT_DOUBLE_EQ(number(p, 0, "VRREPIQUEVENDA"), 0.0);
    EXPECT_EQ(p.value(0, "DTABERCAIX").toDateTime(),
              QDateTime(QDate(2005, 10, 24), QTime(10, 11, 21)));
    EXPECT_EQ(p.value(0, "CDEMPRESA").toString(), "0007");
    EXPECT_EQ(p.value(0, "NMOPERADOR").toString(), "Ana Caixa");
    EXPECT_EQ(p.value(0, "IDTPIMPOSFIS").toString(), "T");
    EXPECT_EQ(p.value(0, "CDIMPOSTO").toString(), "T18");
    EXPECT_DOUBLE_EQ(number(p, 0, "VRPEALIMPFIS"), 18.0);
    EXPECT_DOUBLE_EQ(number(p, 0, "VRTXSERVICO"), 4.5);
    EXPECT_DOUBLE_EQ(number(p, 0, "VRCONSUMAMIN"), 20.0);
    EXPECT_EQ(p.value(0, "CDLOJAIT").toString(), "01");
    EXPECT_EQ(p.value(0, "CDVENDEDOR").toString(), "V1");
    EXPECT_EQ(p.value(0, "CDVENDEDORITEM").toString(), "V2");
    EXPECT_EQ(p.value(0, "DTINCLUSAO").toDateTime(), kAbertura);
    EXPECT_EQ(p.value(0, "DTHRABERMESA").toDateTime(), kAbertura);
    EXPECT_DOUBLE_EQ(number(p, 0, "VRUNITVENDCL"), 0.75);
    EXPECT_EQ(p.value(0, "CDPRODIMPFIS").toString(), "789P1");
    EXPECT_EQ(p.value(0, "CDARVPROD").toString(), "ARVP1");
    EXPECT_EQ(p.value(0, "CDFAMILISALD").toString(), "FAM1");
    EXPECT_TRUE(p.value(1, "CDFAMILISALD").isNull());
    EXPECT_EQ(p.value(0, "NMCONSUMIDOR").toString(), "Beatriz");
    EXPECT_EQ(p.value(0, "CDEXCONSUMID").toString(), "EX1");
    EXPECT_EQ(p.value(0, "CDCLIENTE").toString(), "C1");
    EXPECT_EQ(p.value(0, "NRSEQPRODCOMIT").toString(), "S1");
    EXPECT_EQ(p.value(0, "DSOBSPEDDIGITA").toString(), "bem gelado");
    EXPECT_EQ(p.value(0, "TXPRODCOMVEN").toString(), "texto");
    EXPECT_EQ(p.value(0, "CDCAIXACOLETOR").toString(), "C9");
    EXPECT_EQ(p.value(0, "NMCONSVEND").toString(), "Mesa dez");
    EXPECT_EQ(p.value(0, "NRMESA").toString(), "0010");
    EXPECT_TRUE(p.value(0, "NRINSCRCONS").toString().isEmpty());
    // The grouped list is stamped with the server's current time.
    const QDateTime stamp = p.value(0, "DTHRINCOMVEN").toDateTime();
    EXPECT_LE(qAbs(before.secsTo(stamp)), 120) << stamp.toString().toStdString();
}

TEST_F(ItemLists, AQuantityWithOneDecimalGroupsAndOneWithTwoDoesNot) {
    item("000001", "P1", 1.5, 5.0);
    item("000002", "P1", 1.5, 5.0);
    item("000003", "P2", 1.25, 30.0);
    item("000004", "P2", 1.25, 30.0);
    item("000005", "P4", 2.3, 4.0); // no exact binary form
    item("000006", "P4", 2.3, 4.0);
    item("000007", "P3", 0.5, 8.0);
    item("000008", "P3", 0.5, 8.0);

    const DataPacket p = lista();
    EXPECT_EQ(column(p, "NRPRODCOMVEN"),
              QStringList({"000001", "000003", "000004", "000005", "000007"}));
    ASSERT_EQ(p.rowCount(), 5);
    EXPECT_DOUBLE_EQ(number(p, 0, "QTPRODCOMVEN"), 3.0);
    EXPECT_DOUBLE_EQ(number(p, 1, "QTPRODCOMVEN"), 1.25);
    EXPECT_DOUBLE_EQ(number(p, 2, "QTPRODCOMVEN"), 1.25);
    EXPECT_NEAR(number(p, 3, "QTPRODCOMVEN"), 4.6, 1e-9);
    EXPECT_DOUBLE_EQ(number(p, 4, "QTPRODCOMVEN"), 1.0);
}

TEST_F(ItemLists, APromotionHeaderAndItsItems) {
    item("000001", "P3", 1, 0.0, {{"CDPRODPROMOCAO", "P3"}});
    item("000002", "P1", 1, 5.0, {{"CDPRODPROMOCAO", "P3"}});
    item("000003", "P1", 1, 5.0, {{"CDPRODPROMOCAO", "P3"}});
    item("000004", "P3", 1, 0.0, {{"CDPRODPROMOCAO", "P3"}});
    item("000005", "P2", 0.5, 30.0);

    const DataPacket p = lista();
    // Headers one by one, equal promotion items grouped, all in item-number order.
    EXPECT_EQ(column(p, "NRPRODCOMVEN"), QStringList({"000001", "000002", "000004", "000005"}));
    EXPECT_EQ(column(p, "CDPRODUTO"), QStringList({"P3", "P1", "P3", "P2"}));
    EXPECT_EQ(column(p, "CDPRODPROMOCAO"), QStringList({"P3", "P3", "P3", ""}));
    ASSERT_EQ(p.rowCount(), 4);
    EXPECT_DOUBLE_EQ(number(p, 1, "QTPRODCOMVEN"), 2.0);
    EXPECT_DOUBLE_EQ(number(p, 3, "QTPRODCOMVEN"), 0.5);
}

TEST_F(ItemLists, AnObservationOnOneItemListsEveryItemOnItsOwnLine) {
    item("000001", "P1", 1, 5.0);
    item("000002", "P1", 1, 5.0);
    item("000003", "P3", 1, 0.0, {{"CDPRODPROMOCAO", "P3"}});
    ASSERT_EQ(lista().rowCount(), 2);

    observation("000002");
    const DataPacket p = lista();
    EXPECT_EQ(column(p, "NRPRODCOMVEN"), QStringList({"000001", "000002", "000003"}));
    ASSERT_EQ(p.rowCount(), 3);
    EXPECT_DOUBLE_EQ(number(p, 0, "QTPRODCOMVEN"), 1.0);
    // Each line keeps its own order time.
    EXPECT_EQ(p.value(0, "DTHRINCOMVEN").toDateTime(), kAbertura.addSecs(60));
    EXPECT_EQ(p.value(1, "DTHRINCOMVEN").toDateTime(), kAbertura.addSecs(120));
    EXPECT_DOUBLE_EQ(number(p, 0, "VRREPIQUEVENDA"), 0.0);
}

TEST_F(ItemLists, AnObservationOfAnotherTabOrSaleKeepsTheGroupedList) {
    item("000001", "P1", 1, 5.0);
    item("000002", "P1", 1, 5.0);
    tab("0002");
    item("000003", "P1", 1, 5.0, {{"NRCOMANDA", "0002"}});
    observation("000003", "0002");
    EXPECT_EQ(lista().rowCount(), 1);
    // Listed together, the observation counts.
    EXPECT_EQ(lista("_0001_0002_").rowCount(), 3);
}

TEST_F(ItemLists, TheOpenSaleOfTheTabsIsTheOneChecked) {
    // An earlier, closed sale of the branch used the same tab number and had an
    // observation; only the open sale counts.
    const QString antiga = "00010000009";
    sale(antiga, {{"DTHRFECHMESA", kAbertura.addDays(-1)}});
    tab("0001", {}, antiga);
    insert("OBSITCOMANDAVEN", {{"CDFILIAL", kFilial},
                               {"NRVENDAREST", antiga},
                               {"NRCOMANDA", "0001"},
                               {"NRPRODCOMVEN", "000001"},
                               {"CDGRPOCOR", "01"},
                               {"CDOCORR", "GELO"}});
    item("000001", "P1", 1, 5.0);
    item("000002", "P1", 1, 5.0);
    item("000003", "P1", 1, 5.0, {{"IDSTPRCOMVEN", "6"}});
    timeRecord("003");
    EXPECT_EQ(lista().rowCount(), 1);
    EXPECT_EQ(count("ITHRCOMANDA"), 0);
}

TEST_F(ItemLists, ABenefitOnTheSaleListsEveryItemOnItsOwnLine) {
    item("000001", "P1", 1, 5.0);
    item("000002", "P1", 1, 5.0);
    insert("MOVBENEFICIOCONS", {{"CDFILIAL", kFilial},
                                {"CDCAIXA", ""},
                                {"NRSEQVENDA", "0001999"},
                                {"NRSEQBENECONS", "1"}});
    EXPECT_EQ(lista().rowCount(), 1); // a benefit of another sale
    insert("MOVBENEFICIOCONS", {{"CDFILIAL", kFilial},
                                {"CDCAIXA", ""},
                                {"NRSEQVENDA", kVenda},
                                {"NRSEQBENECONS", "2"},
                                {"NRSEQUITVEND", "000001"}});
    EXPECT_EQ(column(lista(), "NRPRODCOMVEN"), QStringList({"000001", "000002"}));
}

TEST_F(ItemLists, TabsOfTwoNaturesListedByNatureAndWithout) {
    button("P1", "1");
    button("P2", "2");
    button("P4", "2");
    item("000001", "P1", 1, 5.0);
    item("000002", "P2", 1, 30.0);
    item("000003", "P4", 1, 4.0);
    product("P5", "Couvert");
    item("000004", "P5", 1, 8.0); // no button in the configuration

    DataPacket all = lista();
    EXPECT_EQ(column(all, "NRPRODCOMVEN"), QStringList({"000001", "000002", "000003", "000004"}));
    EXPECT_EQ(column(all, "CDNATPRODUTO"), QStringList({"1", "2", "2", ""}));
    EXPECT_EQ(column(lista("_0001_", "2"), "NRPRODCOMVEN"), QStringList({"000002", "000003"}));
    EXPECT_EQ(column(lista("_0001_", "1"), "NRPRODCOMVEN"), QStringList({"000001"}));
    EXPECT_EQ(lista("_0001_", "9").rowCount(), 0);
    // The same with the benefit-aware statement.
    observation("000001");
    EXPECT_EQ(column(lista("_0001_", "2"), "NRPRODCOMVEN"), QStringList({"000002", "000003"}));
    EXPECT_EQ(lista().rowCount(), 4);
}

// The connection keeps each statement prepared and the server keeps one plan for it:
// every call, however many came before and with whatever values, answers for its own
// tabs and nature.
TEST_F(ItemLists, RepeatedCallsAnswerForTheirOwnTabsAndNature) {
    button("P1", "1");
    button("P2", "2");
    tab("0002");
    item("000001", "P1", 1, 5.0);
    item("000002", "P2", 2, 30.0);
    item("000003", "P4", 1, 4.0, {{"NRCOMANDA", "0002"}});
    item("000004", "P1", 1, 5.0, {{"NRCOMANDA", "0002"}, {"IDSTPRCOMVEN", "6"}});
    struct Case {
        const char* tabs;
        const char* nature;
        QStringList items;
        QStringList cancelled;
    };
    const Case cases[] = {
        {"_0001_", "", {"000001", "000002"}, {}},
        {"_0002_", "", {"000003"}, {"000004"}},
        {"_0001_0002_", "", {"000001", "000002", "000003"}, {"000004"}},
        {"_0001_0002_", "1", {"000001"}, {"000004"}},
        {"_0001_0002_", "2", {"000002"}, {}},
        {"_0003_", "", {}, {}},
        {"_1_", "", {}, {}},
    };
    for (int round = 1; round <= 3; ++round) {
        for (const Case& c : cases) {
            SCOPED_TRACE(
                QStringLiteral("%1 %2, vez %3").arg(c.tabs, c.nature).arg(round).toStdString());
            const QString tabs = QString::fromLatin1(c.tabs);
            const QString nature = QString::fromLatin1(c.nature);
            EXPECT_EQ(column(lista(tabs, nature), "NRPRODCOMVEN"), c.items);
            EXPECT_EQ(column(canceladas(tabs, nature), "NRPRODCOMVEN"), c.cancelled);
        }
    }
}

TEST_F(ItemLists, ATableButtonNamedLikeAProductDoesNotRepeatTheItem) {
    button("P1", "1");
    button("P1", QVariant(), "3"); // a table button whose identifier equals the product code
    item("000001", "P1", 1, 5.0);
    const DataPacket p = lista();
    EXPECT_EQ(column(p, "CDNATPRODUTO"), QStringList({"1"}));
    EXPECT_EQ(column(canceladas(), "CDNATPRODUTO"), QStringList());
}

TEST_F(ItemLists, ItemsWithoutATaxRateRefillsAndOtherBranchesAreLeftOut) {
    product("PX", "Sem aliquota", {}, false);
    item("000001", "P1", 1, 5.0);
    item("000002", "PX", 1, 5.0);
    item("000003", "P1", 1, 5.0, {{"IDPRODREFIL", "S"}, {"VRACRCOMVEN", 9.0}});
    item("000004", "PX", 1, 5.0, {{"IDSTPRCOMVEN", "6"}});
    item("000005", "P2", 1, 5.0, {{"IDSTPRCOMVEN", "7"}});
    insert("FILIAL", {{"CDFILIAL", "0002"}});
    insert("VENDAREST", {{"CDFILIAL", "0002"}, {"NRVENDAREST", kVenda}, {"CDOPERADOR", "OP1"}});
    insert("COMANDAVEN", {{"CDFILIAL", "0002"}, {"NRVENDAREST", kVenda}, {"NRCOMANDA", "0001"}});
    insert("ALIQIMPFIS", {{"CDFILIAL", "0002"}, {"CDPRODUTO", "P1"}, {"CDIMPOSTO", "T18"}});
    item("000006", "P1", 1, 5.0, {{"CDFILIAL", "0002"}});

    const DataPacket p = lista();
    EXPECT_EQ(column(p, "NRPRODCOMVEN"), QStringList({"000001"}));
    EXPECT_DOUBLE_EQ(number(p, 0, "VRACRCOMANDA"), 0.0); // the refill's surcharge is not counted
    EXPECT_EQ(column(canceladas(), "NRPRODCOMVEN"), QStringList({"000005"}));
}

TEST_F(ItemLists, CancelledItemsAreOnlyInTheCancelledList) {
    button("P1", "1");
    button("P2", "2");
    tab("0002", {{"VRACRCOMANDA", 1.5}});
    sql("UPDATE COMANDAVEN SET VRACRCOMANDA = 2 WHERE NRCOMANDA = '0001'");
    item("000001", "P1", 1, 5.0,
         {{"IDSTPRCOMVEN", "6"},
          {"VRACRCOMVEN", 0.5},
          {"CDGRPOCOR", "09"},
          {"TXPRODCOMVEN", "cliente desistiu"},
          {"CDSUPERVISOR", "SUP"},
          {"CDOPERCANC", "OP1"},
          {"VRPRECCLCOMVEN", 0.3}});
    item("000002", "P1", 1, 5.0,
         {{"IDSTPRCOMVEN", "6"},
          {"VRACRCOMVEN", 0.5},
          {"CDGRPOCOR", "09"},
          {"TXPRODCOMVEN", "cliente desistiu"},
          {"CDSUPERVISOR", "SUP"},
          {"CDOPERCANC", "OP1"},
          {"VRPRECCLCOMVEN", 0.3}});
    item("000003", "P2", 1, 30.0, {{"IDSTPRCOMVEN", "7"}, {"NRCOMANDA", "0002"}});
    item("000004", "P2", 1, 30.0);

    EXPECT_EQ(column(lista("_0001_0002_"), "NRPRODCOMVEN"), QStringList({"000004"}));
    const DataPacket c = canceladas("_0001_0002_");
    EXPECT_EQ(column(c, "NRPRODCOMVEN"), QStringList({"000001", "000003"}));
    ASSERT_EQ(c.rowCount(), 2);
    EXPECT_DOUBLE_EQ(number(c, 0, "QTPRODCOMVEN"), 2.0);
    EXPECT_DOUBLE_EQ(number(c, 0, "VRACRCOMVEN"), 1.0);
    EXPECT_DOUBLE_EQ(number(c, 0, "VRACRCOMANDA"), 3.5); // the tabs' own surcharges
    EXPECT_EQ(c.value(0, "CDGRPOCORCANITE").toString(), "09");
    EXPECT_EQ(c.value(0, "DSOBSCANITE").toString(), "cliente desistiu");
    EXPECT_EQ(c.value(0, "CDSUPERVISOR").toString(), "SUP");
    EXPECT_EQ(c.value(0, "CDOPERCANC").toString(), "OP1");
    EXPECT_EQ(c.value(0, "NRITEMCUPOM").toString(), "     ");
    EXPECT_DOUBLE_EQ(number(c, 0, "VRUNITVENCLC"), 0.3);
    EXPECT_EQ(c.value(1, "IDSTPRCOMVEN").toString(), "7");
    // The nature filter applies to the cancelled list too.
    EXPECT_EQ(column(canceladas("_0001_0002_", "2"), "NRPRODCOMVEN"), QStringList({"000003"}));
}

TEST_F(ItemLists, TimeRecordsOfCancelledItemsGoOnEveryCall) {
    item("000001", "P1", 1, 5.0);
    item("000002", "P1", 1, 5.0, {{"IDSTPRCOMVEN", "6"}});
    item("000003", "P2", 1, 5.0, {{"IDSTPRCOMVEN", "7"}});
    timeRecord("001");
    timeRecord("002");
    timeRecord("002", "002");
    timeRecord("003");
    lista();
    EXPECT_EQ(count("ITHRCOMANDA"), 1);
    EXPECT_EQ(count("ITHRCOMANDA", "NRSEQUITEM = '001'"), 1);
    timeRecord("003");
    lista();
    EXPECT_EQ(count("ITHRCOMANDA"), 1);
    EXPECT_FALSE(dm->inTransaction());
}

TEST_F(ItemLists, TheDeleteStaysWhenTheListFails) {
    item("000001", "P1", 1, 5.0, {{"IDSTPRCOMVEN", "6"}});
    timeRecord("001");
    ddl("DROP TABLE IMPOSTO");
    const QVariant result = getListaComanda(*dm, kFilial, "_0001_", {}, kConfTela);
    ASSERT_TRUE(isServiceFailure(result));
    EXPECT_FALSE(serviceFailureMessage(result).isEmpty());
    EXPECT_EQ(count("ITHRCOMANDA"), 0);
    EXPECT_FALSE(dm->inTransaction());
    EXPECT_TRUE(isServiceFailure(getListaComandaCanc(*dm, kFilial, "_0001_", {}, kConfTela)));
}

TEST_F(ItemLists, TabsWithoutItemsGiveEmptyPacketsWithTheirColumns) {
    const DataPacket p = lista("_0099_");
    EXPECT_TRUE(p.isEmpty());
    EXPECT_EQ(names(p), kListaComanda);
    EXPECT_EQ(names(canceladas("_0099_")), kListaComandaCanc);
}

} // namespace
