#include "suite/dialogs/keypad_buttons.h"

#include "suite/dialogs/touch_style.h"

#include <QGridLayout>
#include <QPushButton>

namespace tmk {

KeypadButtons::KeypadButtons(QWidget* parent)
    : QWidget(parent) {
    setObjectName(QStringLiteral("KeypadButtons"));
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setSpacing(6);
    const char rows[3][3] = {{'7', '8', '9'}, {'4', '5', '6'}, {'1', '2', '3'}};
    for (int r = 0; r < 3; ++r) {
        for (int c = 0; c < 3; ++c) {
            const QChar key = QLatin1Char(rows[r][c]);
            QPushButton* b = touchButton(key, QStringLiteral("btn") + key, this);
            connect(b, &QPushButton::clicked, this, [this, key] { emit digit(key); });
            grid->addWidget(b, r, c);
        }
    }
    QPushButton* limpa = touchButton(QStringLiteral("Limpa"), QStringLiteral("btnLimpa"), this);
    connect(limpa, &QPushButton::clicked, this, &KeypadButtons::clearAll);
    grid->addWidget(limpa, 3, 0);
    QPushButton* zero = touchButton(QStringLiteral("0"), QStringLiteral("btn0"), this);
    connect(zero, &QPushButton::clicked, this, [this] { emit digit(QLatin1Char('0')); });
    grid->addWidget(zero, 3, 1);
    QPushButton* volta = touchButton(QStringLiteral("\u2190"), QStringLiteral("btnVolta"), this);
    connect(volta, &QPushButton::clicked, this, &KeypadButtons::backspace);
    grid->addWidget(volta, 3, 2);
}

} // namespace tmk
