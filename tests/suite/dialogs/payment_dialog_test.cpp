#include "platform/client_dataset.h"
#include "platform/errors.h"
#include "suite/devices/fiscal_printer.h"
#include "suite/devices/tef_terminal.h"
#include "suite/dialogs/busy_notice.h"
#include "suite/dialogs/payment_dialog.h"
#include "suite/dialogs/suite_dialogs.h"
#include "tests/suite/devices/fiscal_samples.h"
#include "tests/suite/devices/till_folder_fixture.h"
#include "tests/suite/dialogs/payment_samples.h"
#include "tests/suite/print_qstring.h"

#include <QApplication>
#include <QDir>
#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTableWidget>
#include <functional>

namespace tmk {
namespace {

using dialogs_test::contaMesa7;
using dialogs_test::pagamentoAplicativo;
using dialogs_test::tiposRecebimento;

// Drives the payment dialog with a script instead of showing it modally, records what
// the operator is told and answers the questions from a list.
class ScriptedPayment : public SuiteDialogs {
public:
    ScriptedPayment()
        : SuiteDialogs(QSqlDatabase(), nullptr) {}

    std::function<void(QDialog&)> script;
    QList<QPair<QString, int>> told;
    QStringList asked;
    QList<int> answers; // taken in order; "Voltar" when none is left

protected:
    int execDialog(QDialog& dialog) override {
        dialog.setResult(QDialog::Rejected);
        dialog.show();
        if (script) {
            script(dialog);
        }
        const int r = dialog.result();
        dialog.hide();
        return r;
    }
    void showMessage(const QString& text, int tipo) override { told.append({text, tipo}); }
    int askChoice(const QString& text, const QStringList& options) override {
        asked << text + QStringLiteral(" [") + options.join(QLatin1Char('/')) + QLatin1Char(']');
        return answers.isEmpty() ? 2 : answers.takeFirst();
    }
};

void click(QDialog& d, const QString& name) {
    auto* b = d.findChild<QPushButton*>(name);
    ASSERT_NE(b, nullptr) << name.toStdString();
    ASSERT_TRUE(b->isEnabled()) << name.toStdString() << " is disabled";
    b->click();
}

void type(QDialog& d, const QString& keys) {
    for (const QChar c : keys) {
        click(d, c == QLatin1Char(',') ? QStringLiteral("btnVirgula") : QStringLiteral("btn") + c);
    }
}

QString label(QDialog& d, const char* name) {
    auto* l = d.findChild<QLabel*>(QString::fromLatin1(name));
    return l ? l->text() : QStringLiteral("<no %1>").arg(QString::fromLatin1(name));
}

// Saves a picture of the dialog into TMK_PICTURES when it is set (for looking at it).
void picture(QDialog& d, const QString& name) {
    const QPixmap p = d.grab();
    EXPECT_EQ(p.size(), QSize(800, 600));
    const QString folder = qEnvironmentVariable("TMK_PICTURES");
    if (!folder.isEmpty()) {
        QDir().mkpath(folder);
        EXPECT_TRUE(p.save(QDir(folder).filePath(name + QStringLiteral(".png"))));
    }
}

class PaymentDialogTest : public devices_test::TillFolderTest {
protected:
    void SetUp() override {
        TillFolderTest::SetUp();
        devices_test::writeTillParameters();
        itens.setData(contaMesa7());
        tipos.setData(tiposRecebimento());
        DataPacket p;
        p.fields = {{"UTILIZAIMPFIS", FieldType::Boolean, 0}, {"IDUTILTEF", FieldType::Text, 1}};
        p.rows << QVariantList{false, "T"};
        parametros.setData(p);
        args.cdsParametrosKov = &parametros;
        args.cdsListaComanda = &itens;
        args.cdsMovCaixa = &movCaixa;
        args.cdsConfTipoRece = &tipos;
        args.nrCupom = "0007";
        args.senhaCupom = "42";
        args.cdCliente = "000001";
    }
    void withApp(double valor) {
        movCaixa.setData(pagamentoAplicativo(valor));
        args.vrTotalPago = valor;
    }
    int pending() const { return int(SimulatedTef().pendentes().size()); }

    ClientDataSet parametros{QStringLiteral("cdsParametrosKov")};
    ClientDataSet itens{QStringLiteral("cdsListaComanda")};
    ClientDataSet tipos{QStringLiteral("cdsConfTipoRece")};
    ClientDataSet movCaixa{QStringLiteral("cdsMovCaixa")};
    RecebimentoArgs args;
    ScriptedPayment dialogs;
};

TEST_F(PaymentDialogTest, ShowsTheItemsAndTheAmountDue) {
    withApp(80.00);
    dialogs.script = [&](QDialog& d) {
        EXPECT_EQ(d.size(), QSize(800, 600));
        auto* tbl = d.findChild<QTableWidget*>("tblItens");
        ASSERT_NE(tbl, nullptr);
        ASSERT_EQ(tbl->rowCount(), 4);
        EXPECT_EQ(tbl->item(0, 0)->text(), "2");
        EXPECT_EQ(tbl->item(0, 1)->text(), "PICANHA NA CHAPA");
        EXPECT_EQ(tbl->item(0, 2)->text(), "89,90");
        EXPECT_EQ(tbl->item(0, 3)->text(), "179,80");
        EXPECT_EQ(label(d, "lblItens"), "R$ 200,80");
        EXPECT_EQ(label(d, "lblCouvert"), "R$ 15,00");
        EXPECT_EQ(label(d, "lblConsumacao"), "R$ 50,00");
        EXPECT_EQ(label(d, "lblDescontos"), "- R$ 10,00");
        EXPECT_EQ(label(d, "lblTaxaServico"), "R$ 25,58");
        EXPECT_EQ(label(d, "lblTotal"), "R$ 281,38");
        EXPECT_EQ(label(d, "lblPagoApp"), "R$ 80,00");
        EXPECT_EQ(label(d, "lblFalta"), "R$ 201,38");
        EXPECT_TRUE(label(d, "lblTitulo").contains("Mesa 7"));
        auto* pag = d.findChild<QTableWidget*>("tblPagamentos");
        ASSERT_EQ(pag->rowCount(), 1);
        EXPECT_EQ(pag->item(0, 2)->text(), "aplicativo");
        EXPECT_FALSE(d.findChild<QPushButton*>("btnConcluir")->isEnabled());
        EXPECT_EQ(d.findChild<QPushButton*>("btnTipo010"), nullptr) << "the app's type";
        // The font is a real family (a machine without fonts draws boxes).
        EXPECT_FALSE(QFontInfo(d.findChild<QLabel*>("lblTotal")->font()).family().isEmpty());
        picture(d, "recebimento");
        d.reject();
    };
    dialogs.answers = {1};
    EXPECT_FALSE(dialogs.Recebimento(args));
}

TEST_F(PaymentDialogTest, CashWithChangeCompletesWithTheOutValues) {
    dialogs.script = [&](QDialog& d) {
        type(d, "150");
        click(d, "btnTipo001");
        EXPECT_EQ(label(d, "lblFalta"), "R$ 131,38");
        picture(d, "recebimento-parcial");
        type(d, "200");
        click(d, "btnTipo001");
        EXPECT_EQ(label(d, "lblFalta"), "R$ 68,62") << "the change";
        picture(d, "recebimento-troco");
        click(d, "btnConcluir");
    };
    ASSERT_TRUE(dialogs.Recebimento(args));
    EXPECT_DOUBLE_EQ(args.vrTotalPago, 350.00);
    EXPECT_TRUE(args.idTef.isEmpty());
    EXPECT_EQ(args.nrNaoFiscal, "000001");
    EXPECT_EQ(args.nrCupom, "0007") << "no fiscal printer numbered it";
    EXPECT_FALSE(args.cancelarVenda);
    ASSERT_EQ(movCaixa.recordCount(), 3);
    const DataPacket p = movCaixa.data();
    EXPECT_EQ(p.value(2, "IDTIPOMOVIVE").toString(), "S");
    EXPECT_DOUBLE_EQ(p.value(2, "VRMOVIVEND").toDouble(), 68.62);
    EXPECT_TRUE(dialogs.told.isEmpty());
}

TEST_F(PaymentDialogTest, ACardApprovedCompletesTheCoupon) {
    withApp(80.00);
    dialogs.script = [&](QDialog& d) {
        click(d, "btnTipo005");
        EXPECT_EQ(label(d, "lblFalta"), "R$ 0,00");
        auto* pag = d.findChild<QTableWidget*>("tblPagamentos");
        EXPECT_TRUE(pag->item(1, 2)->text().startsWith("VISA NSU "))
            << pag->item(1, 2)->text().toStdString();
        picture(d, "recebimento-cartao");
        click(d, "btnConcluir");
    };
    ASSERT_TRUE(dialogs.Recebimento(args));
    EXPECT_EQ(args.idTef, "S");
    EXPECT_DOUBLE_EQ(args.vrTotalPago, dialogs_test::kTotalMesa7);
    EXPECT_EQ(movCaixa.recordCount(), 2);
    EXPECT_EQ(pending(), 1) << "confirmed once the sale is concluded";
}

TEST_F(PaymentDialogTest, ADeclinedCardIsToldAndTheCashStays) {
    dialogs.script = [&](QDialog& d) {
        type(d, "100");
        click(d, "btnTipo001");
        write("Dispositivos/TEF.ini", "[TEF]\nResposta=NEGAR\nMotivo=CARTAO VENCIDO\n");
        click(d, "btnTipo002");
        EXPECT_EQ(label(d, "lblFalta"), "R$ 181,38");
        picture(d, "recebimento-recusado");
        EXPECT_FALSE(d.findChild<QPushButton*>("btnConcluir")->isEnabled());
        qobject_cast<PaymentDialog*>(&d)->concluir(); // as Enter would, were it taken
        EXPECT_TRUE(d.isVisible());
        d.reject();
    };
    dialogs.answers = {1};
    EXPECT_FALSE(dialogs.Recebimento(args));
    ASSERT_GE(dialogs.told.size(), 1);
    EXPECT_EQ(dialogs.told[0].first, "Cartão recusado: CARTAO VENCIDO");
    EXPECT_EQ(dialogs.told.value(1).first, "Ainda falta receber R$ 181,38.");
    EXPECT_EQ(pending(), 0);
}

TEST_F(PaymentDialogTest, AmountsWithLettersAreToldAndTakeNothing) {
    dialogs.script = [&](QDialog& d) {
        d.findChild<QLineEdit*>("edtValor")->setText("1O,00");
        click(d, "btnTipo001");
        EXPECT_EQ(d.findChild<QTableWidget*>("tblPagamentos")->rowCount(), 0);
        d.reject();
    };
    dialogs.answers = {1};
    EXPECT_FALSE(dialogs.Recebimento(args));
    ASSERT_EQ(dialogs.told.size(), 1);
    EXPECT_TRUE(dialogs.told[0].first.startsWith("Valor inválido: \"1O,00\""));
}

TEST_F(PaymentDialogTest, CancellingAsksWhetherToCancelTheSaleAndUndoesTheCards) {
    struct Case {
        QList<int> answers;
        bool cancelarVenda;
    };
    for (const Case& c : {Case{{0}, true}, Case{{1}, false}, Case{{2, 0}, true}}) {
        dialogs.answers = c.answers;
        dialogs.asked.clear();
        int shownAfterBack = 0;
        dialogs.script = [&](QDialog& d) {
            type(d, "50");
            click(d, "btnTipo003");
            EXPECT_EQ(pending(), 1);
            click(d, "btnCancelar");
            if (d.isVisible()) { // "Voltar": still paying
                ++shownAfterBack;
                click(d, "btnCancelar");
            }
        };
        EXPECT_FALSE(dialogs.Recebimento(args));
        EXPECT_EQ(args.cancelarVenda, c.cancelarVenda);
        EXPECT_EQ(pending(), 0);
        EXPECT_EQ(shownAfterBack, c.answers.size() > 1 ? 1 : 0);
        ASSERT_FALSE(dialogs.asked.isEmpty());
        EXPECT_EQ(dialogs.asked[0],
                  "Cancelar o recebimento da mesa. Cancelar também a venda? [Sim/Não/Voltar]");
        EXPECT_EQ(movCaixa.fieldCount(), 0) << "the payment table is left as it came";
    }
}

TEST_F(PaymentDialogTest, ATillWithAFiscalPrinterPrintsTheCoupon) {
    DataPacket p = parametros.data();
    p.rows[0][0] = true;
    parametros.setData(p);
    dialogs.script = [&](QDialog& d) {
        click(d, "btnTipo001");
        click(d, "btnConcluir");
    };
    ASSERT_TRUE(dialogs.Recebimento(args));
    SimulatedFiscalPrinter printer;
    EXPECT_EQ(args.nrCupom, printer.ultimoCupom());
    EXPECT_EQ(args.outValue10, printer.ultimoCupom());
    EXPECT_EQ(printer.situacaoUltimoCupom(), "FECHADO");
    const QStringList pdfs = devices_test::filesIn("Impressoes");
    ASSERT_EQ(pdfs.size(), 1);
    EXPECT_TRUE(pdfs[0].contains("CupomFiscal"));
    EXPECT_TRUE(
        devices_test::pdfText(tillPath("Impressoes/" + pdfs[0])).contains("PICANHA NA CHAPA"));
}

TEST_F(PaymentDialogTest, WithoutItemsOrPaymentTableTheDialogRefuses) {
    args.cdsMovCaixa = nullptr;
    EXPECT_THROW(dialogs.Recebimento(args), AppError);
    args.cdsMovCaixa = &movCaixa;
    itens.emptyDataSet();
    EXPECT_THROW(dialogs.Recebimento(args), AppError);
}

TEST(PaymentChoice, TheCancelQuestionOffersItsAnswersAsBigButtons) {
    const auto box = SuiteDialogs::buildChoiceBox(
        "Cancelar o recebimento da mesa. Cancelar também a venda?", {"Sim", "Não", "Voltar"});
    box->show();
    for (int i = 0; i < 3; ++i) {
        auto* b = box->findChild<QPushButton*>(QStringLiteral("btnResposta%1").arg(i));
        ASSERT_NE(b, nullptr) << i;
        EXPECT_GE(b->height(), 56);
    }
    EXPECT_EQ(box->findChild<QPushButton*>("btnResposta1")->text(), "Não");
    const QString folder = qEnvironmentVariable("TMK_PICTURES");
    if (!folder.isEmpty()) {
        box->grab().save(QDir(folder).filePath("pergunta.png"));
    }
}

TEST_F(PaymentDialogTest, TheBusyNoticeShowsItsTextUntilHidden) {
    QWidget screen;
    screen.resize(800, 600);
    screen.show();
    dialogs.AtivaProcesso(&screen, "Verificando o Pagamento da Mesa... Aguarde!", 0, 0);
    auto* notice = screen.findChild<BusyNotice*>("wndAguarde");
    ASSERT_NE(notice, nullptr);
    EXPECT_TRUE(notice->isVisible());
    EXPECT_EQ(notice->text(), "Verificando o Pagamento da Mesa... Aguarde!");
    const QString folder = qEnvironmentVariable("TMK_PICTURES");
    if (!folder.isEmpty()) {
        notice->grab().save(QDir(folder).filePath("aguarde.png"));
    }
    dialogs.AtivaProcesso(&screen, "Outro aviso", 0, 0);
    EXPECT_EQ(screen.findChildren<BusyNotice*>().size(), 1);
    EXPECT_EQ(notice->text(), "Outro aviso");
    dialogs.DesativaProcesso();
    EXPECT_FALSE(notice->isVisible());
    dialogs.DesativaProcesso(); // nothing shown: nothing to do
}

} // namespace
} // namespace tmk
