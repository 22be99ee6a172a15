#pragma once

#include "db/demo/demo_rows.h"
#include "db/demo/demo_tables.h"

#include <QDateTime>
#include <QSqlDatabase>
#include <QString>

namespace tmk::demo {

// Writes the rows of the demo store, in the caller's transaction. The store's
// registers (branch, people, products, screen layout, tables) are in
// demo_store_layout.cpp; what happened today (open sales, reservations, the join
// group, app payments, the cash opening, concluded sales) in demo_store_day.cpp.
class DemoStoreBuilder {
public:
    DemoStoreBuilder(QSqlDatabase& db, const QDateTime& now);

    void build();

    // The day's cash opening: four hours ago, but not before today began.
    static QDateTime cashOpening(const QDateTime& now);

private:
    void branchAndStore();
    void people();
    void products();
    void screenLayout();
    void tables();

    void openSales();
    void reservations();
    void joinGroup();
    void appPayments();
    void cashOpeningRow();
    void concludedSales();
    void accessRights();

    QDateTime ago(int minutes) const { return now_.addSecs(-60LL * minutes); }
    QDateTime today() const;
    QString nextVendaRest();
    QString nextComanda();
    // The open sale and tab of a table; AppError when the table has none.
    struct Tab {
        QString nrVendaRest;
        QString nrComanda;
        double total = 0.0;
    };
    const Tab& tabOf(const QString& nrMesa) const;
    // Writes a sale of a table, its tab and items; returns the tab.
    Tab writeTableSale(const QString& nrMesa, const QString& waiter, int party,
                       const QDateTime& opened, const QDateTime& closed,
                       const QDateTime& billRequested, const QString& tabState,
                       const std::vector<Item>& items, const QString& paidSeat);

    DemoRows rows_;
    QSqlDatabase& db_;
    QDateTime now_;
    QDateTime opening_;
    int vendaRestSeq_ = 0;
    int comandaSeq_ = 0;
    QHash<QString, Tab> openTabs_;
    QHash<QString, double> seatTotals_; // "table|seat" -> amount of the seat's items
};

} // namespace tmk::demo
