#pragma once

#include "platform/data_packet.h"
#include "platform/db_kind.h"
#include "suite/common/statement_files.h"

#include <QHash>
#include <QString>
#include <QStringList>
#include <optional>

namespace tmk {

// One statement of the catalogue in the text of the connected kind, with the result
// column types its file declares ("-- columns: NAME type, ...").
struct CatalogueStatement {
    QString name;
    QString text;
    QHash<QString, FieldType> declaredColumns; // upper-cased column -> type
};

// The data module's statements: one file per statement and kind under
// service/sql/<kind>/<statement>.sql, loaded and checked by the statement loader. Every
// statement has an SQL Server text (the master list), an SQLite and a PostgreSQL text; the
// stored statements also carry an Oracle text, and an Oracle connection runs the SQL
// Server text of the others.
class StatementCatalogue {
public:
    // Texts are read from this folder (the compiled-in resources unless a test names
    // another one): <root>/<kind>/<statement>.sql.
    static QString defaultRoot() { return QStringLiteral(":/sql"); }

    // Every statement name of the module (from the SQL Server texts), sorted.
    static QStringList statementNames(const QString& root = defaultRoot());
    // The question of the database's data version, on the kinds whose tills watch it for
    // the changes of the others (DbDialect::ChangeWatch::DataVersion).
    static QString dataVersionStatement() { return QStringLiteral("adqVersaoDados"); }
    // The statements that have a per-dialect store, with their store names.
    static const QHash<QString, QString>& storedStatements(); // statement -> store
    // What a kind lacks: statements without a text of that kind, and files of that
    // kind that name no statement of the master list.
    static QStringList missingFor(DbKind kind, const QString& root = defaultRoot());
    static QStringList unknownFor(DbKind kind, const QString& root = defaultRoot());

    // Loads every text of the kind; throws AppError naming what is missing.
    explicit StatementCatalogue(DbKind kind, const QString& root = defaultRoot());

    // Throws AppError naming the statement when the catalogue has no such statement.
    const CatalogueStatement& statement(const QString& name) const;
    bool contains(const QString& name) const { return statements_.contains(name); }
    int size() const { return int(statements_.size()); }

    // Parses a "-- columns:" declaration of a statement text.
    static QHash<QString, FieldType> parseDeclaredColumns(const QString& text,
                                                          const QString& statement);

private:
    QHash<QString, CatalogueStatement> statements_;
};

} // namespace tmk
