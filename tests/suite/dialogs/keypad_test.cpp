#include "external/common.h"
#include "suite/dialogs/code_password_dialog.h"
#include "suite/dialogs/keypad_dialog.h"
#include "suite/dialogs/keypad_model.h"
#include "tests/suite/print_qstring.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

namespace tmk {
namespace {

TEST(KeypadModel, TakesDigitsUpToTheLimit) {
    KeypadModel m(4);
    for (const char c : QByteArray("12a3.45")) {
        m.type(QLatin1Char(c));
    }
    EXPECT_EQ(m.value(), "1234");
    EXPECT_TRUE(m.isFull());
    EXPECT_FALSE(m.type(QLatin1Char('6')));
    m.backspace();
    EXPECT_EQ(m.value(), "123");
    EXPECT_TRUE(m.type(QLatin1Char('9')));
    EXPECT_EQ(m.value(), "1239");
    m.clear();
    EXPECT_TRUE(m.isEmpty());
    m.backspace(); // on an empty value: nothing
    EXPECT_TRUE(m.isEmpty());
}

TEST(KeypadModel, NoLimitGivenMeansTheLongestValue) {
    for (const int limit : {0, -1, 99}) {
        KeypadModel m(limit);
        EXPECT_EQ(m.maxDigits(), KeypadModel::kLongest) << limit;
        for (int i = 0; i < 30; ++i) {
            m.type(QLatin1Char('7'));
        }
        EXPECT_EQ(m.value().size(), KeypadModel::kLongest);
    }
}

struct Notices {
    QList<QPair<QString, int>> told;
    Notice notice() {
        return [this](const QString& t, int tipo) {
            told.append({t, tipo});
        };
    }
};

void click(QDialog& d, const char* name) {
    auto* b = d.findChild<QPushButton*>(QString::fromLatin1(name));
    ASSERT_NE(b, nullptr) << name;
    b->click();
}

QString shown(QDialog& d) {
    return d.findChild<QLabel*>("lblValor")->text();
}

TEST(KeypadDialog, CaptionPromptAndButtons) {
    Notices n;
    KeypadDialog d("Consultar Reserva", "Informe o número da mesa", "Mesa deve ser informada.", 4,
                   n.notice());
    EXPECT_EQ(d.windowTitle(), "Consultar Reserva");
    EXPECT_EQ(d.findChild<QLabel*>("lblCaption")->text(), "Consultar Reserva");
    EXPECT_EQ(d.findChild<QLabel*>("lblPrompt")->text(), "Informe o número da mesa");
    for (const char* name : {"btn0", "btn1", "btn2", "btn3", "btn4", "btn5", "btn6", "btn7", "btn8",
                             "btn9", "btnLimpa", "btnVolta", "btnConfirma", "btnCancela"}) {
        auto* b = d.findChild<QPushButton*>(QString::fromLatin1(name));
        ASSERT_NE(b, nullptr) << name;
        EXPECT_GE(b->minimumHeight(), 48) << name;
        EXPECT_EQ(b->focusPolicy(), Qt::NoFocus) << name;
    }
    EXPECT_EQ(d.findChild<QPushButton*>("btnLimpa")->text(), "Limpa");
    EXPECT_EQ(d.findChild<QPushButton*>("btnVolta")->text(), QString(QChar(0x2190)));
}

// Every button of a dialog shown over the table map (whose font it takes) fits the till's
// 800 x 600 screen at its full size, cut neither by the dialog nor by the panel it stands in,
// and covers no other.
void expectFitsTheTillScreen(const std::function<std::unique_ptr<QDialog>(QWidget*)>& make) {
    QWidget mapa;
    mapa.setFont(QFont(QStringLiteral("Arial"), 8));
    mapa.resize(800, 600);
    mapa.show();
    std::unique_ptr<QDialog> d = make(&mapa);
    d->show();
    QApplication::processEvents();
    EXPECT_LE(d->height(), 600);
    EXPECT_LE(d->width(), 800);
    const QList<QPushButton*> botoes = d->findChildren<QPushButton*>();
    ASSERT_FALSE(botoes.isEmpty());
    for (auto* b : botoes) {
        const QRect r(b->mapTo(d.get(), QPoint(0, 0)), b->size());
        EXPECT_TRUE(d->rect().contains(r)) << b->objectName().toStdString();
        EXPECT_TRUE(b->parentWidget()->rect().contains(b->geometry()))
            << b->objectName().toStdString() << " is cut";
        EXPECT_GE(b->height(), b->minimumSizeHint().height())
            << b->objectName().toStdString() << " is squeezed";
        for (auto* outro : botoes) {
            const QRect o(outro->mapTo(d.get(), QPoint(0, 0)), outro->size());
            EXPECT_TRUE(b == outro || !r.intersects(o))
                << b->objectName().toStdString() << " covers " << outro->objectName().toStdString();
        }
    }
}

// The longest captions and prompts the table screen asks with.
TEST(KeypadDialog, FitsTheTillScreenWithTheLongestTexts) {
    const struct {
        const char* caption;
        const char* prompt;
    } casos[] = {{"Alterar número de pessoas", "Informe o número de pessoas"},
                 {"Cancelamento de Abertura", "Informe o número da mesa"},
                 {"Liberar Posição", "Informe o numero da Posição"}};
    for (const auto& c : casos) {
        SCOPED_TRACE(c.caption);
        Notices n;
        expectFitsTheTillScreen([&](QWidget* mapa) {
            return std::make_unique<KeypadDialog>(QString::fromUtf8(c.caption),
                                                  QString::fromUtf8(c.prompt), QString(), 4,
                                                  n.notice(), mapa);
        });
    }
}

// The supervisor's authorisation and the operator change, with their longest lines.
TEST(CodePasswordDialog, FitsTheTillScreenWithTheLongestTexts) {
    const struct {
        const char* caption;
        const char* info;
        const char* codeLabel;
    } casos[] = {{"Autorização do Supervisor",
                  "Cancelamento do item 000002 (Cerveja long neck) da comanda 000001: informe o "
                  "código e a senha do supervisor.",
                  "Supervisor"},
                 {"Troca de Operador",
                  "Operador atual: Ana Lima. Informe o código e a senha do operador que vai "
                  "assumir o caixa.",
                  "Operador"}};
    for (const auto& c : casos) {
        SCOPED_TRACE(c.caption);
        Notices n;
        expectFitsTheTillScreen([&](QWidget* mapa) {
            CodePasswordDialog::Texts t;
            t.objectName = QStringLiteral("Teste");
            t.caption = QString::fromUtf8(c.caption);
            t.info = QString::fromUtf8(c.info);
            t.codeLabel = QString::fromUtf8(c.codeLabel);
            return std::make_unique<CodePasswordDialog>(
                t, [](const QString&, const QString&) { return CodePasswordDialog::Verdict{}; },
                n.notice(), mapa);
        });
    }
}

TEST(KeypadDialog, ButtonsTypeAndConfirm) {
    Notices n;
    KeypadDialog d("Mesa", "Informe", "Vazio", 4, n.notice());
    click(d, "btn1");
    click(d, "btn2");
    click(d, "btn3");
    click(d, "btnVolta");
    click(d, "btn7");
    EXPECT_EQ(shown(d), "127");
    click(d, "btnLimpa");
    EXPECT_EQ(shown(d), "");
    click(d, "btn0");
    click(d, "btn9");
    click(d, "btnConfirma");
    EXPECT_EQ(d.result(), QDialog::Accepted);
    EXPECT_EQ(d.value(), "09");
    EXPECT_TRUE(n.told.isEmpty());
}

TEST(KeypadDialog, EmptyValueTellsTheMessageAndStaysOpen) {
    Notices n;
    KeypadDialog d("Mesa", "Informe", "Mesa deve ser informada.", 4, n.notice());
    d.setResult(-1);
    click(d, "btnConfirma");
    QTest::keyClick(&d, Qt::Key_Return);
    ASSERT_EQ(n.told.size(), 2);
    EXPECT_EQ(n.told.at(0).first, "Mesa deve ser informada.");
    EXPECT_EQ(n.told.at(0).second, MsgAviso);
    EXPECT_EQ(d.result(), -1) << "the dialog was closed";

    Notices m;
    KeypadDialog noText("Mesa", "Informe", "  ", 4, m.notice());
    noText.confirm();
    ASSERT_EQ(m.told.size(), 1);
    EXPECT_FALSE(m.told.at(0).first.trimmed().isEmpty());
}

TEST(KeypadDialog, KeyboardDigitsBackspaceEnterAndEsc) {
    Notices n;
    KeypadDialog d("Mesa", "Informe", "Vazio", 3, n.notice());
    QTest::keyClicks(&d, "4x567");
    EXPECT_EQ(shown(d), "456");
    QTest::keyClick(&d, Qt::Key_Backspace);
    EXPECT_EQ(shown(d), "45");
    QTest::keyClick(&d, Qt::Key_Enter);
    EXPECT_EQ(d.result(), QDialog::Accepted);
    EXPECT_EQ(d.value(), "45");

    KeypadDialog esc("Mesa", "Informe", "Vazio", 3, n.notice());
    esc.setResult(-1);
    QTest::keyClicks(&esc, "12");
    QTest::keyClick(&esc, Qt::Key_Escape);
    EXPECT_EQ(esc.result(), QDialog::Rejected);
}

} // namespace
} // namespace tmk
