#pragma once

#include <QMetaType>
#include <QString>
#include <QVariant>

namespace tmk {

// A failed data-service operation. It travels inside the operation's QVariant
// result as its own type, so it can never be taken for a text result.
struct ServiceFailure {
    QString message;
    bool operator==(const ServiceFailure&) const = default;
};

QVariant serviceFailure(const QString& message);
bool isServiceFailure(const QVariant& result);
// The failure's message; empty when the result is no failure.
QString serviceFailureMessage(const QVariant& result);

} // namespace tmk

Q_DECLARE_METATYPE(tmk::ServiceFailure)
