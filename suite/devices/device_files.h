#pragma once

#include <QByteArray>
#include <QString>

namespace tmk {

// Path of a file of the simulated devices: "Dispositivos/<name>" in the till folder.
QString deviceFilePath(const QString& name);

// Writes a device file atomically (the folder is created when missing). False, with
// a log line naming the file and the reason, when it cannot be written; the old
// contents then stay intact.
bool writeDeviceFile(const QString& name, const QByteArray& contents);

} // namespace tmk
