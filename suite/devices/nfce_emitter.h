#pragma once

#include "suite/devices/nfce_document.h"

#include <QDateTime>
#include <functional>

namespace tmk {

// The NFC-e (model 65) emitter of a till. A real emitter adapter takes the place of
// the simulated one behind this interface.
class NfceEmitter {
public:
    virtual ~NfceEmitter() = default;

    // The series the till issues under (the text getNumeroSerieNFCe answers).
    virtual QString serie(const QString& cdFilial, const QString& cdCaixa) = 0;
    // The emission date-time to use now.
    virtual QDateTime dataEmissao() = 0;
    // Issues the document of a sale and writes its XML into the fiscal XML folder.
    // Bad input or a folder that cannot be written: AppError before any number is
    // used. A rejected document is an answer (situacao Rejeitada, motivo), not an
    // error.
    virtual NfceAuthorisation emitir(const FiscalSale& sale, const QString& dirXmlFiscal) = 0;
};

// The simulated emitter. Its switch file "Dispositivos/NFCe.ini":
//
//   [NFCe]
//   Resposta=AUTORIZADA      AUTORIZADA (default), CONTINGENCIA or REJEITADA
//   Motivo=...               the reason of a rejection
//   Serie=1                  the series of this till (default: the till's number)
//   UrlQrCode=...            consultation URLs printed and put into the QR code
//   UrlConsulta=...
//   IdCsc=000001             the taxpayer's security code and its id (QR hash)
//   Csc=...
//
// Numbers come from "Dispositivos/NFCe-<series>.seq" and never repeat. An authorised
// document is written as "<key>.xml" in the fiscal XML folder with its protocol; in
// contingency it is written with emission type 9 and no protocol, and the answer's
// status is "CONTIGENCIA_SP"; a rejected one uses up its number and writes no file.
class SimulatedNfceEmitter : public NfceEmitter {
public:
    using Clock = std::function<QDateTime()>;
    explicit SimulatedNfceEmitter(Clock clock = {});

    // The series of NFCe.ini, else the till's code as a number ("001" -> "1"); AppError
    // when neither gives a series from 0 to 999.
    QString serie(const QString& cdFilial, const QString& cdCaixa) override;
    QDateTime dataEmissao() override;
    NfceAuthorisation emitir(const FiscalSale& sale, const QString& dirXmlFiscal) override;

    // The switch file's path.
    static QString switchFile();

private:
    Clock clock_;
};

} // namespace tmk
