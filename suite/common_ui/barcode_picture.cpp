#include "platform/errors.h"
#include "platform/till_folder.h"
#include "suite/common_ui/code128.h"
#include "suite/common_ui/suite_common_utility.h"

#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QPainter>

namespace tmk {

namespace {

constexpr int moduleWidth = 2;   // pixels per module
constexpr int barHeight = 80;    // pixels
constexpr int quietModules = 10; // blank modules on each side

QString fileNameOf(const QString& key) {
    QString safe;
    for (const QChar c : key) {
        safe += (c.isLetterOrNumber() && c.unicode() < 128) ? c : QLatin1Char('_');
    }
    return QStringLiteral("CodBarra_%1.png").arg(safe);
}

} // namespace

QString SuiteCommonUtility::CriaCodBarra(const QString& chaveAcesso, const QString& dirXmlFiscal) {
    const QString key = chaveAcesso.trimmed();
    const QString bars = code128::modules(code128::symbols(key));

    QString folder = dirXmlFiscal.trimmed();
    folder.replace(QLatin1Char('\\'), QLatin1Char('/'));
    if (folder.isEmpty() || QFileInfo(folder).isRelative()) {
        folder = tillPath(folder);
    }
    if (!QDir().mkpath(folder)) {
        throw AppError(QStringLiteral("Não foi possível criar a pasta %1 do código de barras.")
                           .arg(QDir::toNativeSeparators(folder)));
    }

    const int width = int(bars.size() + 2 * quietModules) * moduleWidth;
    QImage image(width, barHeight, QImage::Format_Grayscale8);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        for (qsizetype m = 0; m < bars.size(); ++m) {
            if (bars.at(m) == QLatin1Char('1')) {
                painter.fillRect(int(quietModules + m) * moduleWidth, 0, moduleWidth, barHeight,
                                 Qt::black);
            }
        }
    }
    const QString path = QDir(folder).filePath(fileNameOf(key));
    const QString partial = path + QStringLiteral(".tmp");
    if (!image.save(partial, "PNG")) {
        QFile::remove(partial);
        throw AppError(QStringLiteral("Não foi possível gravar o código de barras em %1.")
                           .arg(QDir::toNativeSeparators(path)));
    }
    QFile::remove(path);
    if (!QFile::rename(partial, path)) {
        QFile::remove(partial);
        throw AppError(QStringLiteral("Não foi possível gravar o código de barras em %1.")
                           .arg(QDir::toNativeSeparators(path)));
    }
    return path;
}

} // namespace tmk
