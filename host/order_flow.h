#pragma once

#include <QVariantList>

namespace tmk {

class TableModule;

// What the host does with "VENDA_CONS": opens the order screen for the table (or the
// counter sale) the map handed back, on the till's database, and comes back when the
// operator sent the items or left. Errors are shown to the operator, never thrown.
void abrePedido(TableModule& modulo, const QVariantList& resultado);

} // namespace tmk
