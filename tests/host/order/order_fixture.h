#pragma once

#include "host/order/order_model.h"
#include "tests/suite/dialogs_db/demo_store_fixture.h"

#include <QSqlDatabase>
#include <memory>

namespace tmk::order_test {

// The demo store with its till's files, and the order screen's logic on a connection of its
// own, as the host opens it.
class OrderTest : public dialogs_test::DemoStoreTest {
protected:
    void SetUp() override;
    void TearDown() override;

    // A connection of the till to the test's database (reopened only if the file exists).
    QSqlDatabase tillConnection(const QString& name);
    // What the map hands back for an open table of the demo store.
    OrderRequest requestFor(const QString& nrMesa);
    // The order screen's logic for an open table, loaded.
    std::unique_ptr<OrderModel> orderFor(const QString& nrMesa);

    // The live items of a table's open pad: "number product quantity price seat".
    QStringList padItems(const QString& nrMesa);

    static inline const QDateTime kWhen{QDate(2026, 12, 8), QTime(14, 5, 9)};
    QSqlDatabase conn;
    QStringList connections_;
};

} // namespace tmk::order_test
