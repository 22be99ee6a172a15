// The walkthrough's driver on windows of its own: a step that gets the windows it expects
// passes, and every way a step can go wrong is recorded as a failure of that step while the
// day goes on to the next step and ends by closing the front office.
#include "host/walkthrough/walkthrough.h"

#include <QApplication>
#include <QDialog>
#include <QEventLoop>
#include <QImage>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

namespace tmk::walkthrough {
namespace {

QPushButton* botao(QWidget* pai, const QString& nome) {
    auto* b = new QPushButton(nome, pai);
    b->setObjectName(nome);
    return b;
}

// A stand-in of the table map: drawn and modal, with a button that opens a dialog
// ("Dialogo", button "btnOk"), one that tells a message ("Mensagem", button "btnOK"), one
// that hands over to a window of the front office ("Entregue", see percorre), one that waits
// for a window that is never answered ("Espera"), and the general functions, whose
// "btnFechaSistema" closes it.
class MapaDeTeste : public QDialog {
public:
    bool entrega = false;

    MapaDeTeste() {
        setObjectName(QStringLiteral("frmGerMesa"));
        setProperty("mapaPronto", true);
        resize(800, 600);
        connect(botao(this, QStringLiteral("btnAbre")), &QPushButton::clicked, this, [this] {
            QDialog d(this);
            d.setObjectName(QStringLiteral("Dialogo"));
            connect(botao(&d, QStringLiteral("btnOk")), &QPushButton::clicked, &d,
                    &QDialog::accept);
            d.exec();
        });
        connect(botao(this, QStringLiteral("btnMensagem")), &QPushButton::clicked, this, [this] {
            QMessageBox box(QMessageBox::Information, QString(), QStringLiteral("Mesa aberta."),
                            QMessageBox::NoButton, this);
            box.setObjectName(QStringLiteral("Mensagem"));
            box.setEscapeButton(box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole));
            box.escapeButton()->setObjectName(QStringLiteral("btnOK"));
            box.exec();
        });
        connect(botao(this, QStringLiteral("btnEntrega")), &QPushButton::clicked, this, [this] {
            entrega = true;
            done(QDialog::Rejected);
        });
        connect(botao(this, QStringLiteral("btnEspera")), &QPushButton::clicked, this, [] {
            // A window off the modal chain, waited for in a loop of its own.
            QDialog espera;
            espera.setObjectName(QStringLiteral("Espera"));
            QEventLoop laco;
            connect(&espera, &QDialog::finished, &laco, &QEventLoop::quit);
            espera.show();
            laco.exec();
        });
        connect(botao(this, QStringLiteral("sbtFuncoes")), &QPushButton::clicked, this, [this] {
            QDialog d(this);
            d.setObjectName(QStringLiteral("FuncoesGerais"));
            connect(botao(&d, QStringLiteral("btnFechaSistema")), &QPushButton::clicked, &d,
                    &QDialog::accept);
            if (d.exec() == QDialog::Accepted) {
                accept();
            }
        });
    }
};

// The front office in small: the map, shown again after each window it handed over to. The
// window is shown before it is run, so it is not modal. Whatever is open after 30 s is
// closed.
int percorre(MapaDeTeste& mapa) {
    QTimer::singleShot(30000, &mapa, [&mapa] {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (auto* d = qobject_cast<QDialog*>(w); d && d != &mapa && d->isVisible()) {
                d->done(QDialog::Rejected);
            }
        }
        mapa.done(QDialog::Rejected);
    });
    for (;;) {
        const int saida = mapa.exec();
        if (!mapa.entrega) {
            return saida;
        }
        mapa.entrega = false;
        QDialog entregue;
        entregue.setObjectName(QStringLiteral("Entregue"));
        QObject::connect(botao(&entregue, QStringLiteral("btnOk")), &QPushButton::clicked,
                         &entregue, &QDialog::accept);
        entregue.show();
        entregue.exec();
    }
}

struct Caso {
    const char* nome;
    std::function<void(Walkthrough&)> faz;
    std::function<void(Walkthrough&)> confere;
    QStringList falhas; // what the step must record, exactly
};

TEST(WalkthroughDriver, RecordsWhatEachStepGotWrongAndGoesOnToTheEnd) {
    const std::vector<Caso> casos = {
        {"respondida",
         [](Walkthrough& w) {
             w.quandoAparecer(QStringLiteral("Dialogo"),
                              [](QWidget& d) { toca(d, QStringLiteral("btnOk")); });
             toca(w.mapa(), QStringLiteral("btnAbre"));
         },
         nullptr,
         {}},
        {"mensagem-certa",
         [](Walkthrough& w) {
             w.responde(QStringLiteral("Mesa aberta."));
             toca(w.mapa(), QStringLiteral("btnMensagem"));
         },
         nullptr,
         {}},
        {"mensagem-errada",
         [](Walkthrough& w) {
             w.responde(QStringLiteral("Mesa fechada."));
             toca(w.mapa(), QStringLiteral("btnMensagem"));
         },
         nullptr,
         {QStringLiteral("Mensagem \"Mesa aberta.\" em vez de \"Mesa fechada.\".")}},
        {"janela-sem-modalidade",
         [](Walkthrough& w) {
             w.quandoAparecer(QStringLiteral("Entregue"),
                              [](QWidget& d) { toca(d, QStringLiteral("btnOk")); });
             toca(w.mapa(), QStringLiteral("btnEntrega"));
         },
         nullptr,
         {}},
        {"janela-que-nao-vem",
         [](Walkthrough& w) {
             w.quandoAparecer(QStringLiteral("Dialogo"),
                              [](QWidget& d) { toca(d, QStringLiteral("btnOk")); });
         },
         nullptr,
         {QStringLiteral("Não apareceu: Dialogo.")}},
        {"janela-inesperada",
         [](Walkthrough& w) { toca(w.mapa(), QStringLiteral("btnAbre")); },
         nullptr,
         {QStringLiteral("Janela inesperada: Dialogo.")}},
        {"controle-que-falta",
         [](Walkthrough& w) {
             w.quandoAparecer(QStringLiteral("Dialogo"),
                              [](QWidget& d) { toca(d, QStringLiteral("btnNaoExiste")); });
             toca(w.mapa(), QStringLiteral("btnAbre"));
         },
         nullptr,
         {QStringLiteral("Dialogo não tem o controle btnNaoExiste.")}},
        {"passo-interrompido",
         [](Walkthrough& w) { toca(w.mapa(), QStringLiteral("btnSumido")); },
         nullptr,
         {QStringLiteral("frmGerMesa não tem o controle btnSumido.")}},
        {"conferencias",
         nullptr,
         [](Walkthrough& w) {
             w.confere(true, QStringLiteral("certa"));
             w.confere(false, QStringLiteral("errada"));
             w.igual(QStringLiteral("D"), QStringLiteral("D"), QStringLiteral("Estado"));
             w.igual(QStringLiteral("S"), QStringLiteral("D"), QStringLiteral("Estado"));
             w.igual(6.0, 6, QStringLiteral("Pessoas"));
             w.igual(5.99, 6.0, QStringLiteral("Valor"));
         },
         {QStringLiteral("errada"), QStringLiteral("Estado: \"S\" em vez de \"D\"."),
          QStringLiteral("Valor: \"5.99\" em vez de \"6\".")}},
    };
    std::vector<Step> passos;
    for (const Caso& c : casos) {
        passos.push_back({QString::fromLatin1(c.nome), QString(), c.faz, c.confere});
    }
    QTemporaryDir caixa;
    QTemporaryDir fotos;
    ASSERT_TRUE(caixa.isValid() && fotos.isValid());
    Walkthrough dia(passos, caixa.path(), QSqlDatabase(), fotos.path());
    dia.definePrazos(400, 200);
    MapaDeTeste mapa;
    dia.start();
    EXPECT_EQ(percorre(mapa), QDialog::Accepted) << "closed from the general functions";
    EXPECT_TRUE(dia.terminou());

    ASSERT_EQ(dia.resultados().size(), casos.size());
    for (size_t i = 0; i < casos.size(); ++i) {
        const StepResult& r = dia.resultados()[i];
        SCOPED_TRACE(casos[i].nome);
        EXPECT_TRUE(r.feito);
        EXPECT_EQ(r.falhas, casos[i].falhas) << r.falhas.join(QLatin1Char('\n')).toStdString();
        EXPECT_EQ(QImage(r.foto).size(), QSize(800, 600));
    }
}

// A step that never ends fails at its deadline naming the windows on screen; they are closed,
// the rest of the day is not walked and the front office is closed all the same.
TEST(WalkthroughDriver, AStepThatHangsFailsAtItsDeadlineAndTheDayEnds) {
    const std::vector<Step> passos = {
        {QStringLiteral("antes"), QString(),
         [](Walkthrough& w) {
             w.responde(QStringLiteral("Mesa aberta."));
             toca(w.mapa(), QStringLiteral("btnMensagem"));
         },
         nullptr},
        {QStringLiteral("espera"), QString(),
         [](Walkthrough& w) { toca(w.mapa(), QStringLiteral("btnEspera")); }, nullptr},
        {QStringLiteral("depois"), QString(), nullptr, nullptr},
    };
    QTemporaryDir caixa;
    ASSERT_TRUE(caixa.isValid());
    Walkthrough dia(passos, caixa.path(), QSqlDatabase());
    dia.definePrazos(400, 200);
    dia.definePrazoDoPasso(1000);
    MapaDeTeste mapa;
    dia.start();
    EXPECT_EQ(percorre(mapa), QDialog::Accepted) << "closed from the general functions";
    EXPECT_TRUE(dia.terminou());

    ASSERT_EQ(dia.resultados().size(), 3U);
    EXPECT_TRUE(dia.resultados()[0].feito);
    EXPECT_TRUE(dia.resultados()[0].falhas.isEmpty());
    EXPECT_EQ(dia.resultados()[1].falhas,
              (QStringList{QStringLiteral("O passo espera não terminou em 1 s; janelas na tela: "
                                          "Espera, frmGerMesa. O resto do dia não é feito."),
                           QStringLiteral("Fechada: Espera.")}));
    EXPECT_FALSE(dia.resultados()[2].feito);
    EXPECT_TRUE(dia.falhas().contains(QStringLiteral("depois: não foi feito.")));
}

} // namespace
} // namespace tmk::walkthrough
