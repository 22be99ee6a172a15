#pragma once

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QVariantMap>

namespace tmk {

class LibraryStatements;

// Runs one statement of a library on an open connection: its text for the connection's
// kind, the values bound by name (":P_X" -> value; a QDateTime is bound in the kind's
// date-time form), executed forward only. A refused statement throws DatabaseError with
// the failure message ("Sem conexão com o banco de dados." when the connection is gone).
// The query is returned positioned before its first row.
QSqlQuery runLibraryStatement(const LibraryStatements& library, QSqlDatabase& db,
                              const QString& name, const QVariantMap& binds,
                              const QString& failure);

} // namespace tmk
