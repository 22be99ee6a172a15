#include "suite/devices/device_switch.h"

#include "platform/errors.h"
#include "suite/devices/device_files.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

namespace tmk {

namespace {

[[noreturn]] void malformed(const QString& path, int line, const QString& why) {
    throw AppError(QStringLiteral("Arquivo de configuração %1 inválido (linha %2): %3.")
                       .arg(QDir::toNativeSeparators(path))
                       .arg(line)
                       .arg(why));
}

} // namespace

DeviceSwitch DeviceSwitch::load(const QString& fileName, const QString& group,
                                const QStringList& keys) {
    DeviceSwitch sw;
    sw.path_ = deviceFilePath(fileName);
    if (!QFileInfo::exists(sw.path_)) {
        return sw;
    }
    QFile file(sw.path_);
    if (!file.open(QIODevice::ReadOnly) || QFileInfo(sw.path_).isDir()) {
        throw AppError(QStringLiteral("Não foi possível ler o arquivo de configuração %1: %2.")
                           .arg(QDir::toNativeSeparators(sw.path_),
                                QFileInfo(sw.path_).isDir() ? QStringLiteral("é uma pasta")
                                                            : file.errorString()));
    }
    QByteArray bytes = file.readAll();
    if (bytes.startsWith("\xEF\xBB\xBF")) {
        bytes.remove(0, 3);
    }
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString text = utf8.decode(bytes);
    if (utf8.hasError()) {
        text = QString::fromLatin1(bytes); // saved by an older Windows editor
    }
    bool inGroup = false;
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (int n = 0; n < lines.size(); ++n) {
        const QString line = lines.at(n).trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char(';')) ||
            line.startsWith(QLatin1Char('#'))) {
            continue;
        }
        if (line.startsWith(QLatin1Char('['))) {
            if (!line.endsWith(QLatin1Char(']'))) {
                malformed(sw.path_, n + 1, QStringLiteral("grupo sem \"]\""));
            }
            const QString name = line.mid(1, line.size() - 2).trimmed();
            if (name.compare(group, Qt::CaseInsensitive) != 0) {
                malformed(sw.path_, n + 1,
                          QStringLiteral("grupo [%1] desconhecido; use [%2]").arg(name, group));
            }
            inGroup = true;
            continue;
        }
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        if (eq <= 0) {
            malformed(sw.path_, n + 1,
                      QStringLiteral("\"%1\" não é da forma chave=valor").arg(line.left(60)));
        }
        if (!inGroup) {
            malformed(sw.path_, n + 1, QStringLiteral("chave fora do grupo [%1]").arg(group));
        }
        const QString key = line.left(eq).trimmed();
        bool known = false;
        for (const QString& k : keys) {
            known = known || k.compare(key, Qt::CaseInsensitive) == 0;
        }
        if (!known) {
            malformed(sw.path_, n + 1,
                      QStringLiteral("chave \"%1\" desconhecida; use %2")
                          .arg(key, keys.join(QStringLiteral(", "))));
        }
        sw.values_.insert(key.toUpper(), line.mid(eq + 1).trimmed());
    }
    return sw;
}

QString DeviceSwitch::value(const QString& key, const QString& fallback) const {
    return values_.value(key.toUpper(), fallback);
}

bool DeviceSwitch::contains(const QString& key) const {
    return values_.contains(key.toUpper());
}

QString DeviceSwitch::choice(const QString& key, const QStringList& choices,
                             const QString& fallback) const {
    if (!contains(key)) {
        return fallback;
    }
    const QString v = value(key);
    for (const QString& c : choices) {
        if (c.compare(v, Qt::CaseInsensitive) == 0) {
            return c;
        }
    }
    throw AppError(
        QStringLiteral("Arquivo de configuração %1 inválido: %2=%3; use %4.")
            .arg(QDir::toNativeSeparators(path_), key, v, choices.join(QStringLiteral(", "))));
}

} // namespace tmk
