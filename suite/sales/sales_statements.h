#pragma once

#include "suite/common/statement_files.h"

namespace tmk {

// The sales service's statements (the average ticket).
const LibraryStatements& salesStatements();

} // namespace tmk
