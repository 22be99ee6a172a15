#include "platform/till_folder.h"

#include <QCoreApplication>
#include <QDir>

namespace tmk {

namespace {
QString& folderSetting() {
    static QString folder;
    return folder;
}
} // namespace

QString tillFolder() {
    if (folderSetting().isEmpty()) {
        return QCoreApplication::applicationDirPath();
    }
    return folderSetting();
}

void setTillFolder(const QString& folder) {
    folderSetting() = QDir(folder).absolutePath();
}

QString tillPath(const QString& relativePath) {
    QString rel = relativePath;
    rel.replace(QLatin1Char('\\'), QLatin1Char('/'));
    while (rel.startsWith(QLatin1Char('/'))) {
        rel.remove(0, 1);
    }
    return QDir(tillFolder()).filePath(rel);
}

} // namespace tmk
