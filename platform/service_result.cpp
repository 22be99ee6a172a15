#include "platform/service_result.h"

namespace tmk {

QVariant serviceFailure(const QString& message) {
    return QVariant::fromValue(ServiceFailure{message});
}

bool isServiceFailure(const QVariant& result) {
    return result.metaType() == QMetaType::fromType<ServiceFailure>();
}

QString serviceFailureMessage(const QVariant& result) {
    return isServiceFailure(result) ? result.value<ServiceFailure>().message : QString();
}

} // namespace tmk
