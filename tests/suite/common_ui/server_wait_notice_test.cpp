#include "suite/common_ui/server_wait_notice.h"

#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QPixmap>
#include <QSet>
#include <gtest/gtest.h>

namespace tmk {
namespace {

// The colours of a picture, to tell a painted text from an empty box.
int colours(const QImage& image) {
    QSet<QRgb> seen;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            seen.insert(image.pixel(x, y));
        }
    }
    return int(seen.size());
}

TEST(ServerWaitNotice, ShowsTheServerAndTheLimitWhileItLives) {
    const QString server = QStringLiteral("PostgreSQL em 10.0.0.5:5432 (banco restaurante)");
    {
        ServerWaitNotice notice(server, 5);
        QLabel& w = notice.window();
        EXPECT_TRUE(w.isVisible());
        EXPECT_TRUE(w.isWindow());
        EXPECT_EQ(w.text(), QStringLiteral("Aguardando o servidor de banco de dados PostgreSQL em "
                                           "10.0.0.5:5432 (banco restaurante), por até 5 s..."));
        // The whole text fits in the window.
        EXPECT_GE(w.height(), w.heightForWidth(w.width()));
        const QImage picture = w.grab().toImage();
        EXPECT_EQ(picture.size(), w.size());
        EXPECT_GT(colours(picture), 4) << "the text is painted";
        const QString saveTo = qEnvironmentVariable("TMK_PICTURES");
        if (!saveTo.isEmpty()) {
            picture.save(saveTo + QStringLiteral("/aviso_servidor.png"));
        }
    }
    for (QWidget* w : QApplication::topLevelWidgets()) {
        EXPECT_FALSE(w->isVisible() && qobject_cast<QLabel*>(w)) << "the notice is gone";
    }
}

} // namespace
} // namespace tmk
