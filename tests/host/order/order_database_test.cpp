#include "external/common.h"
#include "host/order/order_model.h"
#include "platform/errors.h"
#include "tests/host/order/order_fixture.h"

#include <QFile>
#include <QSet>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <atomic>
#include <thread>

namespace tmk::order_test {

namespace {

// Takes the test's database out of reach of new connections and gives it back.
class DatabaseOutage {
public:
    DatabaseOutage(test::TestDatabase& db, QSqlDatabase& till)
        : db_(db)
        , till_(till) {}

    void begin() {
        if (!db_.sqliteFile().isEmpty()) {
            ASSERT_TRUE(
                QFile::rename(db_.sqliteFile(), db_.sqliteFile() + QStringLiteral(".fora")));
            // The till's connection is gone as a server that went down leaves it.
            till_.close();
            return;
        }
        // The server refuses new connections to the database and ends the till's own.
        QSqlQuery mine(db_.connection());
        ASSERT_TRUE(mine.exec(QStringLiteral("SELECT pg_backend_pid()")) && mine.next());
        const QString fixture = mine.value(0).toString();
        admin(QStringLiteral("ALTER DATABASE \"%1\" ALLOW_CONNECTIONS false"));
        admin(QStringLiteral("SELECT pg_terminate_backend(pid) FROM pg_stat_activity WHERE "
                             "datname = '%1' AND pid <> ") +
              fixture);
    }
    void end() {
        if (!db_.sqliteFile().isEmpty()) {
            ASSERT_TRUE(
                QFile::rename(db_.sqliteFile() + QStringLiteral(".fora"), db_.sqliteFile()));
        } else {
            admin(QStringLiteral("ALTER DATABASE \"%1\" ALLOW_CONNECTIONS true"));
        }
    }

private:
    // A statement on the server's own database, about the test's database.
    void admin(const QString& statement) {
        const QString name = QStringLiteral("pedido-admin");
        {
            QSqlDatabase server = openConnection(qEnvironmentVariable("TMK_TEST_PG"), name);
            QSqlQuery q(server);
            EXPECT_TRUE(q.exec(statement.arg(db_.postgresDatabase())))
                << q.lastError().text().toStdString();
        }
        QSqlDatabase::removeDatabase(name);
    }

    test::TestDatabase& db_;
    QSqlDatabase& till_;
};

} // namespace

// The database down while the items are sent: the operator is told, the order stays on the
// screen and goes once the database is back; nothing is written twice.
TEST_F(OrderTest, TheDatabaseDownWhileSendingKeepsTheOrderToSendAgain) {
    auto order = orderFor(QStringLiteral("0015"));
    order->add(QStringLiteral("10003"));
    order->add(QStringLiteral("20002"));
    DatabaseOutage outage(database, conn);
    outage.begin();
    if (HasFatalFailure()) {
        return;
    }
    QString said;
    try {
        order->send();
    } catch (const AppError& e) {
        said = e.message();
    }
    outage.end();
    EXPECT_TRUE(said.startsWith(QStringLiteral("Sem conexão com o banco de dados.")))
        << said.toStdString();
    EXPECT_TRUE(said.contains(QStringLiteral("continuam na tela"))) << said.toStdString();
    EXPECT_EQ(order->lines().size(), 2);
    EXPECT_EQ(padItems(QStringLiteral("0015")).size(), 2);

    order->send();
    EXPECT_TRUE(order->lines().isEmpty());
    EXPECT_EQ(padItems(QStringLiteral("0015")).size(), 4);
}

// Two tills add items to one pad at the same moment: every item of both is kept, each with
// its own number.
TEST_F(OrderTest, TwoTillsAddingToOnePadAtOnceKeepEveryItem) {
    const OrderRequest request = requestFor(QStringLiteral("0015"));
    const OrderTill till = OrderTill::read();
    const QString text = database.connectionText();
    constexpr int kRounds = 6;
    std::atomic<int> ready{0};
    QStringList failures[2];
    auto caixa = [&](int n) {
        const QString name = QStringLiteral("caixa-%1").arg(n);
        {
            QSqlDatabase db = configureConnection(text, name, DatabaseFile::MustExist);
            try {
                TryConnect(db);
                SetADODBSession(db);
                OrderModel order(db, till, request, [] { return kWhen; });
                order.load();
                ++ready;
                while (ready < 2) {
                    std::this_thread::yield();
                }
                for (int round = 0; round < kRounds; ++round) {
                    order.add(n == 0 ? QStringLiteral("10004") : QStringLiteral("20005"));
                    order.add(QStringLiteral("20003"));
                    order.send();
                }
            } catch (const std::exception& e) {
                ++ready;
                failures[n] << exceptionText(e);
            }
            db.close();
        }
        QSqlDatabase::removeDatabase(name);
    };
    std::thread a(caixa, 0);
    std::thread b(caixa, 1);
    a.join();
    b.join();
    EXPECT_TRUE(failures[0].isEmpty()) << failures[0].join('|').toStdString();
    EXPECT_TRUE(failures[1].isEmpty()) << failures[1].join('|').toStdString();

    const QStringList items = padItems(QStringLiteral("0015"));
    ASSERT_EQ(items.size(), 2 + 2 * 2 * kRounds);
    QSet<QString> numbers;
    int first = 0;
    int second = 0;
    for (const QString& item : items) {
        numbers.insert(item.section(QLatin1Char(' '), 0, 0));
        first += item.section(QLatin1Char(' '), 1, 1) == QLatin1String("10004");
        second += item.section(QLatin1Char(' '), 1, 1) == QLatin1String("20005");
    }
    EXPECT_EQ(numbers.size(), items.size());
    EXPECT_EQ(first, kRounds);
    EXPECT_GE(second, kRounds); // the demo's own order of table 15 has one too
    // Numbered one after the other, without a gap.
    EXPECT_EQ(items.last().section(QLatin1Char(' '), 0, 0),
              QStringLiteral("%1").arg(items.size(), 6, 10, QLatin1Char('0')));
}

} // namespace tmk::order_test
