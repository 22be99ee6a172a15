#include "screen/view/status_pictures.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QTcpServer>
#include <QTcpSocket>
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

// A server that takes the connection and never answers: the host says at once what it
// waits for, tries it once within the limit, and the screen still opens.
TEST(FrontOffice, ASilentServerIsSaidAtOnceAndWaitedForOnlyOnce) {
    QTcpServer server;
    ASSERT_TRUE(server.listen(QHostAddress::LocalHost, 0));
    QTemporaryDir till;
    ASSERT_TRUE(till.isValid());
    QFile ini(till.filePath(QStringLiteral("Conexao.ini")));
    ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
    ini.write(QStringLiteral("[Conexao]\nProvider=QPSQL\nHost=127.0.0.1\nPort=%1\nDatabase="
                             "restaurante\nUser ID=caixa\nPassword=x\n")
                  .arg(server.serverPort())
                  .toUtf8());
    ini.close();
    const QString foto = till.filePath(QStringLiteral("mapa.png"));
    const HostRun run =
        frontoffice({QStringLiteral("--till"), till.path(), QStringLiteral("--screenshot"), foto});
    EXPECT_EQ(run.exitCode, 0) << run.errors.toStdString();
    const QString servidor =
        QStringLiteral("PostgreSQL em 127.0.0.1:%1 (banco restaurante)").arg(server.serverPort());
    const qsizetype aviso = run.errors.indexOf(
        QStringLiteral("Aguardando o servidor de banco de dados %1, por até 5 s...").arg(servidor));
    const qsizetype falha = run.errors.indexOf(
        QStringLiteral("Não foi possível conectar ao banco de dados %1: o servidor não respondeu "
                       "em 5 s.")
            .arg(servidor));
    EXPECT_GE(aviso, 0) << run.errors.toStdString();
    EXPECT_GT(falha, aviso) << run.errors.toStdString();
    EXPECT_FALSE(run.errors.contains(QStringLiteral("***"))) << run.errors.toStdString();
    int conexoes = 0;
    while (server.waitForNewConnection(200) || server.hasPendingConnections()) {
        delete server.nextPendingConnection();
        ++conexoes;
    }
    EXPECT_EQ(conexoes, 1) << "one bounded attempt for the whole start";
    EXPECT_EQ(QImage(foto).size(), QSize(800, 600));
}

namespace {

QByteArray bytesOf(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool writeBytes(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size();
}

} // namespace

TEST(FrontOffice, DamagedAccessFilesAreNamedAndTheTillStillOpens) {
    QTemporaryDir till;
    ASSERT_TRUE(till.isValid());
    const QString foto = till.filePath(QStringLiteral("mapa.png"));
    const QStringList args{QStringLiteral("--till"), till.path(), QStringLiteral("--screenshot"),
                           foto};
    ASSERT_EQ(frontoffice(args).exitCode, 0);
    for (const char* name : {"Operadores.cds", "DireitosAcesso.cds"}) {
        const QString file =
            till.filePath(QStringLiteral("Dados/Cadastros/") + QLatin1String(name));
        const QByteArray good = bytesOf(file);
        ASSERT_TRUE(writeBytes(file, "<DATAPACKET danificado"));
        // Without the parameter file the preparation writes only what is missing.
        ASSERT_TRUE(QFile::remove(till.filePath(QStringLiteral("PARAMETROSKOV.CDS"))));
        QFile::remove(foto);
        const HostRun run = frontoffice(args);
        EXPECT_EQ(run.exitCode, 0) << name << ": " << run.errors.toStdString();
        EXPECT_TRUE(run.errors.contains(file)) << name << ": " << run.errors.toStdString();
        EXPECT_TRUE(run.errors.contains(
            QStringLiteral("Arquivos do caixa criados em %1: PARAMETROSKOV.CDS\n")
                .arg(till.path())))
            << name << ": " << run.errors.toStdString();
        EXPECT_FALSE(run.errors.contains(QStringLiteral("Loja de demonstração criada")));
        EXPECT_EQ(bytesOf(file), QByteArray("<DATAPACKET danificado")) << name;
        EXPECT_EQ(QImage(foto).size(), QSize(800, 600)) << name;
        ASSERT_TRUE(writeBytes(file, good));
    }
}

TEST(FrontOffice, AnEmptiedDatabaseIsReportedAndNothingIsInvented) {
    QTemporaryDir till;
    ASSERT_TRUE(till.isValid());
    const QString foto = till.filePath(QStringLiteral("mapa.png"));
    const QStringList args{QStringLiteral("--till"), till.path(), QStringLiteral("--screenshot"),
                           foto};
    ASSERT_EQ(frontoffice(args).exitCode, 0);
    const QString database = till.filePath(QStringLiteral("tmk.db"));
    ASSERT_TRUE(writeBytes(database, QByteArray()));
    QFile::remove(foto);
    const HostRun run = frontoffice(args);
    EXPECT_EQ(run.exitCode, 1) << run.errors.toStdString();
    EXPECT_TRUE(run.errors.contains(QDir::toNativeSeparators(database)) &&
                run.errors.contains(QStringLiteral("está vazio (0 bytes)")))
        << run.errors.toStdString();
    EXPECT_FALSE(run.errors.contains(QStringLiteral("Loja de demonstração criada")));
    EXPECT_EQ(QFileInfo(database).size(), 0) << "no schema or store was made over it";
    EXPECT_FALSE(QFile::exists(foto));

    ASSERT_TRUE(QFile::remove(database));
    const HostRun missing = frontoffice(args);
    EXPECT_EQ(missing.exitCode, 1) << missing.errors.toStdString();
    EXPECT_TRUE(missing.errors.contains(QStringLiteral("não existe")))
        << missing.errors.toStdString();
    EXPECT_FALSE(QFile::exists(database));
}

TEST(FrontOffice, ATillNumberTheDemoStoreDoesNotHaveIsRefusedBeforeAnythingIsMade) {
    QTemporaryDir till;
    ASSERT_TRUE(till.isValid());
    const HostRun run = frontoffice(
        {QStringLiteral("--till"), till.path(), QStringLiteral("--caixa"), QStringLiteral("007"),
         QStringLiteral("--screenshot"), till.filePath(QStringLiteral("mapa.png"))});
    EXPECT_EQ(run.exitCode, 2) << run.errors.toStdString();
    EXPECT_TRUE(run.errors.contains(QStringLiteral("O caixa \"007\" não existe na loja de "
                                                   "demonstração")))
        << run.errors.toStdString();
    EXPECT_TRUE(QDir(till.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries).isEmpty());
}

TEST(FrontOffice, AScreenshotDelayThatIsNotAPositiveNumberIsRefusedBeforeAnythingIsMade) {
    for (const char* atraso : {"-1", "abc", "1.5", ""}) {
        SCOPED_TRACE(atraso);
        QTemporaryDir till;
        ASSERT_TRUE(till.isValid());
        const HostRun run = frontoffice(
            {QStringLiteral("--till"), till.path(), QStringLiteral("--screenshot-delay"),
             QString::fromLatin1(atraso), QStringLiteral("--screenshot"),
             till.filePath(QStringLiteral("mapa.png"))});
        EXPECT_EQ(run.exitCode, 2) << run.errors.toStdString();
        EXPECT_TRUE(run.errors.contains(QStringLiteral("Espera inválida em --screenshot-delay")))
            << run.errors.toStdString();
        EXPECT_TRUE(QDir(till.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries).isEmpty());
    }
}
