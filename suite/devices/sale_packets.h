#pragma once

#include "platform/data_packet.h"
#include "suite/devices/fiscal_sale.h"

#include <QVariant>

namespace tmk {

// A sale described by the till's account packets, for the printouts that receive
// packets and for whoever reads a sale back to send it to a fiscal device.
//
// Items (the packet of cdsListaComanda), one line per row: CDPRODUTO, NMPRODUTO,
// SGUNIDADE, CDCLASFISC (NCM), QTPRODCOMVEN, VRPRECCOMVEN + VRUNITVENDCL (unit price),
// VRDESCCOMVEN, VRACRCOMVEN, IDTPIMPOSFIS, VRPEALIMPFIS, IDCONFIGPROD ("CAR" marks the
// cover charge); the service charge is VRTXSERVICO of the first row, the consumer's
// CPF the first NRINSCRCONS given, branch and table CDFILIAL and NRMESA.
//
// Payments (the packet of cdsMovCaixa, the columns of MOVCAIXA): VRMOVIVEND, IDTIPORECE
// (kind), NMTIPORECE or DSMOVIVEND (name), NMBANDTEF or CDBANCARTCR (brand), CDNSUTEF,
// NRAUTORIZATEF, NRCARTBANCO. A row whose IDTIPOMOVIVE is "S" is change given; without
// such rows the change is what was paid above the total.
FiscalSale fiscalSaleFromPackets(const DataPacket& itens, const DataPacket& pagamentos);

// The data packet a variant holds (a packet, or nothing for any other value).
DataPacket packetOf(const QVariant& value);

} // namespace tmk
