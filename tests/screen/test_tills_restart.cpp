// Two tills on a PostgreSQL server that restarts: the restart ends till B's subscription
// without a word; B notices, subscribes again and shows a change made while it was not
// listening, without its periodic refresh and without an error message. The server is a
// cluster of this test's own (the shared one serves other tests meanwhile).

#include "platform/service_result.h"
#include "service/change_listener.h"
#include "service/state_updates.h"
#include "tests/screen/screen_fixture.h"

#include <QProcess>
#include <QSignalSpy>
#include <QTest>
#include <QUuid>

using namespace tmk;
using namespace tmk::test;

namespace {

constexpr int kEspera = 15000; // generous: the machine may be busy

QString script() {
    return QStringLiteral(TMK_SOURCE_DIR "/tests/support/pg_cluster.sh");
}

// Runs the cluster script: true when it succeeded, with its output; its error output
// otherwise.
bool cluster(const QStringList& args, QString* saida = nullptr) {
    QProcess p;
    p.start(QStringLiteral("bash"), QStringList{script()} + args);
    const bool ok =
        p.waitForFinished(120000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
    if (saida) {
        *saida = QString::fromUtf8(ok ? p.readAllStandardOutput() : p.readAllStandardError());
    }
    return ok;
}

class TillsAcrossARestart : public ScreenWithStore {
public:
    static void SetUpTestSuite() {
        QString saida;
        if (!cluster({QStringLiteral("start")}, &saida)) {
            falha() = saida;
            return;
        }
        const QStringList linhas = saida.split(QLatin1Char('\n'));
        if (linhas.size() >= 2 && !linhas[1].isEmpty()) {
            pasta() = linhas[0];
            qputenv("TMK_TEST_PG", linhas[1].toUtf8());
            qputenv("TMK_DB_KIND", "postgresql");
        }
    }
    static void TearDownTestSuite() {
        if (!pasta().isEmpty()) {
            cluster({QStringLiteral("remove"), pasta()});
        }
    }

protected:
    static QString& pasta() {
        static QString p;
        return p;
    }
    static QString& falha() {
        static QString f;
        return f;
    }

    void SetUp() override {
        if (pasta().isEmpty()) {
            if (!databaseRequired()) {
                GTEST_SKIP() << "no PostgreSQL cluster of its own: " << falha().toStdString();
            }
            FAIL() << "no PostgreSQL cluster of its own: " << falha().toStdString();
        }
        ScreenWithStore::SetUp();
        if (IsSkipped() || HasFatalFailure()) {
            return;
        }
        writeParametros();
        loja();
        area(QStringLiteral("01"), QStringLiteral("Salão"));
        mesa(QStringLiteral("0001"), QStringLiteral("D"), QStringLiteral("01"), 1, 1);
        caixaA = std::make_unique<TrdmGerMesa>(QStringLiteral("caixa-a-") +
                                               QUuid::createUuid().toString(QUuid::WithoutBraces));
        caixaA->connectTo(db->connectionText());
    }
    void TearDown() override {
        caixaA.reset();
        ScreenWithStore::TearDown();
    }

    QVariant emA(const char* estado) {
        return setStatusMesa(*caixaA, QStringLiteral("0001"), QStringLiteral("0001"),
                             QStringLiteral("0001"), QString::fromLatin1(estado));
    }

    std::unique_ptr<TrdmGerMesa> caixaA;
};

} // namespace

TEST_F(TillsAcrossARestart, TillBShowsAChangeMadeWhileItWasNotListening) {
    screen().InicializaForm();
    screen().FormActivate();
    ChangeListener& l = dm->changeListener(QStringLiteral("0001"), QStringLiteral("0001"));
    ASSERT_TRUE(QTest::qWaitFor([&] { return l.listening(); }, kEspera));
    // The refresh the start of the listener asks for is done before the server goes.
    ASSERT_TRUE(QTest::qWaitFor([&] { return mapRefreshes(suite) >= 2; }, kEspera));
    QTest::qWait(2 * TfrmGerMesa::kIntervaloMudancas);
    int ticksPeriodicos = 0;
    QObject::connect(&screen().timConexao, &QTimer::timeout, [&] { ++ticksPeriodicos; });
    QSignalSpy reconectou(&l, &ChangeListener::reconnected);
    ASSERT_EQ(picture(1), QStringLiteral("imgLivre"));

    ASSERT_TRUE(cluster({QStringLiteral("stop"), pasta()}));
    // B's watchdog finds the subscription gone.
    ASSERT_TRUE(QTest::qWaitFor([&] { return !l.listening(); }, kEspera));
    ASSERT_TRUE(cluster({QStringLiteral("resume"), pasta()}));

    // Till A's own connection went with the server: its first call says so, the next one
    // opens it again. The change is committed before B listens again.
    QVariant r = emA("O");
    if (isServiceFailure(r)) {
        r = emA("O");
    }
    ASSERT_FALSE(isServiceFailure(r)) << serviceFailureMessage(r).toStdString();

    EXPECT_TRUE(
        QTest::qWaitFor([&] { return picture(1) == QLatin1String("imgOcupada"); }, kEspera));
    EXPECT_TRUE(l.listening());
    EXPECT_GE(reconectou.count(), 1);
    EXPECT_EQ(ticksPeriodicos, 0);
    // B's own connection, gone as well, was opened again before the refresh read: no
    // message reached the operator.
    EXPECT_TRUE(mensagens().isEmpty()) << mensagens().join(QLatin1Char('\n')).toStdString();

    // From then on B hears A as before.
    ASSERT_FALSE(isServiceFailure(emA("D")));
    EXPECT_TRUE(QTest::qWaitFor([&] { return picture(1) == QLatin1String("imgLivre"); }, kEspera));
}
