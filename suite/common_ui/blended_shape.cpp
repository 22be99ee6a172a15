
#include "external/widgets.h"

#include <QPainter>

namespace tmk {

TBlendedShape::TBlendedShape(QWidget* parent)
    : QWidget(parent) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
}

void TBlendedShape::setRadius(int radius) {
    radius_ = qMax(0, radius);
    update();
}

void TBlendedShape::setColor(const QColor& color) {
    if (color.isValid()) {
        color_ = color;
        update();
    }
}

void TBlendedShape::setOutline(bool on) {
    outline_ = on;
    update();
}

void TBlendedShape::setOutlineColor(const QColor& color) {
    if (color.isValid()) {
        outlineColor_ = color;
        update();
    }
}

void TBlendedShape::paintEvent(QPaintEvent* /*event*/) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF shape = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    const qreal r = qMin<qreal>(radius_, qMin(shape.width(), shape.height()) / 2.0);
    p.setPen(outline_ ? QPen(outlineColor_, 1) : QPen(Qt::NoPen));
    p.setBrush(color_);
    p.drawRoundedRect(shape, r, r);
}

} // namespace tmk
