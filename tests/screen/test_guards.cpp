#include "platform/errors.h"
#include "tests/screen/screen_fixture.h"

#include <QLocale>

using namespace tmk;
using namespace tmk::test;

namespace {

class Guards : public ScreenOnly {
protected:
    ScreenState& st() { return screen().st; }
    // True when the guard let the command go on.
    bool gaveta() {
        try {
            screen().Verifica_Gaveta();
            return true;
        } catch (const SilentAbort&) {
            return false;
        }
    }
    bool diaMovimento() {
        try {
            screen().VerificaFechamentoDia();
            return true;
        } catch (const SilentAbort&) {
            return false;
        }
    }
    void carregaAbertura(bool comLinha) {
        writeAberturaCaixa(comLinha);
        writeParametros();
        screen().InicializaForm();
        suite.clear();
    }
};

} // namespace

TEST_F(Guards, DrawerWithFiscalPrinterFollowsTheDrawerType) {
    st().UtilizaImpFis = true;
    st().IdTipoGaveta = QStringLiteral("1");
    suite.fiscal.estadoGavetaImp.push(QStringLiteral("00"));
    EXPECT_FALSE(gaveta());
    EXPECT_EQ(mensagens(), QStringList{msg(QStringLiteral("Gaveta_Aberta"))});
    EXPECT_EQ(suite.last(QStringLiteral("Mensagem")).arg(4).toInt(), int(MsgErro));
    EXPECT_EQ(suite.count(QStringLiteral("Estado_Gaveta_Imp")), 1);

    // Type 2: "00" means closed; a second status other than "00" means open.
    suite.clear();
    st().IdTipoGaveta = QStringLiteral("2");
    suite.fiscal.estadoGavetaImp.push(QStringLiteral("00")).push(QStringLiteral("00"));
    EXPECT_TRUE(gaveta());
    EXPECT_EQ(suite.count(QStringLiteral("Estado_Gaveta_Imp")), 2);
    suite.fiscal.estadoGavetaImp.push(QStringLiteral("00")).push(QStringLiteral("01"));
    EXPECT_FALSE(gaveta());

    // Type 1 with a status other than "00" reads twice and passes; other types pass.
    suite.clear();
    st().IdTipoGaveta = QStringLiteral("1");
    suite.fiscal.estadoGavetaImp.push(QStringLiteral("01")).push(QStringLiteral("01"));
    EXPECT_TRUE(gaveta());
    st().IdTipoGaveta = QStringLiteral("3");
    suite.fiscal.estadoGavetaImp.push(QStringLiteral("00")).push(QStringLiteral("07"));
    EXPECT_TRUE(gaveta());
    st().IdTipoGaveta = QStringLiteral("0");
    suite.clear();
    EXPECT_TRUE(gaveta());
    EXPECT_EQ(suite.count(QStringLiteral("Estado_Gaveta_Imp")), 0);
}

TEST_F(Guards, DrawerWithoutFiscalPrinterIsCheckedOnlyWhenConfigured) {
    st().UtilizaImpFis = false;
    st().IdTipoGaveta = QStringLiteral("1");
    st().SistemaKovNfce = true;
    st().IdVerGavetaNFis = QStringLiteral("S");
    st().IdTipoImpNF3 = QStringLiteral("5");
    st().CdPortImpNF3 = QStringLiteral("COM3");
    suite.dialogs.verificaStatusGaveta.push(1);
    EXPECT_FALSE(gaveta());
    EXPECT_EQ(suite.last(QStringLiteral("Mensagem")).arg(4).toInt(), int(MsgAviso));
    EXPECT_EQ(suite.last(QStringLiteral("VerificaStatusGaveta")).text(0), QStringLiteral("5"));
    EXPECT_EQ(suite.last(QStringLiteral("VerificaStatusGaveta")).text(1), QStringLiteral("COM3"));
    suite.dialogs.verificaStatusGaveta.push(0);
    EXPECT_TRUE(gaveta());
    // Any unmet condition passes without asking.
    suite.clear();
    st().IdVerGavetaNFis = QStringLiteral("N");
    EXPECT_TRUE(gaveta());
    st().IdVerGavetaNFis = QStringLiteral("S");
    st().SistemaKovNfce = false;
    EXPECT_TRUE(gaveta());
    EXPECT_EQ(suite.count(QStringLiteral("VerificaStatusGaveta")), 0);
}

TEST_F(Guards, CashRegisterNeedsAnOpeningOnTillsOfKindRandN) {
    carregaAbertura(false);
    st().IdColetor = QStringLiteral("R");
    EXPECT_FALSE(screen().ValidaAberCaixa());
    EXPECT_EQ(mensagens(), QStringList{QStringLiteral("O caixa 001 não está aberto.")});
    st().IdColetor = QStringLiteral("C");
    suite.clear();
    EXPECT_TRUE(screen().ValidaAberCaixa());
    EXPECT_TRUE(mensagens().isEmpty());
    // With the printer in error both messages come, even with a collector till.
    st().IdColetor = QStringLiteral("N");
    st().ErroImpressora = true;
    EXPECT_FALSE(screen().ValidaAberCaixa());
    EXPECT_EQ(mensagens(), (QStringList{QStringLiteral("O caixa 001 não está aberto."),
                                        msg(QStringLiteral("ERRO_IMPRESSORA"))}));
}

TEST_F(Guards, PrinterErrorRefusesEvenWithAnOpenCashRegister) {
    carregaAbertura(true);
    st().IdColetor = QStringLiteral("N");
    EXPECT_TRUE(screen().ValidaAberCaixa());
    st().ErroImpressora = true;
    EXPECT_FALSE(screen().ValidaAberCaixa());
    EXPECT_EQ(mensagens(), QStringList{msg(QStringLiteral("ERRO_IMPRESSORA"))});
}

TEST_F(Guards, BusinessDayRefusesAScreenLeftOpenPastMidnight) {
    st().IdObrigFechCaix = QStringLiteral("S");
    st().IdColetor = QStringLiteral("N");
    st().DataSistema = QDateTime(QDate(2026, 12, 8), QTime(9, 0));
    st().DtAberCaixa = QDateTime(QDate(2026, 12, 8), QTime(23, 50));
    clock.set(QDateTime(QDate(2026, 12, 8), QTime(23, 59)));
    EXPECT_TRUE(diaMovimento());
    clock.set(QDateTime(QDate(2026, 12, 9), QTime(0, 1)));
    EXPECT_FALSE(diaMovimento());
    EXPECT_EQ(mensagens(), QStringList{msg(QStringLiteral("Fecha_Caixa"))});
    EXPECT_EQ(suite.last(QStringLiteral("Mensagem")).arg(4).toInt(), int(MsgInformacao));
    // A cash opening of yesterday refuses today, even on a screen opened today.
    suite.clear();
    st().DataSistema = QDateTime(QDate(2026, 12, 9), QTime(0, 0));
    st().DtAberCaixa = QDateTime(QDate(2026, 12, 8), QTime(8, 0));
    EXPECT_FALSE(diaMovimento());
}

TEST_F(Guards, BusinessDayAppliesOnlyWithoutFiscalPrinterOnNonCollectorTills) {
    st().DataSistema = QDateTime(QDate(2026, 12, 1), QTime(9, 0));
    st().DtAberCaixa = QDateTime(QDate(2026, 12, 1), QTime(9, 0));
    st().IdObrigFechCaix = QStringLiteral("S");
    st().IdColetor = QStringLiteral("C");
    EXPECT_TRUE(diaMovimento());
    st().IdColetor = QStringLiteral("N");
    st().UtilizaImpFis = true;
    EXPECT_TRUE(diaMovimento());
    st().UtilizaImpFis = false;
    st().IdObrigFechCaix = QStringLiteral("N");
    EXPECT_TRUE(diaMovimento());
    EXPECT_TRUE(mensagens().isEmpty());
}

TEST_F(Guards, TheKeypadAsksWithCatalogueTextsAndPadsTableNumbers) {
    suite.dialogs.tecladoNumerico.push(KeypadAnswer::typed(QStringLiteral("12")));
    QString mesa;
    ASSERT_TRUE(screen().PedeMesa(mesa, QStringLiteral("RESERVA")));
    EXPECT_EQ(mesa, QStringLiteral("0012"));
    const RecordedCall c = suite.last(QStringLiteral("TecladoNumerico"));
    EXPECT_EQ(c.text(1), QStringLiteral("Consultar Reserva"));
    EXPECT_EQ(c.text(2), QStringLiteral("Informe o número da mesa"));
    EXPECT_EQ(c.text(3), QStringLiteral("Mesa deve ser informada."));
    EXPECT_EQ(c.arg(4).toInt(), 4);
    suite.dialogs.tecladoNumerico.push(KeypadAnswer::cancelled());
    EXPECT_FALSE(screen().PedeMesa(mesa, QStringLiteral("RESERVA")));
}

TEST_F(Guards, TheAccessLogRecordCarriesTheFourteenValues) {
    st().CdFilial = QStringLiteral("0001");
    st().CdCaixa = QStringLiteral("001");
    st().CdOperador = QStringLiteral("10");
    st().NmOperador = QStringLiteral("Ana");
    suite.dialogs.verificaAcesso.push(AccessAnswer{true, QStringLiteral("99")});
    ASSERT_TRUE(screen().VerificaAcesso(6));
    EXPECT_EQ(st().CdOperAutoriz, QStringLiteral("99"));
    screen().gravaLogAcesso(QStringLiteral("LIB_MES"), QStringLiteral("Liberar mesa."),
                            QStringLiteral("Mesa liberada nº: 0012"), QStringLiteral("V1"),
                            QStringLiteral("C1"), QStringLiteral("RES_0012"),
                            QStringLiteral("0012"));
    const RecordedCall c = suite.last(QStringLiteral("LogControleAcess"));
    const QVariantList esperado = {QStringLiteral("0001"),
                                   QStringLiteral("001"),
                                   QStringLiteral("LIB_MES"),
                                   QStringLiteral("10"),
                                   QStringLiteral("Ana"),
                                   QStringLiteral("99"),
                                   QStringLiteral("Liberar mesa."),
                                   QStringLiteral("Mesa liberada nº: 0012"),
                                   QStringLiteral("V1"),
                                   QStringLiteral("C1"),
                                   QStringLiteral("RES_0012"),
                                   QStringLiteral("0012"),
                                   0,
                                   0};
    ASSERT_EQ(c.args.size(), 14);
    for (int i = 0; i < 14; ++i) {
        EXPECT_EQ(c.arg(i).toString(), esperado[i].toString()) << i;
    }
}

TEST_F(Guards, IdleTimeIsTheRealTimeElapsedSinceTheLastOrder) {
    st().NrMinSemCons = QStringLiteral("90");
    clock.set(QDateTime(QDate(2026, 12, 9), QTime(0, 20)));
    // 23:00 yesterday: 80 minutes ago, across midnight.
    EXPECT_FALSE(screen().TempoSemPedido(QDateTime(QDate(2026, 12, 8), QTime(23, 0))));
    EXPECT_TRUE(screen().TempoSemPedido(QDateTime(QDate(2026, 12, 8), QTime(22, 50))));
    EXPECT_TRUE(screen().TempoSemPedido(QDateTime(QDate(2026, 12, 8), QTime(22, 49, 59))));
    // The same time of day yesterday is a whole day ago, not "no time at all".
    EXPECT_TRUE(screen().TempoSemPedido(QDateTime(QDate(2026, 12, 8), QTime(0, 20))));
    // An order in the future (another till's clock ahead) is not idle; no date is not.
    EXPECT_FALSE(screen().TempoSemPedido(QDateTime(QDate(2026, 12, 9), QTime(0, 25))));
    EXPECT_FALSE(screen().TempoSemPedido(QDateTime()));
    st().NrMinSemCons = QStringLiteral("trinta");
    EXPECT_FALSE(screen().TempoSemPedido(QDateTime(QDate(2026, 12, 1), QTime(0, 0))));
}

// The footer's clock in the locale of the till: its short date and the time with seconds,
// never the time zone that Qt's long time format adds.
TEST_F(Guards, TheClockReadsInTheTillsLocaleWithoutTheTimeZone) {
    const QLocale anterior;
    clock.set(QDateTime(QDate(2026, 12, 8), QTime(14, 5, 9)));
    const struct {
        const char* locale;
        const char* mostra;
    } casos[] = {{"pt_BR", "08/12/2026 14:05:09"}, {"en_US", "12/8/26 2:05:09 PM"}};
    for (const auto& c : casos) {
        SCOPED_TRACE(c.locale);
        QLocale::setDefault(QLocale(QString::fromLatin1(c.locale)));
        screen().timDataHoraTimer();
        EXPECT_EQ(screen().model.lblDataHora.toStdString(), std::string(c.mostra));
    }
    QLocale::setDefault(anterior);
}
