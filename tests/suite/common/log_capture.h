#pragma once

#include <QMutex>
#include <QStringList>
#include <QtGlobal>

namespace tmk::test {

// The log lines written while it lives (every category and level), still passed on.
class LogCapture {
public:
    LogCapture() {
        current() = this;
        previous_ = qInstallMessageHandler(&LogCapture::handle);
    }
    ~LogCapture() {
        qInstallMessageHandler(previous_);
        current() = nullptr;
    }
    LogCapture(const LogCapture&) = delete;
    LogCapture& operator=(const LogCapture&) = delete;

    QStringList lines() const {
        const QMutexLocker lock(&mutex_);
        return lines_;
    }
    // The index of the first line holding the text, -1 when none does.
    int find(const QString& text) const {
        const QStringList all = lines();
        for (int i = 0; i < all.size(); ++i) {
            if (all[i].contains(text)) {
                return i;
            }
        }
        return -1;
    }

private:
    static LogCapture*& current() {
        static LogCapture* capture = nullptr;
        return capture;
    }
    static void handle(QtMsgType type, const QMessageLogContext& context, const QString& text) {
        if (LogCapture* c = current()) {
            {
                const QMutexLocker lock(&c->mutex_);
                c->lines_ << text;
            }
            if (c->previous_) {
                c->previous_(type, context, text);
            }
        }
    }

    QtMessageHandler previous_ = nullptr;
    mutable QMutex mutex_;
    QStringList lines_;
};

} // namespace tmk::test
