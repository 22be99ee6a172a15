#include "host/order/counter_sale.h"

#include "host/order/order_statements.h"
#include "host/order/order_transaction.h"
#include "host/order/pad_writer.h"
#include "platform/errors.h"
#include "suite/common/statement_run.h"
#include "suite/dialogs/table_opening.h"
#include "suite/dialogs/till_identity.h"

#include <QLoggingCategory>
#include <QSqlQuery>

Q_LOGGING_CATEGORY(lcCounter, "tmk.host.counter")

namespace tmk {

namespace {

const QString kFalha = QStringLiteral("Não foi possível registrar a venda balcão.");

} // namespace

CounterSale::CounterSale(QSqlDatabase db, OrderTill till)
    : db_(std::move(db))
    , till_(std::move(till)) {}

QString CounterSale::counterTable() {
    QSqlQuery q = runLibraryStatement(orderStatements(), db_, QStringLiteral("mesa_balcao"),
                                      {{QStringLiteral(":P_CDFILIAL"), till_.cdFilial},
                                       {QStringLiteral(":P_CDLOJA"), till_.cdLoja}},
                                      kFalha);
    const QString mesa = q.next() ? q.value(0).toString().trimmed() : QString();
    if (mesa.isEmpty()) {
        throw AppError(QStringLiteral("A loja %1 não tem mesa de balcão cadastrada; a venda balcão "
                                      "não pode ser feita.")
                           .arg(till_.cdLoja));
    }
    return mesa;
}

bool CounterSale::pay(const QList<OrderLine>& lines, const QString& cdVendedor,
                      const QDateTime& when, const Receiver& receive) {
    if (lines.isEmpty()) {
        throw AppError(QStringLiteral("Nenhum item para pagar."));
    }
    const QString mesa = counterTable();
    TableOpening opening(db_, TillIdentity::read(), mesa);
    TableOpening::Opened aberta;
    try {
        aberta = opening.open(cdVendedor, 1);
    } catch (const TableOpening::TableTaken&) {
        throw AppError(QStringLiteral("O balcão está em uso por outra venda balcão (outro caixa). "
                                      "Tente de novo em instantes."));
    }
    // From here on a sale that is not concluded is undone, however this ends.
    bool pago = false;
    try {
        writeToPad(db_, {till_.cdFilial, till_.cdLoja, aberta.nrVendaRest, aberta.nrComanda}, lines,
                   cdVendedor, when);
        requestBill(mesa, aberta.nrVendaRest, when);
        receive(mesa);
        pago = concluded(aberta.nrVendaRest);
    } catch (...) {
        undo(mesa, aberta.nrVendaRest);
        throw;
    }
    if (!pago) {
        undo(mesa, aberta.nrVendaRest);
    }
    return pago;
}

void CounterSale::requestBill(const QString& nrMesa, const QString& nrVendaRest,
                              const QDateTime& when) {
    OrderTransaction transaction(db_, kFalha);
    const QSqlQuery mesa =
        runLibraryStatement(orderStatements(), db_, QStringLiteral("balcao_pede_conta"),
                            {{QStringLiteral(":P_CDFILIAL"), till_.cdFilial},
                             {QStringLiteral(":P_CDLOJA"), till_.cdLoja},
                             {QStringLiteral(":P_NRMESA"), nrMesa}},
                            kFalha);
    if (mesa.numRowsAffected() != 1) {
        throw AppError(QStringLiteral("A mesa de balcão %1 mudou de situação em outro caixa; a "
                                      "venda balcão não foi registrada.")
                           .arg(nrMesa));
    }
    runLibraryStatement(orderStatements(), db_, QStringLiteral("balcao_hora_conta"),
                        {{QStringLiteral(":P_CDFILIAL"), till_.cdFilial},
                         {QStringLiteral(":P_NRVENDAREST"), nrVendaRest},
                         {QStringLiteral(":P_DTHRMESAFECH"), when}},
                        kFalha);
    transaction.commit();
}

bool CounterSale::concluded(const QString& nrVendaRest) {
    QSqlQuery q = runLibraryStatement(orderStatements(), db_, QStringLiteral("venda_encerrada"),
                                      {{QStringLiteral(":P_CDFILIAL"), till_.cdFilial},
                                       {QStringLiteral(":P_NRVENDAREST"), nrVendaRest}},
                                      kFalha);
    return q.next() && !q.value(0).isNull();
}

void CounterSale::undo(const QString& nrMesa, const QString& nrVendaRest) {
    try {
        OrderTransaction transaction(db_, kFalha);
        const QVariantMap venda{{QStringLiteral(":P_CDFILIAL"), till_.cdFilial},
                                {QStringLiteral(":P_NRVENDAREST"), nrVendaRest}};
        // A sale concluded after all (its receipt reported an error late) is kept.
        if (concluded(nrVendaRest)) {
            return;
        }
        for (const char* statement :
             {"balcao_apaga_itens", "balcao_apaga_comanda", "balcao_apaga_venda"}) {
            runLibraryStatement(orderStatements(), db_, QString::fromLatin1(statement), venda,
                                kFalha);
        }
        runLibraryStatement(orderStatements(), db_, QStringLiteral("balcao_libera_mesa"),
                            {{QStringLiteral(":P_CDFILIAL"), till_.cdFilial},
                             {QStringLiteral(":P_CDLOJA"), till_.cdLoja},
                             {QStringLiteral(":P_NRMESA"), nrMesa}},
                            kFalha);
        transaction.commit();
    } catch (const std::exception& e) {
        // The unpaid sale stays on the counter table; the operator is told by the caller's
        // error, the log keeps this one.
        qCWarning(lcCounter).noquote()
            << "unpaid counter sale" << nrVendaRest << "not undone:" << exceptionText(e);
        throw AppError(QStringLiteral("A venda balcão não foi paga e não pôde ser desfeita (%1). "
                                      "Avise o gerente: a mesa de balcão %2 ficou com a venda %3 "
                                      "em aberto.")
                           .arg(exceptionText(e), nrMesa, nrVendaRest));
    }
}

} // namespace tmk
