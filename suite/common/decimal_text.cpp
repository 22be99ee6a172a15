#include "suite/common/decimal_text.h"

#include <QLocale>

namespace tmk {

QString shortestDecimalText(double value) {
    // 'e' with 14 decimals: the 15 significant digits, correctly rounded, C locale.
    const QString sci = QString::number(value, 'e', 14);
    const bool negative = sci.startsWith(QLatin1Char('-'));
    const qsizetype start = negative ? 1 : 0;
    const qsizetype e = sci.indexOf(QLatin1Char('e'));
    QString digits = sci.mid(start, 1) + sci.mid(start + 2, e - start - 2);
    const int exponent = sci.mid(e + 1).toInt();
    while (digits.size() > 1 && digits.endsWith(QLatin1Char('0'))) {
        digits.chop(1);
    }
    if (digits == QLatin1String("0")) {
        return QStringLiteral("0");
    }
    QString integerPart;
    QString fraction;
    if (exponent >= 0) {
        const qsizetype intDigits = exponent + 1;
        if (digits.size() <= intDigits) {
            integerPart = digits + QString(intDigits - digits.size(), QLatin1Char('0'));
        } else {
            integerPart = digits.left(intDigits);
            fraction = digits.mid(intDigits);
        }
    } else {
        integerPart = QStringLiteral("0");
        fraction = QString(-exponent - 1, QLatin1Char('0')) + digits;
    }
    QString text = negative ? QStringLiteral("-") : QString();
    text += integerPart;
    if (!fraction.isEmpty()) {
        text += QLatin1Char('.') + fraction;
    }
    return text;
}

double decimalTextValue(const QString& text) {
    bool ok = false;
    const double v = QLocale::c().toDouble(text, &ok);
    return ok ? v : 0.0;
}

namespace {

// Adds one unit in the last place to a string of decimal digits.
QString incrementDigits(QString digits) {
    qsizetype i = digits.size() - 1;
    while (i >= 0) {
        if (digits.at(i) == QLatin1Char('9')) {
            digits[i] = QLatin1Char('0');
            --i;
        } else {
            digits[i] = QChar(digits.at(i).unicode() + 1);
            return digits;
        }
    }
    return QLatin1Char('1') + digits;
}

} // namespace

QString roundDecimalText(const QString& text, int decimals) {
    const bool negative = text.startsWith(QLatin1Char('-'));
    const QString body = negative ? text.mid(1) : text;
    const qsizetype dot = body.indexOf(QLatin1Char('.'));
    QString integerPart = dot < 0 ? body : body.left(dot);
    QString fraction = dot < 0 ? QString() : body.mid(dot + 1);

    // Negative decimals round to tens, hundreds...: move digits into the fraction.
    int shift = 0;
    if (decimals < 0) {
        shift = -decimals;
        if (integerPart.size() < shift) {
            integerPart = QString(shift - integerPart.size(), QLatin1Char('0')) + integerPart;
        }
        fraction = integerPart.right(shift) + fraction;
        integerPart.chop(shift);
        decimals = 0;
    }
    if (fraction.size() <= decimals) {
        return text;
    }
    const bool up = fraction.at(decimals) >= QLatin1Char('5');
    QString kept = integerPart + fraction.left(decimals);
    if (up) {
        kept = incrementDigits(kept);
    }
    const qsizetype intLen = kept.size() - decimals;
    QString result = kept.left(intLen);
    if (result.isEmpty()) {
        result = QStringLiteral("0");
    }
    result += QString(shift, QLatin1Char('0'));
    const QString frac = kept.mid(intLen);
    if (!frac.isEmpty()) {
        result += QLatin1Char('.') + frac;
    }
    bool allZero = true;
    for (const QChar c : result) {
        if (c != QLatin1Char('0') && c != QLatin1Char('.')) {
            allZero = false;
            break;
        }
    }
    if (negative && !allZero) {
        result.prepend(QLatin1Char('-'));
    }
    return result;
}

} // namespace tmk
