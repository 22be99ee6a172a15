#pragma once

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QVariantMap>

namespace tmk {

// Runs one statement of the dialog library on a connection: its text for the
// connection's kind, the values bound by name (":P_X" -> value; a QDateTime is bound in
// the kind's date-time form), executed forward only. A refused statement throws
// DatabaseError with the failure message ("Sem conexão com o banco de dados." when the
// connection is gone). The query is returned positioned before its first row.
QSqlQuery runDialogStatement(QSqlDatabase& db, const QString& name, const QVariantMap& binds,
                             const QString& failure);

// The first column of the first row of a statement; an invalid value when it has none.
QVariant dialogScalar(QSqlDatabase& db, const QString& name, const QVariantMap& binds,
                      const QString& failure);

// A text read back from a column, trimmed (fixed-width columns come back padded on some
// kinds); empty for a null.
QString columnText(const QSqlQuery& q, int column);

} // namespace tmk
