#pragma once

namespace tmk {

class TableModule;

// The front office around the table module: calls its entry and does what each answer asks
// (the order screen of a table or of a counter sale) until the operator leaves. 0 when the
// operator left the front office ("FECHA_SISTEMA"), 1 when the module could not open.
int runFrontOffice(TableModule& modulo);

} // namespace tmk
