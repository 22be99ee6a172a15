#pragma once

#include <QString>

namespace tmk {

// The value typed on a numeric keypad: digits only, at most maxDigits of them.
class KeypadModel {
public:
    // A limit of 0 or less means the longest value a keypad takes (kLongest digits).
    static constexpr int kLongest = 18;

    explicit KeypadModel(int maxDigits);

    // Appends a digit; false (value unchanged) for a non-digit or when full.
    bool type(QChar key);
    void backspace();
    void clear();

    const QString& value() const { return value_; }
    int maxDigits() const { return maxDigits_; }
    bool isEmpty() const { return value_.isEmpty(); }
    bool isFull() const { return value_.size() >= maxDigits_; }

private:
    int maxDigits_;
    QString value_;
};

} // namespace tmk
