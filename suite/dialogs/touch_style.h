#pragma once

#include <QString>

class QLabel;
class QPushButton;
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

} // namespace tmk
