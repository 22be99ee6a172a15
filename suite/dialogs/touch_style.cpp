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

QPushButton* touchChoiceButton(const QString& caption, const QString& objectName, QWidget* parent) {
    QPushButton* b = touchButton(caption, objectName, parent);
    b->setCheckable(true);
    const QPalette p = b->palette();
    b->setStyleSheet(QStringLiteral("QPushButton:checked { background-color: %1; color: %2; "
                                    "border: 2px solid %3; border-radius: 3px; }")
                         .arg(p.color(QPalette::Highlight).name(),
                              p.color(QPalette::HighlightedText).name(),
                              p.color(QPalette::Highlight).darker(140).name()));
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
