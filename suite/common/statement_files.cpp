#include "suite/common/statement_files.h"

#include "platform/errors.h"

#include <QDir>
#include <QFile>
#include <QSet>

namespace tmk {

namespace {

// What a dialect must have a text for: every statement, and on a kind that falls back to
// another, the statements that need a text of their own.
QStringList required(const StatementNeeds& needs, const DbDialect& dialect) {
    QStringList names = needs.statements;
    if (!dialect.fallbackKind()) {
        return names;
    }
    for (const QString& name : needs.ownText) {
        if (!names.contains(name)) {
            names << name;
        }
    }
    return names;
}

// The text a dialect runs for a needed statement: its kind's own, or the fallback kind's
// where the statement allows it; empty when there is none.
QString textFor(const StatementFiles& files, const DbDialect& dialect, const StatementNeeds& needs,
                const QString& name) {
    const QString own = files.text(dialect.kind(), name);
    if (!own.isEmpty()) {
        return own;
    }
    const auto fallback = dialect.fallbackKind();
    if (fallback && !needs.ownText.contains(name)) {
        return files.text(*fallback, name);
    }
    return {};
}

// Reads a comment as Qt's placeholder parser reads any part of a statement: a quote opens a
// text up to the same quote ("[" up to "]"), and outside one a ':' not after another ':' and
// followed by a letter, digit or '_' starts a parameter name. Gives the line (from 0 within the
// comment) and what it found.
std::optional<CommentFault> readAsQtDoes(const QString& comment) {
    const auto nameChar = [](QChar ch) {
        const char16_t u = ch.unicode();
        return (u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z') || (u >= '0' && u <= '9') ||
               u == '_';
    };
    QChar closing;
    int line = 0;
    int openedOn = 0;
    QChar opened;
    for (qsizetype i = 0; i < comment.size(); ++i) {
        const QChar ch = comment.at(i);
        if (ch == QLatin1Char('\n')) {
            ++line;
        }
        if (!closing.isNull()) {
            if (ch == closing) {
                closing = QChar();
            }
            continue;
        }
        if (ch == QLatin1Char(':') && (i == 0 || comment.at(i - 1) != QLatin1Char(':')) &&
            i + 1 < comment.size() && nameChar(comment.at(i + 1))) {
            qsizetype end = i + 1;
            while (end < comment.size() && nameChar(comment.at(end))) {
                ++end;
            }
            return CommentFault{
                line, QStringLiteral("o nome de parâmetro %1").arg(comment.mid(i, end - i))};
        }
        if (ch == QLatin1Char('\'') || ch == QLatin1Char('"') || ch == QLatin1Char('`')) {
            closing = ch;
        } else if (ch == QLatin1Char('[')) {
            closing = QLatin1Char(']');
        }
        if (!closing.isNull()) {
            opened = ch;
            openedOn = line;
        }
    }
    if (!closing.isNull()) {
        return CommentFault{openedOn, QStringLiteral("aspas sem par (%1)").arg(opened)};
    }
    return std::nullopt;
}

} // namespace

std::optional<CommentFault> commentFault(const QString& text) {
    const qsizetype n = text.size();
    int line = 1;
    qsizetype i = 0;
    while (i < n) {
        const QChar ch = text.at(i);
        const bool lineComment =
            ch == QLatin1Char('-') && i + 1 < n && text.at(i + 1) == QLatin1Char('-');
        const bool blockComment =
            ch == QLatin1Char('/') && i + 1 < n && text.at(i + 1) == QLatin1Char('*');
        qsizetype end = i + 1;
        if (ch == QLatin1Char('\'') || ch == QLatin1Char('"')) {
            // A text or a quoted name, to its closing quote (a doubled quote closes and
            // opens again).
            end = text.indexOf(ch, i + 1);
            end = end < 0 ? n : end + 1;
        } else if (lineComment || blockComment) {
            end = lineComment ? text.indexOf(QLatin1Char('\n'), i)
                              : text.indexOf(QLatin1String("*/"), i + 2);
            end = end < 0 ? n : (blockComment ? end + 2 : end);
            if (auto fault = readAsQtDoes(text.mid(i, end - i))) {
                fault->line += line;
                return fault;
            }
        }
        line += int(QStringView(text).mid(i, end - i).count(QLatin1Char('\n')));
        i = end;
    }
    return std::nullopt;
}

StatementFiles::StatementFiles(QString root)
    : root_(std::move(root)) {}

QStringList StatementFiles::names(DbKind kind) const {
    QStringList names;
    const QStringList found = QDir(root_ + QLatin1Char('/') + DbDialect::forKind(kind).folder())
                                  .entryList({QStringLiteral("*.sql")}, QDir::Files);
    for (const QString& f : found) {
        names << f.chopped(4);
    }
    names.sort();
    return names;
}

QString StatementFiles::text(DbKind kind, const QString& name) const {
    QFile f(root_ + QLatin1Char('/') + DbDialect::forKind(kind).folder() + QLatin1Char('/') + name +
            QStringLiteral(".sql"));
    if (!f.open(QIODevice::ReadOnly)) {
        return {};
    }
    return QString::fromUtf8(f.readAll()).trimmed();
}

QStringList StatementSet::missing(const StatementFiles& files, const DbDialect& dialect,
                                  const StatementNeeds& needs) {
    QStringList lacking;
    for (const QString& name : required(needs, dialect)) {
        if (textFor(files, dialect, needs, name).isEmpty()) {
            lacking << name;
        }
    }
    return lacking;
}

QStringList StatementSet::unknown(const StatementFiles& files, const DbDialect& dialect,
                                  const StatementNeeds& needs) {
    QStringList known = required(needs, dialect) + needs.optional;
    const QSet<QString> names(known.cbegin(), known.cend());
    QStringList strays;
    for (const QString& name : files.names(dialect.kind())) {
        if (!names.contains(name)) {
            strays << name;
        }
    }
    return strays;
}

StatementSet::StatementSet(const StatementFiles& files, const DbDialect& dialect,
                           const StatementNeeds& needs, const QString& library)
    : dialect_(&dialect)
    , library_(library) {
    QStringList lacking;
    for (const QString& name : required(needs, dialect)) {
        const QString text = textFor(files, dialect, needs, name);
        if (text.isEmpty()) {
            lacking << name;
        } else {
            texts_.insert(name, text);
        }
    }
    if (!lacking.isEmpty()) {
        throw AppError(QStringLiteral("Faltam textos %1 nas instruções %2: %3.")
                           .arg(dialect.name(), library, lacking.join(QStringLiteral(", "))));
    }
    const QStringList strays = unknown(files, dialect, needs);
    if (!strays.isEmpty()) {
        throw AppError(QStringLiteral("As instruções %1 têm textos %2 sem instrução "
                                      "correspondente: %3.")
                           .arg(library, dialect.name(), strays.join(QStringLiteral(", "))));
    }
    for (const QString& name : needs.optional) {
        const QString text = files.text(dialect.kind(), name);
        if (!text.isEmpty()) {
            texts_.insert(name, text);
        }
    }
    // Refused at load rather than stripped: the texts run as they are written, and the
    // comment to mend is named at once.
    for (const QString& name : names()) {
        if (const auto fault = commentFault(texts_.value(name))) {
            throw AppError(
                QStringLiteral("A instrução %1 das instruções %2 (texto %3) tem, na "
                               "linha %4, um comentário com %5: o Qt lê aspas e "
                               "parâmetros também nos comentários. Corrija o "
                               "comentário.")
                    .arg(name, library, dialect.name(), QString::number(fault->line), fault->what));
        }
    }
}

const QString& StatementSet::text(const QString& name) const {
    const auto it = texts_.constFind(name);
    if (it == texts_.cend()) {
        throw AppError(QStringLiteral("A instrução %1 não existe nas instruções %2 para %3.")
                           .arg(name, library_, dialect_->name()));
    }
    return *it;
}

QStringList StatementSet::names() const {
    QStringList names = texts_.keys();
    names.sort();
    return names;
}

LibraryStatements::LibraryStatements(QString root, QString library, StatementNeeds needs)
    : files_(std::move(root))
    , library_(std::move(library))
    , needs_(std::move(needs)) {}

const StatementSet& LibraryStatements::forDialect(const DbDialect& dialect) const {
    const QMutexLocker lock(&mutex_);
    auto it = loaded_.constFind(int(dialect.kind()));
    if (it == loaded_.cend()) {
        it =
            loaded_.insert(int(dialect.kind()),
                           std::make_shared<const StatementSet>(files_, dialect, needs_, library_));
    }
    return **it;
}

QStringList splitStatements(const QString& script) {
    QStringList statements;
    QStringList current;
    const QStringList lines = script.split(QLatin1Char('\n'));
    for (const QString& raw : lines) {
        const QString line = raw.trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1String("--"))) {
            continue;
        }
        if (line.endsWith(QLatin1Char(';'))) {
            current << line.chopped(1);
            const QString st = current.join(QLatin1Char('\n')).trimmed();
            if (!st.isEmpty()) {
                statements << st;
            }
            current.clear();
        } else {
            current << line;
        }
    }
    const QString rest = current.join(QLatin1Char('\n')).trimmed();
    if (!rest.isEmpty()) {
        statements << rest;
    }
    return statements;
}

} // namespace tmk
