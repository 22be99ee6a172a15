#pragma once

#include <QDateTime>
#include <QString>

namespace tmk {

// Money and quantities of the fiscal documents. Amounts are computed in whole cents
// so that adding many items never drifts; doubles only come in and go out.

// The amount in cents, rounded to the nearest cent (12.345 held as 12.3449999 -> 1235
// is avoided: the shortest decimal text of the value is what is rounded).
qint64 toCents(double amount);
double fromCents(qint64 cents);

// "1234.50": the text fiscal XML files carry (two decimals, '.' separator).
QString xmlAmount(qint64 cents);
// A quantity or rate with a fixed number of decimals, '.' separator ("1.5000").
QString xmlDecimal(double value, int decimals);

// "R$ 1.234,50" (pt_BR, thousands grouped, minus sign before the symbol's number).
QString reais(qint64 cents);
// "1.234,50" without the currency symbol.
QString brAmount(qint64 cents);
// A quantity as printed on a receipt: "2", "0,455", "1,5" (up to three decimals).
QString brQuantity(double quantity);
// "08/12/2026 14:05:09".
QString brDateTime(const QDateTime& dateTime);

// Reads an amount written either way, "1234.5", "1.234,50", "1234,50" or "12", as
// the nearest value; false in *ok (and 0) for an empty or malformed text.
double parseAmountText(const QString& text, bool* ok = nullptr);

} // namespace tmk
