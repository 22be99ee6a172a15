#pragma once

#include "platform/db_kind.h"

#include <QString>

namespace tmk {

// The statement "sql/<kind>/<name>.sql" compiled into the sales library; AppError
// naming it when missing.
QString salesStatement(DbKind kind, const QString& name);

} // namespace tmk
