#include "suite/devices/device_files.h"

#include "platform/till_folder.h"
#include "suite/devices/devices_log.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

namespace tmk {

QString deviceFilePath(const QString& name) {
    return tillPath(QStringLiteral("Dispositivos/") + name);
}

bool writeDeviceFile(const QString& name, const QByteArray& contents) {
    const QString path = deviceFilePath(name);
    const QString folder = QFileInfo(path).absolutePath();
    if (!QDir().mkpath(folder)) {
        qCWarning(lcSuiteDevices).noquote() << "cannot create the device folder" << folder;
        return false;
    }
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(contents) != contents.size() ||
        !file.commit()) {
        qCWarning(lcSuiteDevices).noquote()
            << "cannot write the device file" << path << ":" << file.errorString();
        return false;
    }
    return true;
}

} // namespace tmk
