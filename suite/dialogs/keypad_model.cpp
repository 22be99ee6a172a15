#include "suite/dialogs/keypad_model.h"

namespace tmk {

KeypadModel::KeypadModel(int maxDigits)
    : maxDigits_(maxDigits > 0 && maxDigits < kLongest ? maxDigits : kLongest) {}

bool KeypadModel::type(QChar key) {
    if (key < QLatin1Char('0') || key > QLatin1Char('9') || isFull()) {
        return false;
    }
    value_.append(key);
    return true;
}

void KeypadModel::backspace() {
    value_.chop(1);
}

void KeypadModel::clear() {
    value_.clear();
}

} // namespace tmk
