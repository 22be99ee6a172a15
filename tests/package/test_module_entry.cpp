#include "package/module_entry.h"
#include "screen/view/ger_mesa_view.h"
#include "tests/screen/screen_fixture.h"

#include <QGuiApplication>
#include <optional>

using namespace tmk;
using namespace tmk::test;

namespace {

class Entry : public ScreenWithStore {
protected:
    void SetUp() override {
        ScreenWithStore::SetUp();
        if (IsSkipped() || HasFatalFailure()) {
            return;
        }
        writeParametros();
        loja();
        area(QStringLiteral("01"), QStringLiteral("Salão"));
        area(QStringLiteral("02"), QStringLiteral("Varanda"));
        mesa(QStringLiteral("0001"), QStringLiteral("D"), QStringLiteral("01"), 1, 1);
        modulo = std::make_unique<ModuloGerMesa>(
            suite.libraries(), [this]() -> TrdmGerMesa& { return *dm; }, clock);
    }
    void TearDown() override {
        modulo.reset();
        ScreenWithStore::TearDown();
    }
    // The operator, while the screen is shown: activates it and then does what the test says.
    void operador(std::function<void(TfrmGerMesa&)> faz) {
        modulo->showModal = [this, faz](TfrmGerMesaView&) {
            modulo->frmGerMesa()->FormActivate();
            faz(*modulo->frmGerMesa());
        };
    }
    void sai(TfrmGerMesa& s) {
        suite.common.mensagem.push(true);
        s.lblSairClick();
    }
    std::unique_ptr<ModuloGerMesa> modulo;
};

} // namespace

TEST_F(Entry, LeavingReturnsFechaSistemaAndKeepsTheOtherValuesOfThePreviousCall) {
    operador([&](TfrmGerMesa& s) {
        s.st.RetNrMesa = QStringLiteral("0042"); // left by an earlier selection
        sai(s);
    });
    QVariantList result(10);
    modulo->CriaGerenciaMesa({QStringLiteral("qualquer")}, 0, result);
    EXPECT_EQ(result[0], QVariant(QStringLiteral("FECHA_SISTEMA")));
    EXPECT_EQ(result[4], QVariant(QStringLiteral("0042")));
    EXPECT_EQ(result[9], QVariant(false));
    EXPECT_EQ(modulo->frmGerMesa()->st.ParamEntrada, QStringLiteral("qualquer"));
}

TEST_F(Entry, ElementZeroOfAnyKindIsOnlyStored) {
    operador([&](TfrmGerMesa& s) { sai(s); });
    for (const QVariant& v : {QVariant(42), QVariant(QString()), QVariant(QStringLiteral("x"))}) {
        QVariantList result(10);
        modulo->CriaGerenciaMesa({v, QStringLiteral("ignored")}, 1, result);
        EXPECT_EQ(modulo->frmGerMesa()->st.ParamEntrada, v.toString());
        EXPECT_EQ(result[0], QVariant(QStringLiteral("FECHA_SISTEMA")));
    }
}

TEST_F(Entry, ASecondCallReusesTheScreenAndStartsAtTheFirstArea) {
    operador([&](TfrmGerMesa& s) {
        s.sbtAmb01Click(QStringLiteral("sbtAmb02"));
        sai(s);
    });
    QVariantList result(10);
    modulo->CriaGerenciaMesa({0}, 0, result);
    TfrmGerMesa* primeira = modulo->frmGerMesa();
    ASSERT_NE(primeira, nullptr);
    EXPECT_EQ(primeira->st.NrAmbienteAtual, QStringLiteral("02"));
    writeParametros({{QStringLiteral("CDCAIXA"), QStringLiteral("555")}});
    operador([&](TfrmGerMesa& s) {
        EXPECT_EQ(s.st.NrAmbienteAtual, QStringLiteral("01"));
        EXPECT_EQ(s.st.NrPaginaAtual, 1);
        EXPECT_EQ(s.st.CdCaixa, QStringLiteral("001"));
        sai(s);
    });
    modulo->CriaGerenciaMesa({0}, 0, result);
    EXPECT_EQ(modulo->frmGerMesa(), primeira);
}

TEST_F(Entry, AResultArrayOfFewerThanTenElementsIsAClearErrorAndNothingIsWritten) {
    bool mostrou = false;
    operador([&](TfrmGerMesa& s) {
        mostrou = true;
        sai(s);
    });
    QVariantList curto = {QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")};
    modulo->CriaGerenciaMesa({0}, 0, curto);
    EXPECT_FALSE(mostrou);
    EXPECT_EQ(curto, (QVariantList{QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")}));
    const RecordedCall m = suite.last(QStringLiteral("Mensagem"));
    EXPECT_TRUE(m.text(0).contains(QStringLiteral("10"))) << m.text(0).toStdString();
    EXPECT_EQ(m.arg(4).toInt(), int(MsgErro));
}

TEST_F(Entry, AnErrorWhileInitialisingIsShownAndTheResultIsLeftAsItWas) {
    writeParametros({{QStringLiteral("IDEXIBTICCUP"), QStringLiteral("S")}});
    suite.sales.calcTicketMedio.setDefault(QStringLiteral("média-x"));
    bool mostrou = false;
    operador([&](TfrmGerMesa&) { mostrou = true; });
    QVariantList result = {QStringLiteral("antes"), 1, 2, 3, 4, 5, 6, 7, 8, 9};
    const QVariantList original = result;
    modulo->CriaGerenciaMesa({0}, 0, result);
    EXPECT_FALSE(mostrou);
    EXPECT_EQ(result, original);
    const RecordedCall m = suite.last(QStringLiteral("Mensagem"));
    EXPECT_TRUE(m.text(0).contains(QStringLiteral("média"))) << m.text(0).toStdString();
    EXPECT_EQ(m.arg(4).toInt(), int(MsgErro));
}

TEST_F(Entry, AnEmptyInputArrayIsRefused) {
    bool mostrou = false;
    operador([&](TfrmGerMesa&) { mostrou = true; });
    QVariantList result(10);
    modulo->CriaGerenciaMesa({}, -1, result);
    EXPECT_FALSE(mostrou);
    EXPECT_EQ(suite.last(QStringLiteral("Mensagem")).arg(4).toInt(), int(MsgErro));
}

namespace {

// The shape of the cursor over the application: none when no cursor is forced.
std::optional<Qt::CursorShape> cursorForced() {
    if (const QCursor* c = QGuiApplication::overrideCursor()) {
        return c->shape();
    }
    return std::nullopt;
}

} // namespace

TEST_F(Entry, TheHourglassIsUpWhileTheScreenIsPreparedAndGoneOverTheMap) {
    writeParametros({{QStringLiteral("IDEXIBTICCUP"), QStringLiteral("S")}});
    std::optional<Qt::CursorShape> preparando;
    suite.sales.calcTicketMedio.setCallback([&](const QVariantList&) {
        preparando = cursorForced();
        return QStringLiteral("10-1");
    });
    std::optional<Qt::CursorShape> sobreOMapa = Qt::WaitCursor;
    operador([&](TfrmGerMesa& s) {
        sobreOMapa = cursorForced();
        sai(s);
    });
    QVariantList result(10);
    modulo->CriaGerenciaMesa({0}, 0, result);
    EXPECT_EQ(preparando, Qt::WaitCursor);
    EXPECT_EQ(sobreOMapa, std::nullopt);
    EXPECT_EQ(cursorForced(), std::nullopt);
    EXPECT_EQ(result[0], QVariant(QStringLiteral("FECHA_SISTEMA")));
}

// Every way out of the entry leaves no cursor forced: a refused call, an error or a silent
// abort while the screen is prepared, and a silent abort from the map.
TEST_F(Entry, EveryWayOutRestoresTheCursor) {
    struct Caso {
        const char* nome;
        QVariantList params;
        int resultado;
        std::function<void()> prepara;
    };
    const Caso casos[] = {
        {"sem parâmetro",
         {},
         10,
         [] {
         }},
        {"vetor curto",
         {0},
         3,
         [] {
         }},
        {"erro ao preparar",
         {0},
         10,
         [this] {
             writeParametros({{QStringLiteral("IDEXIBTICCUP"), QStringLiteral("S")}});
             suite.sales.calcTicketMedio.setDefault(QStringLiteral("média-x"));
         }},
        {"saída silenciosa ao preparar",
         {0},
         10,
         [this] {
             writeParametros({{QStringLiteral("IDEXIBTICCUP"), QStringLiteral("S")}});
             suite.sales.calcTicketMedio.setCallback(
                 [](const QVariantList&) -> QString { abortSilently(); });
         }},
        {"saída silenciosa no mapa",
         {0},
         10,
         [this] {
             operador([](TfrmGerMesa&) { abortSilently(); });
         }},
    };
    for (const Caso& caso : casos) {
        SCOPED_TRACE(caso.nome);
        operador([&](TfrmGerMesa& s) { sai(s); });
        caso.prepara();
        QVariantList result(caso.resultado);
        modulo->CriaGerenciaMesa(caso.params, int(caso.params.size()) - 1, result);
        EXPECT_EQ(cursorForced(), std::nullopt);
    }
}
