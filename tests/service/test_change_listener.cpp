// The listener of the changes other tills commit: it hears them on its own connection and
// thread, ignores notices that are not for its store, and keeps trying a connection it
// cannot open without asking for refreshes.

#include "service/change_listener.h"
#include "service/statement_catalogue.h"
#include "suite/common/change_notice.h"
#include "tests/service/service_fixture.h"

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QSqlQuery>
#include <QTest>

using namespace tmk;
using namespace tmk::test;

namespace {

constexpr int kEspera = 10000; // generous: the machine may be busy

class ChangeListening : public ServiceFixture {
protected:
    void SetUp() override {
        ServiceFixture::SetUp();
        if (IsSkipped() || HasFatalFailure()) {
            return;
        }
        insert(QStringLiteral("MESA"), {{QStringLiteral("CDFILIAL"), QStringLiteral("0001")},
                                        {QStringLiteral("CDLOJA"), QStringLiteral("0001")},
                                        {QStringLiteral("NRMESA"), QStringLiteral("0001")},
                                        {QStringLiteral("IDSTMESA"), QStringLiteral("A")},
                                        {QStringLiteral("IDSTMESAAUX"), QStringLiteral("D")}});
        outra = db->openAnother(QStringLiteral("outro-caixa"));
    }

    // The listener of the fixture's data module, once it listens and has asked for the
    // refresh every start asks for.
    ChangeListener& ouvindo(QSignalSpy*& spy) {
        ChangeListener& l = dm->changeListener(QStringLiteral("0001"), QStringLiteral("0001"));
        spy = new QSignalSpy(&l, &ChangeListener::changed);
        spies.emplace_back(spy);
        EXPECT_TRUE(QTest::qWaitFor([&] { return l.listening() && spy->count() >= 1; }, kEspera));
        spy->clear();
        return l;
    }

    void naOutra(const QString& statement) {
        QSqlQuery q(outra);
        ASSERT_TRUE(q.exec(statement)) << statement.toStdString();
    }

    bool notifica() const {
        return dialect().changeWatch() == DbDialect::ChangeWatch::Notification;
    }

    QSqlDatabase outra;
    std::vector<std::unique_ptr<QSignalSpy>> spies;
};

} // namespace

TEST_F(ChangeListening, HearsACommitOfAnotherTillOnItsOwnConnection) {
    QSignalSpy* mudou = nullptr;
    ChangeListener& l = ouvindo(mudou);
    EXPECT_EQ(l.settings().connectionName, dm->adcGerMesa().connectionName() + "_escuta");
    EXPECT_NE(l.settings().connectionName, dm->adcGerMesa().connectionName());
    naOutra(QStringLiteral("UPDATE MESA SET IDSTMESAAUX = 'O' WHERE NRMESA = '0001'"));
    EXPECT_TRUE(QTest::qWaitFor([&] { return mudou->count() >= 1; }, kEspera));
    // Nothing else happens: no change, no signal.
    const int depois = int(mudou->count());
    QTest::qWait(700);
    EXPECT_EQ(mudou->count(), depois);
    EXPECT_EQ(l.ignored(), 0);
}

TEST_F(ChangeListening, IsMadeAgainOnlyForAnotherStore) {
    ChangeListener* primeira = &dm->changeListener(QStringLiteral("0001"), QStringLiteral("0001"));
    EXPECT_EQ(&dm->changeListener(QStringLiteral("0001"), QStringLiteral("0001")), primeira);
    ChangeListener& outraLoja = dm->changeListener(QStringLiteral("0001"), QStringLiteral("0002"));
    EXPECT_EQ(outraLoja.settings().cdLoja, QStringLiteral("0002"));
    EXPECT_EQ(outraLoja.settings().pingText.isEmpty(), false);
    // The data version is read only where the tills watch it.
    EXPECT_EQ(outraLoja.settings().dataVersionText.isEmpty(),
              dialect().changeWatch() != DbDialect::ChangeWatch::DataVersion);
}

TEST_F(ChangeListening, NoticesOfOtherStoresAndMalformedOnesAreIgnored) {
    if (!notifica()) {
        GTEST_SKIP() << "only a server sends notices";
    }
    QSignalSpy* mudou = nullptr;
    ChangeListener& l = ouvindo(mudou);
    const QString ignorados[] = {
        ChangeNotice{"0001", "0002", "MESA", "0001"}.payload(), // another store of the branch
        ChangeNotice{"0002", "0001", "MESA", "0001"}.payload(), // another branch
        QStringLiteral("0001;0001;MESA"),                       // not a notice
        QStringLiteral("{\"filial\":7}"),
        QString(),
    };
    for (const QString& p : ignorados) {
        QSqlQuery q(outra);
        ASSERT_TRUE(q.prepare(QStringLiteral("SELECT pg_notify(:C, :P)")));
        q.bindValue(QStringLiteral(":C"), ChangeNotice::channel());
        q.bindValue(QStringLiteral(":P"), p);
        ASSERT_TRUE(q.exec());
    }
    // A notice of the store comes last: when it is heard, every one before it was read.
    naOutra(
        QStringLiteral("SELECT pg_notify('%1', '%2')")
            .arg(ChangeNotice::channel(), ChangeNotice{"0001", {}, "MOVCAIXAMOB", {}}.payload()));
    EXPECT_TRUE(QTest::qWaitFor([&] { return mudou->count() >= 1; }, kEspera));
    EXPECT_EQ(l.ignored(), int(std::size(ignorados)));
    QTest::qWait(300);
    EXPECT_EQ(mudou->count(), 1);
}

TEST_F(ChangeListening, AConnectionThatCannotBeOpenedIsTriedAgainWithoutRefreshes) {
    // A server that refuses at once, or a file in a folder that cannot be made.
    const QString inalcancavel =
        notifica() ? QStringLiteral("Provider=QPSQL;Host=127.0.0.1;Port=1;Database=nenhum;"
                                    "User ID=postgres")
                   : QStringLiteral("Provider=QSQLITE;Data Source=/dev/null/nao/existe.db");
    ChangeListenerSettings s;
    s.connectionText = inalcancavel;
    s.connectionName = QStringLiteral("escuta-inalcancavel");
    s.pingText = dm->catalogue().statement(QStringLiteral("adqVerificaConexao")).text;
    if (dm->catalogue().contains(StatementCatalogue::dataVersionStatement())) {
        s.dataVersionText =
            dm->catalogue().statement(StatementCatalogue::dataVersionStatement()).text;
    }
    s.cdFilial = QStringLiteral("0001");
    s.cdLoja = QStringLiteral("0001");
    s.watchdogMs = 50; // many attempts in a short test
    QElapsedTimer relogio;
    {
        ChangeListener l(s);
        QSignalSpy mudou(&l, &ChangeListener::changed);
        QSignalSpy reconectou(&l, &ChangeListener::reconnected);
        QTest::qWait(1000);
        EXPECT_FALSE(l.listening());
        EXPECT_EQ(mudou.count(), 0);
        EXPECT_EQ(reconectou.count(), 0);
        relogio.start();
    }
    // Ending it does not wait for a connection that never opens.
    EXPECT_LT(relogio.elapsed(), 5000);
}

TEST(ChangeListenerKinds, AKindThatDoesNotTellListensToNothing) {
    ChangeListenerSettings s;
    s.connectionText = QStringLiteral("Provider=SQLOLEDB;Data Source=servidor;User ID=caixa");
    s.connectionName = QStringLiteral("escuta-mssql");
    s.cdFilial = QStringLiteral("0001");
    s.cdLoja = QStringLiteral("0001");
    ChangeListener l(s);
    QSignalSpy mudou(&l, &ChangeListener::changed);
    QTest::qWait(300);
    EXPECT_FALSE(l.listening());
    EXPECT_EQ(mudou.count(), 0);
}
