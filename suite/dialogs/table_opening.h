#pragma once

#include "platform/errors.h"
#include "suite/dialogs/till_identity.h"

#include <QList>
#include <QSqlDatabase>
#include <QString>

namespace tmk {

class ClientDataSet;

// The opening of a free table: who may serve it, for how many people and which consumer,
// and the writing of its sale. The dialog (TableOpeningDialog) only collects the choices.
class TableOpening {
public:
    struct Waiter {
        QString code;
        QString shortName;
        QString name;
    };
    struct Consumer {
        QString client;
        QString code;
        QString name;
    };
    // The one row the opening hands back (cdsDadosAbertura).
    struct Opened {
        QString nrVendaRest;
        QString nrComanda;
        QString dsComanda;
        QString cdCliente;
        QString cdVendedor;
        QString cdConsumidor;
    };
    // The table was no longer free when the opening was written: another till opened it
    // (or changed its state) in the meantime. Nothing was written.
    class TableTaken : public AppError {
    public:
        using AppError::AppError;
    };

    // Digits of a sale number after the branch code, and of an order pad number.
    static constexpr int kSaleDigits = 7;
    static constexpr int kPadDigits = 6;
    // The largest party a table takes when the branch sets no limit.
    static constexpr int kMaxPartyWithoutLimit = 999;

    TableOpening(QSqlDatabase db, TillIdentity till, QString nrMesa);

    const QString& nrMesa() const { return nrMesa_; }
    // The store's active waiters, by short name. DatabaseError when they cannot be read.
    QList<Waiter> waiters();
    // The active consumers, by name.
    QList<Consumer> consumers();
    // The branch's largest party (PARAVEND.NRMAXPESMES), kMaxPartyWithoutLimit when unset.
    int maxPartySize();

    // Opens the table in one transaction: the table goes from free to occupied (one
    // conditional update), then its sale and its first order pad ("RES_" + table) are
    // written with numbers of the branch's counters. AppError in Portuguese for a choice
    // that is not valid (no waiter, party out of range, unknown consumer), TableTaken
    // when the table is no longer free, DatabaseError when the database refuses; in every
    // failure nothing is written.
    Opened open(const QString& cdVendedor, int pessoas, const QString& cdConsumidor = {},
                const QString& cdClienteConsumidor = {});

    // Leaves the opening's one row in the dataset (six text columns, cursor on it).
    static void fill(ClientDataSet& cds, const Opened& opened);

private:
    qlonglong highestInUse(const QString& statement, const QString& prefix, int digits,
                           const QString& cdFilial);
    void writeSale(Opened& o, int pessoas);

    QSqlDatabase db_;
    TillIdentity till_;
    QString nrMesa_;
};

} // namespace tmk
