#pragma once

#include <QDateTime>
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

// A message with the reason the dialect gives for the error ("Não foi possível preparar a
// sessão do banco de dados SQLite: o arquivo /x/tmk.db está danificado."); the message as it
// is when there is none.
QString withFailureReason(const QString& message, const QSqlDatabase& db, const QSqlError& error);

// Opens a configured connection (the one way every connection is opened). Where there is a
// server, the log says at once that it is waited for and for how long; a server that did
// not answer in that time is not waited for again for a few seconds. On failure, gives the
// reason for the operator (never the password): the dialect's, or the driver's text.
bool openDatabase(QSqlDatabase& db, QString& failure);

// Until when a server that did not answer is not waited for again (invalid when it
// answered or was never tried). Read on the application's thread, where the attempts of
// the host and of the module are recorded.
QDateTime serverRetryMoment(const QString& connectionText);

// "PostgreSQL em 127.0.0.1:5432 (banco restaurante)", "SQLite no arquivo /x/tmk.db":
// the server of a connection for messages (never the password).
QString connectionDescription(const QSqlDatabase& db);

} // namespace tmk
