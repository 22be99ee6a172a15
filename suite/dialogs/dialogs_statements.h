#pragma once

#include "platform/db_kind.h"

#include <QString>

namespace tmk {

// The statement "sql/<kind>/<name>.sql" compiled into the dialog library; AppError
// naming it when missing.
QString dialogsStatement(DbKind kind, const QString& name);

} // namespace tmk
