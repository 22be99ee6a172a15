#include "host/order/order_screen.h"
#include "host/order/waiter_choice.h"
#include "tests/host/order/order_fixture.h"

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QTest>
#include <QTimer>

namespace tmk::order_test {

namespace {

template <typename W>
W* named(QWidget& parent, const char* name) {
    auto* w = parent.findChild<W*>(QString::fromLatin1(name));
    EXPECT_NE(w, nullptr) << name;
    return w;
}

// Keeps a picture of the screen where TMK_SCREENSHOT_DIR names a folder.
void keep(QWidget& screen, const QString& file) {
    const QString folder = qEnvironmentVariable("TMK_SCREENSHOT_DIR");
    if (!folder.isEmpty()) {
        screen.grab().save(QDir(folder).filePath(file), "PNG");
    }
}

} // namespace

// The screen as the operator uses it, by the controls' names: a group, two products, the
// quantity, seat and note of a line, one line removed, then "Enviar".
TEST_F(OrderTest, TheScreenTakesAnOrderByTouchAndSendsIt) {
    auto order = orderFor(QStringLiteral("0015"));
    OrderScreen screen(*order);
    screen.show();
    EXPECT_EQ(named<QLabel>(screen, "lblMesa")->text(), QStringLiteral("Mesa 15"));
    EXPECT_TRUE(named<QLabel>(screen, "lblGarcom")->text().contains(order->waiterName()));
    auto* lines = named<QTableWidget>(screen, "tblItens");
    ASSERT_NE(lines, nullptr);
    EXPECT_EQ(lines->rowCount(), 2); // the pad's own items, sent already
    auto* enviar = named<QPushButton>(screen, "btnEnviar");
    ASSERT_NE(enviar, nullptr);
    EXPECT_FALSE(enviar->isEnabled());

    QTest::mouseClick(named<QPushButton>(screen, "btnGrupo02"), Qt::LeftButton);
    ASSERT_NE(screen.findChild<QPushButton*>(QStringLiteral("btnProduto20004")), nullptr);
    EXPECT_TRUE(named<QPushButton>(screen, "btnProduto20004")->isVisible());
    EXPECT_EQ(screen.findChild<QPushButton*>(QStringLiteral("btnProduto10001")), nullptr);
    QTest::mouseClick(named<QPushButton>(screen, "btnProduto20004"), Qt::LeftButton);
    named<QSpinBox>(screen, "spnQuantidade")->setValue(2);
    named<QSpinBox>(screen, "spnPosicao")->setValue(2);
    QTest::keyClicks(named<QLineEdit>(screen, "edtObservacao"), QStringLiteral("bem gelada"));
    ASSERT_EQ(order->lines().size(), 1);
    EXPECT_EQ(order->lines()[0].observation, QStringLiteral("bem gelada"));
    QTest::mouseClick(named<QPushButton>(screen, "btnGrupo01"), Qt::LeftButton);
    QTest::mouseClick(named<QPushButton>(screen, "btnProduto10006"), Qt::LeftButton);
    QTest::mouseClick(named<QPushButton>(screen, "btnProduto10005"), Qt::LeftButton);
    EXPECT_EQ(lines->rowCount(), 5);
    QTest::mouseClick(named<QPushButton>(screen, "btnRemover"), Qt::LeftButton); // the fries
    EXPECT_EQ(lines->rowCount(), 4);
    EXPECT_TRUE(named<QLabel>(screen, "lblTotal")->text().contains(QStringLiteral("38,50")))
        << named<QLabel>(screen, "lblTotal")->text().toStdString();
    // A position beyond the party cannot even be chosen.
    EXPECT_EQ(named<QSpinBox>(screen, "spnPosicao")->maximum(), 2);
    keep(screen, QStringLiteral("pedido.png"));

    QTest::mouseClick(enviar, Qt::LeftButton);
    EXPECT_EQ(screen.result(), QDialog::Accepted);
    EXPECT_EQ(padItems(QStringLiteral("0015")).mid(2),
              (QStringList{QStringLiteral("000003 20004 2 1200 02"),
                           QStringLiteral("000004 10006 1 1450 01")}));
    EXPECT_EQ(text(QStringLiteral("SELECT TXPRODCOMVEN FROM ITCOMANDAVEN WHERE NRPRODCOMVEN = "
                                  "'000003' AND NRVENDAREST = :V"),
                   {{QStringLiteral(":V"), order->request().nrVendaRest}}),
              QStringLiteral("bem gelada"));
}

// What the operator is told stays on the screen, in Portuguese, and the picture is not
// blank.
TEST_F(OrderTest, AProductWithoutAPriceCannotBeTouched) {
    exec(QStringLiteral("UPDATE PRODUTO SET VRPRECPROD = 0 WHERE CDPRODUTO = '10003'"));
    auto order = orderFor(QStringLiteral("0015"));
    OrderScreen screen(*order);
    screen.show();
    auto* risoto = named<QPushButton>(screen, "btnProduto10003");
    ASSERT_NE(risoto, nullptr);
    EXPECT_FALSE(risoto->isEnabled());
    EXPECT_TRUE(risoto->text().contains(QStringLiteral("sem preço")));
    const QImage picture = screen.grab().toImage();
    EXPECT_EQ(picture.size(), QSize(800, 600));
    // The product buttons are drawn in their configured colours over the screen's face.
    auto* picanha = named<QPushButton>(screen, "btnProduto10001");
    ASSERT_NE(picanha, nullptr);
    const QPoint face = picanha->mapTo(&screen, QPoint(6, picanha->height() / 2));
    EXPECT_NE(picture.pixel(face), picture.pixel(4, picture.height() - 4)) << "a blank screen";
}

} // namespace tmk::order_test

namespace tmk::order_test {

// The choice of waiter lists the active waiters and confirms only a chosen one; the counter
// sale's screen says so and pays instead of sending.
TEST_F(OrderTest, TheWaiterChoiceAndTheCounterSaleScreen) {
    OrderRequest r = requestFor(QStringLiteral("0015"));
    r.cdVendedor.clear();
    OrderModel order(conn, OrderTill::read(), r, [] { return kWhen; });
    order.load();
    WaiterChoice choice(order.waiters());
    choice.show();
    auto* list = named<QListWidget>(choice, "lstGarcons");
    auto* confirm = named<QPushButton>(choice, "btnConfirmar");
    ASSERT_TRUE(list && confirm);
    EXPECT_EQ(list->count(), int(order.waiters().size()));
    EXPECT_FALSE(confirm->isEnabled());
    list->setCurrentRow(1);
    EXPECT_TRUE(confirm->isEnabled());
    EXPECT_EQ(choice.chosen(), order.waiters().at(1).code);
    keep(choice, QStringLiteral("garcom.png"));

    OrderRequest balcao;
    balcao.tipoVenda = QStringLiteral("B");
    OrderModel counter(conn, OrderTill::read(), balcao, [] { return kWhen; });
    counter.load();
    OrderScreen screen(counter);
    screen.show();
    EXPECT_EQ(named<QLabel>(screen, "lblMesa")->text(), QStringLiteral("Venda balcão"));
    EXPECT_EQ(named<QPushButton>(screen, "btnEnviar")->text(), QStringLiteral("Pagar"));
    EXPECT_EQ(named<QSpinBox>(screen, "spnPosicao")->maximum(), 1);
    QTest::mouseClick(named<QPushButton>(screen, "btnProduto10004"), Qt::LeftButton);
    EXPECT_EQ(named<QLabel>(screen, "lblTotal")->text(), QStringLiteral("Total: R$ 32,00"));
    keep(screen, QStringLiteral("balcao.png"));
}

} // namespace tmk::order_test

namespace tmk::order_test {

// A pad without a waiter (the counter sale) shows the screen modal and asks for the waiter
// over it; after the choice the screen is still the modal window, so the till's windows
// behind it take no touch and whoever waits for the screen finds it on top.
TEST_F(OrderTest, ThePadWithoutAWaiterAsksForItOverTheModalScreen) {
    OrderRequest balcao;
    balcao.tipoVenda = QStringLiteral("B");
    OrderModel counter(conn, OrderTill::read(), balcao, [] { return kWhen; });
    counter.load();
    ASSERT_TRUE(counter.needsWaiter());
    const OrderModel::Waiter garcom = counter.waiters().value(0);
    ASSERT_FALSE(garcom.code.isEmpty());
    OrderScreen screen(counter);

    QStringList modais; // the modal windows seen, in order
    bool escolhido = false;
    QTimer olha;
    QObject::connect(&olha, &QTimer::timeout, &screen, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        const QString nome = modal ? modal->objectName() : QStringLiteral("nenhuma");
        if (modais.isEmpty() || modais.last() != nome) {
            modais << nome;
        }
        if (nome == QLatin1String("dlgGarcom")) {
            EXPECT_TRUE(screen.isVisible()) << "the choice comes over the screen";
            named<QListWidget>(*modal, "lstGarcons")->setCurrentRow(0);
            named<QPushButton>(*modal, "btnConfirmar")->click();
            escolhido = true;
        } else if (nome == QLatin1String("frmPedido") && escolhido) {
            screen.done(QDialog::Rejected);
        }
    });
    olha.start(10);
    // Never longer than this: whatever is open is closed.
    QTimer::singleShot(5000, &screen, [&] {
        if (auto* choice = screen.findChild<WaiterChoice*>()) {
            choice->reject();
        }
        screen.done(QDialog::Rejected);
    });
    EXPECT_EQ(screen.run(), QDialog::Rejected);
    olha.stop();
    EXPECT_EQ(modais.join(QStringLiteral(", ")), QStringLiteral("dlgGarcom, frmPedido"));
    EXPECT_EQ(counter.waiterName(), garcom.shortName);
    EXPECT_EQ(named<QLabel>(screen, "lblGarcom")->text(),
              QStringLiteral("Garçom: %1").arg(garcom.shortName));
}

} // namespace tmk::order_test
