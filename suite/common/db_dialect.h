#pragma once

#include "platform/data_packet.h"
#include "platform/db_kind.h"
#include "suite/common/database_file.h"

#include <QDateTime>
#include <QSqlDatabase>
#include <QSqlError>
#include <QString>
#include <QVariant>
#include <optional>

namespace tmk {

class ConnectionText;

// Everything that differs between the kinds of database, in one place: the kind is decided
// once, when a connection is configured from its connection text, and the connection keeps
// its dialect. SQLite and PostgreSQL run here; SQL Server and Oracle (through ODBC) are
// carried for installations on those servers.
//
// Date-times: SQLite keeps them as the text "yyyy-MM-dd HH:mm:ss.zzz" (the schema refuses
// any other text, so MAX, MIN, ORDER BY and comparisons stay right); PostgreSQL keeps
// TIMESTAMP(3) in the till's time zone and is given the same text, which it reads as that
// wall-clock time whatever the session's zone; SQL Server and Oracle are given QDateTime.
class DbDialect {
public:
    virtual ~DbDialect() = default;
    DbDialect(const DbDialect&) = delete;
    DbDialect& operator=(const DbDialect&) = delete;

    // ---- Which dialect.
    static const DbDialect& forKind(DbKind kind);
    // The dialect a connection text names by its Provider (QSQLITE or SQLite, QPSQL or
    // PostgreSQL, the SQL Server and Oracle OLE DB providers); AppError for a missing or
    // unknown provider.
    static const DbDialect& forConnectionText(const QString& connectionText);
    // The dialect of a connection: the one it was configured with (configure()), or for a
    // connection made elsewhere the one of its driver (forDriver).
    static const DbDialect& of(const QSqlDatabase& db);
    // The dialect of a Qt driver: an ODBC connection whose connect string names an Oracle
    // data source (DBQ) or driver is Oracle, any other SQL Server. AppError for a driver of
    // no known kind.
    static const DbDialect& forDriver(const QString& driver, const QString& databaseName);

    DbKind kind() const { return kind_; }
    // "SQLite", "PostgreSQL", "SQL Server", "Oracle".
    QString name() const { return name_; }
    // Folder of the kind's statement files: "sqlite", "postgresql", "mssql", "oracle".
    QString folder() const { return folder_; }
    // The Qt driver: "QSQLITE", "QPSQL", "QODBC".
    QString qtDriver() const { return driver_; }

    // ---- Connections.
    // A Qt connection of this dialect under a name, set up from the connection text but not
    // opened. AppError when the driver is missing or the text is incomplete.
    QSqlDatabase configure(const ConnectionText& text, const QString& connectionName,
                           DatabaseFile file = DatabaseFile::MayCreate) const;
    // "PostgreSQL em 127.0.0.1:5432 (banco restaurante)", "SQLite no arquivo /x/tmk.db": the
    // server for messages, never the password.
    virtual QString describe(const ConnectionText& text) const = 0;
    virtual QString describe(const QSqlDatabase& db) const = 0;
    // True when the driver reports every refused statement as a connection error, so that
    // only the error's text tells a lost connection.
    virtual bool reportsRefusalsAsConnectionErrors() const { return false; }
    // True when there is a server that can end a connection (an embedded file has none).
    virtual bool hasServer() const { return true; }
    // Seconds a connection waits for the server to answer before it gives up; 0 where the
    // driver sets no limit.
    virtual int answerTimeout() const { return 0; }
    // Why the database refused, in Portuguese ("o arquivo /x/tmk.db está danificado"), where
    // the error tells more than the driver's text; empty otherwise.
    virtual QString failureReason(const QSqlDatabase& db, const QSqlError& error) const;
    // True when the session must be told the till's time zone, so that the server's clock
    // reads as the till's.
    virtual bool followsTillTimeZone() const { return false; }

    // ---- Statements.
    // The kind whose text runs where this kind has no text of its own (Oracle runs the
    // SQL Server text of most statements).
    virtual std::optional<DbKind> fallbackKind() const { return std::nullopt; }
    // A result column's name as the statements write it (PostgreSQL folds unquoted names to
    // lower case).
    virtual QString columnName(const QString& reported) const { return reported; }
    // The server's clock as an expression of a statement, in the stored date-time form.
    virtual QString nowExpression() const = 0;

    // ---- Date-times.
    // The stored text form: "2024-03-15 13:45:30.123" (a date is that form at midnight); a
    // null text for an invalid date-time.
    static QString dateTimeText(const QDateTime& value);
    // A stored text read back; invalid when the text is not in the stored form.
    static QDateTime parseDateTimeText(const QString& text);
    // The value to bind for a date-time parameter or column; a null value for an invalid
    // date-time.
    virtual QVariant dateTimeValue(const QDateTime& value) const;
    // A date-time column as the driver hands it back (a QDateTime, or the stored text).
    QDateTime readDateTime(const QVariant& value) const;
    // True when date-times are kept as the stored text (and read back as text).
    virtual bool storesDateTimeAsText() const { return false; }

    // ---- Schema.
    // True for the kinds the schema is created on (SQLite and PostgreSQL).
    virtual bool createsSchema() const { return false; }
    // The type of a column in CREATE TABLE (a text column without a width is a memo);
    // soleIntegerKey marks the one integer column of a key. AppError on a kind the schema is
    // not created on, and for a type the kind has no column for.
    virtual QString columnType(const FieldDef& column, bool soleIntegerKey) const;
    // A constraint a column carries besides its type ("CHECK (...)"), or an empty text.
    virtual QString columnCheck(const FieldDef& column) const;
    // True when a text column refuses a value longer than its width.
    virtual bool holdsTextWidths() const { return false; }
    // How the schema's triggers run: not at all (the kind has no schema here), once per row,
    // or once per statement over transition tables of the rows it touched (a bulk load then
    // stays one set-based statement).
    enum class TriggerForm { None, PerRow, PerStatement };
    virtual TriggerForm triggerForm() const { return TriggerForm::None; }
    // The server's clock an hour ago, in the stored date-time form.
    virtual QString hourAgoExpression() const { return {}; }
    // The operator that tells two values apart, nulls included ("IS NOT", "IS DISTINCT FROM").
    virtual QString distinctOperator() const { return QStringLiteral("IS DISTINCT FROM"); }

    // ---- Change notification between tills.
    // How a till learns that another one committed a change to what its map shows: the
    // server sends a notice (ChangeNotice) that the schema's notifying triggers raise, to
    // every connection subscribed to the channel; or a dedicated connection watches the
    // shared file's data version; or not at all (the map's periodic refresh alone).
    enum class ChangeWatch { None, Notification, DataVersion };
    virtual ChangeWatch changeWatch() const { return ChangeWatch::None; }
    // Subscribes an open connection to the notices' channel; false when the driver
    // refuses. Only for a kind that notifies.
    virtual bool subscribeToChanges(QSqlDatabase& db) const;
    // The statement of a notifying trigger's body that sends one notice for each row of a
    // selection with the columns CDFILIAL, CDLOJA and NRMESA (the last two may be null),
    // naming the schema table that changed. AppError for a kind that does not notify.
    virtual QString notifyStatement(const QString& selection, const QString& table) const;

protected:
    DbDialect(DbKind kind, QString name, QString folder, QString driver);
    // True when a connection text's Provider (upper-cased) names this kind.
    virtual bool namedBy(const QString& provider) const = 0;
    // Sets up the connection's server, database and credentials from the text.
    virtual void setUp(QSqlDatabase& db, const ConnectionText& text) const = 0;
    // Checks what the text must give before anything is set up; AppError when it lacks it.
    virtual void check(const ConnectionText& text) const;
    // Makes a connection set up by setUp open its database file only if it exists.
    virtual void openExistingOnly(QSqlDatabase& /*db*/) const {}

private:
    DbKind kind_;
    QString name_;
    QString folder_;
    QString driver_;
};

} // namespace tmk
