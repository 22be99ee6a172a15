#include "platform/service_result.h"
#include "service/cancelled_sale.h"
#include "service/sale_cleanup.h"
#include "tests/service/service_fixture.h"

#include <QSqlQuery>

using namespace tmk;
using namespace tmk::test;

namespace {

const QString kFilial = QStringLiteral("0001");
const QString kLoja = QStringLiteral("01");
const QString kCaixa = QStringLiteral("001");
const QString kMesa = QStringLiteral("0010");
const QDateTime kAbertura(QDate(2024, 5, 15), QTime(8, 30, 15));

// ------------------------------------------------------------------ cancelled sale

// A sold item of the receipt's item list, with the sale-level columns repeated.
struct Vendido {
    QString produto;
    double qt;
    double preco;
    double desconto = 0;
    QVariant aliquota = QVariant();
};

struct Venda {
    QVariant vrDesComanda; // texts in the packet: empty means absent
    QVariant vrTxServico;
    QVariant vrAcrComanda;
};

DataPacket vendidos(const QList<Vendido>& itens, const Venda& venda = {}) {
    DataPacket p;
    const auto text = [&](const char* n) {
        p.fields << FieldDef{QString::fromLatin1(n)};
    };
    const auto real = [&](const char* n) {
        p.fields << FieldDef{QString::fromLatin1(n), FieldType::Float};
    };
    text("CDFILIAL");
    text("NRVENDAREST");
    text("CDLOJA");
    text("CDVENDEDOR");
    text("CDOPERADOR");
    text("NRCUPOMFIS");
    text("VRDESCOMANDA");
    text("VRTXSERVICO");
    text("VRACRCOMANDA");
    text("CDLOJAIT");
    text("CDPRODUTO");
    text("CDPRODPROMOCAO");
    real("QTPRODCOMVEN");
    real("VRPRECCOMVEN");
    real("VRDESCCOMVEN");
    real("VRUNITVENDCL");
    text("CDORDALIQIMPR");
    real("VRALIQIMPR");
    for (const Vendido& i : itens) {
        p.rows << QVariantList{kFilial,
                               "V1",
                               kLoja,
                               "VEND",
                               "OPER",
                               "0000000000",
                               venda.vrDesComanda,
                               venda.vrTxServico,
                               venda.vrAcrComanda,
                               "02",
                               i.produto,
                               QVariant(),
                               i.qt,
                               i.preco,
                               i.desconto,
                               QVariant(),
                               "T01",
                               i.aliquota};
    }
    return p;
}

DataPacket cancelados(const QList<Vendido>& itens) {
    DataPacket p;
    for (const char* n : {"CDFILIAL", "CDPRODUTO"}) {
        p.fields << FieldDef{QString::fromLatin1(n)};
    }
    for (const char* n : {"QTPRODCOMVEN", "VRPRECCOMVEN", "VRDESCCOMVEN", "VRUNITVENCLC"}) {
        p.fields << FieldDef{QString::fromLatin1(n), FieldType::Float};
    }
    p.fields << FieldDef{"CDORDALIQIMPRIC"} << FieldDef{"VRALIQIMPRIC", FieldType::Float}
             << FieldDef{"CDSUPERVISOR"} << FieldDef{"CDOPERCANC"};
    for (const Vendido& i : itens) {
        p.rows << QVariantList{kFilial,    i.produto, i.qt,       i.preco, i.desconto,
                               QVariant(), "T02",     i.aliquota, "SUPER", "OPCAN"};
    }
    return p;
}

class CancelledSale : public ServiceFixture {
protected:
    QVariant registra(const DataPacket& v, const DataPacket& c, int tipoImpressora = 1) {
        return setCancelaVendas(*dm, QVariant::fromValue(v), QVariant::fromValue(c), kCaixa,
                                kAbertura, "EMP1", "nao lido", "000123", kMesa, "EXT9", "SERIE",
                                "MODELO", "MARCA", "ECF1", tipoImpressora);
    }
    QString numeroDe(const QVariant& r) {
        EXPECT_FALSE(isServiceFailure(r)) << serviceFailureMessage(r).toStdString();
        EXPECT_EQ(r.metaType(), QMetaType::fromType<QString>());
        return r.toString();
    }
    QVariant item(const QString& column, const QString& nrSeqVenda, const QString& seq) {
        return value(QStringLiteral("SELECT %1 FROM ITEMVENDA WHERE NRSEQVENDA = :V AND "
                                    "NRSEQUITVEND = :S")
                         .arg(column),
                     {{"V", nrSeqVenda}, {"S", seq}});
    }
    QVariant cancelado(const QString& column, const QString& nrSeqVenda, const QString& seq) {
        return value(QStringLiteral("SELECT %1 FROM ITVENDACAN WHERE NRSEQVENDA = :V AND "
                                    "NRSEQITVENDC = :S")
                         .arg(column),
                     {{"V", nrSeqVenda}, {"S", seq}});
    }
    QVariant venda(const QString& column, const QString& nrSeqVenda) {
        return value(QStringLiteral("SELECT %1 FROM VENDA WHERE NRSEQVENDA = :V").arg(column),
                     {{"V", nrSeqVenda}});
    }
    static QDateTime dataHora(const QVariant& v) {
        return v.metaType().id() == QMetaType::QDateTime
                   ? v.toDateTime()
                   : QDateTime::fromString(v.toString(), "yyyy-MM-dd HH:mm:ss.zzz");
    }
};

TEST_F(CancelledSale, NoSoldItemWritesNothing) {
    const QVariant r = registra(vendidos({}), cancelados({{"P9", 1, 5.0}}));
    EXPECT_FALSE(r.isValid());
    EXPECT_EQ(count("VENDA"), 0);
    EXPECT_EQ(count("ITVENDACAN"), 0);
    EXPECT_EQ(count("NOVOCODIGO"), 0); // no sale number spent
    EXPECT_FALSE(dm->inTransaction());
}

TEST_F(CancelledSale, TheSaleItsItemsAndItsCancelledItemsAreRecorded) {
    insert("PARAVEND", {{"CDFILIAL", kFilial},
                        {"CDGRPRODPDV", "G1"},
                        {"CDCLIENTE", "CLIPAD"},
                        {"CDCCUSCLIE", "CC1"}});
    insert("PRSUBGRPROD", {{"CDFILISUBGR", kFilial},
                           {"CDGRUPPROD", "G1"},
                           {"CDPRODUTO", "P1"},
                           {"CDSUBGRPROD", "S1"}});
    insert(
        "PRSUBGRPROD",
        {{"CDFILISUBGR", "P"}, {"CDGRUPPROD", "G1"}, {"CDPRODUTO", "P2"}, {"CDSUBGRPROD", "S2"}});
    insert(
        "PRSUBGRPROD",
        {{"CDFILISUBGR", "P"}, {"CDGRUPPROD", "G1"}, {"CDPRODUTO", "P1"}, {"CDSUBGRPROD", "SX"}});

    const QDateTime antes = QDateTime::currentDateTime().addSecs(-1);
    const QString nr = numeroDe(registra(vendidos({{"P1", 2, 5.0, 0, 12.349}, {"P2", 1, 3.5}}),
                                         cancelados({{"P3", 1, 2.5, 0, 18.0}})));
    ASSERT_FALSE(nr.isEmpty());
    EXPECT_EQ(count("VENDA"), 1);
    EXPECT_EQ(venda("NRSEQVENDAMSDE", nr).toString(), nr);
    EXPECT_EQ(venda("CDFILIALTUR", nr).toString(), kFilial);
    EXPECT_EQ(venda("CDCAIXATUR", nr).toString(), kCaixa);
    EXPECT_EQ(venda("CDCLIENTE", nr).toString(), "CLIPAD");
    EXPECT_EQ(venda("CDCCUSCLIE", nr).toString(), "CC1");
    EXPECT_EQ(venda("CDEMPRESA", nr).toString(), "EMP1");
    EXPECT_EQ(venda("CDVENDEDOR", nr).toString(), "VEND");
    EXPECT_EQ(venda("CDOPERADOR", nr).toString(), "OPER");
    EXPECT_EQ(venda("CDLOJA", nr).toString(), kLoja);
    EXPECT_EQ(venda("NRCUPOMFIS", nr).toString(), "0000000000");
    EXPECT_EQ(venda("IDSITUVENDA", nr).toString(), "C");
    EXPECT_EQ(venda("IDTIPOVENDA", nr).toString(), "D");
    EXPECT_EQ(venda("IDTPFORPGVEN", nr).toString(), "V");
    EXPECT_EQ(venda("IDVENDEBCONS", nr).toString(), "N");
    EXPECT_EQ(venda("IDORIGEMVENDA", nr).toString(), "MES_KOV");
    EXPECT_EQ(venda("NRMESA", nr).toString(), kMesa);
    EXPECT_EQ(venda("NRVENDAEXT", nr).toString(), "EXT9");
    EXPECT_EQ(venda("NRCONTCUPOMFISC", nr).toString(), "000123");
    EXPECT_EQ(venda("NRSERIEIMPVND", nr).toString(), "SERIE");
    EXPECT_EQ(venda("DSMODELOECFVE", nr).toString(), "MODELO");
    EXPECT_EQ(venda("DSMARCAECFVE", nr).toString(), "MARCA");
    EXPECT_EQ(venda("NRECFCUPOMVE", nr).toString(), "ECF1");
    EXPECT_DOUBLE_EQ(venda("VRDESCVENDA", nr).toDouble(), 0.0);
    EXPECT_DOUBLE_EQ(venda("VRTXSEVENDA", nr).toDouble(), 0.0);
    EXPECT_EQ(
        count("VENDA", "CDCONSUMIDOR IS NULL AND NRCOMANDAVND IS NULL AND NRPESMESAVENDA IS NULL"),
        1);
    EXPECT_EQ(dataHora(venda("DTABERTUR", nr)), kAbertura);
    EXPECT_EQ(dataHora(venda("DTENTRVENDA", nr)), QDateTime(kAbertura.date(), QTime(0, 0)));
    const QDateTime dtVenda = dataHora(venda("DTVENDA", nr));
    EXPECT_GE(dtVenda, antes);
    EXPECT_LE(dtVenda, QDateTime::currentDateTime().addSecs(1));
    EXPECT_EQ(dataHora(venda("DTFECHAVENDA", nr)), dtVenda);
    // The total counts the cancelled item too: 10.00 + 3.50 + 2.50.
    EXPECT_DOUBLE_EQ(venda("VRTOTVENDA", nr).toDouble(), 16.0);

    ASSERT_EQ(count("ITEMVENDA"), 2);
    EXPECT_EQ(item("NRORDITCUPFIS", nr, "001").toString(), "00001");
    EXPECT_EQ(item("NRORDITCUPFIS", nr, "002").toString(), "00002");
    EXPECT_EQ(item("CDPRODUTO", nr, "001").toString(), "P1");
    EXPECT_EQ(item("CDLOJA", nr, "001").toString(), "02");
    EXPECT_DOUBLE_EQ(item("QTPRODVEND", nr, "001").toDouble(), 2.0);
    EXPECT_DOUBLE_EQ(item("VRUNITVEND", nr, "001").toDouble(), 5.0);
    EXPECT_EQ(item("CDORDALIQIMPR", nr, "001").toString(), "T01");
    EXPECT_DOUBLE_EQ(item("VRALIQIMPR", nr, "001").toDouble(), 12.34);
    // The branch's subgroup first, the pattern branch "P" after.
    EXPECT_EQ(item("CDGRUPPROD", nr, "001").toString(), "G1");
    EXPECT_EQ(item("CDSUBGRPROD", nr, "001").toString(), "S1");
    EXPECT_EQ(item("CDFISUBGRVND", nr, "001").toString(), kFilial);
    EXPECT_EQ(item("CDSUBGRPROD", nr, "002").toString(), "S2");
    EXPECT_EQ(item("CDFISUBGRVND", nr, "002").toString(), "P");
    EXPECT_EQ(count("ITEMVENDA", "CDFAMILISALD IS NULL AND CDPRODPROMOCAO IS NULL"), 2);

    // The cancelled item numbers on from the sold items while its own counter starts.
    ASSERT_EQ(count("ITVENDACAN"), 1);
    EXPECT_EQ(cancelado("NRORDITCUPFISCA", nr, "001").toString(), "00003");
    EXPECT_EQ(cancelado("CDPRODUTO", nr, "001").toString(), "P3");
    EXPECT_DOUBLE_EQ(cancelado("VRALIQIMPRIC", nr, "001").toDouble(), 18.0);
    EXPECT_EQ(cancelado("CDORDALIQIMPRIC", nr, "001").toString(), "T02");
    EXPECT_EQ(cancelado("CDSUPERVISOR", nr, "001").toString(), "SUPER");
    EXPECT_EQ(cancelado("CDOPERCANC", nr, "001").toString(), "OPCAN");
    // A product without a subgroup anywhere gets none.
    EXPECT_EQ(count("ITVENDACAN", "CDGRUPPROD IS NULL AND CDSUBGRPROD IS NULL AND "
                                  "CDFISUBGRVNC IS NULL"),
              1);
    EXPECT_FALSE(dm->inTransaction());

    // The next cancelled sale gets the next number.
    const QString outro = numeroDe(registra(vendidos({{"P1", 1, 1.0}}), cancelados({})));
    EXPECT_NE(outro, nr);
    EXPECT_EQ(outro.toLongLong(), nr.toLongLong() + 1);
}

TEST_F(CancelledSale, DiscountAndServiceChargeAreNettedAndSpreadOverTheItems) {
    // Discount 10.00 against a service charge of 4.00: a discount of 6.00 is spread in
    // proportion to the net values 14.00 and 9.00 of a total of 23.00.
    const QString nr = numeroDe(
        registra(vendidos({{"P1", 2, 7.0}, {"P2", 1, 9.99, 0.99}}, {"10", "4", QVariant()}),
                 cancelados({{"P3", 1, 2.5, 0.5}})));
    EXPECT_NEAR(item("VRDESITVEND", nr, "001").toDouble(), 3.65, 1e-9); // 14 x 6 / 23 = 3.652
    EXPECT_NEAR(item("VRDESITVEND", nr, "002").toDouble(), 0.99 + 2.34, 1e-9); // 2.347
    EXPECT_DOUBLE_EQ(item("VRACRITVEND", nr, "001").toDouble(), 0.0);
    EXPECT_DOUBLE_EQ(item("VRACRITVEND", nr, "002").toDouble(), 0.0);
    // A cancelled item keeps its own discount, without the last sold item's share.
    EXPECT_NEAR(cancelado("VRDESITVENDC", nr, "001").toDouble(), 0.5, 1e-9);
}

TEST_F(CancelledSale, ASurchargeLargerThanTheDiscountIsSpreadUnlessThePrinterTakesNone) {
    // Service 3.00 plus surcharge 2.00 against a discount of 1.00: a surcharge of 4.00.
    const Venda venda{"1", "3", "2"};
    const QList<Vendido> itens{{"P1", 1, 10.0}, {"P2", 3, 6.67}}; // 10.00 and 20.01
    const QString nr = numeroDe(registra(vendidos(itens, venda), cancelados({})));
    EXPECT_NEAR(item("VRACRITVEND", nr, "001").toDouble(), 1.33, 1e-9); // 10 x 4 / 30.01
    EXPECT_NEAR(item("VRACRITVEND", nr, "002").toDouble(), 2.66, 1e-9); // 20.01 x 4 / 30.01
    EXPECT_DOUBLE_EQ(item("VRDESITVEND", nr, "001").toDouble(), 0.0);
    EXPECT_DOUBLE_EQ(item("VRDESITVEND", nr, "002").toDouble(), 0.0);

    for (int tipo : {16, 30}) {
        const QString semAcrescimo =
            numeroDe(registra(vendidos(itens, venda), cancelados({}), tipo));
        EXPECT_EQ(count("ITEMVENDA", "NRSEQVENDA = :V AND VRACRITVEND = 0", {{"V", semAcrescimo}}),
                  2)
            << tipo;
    }

    // Free items: no total to spread over, no share and no division by zero.
    const QString gratis = numeroDe(registra(vendidos({{"P1", 1, 0.0}}, venda), cancelados({})));
    EXPECT_DOUBLE_EQ(item("VRACRITVEND", gratis, "001").toDouble(), 0.0);
    EXPECT_DOUBLE_EQ(item("VRDESITVEND", gratis, "001").toDouble(), 0.0);
}

TEST_F(CancelledSale, AFailureInTheMiddleCommitsNothing) {
    db->refuse("ITEMVENDA", "INSERT", "NEW.CDPRODUTO = 'FALHA'");
    const QVariant r =
        registra(vendidos({{"P1", 1, 1.0}, {"FALHA", 1, 1.0}}), cancelados({{"P3", 1, 1.0}}));
    ASSERT_TRUE(isServiceFailure(r));
    EXPECT_FALSE(serviceFailureMessage(r).isEmpty());
    EXPECT_FALSE(dm->inTransaction());
    EXPECT_EQ(count("VENDA"), 0);
    EXPECT_EQ(count("ITEMVENDA"), 0);
    EXPECT_EQ(count("ITVENDACAN"), 0);
}

TEST_F(CancelledSale, WithoutASaleNumberNothingIsWrittenAndTheFailureIsTheResult) {
    db->refuse("NOVOCODIGO", "INSERT", "1 = 1");
    const QVariant r = registra(vendidos({{"P1", 1, 1.0}}), cancelados({{"P3", 1, 1.0}}));
    ASSERT_TRUE(isServiceFailure(r));
    EXPECT_TRUE(serviceFailureMessage(r).contains("PEDIDOVENDA"))
        << serviceFailureMessage(r).toStdString();
    EXPECT_FALSE(dm->inTransaction());
    EXPECT_EQ(count("VENDA"), 0);
    EXPECT_EQ(count("ITEMVENDA"), 0);
    EXPECT_EQ(count("ITVENDACAN"), 0);
}

TEST_F(CancelledSale, BadInputIsRefusedWithAClearMessage) {
    QVariant r = setCancelaVendas(*dm, QVariant(QStringLiteral("não é um pacote")), QVariant(),
                                  kCaixa, kAbertura, "", "", "", kMesa, "", "", "", "", "", 1);
    ASSERT_TRUE(isServiceFailure(r));
    EXPECT_TRUE(serviceFailureMessage(r).contains("cdsGeraVenda"));

    r = setCancelaVendas(*dm, QVariant::fromValue(vendidos({{"P1", 1, 1.0}})), QVariant(), kCaixa,
                         QDateTime(), "", "", "", kMesa, "", "", "", "", "", 1);
    ASSERT_TRUE(isServiceFailure(r));
    EXPECT_TRUE(serviceFailureMessage(r).contains("abertura do caixa"));

    // A packet without a column the record needs names it.
    DataPacket semProduto = vendidos({{"P1", 1, 1.0}});
    const int col = semProduto.fieldIndex("CDPRODUTO");
    semProduto.fields.removeAt(col);
    semProduto.rows[0].removeAt(col);
    r = registra(semProduto, cancelados({}));
    ASSERT_TRUE(isServiceFailure(r));
    EXPECT_TRUE(serviceFailureMessage(r).contains("CDPRODUTO"));
    EXPECT_EQ(count("VENDA"), 0);
}

// ------------------------------------------------------------------ sale clean-up

class SaleCleanup : public ServiceFixture {
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
    void venda(const QString& nr, const QString& mesa = kMesa) {
        insert("VENDAREST",
               {{"CDFILIAL", kFilial}, {"NRVENDAREST", nr}, {"CDLOJA", kLoja}, {"NRMESA", mesa}});
    }
    void comanda(const QString& venda, const QString& nr) {
        insert("COMANDAVEN", {{"CDFILIAL", kFilial}, {"NRVENDAREST", venda}, {"NRCOMANDA", nr}});
    }
    void item(const QString& venda, const QString& comanda, const QString& nr) {
        insert("ITCOMANDAVEN", {{"CDFILIAL", kFilial},
                                {"NRVENDAREST", venda},
                                {"NRCOMANDA", comanda},
                                {"NRPRODCOMVEN", nr}});
    }
    QVariant limpa(const QString& status) {
        return setDeletaVendaRest(*dm, kMesa, kFilial, kLoja, status);
    }
    QString statusMesa() {
        return value("SELECT IDSTMESAAUX FROM MESA WHERE NRMESA = :M", {{"M", kMesa}}).toString();
    }
    // The table's live sale with its pad and item.
    void vendaViva() {
        venda("V1");
        comanda("V1", "0001");
        item("V1", "0001", "001");
    }
};

TEST_F(SaleCleanup, ACleanTableWithoutSaleIsFreedAndAnsweredZero) {
    EXPECT_EQ(limpa("D"), QVariant(0));
    EXPECT_EQ(statusMesa(), "D");
}

TEST_F(SaleCleanup, ATableWithItsSaleIsLeftAsItIs) {
    vendaViva();
    EXPECT_EQ(limpa("O"), QVariant(0));
    EXPECT_EQ(statusMesa(), "O");
    EXPECT_EQ(count("ITCOMANDAVEN"), 1);
    EXPECT_EQ(count("COMANDAVEN"), 1);
    EXPECT_EQ(count("VENDAREST"), 1);
}

TEST_F(SaleCleanup, ItemsWithoutTheirPadAreDeleted) {
    vendaViva();
    item("V1", "0009", "002");
    EXPECT_EQ(limpa("O"), QVariant(kItensSemComanda));
    EXPECT_EQ(count("ITCOMANDAVEN"), 1);
    EXPECT_EQ(count("ITCOMANDAVEN", "NRCOMANDA = '0001'"), 1);
    EXPECT_EQ(statusMesa(), "O");
}

TEST_F(SaleCleanup, PadsWithoutTheirSaleGoWithTheirItemsAndFreeTheTable) {
    venda("V2", "0020");
    comanda("V2", "1");
    item("V2", "1", "001");
    // Pad 11 of a sale that no longer exists; pad 1 of a live sale is not taken for it.
    comanda("VX", "11");
    item("VX", "11", "001");
    item("VX", "11", "002");
    EXPECT_EQ(limpa("D"), QVariant(kComandasSemVenda));
    EXPECT_EQ(count("COMANDAVEN", "NRCOMANDA = '11'"), 0);
    EXPECT_EQ(count("ITCOMANDAVEN", "NRCOMANDA = '11'"), 0);
    EXPECT_EQ(count("ITCOMANDAVEN", "NRCOMANDA = '1'"), 1);
    EXPECT_EQ(count("COMANDAVEN", "NRCOMANDA = '1'"), 1);
    EXPECT_EQ(statusMesa(), "D");
}

TEST_F(SaleCleanup, SalesOfTheTableWithoutPadsAreDeletedAndTheTableFreedWhenOccupied) {
    venda("V7");
    EXPECT_EQ(limpa("O"), QVariant(kVendasSemComanda));
    EXPECT_EQ(count("VENDAREST"), 0);
    EXPECT_EQ(statusMesa(), "D");
}

TEST_F(SaleCleanup, AnOpenedTableIsNotFreedForItsOrphanSale) {
    vendaViva();
    venda("V7");
    venda("V8", "0020"); // another table's sale without a pad stays
    EXPECT_EQ(limpa("D"), QVariant(kVendasSemComanda));
    EXPECT_EQ(count("VENDAREST", "NRVENDAREST = 'V7'"), 0);
    EXPECT_EQ(count("VENDAREST", "NRVENDAREST IN ('V1', 'V8')"), 2);
    EXPECT_EQ(statusMesa(), "O");
}

TEST_F(SaleCleanup, EveryKindOfOrphanAtOnceGivesFifteen) {
    vendaViva();
    item("V1", "0009", "002"); // item without pad
    comanda("VX", "0005");     // pad without sale
    item("VX", "0005", "001");
    venda("V7"); // sale without pad
    EXPECT_EQ(limpa("C"), QVariant(15));
    EXPECT_EQ(count("ITCOMANDAVEN"), 1);
    EXPECT_EQ(count("COMANDAVEN"), 1);
    EXPECT_EQ(count("VENDAREST"), 1);
    // The table's live sale is still open: the table stays in use.
    EXPECT_EQ(statusMesa(), "O");
}

TEST_F(SaleCleanup, OrphansOfOtherTablesNeverFreeATableInUse) {
    vendaViva();
    comanda("VX", "0005"); // a pad whose sale is gone, of some other table
    EXPECT_EQ(limpa("D"), QVariant(kComandasSemVenda));
    EXPECT_EQ(statusMesa(), "O");
    // A stray sale without pads of a continued table goes, the table stays in use.
    venda("V7");
    EXPECT_EQ(limpa("O"), QVariant(kVendasSemComanda));
    EXPECT_EQ(count("VENDAREST", "NRVENDAREST = 'V7'"), 0);
    EXPECT_EQ(statusMesa(), "O");
}

TEST_F(SaleCleanup, AnItemKeepsItsPadByNumberWithinTheBranchOnly) {
    vendaViva();
    // Pad 0002 exists in the branch under another table's sale: its number is enough.
    venda("V3", "0020");
    comanda("V3", "0002");
    item("V1", "0002", "002");
    // Pad 0009 exists only in another branch: the item is an orphan here.
    insert("COMANDAVEN", {{"CDFILIAL", "0002"}, {"NRVENDAREST", "V1"}, {"NRCOMANDA", "0009"}});
    item("V1", "0009", "003");
    EXPECT_EQ(limpa("O"), QVariant(kItensSemComanda));
    EXPECT_EQ(count("ITCOMANDAVEN", "NRCOMANDA = '0009'"), 0);
    EXPECT_EQ(count("ITCOMANDAVEN", "NRCOMANDA = '0002'"), 1);
    EXPECT_EQ(count("COMANDAVEN"), 3);
}

TEST_F(SaleCleanup, PadsLookForTheirSaleInTheBranchAndSalesForPadsInEveryBranch) {
    vendaViva();
    // A pad whose sale exists only in another branch is an orphan of this branch.
    insert("VENDAREST",
           {{"CDFILIAL", "0002"}, {"NRVENDAREST", "V5"}, {"CDLOJA", kLoja}, {"NRMESA", "0030"}});
    comanda("V5", "0005");
    // A sale of the table whose only pad is kept by another branch is not an orphan.
    venda("V6");
    insert("COMANDAVEN", {{"CDFILIAL", "0002"}, {"NRVENDAREST", "V6"}, {"NRCOMANDA", "0006"}});
    EXPECT_EQ(limpa("O"), QVariant(kComandasSemVenda));
    EXPECT_EQ(count("COMANDAVEN", "CDFILIAL = '0001' AND NRCOMANDA = '0005'"), 0);
    EXPECT_EQ(count("VENDAREST", "NRVENDAREST IN ('V1', 'V5', 'V6')"), 3);
    EXPECT_EQ(count("COMANDAVEN", "CDFILIAL = '0002'"), 1);
}

TEST_F(SaleCleanup, AFailureIsReportedAndWhatRanBeforeStaysDone) {
    vendaViva();
    item("V1", "0009", "002");
    comanda("VX", "0005");
    item("VX", "0005", "001");
    db->refuse("COMANDAVEN", "DELETE", "OLD.NRCOMANDA = '0005'");
    const QVariant r = limpa("O");
    ASSERT_TRUE(isServiceFailure(r));
    EXPECT_TRUE(serviceFailureMessage(r).contains("acmDelCmd"))
        << serviceFailureMessage(r).toStdString();
    // The items of both orphan kinds were deleted before the pad was refused.
    EXPECT_EQ(count("ITCOMANDAVEN", "NRCOMANDA = '0009'"), 0);
    EXPECT_EQ(count("ITCOMANDAVEN", "NRCOMANDA = '0005'"), 0);
    EXPECT_EQ(count("COMANDAVEN", "NRCOMANDA = '0005'"), 1);
    EXPECT_EQ(statusMesa(), "O");
}

} // namespace
