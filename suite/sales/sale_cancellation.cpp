#include "suite/sales/sale_cancellation.h"

#include "suite/sales/sales_log.h"
#include "suite/sales/sales_query.h"
#include "suite/sales/stored_sale.h"

namespace tmk {

QString benefitKeyOfRestaurantSale(const QString& cdFilial, const QString& nrVendaRest) {
    return cdFilial + nrVendaRest.mid(4, 7);
}

void cancelStoredSale(QSqlDatabase& db, const QString& cdFilial, const QString& cdCaixa,
                      const QString& nrSeqVenda) {
    const QString failure = QStringLiteral("Não foi possível cancelar a venda %1.").arg(nrSeqVenda);
    SalesTransaction t(db, QStringLiteral("cancelamento da venda %1").arg(nrSeqVenda));
    const StoredSaleHeader h = storedSaleHeader(db, cdFilial, cdCaixa, nrSeqVenda);
    if (h.idSituVenda == QLatin1String("C")) {
        qCInfo(lcSuiteSales).noquote() << "sale" << nrSeqVenda << "was cancelled already";
        return;
    }
    const QVariantMap key{{QStringLiteral("CDFILIAL"), cdFilial},
                          {QStringLiteral("CDCAIXA"), cdCaixa},
                          {QStringLiteral("NRSEQVENDA"), nrSeqVenda}};
    SalesQuery(db, QStringLiteral("venda_cancela"), failure).bind(key).exec();
    SalesQuery app(db, QStringLiteral("libera_pagamentos_app"), failure);
    app.bind(key).exec();
    const int payments = app.rowsAffected();
    int benefits = 0;
    if (!h.nrVendaRest.isEmpty()) {
        SalesQuery b(db, QStringLiteral("libera_beneficios"), failure);
        b.bind(key)
            .bind(QStringLiteral("CHAVEVENDAREST"),
                  benefitKeyOfRestaurantSale(cdFilial, h.nrVendaRest))
            .exec();
        benefits = b.rowsAffected();
    }
    t.commit();
    qCInfo(lcSuiteSales).noquote()
        << "sale" << cdFilial << cdCaixa << nrSeqVenda << "cancelled;" << payments
        << "app payments and" << benefits << "benefits released";
}

} // namespace tmk
