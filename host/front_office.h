#pragma once

#include <QVariantList>

namespace tmk {

class TableModule;

// The front office around the table module: calls its entry and does what each answer asks
// until the operator leaves. 0 when the operator left the front office ("FECHA_SISTEMA"),
// 1 when the module could not open.
int runFrontOffice(TableModule& modulo);

// What the front office opens for a sale the module handed over ("VENDA_CONS").
void abreVenda(const QVariantList& retorno);

} // namespace tmk
