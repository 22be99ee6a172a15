#pragma once

#include "service/data_module.h"

#include <QString>
#include <QVariant>

namespace tmk {

// Undoes the opening of a table that received only the consumption and cover charges:
// each of its order pads ("RES"/"PKR", not closed) is deleted with its items and sale
// in its own transaction, and the table set free. The text result is empty when done,
// "MES_JUN" for a table of a grouping (nothing changed), "CMD_ITC" when a pad holds
// another item (the pads before it stay deleted); a failure is a ServiceFailure, and
// the pads handled before it stay deleted too. cdCaixa and cdOperador are not used.
QVariant getCancelaAbertura(TrdmGerMesa& dm, const QString& cdFilial, const QString& cdLoja,
                            const QString& cdCaixa, const QString& nrMesa,
                            const QString& cdOperador, const QString& cdProdConsum,
                            const QString& cdProdConsuf, const QString& cdProdCouver);

} // namespace tmk
