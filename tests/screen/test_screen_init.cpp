#include "platform/till_folder.h"
#include "tests/screen/screen_fixture.h"

#include <QFile>
#include <QTest>

using namespace tmk;
using namespace tmk::test;

namespace {

class ScreenInit : public ScreenWithStore {
protected:
    void abre() {
        screen().InicializaForm();
        screen().FormActivate();
    }
    void mapaDeUmaMesa(const QString& estado = QStringLiteral("D")) {
        loja();
        area(QStringLiteral("01"), QStringLiteral("Salão"));
        area(QStringLiteral("02"), QStringLiteral("Varanda"));
        mesa(QStringLiteral("0001"), estado, QStringLiteral("01"), 1, 1);
        mesa(QStringLiteral("0021"), QStringLiteral("D"), QStringLiteral("02"), 1, 1);
    }
    QStringList operacoes(const QString& unidade = {}) const {
        QStringList names;
        for (const RecordedCall& c : suite.calls(QStringLiteral("MensagemMetodo"))) {
            if (unidade.isEmpty() || c.text(4) == unidade) {
                names << c.text(3);
            }
        }
        return names;
    }
};

} // namespace

TEST_F(ScreenInit, LoadsTheParameterFileAndDerivesTheFiscalSettings) {
    writeParametros({{QStringLiteral("CDCAIXA"), QStringLiteral("007")},
                     {QStringLiteral("SISTEMAKOVNFCE"), false},
                     {QStringLiteral("SISTEMAKOVSAT"), true},
                     {QStringLiteral("ctLiberarMesa"), 66}});
    mapaDeUmaMesa();
    abre();
    const ScreenState& st = screen().st;
    EXPECT_EQ(st.CdFilial, QStringLiteral("0001"));
    EXPECT_EQ(st.CdCaixa, QStringLiteral("007"));
    EXPECT_EQ(st.CtLiberarMesa, 66);
    EXPECT_TRUE(st.SistemaKovSat);
    EXPECT_EQ(st.TipoDocFiscal, QStringLiteral("S"));
    EXPECT_EQ(st.TipoImpNaoFiscal, QStringLiteral("EXTRATO_SAT"));
    EXPECT_EQ(st.DirXmlFiscal,
              tillPath(QStringLiteral("\\Dados\\XML_NFCe_Sat\\0001-007-2026-12-08")) +
                  QLatin1Char('/'));
    EXPECT_EQ(screen().model.brandPicture, QStringLiteral("ImgKovNFCe"));
    EXPECT_EQ(st.DataSistema, clock.now());
    // The version probe goes through the service convention with scheme "002".
    const RecordedCall versao = suite.calls(QStringLiteral("MensagemMetodo")).first();
    EXPECT_EQ(versao.text(3), QStringLiteral("getVersaoBanco"));
    EXPECT_EQ(versao.text(6), QStringLiteral("002"));
    EXPECT_EQ(versao.arg(0), QVariant(false));
    // Initialisation ends with the refresh timer running and area 01 on page 1.
    EXPECT_TRUE(screen().timConexao.isActive());
    EXPECT_EQ(screen().timConexao.interval(), 20000);
    EXPECT_EQ(screen().timDataHora.interval(), 1000);
    EXPECT_EQ(screen().timAtuTicketMed.interval(), 300000);
    EXPECT_EQ(screen().model.lblPagMesa, QStringLiteral("PÁGINA  1"));
}

TEST_F(ScreenInit, WithoutParameterFileTheScreenOpensWithAnEmptyMap) {
    mapaDeUmaMesa();
    abre();
    EXPECT_TRUE(screen().st.CdFilial.isEmpty());
    EXPECT_TRUE(screen().st.CdLoja.isEmpty());
    for (const RecordedCall& c : suite.calls(QStringLiteral("MensagemMetodo"))) {
        if (c.text(3) == QLatin1String("getStatusMesa")) {
            EXPECT_EQ(c.text(5), QStringLiteral("--"));
        }
    }
    for (const auto& b : screen().model.tcb) {
        EXPECT_FALSE(b.enabled);
    }
    EXPECT_TRUE(screen().timConexao.isActive());
    EXPECT_TRUE(mensagens().isEmpty()) << mensagens().join(QLatin1Char('|')).toStdString();
}

TEST_F(ScreenInit, AMalformedLocalFileIsNamedAndTheScreenStillOpens) {
    writeParametros();
    mapaDeUmaMesa();
    QFile f(tillPath(QStringLiteral("\\Dados\\Cadastros\\AliqImpFis.cds")));
    QDir().mkpath(QFileInfo(f).absolutePath());
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("<DATAPACKET Version=\"2.0\"><METADATA><FIELDS><FIELD attrname=");
    f.close();
    abre();
    ASSERT_EQ(mensagens().size(), 1);
    EXPECT_TRUE(mensagens().first().contains(QStringLiteral("AliqImpFis.cds")))
        << mensagens().first().toStdString();
    EXPECT_EQ(suite.last(QStringLiteral("Mensagem")).arg(4).toInt(), int(MsgErro));
    EXPECT_EQ(screen().st.CdFilial, QStringLiteral("0001"));
    EXPECT_TRUE(screen().model.tcb[0].enabled);
}

TEST_F(ScreenInit, ASecondEntryKeepsTheParametersButReloadsOperatorAndBusinessDate) {
    writeParametros();
    mapaDeUmaMesa();
    auto writeOp = [&](const QString& cd, const QString& nm) {
        ClientDataSet cds;
        DataPacket p;
        p.fields = {{QStringLiteral("CDOPERADOR"), FieldType::Text, 12},
                    {QStringLiteral("NMOPERADOR"), FieldType::Text, 60}};
        p.rows = {{cd, nm}};
        cds.setData(p);
        cds.saveToFile(tillPath(QStringLiteral("\\Dados\\Cadastros\\ControleAcess.cds")));
    };
    QDir().mkpath(tillPath(QStringLiteral("Dados/Cadastros")));
    writeOp(QStringLiteral("10"), QStringLiteral("Ana"));
    abre();
    EXPECT_EQ(screen().st.NmOperador, QStringLiteral("Ana"));
    EXPECT_EQ(screen().model.lblRodape,
              QStringLiteral("Filial: 0001 - Loja: 0001 - Caixa: 001 - Ana"));
    screen().sbtAmb01Click(QStringLiteral("sbtAmb02"));
    EXPECT_EQ(screen().st.NrAmbienteAtual, QStringLiteral("02"));

    writeParametros({{QStringLiteral("CDCAIXA"), QStringLiteral("999")}});
    writeOp(QStringLiteral("11"), QStringLiteral("Bruno"));
    screen().InicializaForm();
    EXPECT_EQ(screen().st.CdCaixa, QStringLiteral("001"));
    EXPECT_EQ(screen().st.CdOperador, QStringLiteral("11"));
    EXPECT_EQ(screen().st.NmOperador, QStringLiteral("Bruno"));
    EXPECT_EQ(screen().st.NrAmbienteAtual, QStringLiteral("01"));
    EXPECT_EQ(screen().st.NrPaginaAtual, 1);
    EXPECT_EQ(screen().model.lblMensagem, QStringLiteral("Salão"));
}

TEST_F(ScreenInit, WithThePrinterInErrorOnlyGeneralFunctionsAndPriceQueryStayEnabled) {
    writeParametros({{QStringLiteral("BOERROIMPRESSORA"), true},
                     {QStringLiteral("IDCONSCAMPFIDEL"), QStringLiteral("S")}});
    mapaDeUmaMesa();
    abre();
    const auto& cmd = screen().model.commands;
    for (auto it = cmd.cbegin(); it != cmd.cend(); ++it) {
        const bool esperado = it.key() == QLatin1String("sbtFuncoes") ||
                              it.key() == QLatin1String("sbtConsultaPreco") ||
                              it.key() == QLatin1String("sbtConsultaCons") ||
                              it.key() == QLatin1String("lblSair");
        EXPECT_EQ(it.value().enabled, esperado) << it.key().toStdString();
    }
    // Without the right to query prices it goes too; the consumer button hides
    // without the loyalty setting.
    suite.dialogs.controleAcess.insert(7, QStringLiteral("N"));
    screen().ControlaHabilitacao();
    EXPECT_FALSE(cmd.value(QStringLiteral("sbtConsultaPreco")).enabled);
    EXPECT_TRUE(cmd.value(QStringLiteral("sbtFuncoes")).enabled);
    EXPECT_TRUE(cmd.value(QStringLiteral("sbtConsultaCons")).visible);
    screen().st.IdConsCampFidel = QStringLiteral("N");
    screen().ControlaHabilitacao();
    EXPECT_FALSE(cmd.value(QStringLiteral("sbtConsultaCons")).visible);
}

TEST_F(ScreenInit, AccessRightsDecideTheGuardedButtons) {
    writeParametros();
    mapaDeUmaMesa();
    suite.dialogs.controleAcess.insert(2, QStringLiteral("N")); // cancel item
    suite.dialogs.controleAcess.insert(6, QStringLiteral("N")); // release table
    abre();
    const auto& cmd = screen().model.commands;
    EXPECT_FALSE(cmd.value(QStringLiteral("sbtCancelaItem")).enabled);
    EXPECT_FALSE(cmd.value(QStringLiteral("sbtLiberarMesa")).enabled);
    EXPECT_TRUE(cmd.value(QStringLiteral("sbtNPessoas")).enabled);
    EXPECT_TRUE(cmd.value(QStringLiteral("spbFecha")).enabled);
    for (const RecordedCall& c : suite.calls(QStringLiteral("ControleAcess"))) {
        EXPECT_EQ(c.arg(1), QVariant(screen().st.CdOperador));
    }
}

TEST_F(ScreenInit, TheTicketPanelUsesTheMachinesDecimalSeparator) {
    writeParametros({{QStringLiteral("IDEXIBTICCUP"), QStringLiteral("S")}});
    mapaDeUmaMesa();
    const QLocale antes;
    QLocale::setDefault(QLocale(QLocale::Portuguese, QLocale::Brazil));
    suite.sales.calcTicketMedio.setDefault(QStringLiteral("35.5-12"));
    abre();
    QLocale::setDefault(antes);
    EXPECT_TRUE(screen().model.ticketPanelVisible);
    EXPECT_EQ(screen().model.lblValTicketMedio, QStringLiteral("R$ 35,50"));
    EXPECT_EQ(screen().model.lblValQuantCupom, QStringLiteral("12,000"));
    const RecordedCall c = suite.last(QStringLiteral("CalcTicketMedio"));
    EXPECT_EQ(c.text(0), QStringLiteral("0001"));
    EXPECT_EQ(c.arg(2).toDateTime(), QDateTime(clock.today(), QTime(8, 0)));
}

TEST_F(ScreenInit, WithoutTheTicketSettingThePanelHidesAndItsTimerDoesNothing) {
    writeParametros({{QStringLiteral("IDEXIBTICCUP"), QStringLiteral("N")}});
    mapaDeUmaMesa();
    abre();
    EXPECT_FALSE(screen().model.ticketPanelVisible);
    EXPECT_EQ(suite.count(QStringLiteral("CalcTicketMedio")), 0);
    screen().timAtuTicketMed.setInterval(5);
    QTest::qWait(60);
    EXPECT_EQ(suite.count(QStringLiteral("CalcTicketMedio")), 0);
}

TEST_F(ScreenInit, ATicketTextThatIsNoNumberIsAnError) {
    writeParametros({{QStringLiteral("IDEXIBTICCUP"), QStringLiteral("S")}});
    mapaDeUmaMesa();
    screen().InicializaForm();
    suite.sales.calcTicketMedio.setDefault(QStringLiteral("abc-3"));
    EXPECT_FALSE(screen().evento([&] { screen().AtualizaTicketMedio(); }));
    ASSERT_FALSE(mensagens().isEmpty());
    EXPECT_TRUE(mensagens().last().contains(QStringLiteral("abc")));
}

TEST_F(ScreenInit, ATableOpenedOnAnotherTillShowsAfterOneTickButNotWhileTheTimerIsOff) {
    writeParametros();
    mapaDeUmaMesa();
    abre();
    ASSERT_EQ(picture(1), QStringLiteral("imgLivre"));
    screen().timConexao.setInterval(10);
    QSqlDatabase outro = db->openAnother(QStringLiteral("outro-caixa"));
    auto abreNoOutro = [&](const QString& estado) {
        QSqlQuery q(outro);
        ASSERT_TRUE(
            q.exec(QStringLiteral("UPDATE MESA SET IDSTMESAAUX = '%1' WHERE NRMESA = '0001'")
                       .arg(estado)));
    };
    screen().DesabilitaTimer();
    abreNoOutro(QStringLiteral("O"));
    QTest::qWait(80);
    EXPECT_EQ(picture(1), QStringLiteral("imgLivre"));
    screen().HabilitaTimer();
    QTRY_COMPARE_WITH_TIMEOUT(picture(1), QStringLiteral("imgOcupada"), 2000);
    const QStringList refresh = operacoes(QStringLiteral("Cli_Qzv10040"));
    EXPECT_TRUE(refresh.contains(QStringLiteral("getStatusMesa")));
    EXPECT_TRUE(refresh.contains(QStringLiteral("getReserva")));
}

TEST_F(ScreenInit, ARefreshThatFailsKeepsTheMapAndTheTimerAndRecovers) {
    writeParametros();
    mapaDeUmaMesa(QStringLiteral("O"));
    vendaAberta(QStringLiteral("0001"), clock.now().addSecs(-600), {clock.now().addSecs(-60)});
    abre();
    ASSERT_EQ(picture(1), QStringLiteral("imgOcupada"));
    // The status table goes away under the screen: the refresh fails.
    sql(QStringLiteral("ALTER TABLE MESA RENAME TO MESA_FORA"));
    suite.clear();
    EXPECT_FALSE(screen().evento([&] { screen().DisparaAtualizacao(); }));
    EXPECT_EQ(suite.count(QStringLiteral("Mensagem")), 1);
    EXPECT_EQ(suite.last(QStringLiteral("Mensagem")).arg(4).toInt(), int(MsgErro));
    EXPECT_EQ(picture(1), QStringLiteral("imgOcupada"));
    EXPECT_TRUE(screen().timConexao.isActive());
    sql(QStringLiteral("ALTER TABLE MESA_FORA RENAME TO MESA"));
    sql(QStringLiteral("UPDATE MESA SET IDSTMESAAUX = 'S' WHERE NRMESA = '0001'"));
    EXPECT_TRUE(screen().evento([&] { screen().DisparaAtualizacao(); }));
    EXPECT_EQ(picture(1), QStringLiteral("imgCtaSol"));
}

TEST_F(ScreenInit, AMapWhoseLayoutCouldNotBeReadAtOpeningIsBuiltByTheNextRefresh) {
    writeParametros();
    mapaDeUmaMesa();
    sql(QStringLiteral("ALTER TABLE ITMENUCONFTE RENAME TO ITMENUCONFTE_FORA"));
    abre();
    EXPECT_FALSE(screen().model.sbtAmb[0].visible);
    EXPECT_FALSE(screen().model.tcb[0].enabled);
    EXPECT_FALSE(mensagens().isEmpty()); // the failure was shown
    sql(QStringLiteral("ALTER TABLE ITMENUCONFTE_FORA RENAME TO ITMENUCONFTE"));
    EXPECT_TRUE(screen().evento([&] { screen().DisparaAtualizacao(); }));
    EXPECT_TRUE(screen().model.sbtAmb[0].visible);
    EXPECT_EQ(screen().model.lblMensagem, QStringLiteral("Salão"));
    EXPECT_EQ(picture(1), QStringLiteral("imgLivre"));
}
