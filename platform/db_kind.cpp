#include "platform/db_kind.h"

namespace tmk {

QString dbKindFolder(DbKind kind) {
    switch (kind) {
    case DbKind::SQLite:
        return QStringLiteral("sqlite");
    case DbKind::PostgreSQL:
        return QStringLiteral("postgresql");
    case DbKind::SqlServer:
        return QStringLiteral("mssql");
    case DbKind::Oracle:
        return QStringLiteral("oracle");
    }
    return {};
}

QString dbKindName(DbKind kind) {
    switch (kind) {
    case DbKind::SQLite:
        return QStringLiteral("SQLite");
    case DbKind::PostgreSQL:
        return QStringLiteral("PostgreSQL");
    case DbKind::SqlServer:
        return QStringLiteral("SQL Server");
    case DbKind::Oracle:
        return QStringLiteral("Oracle");
    }
    return {};
}

} // namespace tmk
