#pragma once

#include "suite/devices/fiscal_sale.h"

#include <QDateTime>
#include <QSqlDatabase>
#include <QString>

namespace tmk {

// What a stored sale holds besides its lines: its state and fiscal document.
struct StoredSaleHeader {
    QString nrVendaRest;
    QString idSituVenda;   // 'O' concluded, 'C' cancelled
    QString idStatusNfce;  // 'P', 'A', 'C', 'R', 'S' or empty
    QString nrAcessoNfce;  // access key
    QString dsQrCodeNfce;  // QR text
    QString nrProtAutNfce; // protocol
    QString nrNotaFiscalCe;
    QString nrSerieNfce;
    QDateTime dtEmissNfce;
    QDateTime dtVenda;
    QString cdSenhaPed;
    QString nmFilial;
};

// The header of a sale of a till; AppError "Venda ... não encontrada" when the till has
// no such sale, DatabaseError when the read is refused.
StoredSaleHeader storedSaleHeader(QSqlDatabase& db, const QString& cdFilial, const QString& cdCaixa,
                                  const QString& nrSeqVenda);

// A stored sale as the fiscal devices document it (the NFC-e the conclusion issues, the
// SAT transmission of SATOnline): its items with their discounts and surcharges, the
// service charge, payments and change, the consumer's CPF, password, table, NFC-e
// series and emission date, the approximate taxes (approximate_taxes.h) and the
// issuer of the till (fiscal_issuer.h) named by the branch. AppError when the sale or
// the till's parameter file cannot be read; DatabaseError when a read is refused.
FiscalSale storedFiscalSale(QSqlDatabase& db, const QString& cdFilial, const QString& cdCaixa,
                            const QString& nrSeqVenda);

} // namespace tmk
