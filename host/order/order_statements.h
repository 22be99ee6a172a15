#pragma once

#include "suite/common/statement_files.h"

namespace tmk {

// The order screen's statements: the menu, the order pad and the items written to it.
const LibraryStatements& orderStatements();

} // namespace tmk
