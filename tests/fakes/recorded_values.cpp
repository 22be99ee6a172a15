#include "tests/fakes/recorded_values.h"

#include "platform/client_dataset.h"

#include <QObject>

namespace tmk {

QString recordedName(const ClientDataSet* dataSet) {
    return dataSet ? dataSet->name() : QString();
}

QVariant recordedPacket(const ClientDataSet& dataSet) {
    return QVariant::fromValue(dataSet.data());
}

QString recordedName(const QObject* object) {
    return object ? object->objectName() : QString();
}

} // namespace tmk
