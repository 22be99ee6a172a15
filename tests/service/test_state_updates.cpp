#include "platform/service_result.h"
#include "service/state_updates.h"
#include "tests/service/table_data.h"

#include <QThread>

using namespace tmk;
using namespace tmk::test;

namespace {

class StateUpdates : public TableData {
protected:
    QString status(const QString& nrMesa) {
        return text("SELECT IDSTMESAAUX FROM MESA WHERE NRMESA = :M", {{"M", nrMesa}});
    }
    QVariant column(const QString& table, const QString& column, const QString& where) {
        return value(QStringLiteral("SELECT %1 FROM %2 WHERE %3").arg(column, table, where));
    }
    // Date-time columns come back as text on SQLite.
    QDateTime dateTime(const QString& table, const QString& column, const QString& where) {
        const QVariant v = this->column(table, column, where);
        if (v.isNull()) {
            return {};
        }
        return dm->dialect().readDateTime(v);
    }
    static bool ok(const QVariant& result) {
        EXPECT_FALSE(isServiceFailure(result)) << serviceFailureMessage(result).toStdString();
        return !isServiceFailure(result) && !result.isValid();
    }
};

} // namespace

// ------------------------------------------------------------------ table status

TEST_F(StateUpdates, BillRequestedSetsTheWholeGroupAndStampsOnlyTheTablePassed) {
    for (const char* m : {"0005", "0006", "0007", "0008"}) {
        mesa(QString::fromLatin1(m), "O");
    }
    juncao("J1", {"0005", "0006", "0007"});
    venda("V5", "0005", at(19, 0));
    venda("V4", "0005", at(12, 0), at(13, 0));
    venda("V6", "0006", at(19, 0));
    const QDateTime antes = serverNow();

    EXPECT_TRUE(ok(setStatusMesa(*dm, F, L, "0006", "S")));

    for (const char* m : {"0005", "0006", "0007"}) {
        EXPECT_EQ(status(QString::fromLatin1(m)), QStringLiteral("S")) << m;
    }
    EXPECT_EQ(status("0008"), QStringLiteral("O"));
    for (const char* v : {"V5", "V4"}) {
        EXPECT_FALSE(dateTime("VENDAREST", "DTHRMESAFECH",
                              QStringLiteral("NRVENDAREST = '%1'").arg(QString::fromLatin1(v)))
                         .isValid())
            << v;
    }
    const QDateTime pedida = dateTime("VENDAREST", "DTHRMESAFECH", "NRVENDAREST = 'V6'");
    ASSERT_TRUE(pedida.isValid());
    EXPECT_GE(pedida, antes.addMSecs(-5));
    EXPECT_LE(pedida, serverNow().addMSecs(5));
}

TEST_F(StateUpdates, AnyOtherStatusClearsTheRequestTimeOfTheOpenSaleOnly) {
    mesa("0005", "S");
    mesa("0006", "S");
    venda("V5", "0005", at(19, 0), {}, {{"DTHRMESAFECH", at(20, 0)}});
    venda("V4", "0005", at(12, 0), at(13, 0), {{"DTHRMESAFECH", at(12, 50)}});
    venda("V6", "0006", at(19, 0), {}, {{"DTHRMESAFECH", at(20, 5)}});

    EXPECT_TRUE(ok(setStatusMesa(*dm, F, L, "0005", "O")));

    EXPECT_EQ(status("0005"), QStringLiteral("O"));
    EXPECT_EQ(status("0006"), QStringLiteral("S")); // not joined
    EXPECT_FALSE(dateTime("VENDAREST", "DTHRMESAFECH", "NRVENDAREST = 'V5'").isValid());
    // The closed sale keeps its history.
    EXPECT_EQ(dateTime("VENDAREST", "DTHRMESAFECH", "NRVENDAREST = 'V4'"), at(12, 50));
    EXPECT_EQ(dateTime("VENDAREST", "DTHRMESAFECH", "NRVENDAREST = 'V6'"), at(20, 5));
    // "s" is no bill request: the status is taken as given and the time cleared.
    venda("V7", "0007", at(19, 0), {}, {{"DTHRMESAFECH", at(20, 0)}});
    mesa("0007", "O");
    EXPECT_TRUE(ok(setStatusMesa(*dm, F, L, "0007", "s")));
    EXPECT_FALSE(dateTime("VENDAREST", "DTHRMESAFECH", "NRVENDAREST = 'V7'").isValid());
}

TEST_F(StateUpdates, ABillRequestNeverRestampsAClosedSale) {
    mesa("0005", "O");
    venda("V5", "0005", at(19, 0));
    venda("V4", "0005", at(12, 0), at(13, 0), {{"DTHRMESAFECH", at(12, 50)}});
    EXPECT_TRUE(ok(setStatusMesa(*dm, F, L, "0005", "S")));
    EXPECT_TRUE(dateTime("VENDAREST", "DTHRMESAFECH", "NRVENDAREST = 'V5'").isValid());
    EXPECT_EQ(dateTime("VENDAREST", "DTHRMESAFECH", "NRVENDAREST = 'V4'"), at(12, 50));
}

// The conditional change: the table and its group change only while the table itself still
// has the expected status.
TEST_F(StateUpdates, AConditionalChangeHappensOnlyWhileTheTableHasTheExpectedStatus) {
    struct Case {
        const char* name;
        const char* before; // status of 0005 before
        const char* member; // status of 0006 (joined) before
        bool changes;
        const char* after;       // status of 0005 after
        const char* memberAfter; // status of 0006 after
    };
    const Case cases[] = {
        {"still being received", "R", "R", true, "S", "S"},
        {"already back to requested", "S", "S", false, "S", "S"},
        {"released meanwhile", "D", "D", false, "D", "D"},
        {"a member being received, the table not", "O", "R", false, "O", "R"},
    };
    for (const Case& c : cases) {
        sql("DELETE FROM MESA");
        sql("DELETE FROM MESAJUNCAO");
        sql("DELETE FROM JUNCAOMESA");
        sql("DELETE FROM VENDAREST");
        mesa("0005", c.before);
        mesa("0006", c.member);
        mesa("0007", "R");
        juncao("J1", {"0005", "0006"});
        venda("V5", "0005", at(19, 0));
        const QVariant r = setStatusMesaSe(*dm, F, L, "0005", "R", "S");
        ASSERT_FALSE(isServiceFailure(r)) << c.name << serviceFailureMessage(r).toStdString();
        EXPECT_EQ(r, QVariant(c.changes)) << c.name;
        EXPECT_EQ(status("0005"), QString::fromLatin1(c.after)) << c.name;
        EXPECT_EQ(status("0006"), QString::fromLatin1(c.memberAfter)) << c.name;
        EXPECT_EQ(status("0007"), QStringLiteral("R")) << c.name; // not joined
        EXPECT_EQ(dateTime("VENDAREST", "DTHRMESAFECH", "NRVENDAREST = 'V5'").isValid(), c.changes)
            << c.name;
        EXPECT_FALSE(dm->inTransaction()) << c.name;
    }
}

TEST_F(StateUpdates, AFailedConditionalChangeLeavesTheStatus) {
    mesa("0005", "R");
    venda("V5", "0005", at(19, 0));
    db->refuse("VENDAREST", "UPDATE OF DTHRMESAFECH", "1 = 1");
    const QVariant r = setStatusMesaSe(*dm, F, L, "0005", "R", "S");
    ASSERT_TRUE(isServiceFailure(r));
    EXPECT_EQ(status("0005"), QStringLiteral("R"));
    EXPECT_FALSE(dm->inTransaction());
}

TEST_F(StateUpdates, WhenStampingFailsTheStatusSetBeforeStays) {
    mesa("0005", "O");
    dropTable("VENDAREST");
    const QVariant r = setStatusMesa(*dm, F, L, "0005", "S");
    ASSERT_TRUE(isServiceFailure(r));
    EXPECT_TRUE(serviceFailureMessage(r).contains("acmDtHrFechMesa1"))
        << serviceFailureMessage(r).toStdString();
    EXPECT_EQ(status("0005"), QStringLiteral("S"));
    EXPECT_FALSE(dm->inTransaction());
}

TEST_F(StateUpdates, ReleaseSetsOnlyThatTableFree) {
    mesa("0005", "R");
    mesa("0006", "R");
    juncao("J1", {"0005", "0006"});
    EXPECT_TRUE(ok(setLiberaMesa(*dm, F, L, "0005")));
    EXPECT_EQ(status("0005"), QStringLiteral("D"));
    EXPECT_EQ(status("0006"), QStringLiteral("R"));
}

// A table whose sale was closed is freed with the tables of its join group, except any
// table that still has an open sale of its own.
TEST_F(StateUpdates, FreeingAnEmptiedTableLeavesJoinedTablesWithOpenSales) {
    for (const char* m : {"0005", "0006", "0007", "0008"}) {
        mesa(QString::fromLatin1(m), "O");
    }
    juncao("J1", {"0005", "0006", "0007"});
    venda("V5", "0005", at(19, 0), at(20, 0)); // the emptied table: its sale is closed
    venda("V6", "0006", at(19, 0));            // joined, a sale of its own still open
    venda("V7", "0007", at(12, 0), at(13, 0)); // joined, only a closed sale
    venda("V8", "0008", at(19, 0));            // not joined
    EXPECT_TRUE(ok(setLiberaMesaVazia(*dm, F, L, "0005")));
    EXPECT_EQ(status("0005"), QStringLiteral("D"));
    EXPECT_EQ(status("0006"), QStringLiteral("O"));
    EXPECT_EQ(status("0007"), QStringLiteral("D"));
    EXPECT_EQ(status("0008"), QStringLiteral("O"));

    // A table that still has an open sale keeps its state.
    EXPECT_TRUE(ok(setLiberaMesaVazia(*dm, F, L, "0008")));
    EXPECT_EQ(status("0008"), QStringLiteral("O"));
    EXPECT_EQ(status("0006"), QStringLiteral("O"));
}

// ------------------------------------------------------------------ tabs and party

TEST_F(StateUpdates, TabsOfTheOpenSaleBecomeOpenAgain) {
    venda("V5", "0005", at(19, 0));
    comanda("V5", "0001", "RES_0005", "3");
    comanda("V5", "0002", "RES_0005B", "2");
    venda("V4", "0005", at(12, 0), at(13, 0));
    comanda("V4", "0001", "RES_0005", "4");
    venda("V6", "0006", at(12, 0), at(13, 0));
    comanda("V6", "0001", "RES_0006", "4");

    EXPECT_TRUE(ok(setStatusComanda(*dm, F, L, "0005")));
    EXPECT_EQ(count("COMANDAVEN", "NRVENDAREST = 'V5' AND IDSTCOMANDA = '1'"), 2);
    EXPECT_EQ(text("SELECT IDSTCOMANDA FROM COMANDAVEN WHERE NRVENDAREST = 'V4'"), "4");

    // A table without an open sale: nothing changes, and that is no failure.
    EXPECT_TRUE(ok(setStatusComanda(*dm, F, L, "0006")));
    EXPECT_EQ(text("SELECT IDSTCOMANDA FROM COMANDAVEN WHERE NRVENDAREST = 'V6'"), "4");
}

TEST_F(StateUpdates, PartySizeChangesSizeAndPositionsOfTheOpenSaleOnly) {
    venda("V5", "0005", at(19, 0));
    venda("V4", "0005", at(12, 0), at(13, 0));
    EXPECT_TRUE(ok(setNumPesMesa(*dm, F, L, "0005", 4)));
    EXPECT_DOUBLE_EQ(column("VENDAREST", "NRPESMESAVEN", "NRVENDAREST = 'V5'").toDouble(), 4.0);
    EXPECT_DOUBLE_EQ(column("VENDAREST", "NRPOSICAOMESA", "NRVENDAREST = 'V5'").toDouble(), 4.0);
    EXPECT_DOUBLE_EQ(column("VENDAREST", "NRPESMESAVEN", "NRVENDAREST = 'V4'").toDouble(), 2.0);
    EXPECT_DOUBLE_EQ(column("VENDAREST", "NRPOSICAOMESA", "NRVENDAREST = 'V4'").toDouble(), 2.0);
}

TEST_F(StateUpdates, ServiceChargeOfOneTabInATransaction) {
    venda("V5", "0005", at(19, 0));
    comanda("V5", "0001", "RES_0005", "1", {{"VRCOMISVENDE", 1.0}});
    comanda("V5", "0002", "RES_0005B", "1", {{"VRCOMISVENDE", 1.0}});
    EXPECT_TRUE(ok(AlteraVrTxServico(*dm, F, "V5", "0002", 12.35)));
    EXPECT_FALSE(dm->inTransaction());
    EXPECT_DOUBLE_EQ(column("COMANDAVEN", "VRCOMISVENDE", "NRCOMANDA = '0002'").toDouble(), 12.35);
    EXPECT_DOUBLE_EQ(column("COMANDAVEN", "VRCOMISVENDE", "NRCOMANDA = '0001'").toDouble(), 1.0);
    // Seen by another connection: committed.
    auto outra = db->openAnother("outro-caixa");
    QSqlQuery q(outra);
    ASSERT_TRUE(q.exec("SELECT VRCOMISVENDE FROM COMANDAVEN WHERE NRCOMANDA = '0002'"));
    ASSERT_TRUE(q.next());
    EXPECT_DOUBLE_EQ(q.value(0).toDouble(), 12.35);
    q.finish();

    dropTable("COMANDAVEN");
    EXPECT_TRUE(isServiceFailure(AlteraVrTxServico(*dm, F, "V5", "0002", 1.0)));
    EXPECT_FALSE(dm->inTransaction());
}

// ------------------------------------------------------------------ seat positions

TEST_F(StateUpdates, APositionStatusNeverTouchesAPaidItem) {
    venda("V5", "0005", at(19, 0));
    comanda("V5", "0001", "RES_0005");
    item("V5", "0001", "001", {{"NRLUGARMESA", "01"}, {"IDSTLUGARMESA", "S"}});
    item("V5", "0001", "002", {{"NRLUGARMESA", "01"}, {"IDSTLUGARMESA", "P"}});
    item("V5", "0001", "003", {{"NRLUGARMESA", "02"}, {"IDSTLUGARMESA", "S"}});
    venda("V4", "0005", at(12, 0), at(13, 0)); // every sale of the table
    comanda("V4", "0001", "RES_0005");
    item("V4", "0001", "001", {{"NRLUGARMESA", "01"}, {"IDSTLUGARMESA", "S"}});
    venda("V6", "0006", at(19, 0));
    comanda("V6", "0001", "RES_0006");
    item("V6", "0001", "001", {{"NRLUGARMESA", "01"}, {"IDSTLUGARMESA", "S"}});

    EXPECT_TRUE(ok(setStatusPosicao(*dm, F, L, "01", "0005", "O")));
    auto st = [&](const char* venda, const char* prod) {
        return text(QStringLiteral("SELECT IDSTLUGARMESA FROM ITCOMANDAVEN WHERE NRVENDAREST = "
                                   "'%1' AND NRPRODCOMVEN = '%2'")
                        .arg(QString::fromLatin1(venda), QString::fromLatin1(prod)));
    };
    EXPECT_EQ(st("V5", "001"), QStringLiteral("O"));
    EXPECT_EQ(st("V5", "002"), QStringLiteral("P"));
    EXPECT_EQ(st("V5", "003"), QStringLiteral("S"));
    EXPECT_EQ(st("V4", "001"), QStringLiteral("O"));
    EXPECT_EQ(st("V6", "001"), QStringLiteral("S"));
}

TEST_F(StateUpdates, AppBlocksEndAfterMoreThanFiveMinuteBoundaries) {
    QDateTime agora = serverNow();
    ASSERT_TRUE(agora.isValid());
    if (agora.time().second() >= 58) { // keep the minute from turning mid-test
        QThread::msleep(
            quint64(60000 - (agora.time().second() * 1000 + agora.time().msec()) + 100));
        agora = serverNow();
    }
    const QDateTime minuto(agora.date(), QTime(agora.time().hour(), agora.time().minute()));
    // Blocked at hh:mm:30 five minutes back: 5 boundaries (as 12:00:30 seen at 12:05:59).
    const QDateTime cincoMeio = minuto.addSecs(-5 * 60 + 30);
    // Six minutes back at :30: 6 boundaries (as 12:00:30 seen at 12:06:00).
    const QDateTime seisMeio = minuto.addSecs(-6 * 60 + 30);
    // More than five minutes elapsed, still 5 boundaries.
    const QDateTime cincoInicio = minuto.addSecs(-5 * 60);
    // Less than six minutes elapsed, already 6 boundaries.
    const QDateTime seisFim = minuto.addSecs(-6 * 60).addMSecs(59999);
    mesa("0001", "S", {{"DTBLOQMESA", cincoMeio}});
    mesa("0002", "S", {{"DTBLOQMESA", seisMeio}});
    mesa("0003", "S", {{"DTBLOQMESA", cincoInicio}});
    mesa("0004", "S", {{"DTBLOQMESA", seisFim}});
    mesa("0005", "R", {{"DTBLOQMESA", minuto.addSecs(-3600)}}); // not held by the app
    mesa("0006", "S");                                          // no block time
    mesa("0007", "S", {{"DTBLOQMESA", minuto.addSecs(-3600)}, {"CDLOJA", "0002"}});
    venda("V1", "0001", at(19, 0));
    comanda("V1", "0001", "RES_0001");
    item("V1", "0001", "001", {{"IDSTLUGARMESA", "S"}, {"DTBLOQPOS", cincoMeio}});
    item("V1", "0001", "002", {{"IDSTLUGARMESA", "S"}, {"DTBLOQPOS", seisMeio}});
    item("V1", "0001", "003", {{"IDSTLUGARMESA", "S"}, {"DTBLOQPOS", cincoInicio}});
    item("V1", "0001", "004", {{"IDSTLUGARMESA", "S"}, {"DTBLOQPOS", seisFim}});
    item("V1", "0001", "005", {{"IDSTLUGARMESA", "P"}, {"DTBLOQPOS", minuto.addSecs(-3600)}});

    EXPECT_TRUE(ok(setDesbloqueiaPosMesasAPP(*dm, F, L)));
    const QDateTime depois = serverNow();
    ASSERT_EQ(depois.time().minute(), minuto.time().minute()) << "the minute turned mid-test";

    EXPECT_EQ(status("0001"), QStringLiteral("S"));
    EXPECT_EQ(status("0002"), QStringLiteral("O"));
    EXPECT_EQ(status("0003"), QStringLiteral("S"));
    EXPECT_EQ(status("0004"), QStringLiteral("O"));
    EXPECT_EQ(status("0005"), QStringLiteral("R"));
    EXPECT_EQ(status("0006"), QStringLiteral("S"));
    EXPECT_EQ(text("SELECT IDSTMESAAUX FROM MESA WHERE CDLOJA = '0002'"), QStringLiteral("S"));
    EXPECT_EQ(dateTime("MESA", "DTBLOQMESA", "NRMESA = '0001'"), cincoMeio);
    EXPECT_FALSE(dateTime("MESA", "DTBLOQMESA", "NRMESA = '0002'").isValid());
    EXPECT_FALSE(dateTime("MESA", "DTBLOQMESA", "NRMESA = '0004'").isValid());

    auto pos = [&](const char* prod) {
        return text(QStringLiteral("SELECT IDSTLUGARMESA FROM ITCOMANDAVEN WHERE NRPRODCOMVEN = "
                                   "'%1'")
                        .arg(QString::fromLatin1(prod)));
    };
    EXPECT_EQ(pos("001"), QStringLiteral("S"));
    EXPECT_EQ(pos("002"), QStringLiteral("O"));
    EXPECT_EQ(pos("003"), QStringLiteral("S"));
    EXPECT_EQ(pos("004"), QStringLiteral("O"));
    EXPECT_EQ(pos("005"), QStringLiteral("P"));
    EXPECT_EQ(dateTime("ITCOMANDAVEN", "DTBLOQPOS", "NRPRODCOMVEN = '003'"), cincoInicio);
    EXPECT_FALSE(dateTime("ITCOMANDAVEN", "DTBLOQPOS", "NRPRODCOMVEN = '004'").isValid());
}

// ------------------------------------------------------------------ access log

TEST_F(StateUpdates, EveryAccessIsLoggedAsTheSalesSystem) {
    const QDateTime antes = QDateTime::currentDateTime().addMSecs(-1);
    EXPECT_TRUE(ok(setLogAcesso(*dm, "OPER01")));
    EXPECT_TRUE(ok(setLogAcesso(*dm, "OPER02")));
    const QDateTime depois = QDateTime::currentDateTime().addMSecs(1);
    EXPECT_EQ(count("LOGACESSO"), 2);
    EXPECT_EQ(count("LOGACESSO", "DSSISTEMA = 'VND'"), 2);
    EXPECT_EQ(count("LOGACESSO", "CDOPERADOR = 'OPER01'"), 1);
    const QDateTime quando = dateTime("LOGACESSO", "DTHRACESSO", "CDOPERADOR = 'OPER02'");
    EXPECT_GE(quando, antes);
    EXPECT_LE(quando, depois);
}

// ------------------------------------------------------------------ empty openings

TEST_F(StateUpdates, AnOpeningWithItemsIsKeptAndAnEmptyOneRemoved) {
    mesa("0005", "O");
    venda("V5", "0005", at(19, 0));
    comanda("V5", "0001", "RES_0005");
    comanda("V5", "0002", "RES_0005B");
    item("V5", "0001", "001");
    item("V5", "0002", "001");
    EXPECT_EQ(setUltMesaAber(*dm, F, L, "0005"), QVariant(false));
    EXPECT_EQ(count("VENDAREST"), 1);
    EXPECT_EQ(count("COMANDAVEN"), 2);
    EXPECT_EQ(status("0005"), QStringLiteral("O"));

    mesa("0006", "O");
    venda("V6", "0006", at(19, 30));
    comanda("V6", "0001", "RES_0006");
    comanda("V6", "0002", "RES_0006B");
    EXPECT_EQ(setUltMesaAber(*dm, F, L, "0006"), QVariant(true));
    EXPECT_FALSE(dm->inTransaction());
    EXPECT_EQ(count("VENDAREST", "NRVENDAREST = 'V6'"), 0);
    EXPECT_EQ(count("COMANDAVEN", "NRVENDAREST = 'V6'"), 0); // no tab left without its sale
    EXPECT_EQ(status("0006"), QStringLiteral("D"));
    EXPECT_EQ(count("VENDAREST", "NRVENDAREST = 'V5'"), 1);
}

TEST_F(StateUpdates, AnEmptyTabDoesNotRemoveASaleWithItemsNorAClosedSale) {
    mesa("0005", "O");
    venda("V5", "0005", at(19, 0));
    comanda("V5", "0001", "RES_0005");
    comanda("V5", "0002", "RES_0005B"); // no item on this tab
    item("V5", "0001", "001");
    venda("V4", "0005", at(12, 0), at(13, 0)); // a closed opening that never had an item
    comanda("V4", "0003", "RES_0005");
    EXPECT_EQ(setUltMesaAber(*dm, F, L, "0005"), QVariant(false));
    EXPECT_EQ(count("VENDAREST"), 2);
    EXPECT_EQ(count("COMANDAVEN"), 3);
    EXPECT_EQ(status("0005"), QStringLiteral("O"));
}

TEST_F(StateUpdates, AFailedRemovalUndoesItsWholeTransaction) {
    venda("V6", "0006", at(19, 30));
    comanda("V6", "0001", "RES_0006");
    dropTable("MESA"); // the last command fails
    const QVariant r = setUltMesaAber(*dm, F, L, "0006");
    ASSERT_TRUE(isServiceFailure(r));
    EXPECT_TRUE(serviceFailureMessage(r).contains("acmUpdStMesa"))
        << serviceFailureMessage(r).toStdString();
    EXPECT_FALSE(dm->inTransaction());
    EXPECT_EQ(count("VENDAREST", "NRVENDAREST = 'V6'"), 1);
    EXPECT_EQ(count("COMANDAVEN", "NRVENDAREST = 'V6'"), 1);
}

// ------------------------------------------------------------------ nothing matches

TEST_F(StateUpdates, KeysThatMatchNothingChangeNothingAndSucceed) {
    mesa("0005", "O");
    venda("V5", "0005", at(19, 0));
    comanda("V5", "0001", "RES_0005", "3");
    EXPECT_TRUE(ok(setStatusMesa(*dm, F, L, "0099", "S")));
    EXPECT_TRUE(ok(setStatusComanda(*dm, F, L, "0099")));
    EXPECT_TRUE(ok(setNumPesMesa(*dm, F, L, "0099", 6)));
    EXPECT_TRUE(ok(setLiberaMesa(*dm, "0099", L, "0005")));
    EXPECT_TRUE(ok(setStatusPosicao(*dm, F, L, "01", "0099", "O")));
    EXPECT_TRUE(ok(setDesbloqueiaPosMesasAPP(*dm, "0099", L)));
    EXPECT_TRUE(ok(AlteraVrTxServico(*dm, F, "V9", "0001", 5)));
    EXPECT_EQ(setUltMesaAber(*dm, F, L, "0099"), QVariant(false));
    EXPECT_EQ(status("0005"), QStringLiteral("O"));
    EXPECT_EQ(text("SELECT IDSTCOMANDA FROM COMANDAVEN"), QStringLiteral("3"));
    EXPECT_DOUBLE_EQ(column("VENDAREST", "NRPESMESAVEN", "NRVENDAREST = 'V5'").toDouble(), 2.0);
    EXPECT_TRUE(column("VENDAREST", "DTHRMESAFECH", "NRVENDAREST = 'V5'").isNull());
}
