#pragma once

#include "external/fiscal.h"
#include "suite/devices/fiscal_printer.h"
#include "suite/devices/tef_terminal.h"

#include <QDateTime>
#include <functional>

namespace tmk {

// The fiscal device library on simulated devices kept in files of the till folder
// ("Dispositivos/"): the cash drawer of simulated_drawer.h, the customer display
// "Display.txt" (its current line), the TEF of tef_terminal.h and the fiscal printer
// of fiscal_printer.h; printouts go to "Impressoes/".
class SimulatedFiscalDevice : public FiscalDevice {
public:
    using Clock = std::function<QDateTime()>;

    // The clock gives the printer's date (the machine's clock by default).
    explicit SimulatedFiscalDevice(Clock clock = {});

    // "00" when the drawer is open, "01" when closed (type "2" sensor: see
    // simulated_drawer.h).
    void Estado_Gaveta_Imp(const QString& esquema, QString& status) override;
    // Opens the drawer; false, with a log line, when its file cannot be written.
    bool Abre_Gaveta_Imp(const QString& cdPorta, const QString& esquema, bool flag) override;
    // True: the printer's date is the machine's; retorno receives it as "dd/MM/yyyy".
    bool VerificaData(const QString& esquema, QString& retorno, const QString& a3,
                      const QString& dataImp, int a5) override;
    // The display shows an empty line ("Display.txt" holds one empty line); a file
    // that cannot be written is logged, never shown.
    void LimpaDisplay() override;
    // Confirms (true) or undoes (false) every pending card transaction of the TEF
    // journal; true. AppError when the journal cannot be read or written.
    bool FinalizaTransTef(bool confirma) override;
    // Prints the card receipts of the sale's TEF payments, one PDF per transaction:
    // the NSUs listed in the packet of values[0] (column CDNSUTEF) when it has rows,
    // otherwise the receipts due (SimulatedTef::paraImpressao); values[4] "S" prints
    // the customer's copy only, values[11] "N" prints nothing. Printed receipts are
    // marked in the journal.
    void ImprimeCupomTef(const QVariantList& values) override;
    // Cancels the open (or last) coupon of the fiscal printer; retorno becomes an array
    // of ten values whose element 1 is the cancelled coupon's number. AppError when
    // there is no coupon to cancel.
    void Cancela_Cupom_Imp(const QVariantList& values, QVariant& retorno) override;

    // The devices behind the functions, for the payment dialog.
    TefTerminal& tef() { return tef_; }
    SimulatedFiscalPrinter& impressoraFiscal() { return printer_; }

private:
    Clock clock_;
    SimulatedTef tef_;
    SimulatedFiscalPrinter printer_;
};

} // namespace tmk
