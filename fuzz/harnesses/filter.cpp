// Dataset filters: any text either parses or is refused with a message; what parses
// evaluates on every row, and NOT of it evaluates to the opposite. Any text quoted
// with filterLiteral compares equal to itself only.
#include "fuzz/harnesses.h"
#include "platform/errors.h"
#include "platform/filter_expression.h"

#include <QDateTime>
#include <QString>
#include <limits>
#include <memory>

namespace tmk::fuzz {

namespace {

const char* const kName = "filter";

const QList<FieldDef>& fields() {
    static const QList<FieldDef> f = {
        {QStringLiteral("CDPRODUTO"), FieldType::Text, 20},
        {QStringLiteral("IDCONFIGPROD"), FieldType::Text, 3},
        {QStringLiteral("IDTIPORECE"), FieldType::Text, 1},
        {QStringLiteral("CDBANCARTCR"), FieldType::Text, 10},
        {QStringLiteral("NRORDEM"), FieldType::Integer, 0},
        {QStringLiteral("VRPRECO"), FieldType::Float, 0},
        {QStringLiteral("DTHRINCMOV"), FieldType::DateTime, 0},
        {QStringLiteral("BOATIVO"), FieldType::Boolean, 0},
        {QStringLiteral("NRBUTTONAUX"), FieldType::Text, 2},
        {QStringLiteral("NRPGCONFTELA"), FieldType::Integer, 0},
    };
    return f;
}

const QList<QVariantList>& rows() {
    static const QList<QVariantList> r = {
        {QStringLiteral("X"), QStringLiteral("CON"), QStringLiteral("1"), QStringLiteral("VISA"),
         1LL, 12.5, QDateTime(QDate(2024, 3, 15), QTime(13, 45, 30)), true, QStringLiteral("01"),
         1LL},
        {QStringLiteral("D'AGUA"), QStringLiteral(" "), QStringLiteral("2"), QString(), -7LL, -0.0,
         QDateTime(QDate(1, 1, 1), QTime(0, 0)), false, QStringLiteral("%1"), 2LL},
        {QVariant(), QVariant(), QVariant(), QVariant(), QVariant(), QVariant(), QVariant(),
         QVariant(), QVariant(), QVariant()},
        {QStringLiteral("ação 🍺"), QStringLiteral("CAR"), QStringLiteral("9"),
         QStringLiteral("ELO"), std::numeric_limits<qlonglong>::max(), 1e308,
         QDateTime(QDate(9999, 12, 31), QTime(23, 59, 59, 999)), true, QStringLiteral("99"),
         std::numeric_limits<qlonglong>::min()},
    };
    return r;
}

std::unique_ptr<FilterExpression> parsed(const QString& text) {
    try {
        return std::make_unique<FilterExpression>(text, fields());
    } catch (const AppError&) {
        return nullptr;
    }
}

} // namespace

int filter(const std::uint8_t* data, std::size_t size) {
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    if (const auto f = parsed(text)) {
        const auto negated = text.trimmed().isEmpty()
                                 ? nullptr
                                 : parsed(QStringLiteral("NOT (") + text + QStringLiteral(")"));
        for (const QVariantList& row : rows()) {
            const bool m = f->matches(row);
            if (negated && negated->matches(row) == m) {
                broken(kName, "NOT of the expression gives the same answer");
            }
        }
    }

    const QString quoted = QStringLiteral("CDPRODUTO = ") + filterLiteral(text);
    const auto literal = parsed(quoted);
    if (!literal) {
        broken(kName, "a quoted literal was refused", quoted.toUtf8().constData());
    }
    QVariantList row = rows().front();
    row[0] = text;
    if (!literal->matches(row)) {
        broken(kName, "a quoted literal does not match its own text");
    }
    row[0] = text + QLatin1Char('x');
    if (literal->matches(row)) {
        broken(kName, "a quoted literal matches another text");
    }
    return 0;
}

} // namespace tmk::fuzz
