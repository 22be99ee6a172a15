#pragma once

#include "suite/common/statement_files.h"

namespace tmk {

// The sales service's statements: the sale conclusion, its fiscal document, the table
// settlement, the cancellation, the approximate taxes and the average ticket.
const LibraryStatements& salesStatements();

} // namespace tmk
