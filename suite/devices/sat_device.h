#pragma once

#include "suite/devices/cfe_document.h"

#include <QDateTime>
#include <QStringList>
#include <functional>

namespace tmk {

// What the SAT answered for a sale.
struct SatAnswer {
    bool aceito = false;
    QString mensagem; // the reason of a refusal
    CfeDocument documento;
    QString xml;        // the signed CF-e
    QString arquivoXml; // where it was written

    // The "name=value" list of the front-office dialogs: chaveConsulta, timeStamp,
    // valorTotalCFe, CPFCNPJValue, assinaturaQRCODE and arqxmlnfce when accepted;
    // mensagem when refused.
    QStringList answerList() const;
};

// The SAT device of a till. A real SAT adapter takes the place of the simulated one.
class SatDevice {
public:
    virtual ~SatDevice() = default;

    // Sends a sale to the SAT. A wrong activation code or a refusal of the device is
    // an answer (aceito false, mensagem); bad input or a fiscal XML folder that cannot
    // be written is AppError, before any CF-e number is used.
    virtual SatAnswer enviarDadosVenda(const FiscalSale& sale, const QString& codigoAtivacao,
                                       const QString& dirXmlFiscal) = 0;
};

// The simulated SAT. Its activation code is the till's, kept enciphered in
// "Dados/Cadastros/AberturaCaixa.cds" (column CDATIVACAOSAT). Its switch file
// "Dispositivos/SAT.ini":
//
//   [SAT]
//   Resposta=ACEITAR          ACEITAR (default) or RECUSAR
//   Motivo=...                the reason of a refusal
//   NumeroSerie=900004019     the device's serial number (9 digits)
//
// CF-e numbers come from "Dispositivos/SAT-<serial>.seq" (1 to 999999) and never
// repeat. An accepted CF-e is written as "<chaveConsulta>.xml" in the fiscal XML folder.
class SimulatedSat : public SatDevice {
public:
    using Clock = std::function<QDateTime()>;
    explicit SimulatedSat(Clock clock = {});

    SatAnswer enviarDadosVenda(const FiscalSale& sale, const QString& codigoAtivacao,
                               const QString& dirXmlFiscal) override;

    // The serial number of the device (SAT.ini, or the default); AppError for a
    // malformed switch file.
    static QString numeroSerie();
    static QString switchFile();

private:
    Clock clock_;
};

} // namespace tmk
