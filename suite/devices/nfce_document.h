#pragma once

#include "suite/devices/fiscal_sale.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QVariantList>

namespace tmk {

// What the authority answered for an NFC-e.
enum class NfceStatus { Autorizada, Contingencia, Rejeitada };

// The answer of an NFC-e emission.
struct NfceAuthorisation {
    NfceStatus situacao = NfceStatus::Rejeitada;
    QString chave; // 44 digits
    qint64 numero = 0;
    QString serie;
    int tipoEmissao = 1; // 1 normal, 9 offline contingency
    QString qrCode;      // text of the QR code (consultation URL with key and hash)
    QString urlConsulta; // where the key can be looked up
    QString protocolo;   // 15 digits; authorised documents only
    QDateTime dataEmissao;
    QDateTime dataAutorizacao;
    QString motivo;     // the authority's reason text
    QString arquivoXml; // the XML file written; empty when rejected

    // "AUTORIZADA", "CONTIGENCIA_SP" or "REJEITADA".
    QString statusText() const;
    // The value the sale conclusion hands on as the authorisation status: the
    // protocol of an authorised document, "CONTIGENCIA_SP" in contingency, and empty
    // for a rejected one (which must not conclude the sale).
    QString retornoProtAut() const;
    // Puts key, QR-code text and retornoProtAut() into elements 1, 2 and 3 of the sale
    // conclusion's out array (grown to ten elements when shorter).
    void writeTo(QVariantList& retorno) const;
};

// An NFC-e document as its XML file holds it.
struct NfceDocument {
    FiscalSale venda;
    NfceAuthorisation autorizacao;
};

// Settings of the QR code: consultation URLs and the taxpayer's security code (CSC).
struct NfceQrSettings {
    QString urlQrCode;
    QString urlConsulta;
    QString idCsc;
    QString csc;
};

// The QR-code text: "<url>?p=<key>|2|<environment>|<id>|<hash>" for an authorised
// document, and "<url>?p=<key>|2|<environment>|<day>|<total>|<digest>|<id>|<hash>" in
// offline contingency; the hash is the SHA-1, in upper-case hexadecimal, of the text
// after "p=" followed by the CSC.
QString nfceQrCodeText(const NfceQrSettings& settings, const QString& chave,
                       const QString& ambiente, const QDateTime& emissao, qint64 totalCents,
                       const QByteArray& digest, int tipoEmissao);

// The XML of an NFC-e (model 65, layout 4.00) with its authorisation protocol when
// authorised: items with their taxes, totals, payments, change, consumer, approximate
// taxes, service charge and QR code. codigoNumerico is the key's random code.
QByteArray nfceXml(const FiscalSale& sale, const NfceAuthorisation& answer, int codigoNumerico);

// The SHA-1 digest of the infNFe element of an XML (what the protocol's digVal holds;
// the QR code lies outside it).
QByteArray nfceDigest(const QByteArray& xml);

// Reads an NFC-e file written by nfceXml back. AppError naming the file when it cannot
// be read or is not such a document.
NfceDocument readNfceFile(const QString& path);
NfceDocument parseNfceXml(const QByteArray& xml, const QString& sourceName);

// How a service charge spreads over the lines of a sale (in cents, proportional to
// each line's net value; the cents left by rounding go to the first lines).
QList<qint64> spreadOverItems(qint64 amount, const QList<FiscalItem>& items);

} // namespace tmk
