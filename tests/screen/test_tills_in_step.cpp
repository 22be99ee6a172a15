// Two tills of one store on one database: what till A commits shows on till B's map
// within a moment, without B's periodic refresh, a bounded number of times however many
// changes arrive, never under a running command, and nothing from another store.

#include "platform/service_result.h"
#include "service/change_listener.h"
#include "service/state_updates.h"
#include "suite/common/change_notice.h"
#include "tests/screen/screen_fixture.h"

#include <QElapsedTimer>
#include <QSqlQuery>
#include <QTest>
#include <QUuid>

using namespace tmk;
using namespace tmk::test;

namespace {

constexpr int kEspera = 10000; // generous: the machine may be busy

QString uuid() {
    return QUuid::createUuid().toString(QUuid::WithoutBraces);
}

// Till B is the screen of the fixture; till A is another data module on the same database.
class TillsInStep : public ScreenWithStore {
protected:
    void SetUp() override {
        ScreenWithStore::SetUp();
        if (IsSkipped() || HasFatalFailure()) {
            return;
        }
        writeParametros();
        loja();
        area(QStringLiteral("01"), QStringLiteral("Salão"));
        mesa(QStringLiteral("0001"), QStringLiteral("D"), QStringLiteral("01"), 1, 1);
        mesa(QStringLiteral("0002"), QStringLiteral("D"), QStringLiteral("01"), 1, 2);
        mesa(QStringLiteral("0003"), QStringLiteral("O"), QStringLiteral("01"), 1, 3);
        caixaA = std::make_unique<TrdmGerMesa>(QStringLiteral("caixa-a-") + uuid());
        caixaA->connectTo(db->connectionText());
    }
    void TearDown() override {
        caixaA.reset();
        ScreenWithStore::TearDown();
    }

    // Till B opened as the entry does, listening, after the one refresh the start of its
    // listener asks for; B's periodic refresh is watched from here on.
    void abreB() {
        screen().InicializaForm();
        screen().FormActivate();
        ChangeListener& l = dm->changeListener(QStringLiteral("0001"), QStringLiteral("0001"));
        ASSERT_TRUE(QTest::qWaitFor([&] { return l.listening(); }, kEspera));
        ASSERT_TRUE(QTest::qWaitFor([&] { return mapRefreshes(suite) >= 2; }, kEspera));
        QTest::qWait(2 * TfrmGerMesa::kIntervaloMudancas);
        QObject::connect(&screen().timConexao, &QTimer::timeout, [this] { ++ticksPeriodicos; });
    }

    void emA(const char* mesa, const char* estado) {
        const QVariant r = setStatusMesa(*caixaA, QStringLiteral("0001"), QStringLiteral("0001"),
                                         QString::fromLatin1(mesa), QString::fromLatin1(estado));
        ASSERT_FALSE(isServiceFailure(r)) << serviceFailureMessage(r).toStdString();
    }

    bool aparece(int botao, const char* figura, int ms = kEspera) {
        return QTest::qWaitFor([&] { return picture(botao) == QLatin1String(figura); }, ms);
    }

    // What the map shows: every button's picture and caption.
    QStringList mapa() const {
        QStringList m;
        for (const auto& b : screen_->model.tcb) {
            m << b.picture + QLatin1Char('|') + b.caption;
        }
        return m;
    }

    std::unique_ptr<TrdmGerMesa> caixaA;
    int ticksPeriodicos = 0;
};

} // namespace

TEST_F(TillsInStep, ATableOpenedAtOneTillIsDrawnOccupiedAtTheOther) {
    abreB();
    ASSERT_EQ(picture(1), QStringLiteral("imgLivre"));
    emA("0001", "O");
    EXPECT_TRUE(aparece(1, "imgOcupada"));
    EXPECT_EQ(ticksPeriodicos, 0);
    // What the change showed is what a periodic refresh shows.
    const QStringList porAviso = mapa();
    screen().evento([this] { screen().DisparaAtualizacao(); });
    EXPECT_EQ(mapa(), porAviso);
    // And back: released at A, free at B.
    emA("0001", "D");
    EXPECT_TRUE(aparece(1, "imgLivre"));
    EXPECT_TRUE(mensagens().isEmpty()) << mensagens().join(QLatin1Char('\n')).toStdString();
}

TEST_F(TillsInStep, ABurstOfChangesRefreshesABoundedNumberOfTimes) {
    abreB();
    const int antes = mapRefreshes(suite);
    QElapsedTimer rajada;
    rajada.start();
    for (int i = 0; i < 99; ++i) {
        emA(i % 2 ? "0001" : "0002", i % 4 < 2 ? "O" : "D");
    }
    emA("0002", "S");
    const qint64 duracao = rajada.elapsed();
    ASSERT_TRUE(aparece(2, "imgCtaSol"));
    // The last change may still have a refresh to come; then it is quiet.
    QTest::qWait(3 * TfrmGerMesa::kIntervaloMudancas);
    const int feitas = mapRefreshes(suite) - antes;
    EXPECT_GE(feitas, 1);
    EXPECT_LE(feitas, 10) << "100 changes in " << duracao << " ms";
    EXPECT_EQ(ticksPeriodicos, 0);
}

TEST_F(TillsInStep, ARefreshDueWhileACommandRunsComesRightAfterIt) {
    abreB();
    const int antes = mapRefreshes(suite);
    screen().evento([&] {
        emA("0001", "O");
        // The command waits (a message box, a dialog): the change arrives meanwhile.
        QTest::qWait(4 * TfrmGerMesa::kIntervaloMudancas);
        EXPECT_EQ(picture(1), QStringLiteral("imgLivre"));
        EXPECT_EQ(mapRefreshes(suite), antes);
    });
    EXPECT_TRUE(aparece(1, "imgOcupada"));
    EXPECT_EQ(mapRefreshes(suite), antes + 1);
}

TEST_F(TillsInStep, WhileTheRefreshTimerIsStoppedTheMapWaitsForItsStart) {
    abreB();
    screen().DesabilitaTimer();
    emA("0001", "O");
    QTest::qWait(4 * TfrmGerMesa::kIntervaloMudancas);
    EXPECT_EQ(picture(1), QStringLiteral("imgLivre"));
    screen().HabilitaTimer();
    EXPECT_TRUE(aparece(1, "imgOcupada"));
}

TEST_F(TillsInStep, NoticesOfAnotherStoreOrMalformedOnesRefreshNothing) {
    if (dialect().changeWatch() != DbDialect::ChangeWatch::Notification) {
        GTEST_SKIP() << "only a server sends notices";
    }
    abreB();
    const int antes = mapRefreshes(suite);
    QSqlDatabase outra = db->openAnother(QStringLiteral("outro-servidor"));
    const QString ruins[] = {ChangeNotice{"0001", "0002", "MESA", "0001"}.payload(),
                             ChangeNotice{"0002", "0001", "MESA", "0001"}.payload(),
                             QStringLiteral("MESA 0001"), QStringLiteral("{}")};
    for (const QString& p : ruins) {
        QSqlQuery q(outra);
        ASSERT_TRUE(q.prepare(QStringLiteral("SELECT pg_notify(:C, :P)")));
        q.bindValue(QStringLiteral(":C"), ChangeNotice::channel());
        q.bindValue(QStringLiteral(":P"), p);
        ASSERT_TRUE(q.exec());
    }
    ChangeListener& l = dm->changeListener(QStringLiteral("0001"), QStringLiteral("0001"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return l.ignored() == int(std::size(ruins)); }, kEspera));
    QTest::qWait(3 * TfrmGerMesa::kIntervaloMudancas);
    EXPECT_EQ(mapRefreshes(suite), antes);
    // The periodic refresh goes on (its period shortened here).
    screen().timConexao.setInterval(100);
    EXPECT_TRUE(QTest::qWaitFor([&] { return mapRefreshes(suite) >= antes + 2; }, kEspera));
}

TEST_F(TillsInStep, AListeningConnectionThatCannotBeOpenedLeavesThePeriodicRefresh) {
    // Till B's database cannot be reached: its data module is configured all the same.
    const QString inalcancavel =
        dialect().changeWatch() == DbDialect::ChangeWatch::Notification
            ? QStringLiteral(
                  "Provider=QPSQL;Host=127.0.0.1;Port=1;Database=nenhum;User ID=postgres")
            : QStringLiteral("Provider=QSQLITE;Data Source=/dev/null/nao/existe.db");
    auto fora = std::make_unique<TrdmGerMesa>(QStringLiteral("caixa-fora-") + uuid());
    EXPECT_THROW(fora->connectTo(inalcancavel), AppError);
    ASSERT_TRUE(fora->configured());
    screen_ = std::make_unique<TfrmGerMesa>(
        suite.libraries(), [&]() -> TrdmGerMesa& { return *fora; }, clock);
    screen().InicializaForm();
    ChangeListener& l = fora->changeListener(QStringLiteral("0001"), QStringLiteral("0001"));
    const int antes = mapRefreshes(suite);
    QTest::qWait(1500);
    // Not listening, and no refresh asked for by the listener.
    EXPECT_FALSE(l.listening());
    EXPECT_EQ(mapRefreshes(suite), antes);
    // The periodic refresh still tries (and says the database is out of reach each time).
    screen().timConexao.setInterval(100);
    EXPECT_TRUE(QTest::qWaitFor([&] { return mapRefreshes(suite) >= antes + 2; }, kEspera));
    screen_.reset();
}
