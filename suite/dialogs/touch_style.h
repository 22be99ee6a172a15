#pragma once

#include <QFont>
#include <QString>
#include <QStringList>

class QGridLayout;
class QLabel;
class QPushButton;
class QTableWidget;
class QTableWidgetItem;
class QWidget;

namespace tmk {

// Sizes of the touch dialogs: fingers, not a mouse.
inline constexpr int kTouchKeyWidth = 84;
inline constexpr int kTouchKeyHeight = 64;
inline constexpr int kTouchFontPoints = 16;

// A push button a finger can hit, named for tests and never taking the focus
// (the keys keep going to the dialog or to the field being typed into).
QPushButton* touchButton(const QString& caption, const QString& objectName, QWidget* parent);
// A touch button that stays down when chosen (one waiter among several), the chosen one
// drawn in the selection colours so that it reads at a glance.
QPushButton* touchChoiceButton(const QString& caption, const QString& objectName, QWidget* parent);
// A label in the dialogs' header font.
QLabel* headerLabel(const QString& text, const QString& objectName, QWidget* parent);

// The font in another size (and weight).
QFont sizedFont(QFont f, int points, bool bold = false);

inline constexpr Qt::Alignment kAlignRight = Qt::AlignRight | Qt::AlignVCenter;

// A read-only table of rows chosen by touch: one row at a time, no editing, no focus.
QTableWidget* touchTable(const QString& objectName, const QStringList& headers, QWidget* parent);
QTableWidgetItem* tableCell(const QString& text,
                            Qt::Alignment align = Qt::AlignLeft | Qt::AlignVCenter);

// A row of a summary grid at (row, column pair): a caption and its value, the value
// label named and returned.
QLabel* summaryRow(QGridLayout* grid, int row, int column, const QString& caption,
                   const QString& objectName, QWidget* parent, bool strong = false);

} // namespace tmk
