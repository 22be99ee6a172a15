#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVariantList>

namespace tmk {

// One call into a fake: the function's name and its arguments in call order.
struct RecordedCall {
    QString name;
    QVariantList args;

    // The argument at index i; an invalid value when the call had fewer.
    QVariant arg(int i) const { return i >= 0 && i < args.size() ? args.at(i) : QVariant(); }
    QString text(int i) const { return arg(i).toString(); }
};

// The ordered log shared by the fakes of one suite: every call of every fake, in
// the order they happened.
class CallLog {
public:
    void record(const QString& name, const QVariantList& args);

    const QList<RecordedCall>& all() const { return calls_; }
    QList<RecordedCall> calls(const QString& name) const;
    int count(const QString& name) const;
    // The latest call of that name; a test failure and an empty call when none was made.
    RecordedCall last(const QString& name) const;
    // The names of all calls, in order.
    QStringList names() const;
    // Position of the first call of that name at or after from; -1 when none.
    int indexOf(const QString& name, int from = 0) const;
    void clear() { calls_.clear(); }

private:
    QList<RecordedCall> calls_;
};

} // namespace tmk
