#include "external/common.h"
#include "platform/database_error.h"
#include "tests/suite/print_qstring.h"
#include "tests/support/test_database.h"

#include <QMutex>
#include <QSqlError>
#include <QSqlQuery>
#include <QThread>
#include <memory>
#include <set>

namespace tmk::test {
namespace {

class NextCode : public DatabaseTest {
protected:
    void SetUp() override {
        DatabaseTest::SetUp();
        if (IsSkipped() || HasFatalFailure()) {
            return;
        }
        db_ = database.openAnother(QStringLiteral("contador"), TestDatabase::Session::Prepared);
    }
    void exec(const QString& sql) {
        QSqlQuery q(db_);
        EXPECT_TRUE(q.exec(sql)) << sql.toStdString() << ": " << q.lastError().text().toStdString();
    }
    qlonglong stored(const QString& counter) {
        QSqlQuery q(db_);
        q.prepare("SELECT NRSEQUENCIAL FROM NOVOCODIGO WHERE CDCONTADOR = :K");
        q.bindValue(":K", counter);
        if (!q.exec() || !q.next()) {
            return -1;
        }
        return q.value(0).toLongLong();
    }
    QSqlDatabase db_;
};

const QDateTime day15(QDate(2024, 3, 15), QTime(23, 59, 30));
const QDateTime day16(QDate(2024, 3, 16), QTime(0, 0, 5));

TEST_F(NextCode, OrderPasswordsPerBranchAndDay) {
    TdtmKovProxCodigo codes(db_);
    EXPECT_EQ(codes.PrxVendaDia("1", day15), "1");
    EXPECT_EQ(codes.PrxVendaDia("1", day15), "2");
    EXPECT_EQ(codes.PrxVendaDia("1", day15), "3");
    EXPECT_EQ(codes.PrxVendaDia("1", day16), "1"); // a new day starts again
    EXPECT_EQ(codes.PrxVendaDia("2", day15), "1"); // another branch has its own
    EXPECT_EQ(codes.PrxVendaDia("1", day15), "4");
    EXPECT_EQ(stored("VENDADIA115/03/2024"), 4);
    EXPECT_EQ(stored("VENDADIA116/03/2024"), 1);
}

TEST_F(NextCode, SaleSequencePerBranchAndTillZeroPadded) {
    EXPECT_EQ(TdtmKovProxCodigo(db_).PrxPedidoVenda("1", "001", 1, "SRV"), "0000000001");
    EXPECT_EQ(TdtmKovProxCodigo(db_).PrxPedidoVenda("1", "001", 1, "SRV"), "0000000002");
    EXPECT_EQ(TdtmKovProxCodigo(db_).PrxPedidoVenda("1", "002", 1, "SRV"), "0000000001");
    EXPECT_EQ(TdtmKovProxCodigo(db_).PrxPedidoVenda("1", "001", 5, "SRV"), "0000000007");
    EXPECT_EQ(stored("PEDIDOVENDA1001"), 7);
    EXPECT_EQ(stored("PEDIDOVENDA1002"), 1);
}

TEST_F(NextCode, ContinuesFromAStoredCounter) {
    exec("INSERT INTO NOVOCODIGO (CDCONTADOR, NRSEQUENCIAL) "
         "VALUES ('PEDIDOVENDA1001', 2147483000)");
    EXPECT_EQ(TdtmKovProxCodigo(db_).PrxPedidoVenda("1", "001", 1, "SRV"), "2147483001");
}

// A counter that numbers rows which may exist without it starts above the highest number
// in use, and never falls back below a counter that already went further.
TEST_F(NextCode, CounterWithAFloorStaysAboveIt) {
    TdtmKovProxCodigo codes(db_);
    const struct {
        qlonglong floor;
        qlonglong expected;
    } cases[] = {
        {41, 42}, // a new counter starts above the floor
        {0, 43},  // a lower floor changes nothing
        {42, 44}, // nor an equal one
        {99, 100},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(codes.PrxCodigo("VENDAREST0001", c.floor), c.expected) << c.floor;
    }
    EXPECT_EQ(stored("VENDAREST0001"), 100);
    EXPECT_EQ(codes.PrxCodigo("VENDAREST0002", 0), 1);
    EXPECT_THROW(codes.PrxCodigo("VENDAREST0002", -1), AppError);
    EXPECT_EQ(stored("VENDAREST0002"), 1);
}

TEST_F(NextCode, BadArgumentsAreRefusedBeforeTheDatabase) {
    TdtmKovProxCodigo codes(db_);
    EXPECT_THROW(codes.PrxVendaDia("1", QDateTime()), AppError);
    EXPECT_THROW(codes.PrxPedidoVenda("1", "001", 0, "SRV"), AppError);
    EXPECT_THROW(codes.PrxPedidoVenda(QString(60, QLatin1Char('9')), "001", 1, "SRV"), AppError);
    EXPECT_EQ(stored("PEDIDOVENDA1001"), -1);
}

TEST_F(NextCode, MissingTableIsADatabaseError) {
    exec("DROP TABLE NOVOCODIGO");
    try {
        TdtmKovProxCodigo(db_).PrxVendaDia("1", day15);
        FAIL() << "no error";
    } catch (const DatabaseError& e) {
        EXPECT_FALSE(e.connectionLost());
        EXPECT_EQ(e.statement(), "prx_codigo");
        EXPECT_EQ(e.message(),
                  "Não foi possível obter o próximo número do contador VENDADIA115/03/2024.");
        EXPECT_FALSE(e.driverText().isEmpty());
    }
}

TEST_F(NextCode, ClosedConnectionIsReportedAsLost) {
    db_.close();
    try {
        TdtmKovProxCodigo(db_).PrxVendaDia("1", day15);
        FAIL() << "no error";
    } catch (const DatabaseError& e) {
        EXPECT_TRUE(e.connectionLost());
        EXPECT_TRUE(
            ADOExceptionMessage(e, db_, "").startsWith("Sem conexão com o banco de dados."));
    }
}

// Two tills asking for the same counter at the same moment, each on its own connection
// opened in its own thread, never get the same number.
TEST_F(NextCode, TwoTillsAtOnceNeverShareANumber) {
    constexpr int perTill = 150;
    QMutex mutex;
    std::multiset<qlonglong> numbers;
    QStringList errors;
    auto till = [&](const QString& name) {
        return [&, name] {
            QList<qlonglong> mine;
            try {
                // Each till's connection belongs to its own thread, made and removed there.
                QSqlDatabase db = openConnection(database.connectionText(), name);
                SetADODBSession(db);
                TdtmKovProxCodigo codes(db);
                for (int i = 0; i < perTill; ++i) {
                    mine << codes.PrxVendaDia("1", day15).toLongLong();
                }
                db.close();
            } catch (const std::exception& e) {
                const QMutexLocker lock(&mutex);
                errors << exceptionText(e);
            }
            QSqlDatabase::removeDatabase(name); // in the thread that owns it
            const QMutexLocker lock(&mutex);
            numbers.insert(mine.cbegin(), mine.cend());
        };
    };
    std::unique_ptr<QThread> a(QThread::create(till(QStringLiteral("caixa_a"))));
    std::unique_ptr<QThread> b(QThread::create(till(QStringLiteral("caixa_b"))));
    a->start();
    b->start();
    ASSERT_TRUE(a->wait(120000));
    ASSERT_TRUE(b->wait(120000));
    ASSERT_TRUE(errors.isEmpty()) << errors.join('\n').toStdString();
    ASSERT_EQ(int(numbers.size()), 2 * perTill);
    EXPECT_EQ(std::set<qlonglong>(numbers.begin(), numbers.end()).size(), numbers.size());
    EXPECT_EQ(*numbers.begin(), 1);
    EXPECT_EQ(*numbers.rbegin(), 2 * perTill);
    EXPECT_EQ(stored("VENDADIA115/03/2024"), 2 * perTill);
}

} // namespace
} // namespace tmk::test
