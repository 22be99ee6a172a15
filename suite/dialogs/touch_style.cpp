#include "suite/dialogs/touch_style.h"

#include <QLabel>
#include <QPushButton>

namespace tmk {

QPushButton* touchButton(const QString& caption, const QString& objectName, QWidget* parent) {
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(objectName);
    b->setFocusPolicy(Qt::NoFocus);
    b->setAutoDefault(false);
    b->setMinimumSize(kTouchKeyWidth, kTouchKeyHeight);
    QFont f = b->font();
    f.setPointSize(kTouchFontPoints);
    f.setBold(true);
    b->setFont(f);
    return b;
}

QLabel* headerLabel(const QString& text, const QString& objectName, QWidget* parent) {
    auto* l = new QLabel(text, parent);
    l->setObjectName(objectName);
    l->setTextFormat(Qt::PlainText);
    l->setWordWrap(true);
    QFont f = l->font();
    f.setPointSize(kTouchFontPoints + 2);
    f.setBold(true);
    l->setFont(f);
    return l;
}

} // namespace tmk
