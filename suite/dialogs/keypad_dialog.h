#pragma once

#include "suite/dialogs/keypad_model.h"
#include "suite/dialogs/notice.h"

#include <QDialog>

class QLabel;

namespace tmk {

// The numeric keypad of TecladoNumerico: the caption as window title and header, the
// prompt above the value, big keys 0-9, "Limpa", "←", "Confirma" and "Cancela"; the
// keyboard's digits, Backspace, Enter and Esc work as well. Confirming an empty value
// tells the empty-value message (type 2) and keeps the dialog open.
// Named parts: "lblCaption", "lblPrompt", "lblValor", "btnConfirma", "btnCancela".
class KeypadDialog : public QDialog {
    Q_OBJECT

public:
    KeypadDialog(const QString& caption, const QString& prompt, const QString& emptyMessage,
                 int maxDigits, Notice notice, QWidget* parent = nullptr);

    const KeypadModel& model() const { return model_; }
    QString value() const { return model_.value(); }

    // What the keys and buttons do, callable without showing the dialog.
    void typeDigit(QChar key);
    void backspace();
    void clearValue();
    void confirm(); // accepts, or tells the empty-value message

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void refresh();

    KeypadModel model_;
    QString emptyMessage_;
    Notice notice_;
    QLabel* valueLabel_ = nullptr;
};

} // namespace tmk
