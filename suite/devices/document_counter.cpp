#include "suite/devices/document_counter.h"

#include "platform/errors.h"
#include "suite/devices/device_files.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>

namespace tmk {

DocumentCounter::DocumentCounter(QString name, qint64 maximum)
    : name_(std::move(name))
    , maximum_(maximum) {}

QString DocumentCounter::path() const {
    return deviceFilePath(name_ + QStringLiteral(".seq"));
}

qint64 DocumentCounter::readLast() const {
    const QString file = path();
    if (!QFileInfo::exists(file)) {
        return 0;
    }
    QFile f(file);
    if (QFileInfo(file).isDir() || !f.open(QIODevice::ReadOnly)) {
        throw AppError(QStringLiteral("Não foi possível ler a numeração %1.")
                           .arg(QDir::toNativeSeparators(file)));
    }
    const QString text = QString::fromLatin1(f.readAll()).trimmed();
    bool ok = false;
    const qint64 value = text.toLongLong(&ok);
    if (!ok || value < 0) {
        // Never start again from zero: that would repeat numbers already used.
        throw AppError(QStringLiteral("Arquivo de numeração %1 danificado (\"%2\"). Corrija o "
                                      "último número usado antes de emitir novos documentos.")
                           .arg(QDir::toNativeSeparators(file), text.left(30)));
    }
    return value;
}

qint64 DocumentCounter::last() const {
    return readLast();
}

qint64 DocumentCounter::next() {
    const QString file = path();
    if (!QDir().mkpath(QFileInfo(file).absolutePath())) {
        throw AppError(QStringLiteral("Não foi possível criar a pasta %1.")
                           .arg(QDir::toNativeSeparators(QFileInfo(file).absolutePath())));
    }
    QLockFile lock(file + QStringLiteral(".lock"));
    lock.setStaleLockTime(30000);
    if (!lock.tryLock(10000)) {
        throw AppError(QStringLiteral("A numeração %1 está em uso por outro programa.")
                           .arg(QDir::toNativeSeparators(file)));
    }
    const qint64 number = readLast() + 1;
    if (number > maximum_) {
        throw AppError(QStringLiteral("A numeração %1 chegou ao limite (%2).")
                           .arg(QDir::toNativeSeparators(file))
                           .arg(maximum_));
    }
    if (!writeDeviceFile(name_ + QStringLiteral(".seq"), QByteArray::number(number) + '\n')) {
        throw AppError(QStringLiteral("Não foi possível gravar a numeração %1.")
                           .arg(QDir::toNativeSeparators(file)));
    }
    return number;
}

} // namespace tmk
