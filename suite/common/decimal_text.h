#pragma once

#include <QString>

namespace tmk {

// The decimal text of a finite value with at most 15 significant digits, shortest
// form (no trailing zeros), always in plain fixed notation (never an exponent) and
// with '.' as separator whatever the machine's locale: 12.349 -> "12.349",
// 1e20 -> "100000000000000000000", 1e-5 -> "0.00001", 2.0 -> "2".
QString shortestDecimalText(double value);

// Reads a plain decimal text ("-12.34", "7") back as the nearest value.
double decimalTextValue(const QString& text);

// Rounds a plain decimal text to the given decimals, half away from zero, on its
// digits (no binary error): ("2.675", 2) -> "2.68", ("-0.5", 0) -> "-1".
QString roundDecimalText(const QString& text, int decimals);

} // namespace tmk
