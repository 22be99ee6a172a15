// The opening of a table on the demo store: what is written, the numbers it takes, two
// tills racing for one table, and every failure leaving nothing behind.

#include "db/demo/demo_catalogue.h"
#include "external/common.h"
#include "platform/client_dataset.h"
#include "platform/database_error.h"
#include "platform/till_folder.h"
#include "suite/dialogs/table_opening.h"
#include "suite/dialogs/table_opening_dialog.h"
#include "tests/suite/dialogs_db/demo_store_fixture.h"
#include "tests/suite/print_qstring.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QLineEdit>
#include <QListWidget>
#include <QPixmap>
#include <QSqlQuery>
#include <latch>
#include <thread>

namespace tmk {
namespace {

using dialogs_test::click;
using dialogs_test::DemoStoreTest;
using dialogs_test::ScriptedDialogs;
using test::TestDatabase;

const QString kWaiter = QString::fromLatin1(demo::kWaiters[0].code);

class TableOpeningTest : public DemoStoreTest {
protected:
    // Everything an opening may write, to compare before and after a refusal.
    struct Written {
        qlonglong vendas = 0;
        qlonglong comandas = 0;
        QString counters;
        QString estado;

        bool operator==(const Written&) const = default;
        friend void PrintTo(const Written& w, std::ostream* out) {
            *out << w.vendas << " sales, " << w.comandas << " pads, counters "
                 << w.counters.toStdString() << ", table " << w.estado.toStdString();
        }
    };

    Written written(const QString& nrMesa) {
        return {count(QStringLiteral("SELECT COUNT(*) FROM VENDAREST")),
                count(QStringLiteral("SELECT COUNT(*) FROM COMANDAVEN")),
                column(QStringLiteral("SELECT CDCONTADOR || '=' || CAST(NRSEQUENCIAL AS "
                                      "VARCHAR(20)) FROM NOVOCODIGO ORDER BY CDCONTADOR"))
                    .join(QLatin1Char(' ')),
                text(QStringLiteral("SELECT IDSTMESAAUX FROM MESA WHERE CDFILIAL = '0001' AND "
                                    "CDLOJA = '0001' AND NRMESA = :M"),
                     {{QStringLiteral(":M"), nrMesa}})};
    }

    // The open sales of a table and the pads of each.
    QStringList openSalesOf(const QString& nrMesa) {
        return column(QStringLiteral("SELECT NRVENDAREST FROM VENDAREST WHERE CDFILIAL = '0001' "
                                     "AND NRMESA = :M AND DTHRFECHMESA IS NULL ORDER BY 1"),
                      {{QStringLiteral(":M"), nrMesa}});
    }
    QStringList padsOf(const QString& nrVendaRest) {
        return column(QStringLiteral("SELECT NRCOMANDA || ' ' || DSCOMANDA || ' ' || "
                                     "IDSTCOMANDA FROM COMANDAVEN WHERE CDFILIAL = '0001' AND "
                                     "NRVENDAREST = :V ORDER BY 1"),
                      {{QStringLiteral(":V"), nrVendaRest}});
    }
    // Sales without a pad and pads without a sale, anywhere in the store.
    qlonglong halfWritten() {
        return count(QStringLiteral(
                   "SELECT COUNT(*) FROM VENDAREST V WHERE NOT EXISTS (SELECT 1 FROM "
                   "COMANDAVEN C WHERE C.CDFILIAL = V.CDFILIAL AND C.NRVENDAREST = "
                   "V.NRVENDAREST)")) +
               count(QStringLiteral(
                   "SELECT COUNT(*) FROM COMANDAVEN C WHERE NOT EXISTS (SELECT 1 FROM "
                   "VENDAREST V WHERE C.CDFILIAL = V.CDFILIAL AND C.NRVENDAREST = "
                   "V.NRVENDAREST)"));
    }
    // The table free again for the next round, its sale closed.
    void release(const QString& nrMesa) {
        exec(QStringLiteral("UPDATE VENDAREST SET DTHRFECHMESA = VENDAREST.DTHRABERMESA WHERE "
                            "NRMESA = :M AND DTHRFECHMESA IS NULL"),
             {{QStringLiteral(":M"), nrMesa}});
        exec(QStringLiteral("UPDATE MESA SET IDSTMESAAUX = 'D' WHERE NRMESA = :M"),
             {{QStringLiteral(":M"), nrMesa}});
    }
};

TEST_F(TableOpeningTest, WritesTheSaleItsFirstPadAndTheTableOccupied) {
    const QString mesa = freeTable();
    const TillIdentity till = demoTill();
    const QString highestSale =
        text(QStringLiteral("SELECT MAX(NRVENDAREST) FROM VENDAREST WHERE CDFILIAL = '0001'"));
    const QString highestPad = text(QStringLiteral("SELECT MAX(NRCOMANDA) FROM COMANDAVEN"));
    ASSERT_FALSE(highestSale.isEmpty()) << "the demo store has open sales";

    TableOpening opening(database.connection(), till, mesa);
    const TableOpening::Opened o = opening.open(QStringLiteral(" 001 "), 4);

    EXPECT_EQ(o.dsComanda, "RES_" + mesa);
    EXPECT_EQ(o.cdVendedor, "001");
    EXPECT_EQ(o.cdCliente, till.cdCliente);
    EXPECT_TRUE(o.cdConsumidor.isEmpty());
    EXPECT_EQ(o.nrVendaRest.size(), 4 + TableOpening::kSaleDigits);
    EXPECT_TRUE(o.nrVendaRest.startsWith(till.cdFilial));
    EXPECT_EQ(o.nrComanda.size(), TableOpening::kPadDigits);
    // Above every number the demo store's history holds.
    EXPECT_GT(o.nrVendaRest, highestSale);
    EXPECT_GT(o.nrComanda, highestPad);

    EXPECT_EQ(openSalesOf(mesa), QStringList{o.nrVendaRest});
    EXPECT_EQ(padsOf(o.nrVendaRest), QStringList{o.nrComanda + " RES_" + mesa + " 1"});
    EXPECT_EQ(written(mesa).estado, "O");
    const QVariantMap venda{{QStringLiteral(":V"), o.nrVendaRest}};
    EXPECT_EQ(text(QStringLiteral("SELECT CDVENDEDOR || '/' || CDCAIXA || '/' || CDOPERADOR || "
                                  "'/' || CDCLIENTE FROM VENDAREST WHERE NRVENDAREST = :V"),
                   venda),
              "001/" + till.cdCaixa + "/" + till.cdOperador + "/" + till.cdCliente);
    EXPECT_EQ(
        count(QStringLiteral("SELECT NRPESMESAVEN FROM VENDAREST WHERE NRVENDAREST = :V"), venda),
        4);
    EXPECT_TRUE(
        text(QStringLiteral("SELECT CDCONSUMIDOR FROM VENDAREST WHERE NRVENDAREST = :V"), venda)
            .isEmpty());
    EXPECT_FALSE(
        text(QStringLiteral("SELECT DTHRABERMESA FROM VENDAREST WHERE NRVENDAREST = :V"), venda)
            .isEmpty());
    EXPECT_EQ(halfWritten(), 0);

    // The one row the screen reads.
    ClientDataSet cds(QStringLiteral("cdsDadosAbertura"));
    TableOpening::fill(cds, o);
    ASSERT_EQ(cds.recordCount(), 1);
    for (const auto& [campo, valor] :
         {std::pair{"NRVENDAREST", o.nrVendaRest}, std::pair{"NRCOMANDA", o.nrComanda},
          std::pair{"DSCOMANDA", "RES_" + mesa}, std::pair{"CDCLIENTE", till.cdCliente},
          std::pair{"CDVENDEDOR", QStringLiteral("001")}, std::pair{"CDCONSUMIDOR", QString()}}) {
        EXPECT_EQ(cds.fieldByName(QString::fromLatin1(campo)).asString(), valor) << campo;
    }
}

TEST_F(TableOpeningTest, AConsumerBringsItsClient) {
    const QString mesa = freeTable();
    const demo::Consumer& c = demo::kConsumers[1];
    TableOpening opening(database.connection(), demoTill(), mesa);
    const TableOpening::Opened o =
        opening.open(kWaiter, 2, QString::fromUtf8(c.code), QString::fromUtf8(c.client));
    EXPECT_EQ(o.cdCliente, QString::fromUtf8(c.client));
    EXPECT_EQ(text(QStringLiteral("SELECT CDCONSUMIDOR FROM VENDAREST WHERE NRVENDAREST = :V"),
                   {{QStringLiteral(":V"), o.nrVendaRest}}),
              QString::fromUtf8(c.code));
}

// The counters and the rows in use: whichever is higher, the next number is above it,
// and consecutive openings never take the same one.
TEST_F(TableOpeningTest, NumbersStayAboveTheCountersAndTheRowsInUse) {
    struct Case {
        const char* name;
        qlonglong saleCounter; // 0: no counter row
        qlonglong padCounter;
        const char* existingSale; // a closed sale written by another system, or none
        const char* existingPad;
        const char* firstSale;
        const char* firstPad;
    };
    const Case cases[] = {
        {"rows above the counters", 3, 2, "00010000500", "000900", "00010000501", "000901"},
        {"counters above the rows", 700, 950, "00010000500", "000900", "00010000701", "000951"},
        {"no counters yet", 0, 0, "00010000042", "000042", "00010000043", "000043"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        exec(QStringLiteral("DELETE FROM NOVOCODIGO WHERE CDCONTADOR IN ('VENDAREST0001', "
                            "'COMANDAVEN0001')"));
        exec(QStringLiteral("DELETE FROM ITCOMANDAVEN"));
        exec(QStringLiteral("DELETE FROM COMANDAVEN"));
        exec(QStringLiteral("DELETE FROM VENDAREST"));
        for (const auto& [contador, valor] : {std::pair{"VENDAREST0001", c.saleCounter},
                                              std::pair{"COMANDAVEN0001", c.padCounter}}) {
            if (valor > 0) {
                exec(QStringLiteral("INSERT INTO NOVOCODIGO (CDCONTADOR, NRSEQUENCIAL) VALUES "
                                    "(:C, :N)"),
                     {{QStringLiteral(":C"), QString::fromLatin1(contador)},
                      {QStringLiteral(":N"), valor}});
            }
        }
        exec(QStringLiteral("INSERT INTO VENDAREST (CDFILIAL, NRVENDAREST, CDLOJA, NRMESA, "
                            "DTHRABERMESA, DTHRFECHMESA) VALUES ('0001', :V, '0001', '0001', "
                            ":D, :D)"),
             {{QStringLiteral(":V"), QString::fromLatin1(c.existingSale)},
              {QStringLiteral(":D"), TestDatabase::dialect().dateTimeValue(now_)}});
        exec(QStringLiteral("INSERT INTO COMANDAVEN (CDFILIAL, NRVENDAREST, NRCOMANDA, CDLOJA, "
                            "DSCOMANDA, IDSTCOMANDA) VALUES ('0001', :V, :C, '0001', 'X', '4')"),
             {{QStringLiteral(":V"), QString::fromLatin1(c.existingSale)},
              {QStringLiteral(":C"), QString::fromLatin1(c.existingPad)}});
        exec(QStringLiteral("UPDATE MESA SET IDSTMESAAUX = 'D'"));

        const TillIdentity till = demoTill();
        const TableOpening::Opened first =
            TableOpening(database.connection(), till, QStringLiteral("0001")).open(kWaiter, 2);
        const TableOpening::Opened second =
            TableOpening(database.connection(), till, QStringLiteral("0002")).open(kWaiter, 2);
        EXPECT_EQ(first.nrVendaRest, c.firstSale);
        EXPECT_EQ(first.nrComanda, c.firstPad);
        EXPECT_GT(second.nrVendaRest, first.nrVendaRest);
        EXPECT_GT(second.nrComanda, first.nrComanda);
    }
}

// A choice that is not valid, or a table that is not free: a Portuguese message and not
// a row, a counter or a state changed.
TEST_F(TableOpeningTest, RefusalsWriteNothing) {
    const QString livre = freeTable();
    const QString ocupada = text(QStringLiteral(
        "SELECT MIN(NRMESA) FROM MESA WHERE IDSTMESAAUX = 'O' AND CDFILIAL = '0001'"));
    const QString inativa = freeTable({livre});
    exec(QStringLiteral("UPDATE MESA SET IDSTMESA = 'I' WHERE NRMESA = :M"),
         {{QStringLiteral(":M"), inativa}});
    exec(QStringLiteral("UPDATE VENDEDOR SET IDATIVOVEN = 'N' WHERE CDVENDEDOR = '003'"));
    ASSERT_FALSE(ocupada.isEmpty());

    struct Case {
        QString mesa;
        QString vendedor;
        int pessoas;
        QString consumidor;
        QString cliente;
        const char* message;
        bool taken;
    };
    const QString semCliente = QString::fromUtf8(demo::kConsumers[0].code);
    const Case cases[] = {
        {livre, "", 2, {}, {}, "Escolha o garçom que vai atender a mesa.", false},
        {livre, "777", 2, {}, {}, "Garçom 777 não cadastrado ou inativo.", false},
        {livre, "003", 2, {}, {}, "Garçom 003 não cadastrado ou inativo.", false},
        {livre, kWaiter, 0, {}, {}, "Informe o número de pessoas da mesa, de 1 a 20.", false},
        {livre, kWaiter, 21, {}, {}, "Informe o número de pessoas da mesa, de 1 a 20.", false},
        {livre, kWaiter, -3, {}, {}, "Informe o número de pessoas da mesa, de 1 a 20.", false},
        {livre, kWaiter, 2, semCliente, {}, "sem cliente: escolha-o na lista.", false},
        {ocupada, kWaiter, 2, {}, {}, "não está mais livre", true},
        {inativa, kWaiter, 2, {}, {}, "não está mais livre", true},
        {QStringLiteral("0999"), kWaiter, 2, {}, {}, "A mesa 0999 não está mais livre", true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        const Written before = written(c.mesa);
        TableOpening opening(database.connection(), demoTill(), c.mesa);
        try {
            opening.open(c.vendedor, c.pessoas, c.consumidor, c.cliente);
            ADD_FAILURE() << "opened";
        } catch (const TableOpening::TableTaken& e) {
            EXPECT_TRUE(c.taken);
            EXPECT_TRUE(e.message().contains(QString::fromUtf8(c.message)))
                << e.message().toStdString();
            EXPECT_TRUE(e.message().contains("Nada foi gravado")) << e.message().toStdString();
        } catch (const AppError& e) {
            EXPECT_FALSE(c.taken);
            EXPECT_TRUE(e.message().contains(QString::fromUtf8(c.message)))
                << e.message().toStdString();
        }
        EXPECT_EQ(written(c.mesa), before);
    }
}

// Two tills open the same free table at the same moment, many times over: each time
// exactly one sale with its pad is written and the other till is told the table is taken.
TEST_F(TableOpeningTest, TwoTillsRacingForOneTable) {
    constexpr int kRounds = 50;
    const QString mesa = freeTable();
    const TillIdentity till = demoTill();
    const QString connectionText = database.connectionText();
    const QVariantMap daMesa{{QStringLiteral(":M"), mesa}};
    const QString vendasDaMesa = QStringLiteral("SELECT COUNT(*) FROM VENDAREST WHERE NRMESA = :M");
    const qlonglong historico = count(vendasDaMesa, daMesa);
    QStringList salesSeen;

    for (int round = 0; round < kRounds; ++round) {
        SCOPED_TRACE(round);
        struct Outcome {
            TableOpening::Opened opened;
            QString taken;
            QString error;
        };
        Outcome outcomes[2];
        std::latch start(2);
        const auto till_ = [&](int i) {
            const QString name = QStringLiteral("corrida_%1_%2").arg(round).arg(i);
            {
                QSqlDatabase db;
                try {
                    db = openConnection(connectionText, name);
                    SetADODBSession(db);
                } catch (const AppError& e) {
                    outcomes[i].error = e.message();
                }
                start.arrive_and_wait();
                if (outcomes[i].error.isEmpty()) {
                    try {
                        outcomes[i].opened = TableOpening(db, till, mesa).open(kWaiter, 2);
                    } catch (const TableOpening::TableTaken& e) {
                        outcomes[i].taken = e.message();
                    } catch (const AppError& e) {
                        outcomes[i].error = e.message();
                    }
                }
                db.close();
            }
            QSqlDatabase::removeDatabase(name);
        };
        std::thread a(till_, 0);
        std::thread b(till_, 1);
        a.join();
        b.join();

        ASSERT_TRUE(outcomes[0].error.isEmpty()) << outcomes[0].error.toStdString();
        ASSERT_TRUE(outcomes[1].error.isEmpty()) << outcomes[1].error.toStdString();
        const int winner = outcomes[0].opened.nrVendaRest.isEmpty() ? 1 : 0;
        const Outcome& won = outcomes[winner];
        const Outcome& lost = outcomes[1 - winner];
        ASSERT_FALSE(won.opened.nrVendaRest.isEmpty());
        EXPECT_TRUE(lost.opened.nrVendaRest.isEmpty());
        EXPECT_EQ(lost.taken, QStringLiteral("A mesa %1 não está mais livre: outro caixa acabou "
                                             "de abri-la ou mudou a sua situação. Nada foi "
                                             "gravado.")
                                  .arg(mesa));
        EXPECT_EQ(openSalesOf(mesa), QStringList{won.opened.nrVendaRest});
        EXPECT_EQ(padsOf(won.opened.nrVendaRest),
                  QStringList{won.opened.nrComanda + " RES_" + mesa + " 1"});
        EXPECT_FALSE(salesSeen.contains(won.opened.nrVendaRest));
        salesSeen << won.opened.nrVendaRest;
        release(mesa);
    }
    EXPECT_EQ(halfWritten(), 0);
    EXPECT_EQ(count(vendasDaMesa, daMesa), historico + kRounds);
}

// The database fails in the middle of the opening: the sale is never left without its
// pad, the table stays free, and the counters move only with what was stored.
enum class Fault { PadRefused, SaleRefused, CounterRefused, ConnectionClosed, ServerGone };

class TableOpeningFault : public TableOpeningTest, public ::testing::WithParamInterface<Fault> {};

TEST_P(TableOpeningFault, LeavesNothingHalfWritten) {
    if (GetParam() == Fault::ServerGone && TestDatabase::kind() != DbKind::PostgreSQL) {
        GTEST_SKIP() << "only a database server can end a connection";
    }
    const QString mesa = freeTable();
    QSqlDatabase caixa =
        database.openAnother(QStringLiteral("caixa"), TestDatabase::Session::Prepared);
    switch (GetParam()) {
    case Fault::PadRefused:
        database.refuse(QStringLiteral("COMANDAVEN"), QStringLiteral("INSERT"),
                        QStringLiteral("1 = 1"));
        break;
    case Fault::SaleRefused:
        database.refuse(QStringLiteral("VENDAREST"), QStringLiteral("INSERT"),
                        QStringLiteral("1 = 1"));
        break;
    case Fault::CounterRefused:
        database.refuse(QStringLiteral("NOVOCODIGO"), QStringLiteral("INSERT"),
                        QStringLiteral("1 = 1"));
        break;
    case Fault::ConnectionClosed:
        caixa.close();
        break;
    case Fault::ServerGone:
        // The server ends the till's connection while the pad is being written.
        exec(QStringLiteral("CREATE FUNCTION TMK_DERRUBA() RETURNS trigger LANGUAGE plpgsql "
                            "AS $$ BEGIN IF pg_backend_pid() <> %1 THEN PERFORM "
                            "pg_terminate_backend(pg_backend_pid()); PERFORM pg_sleep(5); END "
                            "IF; RETURN NEW; END $$")
                 .arg(text(QStringLiteral("SELECT pg_backend_pid()")).toInt()));
        exec(QStringLiteral("CREATE TRIGGER TRG_DERRUBA BEFORE INSERT ON COMANDAVEN FOR EACH "
                            "ROW EXECUTE FUNCTION TMK_DERRUBA()"));
        break;
    }
    const Written before = written(mesa);
    try {
        TableOpening(caixa, demoTill(), mesa).open(kWaiter, 2);
        ADD_FAILURE() << "opened";
    } catch (const TableOpening::TableTaken& e) {
        ADD_FAILURE() << "told taken: " << e.message().toStdString();
    } catch (const DatabaseError& e) {
        EXPECT_FALSE(e.message().isEmpty());
        EXPECT_FALSE(e.message().contains(QLatin1String("recusado pelo teste")));
    }
    EXPECT_EQ(written(mesa), before);
    EXPECT_TRUE(openSalesOf(mesa).isEmpty());
    EXPECT_EQ(halfWritten(), 0);
}

INSTANTIATE_TEST_SUITE_P(Faults, TableOpeningFault,
                         ::testing::Values(Fault::PadRefused, Fault::SaleRefused,
                                           Fault::CounterRefused, Fault::ConnectionClosed,
                                           Fault::ServerGone));

// ------------------------------------------------------------------ AberturaMesa

class AberturaMesaTest : public TableOpeningTest {
protected:
    void SetUp() override {
        TableOpeningTest::SetUp();
        if (HasFatalFailure() || IsSkipped()) {
            return;
        }
        dialogs = std::make_unique<ScriptedDialogs>(database.connection());
        mesa = freeTable();
        before = written(mesa);
    }
    static TableOpeningDialog& opening(QDialog& d) {
        auto* o = qobject_cast<TableOpeningDialog*>(&d);
        EXPECT_NE(o, nullptr) << d.objectName().toStdString();
        return *o;
    }
    // Waiter 002, three people, then the given button.
    static void fillAndClick(QDialog& d, const char* button) {
        TableOpeningDialog& o = opening(d);
        o.chooseWaiter(QStringLiteral("002"));
        o.typeDigit(QLatin1Char('3'));
        click(d, button);
    }

    std::unique_ptr<ScriptedDialogs> dialogs;
    QString mesa;
    Written before;
};

TEST_F(AberturaMesaTest, ConfirmedHandsTheRowBack) {
    dialogs->script = [](QDialog& d) {
        fillAndClick(d, "btnConfirma");
    };
    ClientDataSet cds(QStringLiteral("cdsDadosAbertura"));
    ASSERT_TRUE(dialogs->AberturaMesa(mesa, cds));
    EXPECT_EQ(dialogs->dialogsShown, QStringList{"AberturaMesa"});
    EXPECT_TRUE(dialogs->told.isEmpty());
    ASSERT_EQ(cds.recordCount(), 1);
    const QString venda = cds.fieldByName(QStringLiteral("NRVENDAREST")).asString();
    EXPECT_EQ(openSalesOf(mesa), QStringList{venda});
    EXPECT_EQ(cds.fieldByName(QStringLiteral("CDVENDEDOR")).asString(), "002");
    EXPECT_EQ(count(QStringLiteral("SELECT NRPESMESAVEN FROM VENDAREST WHERE NRVENDAREST = :V"),
                    {{QStringLiteral(":V"), venda}}),
              3);
}

// Cancelled, or refused in every way the operator can meet: false, the dataset as it
// came, not a row written; the operator told what happened.
TEST_F(AberturaMesaTest, NothingWrittenUnlessConfirmed) {
    struct Case {
        const char* name;
        std::function<void(QDialog&)> script;
        const char* told; // empty: nothing told
        int tipo;
    };
    const QString mesaAqui = mesa;
    const QString connectionText = database.connectionText();
    const Case cases[] = {
        {"cancelled", [](QDialog& d) { fillAndClick(d, "btnCancela"); }, "", 0},
        {"no waiter, then cancelled",
         [](QDialog& d) {
             click(d, "btnConfirma");
             EXPECT_EQ(d.result(), QDialog::Rejected);
             click(d, "btnCancela");
         },
         "Escolha o garçom que vai atender a mesa.", MsgAviso},
        {"taken by another till while the dialog was open",
         [this, mesaAqui](QDialog& d) {
             QSqlDatabase outro = database.openAnother(QStringLiteral("outro_caixa"));
             TableOpening(outro, demoTill(), mesaAqui).open(QStringLiteral("003"), 5);
             fillAndClick(d, "btnConfirma");
         },
         "não está mais livre", MsgAviso},
        {"database refusing, then cancelled",
         [this](QDialog& d) {
             database.refuse(QStringLiteral("COMANDAVEN"), QStringLiteral("INSERT"),
                             QStringLiteral("1 = 1"));
             fillAndClick(d, "btnConfirma");
             // The dialog stays so that the operator may try again.
             EXPECT_NE(d.result(), QDialog::Accepted);
             click(d, "btnCancela");
         },
         "Não foi possível", MsgErro},
    };
    ASSERT_EQ(written(mesa), before);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        dialogs->told.clear();
        dialogs->script = c.script;
        ClientDataSet cds(QStringLiteral("cdsDadosAbertura"));
        EXPECT_FALSE(dialogs->AberturaMesa(mesa, cds));
        EXPECT_EQ(cds.recordCount(), 0);
        if (QByteArray(c.told).isEmpty()) {
            EXPECT_TRUE(dialogs->told.isEmpty());
        } else {
            ASSERT_EQ(dialogs->told.size(), 1);
            EXPECT_TRUE(dialogs->told[0].first.contains(QString::fromUtf8(c.told)))
                << dialogs->told[0].first.toStdString();
            EXPECT_EQ(dialogs->told[0].second, c.tipo);
        }
        if (QByteArray(c.name).startsWith("taken")) {
            // Only the other till's sale, with its own waiter.
            const QStringList vendas = openSalesOf(mesa);
            ASSERT_EQ(vendas.size(), 1);
            EXPECT_EQ(text(QStringLiteral("SELECT CDVENDEDOR FROM VENDAREST WHERE "
                                          "NRVENDAREST = :V"),
                           {{QStringLiteral(":V"), vendas[0]}}),
                      "003");
            release(mesa);
            exec(QStringLiteral("DELETE FROM COMANDAVEN WHERE NRVENDAREST = :V"),
                 {{QStringLiteral(":V"), vendas[0]}});
            exec(QStringLiteral("DELETE FROM VENDAREST WHERE NRVENDAREST = :V"),
                 {{QStringLiteral(":V"), vendas[0]}});
            before = written(mesa);
        }
        EXPECT_EQ(written(mesa).vendas, before.vendas);
        EXPECT_EQ(written(mesa).comandas, before.comandas);
        EXPECT_EQ(written(mesa).estado, "D");
    }
}

TEST_F(AberturaMesaTest, WithoutTheTillsFilesItIsTold) {
    ASSERT_TRUE(QFile::remove(tillPath(QStringLiteral("PARAMETROSKOV.CDS"))));
    ClientDataSet cds(QStringLiteral("cdsDadosAbertura"));
    EXPECT_FALSE(dialogs->AberturaMesa(mesa, cds));
    EXPECT_TRUE(dialogs->dialogsShown.isEmpty());
    ASSERT_EQ(dialogs->told.size(), 1);
    EXPECT_TRUE(dialogs->told[0].first.startsWith("Não foi possível abrir a mesa " + mesa))
        << dialogs->told[0].first.toStdString();
    EXPECT_TRUE(dialogs->told[0].first.contains("PARAMETROSKOV.CDS"));
    EXPECT_EQ(written(mesa), before);
}

// The dialog as the operator sees it on the demo store; written as a picture when
// TMK_ABERTURA_MESA_PNG names a file.
TEST_F(AberturaMesaTest, DrawsTheStoresWaitersAndConsumers) {
    TableOpening opening(database.connection(), demoTill(), mesa);
    QStringList told;
    TableOpeningDialog d(opening, [&told](const QString& t, int) { told << t; });
    d.chooseWaiter(QStringLiteral("002"));
    d.typeDigit(QLatin1Char('4'));
    for (const demo::Waiter& w : demo::kWaiters) {
        EXPECT_NE(d.findChild<QWidget*>(QStringLiteral("btnVendedor") + QString::fromUtf8(w.code)),
                  nullptr);
    }
    EXPECT_EQ(d.waiter(), "002");
    EXPECT_EQ(d.party(), "4");
    auto* busca = d.findChild<QLineEdit*>(QStringLiteral("edtConsumidor"));
    ASSERT_NE(busca, nullptr);
    busca->setText(QStringLiteral("MARIA"));
    auto* lista = d.findChild<QListWidget*>(QStringLiteral("lstConsumidores"));
    ASSERT_NE(lista, nullptr);
    QStringList visiveis;
    for (int r = 0; r < lista->count(); ++r) {
        if (!lista->item(r)->isHidden()) {
            visiveis << lista->item(r)->text();
        }
    }
    EXPECT_EQ(visiveis, (QStringList{"Sem consumidor", "Maria Oliveira  (0000000002)"}));
    d.chooseConsumer(QString::fromUtf8(demo::kConsumers[1].code));
    EXPECT_EQ(d.consumer(), QString::fromUtf8(demo::kConsumers[1].code));
    d.adjustSize();
    const QImage image = d.grab().toImage();
    ASSERT_FALSE(image.isNull());
    EXPECT_GE(image.width(), 400);
    const QString file = qEnvironmentVariable("TMK_ABERTURA_MESA_PNG");
    if (!file.isEmpty()) {
        EXPECT_TRUE(image.save(file)) << file.toStdString();
    }
    EXPECT_TRUE(told.isEmpty());
}

} // namespace
} // namespace tmk
