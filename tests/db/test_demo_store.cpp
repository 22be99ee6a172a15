// The demo store's database rows, read back with plain SQL on each kind.

#include "db/demo/demo_store.h"
#include "db/schema.h"
#include "external/common.h"
#include "platform/errors.h"
#include "suite/common/db_dialect.h"
#include "tests/support/test_database.h"

#include <QSet>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <gtest/gtest.h>
#include <memory>

using namespace tmk;
using tmk::test::TestDatabase;

namespace {

using Row = QVariantMap;

QList<Row> rowsOf(QSqlDatabase db, const QString& text, const QVariantMap& binds = {}) {
    QList<Row> rows;
    QSqlQuery q(db);
    q.setForwardOnly(true);
    if (!q.prepare(text)) {
        ADD_FAILURE() << text.toStdString() << ": " << q.lastError().text().toStdString();
        return rows;
    }
    for (auto it = binds.cbegin(); it != binds.cend(); ++it) {
        q.bindValue(QLatin1Char(':') + it.key(), it.value());
    }
    if (!q.exec()) {
        ADD_FAILURE() << text.toStdString() << ": " << q.lastError().text().toStdString();
        return rows;
    }
    while (q.next()) {
        Row r;
        for (int i = 0; i < q.record().count(); ++i) {
            r.insert(q.record().fieldName(i).toUpper(), q.value(i));
        }
        rows << r;
    }
    return rows;
}

qlonglong countOf(QSqlDatabase db, const QString& text, const QVariantMap& binds = {}) {
    const QList<Row> rows = rowsOf(db, text, binds);
    return rows.isEmpty() ? -1 : rows.first().first().toLongLong();
}

// A date-time column read back: PostgreSQL gives a QDateTime, SQLite its stored text.
QDateTime dateTimeOf(const QVariant& v) {
    return DbDialect::forKind(TestDatabase::kind()).readDateTime(v);
}

QString text(const Row& r, const char* column) {
    return r.value(QString::fromLatin1(column)).toString();
}

// One table of area 01, page 1, as the map would draw it.
struct MapTable {
    QString nrMesa;
    QString state;
    bool reservedToday = false;
    QDateTime lastOrder; // newest item of the open sale; invalid without one
    int openSales = 0;
};

class DemoStoreTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        now_ = QDateTime::currentDateTime();
        database_ = std::make_unique<TestDatabase>();
        QString why;
        if (!database_->available(&why)) {
            return;
        }
        QSqlDatabase db = database_->connection();
        try {
            createDemoDatabase(db, now_);
        } catch (const AppError& e) {
            createError_ = e.message();
        }
    }
    static void TearDownTestSuite() { database_.reset(); }

    void SetUp() override {
        TMK_REQUIRE_DATABASE(*database_);
        ASSERT_TRUE(createError_.isEmpty()) << createError_.toStdString();
    }

    static QSqlDatabase db() { return database_->connection(); }

    static QList<MapTable> areaOnePageOne() {
        QList<MapTable> tables;
        const QList<Row> rows = rowsOf(
            db(), QStringLiteral("SELECT M.NRMESA, M.IDSTMESAAUX FROM MESA M, ITMENUCONFTE B "
                                 "WHERE B.CDFILIAL = M.CDFILIAL AND B.CDIDENTBUTON = M.NRMESA "
                                 "AND B.NRCONFTELA = '01' AND B.IDTPBUTTON = '3' "
                                 "AND B.NRBUTTONAUX = '01' AND B.NRPGCONFTELA = 1 "
                                 "AND M.CDFILIAL = '0001' AND M.CDLOJA = '0001' "
                                 "AND M.IDSTMESA = 'A' ORDER BY M.NRMESA"));
        const QList<Row> reservations =
            rowsOf(db(), QStringLiteral("SELECT MR.NRMESA, RM.DTRESMESA, RM.IDSTRESMESA "
                                        "FROM MESARESERVA MR, RESERVAMESA RM "
                                        "WHERE MR.CDFILIAL = RM.CDFILIAL AND MR.CDLOJA = RM.CDLOJA "
                                        "AND MR.NRRESMESA = RM.NRRESMESA"));
        const QList<Row> orders = rowsOf(
            db(), QStringLiteral("SELECT V.NRMESA, V.NRVENDAREST, I.DTHRINCOMVEN "
                                 "FROM VENDAREST V LEFT JOIN ITCOMANDAVEN I "
                                 "ON I.CDFILIAL = V.CDFILIAL AND I.NRVENDAREST = V.NRVENDAREST "
                                 "WHERE V.CDFILIAL = '0001' AND V.CDLOJA = '0001' "
                                 "AND V.DTHRFECHMESA IS NULL"));
        for (const Row& r : rows) {
            MapTable t;
            t.nrMesa = text(r, "NRMESA");
            t.state = text(r, "IDSTMESAAUX");
            for (const Row& res : reservations) {
                if (text(res, "NRMESA") == t.nrMesa && text(res, "IDSTRESMESA") == "P" &&
                    dateTimeOf(res.value("DTRESMESA")).date() == now_.date()) {
                    t.reservedToday = true;
                }
            }
            QSet<QString> sales;
            for (const Row& o : orders) {
                if (text(o, "NRMESA") != t.nrMesa) {
                    continue;
                }
                sales.insert(text(o, "NRVENDAREST"));
                const QDateTime at = dateTimeOf(o.value("DTHRINCOMVEN"));
                if (at.isValid() && (!t.lastOrder.isValid() || at > t.lastOrder)) {
                    t.lastOrder = at;
                }
            }
            t.openSales = int(sales.size());
            tables << t;
        }
        return tables;
    }

    static inline std::unique_ptr<TestDatabase> database_;
    static inline QDateTime now_;
    static inline QString createError_;
};

// The picture the map draws for a table, from its state, its reservation and how long
// it has gone without an order.
QString pictureOf(const MapTable& t, const QDateTime& now) {
    const QString r = t.reservedToday ? QStringLiteral("R") : QString();
    if (t.state == "D") {
        return "imgLivre" + r;
    }
    if (t.state == "O") {
        const bool idle = t.lastOrder.isValid() && t.lastOrder.addSecs(30 * 60) <= now;
        return (idle ? "imgSemCons" : "imgOcupada") + r;
    }
    if (t.state == "S" || t.state == "P") {
        return "imgCtaSol" + r;
    }
    if (t.state == "R") {
        return QStringLiteral("imgRecebendo");
    }
    if (t.state == "C") {
        return QStringLiteral("imgCtaSolCarDig");
    }
    return QString();
}

} // namespace

TEST_F(DemoStoreTest, TheStoreAndItsTillAreRegistered) {
    const QList<Row> loja =
        rowsOf(db(), QStringLiteral("SELECT L.NRMESAPADRAO, F.CDEMPRESA FROM LOJA L, FILIAL F "
                                    "WHERE L.CDFILIAL = F.CDFILIAL"));
    ASSERT_EQ(loja.size(), 1);
    EXPECT_EQ(text(loja[0], "NRMESAPADRAO"), "9999");
    EXPECT_EQ(countOf(db(), "SELECT COUNT(*) FROM CAIXA WHERE CDFILIAL = '0001' AND "
                            "CDCAIXA = '001' AND CDLOJA = '0001'"),
              1);
    EXPECT_EQ(countOf(db(), "SELECT NRMAXPESMES FROM PARAVEND WHERE CDFILIAL = '0001'"), 20);
    EXPECT_EQ(countOf(db(), "SELECT COUNT(*) FROM CONFTELA WHERE CDFILIAL = '0001' AND "
                            "NRCONFTELA = '01' AND CDLOJA = '0001'"),
              1);
    EXPECT_GE(countOf(db(), "SELECT COUNT(*) FROM VENDEDOR"), 2);
    EXPECT_GE(countOf(db(), "SELECT COUNT(*) FROM CONSUMIDOR WHERE DSEMAILCONS LIKE '%@%'"), 1);
    // The second operator may not cancel items.
    EXPECT_EQ(countOf(db(), "SELECT COUNT(*) FROM DIREITOACESSO WHERE CDOPERADOR = '0002' AND "
                            "CDACESSO = 102 AND IDPERMITE = 'N'"),
              1);
}

TEST_F(DemoStoreTest, AreaOnePageOneShowsEveryPictureOfTheMap) {
    const QList<MapTable> tables = areaOnePageOne();
    ASSERT_GE(tables.size(), 16);
    ASSERT_LE(tables.size(), 24);
    QSet<QString> pictures;
    for (const MapTable& t : tables) {
        pictures.insert(pictureOf(t, now_));
    }
    for (const char* picture :
         {"imgLivre", "imgLivreR", "imgOcupada", "imgOcupadaR", "imgSemCons", "imgSemConsR",
          "imgCtaSol", "imgCtaSolR", "imgRecebendo", "imgCtaSolCarDig"}) {
        EXPECT_TRUE(pictures.contains(QString::fromLatin1(picture))) << picture;
    }
    QSet<QString> states;
    for (const MapTable& t : tables) {
        states.insert(t.state);
    }
    EXPECT_EQ(states, (QSet<QString>{"D", "O", "S", "P", "R", "C"}));
}

TEST_F(DemoStoreTest, EveryTakenTableHasOneOpenSaleWithATabAndItems) {
    const QList<MapTable> tables = areaOnePageOne();
    for (const MapTable& t : tables) {
        EXPECT_EQ(t.openSales, t.state == "D" ? 0 : 1) << t.nrMesa.toStdString();
        if (t.state != "D") {
            EXPECT_TRUE(t.lastOrder.isValid()) << t.nrMesa.toStdString();
            EXPECT_LE(t.lastOrder, now_) << t.nrMesa.toStdString();
        }
    }
    // Tabs of the open sales: the table's own kind, open or in closing.
    const QList<Row> tabs = rowsOf(
        db(), QStringLiteral("SELECT V.NRMESA, C.DSCOMANDA, C.IDSTCOMANDA, V.CDVENDEDOR, "
                             "V.NRPESMESAVEN, V.DTHRABERMESA FROM VENDAREST V, COMANDAVEN C "
                             "WHERE C.CDFILIAL = V.CDFILIAL AND C.NRVENDAREST = V.NRVENDAREST "
                             "AND V.DTHRFECHMESA IS NULL"));
    EXPECT_GE(tabs.size(), 10);
    for (const Row& tab : tabs) {
        const std::string table = text(tab, "NRMESA").toStdString();
        EXPECT_EQ(text(tab, "DSCOMANDA"), "RES_" + text(tab, "NRMESA")) << table;
        EXPECT_TRUE(text(tab, "IDSTCOMANDA") == "1" || text(tab, "IDSTCOMANDA") == "2") << table;
        EXPECT_FALSE(text(tab, "CDVENDEDOR").isEmpty()) << table;
        EXPECT_GE(tab.value("NRPESMESAVEN").toDouble(), 1.0) << table;
        EXPECT_LE(tab.value("NRPESMESAVEN").toDouble(), 20.0) << table;
        EXPECT_TRUE(dateTimeOf(tab.value("DTHRABERMESA")).isValid()) << table;
    }
    // Items are live first servings, on seat positions of two characters.
    EXPECT_EQ(countOf(db(), "SELECT COUNT(*) FROM ITCOMANDAVEN I, VENDAREST V "
                            "WHERE I.CDFILIAL = V.CDFILIAL AND I.NRVENDAREST = V.NRVENDAREST "
                            "AND V.DTHRFECHMESA IS NULL AND (I.IDSTPRCOMVEN <> '1' "
                            "OR I.IDPRODREFIL <> 'N' OR I.QTPRODCOMVEN <= 0 "
                            "OR LENGTH(I.NRLUGARMESA) <> 2)"),
              0);
}

TEST_F(DemoStoreTest, ReservationsOfTodayLieOnAFreeAnOccupiedAndABillRequestedTable) {
    QSet<QString> reservedStates;
    bool idleReserved = false;
    for (const MapTable& t : areaOnePageOne()) {
        if (t.reservedToday) {
            reservedStates.insert(t.state);
            idleReserved = idleReserved || pictureOf(t, now_) == "imgSemConsR";
        }
    }
    EXPECT_TRUE(reservedStates.contains("D"));
    EXPECT_TRUE(reservedStates.contains("O"));
    EXPECT_TRUE(reservedStates.contains("S"));
    EXPECT_TRUE(idleReserved);
    const QList<Row> hours =
        rowsOf(db(), QStringLiteral("SELECT HRINIRESMESA, HRFINRESMESA FROM RESERVAMESA "
                                    "WHERE IDSTRESMESA = 'P'"));
    ASSERT_FALSE(hours.isEmpty());
    for (const Row& h : hours) {
        for (const char* c : {"HRINIRESMESA", "HRFINRESMESA"}) {
            const QString hhmm = text(h, c);
            ASSERT_EQ(hhmm.size(), 4) << hhmm.toStdString();
            EXPECT_LT(hhmm.left(2).toInt(), 24) << hhmm.toStdString();
            EXPECT_LT(hhmm.right(2).toInt(), 60) << hhmm.toStdString();
        }
    }
}

TEST_F(DemoStoreTest, TheIdleTableWentThirtyMinutesWithoutAnOrderAndTheBusyOneDidNot) {
    int idle = 0;
    int busy = 0;
    for (const MapTable& t : areaOnePageOne()) {
        if (t.state != "O") {
            continue;
        }
        if (t.lastOrder.secsTo(now_) > 30 * 60) {
            ++idle;
        } else {
            EXPECT_GE(t.lastOrder.secsTo(now_), 0) << t.nrMesa.toStdString();
            ++busy;
        }
    }
    EXPECT_GE(idle, 2);
    EXPECT_GE(busy, 2);
}

TEST_F(DemoStoreTest, OneAreaHoldsSixtyTablesOverTwoPages) {
    const QList<Row> areas = rowsOf(
        db(), QStringLiteral("SELECT A.NRBUTTON, A.DSBUTTON, A.NRCOLORBACK, A.NRFONTETEXT, "
                             "(SELECT COUNT(*) FROM ITMENUCONFTE T WHERE T.CDFILIAL = A.CDFILIAL "
                             "AND T.NRCONFTELA = A.NRCONFTELA AND T.IDTPBUTTON = '3' "
                             "AND T.IDTPBUTONAUX = '4' AND T.NRPGCONFTAUX = 1 "
                             "AND T.NRBUTTONAUX = A.NRBUTTON) AS QTDEMESAS "
                             "FROM ITMENUCONFTE A WHERE A.CDFILIAL = '0001' AND "
                             "A.NRCONFTELA = '01' AND A.IDTPBUTTON = '4' AND "
                             "A.NRPGCONFTELA = 1 ORDER BY A.NRBUTTON"));
    ASSERT_EQ(areas.size(), 4);
    QStringList captions;
    QSet<qlonglong> colours;
    QSet<qlonglong> fonts;
    QString twoPages;
    for (const Row& a : areas) {
        captions << text(a, "DSBUTTON");
        colours.insert(a.value("NRCOLORBACK").toLongLong());
        fonts.insert(a.value("NRFONTETEXT").toLongLong());
        if (a.value("QTDEMESAS").toInt() > 48) {
            twoPages = text(a, "NRBUTTON");
        }
    }
    EXPECT_EQ(captions, (QStringList{"Salão", "Varanda", "Bar", "Mezanino"}));
    EXPECT_EQ(colours.size(), 4);
    EXPECT_EQ(fonts.size(), 4);
    ASSERT_FALSE(twoPages.isEmpty());

    const QList<Row> pages = rowsOf(
        db(),
        QStringLiteral("SELECT NRPGCONFTELA, COUNT(*) AS QT, COUNT(DISTINCT NRBUTTON) AS POS, "
                       "MIN(NRBUTTON) AS PRIMEIRO, MAX(NRBUTTON) AS ULTIMO FROM ITMENUCONFTE "
                       "WHERE CDFILIAL = '0001' AND NRCONFTELA = '01' AND IDTPBUTTON = '3' "
                       "AND NRBUTTONAUX = :AREA GROUP BY NRPGCONFTELA ORDER BY NRPGCONFTELA"),
        {{QStringLiteral("AREA"), twoPages}});
    ASSERT_EQ(pages.size(), 2);
    EXPECT_EQ(pages[0].value("QT").toInt(), 48);
    EXPECT_EQ(pages[0].value("POS").toInt(), 48);
    EXPECT_EQ(text(pages[0], "PRIMEIRO"), "01");
    EXPECT_EQ(text(pages[0], "ULTIMO"), "48");
    EXPECT_GE(pages[1].value("QT").toInt(), 1);
    EXPECT_EQ(pages[1].value("NRPGCONFTELA").toInt(), 2);
    // Every table button names a table of the store.
    EXPECT_EQ(countOf(db(), "SELECT COUNT(*) FROM ITMENUCONFTE B WHERE B.IDTPBUTTON = '3' AND "
                            "NOT EXISTS (SELECT 1 FROM MESA M WHERE M.CDFILIAL = B.CDFILIAL "
                            "AND M.NRMESA = B.CDIDENTBUTON)"),
              0);
}

TEST_F(DemoStoreTest, TheDefaultTableHasARowAndAButton) {
    EXPECT_EQ(countOf(db(), "SELECT COUNT(*) FROM MESA WHERE NRMESA = '9999' AND IDSTMESA = 'A'"),
              1);
    EXPECT_EQ(countOf(db(), "SELECT COUNT(*) FROM ITMENUCONFTE WHERE IDTPBUTTON = '3' AND "
                            "CDIDENTBUTON = '9999'"),
              1);
}

TEST_F(DemoStoreTest, TheJoinGroupHoldsOccupiedTablesOfTheFirstPage) {
    const QList<Row> members =
        rowsOf(db(), QStringLiteral("SELECT MJ.NRMESA, MJ.NRJUNMESA FROM MESAJUNCAO MJ, "
                                    "JUNCAOMESA JM WHERE JM.CDFILIAL = MJ.CDFILIAL AND "
                                    "JM.CDLOJA = MJ.CDLOJA AND JM.NRJUNMESA = MJ.NRJUNMESA "
                                    "ORDER BY MJ.NRMESA"));
    ASSERT_GE(members.size(), 2);
    ASSERT_LE(members.size(), 3);
    const QList<MapTable> page = areaOnePageOne();
    for (const Row& m : members) {
        EXPECT_EQ(text(m, "NRJUNMESA"), text(members[0], "NRJUNMESA"));
        bool shown = false;
        for (const MapTable& t : page) {
            if (t.nrMesa == text(m, "NRMESA")) {
                shown = true;
                EXPECT_EQ(t.state, "O");
                EXPECT_EQ(t.openSales, 1);
            }
        }
        EXPECT_TRUE(shown) << text(m, "NRMESA").toStdString();
    }
}

TEST_F(DemoStoreTest, AppPaymentsOfAWholeTableAndOfASeatArePending) {
    const QList<Row> payments = rowsOf(
        db(), QStringLiteral("SELECT MM.NRLUGARMESA, MM.VRMOV, MM.NRMESA, M.IDSTMESAAUX, "
                             "V.DTHRFECHMESA, C.DSCOMANDA, MM.IDADMTASK, MM.CDTIPORECE "
                             "FROM MOVCAIXAMOB MM, MESA M, VENDAREST V, COMANDAVEN C "
                             "WHERE M.CDFILIAL = MM.CDFILIAL AND M.NRMESA = MM.NRMESA "
                             "AND V.CDFILIAL = MM.CDFILIAL AND V.NRVENDAREST = MM.NRVENDAREST "
                             "AND V.NRMESA = MM.NRMESA AND C.CDFILIAL = MM.CDFILIAL "
                             "AND C.NRVENDAREST = MM.NRVENDAREST AND C.NRCOMANDA = MM.NRCOMANDA "
                             "AND MM.IDSTMOV = '1' AND MM.NRSEQVENDA IS NULL "
                             "ORDER BY MM.NRLUGARMESA"));
    ASSERT_EQ(payments.size(), 2);
    EXPECT_EQ(text(payments[0], "NRLUGARMESA"), "02");
    EXPECT_EQ(text(payments[1], "NRLUGARMESA"), "T");
    for (const Row& p : payments) {
        EXPECT_EQ(text(p, "IDSTMESAAUX"), "S");
        EXPECT_TRUE(p.value("DTHRFECHMESA").isNull());
        EXPECT_TRUE(text(p, "DSCOMANDA").startsWith("RES_"));
        EXPECT_EQ(text(p, "IDADMTASK"), "0");
        EXPECT_GT(p.value("VRMOV").toDouble(), 0.0);
    }
    // The paid seat has items on its table, marked paid.
    EXPECT_GE(countOf(db(), "SELECT COUNT(*) FROM ITCOMANDAVEN I, MOVCAIXAMOB MM WHERE "
                            "I.CDFILIAL = MM.CDFILIAL AND I.NRVENDAREST = MM.NRVENDAREST AND "
                            "I.NRCOMANDA = MM.NRCOMANDA AND I.NRLUGARMESA = MM.NRLUGARMESA AND "
                            "I.IDSTLUGARMESA = 'P'"),
              1);
}

TEST_F(DemoStoreTest, ItemsResolveTaxRatesAndNaturesOfTheScreenConfiguration) {
    const QList<Row> items = rowsOf(
        db(), QStringLiteral("SELECT DISTINCT I.CDPRODUTO, AQ.VRPEALIMPFIS, IM.IDTPIMPOSFIS, "
                             "B.CDNATPRODUTO FROM ITCOMANDAVEN I "
                             "LEFT JOIN ALIQIMPFIS AQ ON AQ.CDFILIAL = I.CDFILIAL "
                             "AND AQ.CDPRODUTO = I.CDPRODUTO "
                             "LEFT JOIN IMPOSTO IM ON IM.CDIMPOSTO = AQ.CDIMPOSTO "
                             "LEFT JOIN ITMENUCONFTE B ON B.CDFILIAL = I.CDFILIAL "
                             "AND B.NRCONFTELA = '01' AND B.CDIDENTBUTON = I.CDPRODUTO"));
    ASSERT_FALSE(items.isEmpty());
    QSet<QString> natures;
    for (const Row& r : items) {
        const std::string product = text(r, "CDPRODUTO").toStdString();
        EXPECT_FALSE(r.value("VRPEALIMPFIS").isNull()) << product;
        EXPECT_FALSE(text(r, "IDTPIMPOSFIS").isEmpty()) << product;
        EXPECT_FALSE(text(r, "CDNATPRODUTO").isEmpty()) << product;
        natures.insert(text(r, "CDNATPRODUTO"));
    }
    EXPECT_EQ(natures, (QSet<QString>{"01", "02"}));
    // The consumption, female consumption and cover products are registered.
    EXPECT_EQ(countOf(db(), "SELECT COUNT(*) FROM PRODUTO P, ALIQIMPFIS A WHERE "
                            "A.CDPRODUTO = P.CDPRODUTO AND P.CDPRODUTO IN "
                            "('90001', '90002', '90003')"),
              3);
}

TEST_F(DemoStoreTest, TheDaysCashOpeningPrecedesTheConcludedSales) {
    const QList<Row> opening =
        rowsOf(db(), QStringLiteral("SELECT DTABERCAIX, DTFECHCAIX FROM TURCAIXA WHERE CDFILIAL = "
                                    "'0001' AND CDCAIXA = '001'"));
    ASSERT_EQ(opening.size(), 1);
    const QDateTime openedAt = dateTimeOf(opening[0].value("DTABERCAIX"));
    EXPECT_EQ(openedAt.date(), now_.date());
    EXPECT_LE(openedAt, now_);

    const QList<Row> sales =
        rowsOf(db(), QStringLiteral("SELECT V.NRSEQVENDA, V.VRTOTVENDA, V.DTVENDA, V.CDLOJA, "
                                    "(SELECT SUM(I.QTPRODVEND * I.VRUNITVEND) FROM ITEMVENDA I "
                                    "WHERE I.CDFILIAL = V.CDFILIAL AND I.CDCAIXA = V.CDCAIXA "
                                    "AND I.NRSEQVENDA = V.NRSEQVENDA) AS ITENS "
                                    "FROM VENDA V WHERE V.CDFILIAL = '0001' AND V.CDCAIXA = '001' "
                                    "AND V.IDSITUVENDA = 'O'"));
    ASSERT_GE(sales.size(), 3);
    QSet<QString> numbers;
    for (const Row& s : sales) {
        const std::string nr = text(s, "NRSEQVENDA").toStdString();
        numbers.insert(text(s, "NRSEQVENDA"));
        EXPECT_EQ(text(s, "CDLOJA"), "0001") << nr;
        EXPECT_NEAR(s.value("VRTOTVENDA").toDouble(), s.value("ITENS").toDouble(), 0.005) << nr;
        const QDateTime at = dateTimeOf(s.value("DTVENDA"));
        EXPECT_GE(at, openedAt) << nr;
        EXPECT_LE(at, now_) << nr;
    }
    // The till's own sale counter goes on after the demo's sales.
    QSqlDatabase connection = db();
    const QString next =
        TdtmKovProxCodigo(connection).PrxPedidoVenda("0001", "001", 1, QStringLiteral("TESTE"));
    EXPECT_FALSE(numbers.contains(next)) << next.toStdString();
}

TEST_F(DemoStoreTest, ASecondDemoStoreIsRefusedAndChangesNothing) {
    const qlonglong tables = countOf(db(), "SELECT COUNT(*) FROM MESA");
    QSqlDatabase connection = db();
    try {
        createDemoDatabase(connection, now_);
        FAIL() << "a database with a branch took a second demo store";
    } catch (const AppError& e) {
        EXPECT_TRUE(e.message().contains("já tem filiais")) << e.message().toStdString();
    }
    EXPECT_EQ(countOf(db(), "SELECT COUNT(*) FROM MESA"), tables);
    EXPECT_EQ(countOf(db(), "SELECT COUNT(*) FROM FILIAL"), 1);
}

TEST(DemoStoreCreation, AFailureHalfwayLeavesTheDatabaseEmpty) {
    TestDatabase t;
    TMK_REQUIRE_DATABASE(t);
    QSqlDatabase db = t.connection();
    // The fiscal sales are written last: without their payment table the store fails
    // after most of its rows went in.
    QSqlQuery drop(db);
    ASSERT_TRUE(drop.exec(QStringLiteral("DROP TABLE MOVCAIXA")))
        << drop.lastError().text().toStdString();
    EXPECT_THROW(createDemoDatabase(db, QDateTime::currentDateTime()), AppError);
    for (const char* table : {"FILIAL", "MESA", "ITMENUCONFTE", "VENDAREST", "VENDA"}) {
        EXPECT_EQ(countOf(db, QStringLiteral("SELECT COUNT(*) FROM %1").arg(table)), 0) << table;
    }
    EXPECT_EQ(countOf(db, "SELECT COUNT(*) FROM NOVOCODIGO"), 0);
}

TEST(DemoStoreCreation, ADatabaseWithoutTheSchemaIsRefused) {
    TestDatabase t(TestDatabase::Contents::Empty);
    TMK_REQUIRE_DATABASE(t);
    QSqlDatabase db = t.connection();
    EXPECT_THROW(createDemoDatabase(db, QDateTime::currentDateTime()), AppError);
    EXPECT_TRUE(db.tables(QSql::Tables).isEmpty());
}
