#pragma once

// The common library's rounded buttons and shapes of the screens, and the colour
// numbers of the till's layout.
#include <QAbstractButton>
#include <QColor>
#include <QPixmap>
#include <QWidget>
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
