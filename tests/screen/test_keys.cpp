#include "screen/command_table.h"
#include "tests/screen/screen_fixture.h"

using namespace tmk;
using namespace tmk::test;

namespace {

// The screen without a database: keys, the buffer, the general commands and the log.
class Keys : public ScreenOnly {
protected:
    void SetUp() override {
        ScreenOnly::SetUp();
        ScreenState& st = screen().st;
        st.IdEsquema = QStringLiteral("001");
        st.CdFilial = QStringLiteral("0001");
        st.CdCaixa = QStringLiteral("001");
        st.CdOperador = QStringLiteral("0001");
        st.NmOperador = QStringLiteral("Ana Lima");
        st.IdColetor = QStringLiteral("C"); // no cash-opening file needed
        st.IdTipoGaveta = QStringLiteral("0");
        st.CtAbrirGaveta = 1;
        st.CtConsultaPreco = 7;
        st.CtTrocaOperador = 8;
    }
    void tecla(int key, Qt::KeyboardModifiers mods = Qt::NoModifier, const QString& text = {}) {
        screen().evento([&] { screen().FormKeyDown(key, mods, text); });
    }
    void clica(const QString& botao) {
        screen().evento([&] { screen().comandoClicado(botao); });
    }
    QStringList registros() const {
        QStringList codes;
        for (const RecordedCall& c : suite.calls(QStringLiteral("LogControleAcess"))) {
            codes << c.text(2);
        }
        return codes;
    }
};

} // namespace

TEST_F(Keys, TheBufferHoldsFourCharactersTypedWithoutAlt) {
    struct Passo {
        int key;
        Qt::KeyboardModifiers mods;
        const char* text;
        const char* buffer;
    };
    const Passo passos[] = {
        {Qt::Key_1, Qt::NoModifier, "1", "1"},
        {Qt::Key_2, Qt::KeypadModifier, "2", "12"},
        {Qt::Key_A, Qt::NoModifier, "a", "12A"}, // upper case
        {Qt::Key_3, Qt::AltModifier, "3", "12A"},
        {Qt::Key_3, Qt::ControlModifier, "3", "12A"},
        {Qt::Key_Minus, Qt::NoModifier, "-", "12A"},
        {Qt::Key_4, Qt::ShiftModifier, "4", "12A4"},
        {Qt::Key_5, Qt::NoModifier, "5", "12A4"}, // a fifth character is dropped
        {Qt::Key_Backspace, Qt::NoModifier, "", "12A"},
        {Qt::Key_Delete, Qt::AltModifier, "", "12"},
        {Qt::Key_Backspace, Qt::NoModifier, "", "1"},
        {Qt::Key_Backspace, Qt::NoModifier, "", ""},
        {Qt::Key_Backspace, Qt::NoModifier, "", ""},
    };
    for (const Passo& p : passos) {
        tecla(p.key, p.mods, QString::fromLatin1(p.text));
        EXPECT_EQ(screen().model.lblBuffer, QString::fromLatin1(p.buffer)) << p.key;
    }
    EXPECT_TRUE(mensagens().isEmpty());
}

TEST_F(Keys, AreaSteppingPassesThroughThirteenToSixteen) {
    for (auto& b : screen().model.sbtAmb) {
        b.visible = true;
    }
    screen().model.sbtAmb[2].visible = false; // area 03 not configured
    screen().st.IdxAmbienteAtual = 12;
    screen().st.NrAmbienteAtual = QStringLiteral("12");
    const struct {
        int key;
        int indice;
        const char* area;
    } passos[] = {
        {Qt::Key_Up, 13, "12"},   {Qt::Key_Up, 14, "12"},  {Qt::Key_Up, 15, "12"},
        {Qt::Key_Up, 16, "12"},   {Qt::Key_Up, 1, "01"},   {Qt::Key_Up, 2, "02"},
        {Qt::Key_Up, 3, "02"},    {Qt::Key_Up, 4, "04"},   {Qt::Key_Down, 3, "04"},
        {Qt::Key_Down, 2, "02"},  {Qt::Key_Down, 1, "01"}, {Qt::Key_Down, 16, "01"},
        {Qt::Key_Down, 15, "01"},
    };
    for (const auto& p : passos) {
        tecla(p.key);
        EXPECT_EQ(screen().st.IdxAmbienteAtual, p.indice);
        EXPECT_EQ(screen().st.NrAmbienteAtual, QString::fromLatin1(p.area)) << p.indice;
    }
    EXPECT_TRUE(mensagens().isEmpty()) << mensagens().join('|').toStdString();
}

// Every key of the key table reaches its command.
TEST_F(Keys, EveryKeyRunsItsCommand) {
    const Qt::KeyboardModifiers alt = Qt::AltModifier;
    struct Caso {
        const char* nome;
        int key;
        Qt::KeyboardModifiers mods;
        const char* chamada; // the suite call the command makes first
        QString mensagem;    // or the message it shows
    };
    const Caso casos[] = {
        {"F1", Qt::Key_F1, {}, "RelFiscais", {}},
        {"F4", Qt::Key_F4, {}, "VerificaAcesso", {}},
        {"Alt+F4", Qt::Key_F4, alt, "VerificaAcesso", {}},
        {"F5", Qt::Key_F5, {}, "VerificaAcesso", {}},
        {"F9", Qt::Key_F9, {}, "CriaFuncoesFiscais", {}},
        {"F12", Qt::Key_F12, {}, nullptr, msgPadrao().Msg(QStringLiteral("GAV_S_PAR"))},
        {"Esc", Qt::Key_Escape, {}, nullptr, msgPadrao().Msg(QStringLiteral("Sair"))},
        {"Alt+S", Qt::Key_S, alt, nullptr, msgPadrao().Msg(QStringLiteral("Sair"))},
        {"Alt+T", Qt::Key_T, alt, "TecladoNumerico", {}},
        {"Alt+R", Qt::Key_R, alt, "TecladoNumerico", {}},
        {"Alt+O", Qt::Key_O, alt, "CriaMenuMesa", {}},
        {"Alt+E", Qt::Key_E, alt, "VerificaAcesso", {}},
        {"Alt+L", Qt::Key_L, alt, "VerificaAcesso", {}},
        {"Alt+A", Qt::Key_A, alt, "VerificaAcesso", {}},
        {"Alt+P", Qt::Key_P, alt, "VerificaAcesso", {}},
        {"Alt+F", Qt::Key_F, alt, "TecladoNumerico", {}},
        {"Alt+I", Qt::Key_I, alt, "TecladoNumerico", {}},
        {"Alt+M", Qt::Key_M, alt, "VerificaAcesso", {}},
        {"Alt+C", Qt::Key_C, alt, "PesqConsumidor", {}},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.nome);
        suite.clear();
        tecla(c.key, c.mods);
        if (c.chamada) {
            ASSERT_FALSE(suite.names().isEmpty());
            EXPECT_EQ(suite.names().first(), QString::fromLatin1(c.chamada));
        } else {
            ASSERT_FALSE(mensagens().isEmpty());
            EXPECT_EQ(mensagens().first(), c.mensagem);
        }
        EXPECT_EQ(screen().vezesFechada(), 0);
        EXPECT_TRUE(screen().model.lblBuffer.isEmpty());
    }
    // Alt+B leaves the screen for a counter sale.
    tecla(Qt::Key_B, alt);
    EXPECT_EQ(screen().vezesFechada(), 1);
    EXPECT_EQ(screen().st.RetAcao, QStringLiteral("VENDA_CONS"));
}

TEST_F(Keys, AltCombinationsCountWithAltAloneAndSomeIgnoreTheirButton) {
    // Alt with another modifier is no command, and Alt keeps letters out of the buffer.
    tecla(Qt::Key_R, Qt::AltModifier | Qt::ShiftModifier, QStringLiteral("R"));
    tecla(Qt::Key_R, Qt::ControlModifier | Qt::AltModifier, QStringLiteral("r"));
    EXPECT_TRUE(suite.names().isEmpty()) << suite.names().join(' ').toStdString();
    EXPECT_TRUE(screen().model.lblBuffer.isEmpty());
    tecla(Qt::Key_R, Qt::NoModifier, QStringLiteral("r"));
    EXPECT_EQ(screen().model.lblBuffer, QStringLiteral("R"));

    // "If enabled" keys do nothing while their button is disabled...
    screen().model.commands[QStringLiteral("sbtReserva")].enabled = false;
    screen().model.commands[QStringLiteral("sbtTrocaOperador")].enabled = false;
    screen().model.commands[QStringLiteral("lblSair")].enabled = false;
    for (const auto& [key, mods] :
         {std::pair{int(Qt::Key_R), Qt::KeyboardModifiers(Qt::AltModifier)},
          std::pair{int(Qt::Key_F4), Qt::KeyboardModifiers()},
          std::pair{int(Qt::Key_Escape), Qt::KeyboardModifiers()}}) {
        tecla(key, mods);
    }
    EXPECT_TRUE(suite.names().isEmpty()) << suite.names().join(' ').toStdString();
    // ...while Alt+S, Alt+B and Alt+C act whatever their button.
    screen().model.commands[QStringLiteral("sbtPedidos")].enabled = false;
    screen().model.commands[QStringLiteral("sbtConsultaCons")].visible = false;
    screen().model.commands[QStringLiteral("sbtConsultaCons")].enabled = false;
    tecla(Qt::Key_S, Qt::AltModifier);
    tecla(Qt::Key_C, Qt::AltModifier);
    tecla(Qt::Key_B, Qt::AltModifier);
    EXPECT_EQ(mensagens(), QStringList{msgPadrao().Msg(QStringLiteral("Sair"))});
    EXPECT_EQ(suite.count(QStringLiteral("PesqConsumidor")), 1);
    EXPECT_EQ(screen().vezesFechada(), 1);
}

TEST_F(Keys, EveryCommandButtonHasARowAndATouchRunsIt) {
    for (const QString& b : ScreenModel::commandButtonNames()) {
        EXPECT_NE(routeForButton(b.toLatin1().constData()), nullptr) << b.toStdString();
    }
    clica(QStringLiteral("sbtNPessoas"));
    EXPECT_EQ(suite.count(QStringLiteral("VerificaAcesso")), 1);
    clica(QStringLiteral("sbpTeclado"));
    ASSERT_EQ(suite.count(QStringLiteral("TecladoNumerico")), 1);
    EXPECT_EQ(suite.calls(QStringLiteral("TecladoNumerico")).first().text(1),
              msg(QStringLiteral("TECLADO")));
    suite.clear();
    clica(QStringLiteral("sbtReserva"));
    EXPECT_EQ(suite.count(QStringLiteral("TecladoNumerico")), 1);
    // A disabled button cannot run, and an unknown one is an error.
    suite.clear();
    screen().model.commands[QStringLiteral("sbtMenu")].enabled = false;
    clica(QStringLiteral("sbtMenu"));
    EXPECT_TRUE(suite.names().isEmpty());
    clica(QStringLiteral("sbtNada"));
    EXPECT_EQ(mensagens(), QStringList{QStringLiteral("Botão sbtNada sem comando nesta tela.")});
}

TEST_F(Keys, LeavingAsksFirst) {
    clica(QStringLiteral("lblSair"));
    EXPECT_EQ(suite.last(QStringLiteral("Mensagem")).text(3), QStringLiteral("S"));
    EXPECT_EQ(suite.last(QStringLiteral("Mensagem")).arg(4).toInt(), int(MsgPergunta));
    EXPECT_EQ(screen().vezesFechada(), 0);
    EXPECT_TRUE(screen().st.RetAcao.isEmpty());
    suite.common.mensagem.push(true);
    tecla(Qt::Key_Escape);
    EXPECT_EQ(screen().st.RetAcao, QStringLiteral("FECHA_SISTEMA"));
    EXPECT_EQ(screen().vezesFechada(), 1);
}

// The drawer key records the opening only when the drawer opened.
TEST_F(Keys, TheDrawerKeyRecordsOnlyARealOpening) {
    struct Caso {
        const char* nome;
        const char* tipoGaveta;
        bool impressoraFiscal;
        bool acesso;
        bool abre;
        bool registra;
        const char* mensagem;
    };
    const Caso casos[] = {
        {"no drawer", "0", false, true, true, false, "Não há gaveta parametrizada."},
        {"no drawer type", "", false, true, true, false, "Não há gaveta parametrizada."},
        {"non-fiscal printer, opens", "1", false, true, true, true, nullptr},
        {"non-fiscal printer, fails", "1", false, true, false, false,
         "Não foi possível abrir a gaveta."},
        {"no right", "1", false, false, true, false, nullptr},
        {"fiscal printer, opens", "1", true, true, true, true, nullptr},
        {"fiscal printer, fails", "1", true, true, false, false, "A gaveta não abriu."},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.nome);
        suite.clear();
        ScreenState& st = screen().st;
        st.IdTipoGaveta = QString::fromLatin1(c.tipoGaveta);
        st.UtilizaImpFis = c.impressoraFiscal;
        st.IdTipoImpNF3 = QStringLiteral("5");
        st.CdPortImpNF3 = QStringLiteral("USB003");
        st.CdPortaImpFis = QStringLiteral("COM1");
        suite.dialogs.verificaAcesso.push(
            {c.acesso, c.acesso ? QStringLiteral("0001") : QString()});
        suite.dialogs.abreGaveta.push(c.abre);
        suite.fiscal.abreGavetaImp.push(c.abre);
        suite.fiscal.estadoGavetaImp.push(QStringLiteral("01")).push(QStringLiteral("01"));
        tecla(Qt::Key_F12);
        EXPECT_EQ(registros().size(), c.registra ? 1 : 0);
        if (c.registra) {
            const RecordedCall r = suite.last(QStringLiteral("LogControleAcess"));
            EXPECT_EQ(r.text(2), QStringLiteral("ABR_GAV"));
            EXPECT_EQ(r.text(6), QStringLiteral("Abrir gaveta."));
            EXPECT_EQ(r.text(7), QStringLiteral("Abrir gaveta."));
            EXPECT_TRUE(r.text(8).isEmpty());
        }
        EXPECT_EQ(mensagens(),
                  c.mensagem ? QStringList{QString::fromUtf8(c.mensagem)} : QStringList{});
        if (c.acesso && QLatin1String(c.tipoGaveta) == QLatin1String("1")) {
            EXPECT_EQ(suite.count(QStringLiteral("AbreGaveta")), c.impressoraFiscal ? 0 : 1);
            EXPECT_EQ(suite.count(QStringLiteral("Abre_Gaveta_Imp")), c.impressoraFiscal ? 1 : 0);
        }
        suite.dialogs.abreGaveta.clear();
        suite.fiscal.abreGavetaImp.clear();
        suite.fiscal.estadoGavetaImp.clear();
        suite.dialogs.verificaAcesso.clear();
    }
    const RecordedCall gaveta = suite.calls(QStringLiteral("Abre_Gaveta_Imp")).value(0);
    EXPECT_EQ(gaveta.text(0), QStringLiteral("COM1"));
}

TEST_F(Keys, GeneralFunctionsReloadTheOperatorAndItsButtons) {
    writeOperador(QStringLiteral("0002"), QStringLiteral("Bruno Costa"));
    suite.dialogs.controleAcess.insert(8, QStringLiteral("N")); // the new operator's rights
    tecla(Qt::Key_F9);
    EXPECT_EQ(suite.count(QStringLiteral("CriaFuncoesFiscais")), 1);
    EXPECT_EQ(screen().st.CdOperador, QStringLiteral("0002"));
    EXPECT_FALSE(screen().model.commands.value(QStringLiteral("sbtTrocaOperador")).enabled);
    EXPECT_TRUE(screen().model.lblRodape.endsWith(QStringLiteral("Bruno Costa")));
    EXPECT_EQ(screen().vezesFechada(), 0);

    // Shutting the front office down from the dialog closes the screen.
    suite.dialogs.criaFuncoesFiscais.push(false);
    clica(QStringLiteral("sbtFuncoes"));
    EXPECT_EQ(screen().st.RetAcao, QStringLiteral("FECHA_SISTEMA"));
    EXPECT_EQ(screen().vezesFechada(), 1);
}

TEST_F(Keys, WithAFiscalPrinterItsDateIsCheckedFirst) {
    screen().st.UtilizaImpFis = true;
    screen().st.DataImp = QStringLiteral("N");
    suite.fiscal.verificaData.push({false, QStringLiteral("07/12/2026")});
    tecla(Qt::Key_F9);
    EXPECT_EQ(suite.count(QStringLiteral("CriaFuncoesFiscais")), 0);
    const RecordedCall data = suite.last(QStringLiteral("VerificaData"));
    EXPECT_EQ(data.text(0), QStringLiteral("001"));
    EXPECT_EQ(data.text(3), QStringLiteral("N"));
    EXPECT_EQ(data.arg(4).toInt(), 1);
    // With the printer in error its date is not asked.
    screen().st.ErroImpressora = true;
    tecla(Qt::Key_F9);
    EXPECT_EQ(suite.count(QStringLiteral("VerificaData")), 1);
    EXPECT_EQ(suite.count(QStringLiteral("CriaFuncoesFiscais")), 1);
}

TEST_F(Keys, ThePriceQueryNeedsItsRight) {
    suite.dialogs.verificaAcesso.push({false, {}}).push({true, QStringLiteral("0099")});
    tecla(Qt::Key_F5);
    EXPECT_EQ(suite.count(QStringLiteral("CriaConsultaPreco")), 0);
    clica(QStringLiteral("sbtConsultaPreco"));
    EXPECT_EQ(suite.count(QStringLiteral("CriaConsultaPreco")), 1);
    EXPECT_EQ(suite.last(QStringLiteral("VerificaAcesso")).arg(0).toInt(), 7);
    EXPECT_EQ(screen().st.CdOperAutoriz, QStringLiteral("0099"));
}

// The clean-up's answer becomes one record per flag, largest first.
TEST_F(Keys, TheOperationLogWritesOneRecordPerFlag) {
    const struct {
        int resposta;
        QStringList codigos;
    } casos[] = {
        {15, {"DEL_RES", "DEL_CMD", "DEL_ICM", "DEL_ITC"}},
        {9, {"DEL_RES", "DEL_ITC"}},
        {6, {"DEL_CMD", "DEL_ICM"}},
        {1, {"DEL_ITC"}},
        {0, {}},
        {-3, {}},
    };
    for (const auto& c : casos) {
        suite.clear();
        screen().geraLog(c.resposta, QStringLiteral("0012"));
        EXPECT_EQ(registros(), c.codigos) << c.resposta;
        for (const RecordedCall& r : suite.calls(QStringLiteral("LogControleAcess"))) {
            const QString texto = msgPadrao().Msg(r.text(2));
            EXPECT_EQ(r.text(0), QStringLiteral("0001"));
            EXPECT_EQ(r.text(1), QStringLiteral("001"));
            EXPECT_EQ(r.text(3), QStringLiteral("0001"));
            EXPECT_EQ(r.text(4), QStringLiteral("Ana Lima"));
            EXPECT_EQ(r.text(6), texto);
            EXPECT_EQ(r.text(7), r.text(2) == QLatin1String("DEL_RES")
                                     ? texto + QStringLiteral(" Nº da mesa : 0012")
                                     : texto);
            EXPECT_TRUE(r.text(8).isEmpty() && r.text(11).isEmpty());
        }
    }
}
