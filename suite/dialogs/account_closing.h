#pragma once

#include "suite/devices/printouts.h"
#include "suite/dialogs/table_opening.h"
#include "suite/dialogs/till_identity.h"

#include <QDateTime>
#include <QList>
#include <QSqlDatabase>
#include <QString>
#include <QStringList>

namespace tmk {

// The bill of a table's order pads, in cents.
struct Bill {
    struct Line {
        QString cdProduto;
        QString descricao;
        QString unidade;
        double quantidade = 0;
        qint64 preco = 0; // unit price
        qint64 total = 0; // quantity x price truncated, less discount, plus surcharge
    };
    // A pad of the bill and the service charge its items pay.
    struct Pad {
        QString nrVendaRest;
        QString nrComanda;
        qint64 taxaServico = 0;
    };
    QString nrMesa;
    QList<Pad> comandas;
    QList<Line> itens;           // same product and price counted together
    qint64 consumo = 0;          // the items without the cover charge
    qint64 couvert = 0;          // the till's cover product
    qint64 consumacaoMinima = 0; // the largest minimum consumption of the sales
    qint64 consumacao = 0;       // what the items fall short of the minimum
    qint64 taxaServico = 0;
    qint64 total() const { return consumo + couvert + consumacao + taxaServico; }
    // The sales of the pads, each once, in pad order.
    QStringList vendas() const;
};

// The printed bill: the one of the account's closing, or a partial one of a table that
// stays open.
enum class BillKind { Closing, Partial };

// The closing of a table's account: its bill, read from the pads the screen lists, and
// the request of the bill, written together or not at all. The dialog
// (AccountClosingDialog) only shows the bill and takes the consumer. The partial bill
// (PartialBillDialog) reads and prints the same bill and writes nothing.
class AccountClosing {
public:
    AccountClosing(QSqlDatabase db, TillIdentity till, QString nrMesa, QStringList comandas);
    // The account of a table from its open pads and those of the tables joined with it.
    // AppError for a table that is not registered; DatabaseError when they cannot be read.
    static AccountClosing ofTable(QSqlDatabase db, TillIdentity till, const QString& nrMesa);

    // The pad numbers of a list such as "12_15_" (empty parts ignored).
    static QStringList padList(const QString& lista);

    const QString& nrMesa() const { return nrMesa_; }
    const QStringList& comandas() const { return comandas_; }
    // Reads the live items of the listed pads of open sales. AppError for an item the bill
    // cannot value (a quantity of zero or less, a negative price); DatabaseError when they
    // cannot be read.
    Bill bill();
    // The active consumers, by name.
    QList<TableOpening::Consumer> consumers();

    // Requests the bill in one transaction: the table and every table of its join group
    // go to "S", the open sale of each is stamped with the time of the request, the
    // consumer (when one is given) is written to the bill's sales, and each pad is marked
    // requested with the service charge of the whole account: the receipt charges the
    // account's charge it finds on any of its items. AppError for a table that is not registered;
    // DatabaseError when the database refuses; in every failure nothing is written.
    void request(const Bill& bill, const QString& cdConsumidor = {},
                 const QString& cdClienteConsumidor = {});

    // The bill as a printed document: store, table, pads, items, cover, minimum
    // consumption, service charge, total, the operator and the consumer.
    static PrintDocument document(const Bill& bill, const TillIdentity& till,
                                  const QString& nomeFilial, const QString& consumidor = {},
                                  BillKind kind = BillKind::Closing);
    // Prints it into the till's print folder ("Conta", or "Parcial" for a partial bill);
    // returns the PDF's path. AppError when the folder cannot be written.
    static QString print(const Bill& bill, const TillIdentity& till, const QString& nomeFilial,
                         const QString& consumidor = {}, const QDateTime& quando = {},
                         BillKind kind = BillKind::Closing);
    // The branch's name for the header (the code when it has none).
    QString nomeFilial();

private:
    QStringList groupTables();

    QSqlDatabase db_;
    TillIdentity till_;
    QString nrMesa_;
    QStringList comandas_;
};

} // namespace tmk
