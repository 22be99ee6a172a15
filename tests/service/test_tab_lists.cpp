// Tab lists ("_0001_0002_") name whole tab numbers: tab 1 is not a member of "_11_",
// nor tab 11 of "_1_", in every read and write that takes a list. And today's
// reservations are those of the whole day, to the last millisecond.

#include "platform/service_result.h"
#include "service/account_lists.h"
#include "service/map_reads.h"
#include "service/totals_benefits.h"
#include "tests/service/test_account_lists_fixture.h"

#include <functional>

using namespace tmk;
using namespace tmk::test;

namespace {

class TabLists : public AccountListsFixture {
protected:
    void SetUp() override {
        AccountListsFixture::SetUp();
        if (IsSkipped() || HasFatalFailure()) {
            return;
        }
        insert("CAMPANHA", {{"CDCAMPANHA", "CP"}, {"NMCAMPANHA", "Pontos"}, {"IDCAMPANHA", "C"}});
        // Tabs 1 and 11 of the sale, each with what every list reads; only tab 1 has a
        // pending app payment.
        for (const QString& nr : {QStringLiteral("1"), QStringLiteral("11")}) {
            const QString live = QStringLiteral("L") + nr;
            const QString cancelled = QStringLiteral("C") + nr;
            product(live, QStringLiteral("Vivo ") + nr);
            product(cancelled, QStringLiteral("Cancelado ") + nr);
            button(live, nr == QLatin1String("1") ? QStringLiteral("1") : QStringLiteral("2"));
            button(cancelled, QVariant());
            tab(nr, {{"VRDESCFID", nr.toDouble()}});
            const QString itemLive = nr.rightJustified(6, '0');
            const QString itemCancelled = (nr + QStringLiteral("9")).rightJustified(6, '0');
            item(itemLive, live, 1, 10.0, {{"NRCOMANDA", nr}});
            item(itemCancelled, cancelled, 1, 5.0, {{"NRCOMANDA", nr}, {"IDSTPRCOMVEN", "6"}});
            insert("OBSITCOMANDAVEN", {{"CDFILIAL", kFilial},
                                       {"NRVENDAREST", kVenda},
                                       {"NRCOMANDA", nr},
                                       {"NRPRODCOMVEN", itemLive},
                                       {"CDGRPOCOR", "G"},
                                       {"CDOCORR", "O"}});
            insert("ITCOMANDAEST", {{"CDFILIAL", kFilial},
                                    {"NRVENDAREST", kVenda},
                                    {"NRCOMANDA", nr},
                                    {"NRPRODCOMVEN", itemLive},
                                    {"CDPRODUTO", QStringLiteral("E") + nr}});
            insert("OBSITCOMANDAEST", {{"CDFILIAL", kFilial},
                                       {"NRVENDAREST", kVenda},
                                       {"NRCOMANDA", nr},
                                       {"NRPRODCOMVEN", itemLive},
                                       {"CDPRODUTO", QStringLiteral("E") + nr},
                                       {"CDGRPOCOR", "G"},
                                       {"CDOCORR", "O"}});
            insert("PROMOCOMANDA", {{"CDFILIAL", kFilial},
                                    {"NRVENDAREST", kVenda},
                                    {"NRCOMANDA", nr},
                                    {"NRSEQPROMOCOM", "1"}});
            insert("MOVPONTOCONSAUX", {{"CDFILIAL", kFilial},
                                       {"NRVENDAREST", kVenda},
                                       {"NRCOMANDA", nr},
                                       {"NRPRODCOMVEN", itemLive},
                                       {"CDCAMPANHA", "CP"}});
        }
        insert("MOVCAIXAMOB", {{"CDFILIAL", kFilial},
                               {"NRSEQMOVMOB", "M1"},
                               {"NRVENDAREST", kVenda},
                               {"NRMESA", "0010"},
                               {"NRCOMANDA", "1"},
                               {"NRLUGARMESA", "T"},
                               {"IDSTMOV", "1"},
                               {"IDADMTASK", "0"},
                               {"VRMOV", 10.0}});
    }
};

TEST_F(TabLists, OnlyWholeTabNumbersAreMembersOfAList) {
    using Read = std::function<QVariant(TrdmGerMesa&, const QString& list)>;
    struct Case {
        const char* what;
        Read read;
        const char* column; // the column that tells the tab of a row
        QStringList ofTab1, ofTab11;
    };
    const QString L = QStringLiteral("01");
    const QStringList tab1 = {QStringLiteral("1")};
    const QStringList tab11 = {QStringLiteral("11")};
    const Case cases[] = {
        {"getListaComanda",
         [&](TrdmGerMesa& dm, const QString& l) {
             return getListaComanda(dm, kFilial, l, {}, kConfTela);
         },
         "NRCOMANDA", tab1, tab11},
        {"getListaComandaCanc",
         [&](TrdmGerMesa& dm, const QString& l) {
             return getListaComandaCanc(dm, kFilial, l, {}, kConfTela);
         },
         "NRCOMANDA", tab1, tab11},
        {"GetItComandaEst",
         [](TrdmGerMesa& dm, const QString& l) { return GetItComandaEst(dm, kFilial, l, {}); },
         "NRCOMANDA", tab1, tab11},
        {"GetItComandaEst grouped",
         [](TrdmGerMesa& dm, const QString& l) {
             return GetItComandaEst(dm, kFilial, QStringLiteral("_0000_"), l);
         },
         "NRCOMANDA",
         {},
         {}},
        {"getObsItens",
         [](TrdmGerMesa& dm, const QString& l) { return getObsItens(dm, kFilial, l); }, "NRCOMANDA",
         tab1, tab11},
        {"getObsItensEst",
         [](TrdmGerMesa& dm, const QString& l) { return getObsItensEst(dm, kFilial, l); },
         "NRCOMANDA", tab1, tab11},
        {"getPromoComanda",
         [](TrdmGerMesa& dm, const QString& l) { return getPromoComanda(dm, kFilial, l); },
         "NRCOMANDA", tab1, tab11},
        {"getBrinde",
         [](TrdmGerMesa& dm, const QString& l) { return getBrinde(dm, kFilial, l); },
         "NRPRODCOMVEN",
         {QStringLiteral("000001")},
         {QStringLiteral("000011")}},
        {"getExtConsFid",
         [](TrdmGerMesa& dm, const QString& l) { return getExtConsFid(dm, kFilial, l); },
         "VRDESCFID",
         {QStringLiteral("1")},
         {QStringLiteral("11")}},
        {"getVerifAlimentosCanc",
         [&](TrdmGerMesa& dm, const QString& l) {
             return getVerifAlimentosCanc(dm, kFilial, l, L);
         },
         "NRCOMANDA", tab1, tab11},
        {"getVerifNatItens",
         [&](TrdmGerMesa& dm, const QString& l) { return getVerifNatItens(dm, kFilial, l, L); },
         "CDNATPRODUTO",
         {QStringLiteral("1")},
         {QStringLiteral("2")}},
        {"getMovCaixaMob",
         [](TrdmGerMesa& dm, const QString& l) { return getMovCaixaMob(dm, kFilial, l); },
         "NRCOMANDA",
         tab1,
         {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(column(packetOf(c.read(*dm, QStringLiteral("_1_"))), c.column), c.ofTab1);
        EXPECT_EQ(column(packetOf(c.read(*dm, QStringLiteral("_11_"))), c.column), c.ofTab11);
        EXPECT_EQ(column(packetOf(c.read(*dm, QStringLiteral("_11_1_"))), c.column).size(),
                  c.ofTab1.size() + c.ofTab11.size());
        // A number the list holds only as part of another is no member.
        EXPECT_TRUE(packetOf(c.read(*dm, QStringLiteral("_111_"))).isEmpty());
    }
}

TEST_F(TabLists, AppPaymentsOfAnotherTabNumberAreNeitherSeenNorTied) {
    // Tab 1's pending payment is not one of tab 11's.
    EXPECT_TRUE(verificaIDSTLUGARMESA(*dm, kFilial, QStringLiteral("_11_"), QStringLiteral("02")));
    EXPECT_FALSE(verificaIDSTLUGARMESA(*dm, kFilial, QStringLiteral("_1_"), QStringLiteral("02")));
    ASSERT_FALSE(isServiceFailure(
        setMovCaixaMob(*dm, kFilial, QStringLiteral("_11_"), QStringLiteral("001"), "900")));
    EXPECT_EQ(count("MOVCAIXAMOB", "NRSEQVENDA IS NULL"), 1);
    ASSERT_FALSE(isServiceFailure(
        setMovCaixaMob(*dm, kFilial, QStringLiteral("_1_"), QStringLiteral("001"), "900")));
    EXPECT_EQ(count("MOVCAIXAMOB", "NRSEQVENDA = '900'"), 1);
}

// A payment of the whole table recorded with position "00" is tied to the sale like one
// recorded with "T"; a seat's payment is not.
TEST_F(TabLists, WholeTablePaymentsRecordedAsDoubleZeroAreTiedToo) {
    for (const auto& [seq, lugar] : {std::pair{"M2", "00"}, std::pair{"M3", "02"}}) {
        insert("MOVCAIXAMOB", {{"CDFILIAL", kFilial},
                               {"NRSEQMOVMOB", QString::fromLatin1(seq)},
                               {"NRVENDAREST", kVenda},
                               {"NRMESA", "0010"},
                               {"NRCOMANDA", "1"},
                               {"NRLUGARMESA", QString::fromLatin1(lugar)},
                               {"IDSTMOV", "1"},
                               {"IDADMTASK", "0"},
                               {"VRMOV", 10.0}});
    }
    EXPECT_EQ(packetOf(getMovCaixaMob(*dm, kFilial, QStringLiteral("_1_"))).rowCount(), 2);
    ASSERT_FALSE(isServiceFailure(
        setMovCaixaMob(*dm, kFilial, QStringLiteral("_1_"), QStringLiteral("001"), "901")));
    EXPECT_EQ(count("MOVCAIXAMOB", "NRSEQVENDA = '901'"), 2);
    EXPECT_EQ(count("MOVCAIXAMOB", "NRSEQVENDA IS NULL AND NRLUGARMESA = '02'"), 1);
}

TEST_F(TabLists, TodaysReservationsAreThoseOfTheWholeDay) {
    insert("MESA", {{"CDFILIAL", kFilial},
                    {"CDLOJA", "01"},
                    {"NRMESA", "0010"},
                    {"IDSTMESA", "A"},
                    {"IDSTMESAAUX", "O"}});
    const QDateTime midnight(QDate::currentDate(), QTime(0, 0));
    const struct {
        const char* number;
        QDateTime when;
    } reservations[] = {
        {"1", midnight},                    // today, first moment
        {"2", midnight.addMSecs(86399999)}, // today, last moment
        {"3", midnight.addMSecs(-1)},       // yesterday, last moment
        {"4", midnight.addDays(1)},         // tomorrow, first moment
    };
    for (const auto& r : reservations) {
        insert("RESERVAMESA", {{"CDFILIAL", kFilial},
                               {"CDLOJA", "01"},
                               {"NRRESMESA", r.number},
                               {"DTRESMESA", r.when},
                               {"IDSTRESMESA", "P"}});
        insert(
            "MESARESERVA",
            {{"CDFILIAL", kFilial}, {"CDLOJA", "01"}, {"NRRESMESA", r.number}, {"NRMESA", "0010"}});
    }
    QStringList found =
        column(packetOf(getReserva(*dm, kFilial, QStringLiteral("01"))), "NRRESMESA");
    found.sort();
    EXPECT_EQ(found, QStringList({"1", "2"}));
}

} // namespace
