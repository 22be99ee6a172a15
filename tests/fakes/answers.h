#pragma once

#include <QQueue>
#include <QVariantList>
#include <functional>
#include <utility>

namespace tmk {

// The scripted answers of one function: queued answers are used first, in order;
// when the queue is empty the callback decides (if one is set), otherwise the
// default answer is used.
template <typename T>
class ScriptedAnswers {
public:
    using Callback = std::function<T(const QVariantList& args)>;

    explicit ScriptedAnswers(T fallback = T{})
        : fallback_(std::move(fallback)) {}

    ScriptedAnswers& push(T answer) {
        queue_.enqueue(std::move(answer));
        return *this;
    }
    void setDefault(T answer) { fallback_ = std::move(answer); }
    void setCallback(Callback callback) { callback_ = std::move(callback); }
    // Queued answers not used yet.
    int pending() const { return int(queue_.size()); }
    void clear() { queue_.clear(); }

    // The answer for a call with these recorded arguments.
    T next(const QVariantList& args) {
        if (!queue_.isEmpty()) {
            return queue_.dequeue();
        }
        if (callback_) {
            return callback_(args);
        }
        return fallback_;
    }

private:
    QQueue<T> queue_;
    T fallback_;
    Callback callback_;
};

} // namespace tmk
