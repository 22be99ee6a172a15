// The orphan journal that the schema's triggers keep, seen through the sale clean-up:
// however rows are written, moved or deleted, the clean-up repairs exactly the orphans
// that a look at every row would find, and nothing else.

#include "db/demo/demo_store.h"
#include "service/sale_cleanup.h"
#include "tests/service/service_fixture.h"

#include <QSqlError>
#include <QSqlQuery>
#include <functional>

using namespace tmk;
using namespace tmk::test;

namespace {

const QString kFilial = QStringLiteral("0001");
const QString kLoja = QStringLiteral("0001");
const QString kMesa = QStringLiteral("0010");

class OrphanJournal : public ServiceFixture {
protected:
    void SetUp() override {
        ServiceFixture::SetUp();
        if (IsSkipped() || HasFatalFailure()) {
            return;
        }
        insert("MESA", {{"CDFILIAL", kFilial},
                        {"CDLOJA", kLoja},
                        {"NRMESA", kMesa},
                        {"IDSTMESA", "A"},
                        {"IDSTMESAAUX", "O"}});
    }

    // Rows written by one set-based statement each, as a bulk load writes them.
    void sales(const QStringList& numbers, const QString& filial = kFilial) {
        QStringList rows;
        for (const QString& n : numbers) {
            rows << QStringLiteral("SELECT '%1', '%2', '%3', '%4'").arg(filial, n, kLoja, kMesa);
        }
        sql(QStringLiteral("INSERT INTO VENDAREST (CDFILIAL, NRVENDAREST, CDLOJA, NRMESA) ") +
            rows.join(QStringLiteral(" UNION ALL ")));
    }
    void tabs(const QList<QPair<QString, QString>>& saleAndTab, const QString& filial = kFilial) {
        QStringList rows;
        for (const auto& [sale, tab] : saleAndTab) {
            rows << QStringLiteral("SELECT '%1', '%2', '%3'").arg(filial, sale, tab);
        }
        sql(QStringLiteral("INSERT INTO COMANDAVEN (CDFILIAL, NRVENDAREST, NRCOMANDA) ") +
            rows.join(QStringLiteral(" UNION ALL ")));
    }
    void items(const QString& sale, const QString& tab, int count) {
        QStringList rows;
        for (int i = 1; i <= count; ++i) {
            rows << QStringLiteral("SELECT '%1', '%2', '%3', '%4'")
                        .arg(kFilial, sale, tab,
                             QStringLiteral("%1").arg(i, 3, 10, QLatin1Char('0')));
        }
        sql(QStringLiteral("INSERT INTO ITCOMANDAVEN (CDFILIAL, NRVENDAREST, NRCOMANDA, "
                           "NRPRODCOMVEN) ") +
            rows.join(QStringLiteral(" UNION ALL ")));
    }
    void inTransaction(const std::function<void()>& body) {
        QSqlDatabase c = db->connection();
        ASSERT_TRUE(c.transaction()) << c.lastError().text().toStdString();
        body();
        ASSERT_TRUE(c.commit()) << c.lastError().text().toStdString();
    }

    // What a look at every row finds: items of the branch without a tab of their number,
    // tabs of the branch without their sale, sales of the table without any tab.
    int orphansByScan() {
        return count("ITCOMANDAVEN IT",
                     "IT.CDFILIAL = :F AND NOT EXISTS (SELECT 1 FROM COMANDAVEN CO WHERE "
                     "CO.CDFILIAL = IT.CDFILIAL AND CO.NRCOMANDA = IT.NRCOMANDA)",
                     {{"F", kFilial}}) +
               count("COMANDAVEN CO",
                     "CO.CDFILIAL = :F AND NOT EXISTS (SELECT 1 FROM VENDAREST VE WHERE "
                     "VE.CDFILIAL = CO.CDFILIAL AND VE.NRVENDAREST = CO.NRVENDAREST)",
                     {{"F", kFilial}}) +
               count("VENDAREST VE",
                     "VE.NRMESA = :M AND VE.CDLOJA = :L AND NOT EXISTS (SELECT 1 FROM "
                     "COMANDAVEN CO WHERE CO.NRVENDAREST = VE.NRVENDAREST)",
                     {{"M", kMesa}, {"L", kLoja}});
    }
    int journalRows() {
        return count("ORFITCOMANDAVEN") + count("ORFCOMANDAVEN") + count("ORFVENDAREST");
    }
    QVariant limpa() { return setDeletaVendaRest(*dm, kMesa, kFilial, kLoja, QStringLiteral("O")); }
    // The table's live sale V1 with tab 0001 and two items.
    void vendaViva() {
        sales({"V1"});
        tabs({{"V1", "0001"}});
        items("V1", "0001", 2);
    }
};

TEST_F(OrphanJournal, TheCleanUpRepairsWhatEveryRowShowsHoweverTheRowsWereWritten) {
    struct Case {
        const char* what;
        std::function<void()> write;
        int flags;
        int itemsLeft, tabsLeft, salesLeft;
    };
    const Case cases[] = {
        {"items and tab written before their sale, in one transaction",
         [this] {
             inTransaction([&] {
                 items("V1", "0001", 3);
                 tabs({{"V1", "0001"}});
                 sales({"V1"});
             });
         },
         0, 3, 1, 1},
        {"a bulk load with items of a tab number that no tab has",
         [this] {
             sales({"V1", "V2", "V3"});
             tabs({{"V1", "0001"}, {"V2", "0002"}, {"V3", "0003"}});
             items("V1", "0001", 4);
             items("V2", "0009", 3);
         },
         kItensSemComanda, 4, 3, 3},
        {"a tab deleted under its items",
         [this] {
             vendaViva();
             tabs({{"V1", "0002"}});
             items("V1", "0002", 2);
             sql("DELETE FROM COMANDAVEN WHERE NRCOMANDA = '0002'");
         },
         kItensSemComanda, 2, 1, 1},
        {"a tab deleted after its items",
         [this] {
             vendaViva();
             tabs({{"V1", "0002"}});
             items("V1", "0002", 2);
             sql("DELETE FROM ITCOMANDAVEN WHERE NRCOMANDA = '0002'");
             sql("DELETE FROM COMANDAVEN WHERE NRCOMANDA = '0002'");
         },
         0, 2, 1, 1},
        {"an item moved to a tab number that no tab has",
         [this] {
             vendaViva();
             sql("UPDATE ITCOMANDAVEN SET NRCOMANDA = '0099' WHERE NRPRODCOMVEN = '002'");
         },
         kItensSemComanda, 1, 1, 1},
        {"an item moved from a tab number that no tab has to one that has",
         [this] {
             vendaViva();
             items("V1", "0099", 1);
             sql("UPDATE ITCOMANDAVEN SET NRCOMANDA = '0001', NRPRODCOMVEN = '009' WHERE "
                 "NRCOMANDA = '0099'");
         },
         0, 3, 1, 1},
        {"a tab moved to another sale leaves its sale without tabs",
         [this] {
             vendaViva();
             sales({"V2"});
             sql("UPDATE COMANDAVEN SET NRVENDAREST = 'V2'");
             sql("UPDATE ITCOMANDAVEN SET NRVENDAREST = 'V2'");
         },
         kVendasSemComanda, 2, 1, 1},
        {"a tab renumbered leaves the items of its old number",
         [this] {
             vendaViva();
             sql("UPDATE COMANDAVEN SET NRCOMANDA = '0007'");
         },
         kItensSemComanda, 0, 1, 1},
        {"a sale renumbered leaves its tabs without sale and itself without tabs",
         [this] {
             vendaViva();
             sql("UPDATE VENDAREST SET NRVENDAREST = 'V9'");
         },
         kComandasSemVenda + kVendasSemComanda, 0, 0, 0},
        {"a sale deleted under its tabs",
         [this] {
             vendaViva();
             sales({"V2"});
             tabs({{"V2", "0002"}});
             items("V2", "0002", 1);
             sql("DELETE FROM VENDAREST WHERE NRVENDAREST = 'V2'");
         },
         kComandasSemVenda, 2, 1, 1},
        // The tab of this branch goes for want of its sale here, and the sale of the
        // other branch that it kept is left without tabs: both in the same run.
        {"a sale whose only tab the clean-up itself removes",
         [this] {
             vendaViva();
             sales({"V5"}, QStringLiteral("0002"));
             tabs({{"V5", "0005"}});
         },
         kComandasSemVenda + kVendasSemComanda, 2, 1, 1},
        {"a sale opened and given its tab later",
         [this] {
             sales({"V1"});
             tabs({{"V1", "0001"}});
         },
         0, 0, 1, 1},
        {"a sale opened and never given a tab",
         [this] {
             vendaViva();
             sales({"V3"});
         },
         kVendasSemComanda, 2, 1, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        sql("DELETE FROM ITCOMANDAVEN");
        sql("DELETE FROM COMANDAVEN");
        sql("DELETE FROM VENDAREST");
        c.write();
        ASSERT_FALSE(HasFailure());
        const int byScan = orphansByScan();
        EXPECT_EQ(limpa(), QVariant(c.flags));
        EXPECT_EQ(count("ITCOMANDAVEN", "CDFILIAL = '0001'"), c.itemsLeft);
        EXPECT_EQ(count("COMANDAVEN", "CDFILIAL = '0001'"), c.tabsLeft);
        EXPECT_EQ(count("VENDAREST", "NRMESA = '0010'"), c.salesLeft);
        EXPECT_EQ(byScan > 0, c.flags != 0);
        // Nothing is left for a second run, whatever the journal still names.
        EXPECT_EQ(orphansByScan(), 0);
        EXPECT_EQ(limpa(), QVariant(0));
    }
}

TEST_F(OrphanJournal, KeysThatNameNoOrphanAreTakenAwayWithTheRowsThatSetThemRight) {
    vendaViva();
    EXPECT_EQ(journalRows(), 0);
    // An item before its tab: the tab takes its number off the journal.
    items("V1", "0002", 1);
    EXPECT_EQ(count("ORFITCOMANDAVEN", "NRCOMANDA = '0002'"), 1);
    tabs({{"V1", "0002"}});
    EXPECT_EQ(count("ORFITCOMANDAVEN"), 0);
    // A sale without its tab yet; the tab takes the sale off.
    sales({"V2"});
    EXPECT_EQ(count("ORFVENDAREST", "NRVENDAREST = 'V2'"), 1);
    tabs({{"V2", "0003"}});
    EXPECT_EQ(count("ORFVENDAREST"), 0);
    // The last item of an orphan number takes it off.
    items("V1", "0008", 2);
    sql("DELETE FROM ITCOMANDAVEN WHERE NRCOMANDA = '0008'");
    EXPECT_EQ(count("ORFITCOMANDAVEN"), 0);
    EXPECT_EQ(journalRows(), 0);
}

TEST_F(OrphanJournal, KeysOlderThanAnHourThatNameNoOrphanGoWhenAParentIsNextDeleted) {
    vendaViva();
    const QDateTime old = QDateTime::currentDateTime().addSecs(-2 * 3600);
    const QDateTime recent = QDateTime::currentDateTime().addSecs(-60);
    // Keys set right long ago, one of them still naming an orphan, and a recent one.
    insert("ORFITCOMANDAVEN",
           {{"CDFILIAL", kFilial}, {"NRCOMANDA", "0001"}, {"DTHRREGISTRO", old}});
    insert("ORFITCOMANDAVEN",
           {{"CDFILIAL", kFilial}, {"NRCOMANDA", "0004"}, {"DTHRREGISTRO", old}});
    insert("ORFITCOMANDAVEN",
           {{"CDFILIAL", kFilial}, {"NRCOMANDA", "0005"}, {"DTHRREGISTRO", recent}});
    items("V1", "0004", 1); // still an orphan: its key stays
    insert("ORFVENDAREST", {{"NRVENDAREST", "V1"}, {"DTHRREGISTRO", old}});
    insert("ORFVENDAREST", {{"NRVENDAREST", "V8"}, {"DTHRREGISTRO", old}});
    insert("ORFCOMANDAVEN", {{"CDFILIAL", kFilial}, {"NRVENDAREST", "V1"}, {"DTHRREGISTRO", old}});

    sales({"V2"});
    tabs({{"V2", "0002"}});
    sql("DELETE FROM COMANDAVEN WHERE NRCOMANDA = '0002'");
    EXPECT_EQ(count("ORFITCOMANDAVEN", "NRCOMANDA IN ('0001')"), 0);
    EXPECT_EQ(count("(SELECT DISTINCT NRCOMANDA FROM ORFITCOMANDAVEN) K",
                    "NRCOMANDA IN ('0004', '0005', '0002')"),
              3);
    EXPECT_EQ(count("ORFVENDAREST", "NRVENDAREST IN ('V1', 'V8')"), 0);
    sql("DELETE FROM VENDAREST WHERE NRVENDAREST = 'V2'");
    EXPECT_EQ(count("ORFCOMANDAVEN", "NRVENDAREST = 'V1'"), 0);
    // The key still naming an orphan is repaired; the recent ones cost a look-up.
    EXPECT_EQ(limpa(), QVariant(kItensSemComanda));
    EXPECT_EQ(count("ITCOMANDAVEN", "NRCOMANDA = '0004'"), 0);
}

TEST(OrphanJournalDemo, TheDemoStoreLeavesNothingToRepair) {
    TestDatabase database;
    TMK_REQUIRE_DATABASE(database);
    QSqlDatabase c = database.connection();
    createDemoDatabase(c, QDateTime::currentDateTime());
    TrdmGerMesa dm(QStringLiteral("dm-demo-journal"));
    dm.connectTo(database.connectionText());
    QSqlQuery q(c);
    ASSERT_TRUE(q.exec(QStringLiteral("SELECT (SELECT COUNT(*) FROM ORFITCOMANDAVEN) + (SELECT "
                                      "COUNT(*) FROM ORFCOMANDAVEN) + (SELECT COUNT(*) FROM "
                                      "ORFVENDAREST)")));
    ASSERT_TRUE(q.next());
    EXPECT_EQ(q.value(0).toInt(), 0);
    QSqlQuery tables(c);
    ASSERT_TRUE(tables.exec(QStringLiteral(
        "SELECT DISTINCT CDFILIAL, CDLOJA, NRMESA FROM VENDAREST WHERE DTHRFECHMESA IS NULL")));
    int seen = 0;
    while (tables.next()) {
        ++seen;
        EXPECT_EQ(setDeletaVendaRest(dm, tables.value(2).toString(), tables.value(0).toString(),
                                     tables.value(1).toString(), QStringLiteral("O")),
                  QVariant(0))
            << tables.value(2).toString().toStdString();
    }
    EXPECT_GT(seen, 5);
}

} // namespace
