#pragma once

#include <QString>
#include <QVariant>

class QObject;

namespace tmk {

class ClientDataSet;

// How the fakes record arguments that are no plain values: a dataset by its
// name (empty for none), its content as a DataPacket copy, a widget by its objectName.
QString recordedName(const ClientDataSet* dataSet);
QVariant recordedPacket(const ClientDataSet& dataSet);
QString recordedName(const QObject* object);

} // namespace tmk
