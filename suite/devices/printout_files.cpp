#include "suite/devices/printout_files.h"

#include "platform/errors.h"
#include "platform/till_folder.h"
#include "suite/devices/device_files.h"

#include <QDir>
#include <QFile>
#include <QTemporaryFile>

namespace tmk {

namespace {

// Letters, digits and '-' only, so that any id makes a portable file name.
QString safe(const QString& text) {
    QString out;
    for (const QChar c : text.trimmed()) {
        out += (c.unicode() < 128 && (c.isLetterOrNumber() || c == QLatin1Char('-')))
                   ? c
                   : QLatin1Char('-');
    }
    return out;
}

} // namespace

QString printoutFolder() {
    return tillPath(QStringLiteral("Impressoes"));
}

QString savePrintout(const QByteArray& pdf, const QString& kind, const QString& id,
                     const QDateTime& when) {
    const QString folder = printoutFolder();
    requireWritableFolder(folder, QStringLiteral("a impressão"));
    QString base =
        when.toString(QStringLiteral("yyyy-MM-dd_HH-mm-ss")) + QLatin1Char('_') + safe(kind);
    if (!id.trimmed().isEmpty()) {
        base += QLatin1Char('_') + safe(id);
    }
    QTemporaryFile temp(QDir(folder).filePath(QStringLiteral(".impressao-XXXXXX.pdf")));
    if (!temp.open() || temp.write(pdf) != pdf.size() || !temp.flush()) {
        throw AppError(QStringLiteral("Não foi possível gravar a impressão na pasta %1: %2.")
                           .arg(QDir::toNativeSeparators(folder), temp.errorString()));
    }
    temp.close();
    for (int n = 1; n < 10000; ++n) {
        const QString name =
            base + (n == 1 ? QString() : QStringLiteral("_%1").arg(n)) + QStringLiteral(".pdf");
        const QString path = QDir(folder).filePath(name);
        if (QFile::exists(path)) {
            continue;
        }
        // rename() never replaces an existing file.
        if (temp.rename(path)) {
            temp.setAutoRemove(false);
            return path;
        }
        if (!QFile::exists(path)) {
            break;
        }
    }
    throw AppError(QStringLiteral("Não foi possível gravar a impressão %1 na pasta %2: %3.")
                       .arg(base, QDir::toNativeSeparators(folder), temp.errorString()));
}

} // namespace tmk
