
#include "external/widgets.h"

#include <QEvent>
#include <QFontMetrics>
#include <QPainter>
#include <QPainterPath>

namespace tmk {

namespace {

constexpr int kPadding = 4;
constexpr int kSpacing = 2;

} // namespace

TBlendedBitBtn::TBlendedBitBtn(QWidget* parent)
    : QAbstractButton(parent) {
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_Hover, false);
}

TBlendedBitBtn::TBlendedBitBtn(const QString& caption, QWidget* parent)
    : TBlendedBitBtn(parent) {
    setText(caption);
}

void TBlendedBitBtn::setRadius(int radius) {
    radius_ = qMax(0, radius);
    update();
}

void TBlendedBitBtn::setFaceColor(const QColor& color) {
    if (color.isValid()) {
        face_ = color;
        update();
    }
}

void TBlendedBitBtn::setTextColor(const QColor& color) {
    if (color.isValid()) {
        text_ = color;
        update();
    }
}

void TBlendedBitBtn::setPicture(const QPixmap& picture) {
    picture_ = picture;
    updateGeometry();
    update();
}

void TBlendedBitBtn::setOutline(bool on) {
    outline_ = on;
    update();
}

void TBlendedBitBtn::setOutlineColor(const QColor& color) {
    if (color.isValid()) {
        outlineColor_ = color;
        update();
    }
}

void TBlendedBitBtn::setOutlineWidth(int width) {
    outlineWidth_ = qMax(1, width);
    update();
}

QColor TBlendedBitBtn::currentFaceColor() const {
    if (!isEnabled()) {
        return QColor::fromRgb(kDisabledFace);
    }
    if (isDown() || isChecked()) {
        return face_.darker(140);
    }
    return face_;
}

QSize TBlendedBitBtn::sizeHint() const {
    const QFontMetrics fm(font());
    const QSize textSize = fm.size(Qt::TextShowMnemonic, text());
    int w = textSize.width();
    int h = textSize.height();
    if (!picture_.isNull()) {
        const QSize pic = picture_.deviceIndependentSize().toSize();
        w = qMax(w, pic.width());
        h += pic.height() + (text().isEmpty() ? 0 : kSpacing);
    }
    const int pad = 2 * (kPadding + (outline_ ? outlineWidth_ : 0));
    return {w + pad + radius_ / 2, h + pad};
}

QSize TBlendedBitBtn::minimumSizeHint() const {
    return {2 * kPadding + 8, 2 * kPadding + 8};
}

void TBlendedBitBtn::changeEvent(QEvent* event) {
    if (event->type() == QEvent::EnabledChange || event->type() == QEvent::FontChange) {
        update();
    }
    QAbstractButton::changeEvent(event);
}

void TBlendedBitBtn::paintEvent(QPaintEvent* /*event*/) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);

    const qreal half = outline_ ? outlineWidth_ / 2.0 : 0.0;
    const QRectF shape = QRectF(rect()).adjusted(half, half, -half, -half);
    const qreal r = qMin<qreal>(radius_, qMin(shape.width(), shape.height()) / 2.0);
    if (outline_) {
        p.setPen(QPen(isEnabled() ? outlineColor_ : QColor::fromRgb(kDisabledText), outlineWidth_));
    } else {
        p.setPen(Qt::NoPen);
    }
    p.setBrush(currentFaceColor());
    p.drawRoundedRect(shape, r, r);

    // Contents stay inside the straight part of the shape.
    const int inset = kPadding + (outline_ ? outlineWidth_ : 0) + int(r * 0.3);
    QRect content = rect().adjusted(inset, kPadding, -inset, -kPadding);
    const QFontMetrics fm(font());
    if (!picture_.isNull()) {
        const int textBlock = text().isEmpty() ? 0 : fm.height() + kSpacing;
        const QSize room(content.width(), qMax(0, content.height() - textBlock));
        QSize pic = picture_.deviceIndependentSize().toSize();
        if (pic.width() > room.width() || pic.height() > room.height()) {
            pic.scale(room, Qt::KeepAspectRatio);
        }
        const int top = content.top() + (content.height() - pic.height() - textBlock) / 2;
        const QRect target(content.left() + (content.width() - pic.width()) / 2, top, pic.width(),
                           pic.height());
        p.setOpacity(isEnabled() ? 1.0 : 0.4);
        p.drawPixmap(target, picture_);
        p.setOpacity(1.0);
        content.setTop(target.bottom() + 1 + kSpacing);
    }
    if (!text().isEmpty()) {
        p.setFont(font());
        p.setPen(isEnabled() ? text_ : QColor::fromRgb(kDisabledText));
        const int flags = Qt::TextWordWrap | Qt::TextShowMnemonic |
                          (picture_.isNull() ? Qt::AlignCenter : Qt::AlignHCenter | Qt::AlignTop);
        p.drawText(content, flags, text());
    }
}

} // namespace tmk
