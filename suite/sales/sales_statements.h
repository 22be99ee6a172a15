#pragma once

#include "suite/common/db_dialect.h"

#include <QString>

namespace tmk {

// The statement "sql/<kind>/<name>.sql" compiled into the sales library; AppError
// naming it when missing.
QString salesStatement(const DbDialect& dialect, const QString& name);

} // namespace tmk
