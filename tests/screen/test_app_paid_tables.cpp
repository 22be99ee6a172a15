#include "db/demo/app_payment.h"
#include "platform/service_result.h"
#include "screen/command_table.h"
#include "suite/sales/table_settlement.h"
#include "tests/screen/selection_fixture.h"

using namespace tmk;
using namespace tmk::test;

namespace {

// The strip of app payments on a store whose tables the tests touch.
class AppPaidTables : public SelectionTest {
protected:
    // A table on button n in a state, with an open sale (pad "0000NN", n the button) whose
    // items sit on the seats given. Returns the sale.
    QString mesaComVenda(int botao, const QString& nrMesa, const QString& estado,
                         const QStringList& lugares) {
        mesaNoBotao(botao, nrMesa, estado);
        const QString pad = comandaDe(botao);
        const QString v = venda(nrMesa, {}, QStringLiteral("001"), pad);
        for (const QString& lugar : lugares) {
            itemNoLugar(v, pad, lugar);
        }
        return v;
    }
    static QString comandaDe(int botao) {
        return QStringLiteral("%1").arg(botao, 6, 10, QLatin1Char('0'));
    }
    void itemNoLugar(const QString& v, const QString& pad, const QString& lugar) {
        insert(QStringLiteral("ITCOMANDAVEN"),
               {{QStringLiteral("CDFILIAL"), QStringLiteral("0001")},
                {QStringLiteral("NRVENDAREST"), v},
                {QStringLiteral("NRCOMANDA"), pad},
                {QStringLiteral("NRPRODCOMVEN"),
                 QStringLiteral("%1").arg(++itensNoLugar_, 6, 10, QLatin1Char('0'))},
                {QStringLiteral("CDLOJA"), QStringLiteral("0001")},
                {QStringLiteral("CDPRODUTO"), QStringLiteral("1001")},
                {QStringLiteral("QTPRODCOMVEN"), 1.0},
                {QStringLiteral("VRPRECCOMVEN"), 10.0},
                {QStringLiteral("IDSTPRCOMVEN"), QStringLiteral("1")},
                {QStringLiteral("NRLUGARMESA"), lugar},
                {QStringLiteral("DTHRINCOMVEN"), clock.now().addSecs(-900)}});
    }
    // A payment recorded as the app records it, some minutes ago.
    AppPaymentRow pagamento(const QString& nrMesa, const QString& lugar, int minutosAtras) {
        AppPaymentRequest r;
        r.cdFilial = QStringLiteral("0001");
        r.cdLoja = QStringLiteral("0001");
        r.nrMesa = nrMesa;
        r.nrLugarMesa = lugar;
        QSqlDatabase c = db->connection();
        return recordAppPayment(c, r, clock.now().addSecs(-60 * minutosAtras));
    }
    void tocaApp(int n) {
        tela().evento([&] { tela().sbtMesaAPP1Click(ScreenModel::appPaidButtonName(n)); });
    }
    void atualiza() {
        tela().evento([&] { tela().DisparaAtualizacao(); });
    }
    QStringList legendas() {
        QStringList l;
        for (const AppPaidButtonModel& b : tela().model.sbtMesaAPP) {
            l << (b.visible ? b.caption : QString());
        }
        return l;
    }
    // Nothing that closes, receives or cleans a table was called.
    void nadaMudou(const char* caso) {
        EXPECT_EQ(suite.count(QStringLiteral("FechaConta")), 0) << caso;
        EXPECT_EQ(suite.count(QStringLiteral("setLimpaMesaComanda")), 0) << caso;
        EXPECT_TRUE(tela().recebimentos.isEmpty()) << caso;
    }
    // The button and the picked table are back as they were before the touch.
    void botaoLivre(int n, const char* caso) {
        EXPECT_TRUE(tela().model.sbtMesaAPP[size_t(n - 1)].enabled) << caso;
        EXPECT_TRUE(tela().st.NrMesaApp.isEmpty()) << caso;
        EXPECT_TRUE(tela().st.PosicaoApp.isEmpty()) << caso;
    }

    int itensNoLugar_ = 0;
};

// The seat branch runs the close-account command; while this till routes its button to
// the notice of a command not offered yet, there is nothing the branch can close.
bool fechaContaDisponivel() {
    const CommandRoute* r = routeForButton("spbFecha");
    return r && r->comando != &TfrmGerMesa::comandoIndisponivel;
}

#define REQUER_FECHA_CONTA()                                                                       \
    if (!fechaContaDisponivel()) {                                                                 \
        GTEST_SKIP() << "the close-account command is not offered by this till yet";               \
    }

} // namespace

TEST(AppPaidCaption, WholeTableWithoutParenthesisSeatWithIt) {
    const struct {
        const char* mesa;
        const char* lugar;
        const char* legenda;
    } casos[] = {
        {"0012", "T", "Mesa 12"},  {"0012", "03", "Mesa 12 (03)"},   {"0012", "00", "Mesa 12"},
        {"0100", "T", "Mesa 100"}, {"1234", "11", "Mesa 1234 (11)"}, {"0000", "T", "Mesa 0"},
        {"0007", " T ", "Mesa 7"},
    };
    for (const auto& c : casos) {
        EXPECT_EQ(
            TfrmGerMesa::legendaMesaApp(QString::fromLatin1(c.mesa), QString::fromLatin1(c.lugar)),
            QString::fromLatin1(c.legenda))
            << c.mesa << "/" << c.lugar;
    }
}

TEST(AppPaidCaption, ButtonNamesAndNumbers) {
    EXPECT_EQ(ScreenModel::appPaidButtonName(1), QStringLiteral("sbtMesaAPP1"));
    EXPECT_EQ(ScreenModel::appPaidButtonName(12), QStringLiteral("sbtMesaAPP12"));
    const struct {
        const char* nome;
        int numero;
    } casos[] = {{"sbtMesaAPP1", 1}, {"sbtMesaAPP12", 12}, {"sbtMesaAPP13", 0},
                 {"sbtMesaAPP0", 0}, {"sbtMesaAPP01", 0},  {"sbtMesaAPP", 0},
                 {"sbtAmb01", 0},    {"sbtMesaAPP1x", 0}};
    for (const auto& c : casos) {
        EXPECT_EQ(ScreenModel::appPaidButtonNumber(QString::fromLatin1(c.nome)), c.numero)
            << c.nome;
    }
}

// Button n shows the payment of LINHA n (1 the most recent); beyond the twelfth nothing
// shows, and buttons without a payment are hidden, disabled and captionless.
TEST_F(AppPaidTables, StripShowsTheMostRecentPaymentsOnTheirButtons) {
    for (int quantos : {14, 3, 0}) {
        SCOPED_TRACE(quantos);
        TearDown();
        SetUp();
        if (IsSkipped()) {
            return;
        }
        QStringList esperado;
        for (int i = 1; i <= quantos; ++i) {
            // Table i, paid whole when i is even, on its seat 02 otherwise; payment i was
            // made i minutes ago, so it is the i-th most recent.
            const QString nrMesa = QStringLiteral("%1").arg(i, 4, 10, QLatin1Char('0'));
            const QString lugar = i % 2 == 0 ? QStringLiteral("T") : QStringLiteral("02");
            mesaComVenda(i, nrMesa, QStringLiteral("O"), {QStringLiteral("01"), lugar});
            pagamento(nrMesa, lugar, i);
            if (i <= 12) {
                esperado << TfrmGerMesa::legendaMesaApp(nrMesa, lugar);
            }
        }
        while (esperado.size() < 12) {
            esperado << QString();
        }
        abre();
        EXPECT_EQ(legendas(), esperado);
        for (int n = 1; n <= 12; ++n) {
            const AppPaidButtonModel& b = tela().model.sbtMesaAPP[size_t(n - 1)];
            const bool comPagamento = n <= quantos;
            EXPECT_EQ(b.visible, comPagamento) << n;
            EXPECT_EQ(b.enabled, comPagamento) << n;
            EXPECT_EQ(b.caption.isEmpty(), !comPagamento) << n;
        }
        if (quantos == 14) {
            EXPECT_EQ(esperado.first(), QStringLiteral("Mesa 1 (02)"));
            EXPECT_EQ(esperado.at(1), QStringLiteral("Mesa 2"));
        }
    }
}

// The strip follows every map refresh: a payment made after the screen opened shows, one
// taken into a fiscal sale goes; the touch of a table refreshes it too.
TEST_F(AppPaidTables, EveryRefreshRebuildsTheStrip) {
    mesaComVenda(1, QStringLiteral("0001"), QStringLiteral("O"), {QStringLiteral("01")});
    mesaComVenda(2, QStringLiteral("0002"), QStringLiteral("O"), {QStringLiteral("03")});
    mesaNoBotao(3, QStringLiteral("0003"), QStringLiteral("D"));
    abre();
    EXPECT_EQ(legendas().join(QLatin1Char('|')), QStringLiteral("|||||||||||"));

    pagamento(QStringLiteral("0001"), QStringLiteral("T"), 5);
    atualiza();
    EXPECT_EQ(legendas().first(), QStringLiteral("Mesa 1"));
    EXPECT_TRUE(tela().model.sbtMesaAPP[0].visible);
    // The refresh reads the strip once.
    EXPECT_EQ(operacoes().count(QStringLiteral("getMesasPagasAPP")), 1);
    const auto chamada = suite.last(QStringLiteral("MensagemMetodo"));
    EXPECT_EQ(chamada.text(3), QStringLiteral("getMesasPagasAPP"));
    EXPECT_EQ(chamada.text(4), QStringLiteral("Cli_Tmk00470"));
    EXPECT_EQ(chamada.text(5), QStringLiteral("0001"));
    EXPECT_EQ(chamada.text(6), QStringLiteral("002"));

    // A newer payment takes the first button; the older one moves to the second. The
    // touch of a free table (its opening cancelled) refreshes the map, and the strip.
    pagamento(QStringLiteral("0002"), QStringLiteral("03"), 1);
    toca(3);
    EXPECT_EQ(registros(), QStringList{QStringLiteral("ABE_ERR")});
    EXPECT_EQ(legendas().mid(0, 3),
              (QStringList{QStringLiteral("Mesa 2 (03)"), QStringLiteral("Mesa 1"), QString()}));

    // The whole-table payment taken into a fiscal sale leaves the strip.
    sql(QStringLiteral("UPDATE MOVCAIXAMOB SET NRSEQVENDA = '0000001' WHERE NRMESA = '0001'"));
    atualiza();
    EXPECT_EQ(legendas().mid(0, 2), (QStringList{QStringLiteral("Mesa 2 (03)"), QString()}));
}

// The database down while the strip is rebuilt: the failure is shown, the strip keeps
// what it showed.
TEST_F(AppPaidTables, FailedReadKeepsTheStrip) {
    mesaComVenda(1, QStringLiteral("0001"), QStringLiteral("O"), {QStringLiteral("01")});
    pagamento(QStringLiteral("0001"), QStringLiteral("01"), 5);
    abre();
    const QStringList antes = legendas();
    ASSERT_EQ(antes.first(), QStringLiteral("Mesa 1 (01)"));
    sql(QStringLiteral("ALTER TABLE MOVCAIXAMOB RENAME TO MOVCAIXAMOB_FORA"));
    tela().evento([&] { tela().MontaListaMesasPagasAPP(); });
    EXPECT_EQ(legendas(), antes);
    EXPECT_TRUE(tela().model.sbtMesaAPP[0].enabled);
    ASSERT_EQ(suite.count(QStringLiteral("Mensagem")), 1);
    EXPECT_EQ(suite.last(QStringLiteral("Mensagem")).text(9), QStringLiteral("getMesasPagasAPP"));
    // The periodic refresh reports it the same way and keeps the strip too.
    atualiza();
    EXPECT_EQ(legendas(), antes);
    EXPECT_EQ(suite.count(QStringLiteral("Mensagem")), 2);
    // Back again, the next refresh follows the payments once more.
    sql(QStringLiteral("ALTER TABLE MOVCAIXAMOB_FORA RENAME TO MOVCAIXAMOB"));
    sql(QStringLiteral("UPDATE MOVCAIXAMOB SET NRSEQVENDA = '0000001'"));
    atualiza();
    EXPECT_FALSE(tela().model.sbtMesaAPP[0].visible);
}

TEST_F(AppPaidTables, PrinterErrorShowsItsMessageAndChangesNothing) {
    mesaComVenda(7, QStringLiteral("0007"), QStringLiteral("S"), {QStringLiteral("01")});
    mesaComVenda(12, QStringLiteral("0012"), QStringLiteral("O"), {QStringLiteral("03")});
    pagamento(QStringLiteral("0007"), QStringLiteral("T"), 2);
    pagamento(QStringLiteral("0012"), QStringLiteral("03"), 1);
    abre();
    tela().st.ErroImpressora = true;
    for (int n : {1, 2}) {
        suite.clear();
        tocaApp(n);
        EXPECT_EQ(mensagens(), QStringList{msg(QStringLiteral("ERRO_IMPRESSORA"))}) << n;
        EXPECT_EQ(suite.last(QStringLiteral("Mensagem")).arg(4).toInt(), int(MsgErro));
        EXPECT_TRUE(operacoes().isEmpty()) << n;
        nadaMudou("printer error");
        botaoLivre(n, "printer error");
    }
    EXPECT_EQ(estadoDaMesa(QStringLiteral("0007")), QStringLiteral("S"));
    EXPECT_EQ(estadoDaMesa(QStringLiteral("0012")), QStringLiteral("O"));
}

// A whole table paid, recorded as "T" or as "00", goes to the receipt as a touch on the map
// would; the map and the footer are refreshed afterwards.
TEST_F(AppPaidTables, WholeTablePaidIsReceivedThroughTheTableDispatch) {
    for (const char* lugar : {"T", "00"}) {
        SCOPED_TRACE(lugar);
        TearDown();
        SetUp();
        if (IsSkipped()) {
            return;
        }
        const QString v = mesaComVenda(7, QStringLiteral("0007"), QStringLiteral("S"),
                                       {QStringLiteral("01"), QStringLiteral("02")});
        pagamento(QStringLiteral("0007"), QStringLiteral("T"), 3);
        sql(QStringLiteral("UPDATE MOVCAIXAMOB SET NRLUGARMESA = :L"),
            {{QStringLiteral("L"), QString::fromLatin1(lugar)}});
        abre();
        ASSERT_EQ(legendas().first(), QStringLiteral("Mesa 7"));
        tocaApp(1);
        EXPECT_FALSE(mensagens().contains(msg(QStringLiteral("MOB_POS_PAG"))));
        ASSERT_EQ(tela().recebimentos.size(), 1);
        EXPECT_EQ(tela().recebimentos[0].values,
                  (QStringList{QStringLiteral("0001"), v, QStringLiteral("_000007_"),
                               QStringLiteral("0007"), QStringLiteral("000007"),
                               QStringLiteral("RES_0007"), QStringLiteral("01")}));
        EXPECT_EQ(suite.count(QStringLiteral("FechaConta")), 0);
        EXPECT_EQ(suite.count(QStringLiteral("MontaRodapeGeral")), 1);
        EXPECT_GE(operacoes().count(QStringLiteral("getMesasPagasAPP")), 1);
        botaoLivre(1, lugar);
    }
}

// A paid seat on a table whose bill cannot be closed: the close-account command's own
// message, and nothing is closed, cleaned or freed.
TEST_F(AppPaidTables, SeatOfATableThatCannotBeClosedIsRefused) {
    const struct {
        const char* caso;
        const char* estado; // nullptr: the table is no longer in the store
        const char* mensagem;
    } casos[] = {
        {"free", "D", "MESA_FREE"},
        {"being received by another till", "R", "MESA_NCONTS"},
        {"no longer in the store", nullptr, "MESANCAD"},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.caso);
        TearDown();
        SetUp();
        if (IsSkipped()) {
            return;
        }
        mesaComVenda(12, QStringLiteral("0012"), QStringLiteral("O"), {QStringLiteral("03")});
        pagamento(QStringLiteral("0012"), QStringLiteral("03"), 1);
        abre();
        ASSERT_EQ(legendas().first(), QStringLiteral("Mesa 12 (03)"));
        if (c.estado) {
            sql(QStringLiteral("UPDATE MESA SET IDSTMESAAUX = :E WHERE NRMESA = '0012'"),
                {{QStringLiteral("E"), QString::fromLatin1(c.estado)}});
        } else {
            sql(QStringLiteral("DELETE FROM MESA WHERE NRMESA = '0012'"));
        }
        tocaApp(1);
        EXPECT_EQ(mensagens(), QStringList{msg(QString::fromLatin1(c.mensagem))});
        EXPECT_EQ(suite.last(QStringLiteral("Mensagem")).arg(4).toInt(), int(MsgErro));
        nadaMudou(c.caso);
        botaoLivre(1, c.caso);
        EXPECT_EQ(count(QStringLiteral("ITCOMANDAVEN")), 1);
        if (c.estado) {
            EXPECT_EQ(estadoDaMesa(QStringLiteral("0012")), QString::fromLatin1(c.estado));
        }
    }
}

// Payments the till cannot take: a clear message where the operator touched, and nothing
// changes.
TEST_F(AppPaidTables, PaymentsTheTillCannotTakeAreRefusedWithAMessage) {
    const struct {
        const char* caso;
        const char* lugar;
        const char* ajuste; // statement that spoils the payment or its table
        QString mensagem;
    } casos[] = {
        {"seat paid with no amount", "03", "UPDATE MOVCAIXAMOB SET VRMOV = 0",
         QStringLiteral("O pagamento da Mesa 12 (03) feito pelo aplicativo está sem valor e não "
                        "pode ser recebido. Confira o pagamento no aplicativo.")},
        {"whole table paid with no amount", "T", "UPDATE MOVCAIXAMOB SET VRMOV = 0",
         QStringLiteral("O pagamento da Mesa 12 feito pelo aplicativo está sem valor e não "
                        "pode ser recebido. Confira o pagamento no aplicativo.")},
        {"seat not on the table", "03", "UPDATE MOVCAIXAMOB SET NRLUGARMESA = '07'",
         QStringLiteral("O lugar 07 não tem pedidos na mesa 12: o pagamento feito pelo "
                        "aplicativo não pode ser fechado. Confira a mesa e o pagamento.")},
        {"whole table no longer in the store", "T", "DELETE FROM MESA WHERE NRMESA = '0012'",
         msg(QStringLiteral("Mesa_N_Enc1"))},
    };
    for (const auto& c : casos) {
        SCOPED_TRACE(c.caso);
        TearDown();
        SetUp();
        if (IsSkipped()) {
            return;
        }
        mesaComVenda(12, QStringLiteral("0012"), QStringLiteral("S"), {QStringLiteral("03")});
        pagamento(QStringLiteral("0012"), QString::fromLatin1(c.lugar), 1);
        sql(QString::fromLatin1(c.ajuste));
        abre();
        ASSERT_TRUE(tela().model.sbtMesaAPP[0].visible);
        tocaApp(1);
        EXPECT_EQ(mensagens(), QStringList{c.mensagem});
        nadaMudou(c.caso);
        botaoLivre(1, c.caso);
        EXPECT_EQ(count(QStringLiteral("ITCOMANDAVEN")), 1);
        EXPECT_EQ(count(QStringLiteral("VENDAREST"), QStringLiteral("DTHRFECHMESA IS NULL")), 1);
    }
}

// A paid seat on a table with other seats still to pay: its account is closed for that
// table and seat, and the table keeps its sale.
TEST_F(AppPaidTables, PaidSeatClosesTheAccountOfThatTableAndSeat) {
    REQUER_FECHA_CONTA();
    mesaComVenda(12, QStringLiteral("0012"), QStringLiteral("O"),
                 {QStringLiteral("01"), QStringLiteral("03")});
    pagamento(QStringLiteral("0012"), QStringLiteral("03"), 1);
    abre();
    ASSERT_EQ(legendas().first(), QStringLiteral("Mesa 12 (03)"));
    QString mesaVista;
    QString posicaoVista;
    suite.dialogs.fechaConta.setCallback([&](const QVariantList&) {
        mesaVista = tela().st.NrMesaApp;
        posicaoVista = tela().st.PosicaoApp;
        return AccountClosingAnswer{};
    });
    tocaApp(1);
    ASSERT_EQ(suite.count(QStringLiteral("FechaConta")), 1);
    const RecordedCall fecha = suite.last(QStringLiteral("FechaConta"));
    EXPECT_EQ(fecha.text(3), QStringLiteral("03"));
    EXPECT_EQ(fecha.arg(1).value<DataPacket>().value(0, QStringLiteral("stMesaFecha")).toString(),
              QStringLiteral("0012"));
    EXPECT_EQ(mesaVista, QStringLiteral("0012"));
    EXPECT_EQ(posicaoVista, QStringLiteral("03"));
    // Seat 01 is still to pay: nothing is cleaned.
    EXPECT_EQ(suite.count(QStringLiteral("setLimpaMesaComanda")), 0);
    EXPECT_EQ(estadoDaMesa(QStringLiteral("0012")), QStringLiteral("O"));
    botaoLivre(1, "seat closed");
}

// End to end: the seat paid was all the table had. Once its account is closed (the
// dialog takes its items), the tab is cleaned and the table freed; the other table of
// its join group, which has a sale of its own, stays occupied.
TEST_F(AppPaidTables, PaidSeatOnAnOtherwiseEmptyTableCleansTheTabAndFreesTheTable) {
    REQUER_FECHA_CONTA();
    const QString v =
        mesaComVenda(12, QStringLiteral("0012"), QStringLiteral("O"), {QStringLiteral("03")});
    mesaComVenda(13, QStringLiteral("0013"), QStringLiteral("O"), {QStringLiteral("01")});
    juncao(QStringLiteral("0001"), {QStringLiteral("0012"), QStringLiteral("0013")});
    pagamento(QStringLiteral("0012"), QStringLiteral("03"), 1);
    abre();
    ASSERT_EQ(legendas().first(), QStringLiteral("Mesa 12 (03)"));
    suite.dialogs.fechaConta.setCallback([&](const QVariantList&) {
        sql(QStringLiteral("DELETE FROM ITCOMANDAVEN WHERE NRVENDAREST = :V AND "
                           "NRLUGARMESA = '03'"),
            {{QStringLiteral("V"), v}});
        return AccountClosingAnswer{};
    });
    suite.sales.limpaMesaComanda.setCallback([&](const QVariantList& a) {
        QSqlDatabase c = db->connection();
        settleTabs(c, a.value(0).toString(), a.value(1).toString(), a.value(3).toString(),
                   clock.now());
        return QVariant();
    });
    tocaApp(1);
    ASSERT_EQ(suite.count(QStringLiteral("setLimpaMesaComanda")), 1);
    EXPECT_EQ(
        suite.last(QStringLiteral("setLimpaMesaComanda")).args,
        (QVariantList{QStringLiteral("0001"), QStringLiteral("_000012_"), QStringLiteral("0001"), v,
                      QStringLiteral("0012"), QStringLiteral("RES"), QStringLiteral("N")}));
    EXPECT_EQ(count(QStringLiteral("COMANDAVEN"), QStringLiteral("NRCOMANDA = '000012' AND "
                                                                 "IDSTCOMANDA = '1'")),
              0);
    EXPECT_EQ(count(QStringLiteral("VENDAREST"),
                    QStringLiteral("NRMESA = '0012' AND DTHRFECHMESA IS NULL")),
              0);
    EXPECT_EQ(estadoDaMesa(QStringLiteral("0012")), QStringLiteral("D"));
    EXPECT_EQ(estadoDaMesa(QStringLiteral("0013")), QStringLiteral("O"));
    EXPECT_EQ(count(QStringLiteral("VENDAREST"),
                    QStringLiteral("NRMESA = '0013' AND DTHRFECHMESA IS NULL")),
              1);
    // The map shows the table free at once.
    EXPECT_EQ(picture(12), QStringLiteral("imgLivre"));
    botaoLivre(1, "table cleaned");
}

// A failure of the clean-up is shown, and the table is not freed.
TEST_F(AppPaidTables, CleanUpFailureIsShownAndTheTableStaysOccupied) {
    REQUER_FECHA_CONTA();
    const QString v =
        mesaComVenda(12, QStringLiteral("0012"), QStringLiteral("O"), {QStringLiteral("03")});
    pagamento(QStringLiteral("0012"), QStringLiteral("03"), 1);
    abre();
    suite.dialogs.fechaConta.setCallback([&](const QVariantList&) {
        sql(QStringLiteral("DELETE FROM ITCOMANDAVEN WHERE NRVENDAREST = :V"),
            {{QStringLiteral("V"), v}});
        return AccountClosingAnswer{};
    });
    suite.sales.limpaMesaComanda.setDefault(
        serviceFailure(QStringLiteral("Falha ao limpar a comanda.")));
    tocaApp(1);
    EXPECT_TRUE(mensagens().contains(QStringLiteral("Falha ao limpar a comanda.")));
    EXPECT_EQ(estadoDaMesa(QStringLiteral("0012")), QStringLiteral("O"));
    EXPECT_FALSE(operacoes().contains(QStringLiteral("setLiberaMesaVazia")));
    botaoLivre(1, "clean-up failed");
}
