// The reliability harnesses run briefly on the kind under test, each of its tills a process of
// its own: what they count (double sales, lost ones, crashes, tables that cannot be received
// again) must be nothing. tools/reliability/run runs them in full.
#include "tests/support/test_database.h"

#include <QProcess>
#include <QTemporaryDir>

namespace tmk::test {
namespace {

constexpr int kLimiteMs = 150000;

struct Execucao {
    bool terminou = false;
    int codigo = -1;
    QString saida;
};

Execucao executa(const QString& programa, const QStringList& args) {
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.start(programa, args);
    Execucao e;
    e.terminou = p.waitForFinished(kLimiteMs) && p.exitStatus() == QProcess::NormalExit;
    if (!e.terminou) {
        p.kill();
        p.waitForFinished();
    }
    e.codigo = p.exitCode();
    e.saida = QString::fromUtf8(p.readAll());
    return e;
}

QString harness(const char* nome) {
    return QStringLiteral(TMK_RELIABILITY_DIR "/reliability_") + QLatin1String(nome);
}

// The harness's figures: the line of the header, then its rows.
QStringList linhas(const Execucao& e, const QString& inicio) {
    QStringList l;
    for (const QString& linha : e.saida.split(QLatin1Char('\n'))) {
        if (linha.startsWith(inicio)) {
            l << linha.simplified();
        }
    }
    return l;
}

class ReliabilityHarness : public DatabaseTest {
protected:
    Execucao roda(const char* nome, const QStringList& extra) {
        return executa(harness(nome),
                       QStringList{QStringLiteral("--connection=") + database.connectionText(),
                                   QStringLiteral("--work=") + work_.path()} +
                           extra);
    }
    QTemporaryDir work_;
};

// Five trials of each race: exactly one opening and one sale with one fiscal document each
// time, nothing else told but the refusals of the till that lost.
TEST_F(ReliabilityHarness, TwoTillsRacingForATableGetExactlyOneOpeningAndOneSale) {
    const Execucao e = roda("race", {QStringLiteral("--trials=5")});
    ASSERT_TRUE(e.terminou) << e.saida.toStdString();
    EXPECT_EQ(e.codigo, 0) << e.saida.toStdString();
    // kind, operation, trials, exactly one, double, lost, errors (then the time).
    const QString tipo = TestDatabase::dialect().name();
    const QStringList rows = linhas(e, tipo);
    ASSERT_EQ(rows.size(), 2) << e.saida.toStdString();
    EXPECT_TRUE(rows[0].startsWith(tipo + QStringLiteral(" abrir 5 5 0 0 0 ")))
        << rows[0].toStdString();
    EXPECT_TRUE(rows[1].startsWith(tipo + QStringLiteral(" receber 5 5 0 0 0 ")))
        << rows[1].toStdString();
}

// One round at each write of the receipt: the till dies there, and started again it finds
// the table settled or receives it again, to one whole sale with its document.
TEST_F(ReliabilityHarness, ATillKilledAtEachWriteOfTheReceiptLosesNothingAndDoublesNothing) {
    const Execucao e = roda("kill", {QStringLiteral("--trials=1")});
    ASSERT_TRUE(e.terminou) << e.saida.toStdString();
    EXPECT_EQ(e.codigo, 0) << e.saida.toStdString();
    EXPECT_EQ(linhas(e, TestDatabase::dialect().name()).size(), 4) << e.saida.toStdString();
}

// Two outages of a PostgreSQL cluster of this test's own (the shared one serves other tests
// meanwhile), each while the till receives a table: no crash, the map whole again at the first
// refresh, the receipt done or the table received again, nothing half written.
TEST_F(ReliabilityHarness, ATillOutlivesItsServerStoppedDuringAReceipt) {
    if (!TestDatabase::dialect().hasServer()) {
        GTEST_SKIP() << "an SQLite file has no server to stop";
    }
    const QString cluster = QStringLiteral(TMK_SOURCE_DIR "/tests/support/pg_cluster.sh");
    const Execucao inicio = executa(QStringLiteral("bash"), {cluster, QStringLiteral("start")});
    const QStringList saida = inicio.saida.trimmed().split(QLatin1Char('\n'));
    ASSERT_TRUE(inicio.terminou && inicio.codigo == 0 && saida.size() >= 2)
        << inicio.saida.toStdString();
    const QString pasta = saida.at(saida.size() - 2);
    const QString conexao = saida.last();
    const Execucao e = executa(
        harness("outage"),
        {QStringLiteral("--connection=") + conexao, QStringLiteral("--work=") + work_.path(),
         QStringLiteral("--trials=2"), QStringLiteral("--stop=bash %1 stop %2").arg(cluster, pasta),
         QStringLiteral("--start=bash %1 resume %2").arg(cluster, pasta)});
    executa(QStringLiteral("bash"), {cluster, QStringLiteral("remove"), pasta});
    ASSERT_TRUE(e.terminou) << e.saida.toStdString();
    EXPECT_EQ(e.codigo, 0) << e.saida.toStdString();
    EXPECT_EQ(linhas(e, TestDatabase::dialect().name()).size(), 1) << e.saida.toStdString();
}

} // namespace
} // namespace tmk::test
