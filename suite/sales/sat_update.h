#pragma once

#include <QSqlDatabase>
#include <QString>
#include <QStringList>

namespace tmk {

// Records on a concluded sale the CF-e the SAT accepted: its number (NRNOTAFISCALCE),
// the QR text, the access key (the "chaveConsulta" of the SAT's answer without its
// "CFe" prefix), the SAT's serial number (the <nserieSAT> of the "arqxmlnfce" XML) and
// the state 'S'. AppError when the till has no such concluded sale or the answer has
// no access key; DatabaseError when refused.
void recordSatDocument(QSqlDatabase& db, const QString& cdFilial, const QString& cdCaixa,
                       const QString& nrSeqVenda, const QString& nrNotaFiscalCe,
                       const QString& qrCode, const QStringList& satAnswer);

} // namespace tmk
