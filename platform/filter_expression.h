#pragma once

#include "platform/data_packet.h"

#include <QList>
#include <QString>
#include <QVariant>
#include <memory>

namespace tmk {

// A dataset filter, parsed once against the columns it refers to and then
// evaluated per row.
//
// Grammar (keywords in any letter case, blanks anywhere between tokens):
//   expr       := term { OR term }
//   term       := factor { AND factor }
//   factor     := NOT factor | '(' expr ')' | comparison
//   comparison := operand ( '=' | '<>' | '<' | '>' | '<=' | '>=' ) operand
//               | operand IS [NOT] NULL
//   operand    := field name | [field name] | 'text' ('' inside is a quote)
//               | number | TRUE | FALSE
//
// A field compared with a literal compares in the field's type: texts exactly
// (letter case counts), numbers numerically, date-times with a literal written
// 'dd/MM/yyyy[ HH:mm[:ss]]' or 'yyyy-MM-dd[ HH:mm:ss]', booleans with TRUE, FALSE,
// 'S', 'N', 1 or 0. A number compared with a text field compares as written.
// Any comparison with a null value is false; only IS NULL sees nulls.
// NOT and parentheses nest at most kMaxDepth levels; chains of AND and OR may be
// of any length.
class FilterExpression {
public:
    static constexpr int kMaxDepth = 100;

    // Throws AppError `Filtro inválido "<text>": <reason>.` when the text is not a
    // valid expression over these fields (a text of more than 200 characters is cut
    // in the message).
    FilterExpression(const QString& text, const QList<FieldDef>& fields);
    ~FilterExpression();
    FilterExpression(const FilterExpression&) = delete;
    FilterExpression& operator=(const FilterExpression&) = delete;

    const QString& text() const { return text_; }

    // True when the row (values in field order) satisfies the expression. An
    // empty expression accepts every row.
    bool matches(const QVariantList& row) const;

    struct Node;

private:
    QString text_;
    std::unique_ptr<Node> root_;
};

// A text as a literal of a filter expression: between single quotes, a quote inside
// doubled. Every value that goes into a filter text is put there through it.
QString filterLiteral(const QString& value);

} // namespace tmk
