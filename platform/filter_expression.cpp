#include "platform/filter_expression.h"

#include "platform/errors.h"

#include <QDateTime>
#include <vector>

namespace tmk {

namespace {

enum class TokenKind { Name, Text, Number, Compare, Minus, Open, Close, End };
enum class CompareOp { Eq, Ne, Lt, Gt, Le, Ge };
enum class Keyword { None, And, Or, Not, Is, Null, True, False };

struct Token {
    TokenKind kind = TokenKind::End;
    QString text; // name, literal text or number as written
    CompareOp op = CompareOp::Eq;
    Keyword keyword = Keyword::None;
    int pos = 0;
};

Keyword keywordOf(const QString& word) {
    static const struct {
        const char* text;
        Keyword keyword;
    } keywords[] = {{"AND", Keyword::And},    {"OR", Keyword::Or},     {"NOT", Keyword::Not},
                    {"IS", Keyword::Is},      {"NULL", Keyword::Null}, {"TRUE", Keyword::True},
                    {"FALSE", Keyword::False}};
    for (const auto& k : keywords) {
        if (word.compare(QLatin1String(k.text), Qt::CaseInsensitive) == 0) {
            return k.keyword;
        }
    }
    return Keyword::None;
}

// How the two sides of a comparison are compared; fixed when parsing.
enum class CompareKind { Text, Integer, Float, DateTime, Boolean };

struct Operand {
    int field = -1;    // column index, or -1 for a constant
    QVariant constant; // already in the representation of the comparison
};

} // namespace

// And and Or hold their terms side by side, so a long chain neither recurses per term
// when evaluated nor when freed; only NOT and parentheses nest, and they are limited.
struct FilterExpression::Node {
    enum class Kind { And, Or, Not, Compare, IsNull };
    Kind kind = Kind::Compare;
    std::vector<std::unique_ptr<Node>> terms; // And, Or: two or more; Not: one
    Operand a;
    Operand b;
    CompareOp op = CompareOp::Eq;
    CompareKind compareKind = CompareKind::Text;
    bool negate = false; // IS NOT NULL
};

namespace {

using Node = FilterExpression::Node;

class Parser {
public:
    Parser(const QString& text, const QList<FieldDef>& fields)
        : text_(text)
        , fields_(fields) {
        tokenize();
    }

    std::unique_ptr<Node> parse() {
        if (tokens_.front().kind == TokenKind::End) {
            return nullptr;
        }
        auto node = parseOr();
        if (peek().kind != TokenKind::End) {
            fail(unexpected(peek()));
        }
        return node;
    }

private:
    // A literal as written, before it meets the type of the other side.
    struct Literal {
        enum class Kind { Text, Number, Boolean } kind = Kind::Text;
        QString text;
        bool boolean = false;
    };
    struct Side {
        int field = -1;
        Literal literal;
        int pos = 0;
    };

    [[noreturn]] void fail(const QString& reason) const {
        throw AppError(QStringLiteral("Filtro inválido \"%1\": %2.").arg(shownText(), reason));
    }

    // The expression as quoted in errors: a huge one is cut, saying how long it was.
    QString shownText() const {
        constexpr int kShown = 200;
        if (text_.size() <= kShown) {
            return text_;
        }
        return QStringLiteral("%1… (%2 caracteres)")
            .arg(text_.left(kShown), QString::number(text_.size()));
    }

    // Opens one level of NOT or parentheses; refused beyond the limit, before the
    // parser's own recursion could exhaust the stack.
    void enterLevel(const Token& at) {
        if (++depth_ > FilterExpression::kMaxDepth) {
            fail(QStringLiteral("expressão aninhada em mais de %1 níveis (posição %2)")
                     .arg(FilterExpression::kMaxDepth)
                     .arg(at.pos + 1));
        }
    }

    static QString unexpected(const Token& t) {
        return QStringLiteral("\"%1\" inesperado na posição %2")
            .arg(t.text, QString::number(t.pos + 1));
    }

    void tokenize() {
        const int n = int(text_.size());
        int i = 0;
        while (true) {
            while (i < n && text_[i].isSpace()) {
                ++i;
            }
            Token t;
            t.pos = i;
            if (i >= n) {
                t.kind = TokenKind::End;
                tokens_.append(t);
                return;
            }
            const QChar c = text_[i];
            if (c == QLatin1Char('\'')) {
                QString value;
                ++i;
                bool closed = false;
                while (i < n) {
                    if (text_[i] == QLatin1Char('\'')) {
                        if (i + 1 < n && text_[i + 1] == QLatin1Char('\'')) {
                            value += QLatin1Char('\'');
                            i += 2;
                            continue;
                        }
                        ++i;
                        closed = true;
                        break;
                    }
                    value += text_[i++];
                }
                if (!closed) {
                    fail(QStringLiteral("texto sem aspas de fechamento a partir da posição %1")
                             .arg(t.pos + 1));
                }
                t.kind = TokenKind::Text;
                t.text = value;
            } else if (c == QLatin1Char('[')) {
                const int close = int(text_.indexOf(QLatin1Char(']'), i + 1));
                if (close < 0) {
                    fail(QStringLiteral("nome de campo sem \"]\" a partir da posição %1")
                             .arg(t.pos + 1));
                }
                t.kind = TokenKind::Name;
                t.text = text_.mid(i + 1, close - i - 1).trimmed();
                i = close + 1;
            } else if (c.isDigit() ||
                       (c == QLatin1Char('.') && i + 1 < n && text_[i + 1].isDigit())) {
                const int start = i;
                while (i < n && text_[i].isDigit()) {
                    ++i;
                }
                if (i < n && text_[i] == QLatin1Char('.')) {
                    ++i;
                    while (i < n && text_[i].isDigit()) {
                        ++i;
                    }
                }
                if (i < n && (text_[i] == QLatin1Char('e') || text_[i] == QLatin1Char('E'))) {
                    int j = i + 1;
                    if (j < n && (text_[j] == QLatin1Char('+') || text_[j] == QLatin1Char('-'))) {
                        ++j;
                    }
                    if (j < n && text_[j].isDigit()) {
                        i = j;
                        while (i < n && text_[i].isDigit()) {
                            ++i;
                        }
                    }
                }
                if (i < n && (text_[i].isLetter() || text_[i] == QLatin1Char('_'))) {
                    fail(QStringLiteral("número malformado na posição %1").arg(start + 1));
                }
                t.kind = TokenKind::Number;
                t.text = text_.mid(start, i - start);
            } else if (c.isLetter() || c == QLatin1Char('_')) {
                const int start = i;
                while (i < n && (text_[i].isLetterOrNumber() || text_[i] == QLatin1Char('_'))) {
                    ++i;
                }
                t.kind = TokenKind::Name;
                t.text = text_.mid(start, i - start);
                t.keyword = keywordOf(t.text);
            } else if (c == QLatin1Char('=')) {
                t.kind = TokenKind::Compare;
                t.op = CompareOp::Eq;
                t.text = QStringLiteral("=");
                ++i;
            } else if (c == QLatin1Char('<')) {
                t.kind = TokenKind::Compare;
                ++i;
                if (i < n && text_[i] == QLatin1Char('>')) {
                    t.op = CompareOp::Ne;
                    ++i;
                } else if (i < n && text_[i] == QLatin1Char('=')) {
                    t.op = CompareOp::Le;
                    ++i;
                } else {
                    t.op = CompareOp::Lt;
                }
                t.text = text_.mid(t.pos, i - t.pos);
            } else if (c == QLatin1Char('>')) {
                t.kind = TokenKind::Compare;
                ++i;
                if (i < n && text_[i] == QLatin1Char('=')) {
                    t.op = CompareOp::Ge;
                    ++i;
                } else {
                    t.op = CompareOp::Gt;
                }
                t.text = text_.mid(t.pos, i - t.pos);
            } else if (c == QLatin1Char('-')) {
                t.kind = TokenKind::Minus;
                t.text = QStringLiteral("-");
                ++i;
            } else if (c == QLatin1Char('(')) {
                t.kind = TokenKind::Open;
                t.text = QStringLiteral("(");
                ++i;
            } else if (c == QLatin1Char(')')) {
                t.kind = TokenKind::Close;
                t.text = QStringLiteral(")");
                ++i;
            } else {
                fail(QStringLiteral("caractere \"%1\" inesperado na posição %2")
                         .arg(QString(c))
                         .arg(i + 1));
            }
            tokens_.append(t);
        }
    }

    const Token& peek() const { return tokens_[next_]; }
    const Token& take() {
        const Token& t = tokens_[next_];
        if (t.kind != TokenKind::End) {
            ++next_;
        }
        return t;
    }
    bool isKeyword(Keyword k) const {
        return peek().kind == TokenKind::Name && peek().keyword == k;
    }

    // A chain of terms joined by one operator, gathered into one node.
    template <typename ParseTerm>
    std::unique_ptr<Node> parseChain(Keyword keyword, Node::Kind kind, ParseTerm parseTerm) {
        auto first = parseTerm();
        if (!isKeyword(keyword)) {
            return first;
        }
        auto node = std::make_unique<Node>();
        node->kind = kind;
        node->terms.push_back(std::move(first));
        while (isKeyword(keyword)) {
            take();
            node->terms.push_back(parseTerm());
        }
        return node;
    }

    std::unique_ptr<Node> parseOr() {
        return parseChain(Keyword::Or, Node::Kind::Or, [this] { return parseAnd(); });
    }

    std::unique_ptr<Node> parseAnd() {
        return parseChain(Keyword::And, Node::Kind::And, [this] { return parseNot(); });
    }

    std::unique_ptr<Node> parseNot() {
        if (isKeyword(Keyword::Not)) {
            enterLevel(take());
            auto node = std::make_unique<Node>();
            node->kind = Node::Kind::Not;
            node->terms.push_back(parseNot());
            --depth_;
            return node;
        }
        if (peek().kind == TokenKind::Open) {
            enterLevel(take());
            auto inner = parseOr();
            if (peek().kind == TokenKind::End) {
                fail(QStringLiteral("falta \")\""));
            }
            if (peek().kind != TokenKind::Close) {
                fail(QStringLiteral("esperado \")\" na posição %1").arg(peek().pos + 1));
            }
            take();
            --depth_;
            return inner;
        }
        return parseComparison();
    }

    std::unique_ptr<Node> parseComparison() {
        const Side a = parseOperand();
        if (isKeyword(Keyword::Is)) {
            take();
            auto node = std::make_unique<Node>();
            node->kind = Node::Kind::IsNull;
            if (isKeyword(Keyword::Not)) {
                take();
                node->negate = true;
            }
            if (!isKeyword(Keyword::Null)) {
                if (peek().kind == TokenKind::End) {
                    fail(QStringLiteral("expressão incompleta"));
                }
                fail(QStringLiteral("esperado NULL na posição %1").arg(peek().pos + 1));
            }
            take();
            if (a.field < 0) {
                fail(QStringLiteral("IS NULL exige um campo (posição %1)").arg(a.pos + 1));
            }
            node->a.field = a.field;
            return node;
        }
        if (peek().kind == TokenKind::End) {
            fail(QStringLiteral("expressão incompleta"));
        }
        if (peek().kind != TokenKind::Compare) {
            fail(QStringLiteral("esperado operador de comparação na posição %1")
                     .arg(peek().pos + 1));
        }
        const CompareOp op = take().op;
        const Side b = parseOperand();
        auto node = std::make_unique<Node>();
        node->kind = Node::Kind::Compare;
        node->op = op;
        resolveTypes(a, b, *node);
        return node;
    }

    Side parseOperand() {
        const Token& t = take();
        Side side;
        side.pos = t.pos;
        switch (t.kind) {
        case TokenKind::End:
            fail(QStringLiteral("expressão incompleta"));
        case TokenKind::Text:
            side.literal.kind = Literal::Kind::Text;
            side.literal.text = t.text;
            return side;
        case TokenKind::Number:
            side.literal.kind = Literal::Kind::Number;
            side.literal.text = t.text;
            return side;
        case TokenKind::Minus: {
            const Token& number = take();
            if (number.kind != TokenKind::Number) {
                if (number.kind == TokenKind::End) {
                    fail(QStringLiteral("expressão incompleta"));
                }
                fail(unexpected(number));
            }
            side.literal.kind = Literal::Kind::Number;
            side.literal.text = QLatin1Char('-') + number.text;
            return side;
        }
        case TokenKind::Name:
            if (t.keyword == Keyword::True || t.keyword == Keyword::False) {
                side.literal.kind = Literal::Kind::Boolean;
                side.literal.boolean = t.keyword == Keyword::True;
                side.literal.text = t.text;
                return side;
            }
            if (t.keyword != Keyword::None) {
                fail(unexpected(t));
            }
            side.field = fieldIndex(t.text);
            if (side.field < 0) {
                fail(QStringLiteral("campo %1 não existe").arg(t.text));
            }
            return side;
        case TokenKind::Compare:
        case TokenKind::Open:
        case TokenKind::Close:
            break;
        }
        fail(unexpected(t));
    }

    int fieldIndex(const QString& name) const {
        for (int i = 0; i < fields_.size(); ++i) {
            if (fields_[i].name.compare(name, Qt::CaseInsensitive) == 0) {
                return i;
            }
        }
        return -1;
    }

    static bool isNumeric(FieldType t) { return t == FieldType::Integer || t == FieldType::Float; }

    // Decides how the sides compare and converts a literal side to that form.
    void resolveTypes(const Side& a, const Side& b, Node& node) {
        if (a.field >= 0 && b.field >= 0) {
            const FieldDef& fa = fields_[a.field];
            const FieldDef& fb = fields_[b.field];
            if (fa.type == fb.type) {
                node.compareKind = kindOfField(fa.type);
            } else if (isNumeric(fa.type) && isNumeric(fb.type)) {
                node.compareKind = CompareKind::Float;
            } else {
                fail(QStringLiteral("os campos %1 (%2) e %3 (%4) não são comparáveis")
                         .arg(fa.name, fieldTypeName(fa.type), fb.name, fieldTypeName(fb.type)));
            }
            node.a.field = a.field;
            node.b.field = b.field;
            return;
        }
        if (a.field < 0 && b.field < 0) {
            if (a.literal.kind != b.literal.kind) {
                fail(QStringLiteral("valores de tipos diferentes na posição %1").arg(a.pos + 1));
            }
            switch (a.literal.kind) {
            case Literal::Kind::Text:
                node.compareKind = CompareKind::Text;
                node.a.constant = a.literal.text;
                node.b.constant = b.literal.text;
                return;
            case Literal::Kind::Boolean:
                node.compareKind = CompareKind::Boolean;
                node.a.constant = a.literal.boolean;
                node.b.constant = b.literal.boolean;
                return;
            case Literal::Kind::Number:
                node.compareKind = CompareKind::Float;
                node.a.constant = numberOf(a.literal, nullptr);
                node.b.constant = numberOf(b.literal, nullptr);
                return;
            }
        }
        const bool fieldFirst = a.field >= 0;
        const Side& fieldSide = fieldFirst ? a : b;
        const Side& literalSide = fieldFirst ? b : a;
        const FieldDef& def = fields_[fieldSide.field];
        QVariant constant;
        node.compareKind = literalFor(def, literalSide.literal, constant);
        Operand f;
        f.field = fieldSide.field;
        Operand c;
        c.constant = constant;
        node.a = fieldFirst ? f : c;
        node.b = fieldFirst ? c : f;
    }

    static CompareKind kindOfField(FieldType t) {
        switch (t) {
        case FieldType::Text:
            return CompareKind::Text;
        case FieldType::Integer:
            return CompareKind::Integer;
        case FieldType::Float:
            return CompareKind::Float;
        case FieldType::Boolean:
            return CompareKind::Boolean;
        case FieldType::DateTime:
            return CompareKind::DateTime;
        }
        return CompareKind::Text;
    }

    // The number a literal denotes; `integral` tells whether it is a whole number
    // that fits 64 bits.
    QVariant numberOf(const Literal& lit, bool* integral) const {
        bool ok = false;
        const qlonglong whole = lit.text.toLongLong(&ok);
        if (ok) {
            if (integral) {
                *integral = true;
            }
            return whole;
        }
        const double d = lit.text.toDouble(&ok);
        if (!ok || !qIsFinite(d)) {
            return {};
        }
        if (integral) {
            *integral = false;
        }
        return d;
    }

    [[noreturn]] void badLiteral(const FieldDef& def, const Literal& lit) const {
        fail(QStringLiteral("valor %1 inválido para o campo %2 (%3)")
                 .arg(lit.kind == Literal::Kind::Text
                          ? QLatin1Char('\'') + lit.text + QLatin1Char('\'')
                          : lit.text,
                      def.name, fieldTypeName(def.type)));
    }

    CompareKind literalFor(const FieldDef& def, const Literal& lit, QVariant& constant) const {
        switch (def.type) {
        case FieldType::Text:
            if (lit.kind == Literal::Kind::Boolean) {
                badLiteral(def, lit);
            }
            constant = lit.text;
            return CompareKind::Text;
        case FieldType::Integer:
        case FieldType::Float: {
            if (lit.kind == Literal::Kind::Boolean) {
                badLiteral(def, lit);
            }
            if (lit.kind == Literal::Kind::Text && lit.text.trimmed().isEmpty()) {
                constant = QVariant(); // compares false with everything
                return kindOfField(def.type);
            }
            Literal trimmed = lit;
            trimmed.text = lit.text.trimmed();
            bool integral = false;
            constant = numberOf(trimmed, &integral);
            if (!constant.isValid()) {
                badLiteral(def, lit);
            }
            if (def.type == FieldType::Integer && integral) {
                return CompareKind::Integer;
            }
            constant = constant.toDouble();
            return CompareKind::Float;
        }
        case FieldType::DateTime:
        case FieldType::Boolean: {
            if (def.type == FieldType::DateTime && lit.kind != Literal::Kind::Text) {
                badLiteral(def, lit);
            }
            QVariant source;
            if (lit.kind == Literal::Kind::Boolean) {
                source = lit.boolean;
            } else if (lit.kind == Literal::Kind::Number) {
                bool integral = false;
                source = numberOf(lit, &integral);
                if (!integral) {
                    badLiteral(def, lit);
                }
            } else {
                source = lit.text;
            }
            try {
                constant = coerceToFieldType(source, def.type, def.name);
            } catch (const AppError&) {
                badLiteral(def, lit);
            }
            return kindOfField(def.type);
        }
        }
        badLiteral(def, lit);
    }

    const QString& text_;
    const QList<FieldDef>& fields_;
    QList<Token> tokens_;
    int next_ = 0;
    int depth_ = 0; // open NOT and parentheses
};

template <typename T>
bool applyOp(CompareOp op, const T& a, const T& b) {
    switch (op) {
    case CompareOp::Eq:
        return a == b;
    case CompareOp::Ne:
        return a != b;
    case CompareOp::Lt:
        return a < b;
    case CompareOp::Gt:
        return b < a;
    case CompareOp::Le:
        return !(b < a);
    case CompareOp::Ge:
        return !(a < b);
    }
    return false;
}

const QVariant& valueOf(const Operand& o, const QVariantList& row) {
    static const QVariant null;
    if (o.field < 0) {
        return o.constant;
    }
    return o.field < row.size() ? row[o.field] : null;
}

// Values are normally held in the representation of their comparison; they are
// read in place then, and converted otherwise.
template <typename T>
T held(const QVariant& v) {
    if (v.metaType() == QMetaType::fromType<T>()) {
        return *static_cast<const T*>(v.constData());
    }
    return v.value<T>();
}

bool evaluate(const Node& node, const QVariantList& row) {
    switch (node.kind) {
    case Node::Kind::And:
        for (const auto& term : node.terms) {
            if (!evaluate(*term, row)) {
                return false;
            }
        }
        return true;
    case Node::Kind::Or:
        for (const auto& term : node.terms) {
            if (evaluate(*term, row)) {
                return true;
            }
        }
        return false;
    case Node::Kind::Not:
        return !evaluate(*node.terms.front(), row);
    case Node::Kind::IsNull: {
        const QVariant& v = valueOf(node.a, row);
        const bool isNull = !v.isValid() || v.isNull();
        return node.negate ? !isNull : isNull;
    }
    case Node::Kind::Compare:
        break;
    }
    const QVariant& a = valueOf(node.a, row);
    const QVariant& b = valueOf(node.b, row);
    if (!a.isValid() || !b.isValid() || a.isNull() || b.isNull()) {
        return false;
    }
    switch (node.compareKind) {
    case CompareKind::Text: {
        const bool direct =
            a.metaType().id() == QMetaType::QString && b.metaType().id() == QMetaType::QString;
        const int c = direct ? static_cast<const QString*>(a.constData())
                                   ->compare(*static_cast<const QString*>(b.constData()))
                             : a.toString().compare(b.toString());
        return applyOp(node.op, c, 0);
    }
    case CompareKind::Integer:
        return applyOp(node.op, held<qlonglong>(a), held<qlonglong>(b));
    case CompareKind::Float:
        return applyOp(node.op, held<double>(a), held<double>(b));
    case CompareKind::DateTime:
        return applyOp(node.op, held<QDateTime>(a), held<QDateTime>(b));
    case CompareKind::Boolean:
        return applyOp(node.op, int(held<bool>(a)), int(held<bool>(b)));
    }
    return false;
}

} // namespace

FilterExpression::FilterExpression(const QString& text, const QList<FieldDef>& fields)
    : text_(text) {
    Parser parser(text_, fields);
    root_ = parser.parse();
}

FilterExpression::~FilterExpression() = default;

QString filterLiteral(const QString& value) {
    QString quoted = value;
    quoted.replace(QLatin1Char('\''), QLatin1String("''"));
    return QLatin1Char('\'') + quoted + QLatin1Char('\'');
}

bool FilterExpression::matches(const QVariantList& row) const {
    return !root_ || evaluate(*root_, row);
}

} // namespace tmk
