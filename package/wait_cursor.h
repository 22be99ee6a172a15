#pragma once

#include <QCursor>
#include <QGuiApplication>

namespace tmk {

// The hourglass over the whole application from construction until restore() or the end
// of the scope, whichever comes first, so that every way out of a call restores it.
class WaitCursor {
public:
    WaitCursor() { QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor)); }
    ~WaitCursor() { restore(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;

    void restore() {
        if (active_) {
            active_ = false;
            QGuiApplication::restoreOverrideCursor();
        }
    }

private:
    bool active_ = true;
};

} // namespace tmk
