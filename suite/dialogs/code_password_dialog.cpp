#include "suite/dialogs/code_password_dialog.h"

#include "external/common.h"
#include "suite/dialogs/keypad_buttons.h"
#include "suite/dialogs/touch_style.h"

#include <QApplication>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace tmk {

namespace {

QLineEdit* touchField(const QString& objectName, QWidget* parent) {
    auto* e = new QLineEdit(parent);
    e->setObjectName(objectName);
    e->setMinimumHeight(kTouchKeyHeight - 16);
    e->setMaxLength(20);
    QFont f = e->font();
    f.setPointSize(kTouchFontPoints + 4);
    e->setFont(f);
    return e;
}

QLabel* fieldLabel(const QString& text, QWidget* parent) {
    auto* l = new QLabel(text, parent);
    QFont f = l->font();
    f.setPointSize(kTouchFontPoints);
    l->setFont(f);
    return l;
}

} // namespace

CodePasswordDialog::CodePasswordDialog(const Texts& texts, Check check, Notice notice,
                                       QWidget* parent)
    : QDialog(parent)
    , check_(std::move(check))
    , notice_(std::move(notice))
    , checksEmptyCode_(texts.checksEmptyCode) {
    setObjectName(texts.objectName);
    setWindowTitle(texts.caption);
    setModal(true);
    // Wide enough for the line under the caption to take at most two lines beside the keypad.
    setMinimumWidth(3 * kTouchKeyWidth + 440);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(headerLabel(texts.caption, QStringLiteral("lblCaption"), this));
    auto* info = new QLabel(texts.info, this);
    info->setObjectName(QStringLiteral("lblAviso"));
    info->setWordWrap(true);
    QFont infoFont = info->font();
    infoFont.setPointSize(kTouchFontPoints - 3);
    info->setFont(infoFont);
    layout->addWidget(info);

    code_ = touchField(texts.codeFieldName, this);
    code_->setText(texts.initialCode);
    password_ = touchField(QStringLiteral("edtSenha"), this);
    password_->setEchoMode(QLineEdit::Password);
    // The fields and the actions beside the keypad, so that every key keeps its full height on
    // the till's 800 x 600 screen.
    auto* body = new QHBoxLayout;
    auto* fields = new QVBoxLayout;
    auto* form = new QFormLayout;
    form->addRow(fieldLabel(texts.codeLabel, this), code_);
    form->addRow(fieldLabel(QStringLiteral("Senha"), this), password_);
    fields->addLayout(form);
    fields->addStretch(1);
    body->addLayout(fields, 1);
    layout->addLayout(body);
    // With the code already given, the keypad starts on the password.
    last_ = texts.initialCode.isEmpty() ? code_ : password_;
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
        if (now == code_ || now == password_) {
            last_ = static_cast<QLineEdit*>(now);
        }
    });
    connect(code_, &QLineEdit::returnPressed, this, [this] { password_->setFocus(); });
    connect(password_, &QLineEdit::returnPressed, this, &CodePasswordDialog::confirm);

    auto* keys = new KeypadButtons(this);
    connect(keys, &KeypadButtons::digit, this, [this](QChar key) { current()->insert(key); });
    connect(keys, &KeypadButtons::clearAll, this, [this] { current()->clear(); });
    connect(keys, &KeypadButtons::backspace, this, [this] { current()->backspace(); });
    body->addWidget(keys);

    auto* actions = new QHBoxLayout;
    QPushButton* ok = touchButton(QStringLiteral("Confirma"), QStringLiteral("btnConfirma"), this);
    QPushButton* cancel =
        touchButton(QStringLiteral("Cancela"), QStringLiteral("btnCancela"), this);
    connect(ok, &QPushButton::clicked, this, &CodePasswordDialog::confirm);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    actions->addWidget(ok);
    actions->addWidget(cancel);
    fields->addLayout(actions);
    last_->setFocus();
}

QLineEdit* CodePasswordDialog::current() const {
    return last_ ? last_ : code_;
}

void CodePasswordDialog::confirm() {
    if (code_->text().trimmed().isEmpty() && !checksEmptyCode_) {
        last_ = code_;
        code_->setFocus();
        return;
    }
    const Verdict verdict = check_(code_->text().trimmed(), password_->text());
    if (verdict.granted) {
        accepted_ = verdict.code;
        accept();
        return;
    }
    password_->clear();
    last_ = password_;
    password_->setFocus();
    if (notice_ && !verdict.message.isEmpty()) {
        notice_(verdict.message, MsgAviso);
    }
    if (verdict.giveUp) {
        reject();
    }
}

} // namespace tmk
