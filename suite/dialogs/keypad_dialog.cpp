#include "suite/dialogs/keypad_dialog.h"

#include "external/common.h"
#include "suite/dialogs/keypad_buttons.h"
#include "suite/dialogs/touch_style.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace tmk {

KeypadDialog::KeypadDialog(const QString& caption, const QString& prompt,
                           const QString& emptyMessage, int maxDigits, Notice notice,
                           QWidget* parent)
    : QDialog(parent)
    , model_(maxDigits)
    , emptyMessage_(EmptyString(emptyMessage) ? QStringLiteral("Informe um valor.") : emptyMessage)
    , notice_(std::move(notice)) {
    setObjectName(QStringLiteral("TecladoNumerico"));
    setWindowTitle(caption);
    setModal(true);
    // Wide enough for a caption and a prompt of one line each, so that the keypad fits an
    // 800 x 600 screen.
    setMinimumWidth(3 * kTouchKeyWidth + 210);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(headerLabel(caption, QStringLiteral("lblCaption"), this));
    auto* promptLabel = new QLabel(prompt, this);
    promptLabel->setObjectName(QStringLiteral("lblPrompt"));
    promptLabel->setTextFormat(Qt::PlainText);
    promptLabel->setWordWrap(true);
    QFont pf = promptLabel->font();
    pf.setPointSize(kTouchFontPoints);
    promptLabel->setFont(pf);
    layout->addWidget(promptLabel);

    valueLabel_ = new QLabel(this);
    valueLabel_->setObjectName(QStringLiteral("lblValor"));
    valueLabel_->setTextFormat(Qt::PlainText);
    valueLabel_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    valueLabel_->setFrameShape(QFrame::Box);
    valueLabel_->setMinimumHeight(kTouchKeyHeight);
    valueLabel_->setAutoFillBackground(true);
    QPalette vp = valueLabel_->palette();
    vp.setColor(QPalette::Window, Qt::white);
    vp.setColor(QPalette::WindowText, Qt::black);
    valueLabel_->setPalette(vp);
    QFont vf = valueLabel_->font();
    vf.setPointSize(kTouchFontPoints + 8);
    vf.setBold(true);
    valueLabel_->setFont(vf);
    layout->addWidget(valueLabel_);

    auto* keys = new KeypadButtons(this);
    connect(keys, &KeypadButtons::digit, this, &KeypadDialog::typeDigit);
    connect(keys, &KeypadButtons::clearAll, this, &KeypadDialog::clearValue);
    connect(keys, &KeypadButtons::backspace, this, &KeypadDialog::backspace);
    layout->addWidget(keys);

    auto* actions = new QHBoxLayout;
    QPushButton* ok = touchButton(QStringLiteral("Confirma"), QStringLiteral("btnConfirma"), this);
    QPushButton* cancel =
        touchButton(QStringLiteral("Cancela"), QStringLiteral("btnCancela"), this);
    connect(ok, &QPushButton::clicked, this, &KeypadDialog::confirm);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    actions->addWidget(ok);
    actions->addWidget(cancel);
    layout->addLayout(actions);
    refresh();
}

void KeypadDialog::typeDigit(QChar key) {
    model_.type(key);
    refresh();
}

void KeypadDialog::backspace() {
    model_.backspace();
    refresh();
}

void KeypadDialog::clearValue() {
    model_.clear();
    refresh();
}

void KeypadDialog::confirm() {
    if (model_.isEmpty()) {
        if (notice_) {
            notice_(emptyMessage_, MsgAviso);
        }
        return;
    }
    accept();
}

void KeypadDialog::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Backspace:
    case Qt::Key_Delete:
        backspace();
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        confirm();
        return;
    case Qt::Key_Escape:
        reject();
        return;
    default:
        break;
    }
    const QString text = event->text();
    if (text.size() == 1 && text.at(0).isDigit()) {
        typeDigit(text.at(0));
        return;
    }
    QDialog::keyPressEvent(event);
}

void KeypadDialog::refresh() {
    valueLabel_->setText(model_.value());
}

} // namespace tmk
