#pragma once

#include "suite/devices/fiscal_sale.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>

namespace tmk {

// A CF-e SAT (model 59) as the SAT device signs it.
struct CfeDocument {
    FiscalSale venda;
    QString chaveConsulta;  // "CFe" + 44 digits
    QString numeroCfe;      // 6 digits
    QString numeroSerieSat; // 9 digits
    QDateTime dataEmissao;
    QString assinaturaQrCode; // base64
    QString numeroCaixa;

    // "yyyyMMddHHmmss" of the emission.
    QString timeStamp() const;
    // The 44 digits of the key.
    QString chave() const { return chaveConsulta.mid(3); }
    // The QR-code text the extract carries: key digits | timestamp | total | CPF | signature.
    QString qrCodeText() const;
};

// The CF-e XML on one line: the <ide> group comes first and holds <nserieSAT> and
// <nCFe> right after their opening tags, so that the first "nserieSAT" and "nCFe" of
// the text are those elements.
QByteArray cfeXml(const CfeDocument& document, int codigoNumerico);

// Reads a CF-e written by cfeXml back; AppError naming the source when it is not one.
CfeDocument parseCfeXml(const QByteArray& xml, const QString& sourceName);
CfeDocument readCfeFile(const QString& path);

} // namespace tmk
