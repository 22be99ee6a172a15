#pragma once

#include "platform/data_packet.h"

#include <QString>

namespace tmk {

struct ConclusionRequest;

// The identity of an account a conclusion stores (VENDA.CDCHAVEFECHA, indexed with the
// branch and the till): the SHA-1, in 40 hexadecimal digits, of the restaurant sale
// NRVENDAREST, the tab list and the coupon's item set (each line's tab, item number
// NRPRODCOMVEN and quantity, in order). The same coupon concluded again, on the same
// till, has the same identity; another coupon of a split account (another product
// nature, so other items), or the account after an item was added, has another.
QString conclusionKey(const ConclusionRequest& request);
QString conclusionKey(const QString& nrVendaRest, const QString& listaComandas,
                      const DataPacket& itens);

} // namespace tmk
