#include "platform/errors.h"
#include "platform/service_result.h"
#include "service/map_reads.h"
#include "tests/service/table_data.h"

#include <QDate>
#include <QMap>
#include <QRegularExpression>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryFile>

using namespace tmk;
using namespace tmk::test;

namespace {

QStringList sorted(QStringList list) {
    list.sort();
    return list;
}

class MapReads : public TableData {
protected:
    // A store whose area 01 holds tables 0001 to 0003 on page 1 and 0004 on page 2;
    // area 02 has no tables.
    void mapa(const QVariant& mesaPadrao) {
        loja(mesaPadrao);
        conftela();
        area(QStringLiteral("01"), QStringLiteral("Salão"));
        area(QStringLiteral("02"), QStringLiteral("Varanda"));
        for (const char* nr : {"0001", "0002", "0003", "0004"}) {
            mesa(QString::fromLatin1(nr));
        }
        botaoMesa(QStringLiteral("01"), QStringLiteral("0001"), QStringLiteral("01"));
        botaoMesa(QStringLiteral("02"), QStringLiteral("0002"), QStringLiteral("01"));
        botaoMesa(QStringLiteral("03"), QStringLiteral("0003"), QStringLiteral("01"));
        botaoMesa(QStringLiteral("01"), QStringLiteral("0004"), QStringLiteral("01"), 2);
    }
};

} // namespace

// ------------------------------------------------------------------ map layout and statuses

TEST_F(MapReads, TheDefaultTableIsAbsentFromStatusesAndButtons) {
    mapa(QStringLiteral("0002"));
    const DataPacket status = packetOf(getStatusMesa(*dm, F, L, CONF));
    EXPECT_EQ(columnsOf(status), (QStringList{"NRMESA", "NMMESA", "CDSALA", "IDSTMESAAUX"}));
    EXPECT_EQ(sorted(columnValues(status, QStringLiteral("NRMESA"))),
              (QStringList{"0001", "0003", "0004"}));

    const DataPacket botoes = packetOf(getConfigMesa(*dm, F, CONF));
    EXPECT_EQ(columnsOf(botoes),
              (QStringList{"NRBUTTON", "CDIDENTBUTON", "DSBUTTON", "NRCOLORTEXT", "NRCOLORBACK",
                           "NRBUTTONAUX", "NRPGCONFTELA", "NRFONTETEXT"}));
    EXPECT_EQ(sorted(columnValues(botoes, QStringLiteral("CDIDENTBUTON"))),
              (QStringList{"0001", "0003", "0004"}));
    const int i = columnValues(botoes, QStringLiteral("CDIDENTBUTON")).indexOf("0004");
    ASSERT_GE(i, 0);
    EXPECT_EQ(botoes.value(i, QStringLiteral("NRPGCONFTELA")).toLongLong(), 2);
    EXPECT_EQ(botoes.value(i, QStringLiteral("NRBUTTONAUX")).toString(), QStringLiteral("01"));
    EXPECT_EQ(botoes.value(i, QStringLiteral("NRCOLORTEXT")).toLongLong(), 255);
}

TEST_F(MapReads, AStoreWithoutDefaultTableShowsEveryConfiguredActiveTable) {
    mapa(QVariant());
    mesa(QStringLiteral("0009"), QStringLiteral("D"), {{"IDSTMESA", "I"}}); // inactive
    botaoMesa(QStringLiteral("04"), QStringLiteral("0009"), QStringLiteral("01"));
    mesa(QStringLiteral("0010")); // active but without a button
    // A button of another configuration, and one that is no table button.
    mesa(QStringLiteral("0011"));
    botaoMesa(QStringLiteral("05"), QStringLiteral("0011"), QStringLiteral("01"), 1,
              {{"NRCONFTELA", "0002"}});
    mesa(QStringLiteral("0012"));
    botaoMesa(QStringLiteral("06"), QStringLiteral("0012"), QStringLiteral("01"), 1,
              {{"NRPGCONFTAUX", 2}});

    EXPECT_EQ(sorted(columnValues(packetOf(getStatusMesa(*dm, F, L, CONF)), "NRMESA")),
              (QStringList{"0001", "0002", "0003", "0004"}));
    EXPECT_EQ(sorted(columnValues(packetOf(getConfigMesa(*dm, F, CONF)), "CDIDENTBUTON")),
              (QStringList{"0001", "0002", "0003", "0004", "0009"}));
}

TEST_F(MapReads, AStoredStatusPIsDeliveredAsS) {
    mapa(QVariant());
    sql(QStringLiteral("UPDATE MESA SET IDSTMESAAUX = CASE NRMESA WHEN '0001' THEN 'P' "
                       "WHEN '0002' THEN 'S' WHEN '0003' THEN 'R' ELSE 'C' END"));
    const DataPacket status = packetOf(getStatusMesa(*dm, F, L, CONF));
    ASSERT_EQ(status.rowCount(), 4);
    QMap<QString, QString> porMesa;
    for (int r = 0; r < status.rowCount(); ++r) {
        porMesa.insert(status.value(r, "NRMESA").toString(),
                       status.value(r, "IDSTMESAAUX").toString());
    }
    EXPECT_EQ(porMesa.value("0001"), QStringLiteral("S"));
    EXPECT_EQ(porMesa.value("0002"), QStringLiteral("S"));
    EXPECT_EQ(porMesa.value("0003"), QStringLiteral("R"));
    EXPECT_EQ(porMesa.value("0004"), QStringLiteral("C"));
    EXPECT_EQ(text("SELECT IDSTMESAAUX FROM MESA WHERE NRMESA = '0001'"), QStringLiteral("P"));
}

TEST_F(MapReads, AreasCountTheirTablesAndAnEmptyAreaHasZero) {
    mapa(QVariant());
    // A table button of another configuration does not count.
    botaoMesa(QStringLiteral("09"), QStringLiteral("0001"), QStringLiteral("02"), 1,
              {{"NRCONFTELA", "0002"}});
    const DataPacket areas = packetOf(getAmbientes(*dm, F, CONF));
    EXPECT_EQ(columnsOf(areas), (QStringList{"NRBUTTON", "DSBUTTON", "CDIDENTBUTON", "NRCOLORTEXT",
                                             "NRCOLORBACK", "QTDEMESAS", "NRFONTETEXT"}));
    ASSERT_EQ(areas.rowCount(), 2);
    const int salao = columnValues(areas, "NRBUTTON").indexOf("01");
    const int varanda = columnValues(areas, "NRBUTTON").indexOf("02");
    ASSERT_GE(salao, 0);
    ASSERT_GE(varanda, 0);
    EXPECT_EQ(areas.value(salao, "QTDEMESAS").toLongLong(), 4);
    EXPECT_EQ(areas.value(salao, "DSBUTTON").toString(), QStringLiteral("Salão"));
    EXPECT_FALSE(areas.value(varanda, "QTDEMESAS").isNull());
    EXPECT_EQ(areas.value(varanda, "QTDEMESAS").toLongLong(), 0);
    EXPECT_EQ(areas.fields[areas.fieldIndex("QTDEMESAS")].type, FieldType::Integer);
}

// ------------------------------------------------------------------ reservations

TEST_F(MapReads, ReservationsAreTodaysPendingOnesOnActiveTables) {
    loja();
    mesa(QStringLiteral("0001"));
    mesa(QStringLiteral("0002"));
    mesa(QStringLiteral("0003"), QStringLiteral("D"), {{"IDSTMESA", "I"}});
    const QDateTime hoje = QDate::currentDate().startOfDay();
    auto reserva = [&](const QString& nr, const QDateTime& dia, const QString& st,
                       const QString& nrMesa) {
        insert("RESERVAMESA", {{"CDFILIAL", F},
                               {"CDLOJA", L},
                               {"NRRESMESA", nr},
                               {"DTRESMESA", dia},
                               {"HRINIRESMESA", "1930"},
                               {"HRFINRESMESA", "2130"},
                               {"IDSTRESMESA", st}});
        insert("MESARESERVA",
               {{"CDFILIAL", F}, {"CDLOJA", L}, {"NRRESMESA", nr}, {"NRMESA", nrMesa}});
    };
    reserva("R1", hoje, "P", "0001");
    reserva("R2", hoje.addSecs(20 * 3600), "P", "0002"); // today, with a time of day
    reserva("R3", hoje.addDays(-1), "P", "0001");        // yesterday
    reserva("R4", hoje.addDays(1), "P", "0002");         // tomorrow
    reserva("R5", hoje, "C", "0002");                    // not pending
    reserva("R6", hoje, "P", "0003");                    // inactive table

    const DataPacket p = packetOf(getReserva(*dm, F, L));
    EXPECT_EQ(columnsOf(p), (QStringList{"CDFILIAL", "CDLOJA", "NRRESMESA", "DTRESMESA", "NRMESA",
                                         "HRINIRESMESA", "HRFINRESMESA"}));
    EXPECT_EQ(sorted(columnValues(p, "NRRESMESA")), (QStringList{"R1", "R2"}));
    const int r1 = columnValues(p, "NRRESMESA").indexOf("R1");
    EXPECT_EQ(p.value(r1, "DTRESMESA").toDateTime(), hoje);
    EXPECT_EQ(p.value(r1, "NRMESA").toString(), QStringLiteral("0001"));
    EXPECT_EQ(p.value(r1, "HRINIRESMESA").toString(), QStringLiteral("1930"));
}

// ------------------------------------------------------------------ last order

TEST_F(MapReads, LastOrderIsTheNewestItemOfTheOpenSale) {
    venda("V5", "0005", at(19, 0));
    comanda("V5", "0001", "RES_0005");
    comanda("V5", "0002", "RES_0005B");
    item("V5", "0001", "001", {{"DTHRINCOMVEN", at(19, 10, 0, 125)}});
    item("V5", "0002", "001", {{"DTHRINCOMVEN", at(19, 42, 7, 250)}});
    // A closed sale of the same table with a later item does not count.
    venda("V4", "0005", at(12, 0), at(13, 0));
    comanda("V4", "0001", "RES_0005");
    item("V4", "0001", "001", {{"DTHRINCOMVEN", at(21, 0)}});

    const DataPacket p = packetOf(getUltimaVenda(*dm, F, L, "0005"));
    EXPECT_EQ(columnsOf(p), QStringList{"DTULTIMAVENDA"});
    ASSERT_EQ(p.rowCount(), 1);
    EXPECT_EQ(p.fields[0].type, FieldType::DateTime);
    EXPECT_EQ(p.value(0, "DTULTIMAVENDA").toDateTime(), at(19, 42, 7, 250));
}

TEST_F(MapReads, AnOpenTableWithoutItemsGivesTheOpeningTimeAndAClosedOneNothing) {
    venda("V5", "0005", at(19, 58, 31, 500));
    comanda("V5", "0001", "RES_0005");
    venda("V6", "0006", at(12, 0), at(13, 0));
    comanda("V6", "0001", "RES_0006");
    item("V6", "0001", "001");

    const DataPacket aberta = packetOf(getUltimaVenda(*dm, F, L, "0005"));
    EXPECT_EQ(columnsOf(aberta), QStringList{"DTULTIMAVENDA"});
    ASSERT_EQ(aberta.rowCount(), 1);
    EXPECT_EQ(aberta.fields[0].type, FieldType::DateTime);
    // The date and the time of day of the opening, not the date alone.
    EXPECT_EQ(aberta.value(0, "DTULTIMAVENDA").toDateTime(), at(19, 58, 31, 500));

    const DataPacket fechada = packetOf(getUltimaVenda(*dm, F, L, "0006"));
    EXPECT_EQ(columnsOf(fechada), QStringList{"DTULTIMAVENDA"});
    EXPECT_TRUE(fechada.isEmpty());
}

TEST_F(MapReads, LastOrderOfConcatenatedTablesCoversBoth) {
    venda("V5", "0005", at(19, 0));
    comanda("V5", "0001", "RES_0005");
    item("V5", "0001", "001", {{"DTHRINCOMVEN", at(19, 5)}});
    venda("V6", "0006", at(19, 0));
    comanda("V6", "0001", "RES_0006");
    item("V6", "0001", "001", {{"DTHRINCOMVEN", at(19, 30)}});
    venda("V7", "0007", at(19, 0));
    comanda("V7", "0001", "RES_0007");
    item("V7", "0001", "001", {{"DTHRINCOMVEN", at(19, 50)}});
    // A sale without a table number is no member of any list.
    venda("V0", "", at(19, 0));
    comanda("V0", "0001", "RES_");
    item("V0", "0001", "001", {{"DTHRINCOMVEN", at(20, 30)}});

    EXPECT_EQ(
        packetOf(getUltimaVenda(*dm, F, L, "00050006")).value(0, "DTULTIMAVENDA").toDateTime(),
        at(19, 30));
    EXPECT_EQ(packetOf(getUltimaVenda(*dm, F, L, "0005")).value(0, "DTULTIMAVENDA").toDateTime(),
              at(19, 5));
}

// ------------------------------------------------------------------ tabs of a table

TEST_F(MapReads, TabsOfTheOpenSaleAndTheTableServiceOnes) {
    venda("V5", "0005", at(19, 0));
    comanda("V5", "0001", "RES_0005");
    comanda("V5", "0002", "PKR_0002");
    comanda("V5", "0003", "DLV_123");
    comanda("V5", "0004", "BALCAO");
    venda("V4", "0005", at(12, 0), at(13, 0)); // closed
    comanda("V4", "0001", "RES_0005");

    const DataPacket info = packetOf(getRetornaInfoMesa(*dm, F, L, "0005"));
    EXPECT_EQ(columnsOf(info), (QStringList{"NRVENDAREST", "NRCOMANDA", "IDSTCOMANDA", "DSCOMANDA",
                                            "CDCLIENTE", "CDVENDEDOR", "CDCONSUMIDOR"}));
    EXPECT_EQ(sorted(columnValues(info, "NRCOMANDA")),
              (QStringList{"0001", "0002", "0003", "0004"}));
    EXPECT_EQ(sorted(columnValues(info, "NRVENDAREST")).constFirst(), QStringLiteral("V5"));
    EXPECT_EQ(info.value(0, "CDCONSUMIDOR").toString(), QStringLiteral("K1"));

    const DataPacket ret = packetOf(getRetMesa(*dm, F, L, "0005"));
    EXPECT_EQ(columnsOf(ret), (QStringList{"NRVENDAREST", "NRCOMANDA", "IDSTCOMANDA", "DSCOMANDA",
                                           "CDCLIENTE", "CDVENDEDOR"}));
    EXPECT_EQ(sorted(columnValues(ret, "DSCOMANDA")), (QStringList{"PKR_0002", "RES_0005"}));
}

TEST_F(MapReads, TabsOfAJoinedTableCoverTheGroupOnceEachInOrder) {
    vendedor("001", "Ana");
    vendedor("002", "Bruno");
    juncao("J1", {"0005", "0006", "0007"});
    venda("V5", "0005", at(19, 0), {}, {{"NRPESMESAVEN", 4.0}});
    comanda("V5", "0002", "RES_0005B", "1", {{"VRCOMISVENDE", 3.5}});
    comanda("V5", "0001", "RES_0005");
    comanda("V5", "0003", "RES_0005C", "4"); // closed tab
    comanda("V5", "0004", "DLV_77");         // delivery, not a table tab
    venda("V6", "0006", at(19, 5), {}, {{"CDVENDEDOR", "002"}});
    comanda("V6", "0001", "PKR_0006");
    venda("V3", "0006", at(11, 0), at(12, 0)); // closed sale of the group
    comanda("V3", "0001", "RES_0006");
    venda("V8", "0008", at(19, 0)); // not in the group
    comanda("V8", "0001", "RES_0008");

    const QStringList colunas{"NRVENDAREST",  "NRCOMANDA",    "DSCOMANDA",    "IDSTCOMANDA",
                              "VRDESCOMANDA", "VRCOMISVENDE", "VRACRCOMANDA", "NRPESMESAVEN",
                              "CDVENDEDOR",   "NMFANVEN",     "CDCLIENTE"};
    for (const QVariant& result :
         {getComandaInd(*dm, "0006", F, L), getBuscaComandas(*dm, F, L, "0006")}) {
        const DataPacket p = packetOf(result);
        EXPECT_EQ(columnsOf(p), colunas);
        EXPECT_EQ(columnValues(p, "NRVENDAREST"), (QStringList{"V5", "V5", "V6"}));
        EXPECT_EQ(columnValues(p, "NRCOMANDA"), (QStringList{"0001", "0002", "0001"}));
        EXPECT_EQ(columnValues(p, "NMFANVEN"), (QStringList{"Ana", "Ana", "Bruno"}));
        EXPECT_DOUBLE_EQ(p.value(1, "VRCOMISVENDE").toDouble(), 3.5);
        EXPECT_DOUBLE_EQ(p.value(0, "NRPESMESAVEN").toDouble(), 4.0);
    }
    // A table in no group: its own tabs only.
    EXPECT_EQ(columnValues(packetOf(getComandaInd(*dm, "0008", F, L)), "NRVENDAREST"),
              QStringList{"V8"});
}

TEST_F(MapReads, JoinGroupOfATable) {
    juncao("J1", {"0007", "0005", "0006"});
    juncao("J2", {"0010", "0011"});
    const DataPacket sozinha = packetOf(getMesaJuncao(*dm, F, L, "0009"));
    EXPECT_TRUE(sozinha.isEmpty());
    EXPECT_EQ(columnsOf(sozinha), QStringList{"NRMESA"});
    EXPECT_EQ(columnValues(packetOf(getMesaJuncao(*dm, F, L, "0006")), "NRMESA"),
              (QStringList{"0005", "0006", "0007"}));
}

TEST_F(MapReads, SeatPositionsBlockedAndTheHighestUsedOnTheOpenSale) {
    venda("V5", "0005", at(19, 0));
    comanda("V5", "0001", "RES_0005");
    item("V5", "0001", "001", {{"NRLUGARMESA", "03"}, {"IDSTLUGARMESA", "S"}});
    item("V5", "0001", "002", {{"NRLUGARMESA", "01"}, {"IDSTLUGARMESA", "S"}});
    item("V5", "0001", "003", {{"NRLUGARMESA", "01"}, {"IDSTLUGARMESA", "S"}});
    item("V5", "0001", "004", {{"NRLUGARMESA", "02"}, {"IDSTLUGARMESA", "O"}});
    venda("V4", "0005", at(12, 0), at(13, 0)); // closed
    comanda("V4", "0001", "RES_0005");
    item("V4", "0001", "001", {{"NRLUGARMESA", "07"}, {"IDSTLUGARMESA", "S"}});
    venda("V6", "0006", at(19, 0));
    comanda("V6", "0001", "RES_0006");
    item("V6", "0001", "001", {{"NRLUGARMESA", "09"}, {"IDSTLUGARMESA", "S"}});
    // The same table number in another store of the branch, open too.
    venda("V7", "0005", at(19, 0), {}, {{"CDLOJA", "0002"}});
    comanda("V7", "0001", "RES_0005", "1", {{"CDLOJA", "0002"}});
    item("V7", "0001", "001", {{"NRLUGARMESA", "08"}, {"CDLOJA", "0002"}});

    // Positions with a requested bill: every sale of the table, the closed one counted.
    const DataPacket p = packetOf(getStatusPosicoes(*dm, F, L, "0005"));
    EXPECT_EQ(columnsOf(p), (QStringList{"NRMESA", "NRLUGARMESA", "IDSTLUGARMESA"}));
    EXPECT_EQ(columnValues(p, "NRLUGARMESA"), (QStringList{"01", "03", "07"}));
    EXPECT_EQ(columnValues(p, "IDSTLUGARMESA"), (QStringList{"S", "S", "S"}));

    // The highest position: the table's open sale in this store only (neither the closed
    // sale's 07 nor the other store's 08).
    EXPECT_EQ(getMaiorPosicao(*dm, F, "0005", L), QVariant(QStringLiteral("03")));
    EXPECT_EQ(getMaiorPosicao(*dm, F, "0005", "0002"), QVariant(QStringLiteral("08")));
    EXPECT_EQ(getMaiorPosicao(*dm, F, "0006", L), QVariant(QStringLiteral("09")));
    const QVariant nenhuma = getMaiorPosicao(*dm, F, "0012", L);
    EXPECT_EQ(nenhuma.metaType(), QMetaType::fromType<QString>());
    EXPECT_EQ(nenhuma.toString(), QString());
}

TEST_F(MapReads, AClosedTableHasNoHighestPosition) {
    venda("V4", "0005", at(12, 0), at(13, 0));
    comanda("V4", "0001", "RES_0005");
    item("V4", "0001", "001", {{"NRLUGARMESA", "07"}});
    EXPECT_EQ(getMaiorPosicao(*dm, F, "0005", L).toString(), QString());
}

TEST_F(MapReads, LargestPartyAndCashRegister) {
    insert("PARAVEND", {{"CDFILIAL", F}, {"NRMAXPESMES", 12}});
    const DataPacket pessoas = packetOf(getNrPesMesa(*dm, F));
    EXPECT_EQ(columnsOf(pessoas), QStringList{"NRMAXPESMES"});
    EXPECT_EQ(pessoas.value(0, "NRMAXPESMES").toLongLong(), 12);
    EXPECT_TRUE(packetOf(getNrPesMesa(*dm, "0099")).isEmpty());

    insert("CAIXA", {{"CDFILIAL", F},
                     {"CDCAIXA", "003"},
                     {"CDLOJA", L},
                     {"NMCAIXA", "Caixa 3"},
                     {"IDTIPOGAVETA", "1"},
                     {"IDPERTROCAOP", "S"}});
    const DataPacket caixa = packetOf(getCaixa(*dm, F, L, "003", "qualquer"));
    EXPECT_EQ(columnsOf(caixa),
              (QStringList{"CDCAIXA", "NMCAIXA", "IDTIPOGAVETA", "IDPERTROCAOP"}));
    ASSERT_EQ(caixa.rowCount(), 1);
    EXPECT_EQ(caixa.value(0, "NMCAIXA").toString(), QStringLiteral("Caixa 3"));
    EXPECT_TRUE(packetOf(getCaixa(*dm, F, "0002", "003", {})).isEmpty());
}

TEST_F(MapReads, DeliveryAndOrdinaryTabLabelsOfTheOpenSale) {
    venda("V5", "0005", at(19, 0));
    comanda("V5", "0001", "RES_0005");
    comanda("V5", "0002", "PKR_1");
    comanda("V5", "0003", "DLV_4321");
    comanda("V5", "0004", "ENC_9");
    comanda("V5", "0005", "BALCAO 7");
    comanda("V5", "0006", "CMD");
    venda("V6", "0006", at(19, 0));
    comanda("V6", "0001", "DLV_999");
    // The closed sales of the table block nothing.
    venda("V4", "0005", at(12, 0), at(13, 0));
    comanda("V4", "0001", "DLV_1111");
    comanda("V4", "0002", "CMD ANTIGA");

    const DataPacket dlv = packetOf(getBuscaMesaDlv(*dm, F, L, "0005"));
    EXPECT_EQ(columnsOf(dlv), QStringList{"DSCOMANDA"});
    EXPECT_EQ(columnValues(dlv, "DSCOMANDA"), QStringList{"4321"});
    const DataPacket cmd = packetOf(getBuscaMesaCmd(*dm, F, L, "0005"));
    EXPECT_EQ(columnsOf(cmd), QStringList{"DSCOMANDA"});
    EXPECT_EQ(sorted(columnValues(cmd, "DSCOMANDA")), (QStringList{"BALCAO 7", "CMD"}));
}

TEST_F(MapReads, ASaleIsEmptyUntilItHasAnItem) {
    venda("V5", "0005", at(19, 0));
    comanda("V5", "0001", "RES_0005");
    EXPECT_TRUE(getVerifMesaVazia(*dm, F, L, "V5"));
    item("V5", "0001", "001");
    EXPECT_FALSE(getVerifMesaVazia(*dm, F, L, "V5"));
    EXPECT_TRUE(getVerifMesaVazia(*dm, F, "0002", "V5")); // another store
}

TEST_F(MapReads, PendingAppPaymentsOfOtherPositions) {
    auto pagamento = [&](const QString& seq, const QString& comanda, const QString& lugar,
                         const QVariant& nrSeqVenda = {}) {
        insert("MOVCAIXAMOB", {{"CDFILIAL", F},
                               {"NRSEQMOVMOB", seq},
                               {"NRVENDAREST", "V5"},
                               {"NRMESA", "0005"},
                               {"NRCOMANDA", comanda},
                               {"NRLUGARMESA", lugar},
                               {"IDSTMOV", "1"},
                               {"NRSEQVENDA", nrSeqVenda}});
    };
    pagamento("1", "0", "02");              // on tab "0"
    pagamento("2", "0001", "T");            // the whole table, same position as asked
    pagamento("3", "0002", "03", "000123"); // already in a fiscal sale
    EXPECT_TRUE(verificaIDSTLUGARMESA(*dm, F, "_0_0001_0002_", "T"));

    pagamento("4", "0002", "04");
    EXPECT_FALSE(verificaIDSTLUGARMESA(*dm, F, "_0_0001_0002_", "T"));
    EXPECT_TRUE(verificaIDSTLUGARMESA(*dm, F, "_0001_", "T"));      // tab not in the list
    EXPECT_TRUE(verificaIDSTLUGARMESA(*dm, F, "_0002_", "04"));     // the position asked about
    EXPECT_TRUE(verificaIDSTLUGARMESA(*dm, "0002", "_0002_", "T")); // another branch

    // A payment of the whole table recorded as "00" is no payment of another position
    // when the whole table is asked about; it is one when a seat is.
    pagamento("5", "0001", "00");
    EXPECT_TRUE(verificaIDSTLUGARMESA(*dm, F, "_0001_", "T"));
    EXPECT_FALSE(verificaIDSTLUGARMESA(*dm, F, "_0001_", "02"));
}

TEST_F(MapReads, NaturesOfTheListedTabsNewestFirstWithoutNatureLast) {
    loja();
    conftela();
    conftela(QStringLiteral("0002"), QStringLiteral("0002")); // another store
    auto produto = [&](const QString& conf, const QString& botao, const QString& cd,
                       const QVariant& natureza) {
        insert("ITMENUCONFTE", {{"CDFILIAL", F},
                                {"NRCONFTELA", conf},
                                {"IDTPBUTTON", "1"},
                                {"NRBUTTONAUX", ""},
                                {"NRPGCONFTELA", 1},
                                {"NRBUTTON", botao},
                                {"CDIDENTBUTON", cd},
                                {"CDNATPRODUTO", natureza}});
    };
    produto(CONF, "01", "BEB", "1");
    produto(CONF, "02", "COZ", "2");
    produto(CONF, "03", "SEM", QVariant());
    produto(CONF, "04", "CAN", "3");
    produto("0002", "01", "OUT", "9");
    venda("V5", "0005", at(19, 0));
    comanda("V5", "0001", "RES_0005");
    comanda("V5", "0002", "RES_0005B");
    comanda("V5", "0003", "RES_0005C");
    item("V5", "0001", "001", {{"CDPRODUTO", "BEB"}});
    item("V5", "0001", "002", {{"CDPRODUTO", "SEM"}});
    item("V5", "0002", "001", {{"CDPRODUTO", "COZ"}});
    item("V5", "0002", "002", {{"CDPRODUTO", "BEB"}});
    item("V5", "0002", "003", {{"CDPRODUTO", "CAN"}, {"IDSTPRCOMVEN", "6"}}); // cancelled
    item("V5", "0002", "004", {{"CDPRODUTO", "OUT"}}); // button of another store only
    item("V5", "0003", "001", {{"CDPRODUTO", "CAN"}}); // tab not listed

    const DataPacket p = packetOf(getVerifNatItens(*dm, F, "_0001_0002_", L));
    EXPECT_EQ(columnsOf(p), QStringList{"CDNATPRODUTO"});
    EXPECT_EQ(columnValues(p, "CDNATPRODUTO"), (QStringList{"2", "1", "0"}));
}

TEST_F(MapReads, AppPaidTablesAreNumberedFromTheNewestPayment) {
    venda("V5", "0005", at(19, 0));
    comanda("V5", "0001", "RES_0005");
    venda("V6", "0006", at(19, 0));
    comanda("V6", "0001", "PKR_0006");
    venda("V7", "0007", at(19, 0));
    comanda("V7", "0001", "DLV_1"); // a delivery sale is no app-paid table
    auto pagamento = [&](const QString& seq, const QString& venda, const QString& mesa,
                         const QVariant& quando, const QString& st = QStringLiteral("1"),
                         const QVariant& nrSeqVenda = {}) {
        insert("MOVCAIXAMOB", {{"CDFILIAL", F},
                               {"NRSEQMOVMOB", seq},
                               {"NRVENDAREST", venda},
                               {"NRMESA", mesa},
                               {"NRCOMANDA", "0001"},
                               {"NRLUGARMESA", "T"},
                               {"VRMOV", 10.5},
                               {"IDUTILTXSERV", "S"},
                               {"IDSTMOV", st},
                               {"DTHRINCMOV", quando},
                               {"NRSEQVENDA", nrSeqVenda}});
    };
    pagamento("1", "V5", "0005", at(19, 10));
    pagamento("2", "V6", "0006", at(19, 40, 0, 500));
    pagamento("3", "V5", "0005", QVariant()); // no time: numbered last
    pagamento("4", "V5", "0005", at(19, 20));
    pagamento("5", "V5", "0005", at(19, 50), "2");           // not confirmed
    pagamento("6", "V6", "0006", at(19, 55), "1", "000001"); // already taken
    pagamento("7", "V7", "0007", at(19, 59));                // delivery
    pagamento("8", "V5", "0009", at(19, 58));                // another table

    const DataPacket p = packetOf(getMesasPagasAPP(*dm, F));
    EXPECT_EQ(columnsOf(p),
              (QStringList{"LINHA", "CDFILIAL", "NRVENDAREST", "NRMESA", "CDLOJA", "NRCOMANDA",
                           "NRLUGARMESA", "VRMOV", "IDUTILTXSERV", "DTHRINCMOV"}));
    ASSERT_EQ(p.rowCount(), 4);
    QMap<qlonglong, int> porLinha;
    for (int r = 0; r < p.rowCount(); ++r) {
        porLinha.insert(p.value(r, "LINHA").toLongLong(), r);
    }
    EXPECT_EQ(porLinha.keys(), (QList<qlonglong>{1, 2, 3, 4}));
    EXPECT_EQ(p.value(porLinha[1], "DTHRINCMOV").toDateTime(), at(19, 40, 0, 500));
    EXPECT_EQ(p.value(porLinha[1], "NRMESA").toString(), QStringLiteral("0006"));
    EXPECT_EQ(p.value(porLinha[2], "DTHRINCMOV").toDateTime(), at(19, 20));
    EXPECT_EQ(p.value(porLinha[3], "DTHRINCMOV").toDateTime(), at(19, 10));
    EXPECT_TRUE(p.value(porLinha[4], "DTHRINCMOV").isNull());
    EXPECT_EQ(p.fields[p.fieldIndex("DTHRINCMOV")].type, FieldType::DateTime);
    EXPECT_EQ(p.fields[p.fieldIndex("LINHA")].type, FieldType::Integer);
    EXPECT_DOUBLE_EQ(p.value(porLinha[1], "VRMOV").toDouble(), 10.5);
}

// ------------------------------------------------------------------ nothing found, failures

TEST_F(MapReads, KeysThatMatchNothingGiveEmptyResults) {
    mapa(QVariant());
    for (const QVariant& r :
         {getStatusMesa(*dm, "0099", L, CONF), getConfigMesa(*dm, F, "0099"),
          getAmbientes(*dm, "0099", CONF), getReserva(*dm, F, L),
          getRetornaInfoMesa(*dm, F, L, "0001"), getComandaInd(*dm, "0001", F, L),
          getStatusPosicoes(*dm, F, L, "0001"), getBuscaMesaCmd(*dm, F, L, "0001"),
          getMesasPagasAPP(*dm, F), getVerifNatItens(*dm, F, "_0001_", L)}) {
        EXPECT_TRUE(packetOf(r).isEmpty());
    }
    EXPECT_EQ(getMaiorPosicao(*dm, F, "0001", L).toString(), QString());
    EXPECT_TRUE(getVerifMesaVazia(*dm, F, L, "V1"));
    EXPECT_TRUE(verificaIDSTLUGARMESA(*dm, F, "_0001_", "T"));
}

TEST_F(MapReads, AFailedStatementIsReportedAsEachOperationReportsIt) {
    mapa(QVariant());
    dropTable("MESA");
    // The converted failure names the statement.
    const QVariant status = getStatusMesa(*dm, F, L, CONF);
    ASSERT_TRUE(isServiceFailure(status));
    EXPECT_TRUE(serviceFailureMessage(status).contains("adqStatusMesa"))
        << serviceFailureMessage(status).toStdString();

    // getNrPesMesa: the exception's own text, and an open transaction is ended.
    dropTable("PARAVEND");
    QString propria;
    try {
        dm->openPacket("adqNrPesMesa", {{"P_CDFILIAL", F}});
        FAIL() << "the statement ran without its table";
    } catch (const std::exception& e) {
        propria = exceptionText(e);
    }
    dm->StartTrans();
    const QVariant pessoas = getNrPesMesa(*dm, F);
    ASSERT_TRUE(isServiceFailure(pessoas));
    EXPECT_EQ(serviceFailureMessage(pessoas), propria);
    EXPECT_FALSE(serviceFailureMessage(pessoas).contains(QLatin1Char('\n')));
    EXPECT_FALSE(dm->inTransaction());

    // The two truth operations let the exception pass.
    dropTable("ITCOMANDAVEN");
    EXPECT_THROW(getVerifMesaVazia(*dm, F, L, "V1"), AppError);
    dropTable("MOVCAIXAMOB");
    EXPECT_THROW(verificaIDSTLUGARMESA(*dm, F, "_0001_", "T"), AppError);
}

TEST_F(MapReads, ADatabaseThatCannotBeReachedIsAFailureNotACrash) {
    TrdmGerMesa fora(QStringLiteral("fora-do-ar"));
    QString texto = db->connectionText();
    QTemporaryFile arquivo; // a file where the database folder should be
    ASSERT_TRUE(arquivo.open());
    // A server on a port where none listens, or a file in a folder that cannot be made.
    if (dialect().hasServer()) {
        texto.replace(QRegularExpression(QStringLiteral("Port=\\d+")), QStringLiteral("Port=1"));
    } else {
        texto = QStringLiteral("Provider=QSQLITE;Data Source=") + arquivo.fileName() +
                QStringLiteral("/banco.sqlite");
    }
    EXPECT_THROW(fora.connectTo(texto), AppError);
    const QVariant r = getStatusMesa(fora, F, L, CONF);
    ASSERT_TRUE(isServiceFailure(r));
    EXPECT_TRUE(serviceFailureMessage(r).contains(QStringLiteral("Sem conexão")))
        << serviceFailureMessage(r).toStdString();
    EXPECT_TRUE(isServiceFailure(getNrPesMesa(fora, F)));
    EXPECT_THROW(getVerifMesaVazia(fora, F, L, "V1"), AppError);
}
