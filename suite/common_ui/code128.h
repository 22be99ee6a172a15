#pragma once

#include <QList>
#include <QString>

namespace tmk::code128 {

// Symbol values of a Code 128 barcode for printable ASCII text (32..126): the start
// symbol, the data (code set C for runs of four or more digits, B otherwise), the
// check symbol and the stop symbol. Throws AppError for an empty text or a character
// outside that range.
QList<int> symbols(const QString& text);

// The modules of the symbols, '1' for a bar and '0' for a space (11 per symbol, 13
// for the stop symbol), without quiet zones.
QString modules(const QList<int>& symbols);

} // namespace tmk::code128
