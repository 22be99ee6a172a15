#include "external/common.h"
#include "suite/common/decimal_text.h"

#include <cmath>

namespace tmk {

// Truncates a money amount to two decimals on its shortest decimal text, so that a
// binary tail never costs a cent: the text keeps the sign, the integer part and at
// most two decimals; "9999" right after them marks a value such as 2.0099999999
// that stands for 2.01, and one cent is added away from zero.
double Trunc2(double valor) {
    if (!std::isfinite(valor)) {
        return valor;
    }
    if (std::fabs(valor) < 0.001) {
        return 0.0;
    }
    const QString text = shortestDecimalText(valor);
    const qsizetype p = text.indexOf(QLatin1Char('.')) + 1; // 1-based, 0 when absent
    if (p == 0) {
        return valor;
    }
    QString kept = text.left(p + 2);
    const bool negative = text.startsWith(QLatin1Char('-'));
    if (text.mid(p + 2, 4) == QLatin1String("9999")) {
        // Add one cent on the digits themselves: no binary error on the way.
        QString digits = kept.mid(negative ? 1 : 0);
        const qsizetype dot = digits.indexOf(QLatin1Char('.'));
        QString cents = digits.left(dot) + digits.mid(dot + 1).leftJustified(2, QLatin1Char('0'));
        qlonglong c = cents.toLongLong() + 1;
        const QString cs = QString::number(c).rightJustified(3, QLatin1Char('0'));
        kept = (negative ? QStringLiteral("-") : QString()) + cs.chopped(2) + QLatin1Char('.') +
               cs.right(2);
    }
    const double result = decimalTextValue(kept);
    return result == 0.0 ? 0.0 : result; // no negative zero
}

// Rounds half away from zero on the value's shortest decimal text, so 2.675 (held in
// binary as 2.67499999...) gives 2.68 as the operator expects.
double RoundDec(double valor, int casas) {
    if (!std::isfinite(valor)) {
        return valor;
    }
    const double result = decimalTextValue(roundDecimalText(shortestDecimalText(valor), casas));
    return result == 0.0 ? 0.0 : result;
}

} // namespace tmk
