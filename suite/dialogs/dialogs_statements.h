#pragma once

#include "suite/common/statement_files.h"

namespace tmk {

// The dialog library's statements (the access-log record).
const LibraryStatements& dialogsStatements();

} // namespace tmk
