#pragma once

#include "host/order/menu.h"
#include "host/order/order_line.h"
#include "host/order/order_request.h"

#include <QDateTime>
#include <QList>
#include <QSqlDatabase>
#include <QString>
#include <QVariant>
#include <functional>

namespace tmk {

// The order screen's logic, without a window: the pad it orders for and its heading, the
// menu, the lines not yet sent (added, changed and removed freely) and the items already on
// the pad. Bad input is refused with an AppError in Portuguese and changes nothing.
class OrderModel {
public:
    // Removes an opening that never received an item (the data service's setUltMesaAber:
    // branch, store, table; true when it removed one, or a ServiceFailure).
    using EmptyOpeningRemover = std::function<QVariant(
        const QString& cdFilial, const QString& cdLoja, const QString& nrMesa)>;
    using Now = std::function<QDateTime()>;

    static constexpr int kMaxQuantity = 999;
    static constexpr int kMaxObservation = 200;

    struct Waiter {
        QString code;
        QString shortName;
    };

    OrderModel(QSqlDatabase db, OrderTill till, OrderRequest request, Now now = {});

    // Reads the pad's heading, the menu and the items on the pad. DatabaseError when the
    // database cannot be read; AppError when the pad does not exist.
    void load();

    const OrderTill& till() const { return till_; }
    const OrderRequest& request() const { return request_; }
    const Menu& menu() const { return menu_; }
    // Heading values.
    const QString& nrMesa() const { return nrMesa_; }
    const QString& dsComanda() const { return dsComanda_; }
    const QString& waiterName() const { return waiterName_; }
    const QString& consumerName() const { return consumerName_; }
    int partySize() const { return partySize_; }

    // The waiter the items are written for; empty until one is chosen when the map left it
    // out.
    const QString& cdVendedor() const { return cdVendedor_; }
    bool needsWaiter() const { return cdVendedor_.isEmpty(); }
    // The active waiters. DatabaseError when they cannot be read.
    QList<Waiter> waiters();
    // AppError for a code that is not an active waiter.
    void chooseWaiter(const QString& code);

    const QList<OrderLine>& lines() const { return lines_; }
    const QList<OrderLine>& sent() const { return sent_; }
    double linesTotal() const;
    double sentTotal() const;

    // Adds one of a product of the menu; returns its line. AppError when the product has no
    // button on the menu or no price.
    int add(const QString& cdProduto);
    // AppError for a row that is not a line, a quantity outside 1..999, a position outside
    // 1..party size, an observation longer than kMaxObservation.
    void setQuantity(int row, int quantity);
    void setPosition(int row, int position);
    void setObservation(int row, const QString& observation);
    void remove(int row);

    // Writes the lines to the pad in one transaction and, once written, moves them to the
    // items sent. On any failure the lines stay as they were, to be sent again, and nothing
    // is written; the error (AppError, DatabaseError) is thrown with its Portuguese text.
    void send();

    // A counter sale: the lines paid through the table module's receipt of the counter
    // table. True when the sale was concluded (the lines are then cleared); false when the
    // payment was given up, the lines kept to pay again. Errors as send().
    bool pay(const std::function<bool(const QString& nrMesa)>& receive);

    // Leaving the screen: when the pad still holds no item, the opening is removed so the
    // table is free again. Returns the remover's failure message, empty otherwise.
    QString leave(const EmptyOpeningRemover& remover);

private:
    OrderLine& line(int row);

    QSqlDatabase db_;
    OrderTill till_;
    OrderRequest request_;
    Now now_;
    Menu menu_;
    QString nrMesa_;
    QString dsComanda_;
    QString waiterName_;
    QString consumerName_;
    int partySize_ = 1;
    QString cdVendedor_;
    QList<OrderLine> lines_;
    QList<OrderLine> sent_;
};

} // namespace tmk
