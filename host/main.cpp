// The front office host: prepares the till folder, loads the table module and does
// what each call of its entry asks for.
#include "db/demo/app_payment.h"
#include "db/demo/demo_store.h"
#include "external/common.h"
#include "host/order/till_language.h"
#include "host/order_flow.h"
#include "host/table_module.h"
#include "platform/errors.h"
#include "platform/till_folder.h"
#include "suite/common/connection_text.h"
#include "suite/common/db_dialect.h"
#include "suite/common_ui/server_wait_notice.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDateTime>
#include <QDialog>
#include <QDir>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QTextStream>
#include <QTimer>
#include <memory>

namespace {

void erro(const QString& texto) {
    QMessageBox box(QMessageBox::Critical, QApplication::applicationName(), texto, QMessageBox::Ok);
    box.exec();
}

// The notice while the till waits for its database server, said on the error output too; none
// for a database file, nor when the connection settings cannot be read (the preparation
// reports them).
std::unique_ptr<tmk::ServerWaitNotice> avisoDoServidor(QTextStream& err) {
    try {
        const QString conexao = tmk::_GetStringConexKov(QString());
        const tmk::DbDialect& banco = tmk::DbDialect::forConnectionText(conexao);
        if (banco.answerTimeout() <= 0) {
            return nullptr;
        }
        const QString servidor = banco.describe(tmk::ConnectionText::parse(conexao));
        err << tmk::ServerWaitNotice::text(servidor, banco.answerTimeout()) << "\n" << Qt::flush;
        return std::make_unique<tmk::ServerWaitNotice>(servidor, banco.answerTimeout());
    } catch (const std::exception&) {
        return nullptr;
    }
}

// Writes a picture of the table map once the screen has drawn it (and, with a delay, that
// many milliseconds later, while the map goes on following the other tills), then closes it.
void agendaFoto(const QString& arquivo, int atrasoMs, bool* ok) {
    auto* timer = new QTimer(qApp);
    timer->setInterval(100);
    auto pronto = std::make_shared<QElapsedTimer>();
    QObject::connect(timer, &QTimer::timeout, [timer, arquivo, atrasoMs, ok, pronto] {
        // Without an operator, messages are written to the error output and dismissed.
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (auto* box = qobject_cast<QMessageBox*>(w); box && box->isVisible()) {
                QTextStream(stderr) << box->text() << "\n";
                box->done(QMessageBox::No);
                return;
            }
        }
        for (QWidget* w : QApplication::topLevelWidgets()) {
            auto* tela = qobject_cast<QDialog*>(w);
            if (!tela || tela->objectName() != QLatin1String("frmGerMesa") || !tela->isVisible() ||
                !tela->property("mapaPronto").toBool()) {
                continue;
            }
            if (!pronto->isValid()) {
                pronto->start();
            }
            if (pronto->elapsed() < atrasoMs) {
                return;
            }
            timer->stop();
            *ok = tela->grab().save(arquivo, "PNG");
            tela->done(QDialog::Rejected);
            timer->deleteLater();
            return;
        }
    });
    timer->start();
}

// The payment asked for on the command line; false (after saying why) when the amount given
// is not a positive number.
bool pedidoPagamentoApp(const QString& alvo, const QString& valor, tmk::AppPaymentRequest& pedido,
                        QTextStream& err) {
    pedido = tmk::parseAppPaymentTarget(alvo);
    if (valor.trimmed().isEmpty()) {
        return true;
    }
    bool ok = false;
    pedido.valor = QString(valor).replace(QLatin1Char(','), QLatin1Char('.')).toDouble(&ok);
    if (!ok || !(pedido.valor > 0)) {
        err << "Valor inválido em --valor: \"" << valor
            << "\" (informe um valor maior que zero).\n";
        return false;
    }
    return true;
}

// Records a payment made through the app on the till's database, as the app would.
int gravaPagamentoApp(const tmk::AppPaymentRequest& pedido, QTextStream& err) {
    try {
        const tmk::AppPaymentRow r =
            tmk::recordAppPaymentAtTill(tmk::tillFolder(), pedido, QDateTime::currentDateTime());
        QTextStream(stdout)
            << "Pagamento pelo aplicativo gravado: mesa " << r.nrMesa
            << (r.nrLugarMesa == QLatin1String("T") ? QStringLiteral(" inteira")
                                                    : QStringLiteral(", lugar ") + r.nrLugarMesa)
            << ", R$ "
            << QString::number(r.valor, 'f', 2).replace(QLatin1Char('.'), QLatin1Char(','))
            << " (movimento " << r.nrSeqMovMob << ").\n";
        return 0;
    } catch (const std::exception& e) {
        err << tmk::exceptionText(e) << "\n";
        return 1;
    }
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Frente de Caixa"));
    tmk::applyTillLanguage(app);

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Frente de caixa do restaurante"));
    parser.addHelpOption();
    const QCommandLineOption tillOption(QStringLiteral("till"),
                                        QStringLiteral("Pasta do caixa (padrão: a do programa)."),
                                        QStringLiteral("pasta"));
    const QCommandLineOption shotOption(QStringLiteral("screenshot"),
                                        QStringLiteral("Grava a tela do mapa em PNG e sai."),
                                        QStringLiteral("arquivo"));
    const QCommandLineOption appOption(
        QStringLiteral("pagamento-app"),
        QStringLiteral("Grava um pagamento feito pelo aplicativo, da mesa inteira (MESA) ou de "
                       "um lugar (MESA:LUGAR), e sai."),
        QStringLiteral("mesa[:lugar]"));
    const QCommandLineOption valueOption(
        QStringLiteral("valor"),
        QStringLiteral("Valor do pagamento pelo aplicativo (padrão: o dos pedidos)."),
        QStringLiteral("valor"));
    const QCommandLineOption tillNumberOption(
        QStringLiteral("caixa"),
        QStringLiteral("Número do caixa da loja de demonstração para o qual uma pasta nova é "
                       "preparada (padrão: 001)."),
        QStringLiteral("número"), QStringLiteral("001"));
    const QCommandLineOption delayOption(
        QStringLiteral("screenshot-delay"),
        QStringLiteral("Com --screenshot: espera estes milissegundos depois de o mapa aparecer."),
        QStringLiteral("ms"), QStringLiteral("0"));
    parser.addOption(tillOption);
    parser.addOption(shotOption);
    parser.addOption(delayOption);
    parser.addOption(tillNumberOption);
    parser.addOption(appOption);
    parser.addOption(valueOption);
    parser.process(app);

    QTextStream err(stderr);
    const QString pasta = parser.isSet(tillOption) ? parser.value(tillOption)
                                                   : QCoreApplication::applicationDirPath();
    if (!QDir().mkpath(pasta)) {
        err << "Não foi possível criar a pasta do caixa " << pasta << "\n";
        return 1;
    }
    tmk::setTillFolder(pasta);

    bool atrasoOk = false;
    const int atraso = parser.value(delayOption).toInt(&atrasoOk);
    if (!atrasoOk || atraso < 0) {
        err << "Espera inválida em --screenshot-delay: \"" << parser.value(delayOption)
            << "\" (milissegundos, 0 ou mais).\n";
        return 2;
    }
    tmk::AppPaymentRequest pedidoApp;
    if (parser.isSet(appOption) &&
        !pedidoPagamentoApp(parser.value(appOption), parser.value(valueOption), pedidoApp, err)) {
        return 2;
    }
    // A till the demo store does not have is refused before anything is prepared.
    try {
        tmk::checkDemoTill(parser.value(tillNumberOption).trimmed());
    } catch (const tmk::AppError& e) {
        err << e.message() << "\n";
        return 2;
    }

    try {
        auto aviso = avisoDoServidor(err);
        const tmk::TillPreparation feito =
            tmk::prepareDemoTill(tmk::tillFolder(), QDateTime::currentDateTime(),
                                 parser.value(tillNumberOption).trimmed());
        aviso.reset();
        if (feito.demoStoreCreated) {
            err << "Loja de demonstração criada em " << tmk::tillFolder() << "\n";
        }
        if (!feito.filesWritten.isEmpty()) {
            QStringList nomes;
            for (const QString& arquivo : feito.filesWritten) {
                nomes << QDir::toNativeSeparators(
                    QDir(tmk::tillFolder()).relativeFilePath(arquivo));
            }
            err << "Arquivos do caixa criados em " << tmk::tillFolder() << ": "
                << nomes.join(QStringLiteral(", ")) << "\n";
        }
    } catch (const tmk::TillDatabaseLost& e) {
        // Opening the screen would start an empty database over the lost one.
        err << e.message() << "\n";
        if (!parser.isSet(shotOption)) {
            erro(e.message());
        }
        return 1;
    } catch (const std::exception& e) {
        // The module reports the database again when it opens; the till goes on.
        err << tmk::exceptionText(e) << "\n";
    }
    err.flush();

    if (parser.isSet(appOption)) {
        return gravaPagamentoApp(pedidoApp, err);
    }

    try {
        tmk::TableModule modulo(QCoreApplication::applicationDirPath());
        modulo.definePastaCaixa(tmk::tillFolder());
        if (parser.isSet(shotOption)) {
            bool ok = false;
            agendaFoto(parser.value(shotOption), atraso, &ok);
            modulo.criaGerenciaMesa(QString());
            if (!ok) {
                err << "Não foi possível gravar a tela em " << parser.value(shotOption) << "\n";
                return 1;
            }
            err << "Tela do mapa gravada em " << parser.value(shotOption) << "\n";
            return 0;
        }
        for (;;) {
            const QVariantList r = modulo.criaGerenciaMesa(QString());
            const QString acao = r.value(0).toString();
            if (acao == QLatin1String("VENDA_CONS")) {
                tmk::abrePedido(modulo, r);
                continue;
            }
            // "FECHA_SISTEMA", or nothing at all when the module could not open.
            return acao == QLatin1String("FECHA_SISTEMA") ? 0 : 1;
        }
    } catch (const std::exception& e) {
        // Without an operator (the picture mode) the error only goes to the error output.
        err << tmk::exceptionText(e) << "\n";
        if (!parser.isSet(shotOption)) {
            erro(tmk::exceptionText(e));
        }
        return 1;
    }
}
