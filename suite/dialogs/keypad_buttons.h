#pragma once

#include <QChar>
#include <QWidget>

namespace tmk {

// The numeric key block of the touch dialogs: 7 8 9 / 4 5 6 / 1 2 3 / Limpa 0 ←.
// Buttons are named "btn0" to "btn9", "btnLimpa" and "btnVolta".
class KeypadButtons : public QWidget {
    Q_OBJECT

public:
    explicit KeypadButtons(QWidget* parent = nullptr);

signals:
    void digit(QChar key);
    void clearAll();
    void backspace();
};

} // namespace tmk
