#pragma once

#include "platform/data_packet.h"
#include "suite/devices/fiscal_sale.h"

#include <QList>
#include <QString>

namespace tmk {

// What an account (the item packet of cdsListaComanda) comes to, in cents. The payment
// dialog shows it and the sale conclusion stores it, so both count the same way:
// every line is quantity x (VRPRECCOMVEN + VRUNITVENDCL) truncated to the cent, less
// its discount VRDESCCOMVEN, plus its surcharge VRACRCOMVEN; the lines marked
// IDCONFIGPROD "CAR" are the cover charge and "CON" the minimum consumption; each
// tab's discount VRDESCOMANDA (repeated on its lines) counts once; the service charge
// is VRTXSERVICO of the first line.
struct AccountAmounts {
    qint64 itens = 0;      // the unmarked lines, before discounts and surcharges
    qint64 couvert = 0;    // lines "CAR"
    qint64 consumacao = 0; // lines "CON"
    qint64 descontos = 0;  // the lines' discounts and the tabs' discounts
    qint64 acrescimos = 0; // the lines' surcharges
    qint64 taxaServico = 0;

    // The sale's items net of discounts and surcharges (VENDA.VRTOTVENDA).
    qint64 vendaLiquida() const { return itens + couvert + consumacao - descontos + acrescimos; }
    // What the customer pays.
    qint64 total() const { return vendaLiquida() + taxaServico; }
};

// The lines of an account, in item order (NRPRODCOMVEN), as the fiscal devices take
// them, with each tab's discount spread over that tab's lines in proportion to their
// value (added to FiscalItem::desconto), so the lines add up to the sale.
struct AccountLines {
    QList<FiscalItem> itens;
    QList<int> rows; // the packet row of each line
    AccountAmounts amounts;
};

// AppError in Portuguese for an account the till cannot take: no item, a quantity of
// zero or less, a negative price, discount or surcharge, or discounts above the value
// of the items.
AccountLines accountLines(const DataPacket& itens);
AccountAmounts accountAmounts(const DataPacket& itens);

} // namespace tmk
