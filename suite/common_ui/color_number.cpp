
#include "external/widgets.h"

#include <QGuiApplication>
#include <QPalette>

namespace tmk {

namespace {

QColor systemColor(quint32 index) {
    const QPalette palette = QGuiApplication::palette();
    switch (index) {
    case 5:
        return palette.color(QPalette::Base);
    case 8:
        return palette.color(QPalette::Text);
    case 13:
        return palette.color(QPalette::Highlight);
    case 14:
        return palette.color(QPalette::HighlightedText);
    case 15:
        return palette.color(QPalette::Button);
    case 17:
        return palette.color(QPalette::Disabled, QPalette::Text);
    case 18:
        return palette.color(QPalette::ButtonText);
    default:
        return {};
    }
}

} // namespace

QColor colorFromNumber(quint32 number) {
    const quint32 high = number >> 24;
    if (high == 0) {
        return QColor(int(number & 0xFF), int((number >> 8) & 0xFF), int((number >> 16) & 0xFF));
    }
    if (high == 0xFF) {
        return systemColor(number & 0x00FFFFFF);
    }
    return {};
}

quint32 colorToNumber(const QColor& color) {
    const QColor rgb = color.toRgb();
    return quint32(rgb.red()) | (quint32(rgb.green()) << 8) | (quint32(rgb.blue()) << 16);
}

} // namespace tmk
