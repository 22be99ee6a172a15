#pragma once

#include <QAbstractButton>
#include <QColor>
#include <QPixmap>

namespace tmk {

// The screen's rounded button: a rounded rectangle in the face colour (circular ends
// when the radius reaches half the height), the caption centred and wrapped in the
// text colour and the widget's font, an optional picture above the caption, and an
// optional solid outline. Pressed it is drawn darker; disabled, light grey with grey
// text. It takes no keyboard focus (the screen's keys go to the screen).
class TBlendedBitBtn : public QAbstractButton {
    Q_OBJECT

public:
    static constexpr QRgb kDisabledFace = 0xFFD3D3D3; // light grey
    static constexpr QRgb kDisabledText = 0xFF808080;

    explicit TBlendedBitBtn(QWidget* parent = nullptr);
    explicit TBlendedBitBtn(const QString& caption, QWidget* parent = nullptr);

    int radius() const { return radius_; }
    void setRadius(int radius);
    QColor faceColor() const { return face_; }
    void setFaceColor(const QColor& color);
    QColor textColor() const { return text_; }
    void setTextColor(const QColor& color);
    const QPixmap& picture() const { return picture_; }
    void setPicture(const QPixmap& picture);
    bool outline() const { return outline_; }
    void setOutline(bool on);
    QColor outlineColor() const { return outlineColor_; }
    void setOutlineColor(const QColor& color);
    int outlineWidth() const { return outlineWidth_; }
    void setOutlineWidth(int width);

    // The face colour as drawn in the current state (pressed, disabled or plain).
    QColor currentFaceColor() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    int radius_ = 10;
    QColor face_ = QColor(0x2F, 0x6E, 0xBA);
    QColor text_ = Qt::white;
    QPixmap picture_;
    bool outline_ = false;
    QColor outlineColor_ = Qt::black;
    int outlineWidth_ = 1;
};

} // namespace tmk
