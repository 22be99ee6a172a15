#pragma once

#include "external/fiscal.h"

#include <QDateTime>
#include <functional>

namespace tmk {

// The fiscal device library on simulated devices kept in files of the till folder
// ("Dispositivos/"): the cash drawer of simulated_drawer.h, the customer display
// "Display.txt" (its current line). The simulated printer's clock is the machine's.
//
// Card payments (TEF) and coupon printing and cancelling are not simulated yet:
// FinalizaTransTef, ImprimeCupomTef and Cancela_Cupom_Imp throw AppError saying so.
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
    bool FinalizaTransTef(bool confirma) override;
    void ImprimeCupomTef(const QVariantList& values) override;
    void Cancela_Cupom_Imp(const QVariantList& values, QVariant& retorno) override;

private:
    Clock clock_;
};

} // namespace tmk
