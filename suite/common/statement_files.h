#pragma once

#include "platform/db_kind.h"
#include "suite/common/db_dialect.h"

#include <QHash>
#include <QMutex>
#include <QSqlDatabase>
#include <QString>
#include <QStringList>
#include <memory>
#include <optional>

namespace tmk {

// The statement files of one library: one file per statement and kind,
// "<root>/<kind folder>/<name>.sql" (the library's compiled-in resources, or a folder a
// test names).
class StatementFiles {
public:
    explicit StatementFiles(QString root);
    const QString& root() const { return root_; }
    // The statements that have a file of the kind, sorted.
    QStringList names(DbKind kind) const;
    // The text of a statement's file for a kind, trimmed; empty when there is none.
    QString text(DbKind kind, const QString& name) const;

private:
    QString root_;
};

// What a library runs. Every statement in `statements` needs a text of the connected kind,
// or of the kind its dialect falls back to (Oracle runs SQL Server texts); a kind that falls
// back must still have texts of its own for the statements in `ownText`. `optional` ones
// are loaded where the kind has a file of its own.
struct StatementNeeds {
    QStringList statements;
    QStringList ownText;
    QStringList optional;
};

// The texts a library runs on one dialect, loaded and checked at once: every statement it
// needs has a text, and every file of the kind names a statement of the library (a file
// that names none is a misspelt name).
class StatementSet {
public:
    // library names the owner in messages ("do módulo de dados"). Throws AppError naming
    // the kind and every statement without a text, or every file without a statement.
    StatementSet(const StatementFiles& files, const DbDialect& dialect, const StatementNeeds& needs,
                 const QString& library);

    // The same checks without loading: what a kind lacks, and its files of no statement.
    static QStringList missing(const StatementFiles& files, const DbDialect& dialect,
                               const StatementNeeds& needs);
    static QStringList unknown(const StatementFiles& files, const DbDialect& dialect,
                               const StatementNeeds& needs);

    const DbDialect& dialect() const { return *dialect_; }
    bool contains(const QString& name) const { return texts_.contains(name); }
    // The text to run; AppError naming the statement when the library has no such one.
    const QString& text(const QString& name) const;
    QStringList names() const;

private:
    const DbDialect* dialect_;
    QString library_;
    QHash<QString, QString> texts_;
};

// A library's statements for each dialect it meets, loaded and checked the first time a
// connection of that dialect asks for them. Safe to share between threads.
class LibraryStatements {
public:
    LibraryStatements(QString root, QString library, StatementNeeds needs);

    const StatementSet& forDialect(const DbDialect& dialect) const;
    const StatementSet& of(const QSqlDatabase& db) const { return forDialect(DbDialect::of(db)); }

private:
    StatementFiles files_;
    QString library_;
    StatementNeeds needs_;
    mutable QMutex mutex_;
    mutable QHash<int, std::shared_ptr<const StatementSet>> loaded_;
};

// What a comment of a statement text holds that Qt would misread: Qt finds the placeholders
// of a statement without knowing its comments, so a quote a comment leaves open turns the rest
// of the statement into a text for Qt (its parameters go unbound, and QSQLITE has crashed on
// it), and a parameter name in a comment is bound although the database never sees it.
struct CommentFault {
    int line = 0; // of the text, from 1
    QString what; // "aspas sem par (')", "o nome de parâmetro :P_X"
};
// The first such fault of a statement text, if any. Comments are "--" to the end of the line
// and "/*" to "*/" outside texts ('...') and quoted names ("..."). A comment whose quotes close
// within it is harmless; the quotes are ', ", ` and [ ... ].
std::optional<CommentFault> commentFault(const QString& text);

// Splits a script into its statements: each ends with ';' at the end of a line; lines
// starting with "--" are comments. The ';' is not part of the statement.
QStringList splitStatements(const QString& script);

} // namespace tmk
