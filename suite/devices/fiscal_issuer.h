#pragma once

#include "suite/devices/fiscal_sale.h"

namespace tmk {

// The issuer of the till's fiscal documents, from the till's parameter file
// "PARAMETROSKOV.CDS": CNPJ (CDINSJUREMPR, punctuation dropped), state code
// (CDESTADOIBGE), state letters (SGESTADOFILI) and environment (IDAMBTRABNFCE). The
// name is left empty. AppError naming the file when it is missing or unreadable.
FiscalIssuer readTillIssuer();

} // namespace tmk
