#include "platform/till_folder.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QLabel>
#include <QTextStream>
#include <QTimer>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Frente de Caixa"));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Frente de caixa do restaurante"));
    parser.addHelpOption();
    QCommandLineOption tillOption(QStringLiteral("till"), QStringLiteral("Pasta do caixa."),
                                  QStringLiteral("pasta"));
    QCommandLineOption shotOption(QStringLiteral("screenshot"),
                                  QStringLiteral("Grava a tela em PNG e sai."),
                                  QStringLiteral("arquivo"));
    parser.addOption(tillOption);
    parser.addOption(shotOption);
    parser.process(app);

    if (parser.isSet(tillOption)) {
        QDir().mkpath(parser.value(tillOption));
        tmk::setTillFolder(parser.value(tillOption));
    }

    QLabel window(QStringLiteral("TMK00470\nPasta do caixa: %1").arg(tmk::tillFolder()));
    window.setAlignment(Qt::AlignCenter);
    window.resize(800, 600);
    window.show();
    if (parser.isSet(shotOption)) {
        const bool ok = window.grab().save(parser.value(shotOption), "PNG");
        return ok ? 0 : 1;
    }
    return app.exec();
}
