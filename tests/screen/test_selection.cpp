#include "tests/screen/selection_fixture.h"

using namespace tmk;
using namespace tmk::test;

namespace {

using Selection = SelectionTest;

QVariantMap aberturaDe(const QString& venda, const QString& comanda, const QString& mesa) {
    return openingRow(venda, comanda, QStringLiteral("RES_") + mesa, QStringLiteral("000001"),
                      QStringLiteral("002"), QStringLiteral("55"));
}

} // namespace

// Each refusal of a free table, with a reservation for today, in the order the rules are
// tried: the first that applies is the only message, and nothing is opened or asked.
TEST_F(Selection, RefusalsComeInTheirOrderBeforeTheReservationQuestion) {
    struct Caso {
        const char* nome;
        std::function<void()> prepara;
        QVariantMap parametros;
        QString mensagem;
        int tipo;
    };
    const Caso casos[] = {
        {"business day over",
         [this] { venda(QStringLiteral("0001"), QStringLiteral("CMD_A1")); },
         {{QStringLiteral("IDOBRIGFECHCAIX"), QStringLiteral("S")},
          {QStringLiteral("DTABERCAIXA"), QDateTime(QDate(2026, 12, 7), QTime(8, 0))}},
         msgPadrao().Msg(QStringLiteral("Fecha_Caixa")),
         MsgInformacao},
        {"ordinary tab",
         [this] {
             venda(QStringLiteral("0001"), QStringLiteral("CMD_A1"));
             venda(QStringLiteral("0001"), QStringLiteral("DLV_77"));
         },
         {},
         QStringLiteral("Operação bloqueada. Mesa associada à comanda CMD_A1 que está aberta. "
                        "Favor encerrar a comanda para utilizar esta mesa."),
         MsgInformacao},
        {"delivery order",
         [this] { venda(QStringLiteral("0001"), QStringLiteral("DLV_77")); },
         {},
         QStringLiteral("Operação bloqueada. Mesa associada ao pedido 77 da venda delivery. "
                        "Favor encerrar o pedido para utilizar a mesa."),
         MsgInformacao},
        {"payment by positions on the second pad",
         [this] {
             const QString v =
                 venda(QStringLiteral("0001"), {}, QStringLiteral("001"), QStringLiteral("000101"));
             comanda(v, QStringLiteral("000102"), QStringLiteral("PKR_0001"));
             pagamentoApp(v, QStringLiteral("000102"), QStringLiteral("02"));
         },
         {},
         msgPadrao().Msg(QStringLiteral("MOB_POS_PAG")),
         MsgInformacao},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.nome);
        TearDown();
        SetUp();
        mesaNoBotao(1, QStringLiteral("0001"), QStringLiteral("D"));
        reserva(QStringLiteral("0001"), QDate::currentDate());
        c.prepara();
        QVariantMap p = c.parametros;
        abre(p);
        toca(1);
        ASSERT_EQ(mensagens().size(), 1) << mensagens().join('|').toStdString();
        EXPECT_EQ(mensagens().first(), c.mensagem);
        EXPECT_EQ(suite.last(QStringLiteral("Mensagem")).arg(4).toInt(), c.tipo);
        EXPECT_EQ(suite.count(QStringLiteral("AberturaMesa")), 0);
        EXPECT_EQ(suite.count(QStringLiteral("CriaListReserva")), 0);
        EXPECT_EQ(estadoDaMesa(QStringLiteral("0001")), QStringLiteral("D"));
    }
}

TEST_F(Selection, APaymentOfTheWholeTableDoesNotRefuse) {
    mesaNoBotao(1, QStringLiteral("0001"), QStringLiteral("O"));
    const QString v = venda(QStringLiteral("0001"));
    pagamentoApp(v, QStringLiteral("000001"), QStringLiteral("T"));
    abre();
    toca(1);
    EXPECT_EQ(suite.count(QStringLiteral("ControleSenhOper")), 1);
    EXPECT_FALSE(mensagens().contains(msgPadrao().Msg(QStringLiteral("MOB_POS_PAG"))));
}

TEST_F(Selection, ATableTheStatusReadDoesNotFindIsReported) {
    // An inactive table: on the map by its button, never in the status read.
    mesaNoBotao(1, QStringLiteral("0009"), QStringLiteral("D"));
    sql(QStringLiteral("UPDATE MESA SET IDSTMESA = 'I' WHERE NRMESA = '0009'"));
    abre();
    toca(1);
    EXPECT_EQ(mensagens(), QStringList{msgPadrao().Msg(QStringLiteral("MESA_N_ENC1"))});
    EXPECT_EQ(suite.last(QStringLiteral("Mensagem")).arg(4).toInt(), int(MsgErro));
}

TEST_F(Selection, OpeningAFreeTableHandsTheTenValuesOverAndLogsIt) {
    mesaNoBotao(3, QStringLiteral("0012"), QStringLiteral("D"));
    // An orphan sale of the table without pads: the clean-up after the opening removes it.
    insert(QStringLiteral("VENDAREST"), {{QStringLiteral("CDFILIAL"), QStringLiteral("0001")},
                                         {QStringLiteral("NRVENDAREST"), QStringLiteral("X1")},
                                         {QStringLiteral("CDLOJA"), QStringLiteral("0001")},
                                         {QStringLiteral("NRMESA"), QStringLiteral("0012")}});
    abre();
    suite.dialogs.aberturaMesa.push(OpeningAnswer::openedWith(aberturaDe(
        QStringLiteral("00010000042"), QStringLiteral("000007"), QStringLiteral("0012"))));
    toca(3);
    const ScreenState& st = tela().st;
    EXPECT_EQ(st.RetAcao, QStringLiteral("VENDA_CONS"));
    EXPECT_EQ(st.RetNrVendaRest, QStringLiteral("00010000042"));
    EXPECT_EQ(st.RetDsComanda, QStringLiteral("RES_0012"));
    EXPECT_EQ(st.RetCdCliente, QStringLiteral("000001"));
    EXPECT_EQ(st.RetNrMesa, QStringLiteral("0012"));
    EXPECT_EQ(st.RetNrComanda, QStringLiteral("000007"));
    EXPECT_EQ(st.RetCdVendedor, QStringLiteral("002"));
    EXPECT_EQ(st.RetTipoVenda, QStringLiteral("M"));
    EXPECT_EQ(st.RetCdConsumidor, QStringLiteral("55"));
    EXPECT_TRUE(st.RetAbreVenda);
    EXPECT_EQ(tela().vezesFechada(), 1);
    EXPECT_EQ(suite.last(QStringLiteral("AberturaMesa")).text(0), QStringLiteral("0012"));
    EXPECT_EQ(suite.last(QStringLiteral("AberturaMesa")).text(1),
              QStringLiteral("cdsDadosAbertura"));

    // The opening's record, then the clean-up's (the orphan sale: flag 8).
    EXPECT_EQ(registros(), (QStringList{QStringLiteral("ABE_MES"), QStringLiteral("DEL_RES")}));
    const RecordedCall abe = suite.calls(QStringLiteral("LogControleAcess")).first();
    EXPECT_EQ(abe.text(6), QStringLiteral("Abertura de mesa"));
    EXPECT_EQ(abe.text(7), QStringLiteral("Abertura de mesa Nº mesa aberta: 0012"));
    EXPECT_EQ(abe.text(8), QStringLiteral("00010000042"));
    EXPECT_EQ(abe.text(9), QStringLiteral("000007"));
    EXPECT_EQ(abe.text(10), QStringLiteral("RES_0012"));
    EXPECT_EQ(abe.text(11), QStringLiteral("0012"));
    EXPECT_EQ(abe.text(12), QStringLiteral("002"));
    EXPECT_EQ(abe.arg(13).toInt(), 0);
    EXPECT_EQ(count(QStringLiteral("VENDAREST"), QStringLiteral("NRVENDAREST = 'X1'")), 0);
    // The screen closed: the refresh stays off until the next initialisation.
    EXPECT_FALSE(tela().timConexao.isActive());
}

TEST_F(Selection, ACancelledOpeningWritesOnlyItsRecordAndTheMapGoesOn) {
    mesaNoBotao(1, QStringLiteral("0012"), QStringLiteral("D"));
    abre();
    tela().st.RetAcao = QStringLiteral("anterior");
    suite.dialogs.aberturaMesa.push(OpeningAnswer::cancelled());
    toca(1);
    EXPECT_EQ(registros(), QStringList{QStringLiteral("ABE_ERR")});
    const RecordedCall r = suite.last(QStringLiteral("LogControleAcess"));
    EXPECT_EQ(r.text(6), QStringLiteral("Except na abertura"));
    EXPECT_EQ(r.text(7), QStringLiteral("Except na abertura Nº da mesa : 0012"));
    EXPECT_TRUE(r.text(8).isEmpty());
    EXPECT_TRUE(mensagens().isEmpty()) << "a cancelled opening is not reported";
    EXPECT_EQ(tela().st.RetAcao, QStringLiteral("anterior"));
    EXPECT_EQ(tela().vezesFechada(), 0);
    EXPECT_TRUE(tela().timConexao.isActive());
    EXPECT_FALSE(operacoes().contains(QStringLiteral("setDeletaVendaRest")));
}

TEST_F(Selection, AReservedFreeTableAsksFirst) {
    mesaNoBotao(1, QStringLiteral("0004"), QStringLiteral("D"));
    reserva(QStringLiteral("0004"), QDate::currentDate());
    abre();
    // No: nothing else happens.
    toca(1);
    ASSERT_EQ(mensagens().size(), 1);
    EXPECT_EQ(mensagens().first(), QStringLiteral("A mesa 0004 está reservada de 19:30 às 21:30. "
                                                  "Deseja continuar?"));
    EXPECT_EQ(suite.last(QStringLiteral("Mensagem")).text(3), QStringLiteral("S"));
    EXPECT_EQ(suite.count(QStringLiteral("CriaListReserva")), 0);
    EXPECT_EQ(suite.count(QStringLiteral("AberturaMesa")), 0);
    // Yes: the table's reservations of today, then the opening dialog.
    suite.clear();
    suite.common.mensagem.push(true);
    toca(1);
    const QStringList ordem = suite.names();
    ASSERT_GE(ordem.indexOf(QStringLiteral("AberturaMesa")), 0);
    EXPECT_LT(ordem.indexOf(QStringLiteral("CriaListReserva")),
              ordem.indexOf(QStringLiteral("AberturaMesa")));
    const RecordedCall lista = suite.last(QStringLiteral("CriaListReserva"));
    EXPECT_EQ(lista.text(0), QStringLiteral("0004"));
    EXPECT_EQ(lista.arg(1).toDateTime().date(), clock.today());
    EXPECT_EQ(lista.arg(2).toDateTime().date(), clock.today());
}

// The waiter handed to the host by the password mode and what the dialog confirmed.
TEST_F(Selection, ContinuingATableFollowsTheWaiterRule) {
    struct Caso {
        const char* modo;
        const char* confirmado;
        const char* esperado;
    };
    const Caso casos[] = {
        {"S", "003", "003"}, // the confirmed waiter
        {"S", "", "001"},    // none confirmed: the sale's waiter
        {"L", "", ""},       // left out on purpose
        {"L", "002", "002"}, {"N", "", "001"},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(std::string(c.modo) + "/" + c.confirmado);
        TearDown();
        SetUp();
        mesaNoBotao(1, QStringLiteral("0005"), QStringLiteral("O"));
        const QString v =
            venda(QStringLiteral("0005"), {}, QStringLiteral("001"), QStringLiteral("000001"));
        abre({{QStringLiteral("IDUTLSENHAOPER"), QString::fromLatin1(c.modo)}});
        suite.dialogs.controleSenhOper.push({true, QString::fromLatin1(c.confirmado)});
        toca(1);
        const RecordedCall senha = suite.last(QStringLiteral("ControleSenhOper"));
        EXPECT_EQ(senha.arg(0).toList(),
                  (QVariantList{QStringLiteral("001"), QString::fromLatin1(c.modo), true,
                                QStringLiteral("001")}));
        EXPECT_EQ(senha.arg(1).toInt(), 3);
        EXPECT_EQ(senha.arg(2).toList().size(), 10);
        const ScreenState& st = tela().st;
        EXPECT_EQ(st.RetAcao, QStringLiteral("VENDA_CONS"));
        EXPECT_EQ(st.RetCdVendedor, QString::fromLatin1(c.esperado));
        EXPECT_EQ(st.RetNrVendaRest, v);
        EXPECT_EQ(st.RetNrComanda, QStringLiteral("000001"));
        EXPECT_EQ(st.RetDsComanda, QStringLiteral("RES_0005"));
        EXPECT_EQ(st.RetCdCliente, QStringLiteral("000001"));
        EXPECT_EQ(st.RetCdConsumidor, QStringLiteral("77"));
        EXPECT_EQ(st.RetNrMesa, QStringLiteral("0005"));
        EXPECT_EQ(st.RetTipoVenda, QStringLiteral("M"));
        EXPECT_TRUE(st.RetAbreVenda);
        EXPECT_EQ(tela().vezesFechada(), 1);
        EXPECT_FALSE(tela().timConexao.isActive());
        EXPECT_TRUE(registros().isEmpty()) << "nothing was cleaned, nothing is logged";
    }
}

TEST_F(Selection, ACancelledWaiterPasswordEndsQuietlyWithTheRefreshBackOn) {
    mesaNoBotao(1, QStringLiteral("0005"), QStringLiteral("O"));
    venda(QStringLiteral("0005"));
    abre();
    suite.dialogs.controleSenhOper.push({false, {}});
    toca(1);
    EXPECT_TRUE(mensagens().isEmpty());
    EXPECT_TRUE(tela().st.RetAcao.isEmpty());
    EXPECT_EQ(tela().vezesFechada(), 0);
    EXPECT_TRUE(tela().timConexao.isActive());
    EXPECT_EQ(estadoDaMesa(QStringLiteral("0005")), QStringLiteral("O"));
}

TEST_F(Selection, AnErrorInsideATableDialogStillTurnsTheRefreshBackOn) {
    mesaNoBotao(1, QStringLiteral("0012"), QStringLiteral("D"));
    abre();
    suite.dialogs.aberturaMesa.setCallback([](const QVariantList&) -> OpeningAnswer {
        throw AppError(QStringLiteral("falha no diálogo"));
    });
    toca(1);
    EXPECT_EQ(mensagens(), QStringList{QStringLiteral("falha no diálogo")});
    EXPECT_TRUE(tela().timConexao.isActive());
    EXPECT_EQ(tela().vezesFechada(), 0);
}

// An occupied table whose sale lost its pads: the clean-up runs before the values are
// read, so the host is not handed a sale that is gone.
TEST_F(Selection, ContinuingATableWithoutAPadLeftTellsInsteadOfHandingItOver) {
    mesaNoBotao(1, QStringLiteral("0006"), QStringLiteral("O"));
    insert(QStringLiteral("VENDAREST"), {{QStringLiteral("CDFILIAL"), QStringLiteral("0001")},
                                         {QStringLiteral("NRVENDAREST"), QStringLiteral("Y1")},
                                         {QStringLiteral("CDLOJA"), QStringLiteral("0001")},
                                         {QStringLiteral("NRMESA"), QStringLiteral("0006")},
                                         {QStringLiteral("CDVENDEDOR"), QStringLiteral("001")}});
    abre();
    suite.dialogs.controleSenhOper.push({true, QStringLiteral("001")});
    toca(1);
    EXPECT_NE(tela().st.RetAcao, QStringLiteral("VENDA_CONS"));
    EXPECT_EQ(tela().vezesFechada(), 0);
    ASSERT_EQ(mensagens().size(), 1);
    EXPECT_TRUE(mensagens().first().contains(QStringLiteral("não tem venda aberta com comanda")));
    EXPECT_EQ(registros(), QStringList{QStringLiteral("DEL_RES")});
    EXPECT_EQ(suite.last(QStringLiteral("LogControleAcess")).text(7),
              msgPadrao().Msg(QStringLiteral("DEL_RES")) + QStringLiteral(" Nº da mesa : 0006"));
    EXPECT_EQ(estadoDaMesa(QStringLiteral("0006")), QStringLiteral("D"));
    EXPECT_EQ(tela().model.tcb[0].picture, QStringLiteral("imgLivre")) << "the map was refreshed";
    EXPECT_TRUE(tela().timConexao.isActive());
}

TEST_F(Selection, ABillRequestedTableWithoutTabsIsReleased) {
    mesaNoBotao(1, QStringLiteral("0007"), QStringLiteral("S"));
    abre();
    EXPECT_EQ(tela().model.tcb[0].picture, QStringLiteral("imgCtaSol"));
    toca(1);
    EXPECT_EQ(mensagens(), QStringList{msgPadrao().Msg(QStringLiteral("Mesa_receb"))});
    EXPECT_EQ(estadoDaMesa(QStringLiteral("0007")), QStringLiteral("D"));
    EXPECT_EQ(tela().model.tcb[0].picture, QStringLiteral("imgLivre"));
    EXPECT_TRUE(tela().recebimentos.isEmpty());
}

TEST_F(Selection, ACollectorTillOpensAndContinuesButDoesNotReceive) {
    mesaNoBotao(1, QStringLiteral("0007"), QStringLiteral("S"));
    venda(QStringLiteral("0007"));
    abre({{QStringLiteral("IDCOLETOR"), QStringLiteral("C")}});
    toca(1);
    EXPECT_EQ(mensagens(), QStringList{msgPadrao().Msg(QStringLiteral("cx_coletor"))});
    EXPECT_EQ(suite.last(QStringLiteral("Mensagem")).arg(4).toInt(), int(MsgErro));
    EXPECT_TRUE(tela().recebimentos.isEmpty());
    EXPECT_EQ(estadoDaMesa(QStringLiteral("0007")), QStringLiteral("S"));
}

// The receipts a bill-requested table gets: one for the account, or one per nature when
// the operator splits them, until the flow clears CupomPorNatureza.
TEST_F(Selection, ReceiptsPerNature) {
    struct Caso {
        const char* nome;
        QStringList produtos;
        bool separa;
        int paraNa;                           // the call that clears CupomPorNatureza; 0: none
        QList<QPair<QString, int>> esperadas; // nature, receipts still to print
        bool pergunta;
    };
    const Caso casos[] = {
        {"only food", {"1001"}, false, 0, {{"01", 1}}, false},
        {"only drinks", {"2001", "2001"}, false, 0, {{"", 1}}, false},
        {"two natures, not split", {"1001", "2001"}, false, 0, {{"", 2}}, true},
        {"two natures, split", {"1001", "2001"}, true, 0, {{"02", 2}, {"01", 1}}, true},
        {"split, stopped by the flow", {"1001", "2001"}, true, 1, {{"02", 2}}, true},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.nome);
        TearDown();
        SetUp();
        mesaNoBotao(1, QStringLiteral("0008"), QStringLiteral("S"));
        const QString v =
            venda(QStringLiteral("0008"), {}, QStringLiteral("001"), QStringLiteral("000001"));
        comanda(v, QStringLiteral("000009"), QStringLiteral("PKR_0008"));
        for (const QString& p : c.produtos) {
            item(v, QStringLiteral("000001"), p);
        }
        abre({{QStringLiteral("DISPLAYOK"), true}});
        if (c.separa) {
            suite.common.mensagem.push(true);
        }
        tela().hook = [&, paraNa = c.paraNa](int call) {
            if (call == paraNa) {
                tela().st.CupomPorNatureza = false;
            }
        };
        toca(1);
        ASSERT_EQ(tela().recebimentos.size(), c.esperadas.size());
        for (int i = 0; i < c.esperadas.size(); ++i) {
            const auto& r = tela().recebimentos.at(i);
            EXPECT_EQ(r.values,
                      (QStringList{QStringLiteral("0001"), v, QStringLiteral("_000001_000009_"),
                                   QStringLiteral("0008"), QStringLiteral("000001"),
                                   QStringLiteral("RES_0008"), c.esperadas.at(i).first}));
            EXPECT_EQ(r.restantes, c.esperadas.at(i).second);
            EXPECT_EQ(r.progresso,
                      c.separa ? QStringLiteral("Imprimindo cupom %1 de 2").arg(i + 1) : QString());
        }
        EXPECT_EQ(mensagens().contains(msgPadrao().Msg(QStringLiteral("NAT_PROD"))), c.pergunta);
        EXPECT_EQ(suite.count(QStringLiteral("LimpaDisplay")), 1);
        EXPECT_TRUE(tela().timConexao.isActive());
        EXPECT_EQ(tela().vezesFechada(), 0);
    }
}

TEST_F(Selection, AnErrorOfTheReceiptFlowIsShownAndTheMapRefreshed) {
    mesaNoBotao(1, QStringLiteral("0008"), QStringLiteral("S"));
    venda(QStringLiteral("0008"));
    abre();
    tela().hook = [](int) {
        throw AppError(QStringLiteral("impressora desligada"));
    };
    bool resultado = true;
    tela().evento([&] { resultado = tela().BuscaDadosMesa(QStringLiteral("0008"), {}); });
    EXPECT_FALSE(resultado);
    EXPECT_EQ(mensagens(), QStringList{QStringLiteral("impressora desligada")});
    EXPECT_GE(suite.count(QStringLiteral("MensagemMetodo")), 3) << "the map was refreshed";
}

// The real receipt flow on a table whose items cannot be priced (no product rows): the
// table is claimed, the empty account is told, and the table is handed back whole.
TEST_F(Selection, AReceiptWithNothingToSellIsToldAndHandsTheTableBack) {
    mesaNoBotao(1, QStringLiteral("0008"), QStringLiteral("S"));
    const QString v = venda(QStringLiteral("0008"));
    item(v, QStringLiteral("000001"), QStringLiteral("1001"));
    item(v, QStringLiteral("000001"), QStringLiteral("2001"));
    abre();
    tela().st.CupomPorNatureza = true;
    tela().evento([&] {
        tela().TfrmGerMesa::ChamaRecebimento(QStringLiteral("0001"), v, QStringLiteral("_000001_"),
                                             QStringLiteral("0008"), QStringLiteral("000001"),
                                             QStringLiteral("RES_0008"), QStringLiteral("02"), 2);
    });
    ASSERT_EQ(mensagens().size(), 1);
    EXPECT_TRUE(mensagens().first().startsWith(
        msg(QStringLiteral("RECEB_FALHA")).section(QStringLiteral("%s"), 0, 0)))
        << mensagens().first().toStdString();
    EXPECT_EQ(suite.count(QStringLiteral("Recebimento")), 0);
    EXPECT_EQ(estadoDaMesa(QStringLiteral("0008")), QStringLiteral("S"));
    EXPECT_TRUE(tela().st.NrMesaEmRecebimento.isEmpty());
    EXPECT_EQ(count(QStringLiteral("ITCOMANDAVEN")), 2);
}

TEST_F(Selection, AnEmptySlotDoesNothingAndAReservationIsLookedUpByTable) {
    mesaNoBotao(1, QStringLiteral("0002"), QStringLiteral("D"));
    reserva(QStringLiteral("0002"), QDate::currentDate());
    abre();
    toca(7); // nothing configured on position 7
    EXPECT_TRUE(suite.names().isEmpty()) << suite.names().join(' ').toStdString();

    suite.dialogs.tecladoNumerico.push(KeypadAnswer::typed(QStringLiteral("2")))
        .push(KeypadAnswer::typed(QStringLiteral("3")))
        .push(KeypadAnswer::cancelled());
    tela().evento([&] { tela().sbtReservaClick(); });
    EXPECT_EQ(suite.last(QStringLiteral("TecladoNumerico")).text(1),
              msgPadrao().Msg(QStringLiteral("RESERVA")));
    EXPECT_EQ(suite.last(QStringLiteral("CriaConsulReserva")).text(0), QStringLiteral("1"));
    tela().evento([&] { tela().sbtReservaClick(); });
    EXPECT_EQ(mensagens(), QStringList{msgPadrao().Msg(QStringLiteral("Res_Inex"))});
    tela().evento([&] { tela().sbtReservaClick(); });
    EXPECT_EQ(suite.count(QStringLiteral("CriaConsulReserva")), 1);
    EXPECT_EQ(mensagens().size(), 1);
}

// A typed number: padded to four digits, and a table that does not exist is reported
// while the map stays usable.
TEST_F(Selection, TypedTablesArePaddedAndUnknownOnesReported) {
    mesaNoBotao(1, QStringLiteral("0012"), QStringLiteral("D"));
    abre();
    digita(QStringLiteral("12"));
    EXPECT_EQ(tela().model.lblBuffer, QStringLiteral("12"));
    tecla(Qt::Key_Return);
    EXPECT_EQ(suite.last(QStringLiteral("AberturaMesa")).text(0), QStringLiteral("0012"));
    EXPECT_TRUE(tela().model.lblBuffer.isEmpty());

    suite.clear();
    digita(QStringLiteral("77"));
    tecla(Qt::Key_Enter);
    EXPECT_EQ(mensagens(), QStringList{msgPadrao().Msg(QStringLiteral("MESA_N_ENC1"))});
    EXPECT_TRUE(tela().model.lblBuffer.isEmpty());
    toca(1); // the map still answers
    EXPECT_EQ(suite.count(QStringLiteral("AberturaMesa")), 1);

    // Enter on an empty buffer does nothing visible.
    suite.clear();
    tecla(Qt::Key_Return);
    EXPECT_TRUE(mensagens().isEmpty());
    EXPECT_EQ(suite.count(QStringLiteral("MensagemMetodo")), 0);
}

TEST_F(Selection, ACashRegisterThatIsNotOpenClearsTheTypedNumber) {
    mesaNoBotao(1, QStringLiteral("0012"), QStringLiteral("D"));
    abre({{QStringLiteral("BOERROIMPRESSORA"), true}});
    digita(QStringLiteral("12"));
    tecla(Qt::Key_Return);
    EXPECT_EQ(mensagens(), QStringList{msgPadrao().Msg(QStringLiteral("ERRO_IMPRESSORA"))});
    EXPECT_TRUE(tela().model.lblBuffer.isEmpty());
    suite.clear();
    toca(1);
    EXPECT_EQ(mensagens(), QStringList{msgPadrao().Msg(QStringLiteral("ERRO_IMPRESSORA"))});
    EXPECT_EQ(suite.count(QStringLiteral("AberturaMesa")), 0);
}

// Alt+T: the table asked on the keypad goes to the same selection as a touch, padded to
// four digits; a cancelled keypad selects nothing, and an unknown table is reported.
TEST_F(Selection, TheKeypadTableGoesToTheSelection) {
    mesaNoBotao(1, QStringLiteral("0012"), QStringLiteral("D"));
    abre();
    suite.dialogs.tecladoNumerico.push(KeypadAnswer::typed(QStringLiteral("12")))
        .push(KeypadAnswer::cancelled())
        .push(KeypadAnswer::typed(QStringLiteral("77")));
    tecla(Qt::Key_T, Qt::AltModifier);
    EXPECT_EQ(suite.last(QStringLiteral("TecladoNumerico")).text(1),
              msgPadrao().Msg(QStringLiteral("TECLADO")));
    EXPECT_EQ(suite.last(QStringLiteral("AberturaMesa")).text(0), QStringLiteral("0012"));

    suite.clear();
    tela().evento([&] { tela().comandoClicado(QStringLiteral("sbpTeclado")); });
    EXPECT_EQ(suite.count(QStringLiteral("TecladoNumerico")), 1);
    EXPECT_EQ(suite.count(QStringLiteral("AberturaMesa")), 0);
    EXPECT_TRUE(mensagens().isEmpty());

    tecla(Qt::Key_T, Qt::AltModifier);
    EXPECT_EQ(mensagens(), QStringList{msgPadrao().Msg(QStringLiteral("MESA_N_ENC1"))});
    EXPECT_EQ(suite.count(QStringLiteral("AberturaMesa")), 0);
}

// A till without its cash opening refuses a touched table, free or occupied, before any
// dialog: the host is never asked to open the order screen.
TEST_F(Selection, AClosedCashRegisterRefusesTheTableBeforeTheOrderScreen) {
    const struct {
        const char* mesa;
        const char* estado;
    } casos[] = {{"0001", "D"}, {"0005", "O"}};
    for (const auto& c : casos) {
        SCOPED_TRACE(c.estado);
        TearDown();
        SetUp();
        const QString mesa = QString::fromLatin1(c.mesa);
        mesaNoBotao(1, mesa, QString::fromLatin1(c.estado));
        if (QLatin1String(c.estado) == QLatin1String("O")) {
            venda(mesa);
        }
        abre({{QStringLiteral("IDCOLETOR"), QStringLiteral("R")}});
        tela().cdsAberturaCaixa.emptyDataSet();
        toca(1);
        EXPECT_EQ(mensagens(), QStringList{QStringLiteral("O caixa 001 não está aberto.")});
        EXPECT_EQ(suite.count(QStringLiteral("AberturaMesa")), 0);
        EXPECT_EQ(suite.count(QStringLiteral("ControleSenhOper")), 0);
        EXPECT_NE(tela().st.RetAcao, QStringLiteral("VENDA_CONS"));
        EXPECT_EQ(tela().vezesFechada(), 0);
        EXPECT_EQ(estadoDaMesa(mesa), QString::fromLatin1(c.estado));
    }
}
