#pragma once

#include "suite/dialogs/till_identity.h"

#include <QDateTime>
#include <QList>
#include <QSqlDatabase>
#include <QString>
#include <optional>

namespace tmk {

// The cancellation of ordered items of a table's order pad (CancelaProduto). Quantities
// are kept in thousandths, so that 0,5 kg or 3 of 5 units split without drift.
class ItemCancellation {
public:
    struct Item {
        QString nrVendaRest;
        QString nrProdComVen;
        QString cdProduto;
        QString descricao;
        QString unidade;
        QString nrLugarMesa;
        qint64 milesimos = 0; // the quantity in thousandths
        double preco = 0;
        double desconto = 0;
        double acrescimo = 0;
    };

    ItemCancellation(QSqlDatabase db, TillIdentity till, QString nrComanda, QString nrMesa);

    const QString& nrComanda() const { return nrComanda_; }
    const QString& nrMesa() const { return nrMesa_; }

    // The pad's items that may be cancelled: live, not yet settled, not on a seat paid
    // through the app. DatabaseError when they cannot be read.
    QList<Item> items();

    // A quantity typed by the operator ("3", "1,5", "0.250"), in thousandths; nothing for
    // an empty, malformed or negative text or one of more than three decimals.
    static std::optional<qint64> parseQuantity(const QString& text);
    // What is wrong with cancelling that quantity of the item (Portuguese), empty when
    // nothing is.
    static QString quantityProblem(const Item& item, const std::optional<qint64>& milesimos,
                                   const QString& typed);

    // Cancels the quantity of the item, as read, for the till's operator and the
    // authorising supervisor, in one transaction: the whole item is marked cancelled; a
    // part of it becomes a cancelled line of its own under the next item number and the
    // item keeps the rest, the discount and surcharge shared by quantity. AppError for a
    // quantity out of range or an item changed meanwhile by another till; DatabaseError
    // when the database refuses. In every failure nothing is written.
    void cancel(const Item& item, qint64 milesimos, const QString& cdSupervisor,
                const QDateTime& quando = QDateTime::currentDateTime());

private:
    QString nextItemNumber(const Item& item, const QString& failure);

    QSqlDatabase db_;
    TillIdentity till_;
    QString nrComanda_;
    QString nrMesa_;
};

} // namespace tmk
