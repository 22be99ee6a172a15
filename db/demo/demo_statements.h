#pragma once

#include "suite/common/statement_files.h"

namespace tmk::demo {

// The statements of the demo store and of the app payments, for the kinds they run on.
const LibraryStatements& demoStatements();

} // namespace tmk::demo
