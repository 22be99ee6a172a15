#pragma once

#include "suite/devices/fiscal_sale.h"

#include <QDateTime>
#include <functional>

namespace tmk {

// The simulated fiscal printer (ECF) of a till configured with one: coupon numbers
// (COO, "Dispositivos/ECF-COO.seq"), the coupon state ("Dispositivos/ImpressoraFiscal.ini"),
// and a PDF in "Impressoes/" for every coupon closed or cancelled. The cash drawer is
// simulated_drawer.h.
class SimulatedFiscalPrinter {
public:
    using Clock = std::function<QDateTime()>;
    explicit SimulatedFiscalPrinter(Clock clock = {});

    // Opens a coupon and returns its number (6 digits). AppError when a coupon is
    // already open or the state cannot be written.
    QString abrirCupom();
    // Prints the open coupon with the sale and closes it; returns the PDF's path.
    // AppError when no coupon is open or the sale is not valid (the coupon stays open).
    QString fecharCupom(const FiscalSale& sale);
    // Cancels the open coupon, or else the last one closed, prints the cancellation and
    // returns the cancelled coupon's number. AppError when there is none to cancel
    // (nothing printed yet, or the last one already cancelled).
    QString cancelarCupom();

    // The open coupon's number, or empty; the last coupon's number and state
    // ("ABERTO", "FECHADO", "CANCELADO"; empty when none yet).
    QString cupomAberto() const;
    QString ultimoCupom() const;
    QString situacaoUltimoCupom() const;

    static QString stateFile();

private:
    Clock clock_;
};

} // namespace tmk
