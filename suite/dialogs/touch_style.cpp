#include "suite/dialogs/touch_style.h"

#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>

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

QFont sizedFont(QFont f, int points, bool bold) {
    f.setPointSize(points);
    f.setBold(bold);
    return f;
}

QTableWidget* touchTable(const QString& objectName, const QStringList& headers, QWidget* parent) {
    auto* t = new QTableWidget(0, int(headers.size()), parent);
    t->setObjectName(objectName);
    t->setHorizontalHeaderLabels(headers);
    t->verticalHeader()->setVisible(false);
    t->setEditTriggers(QAbstractItemView::NoEditTriggers);
    t->setSelectionBehavior(QAbstractItemView::SelectRows);
    t->setSelectionMode(QAbstractItemView::SingleSelection);
    t->setFocusPolicy(Qt::NoFocus);
    t->setFont(sizedFont(t->font(), 11));
    t->horizontalHeader()->setFont(sizedFont(t->font(), 10, true));
    t->verticalHeader()->setDefaultSectionSize(26);
    t->setWordWrap(false);
    return t;
}

QTableWidgetItem* tableCell(const QString& text, Qt::Alignment align) {
    auto* i = new QTableWidgetItem(text);
    i->setTextAlignment(align);
    return i;
}

QLabel* summaryRow(QGridLayout* grid, int row, int column, const QString& caption,
                   const QString& objectName, QWidget* parent, bool strong) {
    auto* c = new QLabel(caption, parent);
    c->setFont(sizedFont(c->font(), strong ? 13 : 11, strong));
    auto* v = new QLabel(parent);
    v->setObjectName(objectName);
    v->setAlignment(kAlignRight);
    v->setFont(sizedFont(v->font(), strong ? 13 : 11, strong));
    grid->addWidget(c, row, column * 2);
    grid->addWidget(v, row, column * 2 + 1);
    return v;
}

} // namespace tmk
