// The table commands without a database: the order of their guards, their buttons and
// keys, the counter sale and the consumer consultation.
#include "tests/screen/screen_fixture.h"

#include <QSignalSpy>

using namespace tmk;
using namespace tmk::test;

namespace {

class Commands : public ScreenOnly {
protected:
    void SetUp() override {
        ScreenOnly::SetUp();
        writeParametros();
        writeOperador(QStringLiteral("0001"), QStringLiteral("Ana Lima"));
        writeAberturaCaixa(true);
        screen().InicializaForm();
        suite.clear();
    }
    ScreenState& st() { return screen().st; }
    // The guards' calls (the drawer's two readings, the access check, the message of a
    // refused cash register), in order.
    QStringList guardas() const {
        QStringList nomes;
        for (const RecordedCall& c : suite.log.all()) {
            if (c.name == QLatin1String("Estado_Gaveta_Imp")) {
                nomes << QStringLiteral("gaveta");
            } else if (c.name == QLatin1String("VerificaAcesso")) {
                nomes << QStringLiteral("acesso");
            } else if (c.name == QLatin1String("Mensagem") &&
                       c.text(0) == msg(QStringLiteral("ERRO_IMPRESSORA"))) {
                nomes << QStringLiteral("caixa");
            } else if (c.name == QLatin1String("TecladoNumerico") ||
                       c.name == QLatin1String("TrocaOperadorCaixa") ||
                       c.name == QLatin1String("ParcialConta") ||
                       c.name == QLatin1String("PesqConsumidor")) {
                nomes << QStringLiteral("dialogo");
            }
        }
        return nomes;
    }
};

using Comando = void (TfrmGerMesa::*)();

} // namespace

// The guards of each command, in order: once with the cash register refused (printer in
// error), once with the access refused. Nothing is asked of the operator after a refusal.
TEST_F(Commands, GuardOrderOfEachCommand) {
    struct Caso {
        const char* nome;
        Comando comando;
        QStringList caixaRecusado;
        QStringList acessoRecusado;
    };
    const QStringList g2{"gaveta", "gaveta"};
    const Caso casos[] = {
        {"party size", &TfrmGerMesa::sbtNPessoasClick, g2 + QStringList{"acesso", "caixa"},
         g2 + QStringList{"acesso"}},
        {"release", &TfrmGerMesa::sbtLiberarMesaClick, g2 + QStringList{"caixa"},
         g2 + QStringList{"acesso"}},
        {"close account", &TfrmGerMesa::spbFechaClick, g2 + QStringList{"caixa"},
         g2 + QStringList{"dialogo"}},
        {"partial bill", &TfrmGerMesa::sbpParcialClick, g2 + QStringList{"acesso", "caixa"},
         g2 + QStringList{"acesso"}},
        {"item cancellation", &TfrmGerMesa::sbtCancelaItemClick, g2 + QStringList{"caixa"},
         g2 + QStringList{"dialogo"}},
        {"opening cancellation", &TfrmGerMesa::sbtCancAberturaClick,
         g2 + QStringList{"acesso", "caixa"}, g2 + QStringList{"acesso"}},
        {"operator change", &TfrmGerMesa::sbtTrocaOperadorClick,
         g2 + QStringList{"acesso", "dialogo"}, g2 + QStringList{"acesso"}},
        {"counter sale", &TfrmGerMesa::sbtPedidosClick, {"caixa"}, {}},
        {"consumer consultation", &TfrmGerMesa::sbtConsultaConsClick, {"dialogo"}, {"dialogo"}},
    };
    st().UtilizaImpFis = true;
    st().IdTipoGaveta = QStringLiteral("2");
    st().IdPerTrocaOp = QStringLiteral("S");
    suite.fiscal.estadoGavetaImp.setDefault(QStringLiteral("00"));
    for (const Caso& c : casos) {
        suite.clear();
        st().ErroImpressora = true;
        suite.dialogs.verificaAcesso.push({true, QStringLiteral("0001")});
        screen().evento([&] { (screen().*c.comando)(); });
        EXPECT_EQ(guardas(), c.caixaRecusado) << c.nome;

        suite.clear();
        suite.dialogs.verificaAcesso.clear();
        st().ErroImpressora = false;
        screen().evento([&] { (screen().*c.comando)(); });
        EXPECT_EQ(guardas(), c.acessoRecusado) << c.nome;
    }
}

TEST_F(Commands, AnOpenDrawerRefusesBeforeAnythingElse) {
    st().UtilizaImpFis = true;
    st().IdTipoGaveta = QStringLiteral("1");
    suite.fiscal.estadoGavetaImp.setDefault(QStringLiteral("00"));
    suite.dialogs.verificaAcesso.setDefault({true, QStringLiteral("0001")});
    for (Comando c : {&TfrmGerMesa::sbtNPessoasClick, &TfrmGerMesa::sbtLiberarMesaClick,
                      &TfrmGerMesa::spbFechaClick, &TfrmGerMesa::sbpParcialClick,
                      &TfrmGerMesa::sbtCancelaItemClick, &TfrmGerMesa::sbtCancAberturaClick,
                      &TfrmGerMesa::sbtTrocaOperadorClick}) {
        suite.clear();
        screen().evento([&] { (screen().*c)(); });
        EXPECT_EQ(mensagens(), QStringList{msg(QStringLiteral("Gaveta_Aberta"))});
        EXPECT_EQ(suite.count(QStringLiteral("VerificaAcesso")), 0);
        EXPECT_EQ(suite.count(QStringLiteral("TecladoNumerico")), 0);
    }
}

// Every command's button and key; a key of a disabled button does nothing, except the
// counter sale and the consumer consultation.
TEST_F(Commands, ButtonsAndKeysReachTheirCommands) {
    struct Caso {
        const char* botao;
        int tecla;
        Qt::KeyboardModifiers mods;
        const char* primeiro; // the first dialog call the command makes, its caption key
        bool sempre;
    };
    const Caso casos[] = {
        {"sbtNPessoas", Qt::Key_A, Qt::AltModifier, "NRPESSOA", false},
        {"sbtLiberarMesa", Qt::Key_L, Qt::AltModifier, "LIBERAR", false},
        {"spbFecha", Qt::Key_F, Qt::AltModifier, "FECHACONTA", false},
        {"sbtCancelaItem", Qt::Key_I, Qt::AltModifier, "CANC_ITEM", false},
        {"sbtCancAbertura", Qt::Key_M, Qt::AltModifier, "CANC_ABER", false},
        {"sbpParcial", Qt::Key_P, Qt::AltModifier, "ParcialConta", false},
        {"sbtTrocaOperador", Qt::Key_F4, Qt::NoModifier, "TrocaOperadorCaixa", false},
        {"sbtTrocaOperador", Qt::Key_E, Qt::AltModifier, "TrocaOperadorCaixa", false},
        {"sbtTrocaOperador", Qt::Key_F4, Qt::AltModifier, "TrocaOperadorCaixa", false},
        {"sbtConsultaCons", Qt::Key_C, Qt::AltModifier, "PesqConsumidor", true},
    };
    st().IdPerTrocaOp = QStringLiteral("S");
    suite.dialogs.verificaAcesso.setDefault({true, QStringLiteral("0001")});
    const auto chamou = [this](const char* primeiro) {
        const QString p = QString::fromLatin1(primeiro);
        if (suite.count(p) > 0) {
            return true;
        }
        return suite.count(QStringLiteral("TecladoNumerico")) > 0 &&
               suite.calls(QStringLiteral("TecladoNumerico")).first().text(1) == msg(p);
    };
    for (const Caso& c : casos) {
        const QString botao = QString::fromLatin1(c.botao);
        screen().model.commands[botao].enabled = true;
        suite.clear();
        screen().evento([&] { screen().comandoClicado(botao); });
        EXPECT_TRUE(chamou(c.primeiro)) << c.botao << " button";
        suite.clear();
        screen().evento([&] { screen().FormKeyDown(c.tecla, c.mods, QString()); });
        EXPECT_TRUE(chamou(c.primeiro)) << c.botao << " key";

        screen().model.commands[botao].enabled = false;
        suite.clear();
        screen().evento([&] { screen().FormKeyDown(c.tecla, c.mods, QString()); });
        EXPECT_EQ(chamou(c.primeiro), c.sempre) << c.botao << " key, button disabled";
        screen().model.commands[botao].enabled = true;
    }
    // Alt+F4 never closes the window; a letter without Alt goes to the typed number.
    screen().model.lblBuffer.clear();
    screen().FormKeyDown(Qt::Key_A, Qt::NoModifier, QStringLiteral("a"));
    EXPECT_EQ(screen().model.lblBuffer, QStringLiteral("A"));
    // Alt with another modifier is no command key.
    suite.clear();
    screen().evento(
        [&] { screen().FormKeyDown(Qt::Key_A, Qt::AltModifier | Qt::ControlModifier, QString()); });
    EXPECT_EQ(suite.count(QStringLiteral("TecladoNumerico")), 0);
}

// ------------------------------------------------------------------ counter sale

TEST_F(Commands, ACounterSaleHandsTheTenValuesToTheHost) {
    st().RetNrVendaRest = QStringLiteral("velho");
    st().RetNrMesa = QStringLiteral("0005");
    st().RetCdConsumidor = QStringLiteral("x");
    st().RetAbreVenda = true;
    screen().model.commands[QStringLiteral("sbtPedidos")].enabled = false; // the key acts anyway
    QSignalSpy fechou(&screen(), &TfrmGerMesa::closeRequested);
    screen().evento([&] { screen().FormKeyDown(Qt::Key_B, Qt::AltModifier, QString()); });
    ASSERT_EQ(fechou.count(), 1);
    EXPECT_EQ(st().RetAcao, QStringLiteral("VENDA_CONS"));
    for (const QString* vazio :
         {&st().RetNrVendaRest, &st().RetDsComanda, &st().RetCdCliente, &st().RetNrMesa,
          &st().RetNrComanda, &st().RetCdVendedor, &st().RetCdConsumidor}) {
        EXPECT_TRUE(vazio->isEmpty());
    }
    EXPECT_EQ(st().RetTipoVenda, QStringLiteral("B"));
    EXPECT_FALSE(st().RetAbreVenda);
    EXPECT_TRUE(screen().timDataHora.isActive());
    EXPECT_TRUE(screen().timConexao.isActive());
    EXPECT_TRUE(screen().timAtuTicketMed.isActive());
}

TEST_F(Commands, ACounterSaleOnAClosedCashRegisterKeepsTheScreen) {
    writeAberturaCaixa(false);
    screen().cdsAberturaCaixa.emptyDataSet();
    st().IdColetor = QStringLiteral("R");
    screen().DesabilitaTimer();
    QSignalSpy fechou(&screen(), &TfrmGerMesa::closeRequested);
    screen().evento([&] { screen().sbtPedidosClick(); });
    EXPECT_EQ(fechou.count(), 0);
    EXPECT_EQ(mensagens(), QStringList{QStringLiteral("O caixa 001 não está aberto.")});
    EXPECT_TRUE(st().RetAcao.isEmpty());
    EXPECT_TRUE(screen().timConexao.isActive());
    EXPECT_TRUE(screen().timDataHora.isActive());
}

// ------------------------------------------------------------------ consumer consultation

TEST_F(Commands, TheConsultationKeepsNothingOfTheAnswer) {
    st().CdCliente = QStringLiteral("000001");
    const QString rodape = screen().model.lblRodape;
    screen().evento([&] { screen().sbtConsultaConsClick(); });
    const RecordedCall c = suite.last(QStringLiteral("PesqConsumidor"));
    EXPECT_EQ(c.text(0), QStringLiteral("CONSULTA"));
    EXPECT_EQ(c.arg(1).toInt(), 0);
    EXPECT_EQ(c.text(3), QStringLiteral("1"));
    EXPECT_EQ(c.text(4), QStringLiteral("A"));
    EXPECT_EQ(c.text(5), QStringLiteral("cdsCliente"));
    EXPECT_EQ(c.text(6), QStringLiteral("000001"));
    EXPECT_EQ(st().CdCliente, QStringLiteral("000001"));
    EXPECT_EQ(screen().model.lblRodape, rodape);
    EXPECT_TRUE(mensagens().isEmpty());
}

TEST_F(Commands, AnErrorOfTheConsultationIsShownWithItsOwnText) {
    suite.dialogs.pesqConsumidor.push(QStringLiteral("Sem conexão com o banco de dados."));
    EXPECT_TRUE(screen().evento([&] { screen().sbtConsultaConsClick(); }));
    EXPECT_EQ(mensagens(), QStringList{QStringLiteral("Sem conexão com o banco de dados.")});
    EXPECT_EQ(suite.last(QStringLiteral("Mensagem")).arg(4).toInt(), int(MsgErro));
    EXPECT_EQ(suite.last(QStringLiteral("Mensagem")).text(6), st().IdEsquema);
}
