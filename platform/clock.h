#pragma once

#include <QDateTime>
#include <QThread>

namespace tmk {

// "Now" on the client side. The screen asks this clock, so tests can stand at any
// moment (23:59, the next business day) without waiting.
class Clock {
public:
    virtual ~Clock() = default;
    virtual QDateTime now() const { return QDateTime::currentDateTime(); }
    QDate today() const { return now().date(); }
    // Waits that long (the pause between two checks of a sale); a stopped clock moves on
    // instead, so tests do not wait.
    virtual void espera(int ms) const { QThread::msleep(ulong(ms)); }
};

// A clock that stands still at a set moment until moved.
class FixedClock : public Clock {
public:
    explicit FixedClock(QDateTime at)
        : at_(std::move(at)) {}
    QDateTime now() const override { return at_; }
    void espera(int ms) const override { at_ = at_.addMSecs(ms); }
    void set(const QDateTime& at) { at_ = at; }
    void advance(qint64 seconds) { at_ = at_.addSecs(seconds); }

private:
    mutable QDateTime at_;
};

} // namespace tmk
