// The closing of a table's account on the demo store: the bill read from the pads the
// screen lists, its request written whole or not at all, its PDF.

#include "db/demo/demo_store.h"
#include "platform/client_dataset.h"
#include "platform/database_error.h"
#include "platform/service_result.h"
#include "platform/till_folder.h"
#include "service/account_lists.h"
#include "service/data_module.h"
#include "service/map_reads.h"
#include "suite/devices/fiscal_amounts.h"
#include "suite/dialogs/account_closing.h"
#include "suite/dialogs/account_closing_dialog.h"
#include "suite/dialogs/suite_dialogs.h"
#include "suite/sales/account_amounts.h"
#include "tests/suite/devices/fiscal_samples.h"
#include "tests/suite/print_qstring.h"
#include "tests/support/test_database.h"

#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>

namespace tmk {
namespace {

const QString F = QStringLiteral("0001");
const QString L = QStringLiteral("0001");

class ClosingDialogs : public SuiteDialogs {
public:
    explicit ClosingDialogs(QSqlDatabase db)
        : SuiteDialogs(std::move(db), nullptr) {}
    std::function<void(QDialog&)> script;
    QStringList told;

protected:
    int execDialog(QDialog& dialog) override {
        dialog.setResult(QDialog::Rejected);
        dialog.show();
        if (script) {
            script(dialog);
        }
        return dialog.result();
    }
    void showMessage(const QString& text, int) override { told << text; }
};

class AccountClosingTest : public test::DatabaseTest {
protected:
    void SetUp() override {
        DatabaseTest::SetUp();
        if (HasFatalFailure() || IsSkipped()) {
            return;
        }
        ASSERT_TRUE(till_.isValid());
        setTillFolder(till_.path());
        QSqlDatabase db = database.connection();
        createDemoDatabase(db, QDateTime::currentDateTime());
        writeDemoTillFiles(till_.path(), QDateTime::currentDateTime());
        dm_ = std::make_unique<TrdmGerMesa>(QStringLiteral("dm-account-closing"));
        dm_->connectTo(database.connectionText());
        identity_ = TillIdentity::read();
    }

    // The pads the screen lists for a table (its own and its join group's), "12_15_".
    QString padList(const QString& mesa) {
        const QVariant v = getComandaInd(*dm_, mesa, F, L);
        EXPECT_FALSE(isServiceFailure(v)) << serviceFailureMessage(v).toStdString();
        const DataPacket p = v.value<DataPacket>();
        QString list;
        for (int r = 0; r < p.rowCount(); ++r) {
            list += p.value(r, "NRCOMANDA").toString().trimmed() + QLatin1Char('_');
        }
        return list;
    }
    AccountClosing closing(const QString& mesa) {
        return AccountClosing(database.connection(), identity_, mesa,
                              AccountClosing::padList(padList(mesa)));
    }
    QString scalar(const QString& sql) {
        QSqlQuery q(database.connection());
        EXPECT_TRUE(q.exec(sql) && q.next()) << sql.toStdString();
        return q.value(0).toString().trimmed();
    }
    QString tableState(const QString& mesa) {
        return scalar(QStringLiteral("SELECT IDSTMESAAUX FROM MESA WHERE CDFILIAL = '0001' AND "
                                     "CDLOJA = '0001' AND NRMESA = '%1'")
                          .arg(mesa));
    }
    QString openSaleStamp(const QString& mesa) {
        return scalar(QStringLiteral("SELECT COUNT(*) FROM VENDAREST WHERE CDFILIAL = '0001' AND "
                                     "NRMESA = '%1' AND DTHRFECHMESA IS NULL AND DTHRMESAFECH "
                                     "IS NOT NULL")
                          .arg(mesa));
    }
    // Everything a closing may change, as text.
    QString snapshot() {
        QString out;
        for (const char* sql :
             {"SELECT NRMESA, IDSTMESAAUX FROM MESA ORDER BY NRMESA",
              "SELECT NRVENDAREST, DTHRMESAFECH, CDCONSUMIDOR, CDCLIENTE FROM VENDAREST ORDER BY "
              "NRVENDAREST",
              "SELECT NRCOMANDA, IDSTCOMANDA, VRCOMISVENDE FROM COMANDAVEN ORDER BY NRCOMANDA"}) {
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
    void params(ClientDataSet& cds, const QString& mesa) {
        DataPacket p;
        p.fields = {{QStringLiteral("stListaComandas"), FieldType::Text, 1000},
                    {QStringLiteral("stMesaFecha"), FieldType::Text, 50},
                    {QStringLiteral("CDCONSUMIDOR"), FieldType::Text, 21}};
        p.rows.append({padList(mesa), mesa, QString()});
        cds.setData(p);
        cds.first();
    }

    QTemporaryDir till_;
    std::unique_ptr<TrdmGerMesa> dm_;
    TillIdentity identity_;
};

TEST(AccountClosingPads, TheListIsSplitIntoItsPads) {
    const struct {
        const char* lista;
        QStringList pads;
    } cases[] = {
        {"12_15_", {"12", "15"}},
        {"", {}},
        {"000007_", {"000007"}},
        {"_12__12_ 15 _", {"12", "15"}}, // empty parts and repeats ignored
    };
    for (const auto& c : cases) {
        EXPECT_EQ(AccountClosing::padList(QString::fromLatin1(c.lista)), c.pads) << c.lista;
    }
}

TEST_F(AccountClosingTest, TheBillIsWhatTheReceiptWillCharge) {
    for (const char* mesa : {"0015", "0105", "0203", "0012"}) { // 0012 joined to 0013
        AccountClosing c = closing(QString::fromLatin1(mesa));
        const Bill bill = c.bill();
        ASSERT_FALSE(bill.itens.isEmpty()) << mesa;
        EXPECT_GT(bill.taxaServico, 0) << mesa;
        c.request(bill);
        const QVariant v = getListaComanda(*dm_, F, QLatin1Char('_') + padList(mesa), QString(),
                                           QStringLiteral("01"));
        ASSERT_FALSE(isServiceFailure(v)) << serviceFailureMessage(v).toStdString();
        const AccountAmounts charged = accountAmounts(v.value<DataPacket>());
        EXPECT_EQ(bill.total(), charged.total()) << mesa;
        EXPECT_EQ(bill.taxaServico, charged.taxaServico) << mesa;
        EXPECT_EQ(tableState(QString::fromLatin1(mesa)), "S") << mesa;
    }
}

TEST_F(AccountClosingTest, AJoinedGroupIsRequestedTogetherAndNothingElse) {
    ASSERT_EQ(tableState("0012"), "O");
    ASSERT_EQ(tableState("0013"), "O");
    const QString closedBefore =
        scalar("SELECT COUNT(*) FROM VENDAREST WHERE DTHRFECHMESA IS NOT NULL AND DTHRMESAFECH "
               "IS NULL");
    AccountClosing c = closing("0012");
    const Bill bill = c.bill();
    EXPECT_EQ(bill.vendas().size(), 2); // the sales of both tables
    c.request(bill);
    EXPECT_EQ(tableState("0012"), "S");
    EXPECT_EQ(tableState("0013"), "S");
    EXPECT_EQ(tableState("0015"), "O");
    EXPECT_EQ(openSaleStamp("0012"), "1");
    EXPECT_EQ(openSaleStamp("0013"), "1");
    EXPECT_EQ(openSaleStamp("0015"), "0");
    // Closed sales keep their history.
    EXPECT_EQ(scalar("SELECT COUNT(*) FROM VENDAREST WHERE DTHRFECHMESA IS NOT NULL AND "
                     "DTHRMESAFECH IS NULL"),
              closedBefore);
    for (const Bill::Pad& pad : bill.comandas) {
        EXPECT_EQ(scalar(QStringLiteral("SELECT IDSTCOMANDA FROM COMANDAVEN WHERE NRCOMANDA = '%1'")
                             .arg(pad.nrComanda)),
                  "1");
        EXPECT_EQ(toCents(scalar(QStringLiteral("SELECT VRCOMISVENDE FROM COMANDAVEN WHERE "
                                                "NRCOMANDA = '%1'")
                                     .arg(pad.nrComanda))
                              .toDouble()),
                  bill.taxaServico)
            << "every pad carries the whole account's charge";
    }
}

TEST_F(AccountClosingTest, CancelledItemsAreNotBilled) {
    AccountClosing c = closing("0015");
    const Bill before = c.bill();
    QSqlQuery q(database.connection());
    ASSERT_TRUE(q.exec("UPDATE ITCOMANDAVEN SET IDSTPRCOMVEN = '6' WHERE NRPRODCOMVEN = (SELECT "
                       "MIN(IT.NRPRODCOMVEN) FROM ITCOMANDAVEN IT JOIN VENDAREST VR ON "
                       "VR.NRVENDAREST = IT.NRVENDAREST WHERE VR.NRMESA = '0015' AND "
                       "VR.DTHRFECHMESA IS NULL)"));
    const Bill after = c.bill();
    EXPECT_LT(after.consumo, before.consumo);
    EXPECT_GT(after.consumo, 0);
}

TEST_F(AccountClosingTest, CoverAndMinimumConsumptionAreBilledApart) {
    const QString sale = scalar("SELECT NRVENDAREST FROM VENDAREST WHERE NRMESA = '0015' AND "
                                "DTHRFECHMESA IS NULL");
    const QString first = scalar(QStringLiteral("SELECT MIN(NRPRODCOMVEN) FROM ITCOMANDAVEN "
                                                "WHERE NRVENDAREST = '%1'")
                                     .arg(sale));
    AccountClosing c = closing("0015");
    const Bill plain = c.bill();
    ASSERT_EQ(plain.couvert, 0);
    ASSERT_EQ(plain.consumacao, 0);
    const struct {
        const char* name;
        QString sql;
        bool cover;
        qint64 minimum;
    } cases[] = {
        {"the first item is the cover",
         QStringLiteral("UPDATE ITCOMANDAVEN SET CDPRODUTO = '%1' WHERE NRVENDAREST = '%2' AND "
                        "NRPRODCOMVEN = '%3'")
             .arg(identity_.cdProdCouvert, sale, first),
         true, 0},
        {"a minimum above the items",
         QStringLiteral("UPDATE VENDAREST SET VRCONSUMAMIN = 500 WHERE NRVENDAREST = '%1'")
             .arg(sale),
         true, 50000},
        {"a minimum below the items",
         QStringLiteral("UPDATE VENDAREST SET VRCONSUMAMIN = 1 WHERE NRVENDAREST = '%1'").arg(sale),
         true, 100},
    };
    ASSERT_FALSE(identity_.cdProdCouvert.isEmpty());
    for (const auto& k : cases) {
        QSqlQuery q(database.connection());
        ASSERT_TRUE(q.exec(k.sql)) << k.name;
        const Bill b = c.bill();
        EXPECT_EQ(b.consumo + b.couvert, plain.consumo) << k.name;
        EXPECT_EQ(b.couvert > 0, k.cover) << k.name;
        EXPECT_EQ(b.consumacaoMinima, k.minimum) << k.name;
        EXPECT_EQ(b.consumacao, std::max<qint64>(0, k.minimum - b.consumo)) << k.name;
        EXPECT_EQ(b.total(), b.consumo + b.couvert + b.consumacao + b.taxaServico) << k.name;
    }
}

TEST_F(AccountClosingTest, AFailureInTheMiddleLeavesEverythingAsItWas) {
    const QString before = snapshot();
    database.refuse("COMANDAVEN", "UPDATE OF IDSTCOMANDA", "NEW.IDSTCOMANDA = '1'");
    AccountClosing c = closing("0012");
    const Bill bill = c.bill();
    EXPECT_THROW(c.request(bill, "", ""), DatabaseError);
    EXPECT_EQ(snapshot(), before);
    EXPECT_EQ(tableState("0013"), "O");

    // Through the dialog: told, and the dialog stays open.
    ClosingDialogs dialogs(database.connection());
    bool accepted = true;
    dialogs.script = [&accepted](QDialog& d) {
        d.findChild<QPushButton*>("btnConfirma")->click();
        accepted = d.result() == QDialog::Accepted;
    };
    ClientDataSet cds(QStringLiteral("cdsParam_FechaConta"));
    params(cds, "0012");
    QVariantList retorno(10);
    dialogs.FechaConta(cds, retorno, QString());
    EXPECT_FALSE(accepted);
    ASSERT_EQ(dialogs.told.size(), 1);
    EXPECT_EQ(snapshot(), before);
}

TEST_F(AccountClosingTest, AnUnknownTableIsRefusedAndNothingWritten) {
    const QString before = snapshot();
    AccountClosing c(database.connection(), identity_, "8888", {});
    const Bill bill = c.bill();
    EXPECT_TRUE(bill.itens.isEmpty());
    try {
        c.request(bill);
        ADD_FAILURE() << "an unknown table was requested";
    } catch (const AppError& e) {
        EXPECT_EQ(e.message(), "Mesa 8888 não cadastrada.");
    }
    EXPECT_EQ(snapshot(), before);
}

TEST_F(AccountClosingTest, CancelChangesNothing) {
    const QString before = snapshot();
    ClosingDialogs dialogs(database.connection());
    dialogs.script = [](QDialog& d) {
        d.findChild<QComboBox*>("cmbConsumidor")->setCurrentIndex(1);
        d.findChild<QPushButton*>("btnCancela")->click();
    };
    ClientDataSet cds(QStringLiteral("cdsParam_FechaConta"));
    params(cds, "0015");
    QVariantList retorno(10);
    dialogs.FechaConta(cds, retorno, QString());
    EXPECT_EQ(snapshot(), before);
    EXPECT_EQ(cds.value("CDCONSUMIDOR").toString(), "");
    EXPECT_TRUE(dialogs.told.isEmpty()) << dialogs.told.join("; ").toStdString();
    EXPECT_TRUE(QDir(tillPath("Impressoes")).entryList(QDir::Files).isEmpty());
}

TEST_F(AccountClosingTest, ConfirmingPrintsTheBillAndHandsBackTheConsumer) {
    ClosingDialogs dialogs(database.connection());
    QString pdf;
    Bill bill;
    QString consumer;
    dialogs.script = [&](QDialog& d) {
        auto& dialog = dynamic_cast<AccountClosingDialog&>(d);
        auto* combo = d.findChild<QComboBox*>("cmbConsumidor");
        ASSERT_GT(combo->count(), 1);
        consumer = combo->itemData(1).toString();
        dialog.chooseConsumer(consumer);
        bill = dialog.bill();
        EXPECT_EQ(d.findChild<QLabel*>("lblTotal")->text(), reais(bill.total()));
        const QString folder = qEnvironmentVariable("TMK_PICTURES");
        if (!folder.isEmpty()) {
            d.grab().save(QDir(folder).filePath("fecha-conta.png"));
        }
        d.findChild<QPushButton*>("btnConfirma")->click();
        EXPECT_EQ(d.result(), QDialog::Accepted);
        pdf = dialog.printed();
    };
    ClientDataSet cds(QStringLiteral("cdsParam_FechaConta"));
    params(cds, "0012");
    QVariantList retorno(10);
    dialogs.FechaConta(cds, retorno, QString());
    EXPECT_TRUE(dialogs.told.isEmpty()) << dialogs.told.join("; ").toStdString();
    EXPECT_EQ(cds.value("CDCONSUMIDOR").toString(), consumer);
    EXPECT_EQ(scalar(QStringLiteral("SELECT COUNT(*) FROM VENDAREST WHERE DTHRFECHMESA IS NULL "
                                    "AND CDCONSUMIDOR = '%1'")
                         .arg(consumer)),
              "2");
    EXPECT_EQ(tableState("0013"), "S");

    ASSERT_FALSE(pdf.isEmpty());
    EXPECT_TRUE(pdf.startsWith(tillPath("Impressoes"))) << pdf.toStdString();
    const QString text = devices_test::pdfText(pdf);
    ASSERT_FALSE(bill.itens.isEmpty());
    for (const Bill::Line& line : bill.itens) {
        EXPECT_TRUE(text.contains(line.descricao.left(20))) << line.descricao.toStdString() << "\n"
                                                            << text.toStdString();
    }
    for (const QString& expected :
         {QStringLiteral("CONTA DA MESA 0012"), QStringLiteral("Taxa de serviço"),
          QStringLiteral("TOTAL"), reais(bill.total()), reais(bill.taxaServico)}) {
        EXPECT_TRUE(text.contains(expected)) << expected.toStdString() << "\n"
                                             << text.toStdString();
    }
    const QString folder = qEnvironmentVariable("TMK_PICTURES");
    if (!folder.isEmpty()) {
        const QString copy = QDir(folder).filePath("conta-mesa.pdf");
        QFile::remove(copy);
        QFile::copy(pdf, copy);
    }
}

} // namespace
} // namespace tmk
