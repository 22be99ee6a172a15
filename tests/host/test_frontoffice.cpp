#include "screen/view/status_pictures.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#ifndef TMK_HOST_DIR
#error "TMK_HOST_DIR names the folder of the built host"
#endif

namespace {

struct HostRun {
    int exitCode = -1;
    QString errors;
};

HostRun frontoffice(const QStringList& args) {
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    p.setProcessEnvironment(env);
    p.start(QStringLiteral(TMK_HOST_DIR "/frontoffice"), args);
    if (!p.waitForFinished(120000)) {
        p.kill();
        p.waitForFinished();
        return {};
    }
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1,
            QString::fromUtf8(p.readAllStandardError())};
}

// True when the picture stands pixel for pixel somewhere in the image.
bool contains(const QImage& image, const QImage& picture) {
    const QImage img = image.convertToFormat(QImage::Format_ARGB32);
    const QImage pic = picture.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y + pic.height() <= img.height(); ++y) {
        for (int x = 0; x + pic.width() <= img.width(); ++x) {
            bool same = true;
            for (int py = 0; py < pic.height() && same; ++py) {
                const auto* a = reinterpret_cast<const QRgb*>(img.constScanLine(y + py)) + x;
                const auto* b = reinterpret_cast<const QRgb*>(pic.constScanLine(py));
                for (int px = 0; px < pic.width(); ++px) {
                    // Transparent picture pixels show the button behind them.
                    if (qAlpha(b[px]) == 255 && a[px] != b[px]) {
                        same = false;
                        break;
                    }
                }
            }
            if (same) {
                return true;
            }
        }
    }
    return false;
}

} // namespace

TEST(FrontOffice, AFreshTillGetsTheDemoStoreAndItsMapShowsEveryStatePicture) {
    QTemporaryDir till;
    ASSERT_TRUE(till.isValid());
    const QString foto = till.filePath(QStringLiteral("mapa.png"));
    const HostRun first =
        frontoffice({QStringLiteral("--till"), till.path(), QStringLiteral("--screenshot"), foto});
    ASSERT_EQ(first.exitCode, 0) << first.errors.toStdString();
    EXPECT_TRUE(first.errors.contains(QStringLiteral("Loja de demonstração criada")))
        << first.errors.toStdString();
    EXPECT_TRUE(QFile::exists(till.filePath(QStringLiteral("PARAMETROSKOV.CDS"))));
    EXPECT_TRUE(QFile::exists(till.filePath(QStringLiteral("tmk.db"))));
    const QImage image(foto);
    ASSERT_EQ(image.size(), QSize(800, 600));
    for (const QString& name : tmk::statusPictureNames()) {
        EXPECT_TRUE(contains(image, tmk::screenPicture(name).toImage())) << name.toStdString();
    }
    // The second start finds the store and creates nothing.
    const HostRun second =
        frontoffice({QStringLiteral("--till"), till.path(), QStringLiteral("--screenshot"), foto});
    ASSERT_EQ(second.exitCode, 0) << second.errors.toStdString();
    EXPECT_FALSE(second.errors.contains(QStringLiteral("Loja de demonstração criada")));
}

TEST(FrontOffice, ADatabaseThatIsDownIsReportedAndTheScreenStillOpens) {
    QTemporaryDir till;
    ASSERT_TRUE(till.isValid());
    QFile ini(till.filePath(QStringLiteral("Conexao.ini")));
    ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
    // Port 1 on loopback: nothing listens there.
    ini.write(
        "[Conexao]\nProvider=QPSQL\nHost=127.0.0.1\nPort=1\nDatabase=restaurante\nUser ID=caixa\n"
        "Password=segredo\n");
    ini.close();
    const QString foto = till.filePath(QStringLiteral("mapa.png"));
    const HostRun run =
        frontoffice({QStringLiteral("--till"), till.path(), QStringLiteral("--screenshot"), foto});
    ASSERT_EQ(run.exitCode, 0) << run.errors.toStdString();
    EXPECT_TRUE(run.errors.contains(
        QStringLiteral("Não foi possível conectar ao banco de dados PostgreSQL")))
        << run.errors.toStdString();
    EXPECT_FALSE(run.errors.contains(QStringLiteral("segredo")));
    EXPECT_EQ(QImage(foto).size(), QSize(800, 600));
}
