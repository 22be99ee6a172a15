
#include "external/widgets.h"

#include <QApplication>
#include <QImage>
#include <QPalette>
#include <gtest/gtest.h>

namespace tmk {
namespace {

TEST(ColorNumber, LowByteIsRed) {
    EXPECT_EQ(colorFromNumber(0x000000FF), QColor(255, 0, 0));
    EXPECT_EQ(colorFromNumber(0x0000FF00), QColor(0, 255, 0));
    EXPECT_EQ(colorFromNumber(0x00FF0000), QColor(0, 0, 255));
    EXPECT_EQ(colorFromNumber(0x00C08040), QColor(0x40, 0x80, 0xC0));
    EXPECT_EQ(colorToNumber(QColor(0x40, 0x80, 0xC0)), 0x00C08040u);
    for (const quint32 n : {0x00000000u, 0x00FFFFFFu, 0x0012AB34u}) {
        EXPECT_EQ(colorToNumber(colorFromNumber(n)), n) << std::hex << n;
    }
}

TEST(ColorNumber, SystemColoursAndSpecialValues) {
    EXPECT_EQ(colorFromNumber(0xFF00000F), QGuiApplication::palette().color(QPalette::Button));
    EXPECT_EQ(colorFromNumber(0xFF000012), QGuiApplication::palette().color(QPalette::ButtonText));
    EXPECT_FALSE(colorFromNumber(0xFF0000FE).isValid()) << "unknown system colour";
    EXPECT_FALSE(colorFromNumber(0x1FFFFFFF).isValid()) << "none";
    EXPECT_FALSE(colorFromNumber(0x20000000).isValid()) << "default";
}

QImage picture(QWidget& w) {
    return w.grab().toImage().convertToFormat(QImage::Format_RGB32);
}

const QColor kFace(0xC0, 0x20, 0x20);

class BlendedButton : public ::testing::Test {
protected:
    void SetUp() override {
        button.setFaceColor(kFace);
        button.setTextColor(Qt::white);
        button.setRadius(8);
        button.resize(120, 60);
    }
    TBlendedBitBtn button{QStringLiteral("Mesa")};
    // A point of the face clear of the caption.
    const QPoint face{10, 30};
};

TEST_F(BlendedButton, PressedIsDarkerAndDisabledIsLightGrey) {
    const QColor plain = picture(button).pixelColor(face);
    EXPECT_EQ(plain, kFace);

    button.setDown(true);
    const QColor pressed = picture(button).pixelColor(face);
    button.setDown(false);
    EXPECT_NE(pressed, plain);
    EXPECT_LT(pressed.value(), plain.value());

    button.setEnabled(false);
    const QColor disabled = picture(button).pixelColor(face);
    EXPECT_EQ(disabled, QColor::fromRgb(TBlendedBitBtn::kDisabledFace));
    EXPECT_NE(disabled, plain);
    EXPECT_NE(disabled, pressed);
    EXPECT_EQ(button.currentFaceColor(), disabled);
}

TEST_F(BlendedButton, RadiusRoundsTheCornersUpToACircle) {
    button.setRadius(0);
    EXPECT_EQ(picture(button).pixelColor(1, 1), kFace) << "square corner";
    button.setRadius(8);
    EXPECT_NE(picture(button).pixelColor(1, 1), kFace) << "rounded corner";
    EXPECT_EQ(picture(button).pixelColor(1, 30), kFace) << "straight side";

    button.setText(QString());
    button.resize(60, 60);
    button.setRadius(200); // more than half the height: a circle
    const QImage img = picture(button);
    EXPECT_NE(img.pixelColor(8, 8), kFace);
    EXPECT_EQ(img.pixelColor(30, 30), kFace);
    EXPECT_EQ(img.pixelColor(2, 30), kFace);
    EXPECT_EQ(img.pixelColor(30, 2), kFace);
}

TEST_F(BlendedButton, SolidOutline) {
    button.setOutline(true);
    button.setOutlineColor(Qt::black);
    button.setOutlineWidth(2);
    const QImage img = picture(button);
    EXPECT_EQ(img.pixelColor(60, 0), QColor(Qt::black));
    EXPECT_EQ(img.pixelColor(face), kFace);
}

TEST_F(BlendedButton, PictureSitsAboveTheCaption) {
    QPixmap pix(16, 16);
    pix.fill(QColor(0, 255, 0));
    button.setPicture(pix);
    button.resize(120, 80);
    const QImage img = picture(button);
    int greenTop = 0;
    int greenBottom = 0;
    for (int y = 0; y < img.height(); ++y) {
        for (int x = 0; x < img.width(); ++x) {
            if (img.pixelColor(x, y) == QColor(0, 255, 0)) {
                (y < img.height() / 2 ? greenTop : greenBottom)++;
            }
        }
    }
    EXPECT_GT(greenTop, 100);
    EXPECT_EQ(greenBottom, 0);
    EXPECT_GT(button.sizeHint().height(), 16);
}

TEST_F(BlendedButton, ClicksAndKeepsNoFocus) {
    int clicks = 0;
    QObject::connect(&button, &QAbstractButton::clicked, [&] { ++clicks; });
    button.click();
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(button.focusPolicy(), Qt::NoFocus);
    button.setEnabled(false);
    button.click();
    EXPECT_EQ(clicks, 1);
}

TEST(BlendedShape, RoundedAndTransparentToTouches) {
    TBlendedShape shape;
    shape.setColor(QColor(0x30, 0x60, 0x90));
    shape.setRadius(12);
    shape.resize(200, 100);
    const QImage img = picture(shape);
    EXPECT_EQ(img.pixelColor(100, 50), QColor(0x30, 0x60, 0x90));
    EXPECT_NE(img.pixelColor(1, 1), QColor(0x30, 0x60, 0x90));
    EXPECT_TRUE(shape.testAttribute(Qt::WA_TransparentForMouseEvents));
}

} // namespace
} // namespace tmk
