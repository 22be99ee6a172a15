#pragma once

#include <QSqlDatabase>
#include <QString>

namespace tmk {

// Cancels a concluded sale of a till, in one transaction: the sale becomes cancelled
// (IDSITUVENDA 'C'), the app payments it had taken (MOVCAIXAMOB of the sale and till)
// are pending again (NRSEQVENDA and CDCAIXA cleared, so the app-paid list and
// getMovCaixaMob show them again), and the consumer benefits it had taken
// (MOVBENEFICIOCONS of the sale) go back to its restaurant sale, each to the tab item
// its fiscal item came from. A sale cancelled already changes nothing. AppError when
// the till has no such sale; DatabaseError when refused (nothing is then changed).
void cancelStoredSale(QSqlDatabase& db, const QString& cdFilial, const QString& cdCaixa,
                      const QString& nrSeqVenda);

// The key under which the benefits of an open restaurant sale are kept: the branch and
// characters 5 to 11 of the restaurant sale.
QString benefitKeyOfRestaurantSale(const QString& cdFilial, const QString& nrVendaRest);

} // namespace tmk
