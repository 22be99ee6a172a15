#pragma once

namespace tmk {

// The database kinds the statement files carry texts for. What differs between them lives
// in one place, the dialect of the kind (suite/common/db_dialect.h).
enum class DbKind { SQLite, PostgreSQL, SqlServer, Oracle };

} // namespace tmk
