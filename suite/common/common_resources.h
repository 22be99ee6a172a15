#pragma once

#include "suite/common/statement_files.h"

#include <QString>

namespace tmk {

// A text compiled into the common library (the message catalogue); AppError naming it
// when missing.
QString commonResourceText(const QString& name);

// The common library's statements: the session settings, the liveness question and the
// next-code counter.
const LibraryStatements& commonStatements();

} // namespace tmk
