// The demo store read through the data service, as the table map reads it.

#include "db/demo/demo_store.h"
#include "platform/errors.h"
#include "platform/service_result.h"
#include "service/data_module.h"
#include "service/map_reads.h"
#include "tests/support/test_database.h"

#include <QSet>
#include <gtest/gtest.h>
#include <memory>

using namespace tmk;
using tmk::test::TestDatabase;

namespace {

const QString F = QStringLiteral("0001");
const QString L = QStringLiteral("0001");
const QString T = QStringLiteral("01");

DataPacket packetOf(const QVariant& result) {
    EXPECT_FALSE(isServiceFailure(result)) << serviceFailureMessage(result).toStdString();
    return result.value<DataPacket>();
}

QStringList column(const DataPacket& p, const char* name) {
    QStringList values;
    for (int r = 0; r < p.rowCount(); ++r) {
        values << p.value(r, QString::fromLatin1(name)).toString();
    }
    return values;
}

class DemoStoreReadsTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        now_ = QDateTime::currentDateTime();
        database_ = std::make_unique<TestDatabase>();
        if (!database_->available()) {
            return;
        }
        try {
            QSqlDatabase db = database_->connection();
            createDemoDatabase(db, now_);
            dm_ = std::make_unique<TrdmGerMesa>(QStringLiteral("dm-demo-reads"));
            dm_->connectTo(database_->connectionText());
        } catch (const AppError& e) {
            setUpError_ = e.message();
        }
    }
    static void TearDownTestSuite() {
        dm_.reset();
        database_.reset();
    }
    void SetUp() override {
        TMK_REQUIRE_DATABASE(*database_);
        ASSERT_TRUE(setUpError_.isEmpty()) << setUpError_.toStdString();
    }

    // The tables of an area's page, from the layout the screen loads.
    static QStringList tablesOf(const QString& area, int page) {
        const DataPacket config = packetOf(getConfigMesa(*dm_, F, T));
        QStringList tables;
        for (int r = 0; r < config.rowCount(); ++r) {
            if (config.value(r, "NRBUTTONAUX").toString() == area &&
                config.value(r, "NRPGCONFTELA").toInt() == page) {
                tables << config.value(r, "CDIDENTBUTON").toString();
            }
        }
        return tables;
    }

    static inline std::unique_ptr<TestDatabase> database_;
    static inline std::unique_ptr<TrdmGerMesa> dm_;
    static inline QDateTime now_;
    static inline QString setUpError_;
};

} // namespace

TEST_F(DemoStoreReadsTest, TheFirstPageOfTheSalaoShowsEveryState) {
    const QStringList page = tablesOf(QStringLiteral("01"), 1);
    ASSERT_GE(page.size(), 16);
    const DataPacket status = packetOf(getStatusMesa(*dm_, F, L, T));
    QHash<QString, QString> stateOf;
    for (int r = 0; r < status.rowCount(); ++r) {
        stateOf.insert(status.value(r, "NRMESA").toString(),
                       status.value(r, "IDSTMESAAUX").toString());
    }
    QSet<QString> states;
    for (const QString& t : page) {
        ASSERT_TRUE(stateOf.contains(t)) << t.toStdString();
        states.insert(stateOf.value(t));
    }
    // A stored "P" is read as "S".
    EXPECT_EQ(states, (QSet<QString>{"D", "O", "S", "R", "C"}));
    EXPECT_EQ(stateOf.value("0008"), "S");

    const DataPacket reservas = packetOf(getReserva(*dm_, F, L));
    QSet<QString> reservedStates;
    for (const QString& t : column(reservas, "NRMESA")) {
        reservedStates.insert(stateOf.value(t));
    }
    EXPECT_EQ(reservedStates, (QSet<QString>{"D", "O", "S"}));
    EXPECT_EQ(reservas.rowCount(), 4);
}

TEST_F(DemoStoreReadsTest, IdleAndBusyTablesByTheirLastOrder) {
    int idle = 0;
    int busy = 0;
    const DataPacket status = packetOf(getStatusMesa(*dm_, F, L, T));
    for (const QString& t : tablesOf(QStringLiteral("01"), 1)) {
        const int row = [&] {
            for (int r = 0; r < status.rowCount(); ++r) {
                if (status.value(r, "NRMESA").toString() == t) {
                    return r;
                }
            }
            return -1;
        }();
        if (row < 0 || status.value(row, "IDSTMESAAUX").toString() != "O") {
            continue;
        }
        const DataPacket last = packetOf(getUltimaVenda(*dm_, F, L, t));
        ASSERT_EQ(last.rowCount(), 1) << t.toStdString();
        const QDateTime at = last.value(0, "DTULTIMAVENDA").toDateTime();
        ASSERT_TRUE(at.isValid()) << t.toStdString();
        (at.secsTo(now_) >= 30 * 60 ? idle : busy)++;
    }
    EXPECT_GE(idle, 2);
    EXPECT_GE(busy, 2);
}

TEST_F(DemoStoreReadsTest, AreasLayoutJoinGroupAndDefaultTable) {
    const DataPacket areas = packetOf(getAmbientes(*dm_, F, T));
    QHash<QString, int> tables;
    for (int r = 0; r < areas.rowCount(); ++r) {
        tables.insert(areas.value(r, "DSBUTTON").toString(), areas.value(r, "QTDEMESAS").toInt());
    }
    EXPECT_EQ(tables.size(), 4);
    EXPECT_EQ(tables.value("Salão"), 20);
    EXPECT_EQ(tables.value("Varanda"), 60);
    EXPECT_EQ(tablesOf(QStringLiteral("02"), 1).size(), 48);
    EXPECT_EQ(tablesOf(QStringLiteral("02"), 2).size(), 12);

    // The default table has a row and a button, and the map gets neither.
    EXPECT_FALSE(column(packetOf(getConfigMesa(*dm_, F, T)), "CDIDENTBUTON").contains("9999"));
    EXPECT_FALSE(column(packetOf(getStatusMesa(*dm_, F, L, T)), "NRMESA").contains("9999"));

    EXPECT_EQ(column(packetOf(getMesaJuncao(*dm_, F, L, "0012")), "NRMESA"),
              (QStringList{"0012", "0013"}));
    EXPECT_TRUE(packetOf(getMesaJuncao(*dm_, F, L, "0003")).isEmpty());
}

TEST_F(DemoStoreReadsTest, TheAppPaymentsAreListedNewestFirst) {
    const DataPacket paid = packetOf(getMesasPagasAPP(*dm_, F));
    ASSERT_EQ(paid.rowCount(), 2);
    for (int r = 0; r < paid.rowCount(); ++r) {
        if (paid.value(r, "LINHA").toInt() == 1) {
            EXPECT_EQ(paid.value(r, "NRMESA").toString(), "0014");
            EXPECT_EQ(paid.value(r, "NRLUGARMESA").toString(), "02");
        } else {
            EXPECT_EQ(paid.value(r, "LINHA").toInt(), 2);
            EXPECT_EQ(paid.value(r, "NRMESA").toString(), "0007");
            EXPECT_EQ(paid.value(r, "NRLUGARMESA").toString(), "T");
        }
    }
}
