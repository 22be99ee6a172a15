#include "db/db_kind_of.h"

#include "platform/errors.h"

namespace tmk::db {

DbKind kindOf(const QSqlDatabase& db) {
    const QString driver = db.driverName();
    if (driver == QLatin1String("QSQLITE")) {
        return DbKind::SQLite;
    }
    if (driver == QLatin1String("QPSQL")) {
        return DbKind::PostgreSQL;
    }
    if (driver == QLatin1String("QODBC")) {
        return db.databaseName().contains(QLatin1String("Oracle"), Qt::CaseInsensitive)
                   ? DbKind::Oracle
                   : DbKind::SqlServer;
    }
    throw AppError(
        QStringLiteral("Tipo de banco de dados não suportado (driver \"%1\").").arg(driver));
}

} // namespace tmk::db
