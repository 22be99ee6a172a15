// The cancellation of ordered items on the demo store: the whole item or a part split off,
// a supervisor's authorisation, and nothing written when anything is refused.

#include "platform/errors.h"
#include "suite/dialogs/code_password_dialog.h"
#include "suite/dialogs/item_cancellation.h"
#include "suite/dialogs/item_cancellation_dialog.h"
#include "tests/suite/dialogs_db/demo_store_fixture.h"
#include "tests/suite/print_qstring.h"

#include <QDir>
#include <QLineEdit>
#include <QTableWidget>

namespace tmk {
namespace {

using dialogs_test::click;
using dialogs_test::DemoStoreTest;
using dialogs_test::ScriptedDialogs;

// Table 0003 of the demo store, its second item (beer) made five units with a discount.
class ItemCancellationTest : public DemoStoreTest {
protected:
    void SetUp() override {
        DemoStoreTest::SetUp();
        if (HasFatalFailure() || IsSkipped()) {
            return;
        }
        venda_ = text(QStringLiteral("SELECT NRVENDAREST FROM VENDAREST WHERE NRMESA = '0003' AND "
                                     "DTHRFECHMESA IS NULL"));
        comanda_ = text(QStringLiteral("SELECT NRCOMANDA FROM COMANDAVEN WHERE NRVENDAREST = :V"),
                        {{QStringLiteral(":V"), venda_}});
        ASSERT_FALSE(comanda_.isEmpty());
        exec(QStringLiteral("UPDATE ITCOMANDAVEN SET QTPRODCOMVEN = 5, VRDESCCOMVEN = 2.5 WHERE "
                            "NRVENDAREST = :V AND NRPRODCOMVEN = '000002'"),
             {{QStringLiteral(":V"), venda_}});
    }

    // Every item of the pad: number, quantity, state, operator, supervisor, discount,
    // whether the time of the cancellation is there.
    QStringList rows() {
        return column(
            QStringLiteral("SELECT NRPRODCOMVEN || '|' || CAST(QTPRODCOMVEN AS TEXT) || '|' || "
                           "COALESCE(IDSTPRCOMVEN, '') || '|' || COALESCE(CDOPERCANC, '') || "
                           "'|' || COALESCE(CDSUPERVISOR, '') || '|' || "
                           "CAST(VRDESCCOMVEN AS TEXT) || '|' || "
                           "CASE WHEN DTHRPRODCANVEN IS NULL THEN 'sem hora' ELSE 'com hora' "
                           "END FROM ITCOMANDAVEN WHERE NRCOMANDA = :C ORDER BY NRPRODCOMVEN"),
            {{QStringLiteral(":C"), comanda_}});
    }
    ItemCancellation model() {
        return ItemCancellation(database.connection(), demoTill(), comanda_,
                                QStringLiteral("0003"));
    }
    ItemCancellation::Item beer(ItemCancellation& m) {
        for (const ItemCancellation::Item& i : m.items()) {
            if (i.nrProdComVen == QLatin1String("000002")) {
                return i;
            }
        }
        ADD_FAILURE() << "item 000002 not listed";
        return {};
    }

    QString venda_;
    QString comanda_;
};

// Answers the supervisor's dialog with a code and password, then gives up when refused.
void supervisor(QDialog& d, const char* code, const char* password) {
    auto& s = dynamic_cast<CodePasswordDialog&>(d);
    s.codeField()->setText(QString::fromLatin1(code));
    s.passwordField()->setText(QString::fromLatin1(password));
    click(d, "btnConfirma");
    if (d.result() != QDialog::Accepted) {
        click(d, "btnCancela");
    }
}

TEST(ItemCancellationQuantity, TypedForms) {
    const std::pair<const char*, std::optional<qint64>> cases[] = {
        {"3", 3000},
        {" 1,5 ", 1500},
        {"0.250", 250},
        {"0", 0},
        {"", std::nullopt},
        {"abc", std::nullopt},
        {"-1", std::nullopt},
        {"1,2345", std::nullopt},
        {"1.000,5", std::nullopt},
        {"2'", std::nullopt},
    };
    for (const auto& [typed, expected] : cases) {
        EXPECT_EQ(ItemCancellation::parseQuantity(QString::fromLatin1(typed)), expected) << typed;
    }
    ItemCancellation::Item item;
    item.milesimos = 5000;
    const std::pair<const char*, const char*> problems[] = {
        {"", "Informe a quantidade a cancelar."},
        {"x", "Quantidade inválida: \"x\"."},
        {"0", "A quantidade a cancelar deve ser maior que zero."},
        {"6", "A quantidade a cancelar (6) é maior que a do item (5)."},
        {"5", ""},
        {"0,5", ""},
    };
    for (const auto& [typed, message] : problems) {
        const QString t = QString::fromLatin1(typed);
        EXPECT_EQ(ItemCancellation::quantityProblem(item, ItemCancellation::parseQuantity(t), t),
                  QString::fromUtf8(message))
            << typed;
    }
}

TEST_F(ItemCancellationTest, ThreeOfFiveLeaveTwoLinesWithTheRightQuantities) {
    ScriptedDialogs dialogs(database.connection());
    int cancelled = -1;
    dialogs.script = [&](QDialog& d) {
        if (d.objectName() == QLatin1String("AutorizacaoSupervisor")) {
            supervisor(d, "0099", "4321");
            return;
        }
        auto& c = dynamic_cast<ItemCancellationDialog&>(d);
        auto* table = d.findChild<QTableWidget*>(QStringLiteral("tblItens"));
        ASSERT_NE(table, nullptr);
        ASSERT_EQ(table->rowCount(), 4);
        ASSERT_EQ(table->item(1, 0)->text(), "000002");
        EXPECT_EQ(table->item(1, 3)->text(), "5");
        c.chooseItem(1);
        auto* qt = d.findChild<QLineEdit*>(QStringLiteral("edtQuantidade"));
        EXPECT_EQ(qt->text(), "1");
        click(d, "btnMais");
        click(d, "btnMais");
        EXPECT_EQ(qt->text(), "3");
        const QString folder = qEnvironmentVariable("TMK_PICTURES");
        if (!folder.isEmpty()) {
            d.grab().save(QDir(folder).filePath("cancela-produto.png"));
        }
        click(d, "btnCancelaItem");
        cancelled = c.cancellations();
        // The list is read again: the item shows what is left of it.
        EXPECT_EQ(table->rowCount(), 4);
        EXPECT_EQ(table->item(1, 3)->text(), "2");
        click(d, "btnFechar");
    };
    dialogs.CancelaProduto(comanda_, QStringLiteral("RES_0003"), QStringLiteral("RES"),
                           QStringLiteral("0003"));
    EXPECT_EQ(cancelled, 1);
    EXPECT_TRUE(dialogs.told.isEmpty());
    EXPECT_EQ(dialogs.dialogsShown, (QStringList{QStringLiteral("CancelaProduto"),
                                                 QStringLiteral("AutorizacaoSupervisor")}));
    const QStringList r = rows();
    ASSERT_EQ(r.size(), 5);
    EXPECT_TRUE(r.at(1).startsWith("000002|2")) << r.at(1).toStdString();
    EXPECT_TRUE(r.at(1).contains("|1|||1|sem hora") || r.at(1).contains("|1|||1.0|sem hora"))
        << r.at(1).toStdString();
    // The cancelled part under the next number, with its share of the discount.
    EXPECT_TRUE(r.at(4).startsWith("000005|3")) << r.at(4).toStdString();
    EXPECT_TRUE(r.at(4).contains("|6|0001|0099|1.5|com hora")) << r.at(4).toStdString();
    EXPECT_EQ(count(QStringLiteral("SELECT SUM(QTPRODCOMVEN) FROM ITCOMANDAVEN WHERE NRCOMANDA = "
                                   ":C AND CDPRODUTO = '20004'"),
                    {{QStringLiteral(":C"), comanda_}}),
              5);
}

TEST_F(ItemCancellationTest, TheWholeItemIsMarkedWithoutANewLine) {
    ItemCancellation m = model();
    const ItemCancellation::Item item = beer(m);
    m.cancel(item, 5000, QStringLiteral("0099"));
    const QStringList r = rows();
    ASSERT_EQ(r.size(), 4);
    EXPECT_TRUE(r.at(1).startsWith("000002|5")) << r.at(1).toStdString();
    EXPECT_TRUE(r.at(1).contains("|6|0001|0099|")) << r.at(1).toStdString();
    EXPECT_TRUE(r.at(1).endsWith("com hora")) << r.at(1).toStdString();
    // A cancelled item is no longer offered.
    EXPECT_EQ(m.items().size(), 3);
}

TEST_F(ItemCancellationTest, TheSplitLineIsNumberedAboveEveryItemOfTheSale) {
    // A cancelled item numbered higher, and a number that is none.
    for (const char* number : {"000041", "X1"}) {
        exec(QStringLiteral("INSERT INTO ITCOMANDAVEN (CDFILIAL, NRVENDAREST, NRCOMANDA, "
                            "NRPRODCOMVEN, CDLOJA, CDPRODUTO, QTPRODCOMVEN, VRPRECCOMVEN, "
                            "IDSTPRCOMVEN) SELECT CDFILIAL, NRVENDAREST, NRCOMANDA, :N, CDLOJA, "
                            "'20001', 1, 7, '6' FROM COMANDAVEN WHERE NRVENDAREST = :V"),
             {{QStringLiteral(":N"), QString::fromLatin1(number)}, {QStringLiteral(":V"), venda_}});
    }
    ItemCancellation m = model();
    m.cancel(beer(m), 1000, QStringLiteral("0099"));
    EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM ITCOMANDAVEN WHERE NRVENDAREST = :V AND "
                                   "NRPRODCOMVEN = '000042' AND IDSTPRCOMVEN = '6' AND "
                                   "QTPRODCOMVEN = 1"),
                    {{QStringLiteral(":V"), venda_}}),
              1);
}

// Whatever is refused or given up, the pad stays as it was.
TEST_F(ItemCancellationTest, NothingChangesUnlessASupervisorAuthorisesAValidQuantity) {
    struct Case {
        const char* name;
        const char* quantity;                 // typed before cancelling; nullptr: not cancelled
        std::function<void(QDialog&)> answer; // the supervisor's dialog
        int told;
    };
    const auto cancel = [](QDialog& d) {
        click(d, "btnCancela");
    };
    const Case cases[] = {
        {"closed without cancelling", nullptr, nullptr, 0},
        {"wrong supervisor password", "3", [](QDialog& d) { supervisor(d, "0099", "9999"); }, 1},
        {"an operator who is no supervisor", "3", [](QDialog& d) { supervisor(d, "0002", "2222"); },
         1},
        {"supervisor's dialog cancelled", "3", cancel, 0},
        {"more than the item", "6", cancel, 1},
        {"zero", "0", cancel, 1},
        {"letters", "três", cancel, 1},
    };
    const QStringList before = rows();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedDialogs dialogs(database.connection());
        dialogs.script = [&c](QDialog& d) {
            if (d.objectName() == QLatin1String("AutorizacaoSupervisor")) {
                ASSERT_TRUE(c.answer);
                c.answer(d);
                return;
            }
            auto& dlg = dynamic_cast<ItemCancellationDialog&>(d);
            if (c.quantity) {
                dlg.chooseItem(1);
                dlg.setQuantity(QString::fromUtf8(c.quantity));
                click(d, "btnCancelaItem");
                EXPECT_EQ(dlg.cancellations(), 0);
            }
            click(d, "btnFechar");
        };
        dialogs.CancelaProduto(comanda_, QString(), QStringLiteral("RES"), QStringLiteral("0003"));
        EXPECT_EQ(dialogs.told.size(), c.told);
        EXPECT_EQ(rows(), before);
    }
}

TEST_F(ItemCancellationTest, AnItemChangedMeanwhileOrAFailedWriteLeavesEverything) {
    ItemCancellation m = model();
    const ItemCancellation::Item item = beer(m);
    // Another till took one unit off after the list was read.
    exec(QStringLiteral("UPDATE ITCOMANDAVEN SET QTPRODCOMVEN = 4 WHERE NRVENDAREST = :V AND "
                        "NRPRODCOMVEN = '000002'"),
         {{QStringLiteral(":V"), venda_}});
    const QStringList changed = rows();
    for (const qint64 q : {qint64(3000), qint64(5000)}) {
        try {
            m.cancel(item, q, QStringLiteral("0099"));
            ADD_FAILURE() << "cancelled an item changed meanwhile";
        } catch (const AppError& e) {
            EXPECT_TRUE(e.message().contains("alterado em outro caixa"))
                << e.message().toStdString();
        }
        EXPECT_EQ(rows(), changed);
    }
    // The split line refused after the rest was written: both undone.
    database.refuse(QStringLiteral("ITCOMANDAVEN"), QStringLiteral("INSERT"),
                    QStringLiteral("1 = 1"));
    const ItemCancellation::Item now = beer(m);
    EXPECT_THROW(m.cancel(now, 1000, QStringLiteral("0099")), AppError);
    EXPECT_EQ(rows(), changed);
}

TEST_F(ItemCancellationTest, APadWithoutItemsOrWithoutNumberIsTold) {
    ScriptedDialogs dialogs(database.connection());
    dialogs.CancelaProduto(QString(), QString(), QStringLiteral("RES"), QStringLiteral("0001"));
    exec(QStringLiteral("UPDATE ITCOMANDAVEN SET IDSTPRCOMVEN = '6' WHERE NRCOMANDA = :C"),
         {{QStringLiteral(":C"), comanda_}});
    dialogs.CancelaProduto(comanda_, QString(), QStringLiteral("RES"), QStringLiteral("0003"));
    EXPECT_TRUE(dialogs.dialogsShown.isEmpty());
    ASSERT_EQ(dialogs.told.size(), 2);
    EXPECT_EQ(dialogs.told.at(0).first, "A mesa 0001 não tem comanda aberta.");
    EXPECT_EQ(dialogs.told.at(1).first,
              QStringLiteral("A comanda %1 da mesa 0003 não tem itens a cancelar.").arg(comanda_));
}

} // namespace
} // namespace tmk
