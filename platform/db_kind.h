#pragma once

#include <QString>

namespace tmk {

// The database kinds the statement catalogue carries texts for. SQLite and
// PostgreSQL run here; SQL Server and Oracle texts are carried for installations
// that connect to those servers.
enum class DbKind { SQLite, PostgreSQL, SqlServer, Oracle };

// Folder name of the kind under service/sql/ ("sqlite", "postgresql", "mssql", "oracle").
QString dbKindFolder(DbKind kind);
// Readable name ("SQLite", "PostgreSQL", "SQL Server", "Oracle").
QString dbKindName(DbKind kind);

} // namespace tmk
