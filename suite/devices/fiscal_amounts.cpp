#include "suite/devices/fiscal_amounts.h"

#include "suite/common/decimal_text.h"

#include <QRegularExpression>
#include <cmath>
#include <cstdlib>

namespace tmk {

qint64 toCents(double amount) {
    if (!std::isfinite(amount)) {
        return 0;
    }
    return qint64(
        std::llround(decimalTextValue(roundDecimalText(shortestDecimalText(amount), 2)) * 100.0));
}

double fromCents(qint64 cents) {
    return double(cents) / 100.0;
}

QString xmlAmount(qint64 cents) {
    const qint64 whole = std::llabs(cents);
    return QStringLiteral("%1%2.%3")
        .arg(cents < 0 ? QStringLiteral("-") : QString())
        .arg(whole / 100)
        .arg(whole % 100, 2, 10, QLatin1Char('0'));
}

QString xmlDecimal(double value, int decimals) {
    const QString rounded = roundDecimalText(shortestDecimalText(value), decimals);
    if (decimals <= 0) {
        return rounded;
    }
    const qsizetype dot = rounded.indexOf(QLatin1Char('.'));
    const QString integer = dot < 0 ? rounded : rounded.left(dot);
    const QString fraction = dot < 0 ? QString() : rounded.mid(dot + 1);
    return integer + QLatin1Char('.') + fraction.leftJustified(decimals, QLatin1Char('0'));
}

QString brAmount(qint64 cents) {
    const qint64 whole = std::llabs(cents);
    QString integer = QString::number(whole / 100);
    for (qsizetype i = integer.size() - 3; i > 0; i -= 3) {
        integer.insert(i, QLatin1Char('.'));
    }
    return QStringLiteral("%1%2,%3")
        .arg(cents < 0 ? QStringLiteral("-") : QString(), integer)
        .arg(whole % 100, 2, 10, QLatin1Char('0'));
}

QString reais(qint64 cents) {
    return QStringLiteral("R$ ") + brAmount(cents);
}

QString brQuantity(double quantity) {
    QString text = roundDecimalText(shortestDecimalText(quantity), 3);
    if (text.contains(QLatin1Char('.'))) {
        while (text.endsWith(QLatin1Char('0'))) {
            text.chop(1);
        }
        if (text.endsWith(QLatin1Char('.'))) {
            text.chop(1);
        }
    }
    text.replace(QLatin1Char('.'), QLatin1Char(','));
    return text;
}

QString brDateTime(const QDateTime& dateTime) {
    return dateTime.toString(QStringLiteral("dd/MM/yyyy HH:mm:ss"));
}

double parseAmountText(const QString& text, bool* ok) {
    static const QRegularExpression plain(QStringLiteral("^-?\\d+(\\.\\d+)?$"));
    static const QRegularExpression comma(QStringLiteral("^-?\\d+(,\\d+)?$"));
    static const QRegularExpression grouped(QStringLiteral("^-?\\d{1,3}(\\.\\d{3})+(,\\d+)?$"));
    QString t = text.trimmed();
    bool good = true;
    if (plain.match(t).hasMatch()) {
        // already in the C form
    } else if (comma.match(t).hasMatch()) {
        t.replace(QLatin1Char(','), QLatin1Char('.'));
    } else if (grouped.match(t).hasMatch()) {
        t.remove(QLatin1Char('.'));
        t.replace(QLatin1Char(','), QLatin1Char('.'));
    } else {
        good = false;
    }
    if (ok) {
        *ok = good;
    }
    return good ? decimalTextValue(t) : 0.0;
}

} // namespace tmk
