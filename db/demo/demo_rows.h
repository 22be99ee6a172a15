#pragma once

#include <QHash>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QVariant>
#include <QVariantMap>

namespace tmk::demo {

// Inserts rows into the tables of the schema through the statements generated from
// its description, each prepared once and bound by column name. Values are converted
// to the column's type; a null QVariant stores NULL.
//
// A date-time is bound as the connection's dialect binds it: the stored text
// "yyyy-MM-dd HH:mm:ss.zzz" on both kinds the demo store is made on, which PostgreSQL
// reads as that wall-clock time whatever the session's time zone, so the rows hold the
// same local times the tills read.
class DemoRows {
public:
    explicit DemoRows(QSqlDatabase& db);

    // Throws DatabaseError naming the table when the database refuses the row.
    void insert(const QString& table, const QVariantMap& row);

private:
    QSqlQuery& statementFor(const QString& table, const QStringList& columns);

    QSqlDatabase& db_;
    QHash<QString, QSqlQuery> statements_;
};

} // namespace tmk::demo
