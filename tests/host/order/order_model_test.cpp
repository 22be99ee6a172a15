#include "host/order/order_model.h"
#include "platform/errors.h"
#include "platform/service_result.h"
#include "service/account_lists.h"
#include "service/data_module.h"
#include "service/state_updates.h"
#include "suite/dialogs/table_opening.h"
#include "tests/host/order/order_fixture.h"

#include <QSqlQuery>
#include <functional>

namespace tmk::order_test {

namespace {

// The Portuguese text of what a call refused; empty when it was accepted.
QString refusal(const std::function<void()>& call) {
    try {
        call();
        return {};
    } catch (const AppError& e) {
        return e.message();
    }
}

} // namespace

TEST_F(OrderTest, TheMenuComesByGroupsWithTheProductsPrices) {
    auto order = orderFor(QStringLiteral("0015"));
    const auto& groups = order->menu().groups();
    ASSERT_EQ(groups.size(), 2);
    EXPECT_EQ(groups[0].caption, QStringLiteral("Pratos"));
    EXPECT_EQ(groups[1].caption, QStringLiteral("Bebidas"));
    const MenuProduct* picanha = order->menu().find(QStringLiteral("10001"));
    ASSERT_NE(picanha, nullptr);
    EXPECT_EQ(picanha->caption, QStringLiteral("Picanha na chapa"));
    ASSERT_TRUE(picanha->priced());
    EXPECT_DOUBLE_EQ(*picanha->price, 89.90);
    // The heading and what the pad already holds.
    EXPECT_EQ(order->nrMesa(), QStringLiteral("0015"));
    EXPECT_EQ(order->partySize(), 2);
    EXPECT_EQ(order->waiterName(), text(QStringLiteral("SELECT NMFANVEN FROM VENDEDOR WHERE "
                                                       "CDVENDEDOR = '003'")));
    EXPECT_EQ(order->sent().size(), 2);
}

// Every refusal leaves the lines as they were.
TEST_F(OrderTest, BadInputIsRefusedInPortugueseAndChangesNothing) {
    exec(QStringLiteral("UPDATE PRODUTO SET VRPRECPROD = NULL WHERE CDPRODUTO = '10002'"));
    exec(QStringLiteral("INSERT INTO PRODUTO (CDPRODUTO, NMPRODUTO, VRPRECPROD) VALUES "
                        "('30001', 'Vinho da casa', 60)"));
    auto order = orderFor(QStringLiteral("0015")); // party of two
    ASSERT_EQ(order->add(QStringLiteral("10001")), 0);
    ASSERT_FALSE(order->menu().find(QStringLiteral("10002"))->priced());

    struct Case {
        const char* what;
        std::function<void()> call;
        const char* says; // part of the message; null when accepted
    };
    const Case cases[] = {
        {"item without a price", [&] { order->add(QStringLiteral("10002")); }, "não tem preço"},
        {"product without a button", [&] { order->add(QStringLiteral("30001")); },
         "não está no cardápio"},
        {"unknown product", [&] { order->add(QStringLiteral("99999")); }, "não está no cardápio"},
        {"cover charge, put on the account by the till",
         [&] { order->add(QStringLiteral("90003")); }, "não está no cardápio"},
        {"quantity 0", [&] { order->setQuantity(0, 0); }, "Quantidade inválida: 0"},
        {"quantity 1000", [&] { order->setQuantity(0, 1000); }, "Quantidade inválida: 1000"},
        {"quantity 999", [&] { order->setQuantity(0, 999); }, nullptr},
        {"quantity 1", [&] { order->setQuantity(0, 1); }, nullptr},
        {"position beyond the party", [&] { order->setPosition(0, 3); }, "Posição inválida: 3"},
        {"position 0", [&] { order->setPosition(0, 0); }, "Posição inválida: 0"},
        {"last position", [&] { order->setPosition(0, 2); }, nullptr},
        {"observation too long",
         [&] {
             order->setObservation(0, QString(OrderModel::kMaxObservation + 1, QLatin1Char('x')));
         },
         "o máximo é 200"},
        {"line that does not exist", [&] { order->setQuantity(1, 2); }, "Selecione um item"},
        {"removing a line that does not exist", [&] { order->remove(-1); }, "Selecione um item"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const QString said = refusal(c.call);
        if (c.says) {
            EXPECT_TRUE(said.contains(QString::fromUtf8(c.says))) << said.toStdString();
        } else {
            EXPECT_TRUE(said.isEmpty()) << said.toStdString();
        }
        ASSERT_EQ(order->lines().size(), 1);
    }
    EXPECT_EQ(order->lines()[0].quantity, 1);
    EXPECT_EQ(order->lines()[0].position, 2);
    EXPECT_TRUE(order->lines()[0].observation.isEmpty());
}

// The items go to the pad with what the map, the bill and the receipt read, numbered after
// the pad's own; a line removed before sending is not written.
TEST_F(OrderTest, SendingWritesTheLinesToThePadInOneGo) {
    auto order = orderFor(QStringLiteral("0015"));
    const QStringList before = padItems(QStringLiteral("0015"));
    ASSERT_EQ(before.size(), 2);
    order->add(QStringLiteral("10001"));
    order->add(QStringLiteral("20003"));
    order->add(QStringLiteral("20004"));
    order->setQuantity(1, 3);
    order->setPosition(1, 2);
    order->setObservation(0, QStringLiteral("  ao ponto  "));
    order->remove(2);
    order->send();

    EXPECT_TRUE(order->lines().isEmpty());
    EXPECT_EQ(order->sent().size(), 4);
    const QStringList after = before + QStringList{QStringLiteral("000003 10001 1 8990 01"),
                                                   QStringLiteral("000004 20003 3 500 02")};
    EXPECT_EQ(padItems(QStringLiteral("0015")), after);
    const QVariantMap item{{QStringLiteral(":N"), QStringLiteral("000003")},
                           {QStringLiteral(":V"), requestFor(QStringLiteral("0015")).nrVendaRest}};
    const QString where = QStringLiteral(" FROM ITCOMANDAVEN WHERE NRVENDAREST = :V AND "
                                         "NRPRODCOMVEN = :N");
    EXPECT_EQ(
        text(QStringLiteral("SELECT IDSTPRCOMVEN || IDPRODREFIL || IDSTLUGARMESA") + where, item),
        QStringLiteral("1NO"));
    EXPECT_EQ(text(QStringLiteral("SELECT CDVENDEDOR") + where, item), QStringLiteral("003"));
    EXPECT_EQ(text(QStringLiteral("SELECT TXPRODCOMVEN") + where, item),
              QStringLiteral("ao ponto"));
    EXPECT_EQ(text(QStringLiteral("SELECT CDLOJA") + where, item), QStringLiteral("0001"));
    const QString ordered = text(QStringLiteral("SELECT DTHRINCOMVEN") + where, item)
                                .replace(QLatin1Char('T'), QLatin1Char(' '));
    EXPECT_TRUE(ordered.startsWith(QStringLiteral("2026-12-08 14:05:09"))) << ordered.toStdString();

    // The receipt's account list reads them with their prices and seats.
    TrdmGerMesa dm(QStringLiteral("dm-pedido"));
    dm.connectTo(database.connectionText());
    const QVariant lista = getListaComanda(
        dm, QStringLiteral("0001"),
        QLatin1Char('_') + requestFor(QStringLiteral("0015")).nrComanda + QLatin1Char('_'), {},
        QStringLiteral("01"));
    ASSERT_FALSE(isServiceFailure(lista)) << serviceFailureMessage(lista).toStdString();
    const DataPacket p = lista.value<DataPacket>();
    QStringList linhas;
    for (int r = 0; r < p.rowCount(); ++r) {
        linhas << p.value(r, QStringLiteral("CDPRODUTO")).toString() + QLatin1Char(' ') +
                      p.value(r, QStringLiteral("NRLUGARMESA")).toString();
    }
    EXPECT_TRUE(linhas.contains(QStringLiteral("10001 01"))) << linhas.join('|').toStdString();
    EXPECT_TRUE(linhas.contains(QStringLiteral("20003 02"))) << linhas.join('|').toStdString();
}

// A pad closed by another till while the order was taken is not written to.
TEST_F(OrderTest, APadWhoseBillWasRequestedMeanwhileIsNotWrittenTo) {
    auto order = orderFor(QStringLiteral("0015"));
    order->add(QStringLiteral("10001"));
    exec(QStringLiteral("UPDATE MESA SET IDSTMESAAUX = 'S' WHERE NRMESA = '0015'"));
    const QString said = refusal([&] { order->send(); });
    EXPECT_TRUE(said.contains(QStringLiteral("já foi solicitada"))) << said.toStdString();
    EXPECT_TRUE(said.contains(QStringLiteral("continuam na tela"))) << said.toStdString();
    EXPECT_EQ(order->lines().size(), 1);
    EXPECT_EQ(padItems(QStringLiteral("0015")).size(), 2);
}

// A refusal in the middle of the writing leaves no item of the order on the pad.
TEST_F(OrderTest, AFailureHalfWayWritesNothingAndKeepsTheOrder) {
    auto order = orderFor(QStringLiteral("0015"));
    order->add(QStringLiteral("10001"));
    order->add(QStringLiteral("20001"));
    database.refuse(QStringLiteral("ITCOMANDAVEN"), QStringLiteral("INSERT"),
                    QStringLiteral("NEW.CDPRODUTO = '20001'"));
    const QString said = refusal([&] { order->send(); });
    EXPECT_TRUE(said.startsWith(QStringLiteral("Não foi possível enviar os itens para a comanda")))
        << said.toStdString();
    EXPECT_EQ(order->lines().size(), 2);
    EXPECT_EQ(order->sent().size(), 2);
    EXPECT_EQ(padItems(QStringLiteral("0015")).size(), 2);
}

// Leaving a table opened by mistake frees it; leaving one with items keeps everything.
TEST_F(OrderTest, LeavingWithoutItemsRemovesTheEmptyOpening) {
    TableOpening opening(conn, demoTill(), freeTable());
    const TableOpening::Opened o = opening.open(QStringLiteral("001"), 2);
    const QString mesa = opening.nrMesa();
    TrdmGerMesa dm(QStringLiteral("dm-pedido"));
    dm.connectTo(database.connectionText());
    auto remover = [&](const QString& f, const QString& l, const QString& m) {
        return setUltMesaAber(dm, f, l, m);
    };
    const QVariantMap m{{QStringLiteral(":M"), mesa}};
    const QString state = QStringLiteral("SELECT IDSTMESAAUX FROM MESA WHERE NRMESA = :M");
    const QString sales = QStringLiteral("SELECT COUNT(*) FROM VENDAREST WHERE NRMESA = :M AND "
                                         "DTHRFECHMESA IS NULL");
    ASSERT_EQ(text(state, m), QStringLiteral("O"));

    {
        auto kept = orderFor(QStringLiteral("0015"));
        EXPECT_TRUE(kept->leave(remover).isEmpty());
        EXPECT_EQ(padItems(QStringLiteral("0015")).size(), 2);
    }
    {
        // Lines never sent count as no item.
        auto order = orderFor(mesa);
        order->add(QStringLiteral("10001"));
        EXPECT_TRUE(order->leave(remover).isEmpty());
    }
    EXPECT_EQ(text(state, m), QStringLiteral("D"));
    EXPECT_EQ(count(sales, m), 0);
    EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM COMANDAVEN WHERE NRCOMANDA = :C"),
                    {{QStringLiteral(":C"), o.nrComanda}}),
              0);
}

TEST_F(OrderTest, AnEmptyWaiterIsChosenAmongTheActiveWaiters) {
    OrderRequest r = requestFor(QStringLiteral("0015"));
    r.cdVendedor.clear();
    OrderModel order(conn, OrderTill::read(), r, [] { return kWhen; });
    order.load();
    ASSERT_TRUE(order.needsWaiter());
    order.add(QStringLiteral("20006"));
    EXPECT_TRUE(refusal([&] { order.send(); }).contains(QStringLiteral("Informe o garçom")));
    EXPECT_TRUE(refusal([&] {
                    order.chooseWaiter(QStringLiteral("999"));
                }).contains(QStringLiteral("não encontrado")));
    ASSERT_GE(order.waiters().size(), 3);
    order.chooseWaiter(order.waiters().at(1).code);
    EXPECT_FALSE(order.needsWaiter());
    order.send();
    EXPECT_EQ(text(QStringLiteral("SELECT CDVENDEDOR FROM ITCOMANDAVEN WHERE CDPRODUTO = '20006' "
                                  "AND NRPRODCOMVEN = '000003' AND NRVENDAREST = :V"),
                   {{QStringLiteral(":V"), r.nrVendaRest}}),
              order.cdVendedor());
}

} // namespace tmk::order_test
