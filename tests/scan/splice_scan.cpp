// The splice scan: finds statement texts and dataset filters built by joining a value
// into them instead of binding it (statements) or quoting it with filterLiteral
// (filters).
//
// Where it looks, in every C++ source of the product (tests build their texts from
// constants and fixtures and are not scanned):
//   - the argument of setFilter( and setFilterText(, and what is assigned (= or +=) to a
//     variable whose name speaks of a filter (filter, filtro);
//   - the expression around a string literal that reads as SQL (it starts with SELECT,
//     INSERT, UPDATE, DELETE, CREATE, DROP, ALTER, WITH, MERGE, TRUNCATE, PRAGMA, or
//     holds FROM, WHERE, VALUES, JOIN, ORDER BY, GROUP BY in capitals);
//   - the argument of exec( and prepare( (a query's text);
//   - .arg( applied to, or += onto, a variable whose name speaks of a statement
//     (statement, sql, instrucao, comando, query, and names ending in Statement or Sql).
// What it flags there:
//   - joining by "+", "%", .arg( or asprintf with anything but literals, numbers,
//     QString::number(...) and filterLiteral(...): any other name is taken as a value;
//   - two .arg( calls in a chain, even of safe pieces: the second would substitute a
//     "%1" that the first put in.
// A splice of names, not values (the DDL made from the schema description, the name of
// a database to create), is accepted when the comment "statement-scan:" with the reason
// stands on the line of the expression or on the line above it. Findings still waiting
// for a fix elsewhere are listed in allowed_splices.txt.
#include "tests/scan/splice_scan.h"

#include <QRegularExpression>

namespace tmk::scan {

namespace {

enum class Kind { Name, Number, Text, Punct };

struct Token {
    Kind kind;
    QString text; // a literal's contents for Text
    int line;
};

struct Source {
    QList<Token> tokens;
    QList<int> markerLines; // lines with a "statement-scan:" comment
};

bool isNameStart(QChar c) {
    return c.isLetter() || c == QLatin1Char('_');
}
bool isNamePart(QChar c) {
    return c.isLetterOrNumber() || c == QLatin1Char('_');
}

Source tokenize(const QString& s) {
    Source out;
    const int n = int(s.size());
    int i = 0;
    int line = 1;
    bool lineStart = true;
    auto comment = [&](const QString& text, int at) {
        static const QRegularExpression marker(QStringLiteral("statement-scan:\\s*\\S"));
        if (marker.match(text).hasMatch()) {
            out.markerLines << at;
        }
    };
    while (i < n) {
        const QChar c = s[i];
        if (c == QLatin1Char('\n')) {
            ++line;
            ++i;
            lineStart = true;
            continue;
        }
        if (c.isSpace()) {
            ++i;
            continue;
        }
        if (lineStart && c == QLatin1Char('#')) { // preprocessor line, with continuations
            while (i < n && s[i] != QLatin1Char('\n')) {
                if (s[i] == QLatin1Char('\\') && i + 1 < n && s[i + 1] == QLatin1Char('\n')) {
                    ++line;
                    ++i;
                }
                ++i;
            }
            continue;
        }
        lineStart = false;
        if (s.mid(i, 2) == QLatin1String("//")) {
            const int end = int(s.indexOf(QLatin1Char('\n'), i));
            comment(s.mid(i, end < 0 ? -1 : end - i), line);
            i = end < 0 ? n : end;
            continue;
        }
        if (s.mid(i, 2) == QLatin1String("/*")) {
            const int end = int(s.indexOf(QLatin1String("*/"), i + 2));
            const QString body = s.mid(i, end < 0 ? -1 : end + 2 - i);
            comment(body, line);
            line += int(body.count(QLatin1Char('\n')));
            i = end < 0 ? n : end + 2;
            continue;
        }
        // Literal prefixes (u8, u, U, L) and raw strings.
        int j = i;
        while (j < n && j - i < 2 &&
               (s[j] == QLatin1Char('u') || s[j] == QLatin1Char('8') || s[j] == QLatin1Char('U') ||
                s[j] == QLatin1Char('L'))) {
            ++j;
        }
        const bool raw =
            j < n && s[j] == QLatin1Char('R') && j + 1 < n && s[j + 1] == QLatin1Char('"');
        if (raw) {
            const int open = int(s.indexOf(QLatin1Char('('), j + 2));
            const QString delim = s.mid(j + 2, open - j - 2);
            const QString close = QLatin1Char(')') + delim + QLatin1Char('"');
            const int end = int(s.indexOf(close, open));
            const QString body = s.mid(open + 1, end < 0 ? -1 : end - open - 1);
            out.tokens.append({Kind::Text, body, line});
            line += int(body.count(QLatin1Char('\n')));
            i = end < 0 ? n : end + int(close.size());
            continue;
        }
        if (j < n && (s[j] == QLatin1Char('"') || s[j] == QLatin1Char('\''))) {
            const QChar quote = s[j];
            QString body;
            int k = j + 1;
            while (k < n && s[k] != quote && s[k] != QLatin1Char('\n')) {
                if (s[k] == QLatin1Char('\\') && k + 1 < n) {
                    body += s[k];
                    ++k;
                }
                body += s[k];
                ++k;
            }
            out.tokens.append({quote == QLatin1Char('"') ? Kind::Text : Kind::Number, body, line});
            i = k + 1;
            continue;
        }
        if (isNameStart(c)) {
            int k = i;
            while (k < n && isNamePart(s[k])) {
                ++k;
            }
            out.tokens.append({Kind::Name, s.mid(i, k - i), line});
            i = k;
            continue;
        }
        if (c.isDigit()) {
            int k = i;
            while (k < n &&
                   (isNamePart(s[k]) || s[k] == QLatin1Char('.') || s[k] == QLatin1Char('\''))) {
                ++k;
            }
            out.tokens.append({Kind::Number, s.mid(i, k - i), line});
            i = k;
            continue;
        }
        static const char* const twoChar[] = {"::", "->", "++", "--", "+=", "-=", "==", "!=",
                                              "<=", ">=", "&&", "||", "<<", ">>", "%="};
        QString op(c);
        for (const char* t : twoChar) {
            if (s.mid(i, 2) == QLatin1String(t)) {
                op = QString::fromLatin1(t);
                break;
            }
        }
        out.tokens.append({Kind::Punct, op, line});
        i += int(op.size());
    }
    return out;
}

bool isPunct(const Token& t, const char* p) {
    return t.kind == Kind::Punct && t.text == QLatin1String(p);
}
bool isName(const Token& t, const char* name) {
    return t.kind == Kind::Name && t.text == QLatin1String(name);
}

bool readsAsSql(const QString& literal) {
    static const QRegularExpression start(
        QStringLiteral("^\\s*(SELECT|INSERT|UPDATE|DELETE|CREATE|DROP|ALTER|WITH|MERGE|TRUNCATE|"
                       "PRAGMA)\\b"));
    static const QRegularExpression inside(
        QStringLiteral("\\b(FROM|WHERE|VALUES|JOIN|ORDER BY|GROUP BY)\\b"));
    return start.match(literal).hasMatch() || inside.match(literal).hasMatch();
}

bool namesAFilter(const QString& name) {
    static const QRegularExpression re(QStringLiteral("filt(er|ro)"),
                                       QRegularExpression::CaseInsensitiveOption);
    return re.match(name).hasMatch();
}

bool namesAStatement(const QString& name) {
    static const QRegularExpression whole(
        QStringLiteral("^(statement|sql|instrucao|comando|query)(text|s)?$"),
        QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression suffix(
        QStringLiteral("[a-z](Statement|Sql|Instrucao)(Text)?$"));
    return whole.match(name).hasMatch() || suffix.match(name).hasMatch();
}

// The calls that only wrap a literal.
bool wrapsALiteral(const QString& name) {
    static const QStringList names = {"QStringLiteral",
                                      "QLatin1String",
                                      "QLatin1StringView",
                                      "QString",
                                      "QStringView",
                                      "fromLatin1",
                                      "fromUtf8",
                                      "u",
                                      "u8"};
    return names.contains(name);
}

// Names that are never a value: literal wrappers, the splicing calls themselves and
// the words of the language that may stand in an expression.
bool neverAValue(const QString& name) {
    static const QStringList names = {"QStringLiteral",
                                      "QLatin1String",
                                      "QLatin1StringView",
                                      "QLatin1Char",
                                      "QString",
                                      "QStringView",
                                      "QChar",
                                      "fromLatin1",
                                      "fromUtf8",
                                      "fromLocal8Bit",
                                      "arg",
                                      "asprintf",
                                      "true",
                                      "false",
                                      "nullptr",
                                      "const",
                                      "auto",
                                      "static_cast",
                                      "u",
                                      "u8"};
    return names.contains(name);
}

class Scanner {
public:
    Scanner(const QString& file, const Source& source)
        : file_(file)
        , src_(source)
        , t_(source.tokens) {}

    QList<Finding> run() {
        const int n = int(t_.size());
        for (int i = 0; i < n; ++i) {
            const Token& tok = t_[i];
            if (tok.kind == Kind::Name && i + 1 < n && isPunct(t_[i + 1], "(") &&
                (tok.text == QLatin1String("setFilter") ||
                 tok.text == QLatin1String("setFilterText"))) {
                check(i + 2, matching(i + 1), QStringLiteral("filtro"));
            } else if (tok.kind == Kind::Name && i + 1 < n && namesAFilter(tok.text) &&
                       (isPunct(t_[i + 1], "=") || isPunct(t_[i + 1], "+="))) {
                check(i + 2, statementEnd(i + 2), QStringLiteral("filtro"));
            } else if (tok.kind == Kind::Name && i + 1 < n && isPunct(t_[i + 1], "(") &&
                       (tok.text == QLatin1String("exec") ||
                        tok.text == QLatin1String("prepare"))) {
                check(i + 2, matching(i + 1), QStringLiteral("instrução"));
            } else if (tok.kind == Kind::Text && readsAsSql(tok.text)) {
                const auto [from, to] = expressionAround(i);
                check(from, to, QStringLiteral("instrução"));
            } else if (tok.kind == Kind::Name && namesAStatement(tok.text) && i + 2 < n &&
                       ((isPunct(t_[i + 1], ".") && isName(t_[i + 2], "arg")) ||
                        isPunct(t_[i + 1], "+="))) {
                // statement.arg(...) or statement += ...
                const int end =
                    isPunct(t_[i + 1], "+=") ? statementEnd(i + 2) : expressionAround(i).second;
                check(i, end, QStringLiteral("instrução"), i);
            }
        }
        return findings_;
    }

private:
    // Index of the token that closes the bracket at `open` (or the end).
    int matching(int open) const {
        int depth = 0;
        for (int k = open; k < t_.size(); ++k) {
            if (isPunct(t_[k], "(") || isPunct(t_[k], "[") || isPunct(t_[k], "{")) {
                ++depth;
            } else if (isPunct(t_[k], ")") || isPunct(t_[k], "]") || isPunct(t_[k], "}")) {
                if (--depth == 0) {
                    return k;
                }
            }
        }
        return int(t_.size());
    }

    int statementEnd(int from) const {
        int depth = 0;
        for (int k = from; k < t_.size(); ++k) {
            if (isPunct(t_[k], "(") || isPunct(t_[k], "[") || isPunct(t_[k], "{")) {
                ++depth;
            } else if (isPunct(t_[k], ")") || isPunct(t_[k], "]") || isPunct(t_[k], "}")) {
                if (--depth < 0) {
                    return k;
                }
            } else if (depth == 0 && (isPunct(t_[k], ";") || isPunct(t_[k], ","))) {
                return k;
            }
        }
        return int(t_.size());
    }

    // The whole expression the token stands in, at its own nesting level: bounded by an
    // opening bracket, a comma, an assignment, "return" or the end of the statement.
    static bool endsStatement(const Token& t) {
        return isPunct(t, ";") || isPunct(t, "{") || isPunct(t, "}");
    }

    std::pair<int, int> expressionAround(int i) const {
        int from = i;
        int depth = 0;
        for (int k = i - 1; k >= 0; --k) {
            const Token& t = t_[k];
            if (endsStatement(t)) {
                break;
            }
            if (isPunct(t, ")") || isPunct(t, "]")) {
                ++depth;
            } else if (isPunct(t, "(") || isPunct(t, "[")) {
                if (depth == 0) {
                    // A literal's own wrapper is part of the expression.
                    if (k > 0 && t_[k - 1].kind == Kind::Name && wrapsALiteral(t_[k - 1].text)) {
                        from = k - 1;
                        --k;
                        continue;
                    }
                    break;
                }
                --depth;
            } else if (depth == 0 && (isPunct(t, ",") || isPunct(t, "=") || isPunct(t, "+=") ||
                                      isPunct(t, "<<") || isName(t, "return"))) {
                break;
            }
            from = k;
        }
        // Brackets opened by the wrappers walked into on the left stay open on the right.
        depth = 0;
        for (int k = from; k < i; ++k) {
            if (isPunct(t_[k], "(") || isPunct(t_[k], "[")) {
                ++depth;
            } else if (isPunct(t_[k], ")") || isPunct(t_[k], "]")) {
                --depth;
            }
        }
        int to = i + 1;
        for (; to < t_.size(); ++to) {
            const Token& t = t_[to];
            if (endsStatement(t)) {
                break;
            }
            if (isPunct(t, "(") || isPunct(t, "[")) {
                ++depth;
            } else if (isPunct(t, ")") || isPunct(t, "]")) {
                if (--depth < 0) {
                    break;
                }
            } else if (depth <= 0 && isPunct(t, ",")) {
                break;
            }
        }
        return {from, to};
    }

    bool marked(int fromLine, int toLine) const {
        for (const int l : src_.markerLines) {
            if (l >= fromLine - 1 && l <= toLine) {
                return true;
            }
        }
        return false;
    }

    QString codeOf(int from, int to) const {
        QStringList parts;
        for (int k = from; k < to && k < t_.size(); ++k) {
            const Token& t = t_[k];
            parts << (t.kind == Kind::Text ? QLatin1Char('"') + t.text + QLatin1Char('"') : t.text);
        }
        return parts.join(QLatin1Char(' '));
    }

    // Checks the tokens [from, to) of an expression that makes a statement or a filter;
    // `statementName` is the token of a statement variable the expression is built on.
    void check(int from, int to, const QString& what, int statementName = -1) {
        bool spliced = false;
        int arguments = 0;
        QStringList values;
        for (int k = from; k < to; ++k) {
            const Token& t = t_[k];
            if (t.kind == Kind::Name &&
                (t.text == QLatin1String("filterLiteral") ||
                 (t.text == QLatin1String("number") && k >= 2 && isPunct(t_[k - 1], "::") &&
                  isName(t_[k - 2], "QString"))) &&
                k + 1 < to && isPunct(t_[k + 1], "(")) {
                k = matching(k + 1); // a quoted or numeric piece: safe as it is
                continue;
            }
            if (t.kind == Kind::Punct) {
                const bool binary =
                    k > from && (t_[k - 1].kind != Kind::Punct || isPunct(t_[k - 1], ")") ||
                                 isPunct(t_[k - 1], "]"));
                if ((t.text == QLatin1String("+") || t.text == QLatin1String("%")) && binary) {
                    spliced = true;
                } else if (t.text == QLatin1String("+=")) {
                    spliced = true;
                }
                continue;
            }
            if (t.kind != Kind::Name) {
                continue;
            }
            if (t.text == QLatin1String("arg") && k > from && isPunct(t_[k - 1], ".")) {
                spliced = true;
                ++arguments;
                continue;
            }
            if (t.text == QLatin1String("asprintf")) {
                spliced = true;
                continue;
            }
            const bool member = k > from && (isPunct(t_[k - 1], ".") || isPunct(t_[k - 1], "->"));
            const bool qualifier = k + 1 < to && isPunct(t_[k + 1], "::");
            if (k == statementName || member || qualifier || neverAValue(t.text)) {
                continue;
            }
            values << t.text;
        }
        if (!spliced) {
            return;
        }
        QString reason;
        if (arguments > 1 && chainedArg(from, to)) {
            reason = (what == QLatin1String("filtro") ? QStringLiteral("filtro montado")
                                                      : QStringLiteral("instrução montada")) +
                     QStringLiteral(" com .arg encadeado: um \"%1\" no primeiro valor seria "
                                    "substituído de novo");
        } else if (!values.isEmpty()) {
            reason = what == QLatin1String("filtro")
                         ? QStringLiteral("filtro montado com valores sem filterLiteral: %1")
                               .arg(values.join(QStringLiteral(", ")))
                         : QStringLiteral("instrução montada com valores em vez de parâmetros: %1")
                               .arg(values.join(QStringLiteral(", ")));
        } else {
            return;
        }
        const int firstLine = t_[from < t_.size() ? from : t_.size() - 1].line;
        const int lastLine = t_[to - 1 < t_.size() ? to - 1 : t_.size() - 1].line;
        if (marked(firstLine, lastLine)) {
            return;
        }
        for (const Finding& f : std::as_const(findings_)) {
            if (f.line == firstLine) {
                return; // one finding a line
            }
        }
        findings_.append({file_, firstLine, reason, codeOf(from, to)});
    }

    // True when an .arg( call is applied to the result of another .arg( call.
    bool chainedArg(int from, int to) const {
        for (int k = from; k + 2 < to; ++k) {
            if (isPunct(t_[k], ")") && isPunct(t_[k + 1], ".") && isName(t_[k + 2], "arg")) {
                // Is the bracket closed here that of an .arg( call?
                int depth = 0;
                for (int b = k; b >= from; --b) {
                    if (isPunct(t_[b], ")")) {
                        ++depth;
                    } else if (isPunct(t_[b], "(") && --depth == 0) {
                        if (b >= 2 && isName(t_[b - 1], "arg") && isPunct(t_[b - 2], ".")) {
                            return true;
                        }
                        break;
                    }
                }
            }
        }
        return false;
    }

    QString file_;
    const Source& src_;
    const QList<Token>& t_;
    QList<Finding> findings_;
};

} // namespace

QList<Finding> scanSource(const QString& file, const QString& text) {
    const Source source = tokenize(text);
    return Scanner(file, source).run();
}

QList<Allowed> parseAllowList(const QString& text) {
    QList<Allowed> out;
    for (const QString& raw : text.split(QLatin1Char('\n'))) {
        const QString line = raw.trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char('#'))) {
            continue;
        }
        const int bar = int(line.indexOf(QLatin1Char('|')));
        if (bar < 0) {
            continue;
        }
        out.append({line.left(bar).trimmed(), line.mid(bar + 1).trimmed()});
    }
    return out;
}

} // namespace tmk::scan
