#include "suite/common_ui/server_wait_notice.h"

#include <QApplication>
#include <QLabel>
#include <QScreen>

namespace tmk {

QString ServerWaitNotice::text(const QString& server, int seconds) {
    return QStringLiteral("Aguardando o servidor de banco de dados %1, por até %2 s...")
        .arg(server, QString::number(seconds));
}

ServerWaitNotice::ServerWaitNotice(const QString& server, int seconds)
    : window_(std::make_unique<QLabel>(text(server, seconds))) {
    QLabel& w = *window_;
    w.setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
    w.setWindowTitle(QApplication::applicationName());
    w.setAlignment(Qt::AlignCenter);
    w.setWordWrap(true);
    w.setMargin(24);
    w.setFrameStyle(QFrame::Box | QFrame::Plain);
    w.setLineWidth(2);
    QFont font = w.font();
    font.setPointSize(12);
    w.setFont(font);
    w.setStyleSheet(QStringLiteral("QLabel { background: #FFF8E1; color: #202020; }"));
    w.setFixedWidth(480);
    w.adjustSize();
    if (const QScreen* screen = QApplication::primaryScreen()) {
        w.move(screen->availableGeometry().center() - w.rect().center());
    }
    w.show();
    w.raise();
    // The connection that follows blocks the thread: paint now.
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    w.repaint();
}

ServerWaitNotice::~ServerWaitNotice() {
    window_->close();
}

} // namespace tmk
