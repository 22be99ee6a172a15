#pragma once

#include <QDateTime>

namespace tmk {

// "Now" on the client side. The screen asks this clock, so tests can stand at any
// moment (23:59, the next business day) without waiting.
class Clock {
public:
    virtual ~Clock() = default;
    virtual QDateTime now() const { return QDateTime::currentDateTime(); }
    QDate today() const { return now().date(); }
};

// A clock that stands still at a set moment until moved.
class FixedClock : public Clock {
public:
    explicit FixedClock(QDateTime at)
        : at_(std::move(at)) {}
    QDateTime now() const override { return at_; }
    void set(const QDateTime& at) { at_ = at; }
    void advance(qint64 seconds) { at_ = at_.addSecs(seconds); }

private:
    QDateTime at_;
};

} // namespace tmk
