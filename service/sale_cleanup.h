#pragma once

#include "service/data_module.h"

#include <QString>
#include <QVariant>

namespace tmk {

// Flags of setDeletaVendaRest's result.
inline constexpr int kItensSemComanda = 1;  // items whose order pad no longer exists
inline constexpr int kComandasSemVenda = 6; // order pads whose sale no longer exists (2 and 4)
inline constexpr int kVendasSemComanda = 8; // sales of the table without any order pad

// Removes orphan restaurant-sale rows of the branch and of the table, each statement on
// its own (no transaction), and frees the table when it is left without a sale (or,
// with status "C" or "O", when its orphan sales were removed, or when orphan pads were
// removed). Result: the flags above as an int, or a ServiceFailure (what ran before the
// failure stays done).
QVariant setDeletaVendaRest(TrdmGerMesa& dm, const QString& nrMesa, const QString& cdFilial,
                            const QString& cdLoja, const QString& status);

} // namespace tmk
