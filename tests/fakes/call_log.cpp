#include "tests/fakes/call_log.h"

#include <gtest/gtest.h>

namespace tmk {

void CallLog::record(const QString& name, const QVariantList& args) {
    calls_.append(RecordedCall{name, args});
}

QList<RecordedCall> CallLog::calls(const QString& name) const {
    QList<RecordedCall> found;
    for (const RecordedCall& c : calls_) {
        if (c.name == name) {
            found.append(c);
        }
    }
    return found;
}

int CallLog::count(const QString& name) const {
    return int(calls(name).size());
}

RecordedCall CallLog::last(const QString& name) const {
    for (auto it = calls_.crbegin(); it != calls_.crend(); ++it) {
        if (it->name == name) {
            return *it;
        }
    }
    ADD_FAILURE() << "no call of " << name.toStdString() << " was recorded";
    return {};
}

QStringList CallLog::names() const {
    QStringList list;
    list.reserve(calls_.size());
    for (const RecordedCall& c : calls_) {
        list.append(c.name);
    }
    return list;
}

int CallLog::indexOf(const QString& name, int from) const {
    for (int i = qMax(0, from); i < calls_.size(); ++i) {
        if (calls_.at(i).name == name) {
            return i;
        }
    }
    return -1;
}

} // namespace tmk
