#pragma once

#include "suite/common/statement_files.h"

namespace tmk {

// The dialog library's statements.
const LibraryStatements& dialogsStatements();

} // namespace tmk
