#pragma once

#include "service/data_module.h"

#include <QDateTime>
#include <QString>
#include <QVariant>

namespace tmk {

// Records a table's consumption as a cancelled fiscal sale: one VENDA row in situation
// "C", one ITEMVENDA row per sold item (the sale's discount and surcharge, netted, spread
// over the items in proportion to their net values) and one ITVENDACAN row per cancelled
// item, all in one transaction, then the sale's total. The packets (QVariant holding a
// DataPacket) are the sold items and the cancelled items; naoUsado is not read.
// Result: the new sale number as text; an invalid QVariant, with nothing written, when
// the sold-item packet has no rows; a ServiceFailure with nothing committed on any
// failure (also when the next sale number cannot be obtained).
QVariant setCancelaVendas(TrdmGerMesa& dm, const QVariant& vendidos, const QVariant& cancelados,
                          const QString& cdCaixa, const QDateTime& dtAberCaixa,
                          const QString& cdEmpresa, const QString& naoUsado,
                          const QString& nrContCupomFisc, const QString& nrMesa,
                          const QString& nrVendaExt, const QString& nrSerieImpVnd,
                          const QString& dsModeloEcfVe, const QString& dsMarcaEcfVe,
                          const QString& nrEcfCupomVe, int idTipoImpFis);

} // namespace tmk
