#include "suite/devices/device_files.h"

#include "platform/errors.h"
#include "platform/till_folder.h"
#include "suite/devices/devices_log.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <QTemporaryFile>

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

QString resolveTillFolder(const QString& folder) {
    QString f = folder.trimmed();
    const bool tillNotation = f.startsWith(QLatin1Char('\\'));
    f.replace(QLatin1Char('\\'), QLatin1Char('/'));
    if (f.isEmpty() || tillNotation || QFileInfo(f).isRelative()) {
        return QDir::cleanPath(tillPath(f));
    }
    return QDir::cleanPath(f);
}

void requireWritableFolder(const QString& folder, const QString& what) {
    const QString native = QDir::toNativeSeparators(folder);
    if (QFileInfo(folder).exists() && !QFileInfo(folder).isDir()) {
        throw AppError(QStringLiteral("Não foi possível gravar %1 na pasta %2: existe um arquivo "
                                      "com esse nome.")
                           .arg(what, native));
    }
    if (!QDir().mkpath(folder)) {
        throw AppError(QStringLiteral("Não foi possível gravar %1 na pasta %2: a pasta não pôde "
                                      "ser criada.")
                           .arg(what, native));
    }
    QTemporaryFile probe(QDir(folder).filePath(QStringLiteral(".teste-gravacao-XXXXXX")));
    if (!probe.open()) {
        throw AppError(QStringLiteral("Não foi possível gravar %1 na pasta %2: %3.")
                           .arg(what, native, probe.errorString()));
    }
}

void writeFileAtomically(const QString& path, const QByteArray& contents) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(contents) != contents.size() ||
        !file.commit()) {
        throw AppError(QStringLiteral("Não foi possível gravar o arquivo %1: %2.")
                           .arg(QDir::toNativeSeparators(path), file.errorString()));
    }
}

} // namespace tmk
