#include "suite/dialogs/busy_notice.h"

#include "suite/dialogs/suite_dialogs.h"
#include "suite/dialogs/touch_style.h"

#include <QApplication>
#include <QLabel>
#include <QScreen>
#include <QVBoxLayout>

namespace tmk {

BusyNotice::BusyNotice(QWidget* over)
    : QFrame(over, Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
    , over_(over) {
    setObjectName(QStringLiteral("wndAguarde"));
    setFrameShape(QFrame::Box);
    setLineWidth(2);
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, QColor(255, 250, 225));
    p.setColor(QPalette::WindowText, QColor(40, 40, 40));
    setPalette(p);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(28, 22, 28, 22);
    label_ = headerLabel(QString(), QStringLiteral("lblAviso"), this);
    label_->setAlignment(Qt::AlignCenter);
    label_->setWordWrap(false);
    layout->addWidget(label_);
    setMinimumWidth(420);
}

void BusyNotice::setText(const QString& text) {
    label_->setText(text);
    const QMargins m = layout()->contentsMargins();
    setFixedSize(qMax(420, label_->sizeHint().width() + m.left() + m.right() + 2 * lineWidth()),
                 label_->sizeHint().height() + m.top() + m.bottom() + 2 * lineWidth());
}

QString BusyNotice::text() const {
    return label_->text();
}

void BusyNotice::showNow() {
    QRect area;
    if (over_ && over_->isVisible()) {
        area = QRect(over_->mapToGlobal(QPoint(0, 0)), over_->size());
    } else if (QScreen* s = QApplication::primaryScreen()) {
        area = s->availableGeometry();
    }
    if (area.isValid()) {
        move(area.center() - rect().center());
    }
    show();
    raise();
    repaint();
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

// ------------------------------------------------------------------ the library's calls

void SuiteDialogs::AtivaProcesso(QWidget* tela, const QString& aviso, int /*a3*/, int /*a4*/) {
    if (!busy_) {
        busy_ = new BusyNotice(tela ? tela : dialogParent());
    }
    busy_->setText(aviso);
    busy_->showNow();
}

void SuiteDialogs::DesativaProcesso() {
    if (busy_) {
        busy_->hide();
        busy_->deleteLater();
        busy_ = nullptr;
    }
}

} // namespace tmk
