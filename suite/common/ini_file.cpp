#include "suite/common/ini_file.h"

#include "platform/errors.h"

#include <QFile>
#include <QStringDecoder>

namespace tmk {

IniFile IniFile::load(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        throw AppError(
            QStringLiteral("Não foi possível ler o arquivo %1: %2").arg(path, file.errorString()));
    }
    QByteArray bytes = file.readAll();
    if (bytes.startsWith("\xEF\xBB\xBF")) {
        bytes.remove(0, 3);
    }
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString text = utf8.decode(bytes);
    if (utf8.hasError()) {
        // Files saved by older Windows tools are Latin-1 (same accented letters as 1252).
        text = QString::fromLatin1(bytes);
    }
    return fromText(text);
}

IniFile IniFile::fromText(const QString& text) {
    IniFile ini;
    QString group;
    const QStringList lines = text.split(QLatin1Char('\n'));
    for (const QString& raw : lines) {
        const QString line = raw.trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char(';')) ||
            line.startsWith(QLatin1Char('#'))) {
            continue;
        }
        if (line.startsWith(QLatin1Char('[')) && line.endsWith(QLatin1Char(']'))) {
            group = line.mid(1, line.size() - 2).trimmed();
            continue;
        }
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        if (eq <= 0) {
            continue;
        }
        ini.entries_.append({group, line.left(eq).trimmed(), line.mid(eq + 1).trimmed()});
    }
    return ini;
}

QList<QPair<QString, QString>> IniFile::group(const QString& name) const {
    QList<QPair<QString, QString>> pairs;
    for (const Entry& e : entries_) {
        if (e.group.compare(name, Qt::CaseInsensitive) == 0) {
            pairs.append({e.key, e.value});
        }
    }
    return pairs;
}

QString IniFile::value(const QString& groupName, const QString& key) const {
    QString found;
    for (const Entry& e : entries_) {
        if (e.group.compare(groupName, Qt::CaseInsensitive) == 0 &&
            e.key.compare(key, Qt::CaseInsensitive) == 0) {
            found = e.value;
        }
    }
    return found;
}

} // namespace tmk
