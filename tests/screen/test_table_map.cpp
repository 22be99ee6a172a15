#include "service/map_reads.h"
#include "tests/screen/screen_fixture.h"

using namespace tmk;
using namespace tmk::test;

namespace {

class TableMap : public ScreenWithStore {
protected:
    // Opens the screen as the entry does: initialisation, then the first activation.
    void abre() {
        screen().InicializaForm();
        screen().FormActivate();
    }
    QDateTime agora() const { return clock.now(); }
};

} // namespace

TEST_F(TableMap, EveryStateHasItsPictureWithAndWithoutReservation) {
    writeParametros();
    loja();
    area(QStringLiteral("01"), QStringLiteral("Salão"));
    const QDate hoje = QDate::currentDate();
    struct Caso {
        const char* mesa;
        const char* estado;
        bool reservada;
        int minutosDoUltimoPedido; // -1: no open sale
        const char* figura;
    };
    const Caso casos[] = {
        {"0001", "D", false, -1, "imgLivre"},        {"0002", "D", true, -1, "imgLivreR"},
        {"0003", "O", false, 5, "imgOcupada"},       {"0004", "O", true, 5, "imgOcupadaR"},
        {"0005", "O", false, 45, "imgSemCons"},      {"0006", "O", true, 45, "imgSemConsR"},
        {"0007", "S", false, 10, "imgCtaSol"},       {"0008", "S", true, 10, "imgCtaSolR"},
        {"0009", "R", false, 10, "imgRecebendo"},    {"0010", "R", true, 10, "imgRecebendo"},
        {"0011", "C", false, 10, "imgCtaSolCarDig"}, {"0012", "C", true, 10, "imgCtaSolCarDig"},
        {"0013", "P", false, 10, "imgCtaSol"},       {"0014", "X", false, 10, ""},
    };
    int botao = 0;
    for (const Caso& c : casos) {
        const QString nr = QString::fromLatin1(c.mesa);
        mesa(nr, QString::fromLatin1(c.estado), QStringLiteral("01"), 1, ++botao);
        if (c.reservada) {
            reserva(nr, hoje);
        }
        if (c.minutosDoUltimoPedido >= 0) {
            vendaAberta(nr, agora().addSecs(-3600),
                        {agora().addSecs(-60 * c.minutosDoUltimoPedido)});
        }
    }
    abre();
    for (int i = 0; i < int(std::size(casos)); ++i) {
        EXPECT_EQ(picture(i + 1), QString::fromLatin1(casos[i].figura)) << casos[i].mesa;
        EXPECT_TRUE(screen().model.tcb[size_t(i)].enabled) << casos[i].mesa;
    }
    EXPECT_EQ(screen().model.lblMensagem, QStringLiteral("Salão"));
}

TEST_F(TableMap, IdleCountsFromTheLastOrderOrTheOpeningAndNeedsTheSetting) {
    writeParametros({{QStringLiteral("NRMINSEMCONS"), QStringLiteral("90")}});
    loja();
    area(QStringLiteral("01"), QStringLiteral("Salão"));
    mesa(QStringLiteral("0001"), QStringLiteral("O"), QStringLiteral("01"), 1, 1);
    mesa(QStringLiteral("0002"), QStringLiteral("O"), QStringLiteral("01"), 1, 2);
    mesa(QStringLiteral("0003"), QStringLiteral("O"), QStringLiteral("01"), 1, 3);
    mesa(QStringLiteral("0004"), QStringLiteral("O"), QStringLiteral("01"), 1, 4);
    // Exactly 90 minutes: idle. 89 min 59 s: not yet.
    vendaAberta(QStringLiteral("0001"), agora().addSecs(-4 * 3600), {agora().addSecs(-90 * 60)});
    vendaAberta(QStringLiteral("0002"), agora().addSecs(-4 * 3600),
                {agora().addSecs(-90 * 60 + 1)});
    // Nothing ordered: the opening time counts (a table opened a minute ago is not idle).
    vendaAberta(QStringLiteral("0003"), agora().addSecs(-60));
    vendaAberta(QStringLiteral("0004"), agora().addSecs(-2 * 3600));
    abre();
    EXPECT_EQ(picture(1), QStringLiteral("imgSemCons"));
    EXPECT_EQ(picture(2), QStringLiteral("imgOcupada"));
    EXPECT_EQ(picture(3), QStringLiteral("imgOcupada"));
    EXPECT_EQ(picture(4), QStringLiteral("imgSemCons"));
}

TEST_F(TableMap, WithoutTheIdleSettingNoTableIsIdle) {
    writeParametros({{QStringLiteral("NRMINSEMCONS"), QString()}});
    loja();
    area(QStringLiteral("01"), QStringLiteral("Salão"));
    mesa(QStringLiteral("0001"), QStringLiteral("O"), QStringLiteral("01"), 1, 1);
    vendaAberta(QStringLiteral("0001"), agora().addSecs(-5 * 3600), {agora().addSecs(-4 * 3600)});
    abre();
    EXPECT_EQ(picture(1), QStringLiteral("imgOcupada"));
    // The last order is not even asked for.
    for (const RecordedCall& c : suite.calls(QStringLiteral("MensagemMetodo"))) {
        EXPECT_NE(c.text(3), QStringLiteral("getUltimaVenda"));
    }
}

TEST_F(TableMap, PageTwoOfFortyNineTablesShowsOneAndNextPageStopsThere) {
    writeParametros();
    loja();
    area(QStringLiteral("01"), QStringLiteral("Salão"));
    for (int i = 1; i <= 49; ++i) {
        const int pagina = i <= 48 ? 1 : 2;
        const int botao = i <= 48 ? i : 1;
        mesa(QStringLiteral("%1").arg(i, 4, 10, QLatin1Char('0')), QStringLiteral("D"),
             QStringLiteral("01"), pagina, botao);
    }
    abre();
    EXPECT_DOUBLE_EQ(screen().st.QtPaginas, 49.0 / 48.0);
    int vistos = 0;
    for (const auto& b : screen().model.tcb) {
        vistos += b.enabled ? 1 : 0;
    }
    EXPECT_EQ(vistos, 48);
    screen().sbtFrenteClick();
    EXPECT_EQ(screen().st.NrPaginaAtual, 2);
    EXPECT_EQ(screen().model.lblPagMesa, QStringLiteral("PÁGINA  2"));
    vistos = 0;
    for (const auto& b : screen().model.tcb) {
        vistos += b.enabled ? 1 : 0;
    }
    EXPECT_EQ(vistos, 1);
    EXPECT_EQ(caption(1), QStringLiteral("49"));
    EXPECT_EQ(picture(1), QStringLiteral("imgLivre"));
    screen().sbtFrenteClick();
    EXPECT_EQ(screen().st.NrPaginaAtual, 2);
    screen().sbtVoltaClick();
    EXPECT_EQ(screen().st.NrPaginaAtual, 1);
    screen().sbtVoltaClick();
    EXPECT_EQ(screen().st.NrPaginaAtual, 1);
    EXPECT_EQ(screen().model.lblPagMesa, QStringLiteral("PÁGINA  1"));
}

TEST_F(TableMap, AreasTakeTheirRowsAndTouchingTheSelectedOneOnlyRefreshes) {
    writeParametros();
    loja();
    area(QStringLiteral("01"), QStringLiteral("Salão"), 0x0000FF, 0xFFFFFF, 10);
    area(QStringLiteral("03"), QStringLiteral("Bar"), 0x00FF00, 0, 9);
    area(QStringLiteral("13"), QStringLiteral("Sem botão"));
    mesa(QStringLiteral("0001"), QStringLiteral("D"), QStringLiteral("01"), 1, 1);
    mesa(QStringLiteral("0031"), QStringLiteral("O"), QStringLiteral("03"), 1, 5);
    vendaAberta(QStringLiteral("0031"), agora().addSecs(-600), {agora().addSecs(-300)});
    abre();
    const auto& amb = screen().model.sbtAmb;
    EXPECT_TRUE(amb[0].visible);
    EXPECT_EQ(amb[0].caption, QStringLiteral("Salão"));
    EXPECT_EQ(amb[0].backColor, 0x0000FFu);
    EXPECT_EQ(amb[0].textColor, 0xFFFFFFu);
    EXPECT_EQ(amb[0].fontSize, 10);
    EXPECT_FALSE(amb[1].visible);
    EXPECT_TRUE(amb[2].visible);
    for (int i = 3; i < 12; ++i) {
        EXPECT_FALSE(amb[size_t(i)].visible) << i;
    }
    screen().sbtAmb01Click(QStringLiteral("sbtAmb03"));
    EXPECT_EQ(screen().st.NrAmbienteAtual, QStringLiteral("03"));
    EXPECT_EQ(screen().st.IdxAmbienteAtual, 3);
    EXPECT_EQ(screen().model.lblMensagem, QStringLiteral("Bar"));
    EXPECT_EQ(picture(5), QStringLiteral("imgOcupada"));
    EXPECT_FALSE(screen().model.tcb[0].enabled);

    // The same area again: the map is read again, page and title stay.
    sql(QStringLiteral("UPDATE MESA SET IDSTMESAAUX = 'S' WHERE NRMESA = '0031'"));
    const int antes = suite.count(QStringLiteral("MensagemMetodo"));
    screen().sbtAmb01Click(QStringLiteral("sbtAmb03"));
    EXPECT_GT(suite.count(QStringLiteral("MensagemMetodo")), antes);
    EXPECT_EQ(picture(5), QStringLiteral("imgCtaSol"));
    EXPECT_EQ(screen().model.lblMensagem, QStringLiteral("Bar"));
    EXPECT_EQ(screen().st.NrPaginaAtual, 1);
}

TEST_F(TableMap, JoinedTablesShowTheirCaptionsInParenthesesAndTheDefaultTableIsAbsent) {
    writeParametros();
    loja(QStringLiteral("0099"));
    area(QStringLiteral("01"), QStringLiteral("Salão"));
    mesa(QStringLiteral("0012"), QStringLiteral("O"), QStringLiteral("01"), 1, 1,
         QStringLiteral("12"));
    mesa(QStringLiteral("0013"), QStringLiteral("O"), QStringLiteral("01"), 1, 2,
         QStringLiteral("13"));
    mesa(QStringLiteral("0014"), QStringLiteral("D"), QStringLiteral("01"), 1, 3,
         QStringLiteral("14"));
    mesa(QStringLiteral("0099"), QStringLiteral("D"), QStringLiteral("01"), 1, 4,
         QStringLiteral("99"));
    vendaAberta(QStringLiteral("0012"), agora().addSecs(-600), {agora().addSecs(-60)});
    juncao(QStringLiteral("1"), {QStringLiteral("0012"), QStringLiteral("0013")});
    abre();
    EXPECT_EQ(caption(1), QStringLiteral("(12)"));
    EXPECT_EQ(caption(2), QStringLiteral("(13)"));
    EXPECT_EQ(caption(3), QStringLiteral("14"));
    EXPECT_EQ(screen().StatusAgrup(QStringLiteral("0013")), QStringLiteral("0012 0013 "));
    EXPECT_EQ(screen().StatusAgrup(QStringLiteral("0014")), QString());
    // The store's default table is neither configured nor shown.
    EXPECT_FALSE(screen().model.tcb[3].enabled);
    EXPECT_EQ(caption(4), QString());
}

TEST_F(TableMap, AConfiguredTableWithoutStatusIsEnabledWithoutPicture) {
    writeParametros();
    loja();
    area(QStringLiteral("01"), QStringLiteral("Salão"));
    mesa(QStringLiteral("0001"), QStringLiteral("D"), QStringLiteral("01"), 1, 1);
    sql(QStringLiteral("UPDATE MESA SET IDSTMESA = 'I' WHERE NRMESA = '0001'"));
    abre();
    EXPECT_TRUE(screen().model.tcb[0].enabled);
    EXPECT_EQ(caption(1), QStringLiteral("01"));
    EXPECT_EQ(picture(1), QString());
}

TEST_F(TableMap, AnEmptyAreaListLeavesTheAreaButtonsHiddenAndTheLayoutUnreadByThem) {
    writeParametros();
    loja();
    abre();
    for (const auto& a : screen().model.sbtAmb) {
        EXPECT_FALSE(a.visible);
    }
    for (const auto& b : screen().model.tcb) {
        EXPECT_FALSE(b.enabled);
    }
    // Only the first activation's own reload reads the table layout.
    int leituras = 0;
    for (const RecordedCall& c : suite.calls(QStringLiteral("MensagemMetodo"))) {
        leituras += c.text(3) == QLatin1String("getConfigMesa") ? 1 : 0;
    }
    EXPECT_EQ(leituras, 1);
}

TEST_F(TableMap, RowsWhoseButtonNumberNamesNoButtonAreSkipped) {
    writeParametros();
    loja();
    // Areas: only "01" names a button; "101" would land on sbtAmb01 and " 2" on sbtAmb02
    // if the last two characters were taken.
    area(QStringLiteral("01"), QStringLiteral("Salão"));
    area(QStringLiteral("101"), QStringLiteral("Cento e um"));
    area(QStringLiteral(" 2"), QStringLiteral("Terraço"));
    area(QStringLiteral("3"), QStringLiteral("Varanda"));
    struct Caso {
        const char* mesa;
        const char* botao;
        int desenhadaEm; // table button 1..48, 0 for none
    };
    const Caso casos[] = {
        {"0001", "01", 1}, {"0002", "101", 0}, {"0003", " 3", 0},
        {"0004", "4", 0},  {"0005", "1a", 0},  {"0006", "00", 0},
        {"0007", "49", 0}, {"0048", "48", 48}, {"0009", "٠٩", 0}, // digits of another script
    };
    int posicao = 0;
    for (const Caso& c : casos) {
        const QString nr = QString::fromLatin1(c.mesa);
        mesa(nr, QStringLiteral("D"), QStringLiteral("01"), 1, ++posicao);
        sql(QStringLiteral("UPDATE ITMENUCONFTE SET NRBUTTON = :P_NRBUTTON "
                           "WHERE CDIDENTBUTON = :P_MESA"),
            {{QStringLiteral("P_NRBUTTON"), QString::fromUtf8(c.botao)},
             {QStringLiteral("P_MESA"), nr}});
    }
    abre();
    const auto& amb = screen().model.sbtAmb;
    EXPECT_EQ(amb[0].caption, QStringLiteral("Salão"));
    for (int i = 1; i < 12; ++i) {
        EXPECT_FALSE(amb[size_t(i)].visible) << "sbtAmb" << i + 1;
    }
    for (int n = 1; n <= 48; ++n) {
        const Caso* drawn = nullptr;
        for (const Caso& c : casos) {
            drawn = c.desenhadaEm == n ? &c : drawn;
        }
        EXPECT_EQ(screen().model.tcb[size_t(n - 1)].enabled, drawn != nullptr) << "tcb" << n;
        EXPECT_EQ(caption(n), drawn ? QString::fromLatin1(drawn->mesa).right(2) : QString())
            << "tcb" << n;
    }
}

TEST_F(TableMap, AnAreaNumberIsNeverReadAsAPlaceholderOfThePageFilter) {
    writeParametros();
    loja();
    area(QStringLiteral("01"), QStringLiteral("Salão"));
    // Area "1" on page 1, and an area whose number holds the filter's placeholders.
    mesa(QStringLiteral("0001"), QStringLiteral("D"), QStringLiteral("1"), 1, 1);
    mesa(QStringLiteral("0002"), QStringLiteral("D"), QStringLiteral("%2"), 1, 2);
    mesa(QStringLiteral("0003"), QStringLiteral("D"), QStringLiteral("'%1"), 1, 3);
    abre();
    struct Caso {
        const char* area;
        int botao; // the one table button drawn, 0 for none
    };
    const Caso casos[] = {{"%2", 2}, {"'%1", 3}, {"%1", 0}, {"1", 1}, {"'1", 0}};
    for (const Caso& c : casos) {
        screen().st.NrAmbienteAtual = QString::fromLatin1(c.area);
        screen().st.NrPaginaAtual = 1;
        screen().MontaMenuMesa(false);
        for (int n = 1; n <= 3; ++n) {
            EXPECT_EQ(screen().model.tcb[size_t(n - 1)].enabled, n == c.botao)
                << "area " << c.area << ", tcb" << n;
        }
    }
}

// A full page of occupied tables is drawn in a fixed handful of round trips, with the
// pictures and captions the per-table reads give: a sale counts for every table whose
// number contains its own, and a table without orders counts from its opening.
TEST_F(TableMap, AFullPageIsDrawnInAFewRoundTripsAsThePerTableReadsDrawIt) {
    writeParametros({{QStringLiteral("NRMINSEMCONS"), QStringLiteral("30")}});
    loja();
    area(QStringLiteral("01"), QStringLiteral("Salão"));
    for (int n = 1; n <= 48; ++n) {
        const QString nr = QStringLiteral("%1").arg(n, 4, 10, QLatin1Char('0'));
        mesa(nr, QStringLiteral("O"), QStringLiteral("01"), 1, n);
        if (n % 4 == 0) {
            vendaAberta(nr, agora().addSecs(-3 * 3600)); // nothing ordered yet
        } else if (n % 4 != 3) {
            vendaAberta(nr, agora().addSecs(-3 * 3600), {agora().addSecs(-60 * (n % 2 ? 45 : 5))});
        }
    }
    // A sale of table "01" counts for every table whose number contains "01".
    vendaAberta(QStringLiteral("01"), agora().addSecs(-3 * 3600), {agora().addSecs(-50 * 60)});
    juncao(QStringLiteral("1"), {QStringLiteral("0046"), QStringLiteral("0047")});
    abre();

    const quint64 antes = dm->statementsRun();
    screen().DisparaAtualizacao();
    EXPECT_LE(dm->statementsRun() - antes, 5u);

    int ociosas = 0;
    for (int n = 1; n <= 48; ++n) {
        const QString nr = QStringLiteral("%1").arg(n, 4, 10, QLatin1Char('0'));
        const DataPacket ultima =
            getUltimaVenda(*dm, QStringLiteral("0001"), QStringLiteral("0001"), nr)
                .value<DataPacket>();
        const QVariant quando =
            ultima.rowCount() ? ultima.value(0, QStringLiteral("DTULTIMAVENDA")) : QVariant();
        const bool ociosa =
            quando.toDateTime().isValid() && quando.toDateTime().secsTo(agora()) >= 30 * 60;
        ociosas += ociosa;
        EXPECT_EQ(picture(n), ociosa ? QStringLiteral("imgSemCons") : QStringLiteral("imgOcupada"))
            << nr.toStdString();
        const bool agrupada = getMesaJuncao(*dm, QStringLiteral("0001"), QStringLiteral("0001"), nr)
                                  .value<DataPacket>()
                                  .rowCount() > 0;
        EXPECT_EQ(caption(n).startsWith(QLatin1Char('(')), agrupada) << nr.toStdString();
    }
    // Both kinds of table are on the page, so the comparison means something.
    EXPECT_GT(ociosas, 5);
    EXPECT_LT(ociosas, 40);
    EXPECT_EQ(caption(46), QStringLiteral("(46)"));
}
