// One till in a process of its own, without an operator: the table module's entry called as
// the front office calls it, again after every opening that closes the screen, with the
// suite's stand-ins as the module wires them and the till folder given. The operator's part
// comes from the standard input, one line per operation:
//
//   mesa NNNN   the table number typed at the map and confirmed with Enter: a free table is
//               opened (first waiter, two people), one whose bill was requested is received
//               (paid in cash); the screen's own dispatch decides
//   atualiza    the map refreshed
//   sai         the till closes (so does the end of the input)
//
// Every modal window is answered at once (OperatorRobot). Each operation is answered with
// one line of JSON on the standard output, after "{"pronto":true}" once the map is shown:
//
//   {"operacao":"mesa","mesa":"0201","fechou":true,"acao":"VENDA_CONS","mesaRetornada":"0201",
//    "vendaRest":"...","recebida":false,"mensagens":[...]}
//   {"operacao":"atualiza","mesas":57,"mensagens":[...]}
//
//   reliability_till --pasta=FOLDER
#include "external/common.h"
#include "package/module_entry.h"
#include "package/suite_runtime.h"
#include "platform/clock.h"
#include "platform/errors.h"
#include "platform/till_folder.h"
#include "service/data_module.h"
#include "tools/reliability/operator_robot.h"

#include <QApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <cstdio>
#include <iostream>
#include <memory>
#include <string>

namespace {

using namespace tmk;

void responde(const QJsonObject& o) {
    std::fputs(QJsonDocument(o).toJson(QJsonDocument::Compact).constData(), stdout);
    std::fputc('\n', stdout);
    std::fflush(stdout);
}

class HeadlessTill {
public:
    HeadlessTill()
        : modulo_(
              suite_.libraries(), [this]() -> TrdmGerMesa& { return dataModule(); }, clock_) {
        modulo_.showModal = [this](TfrmGerMesaView&) {
            atende();
        };
    }

    // The host's loop: the entry again after every opening, until the input ends.
    int run() {
        while (!fim_) {
            suite_.attach(modulo_);
            mostrada_ = false;
            QVariantList result(10);
            modulo_.CriaGerenciaMesa({QVariant(QString())}, 0, result);
            if (!mostrada_) {
                // The screen could not be prepared (told); the front office would stop here.
                responde({{QStringLiteral("pronto"), false},
                          {QStringLiteral("mensagens"), QJsonArray::fromStringList(robo_.take())}});
                return 3;
            }
        }
        return 0;
    }

private:
    // The till's data module, made and connected on first use as the module makes it: a
    // server that is down leaves it configured, to reconnect by itself.
    TrdmGerMesa& dataModule() {
        if (!dm_) {
            auto novo = std::make_unique<TrdmGerMesa>();
            try {
                novo->connect();
            } catch (const AppError&) {
                if (!novo->configured()) {
                    throw;
                }
            }
            dm_ = std::move(novo);
        }
        return *dm_;
    }

    // While the screen is shown: one operation per line until the screen closes.
    void atende() {
        mostrada_ = true;
        TfrmGerMesa& tela = *modulo_.frmGerMesa();
        if (!pronta_) {
            pronta_ = true;
            QApplication::processEvents();
            robo_.take();
            responde({{QStringLiteral("pronto"), true}});
        }
        const int fechamentos = tela.vezesFechada();
        std::string linha;
        while (tela.vezesFechada() == fechamentos) {
            QApplication::processEvents();
            if (!std::getline(std::cin, linha)) {
                fim_ = true;
                return;
            }
            const QStringList partes =
                QString::fromStdString(linha).split(QLatin1Char(' '), Qt::SkipEmptyParts);
            const QString operacao = partes.value(0);
            if (operacao == QLatin1String("sai")) {
                fim_ = true;
                return;
            }
            if (operacao == QLatin1String("mesa") && partes.size() == 2) {
                mesa(tela, partes.at(1), fechamentos);
            } else if (operacao == QLatin1String("atualiza")) {
                atualiza(tela);
            } else {
                responde({{QStringLiteral("operacao"), operacao},
                          {QStringLiteral("mensagens"),
                           QJsonArray{QStringLiteral("Operação desconhecida: %1.")
                                          .arg(QString::fromStdString(linha))}}});
            }
        }
    }

    // The table typed on the map's keyboard and confirmed, as the operator does.
    void mesa(TfrmGerMesa& tela, const QString& nrMesa, int fechamentos) {
        robo_.take();
        tela.st.RetNrMesa.clear();
        tela.st.RetAcao.clear();
        tela.st.RetNrVendaRest.clear();
        // What an earlier selection left typed is erased first.
        while (!tela.model.lblBuffer.isEmpty()) {
            const qsizetype antes = tela.model.lblBuffer.size();
            tela.evento([&] { tela.FormKeyDown(Qt::Key_Backspace, Qt::NoModifier, QString()); });
            if (tela.model.lblBuffer.size() >= antes) {
                break;
            }
        }
        for (const QChar c : nrMesa) {
            tela.evento([&] { tela.FormKeyDown(0, Qt::NoModifier, QString(c)); });
        }
        tela.evento([&] { tela.FormKeyDown(Qt::Key_Return, Qt::NoModifier, QString()); });
        const bool fechou = tela.vezesFechada() != fechamentos;
        responde({{QStringLiteral("operacao"), QStringLiteral("mesa")},
                  {QStringLiteral("mesa"), nrMesa},
                  {QStringLiteral("fechou"), fechou},
                  {QStringLiteral("acao"), tela.st.RetAcao},
                  {QStringLiteral("mesaRetornada"), tela.st.RetNrMesa},
                  {QStringLiteral("vendaRest"), tela.st.RetNrVendaRest},
                  {QStringLiteral("recebida"), !fechou && tela.st.RetNrMesa == nrMesa},
                  {QStringLiteral("mensagens"), QJsonArray::fromStringList(robo_.take())}});
    }

    void atualiza(TfrmGerMesa& tela) {
        robo_.take();
        tela.evento([&] { tela.DisparaAtualizacao(); });
        const int mesas = tela.cdsStatusMesas.active() ? tela.cdsStatusMesas.recordCount() : 0;
        responde({{QStringLiteral("operacao"), QStringLiteral("atualiza")},
                  {QStringLiteral("mesas"), mesas},
                  {QStringLiteral("mensagens"), QJsonArray::fromStringList(robo_.take())}});
    }

    std::unique_ptr<TrdmGerMesa> dm_; // goes last, after the screen
    Clock clock_;
    SuiteRuntime suite_;
    ModuloGerMesa modulo_;
    OperatorRobot robo_;
    bool mostrada_ = false;
    bool pronta_ = false;
    bool fim_ = false;
};

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    QString pasta;
    for (const QString& a : QApplication::arguments().mid(1)) {
        if (a.startsWith(QLatin1String("--pasta="))) {
            pasta = a.mid(8);
        } else {
            std::fprintf(stderr, "Opção desconhecida: %s\n", qPrintable(a));
            return 2;
        }
    }
    if (pasta.isEmpty()) {
        std::fprintf(stderr, "Informe a pasta do caixa com --pasta=PASTA.\n");
        return 2;
    }
    try {
        tmk::setTillFolder(pasta);
        HeadlessTill caixa;
        return caixa.run();
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", qPrintable(tmk::exceptionText(e)));
        return 1;
    }
}
