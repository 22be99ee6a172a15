// The partial bill on the demo store: the table asked on the keypad, the bill of its pads
// and of the tables joined with it, printed, and nothing written to the database.

#include "platform/client_dataset.h"
#include "platform/service_result.h"
#include "platform/till_folder.h"
#include "service/data_module.h"
#include "service/map_reads.h"
#include "suite/devices/fiscal_amounts.h"
#include "suite/dialogs/account_closing.h"
#include "suite/dialogs/partial_bill_dialog.h"
#include "tests/suite/devices/fiscal_samples.h"
#include "tests/suite/dialogs_db/demo_store_fixture.h"
#include "tests/suite/print_qstring.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QSqlQuery>
#include <QSqlRecord>

namespace tmk {
namespace {

using dialogs_test::click;
using dialogs_test::DemoStoreTest;
using dialogs_test::ScriptedDialogs;

class PartialBillTest : public DemoStoreTest {
protected:
    // Everything of the tables, sales, pads and items, as text.
    QString snapshot() {
        QString out;
        for (const char* sql :
             {"SELECT NRMESA, IDSTMESAAUX FROM MESA ORDER BY NRMESA",
              "SELECT NRVENDAREST, DTHRMESAFECH, DTHRFECHMESA, CDCONSUMIDOR FROM VENDAREST ORDER "
              "BY NRVENDAREST",
              "SELECT NRCOMANDA, IDSTCOMANDA, VRCOMISVENDE FROM COMANDAVEN ORDER BY NRCOMANDA",
              "SELECT NRCOMANDA, NRPRODCOMVEN, QTPRODCOMVEN, IDSTPRCOMVEN FROM ITCOMANDAVEN ORDER "
              "BY NRCOMANDA, NRPRODCOMVEN",
              "SELECT COUNT(*) FROM LOGCONTROLEACESSO"}) {
            QSqlQuery q(database.connection());
            EXPECT_TRUE(q.exec(QString::fromLatin1(sql))) << sql;
            while (q.next()) {
                for (int c = 0; c < q.record().count(); ++c) {
                    out += q.value(c).toString() + QLatin1Char('|');
                }
                out += QLatin1Char('\n');
            }
        }
        return out;
    }
    // The pads the screen lists for the close of a table (getComandaInd).
    QStringList screenPads(const QString& mesa) {
        TrdmGerMesa dm(QStringLiteral("dm-partial-bill"));
        dm.connectTo(database.connectionText());
        const QVariant v = getComandaInd(dm, mesa, demoTill().cdFilial, demoTill().cdLoja);
        EXPECT_FALSE(isServiceFailure(v)) << serviceFailureMessage(v).toStdString();
        const DataPacket p = v.value<DataPacket>();
        QStringList pads;
        for (int r = 0; r < p.rowCount(); ++r) {
            pads << p.value(r, QStringLiteral("NRCOMANDA")).toString().trimmed();
        }
        return pads;
    }
    QStringList printouts() {
        return QDir(tillPath(QStringLiteral("Impressoes"))).entryList(QDir::Files);
    }
};

// Types the digits on the keypad and confirms; the bill dialog is answered by the rest.
std::function<void(QDialog&)> typing(const char* mesa, std::function<void(QDialog&)> bill) {
    return [mesa, bill](QDialog& d) {
        if (d.objectName() == QLatin1String("TecladoNumerico")) {
            for (const char* c = mesa; *c; ++c) {
                const QByteArray key = QByteArray("btn") + *c;
                click(d, key.constData());
            }
            click(d, "btnConfirma");
            return;
        }
        ASSERT_EQ(d.objectName(), "ParcialConta");
        bill(d);
    };
}

TEST_F(PartialBillTest, ThePadsAreTheOnesTheCloseOfTheTableBills) {
    for (const char* mesa : {"0003", "0012", "0013", "0015", "0001"}) {
        const QString m = QString::fromLatin1(mesa);
        AccountClosing account = AccountClosing::ofTable(database.connection(), demoTill(), m);
        QStringList expected = screenPads(m);
        expected.removeDuplicates();
        EXPECT_EQ(account.comandas(), expected) << mesa;
    }
    try {
        AccountClosing::ofTable(database.connection(), demoTill(), QStringLiteral("8888"));
        ADD_FAILURE() << "an unknown table was read";
    } catch (const AppError& e) {
        EXPECT_EQ(e.message(), "Mesa 8888 não cadastrada.");
    }
}

TEST_F(PartialBillTest, PrintsTheBillOfTheGroupAndChangesNothing) {
    // A cover on table 0012, so that the bill shows every part of it.
    const QString venda = text(QStringLiteral("SELECT NRVENDAREST FROM VENDAREST WHERE NRMESA = "
                                              "'0012' AND DTHRFECHMESA IS NULL"));
    exec(QStringLiteral("INSERT INTO ITCOMANDAVEN (CDFILIAL, NRVENDAREST, NRCOMANDA, NRPRODCOMVEN, "
                        "CDLOJA, CDPRODUTO, QTPRODCOMVEN, VRPRECCOMVEN, VRDESCCOMVEN, VRACRCOMVEN, "
                        "IDSTPRCOMVEN, NRLUGARMESA) SELECT CDFILIAL, NRVENDAREST, NRCOMANDA, "
                        "'000090', CDLOJA, :COUVERT, 2, 15, 0, 0, '1', '01' FROM COMANDAVEN "
                        "WHERE NRVENDAREST = :V"),
         {{QStringLiteral(":V"), venda}, {QStringLiteral(":COUVERT"), demoTill().cdProdCouvert}});
    const QString before = snapshot();
    ScriptedDialogs dialogs(database.connection());
    Bill bill;
    QString pdf;
    dialogs.script = typing("12", [&](QDialog& d) {
        auto& dialog = dynamic_cast<PartialBillDialog&>(d);
        bill = dialog.bill();
        EXPECT_EQ(d.findChild<QLabel*>("lblTotal")->text(), reais(bill.total()));
        EXPECT_EQ(d.findChild<QLabel*>("lblCouvert")->text(), "R$ 30,00");
        const QString folder = qEnvironmentVariable("TMK_PICTURES");
        if (!folder.isEmpty()) {
            d.grab().save(QDir(folder).filePath("conta-parcial-dialogo.png"));
        }
        click(d, "btnImprime");
        EXPECT_EQ(d.result(), QDialog::Accepted);
        pdf = dialog.printed();
    });
    QString nrMesa = QStringLiteral("old");
    dialogs.ParcialConta(nrMesa);
    EXPECT_EQ(nrMesa, "0012");
    EXPECT_TRUE(dialogs.told.isEmpty());
    EXPECT_EQ(snapshot(), before);

    // The same bill as the close of the account would request, both tables' sales in it.
    AccountClosing closing(database.connection(), demoTill(), QStringLiteral("0012"),
                           screenPads(QStringLiteral("0012")));
    EXPECT_EQ(bill.total(), closing.bill().total());
    EXPECT_EQ(bill.vendas().size(), 2);
    EXPECT_EQ(bill.couvert, 3000);
    EXPECT_GT(bill.taxaServico, 0);

    ASSERT_FALSE(pdf.isEmpty());
    EXPECT_EQ(printouts().size(), 1);
    const QString text = devices_test::pdfText(pdf);
    for (const QString& expected :
         {QStringLiteral("CONTA PARCIAL DA MESA 0012"), QStringLiteral("Couvert"),
          QStringLiteral("Taxa de serviço"), QStringLiteral("TOTAL"), reais(bill.total()),
          reais(bill.taxaServico), QStringLiteral("Conta parcial: a mesa continua aberta."),
          QStringLiteral("Ana Lima")}) {
        EXPECT_TRUE(text.contains(expected)) << expected.toStdString() << "\n"
                                             << text.toStdString();
    }
    for (const Bill::Line& line : bill.itens) {
        EXPECT_TRUE(text.contains(line.descricao.left(20))) << line.descricao.toStdString();
    }
    const QString folder = qEnvironmentVariable("TMK_PICTURES");
    if (!folder.isEmpty()) {
        const QString copy = QDir(folder).filePath("conta-parcial.pdf");
        QFile::remove(copy);
        QFile::copy(pdf, copy);
    }
}

// Whatever ends the partial bill without printing hands back no table.
TEST_F(PartialBillTest, NoTableUnlessPrinted) {
    struct Case {
        const char* name;
        const char* mesa; // typed; nullptr: the keypad is cancelled
        bool billShown;
        QString told;
    };
    const Case cases[] = {
        {"keypad cancelled", nullptr, false, {}},
        {"bill cancelled", "3", true, {}},
        {"unknown table", "8888", false, QStringLiteral("Mesa 8888 não cadastrada.")},
        {"free table", "1", false, QStringLiteral("A mesa 0001 não tem conta aberta.")},
    };
    const QString before = snapshot();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedDialogs dialogs(database.connection());
        bool shown = false;
        dialogs.script = [&](QDialog& d) {
            if (!c.mesa) {
                click(d, "btnCancela");
                return;
            }
            typing(c.mesa, [&shown](QDialog& bill) {
                shown = true;
                click(bill, "btnCancela");
            })(d);
        };
        QString nrMesa = QStringLiteral("old");
        dialogs.ParcialConta(nrMesa);
        EXPECT_TRUE(nrMesa.isEmpty());
        EXPECT_EQ(shown, c.billShown);
        QStringList told;
        for (const auto& t : dialogs.told) {
            told << t.first;
        }
        EXPECT_EQ(told, c.told.isEmpty() ? QStringList() : QStringList{c.told});
        EXPECT_TRUE(printouts().isEmpty());
    }
    EXPECT_EQ(snapshot(), before);
}

} // namespace
} // namespace tmk
