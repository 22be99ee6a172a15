#pragma once

#include <QDateTime>
#include <QSqlDatabase>
#include <QString>
#include <optional>

namespace tmk {

struct ConclusionRequest;

// A concluded sale found by the identity of its account.
struct ConcludedSale {
    QString cdCaixa; // the till that stored it
    QString nrSeqVenda;
    QString idStatusNfce; // VENDA.IDSTATUSNFCE
};

// The concluded sale ('O') stored for the account identity by this till, else by another
// till of the branch; nothing when there is none. Indexed reads (IX_VENDA_FECHAMENTO).
// DatabaseError when refused.
std::optional<ConcludedSale> findConcludedSale(QSqlDatabase& db, const QString& cdFilial,
                                               const QString& cdCaixa, const QString& key);

// Stores the sale of a conclusion in one transaction, numbered by the till's counter
// (TdtmKovProxCodigo::PrxPedidoVenda): one VENDA row ('O'), one ITEMVENDA row per item
// line, one ITVENDACAN row per cancelled line, one MOVCAIXA row per payment line and
// change line. The payments less the change must equal the items net of discounts plus
// the service charge, else AppError and nothing is written. Any failure rolls the
// whole sale back (the counter too) and throws. Returns NRSEQVENDA.
QString storeConcludedSale(QSqlDatabase& db, const ConclusionRequest& request, const QString& key,
                           const QDateTime& now);

} // namespace tmk
