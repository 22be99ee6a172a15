#pragma once

#include <QColor>
#include <QtGlobal>

namespace tmk {

// Colours as the till's layout stores them: a number 0x00BBGGRR (red in the low
// byte). Numbers with the high byte 0xFF name a system colour by its index (button
// face 15, button text 18, window 5, window text 8, highlight 13, highlight text 14,
// grey text 17), taken from the application's palette. Anything else, among them
// "none" (0x1FFFFFFF) and "default" (0x20000000), gives an invalid QColor: the
// widget then keeps its own colour.
QColor colorFromNumber(quint32 number);
// The number of an opaque colour (its alpha is dropped).
quint32 colorToNumber(const QColor& color);

} // namespace tmk
