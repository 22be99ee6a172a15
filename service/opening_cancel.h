#pragma once

#include "service/data_module.h"

#include <QString>
#include <QVariant>

namespace tmk {

// Undoes the opening of a table that received only the consumption and cover charges.
// Every order pad of the table ("RES"/"PKR", not closed) is checked first: when one holds
// another item, or a sale of the table has other pads holding items, the answer is
// "CMD_ITC" and nothing is deleted. Otherwise the pads, their items, their sales and the
// table's open sale are deleted and the table set free, all in one transaction. The text
// result is empty when done and "MES_JUN" for a table of a grouping (nothing changed); a
// failure is a ServiceFailure and changes nothing. cdCaixa and cdOperador are not used.
QVariant getCancelaAbertura(TrdmGerMesa& dm, const QString& cdFilial, const QString& cdLoja,
                            const QString& cdCaixa, const QString& nrMesa,
                            const QString& cdOperador, const QString& cdProdConsum,
                            const QString& cdProdConsuf, const QString& cdProdCouver);

} // namespace tmk
