#include "platform/errors.h"
#include "platform/filter_expression.h"

#include <QDateTime>
#include <gtest/gtest.h>

using namespace tmk;

namespace {

const QList<FieldDef> kFields = {
    {QStringLiteral("CDPRODUTO"), FieldType::Text, 10},
    {QStringLiteral("IDCONFIGPROD"), FieldType::Text, 3},
    {QStringLiteral("IDTIPORECE"), FieldType::Text, 1},
    {QStringLiteral("CDBANCARTCR"), FieldType::Text, 10},
    {QStringLiteral("NRORDEM"), FieldType::Integer, 0},
    {QStringLiteral("VRPRECO"), FieldType::Float, 0},
    {QStringLiteral("DTHRINCMOV"), FieldType::DateTime, 0},
    {QStringLiteral("BOATIVO"), FieldType::Boolean, 0},
    {QStringLiteral("NRMAXIMO"), FieldType::Integer, 0},
};

// Row in the order of kFields; omitted trailing values are null.
QVariantList row(QVariant produto, QVariant config = {}, QVariant tipo = {}, QVariant bandeira = {},
                 QVariant ordem = {}, QVariant preco = {}, QVariant data = {}, QVariant ativo = {},
                 QVariant maximo = {}) {
    return {produto, config, tipo, bandeira, ordem, preco, data, ativo, maximo};
}

bool matches(const QString& expr, const QVariantList& r) {
    return FilterExpression(expr, kFields).matches(r);
}

QString errorOf(const QString& expr) {
    try {
        FilterExpression f(expr, kFields);
    } catch (const AppError& e) {
        return e.message();
    }
    return {};
}

} // namespace

TEST(FilterExpression, TextsUsedByTheReceiptFlowParseAsWritten) {
    const QString marks = QStringLiteral("CDPRODUTO  = 'X' AND IDCONFIGPROD <>'CON'");
    EXPECT_TRUE(matches(marks, row("X", "   ")));
    EXPECT_TRUE(matches(marks, row("X", "CAR")));
    EXPECT_FALSE(matches(marks, row("X", "CON")));
    EXPECT_FALSE(matches(marks, row("Y", "CAR")));

    const QString cards =
        QStringLiteral("(IDTIPORECE = '1' OR IDTIPORECE = '2') AND CDBANCARTCR = 'VISA'");
    EXPECT_TRUE(matches(cards, row({}, {}, "1", "VISA")));
    EXPECT_TRUE(matches(cards, row({}, {}, "2", "VISA")));
    EXPECT_FALSE(matches(cards, row({}, {}, "3", "VISA")));
    EXPECT_FALSE(matches(cards, row({}, {}, "1", "MASTER")));
    // Text comparison is exact: letter case and trailing blanks count.
    EXPECT_FALSE(matches(cards, row({}, {}, "1", "visa")));
    EXPECT_FALSE(matches(cards, row({}, {}, "1", "VISA ")));
}

TEST(FilterExpression, PrecedenceNotParenthesesKeywordsAndBlanks) {
    const QVariantList r = row("A", "CON", "1");
    // AND binds tighter than OR.
    EXPECT_TRUE(
        matches(QStringLiteral("CDPRODUTO = 'A' OR CDPRODUTO = 'B' AND IDTIPORECE = '9'"), r));
    EXPECT_FALSE(
        matches(QStringLiteral("(CDPRODUTO = 'A' OR CDPRODUTO = 'B') AND IDTIPORECE = '9'"), r));
    EXPECT_FALSE(matches(QStringLiteral("NOT CDPRODUTO = 'A'"), r));
    EXPECT_TRUE(matches(QStringLiteral("not (CDPRODUTO = 'B' or IDCONFIGPROD = 'CAR')"), r));
    EXPECT_TRUE(matches(QStringLiteral("NOT NOT CDPRODUTO = 'A'"), r));
    EXPECT_TRUE(matches(QStringLiteral("\tcdproduto='A'\nAnD\r\n( IDTIPORECE='1' )"), r));
    EXPECT_TRUE(matches(QStringLiteral("[CDPRODUTO] = 'A'"), r));
    // A literal may stand on either side.
    EXPECT_TRUE(matches(QStringLiteral("'A' = CDPRODUTO"), r));
    EXPECT_TRUE(matches(QStringLiteral("'B' > CDPRODUTO"), r));
    // An escaped quote inside a literal.
    EXPECT_TRUE(matches(QStringLiteral("CDPRODUTO = 'D''AGUA'"), row("D'AGUA")));
    // An empty expression accepts every row.
    EXPECT_TRUE(matches(QStringLiteral("   "), r));
}

TEST(FilterExpression, NullValuesFailEveryComparisonButIsNull) {
    const QVariantList r = row("A"); // everything else null
    EXPECT_FALSE(matches(QStringLiteral("IDCONFIGPROD = 'CON'"), r));
    EXPECT_FALSE(matches(QStringLiteral("IDCONFIGPROD <> 'CON'"), r));
    EXPECT_FALSE(matches(QStringLiteral("NRORDEM < 5"), r));
    EXPECT_FALSE(matches(QStringLiteral("NRORDEM >= 5"), r));
    EXPECT_FALSE(matches(QStringLiteral("IDCONFIGPROD = ''"), r));
    EXPECT_TRUE(matches(QStringLiteral("IDCONFIGPROD IS NULL"), r));
    EXPECT_FALSE(matches(QStringLiteral("IDCONFIGPROD is not null"), r));
    EXPECT_TRUE(matches(QStringLiteral("CDPRODUTO IS NOT NULL AND NRORDEM IS NULL"), r));
    // NOT inverts a failed comparison (two-valued logic).
    EXPECT_TRUE(matches(QStringLiteral("NOT IDCONFIGPROD = 'CON'"), r));
    // An empty text is a value, not a null.
    EXPECT_TRUE(matches(QStringLiteral("IDCONFIGPROD = ''"), row("A", QString(""))));
    EXPECT_FALSE(matches(QStringLiteral("IDCONFIGPROD IS NULL"), row("A", QString(""))));
}

TEST(FilterExpression, NumbersCompareNumericallyOnlyInNumericFields) {
    const QVariantList r = row("10", {}, {}, {}, 10LL, 12.5);
    EXPECT_TRUE(matches(QStringLiteral("NRORDEM > 9"), r));
    EXPECT_TRUE(matches(QStringLiteral("NRORDEM = '10'"), r));
    EXPECT_TRUE(matches(QStringLiteral("NRORDEM < 10.5"), r));
    EXPECT_TRUE(matches(QStringLiteral("NRORDEM > -3"), r));
    EXPECT_TRUE(matches(QStringLiteral("VRPRECO = 12.5"), r));
    EXPECT_TRUE(matches(QStringLiteral("VRPRECO = '12.50'"), r));
    EXPECT_TRUE(matches(QStringLiteral("VRPRECO >= 12 AND VRPRECO <= 13"), r));
    EXPECT_TRUE(matches(QStringLiteral("VRPRECO > NRORDEM"), r));
    // A text field compares as text: "10" sorts before "9".
    EXPECT_TRUE(matches(QStringLiteral("CDPRODUTO < '9'"), r));
    EXPECT_TRUE(matches(QStringLiteral("CDPRODUTO < 9"), r));
    EXPECT_FALSE(matches(QStringLiteral("CDPRODUTO = 10.0"), r));
    // Whole numbers beyond double precision still compare exactly.
    const QVariantList big = row({}, {}, {}, {}, 9007199254740993LL);
    EXPECT_FALSE(matches(QStringLiteral("NRORDEM = 9007199254740992"), big));
    EXPECT_TRUE(matches(QStringLiteral("NRORDEM = 9007199254740993"), big));
    // Field against field of the same type.
    EXPECT_TRUE(
        matches(QStringLiteral("NRORDEM = NRMAXIMO"), row({}, {}, {}, {}, 4LL, {}, {}, {}, 4LL)));
}

TEST(FilterExpression, DateTimesAndBooleans) {
    const QVariantList r =
        row({}, {}, {}, {}, {}, {}, QDateTime(QDate(2024, 3, 15), QTime(13, 45, 30)), true);
    EXPECT_TRUE(matches(QStringLiteral("DTHRINCMOV >= '15/03/2024'"), r));
    EXPECT_TRUE(matches(QStringLiteral("DTHRINCMOV < '16/03/2024'"), r));
    EXPECT_TRUE(matches(QStringLiteral("DTHRINCMOV = '15/03/2024 13:45:30'"), r));
    EXPECT_TRUE(matches(QStringLiteral("DTHRINCMOV > '2024-03-15 13:45:00'"), r));
    EXPECT_FALSE(matches(QStringLiteral("DTHRINCMOV > '2024-03-15T13:45:30'"), r));
    EXPECT_TRUE(matches(QStringLiteral("BOATIVO = TRUE"), r));
    EXPECT_TRUE(matches(QStringLiteral("BOATIVO = 'S'"), r));
    EXPECT_TRUE(matches(QStringLiteral("BOATIVO <> false"), r));
    EXPECT_FALSE(matches(QStringLiteral("BOATIVO = 0"), r));
}

TEST(FilterExpression, BadExpressionsNameTheExpression) {
    EXPECT_TRUE(
        errorOf(QStringLiteral("X = ")).startsWith(QStringLiteral("Filtro inválido \"X = \": ")))
        << errorOf(QStringLiteral("X = ")).toStdString();
    EXPECT_TRUE(errorOf(QStringLiteral("CDPRODUTO = ")).contains(QStringLiteral("incompleta")));
    EXPECT_TRUE(errorOf(QStringLiteral("CDPRODUT = 'X'")).contains(QStringLiteral("CDPRODUT")));
    EXPECT_TRUE(errorOf(QStringLiteral("CDPRODUTO = 'X")).contains(QStringLiteral("aspas")));
    EXPECT_TRUE(errorOf(QStringLiteral("(CDPRODUTO = 'X'")).contains(QStringLiteral(")")));
    EXPECT_TRUE(errorOf(QStringLiteral("CDPRODUTO = 'X')")).contains(QStringLiteral("posição 16")));
    EXPECT_FALSE(errorOf(QStringLiteral("CDPRODUTO = 'X' 'Y'")).isEmpty());
    EXPECT_FALSE(errorOf(QStringLiteral("CDPRODUTO 'X'")).isEmpty());
    EXPECT_FALSE(errorOf(QStringLiteral("CDPRODUTO = 'X' AND")).isEmpty());
    EXPECT_FALSE(errorOf(QStringLiteral("CDPRODUTO == 'X'")).isEmpty());
    EXPECT_FALSE(errorOf(QStringLiteral("CDPRODUTO = 'X' ; DROP")).isEmpty());
    EXPECT_FALSE(errorOf(QStringLiteral("CDPRODUTO IS 'X'")).isEmpty());
    EXPECT_FALSE(errorOf(QStringLiteral("CDPRODUTO")).isEmpty());
    EXPECT_FALSE(errorOf(QStringLiteral("((IDTIPORECE)='1')")).isEmpty());
    // Values that cannot be of the field's type.
    EXPECT_TRUE(errorOf(QStringLiteral("NRORDEM = 'abc'")).contains(QStringLiteral("NRORDEM")));
    EXPECT_FALSE(errorOf(QStringLiteral("DTHRINCMOV = '31/02/2024'")).isEmpty());
    EXPECT_FALSE(errorOf(QStringLiteral("DTHRINCMOV = 5")).isEmpty());
    EXPECT_FALSE(errorOf(QStringLiteral("CDPRODUTO = NRORDEM")).isEmpty());
    EXPECT_FALSE(errorOf(QStringLiteral("12x = 1")).isEmpty());
}

namespace {

QString repeated(const QString& piece, int times) {
    QString s;
    s.reserve(piece.size() * times);
    for (int i = 0; i < times; ++i) {
        s += piece;
    }
    return s;
}

QString nestedInParentheses(int depth) {
    return repeated(QStringLiteral("("), depth) + QStringLiteral("CDPRODUTO = 'A'") +
           repeated(QStringLiteral(")"), depth);
}

QString negated(int times) {
    return repeated(QStringLiteral("NOT "), times) + QStringLiteral("CDPRODUTO = 'A'");
}

// Terms "NRORDEM = 0" to "NRORDEM = n-1" joined by the operator.
QString chain(const char* op, int n) {
    QStringList terms;
    terms.reserve(n);
    for (int i = 0; i < n; ++i) {
        terms << QStringLiteral("NRORDEM = %1").arg(i);
    }
    return terms.join(QLatin1Char(' ') + QLatin1String(op) + QLatin1Char(' '));
}

} // namespace

TEST(FilterExpression, NestingBeyondTheLimitIsRefusedNamingTheExpression) {
    const int limit = FilterExpression::kMaxDepth;
    const struct {
        const char* what;
        QString text;
    } cases[] = {
        {"9000 parentheses", nestedInParentheses(9000)},
        {"12000 NOT", negated(12000)},
        {"parentheses one past the limit", nestedInParentheses(limit + 1)},
        {"NOT one past the limit", negated(limit + 1)},
        {"NOT and parentheses mixed", repeated(QStringLiteral("NOT ("), limit / 2 + 1) +
                                          QStringLiteral("CDPRODUTO = 'A'") +
                                          repeated(QStringLiteral(")"), limit / 2 + 1)},
    };
    for (const auto& c : cases) {
        const QString e = errorOf(c.text);
        EXPECT_TRUE(e.startsWith(QStringLiteral("Filtro inválido \"") + c.text.left(40)))
            << c.what << ": " << e.left(300).toStdString();
        EXPECT_TRUE(e.contains(QStringLiteral("mais de %1 níveis").arg(limit)))
            << c.what << ": " << e.left(300).toStdString();
        if (c.text.size() > 200) {
            EXPECT_LT(e.size(), 400) << c.what << ": a huge expression is cut in the message";
            EXPECT_TRUE(e.contains(QStringLiteral("(%1 caracteres)").arg(c.text.size())))
                << c.what << ": " << e.left(300).toStdString();
        }
    }
}

TEST(FilterExpression, NestingUpToTheLimitIsAccepted) {
    const int limit = FilterExpression::kMaxDepth;
    EXPECT_TRUE(matches(nestedInParentheses(limit), row("A")));
    EXPECT_FALSE(matches(nestedInParentheses(limit), row("B")));
    EXPECT_EQ(matches(negated(limit), row("A")), limit % 2 == 0);
    EXPECT_EQ(matches(negated(limit - 1), row("A")), (limit - 1) % 2 == 0);
}

TEST(FilterExpression, LongChainsOfOrAndAndAreEvaluatedTermByTerm) {
    const int n = 52000;
    const FilterExpression anyOf(chain("OR", n), kFields);
    EXPECT_TRUE(anyOf.matches(row({}, {}, {}, {}, 0LL)));
    EXPECT_TRUE(anyOf.matches(row({}, {}, {}, {}, qlonglong(n - 1))));
    EXPECT_FALSE(anyOf.matches(row({}, {}, {}, {}, qlonglong(n))));
    EXPECT_FALSE(anyOf.matches(row({}, {}, {}, {}, {})));

    const FilterExpression allOf(chain("AND", n), kFields);
    EXPECT_FALSE(allOf.matches(row({}, {}, {}, {}, 0LL)));
    const FilterExpression sameTerm(
        QStringList(n, QStringLiteral("NRORDEM = 7")).join(QStringLiteral(" AND ")), kFields);
    EXPECT_TRUE(sameTerm.matches(row({}, {}, {}, {}, 7LL)));
    EXPECT_FALSE(sameTerm.matches(row({}, {}, {}, {}, 8LL)));
}

TEST(FilterExpression, FilterLiteralMatchesExactlyTheValueGiven) {
    const QString values[] = {
        QStringLiteral("X"),
        QStringLiteral("D'AGUA"),
        QStringLiteral("'"),
        QStringLiteral("''"),
        QStringLiteral("' OR CDPRODUTO <> '"),
        QStringLiteral("%1 %2"),
        QStringLiteral(""),
        QStringLiteral("a]b[c(d)e"),
        QStringLiteral("ação 🍺"),
    };
    for (const QString& v : values) {
        const QString filter = QStringLiteral("CDPRODUTO = ") + filterLiteral(v);
        EXPECT_TRUE(matches(filter, row(v))) << v.toStdString();
        EXPECT_FALSE(matches(filter, row(v + QStringLiteral("x")))) << v.toStdString();
        EXPECT_FALSE(matches(filter, row(QStringLiteral("Z")))) << v.toStdString();
    }
    EXPECT_EQ(filterLiteral(QStringLiteral("D'AGUA")), QStringLiteral("'D''AGUA'"));
}
