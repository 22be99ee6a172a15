#pragma once

#include <QColor>
#include <QWidget>

namespace tmk {

// The rounded decorative rectangle behind a group of buttons. It lets touches and
// clicks through to the widgets underneath.
class TBlendedShape : public QWidget {
    Q_OBJECT

public:
    explicit TBlendedShape(QWidget* parent = nullptr);

    int radius() const { return radius_; }
    void setRadius(int radius);
    QColor color() const { return color_; }
    void setColor(const QColor& color);
    bool outline() const { return outline_; }
    void setOutline(bool on);
    QColor outlineColor() const { return outlineColor_; }
    void setOutlineColor(const QColor& color);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int radius_ = 12;
    QColor color_ = QColor(0xE6, 0xE6, 0xE6);
    bool outline_ = false;
    QColor outlineColor_ = QColor(0x80, 0x80, 0x80);
};

} // namespace tmk
