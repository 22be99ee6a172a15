#pragma once

#include <QSqlDatabase>
#include <QSqlError>
#include <QString>

namespace tmk {

// True when a failure means the server is gone (closed connection, server down),
// as opposed to a statement the database refused.
bool isConnectionLost(const QSqlDatabase& db, const QSqlError& error);

// Throws the DatabaseError of a failed statement: the operator message, or "Sem
// conexão com o banco de dados." when the connection is lost, with the statement
// name and the driver text (bound values are never part of it).
[[noreturn]] void throwDatabaseError(const QString& message, const QString& statement,
                                     const QSqlDatabase& db, const QSqlError& error);

// "PostgreSQL em 127.0.0.1:5432 (banco restaurante)", "SQLite no arquivo /x/tmk.db":
// the server of a connection for messages (never the password).
QString connectionDescription(const QSqlDatabase& db);

} // namespace tmk
