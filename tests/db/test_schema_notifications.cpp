// Change notices of the schema: how the notify lines are read, the triggers made of them
// for each kind, and what a server tells a listening till for each kind of statement.

#include "db/schema.h"
#include "platform/errors.h"
#include "suite/common/change_notice.h"
#include "tests/support/test_database.h"

#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <QTest>
#include <gtest/gtest.h>

using namespace tmk;
using namespace tmk::db;

namespace {

const QString kTables = QStringLiteral("version 1\n"
                                       "table VENDA\n"
                                       "    CDFILIAL text 4 key\n"
                                       "    NRVENDA text 10 key\n"
                                       "    CDLOJA text 4\n"
                                       "    NRMESA text 4\n"
                                       "table ITEM\n"
                                       "    CDFILIAL text 4 key\n"
                                       "    NRVENDA text 10 key\n"
                                       "    NRITEM text 4 key\n"
                                       "    QTITEM float\n"
                                       "table SEMFILIAL\n"
                                       "    CDLOJA text 4 key\n"
                                       "table SEMLOJA\n"
                                       "    CDFILIAL text 4 key\n"
                                       "    NRVENDA text 10\n"
                                       "    NRMESA text 4\n");

QString parseError(const QString& text) {
    try {
        parseSchema(text);
    } catch (const AppError& e) {
        return e.message();
    }
    return {};
}

} // namespace

TEST(SchemaNotifications, AreReadWithTheirColumnsAndParent) {
    const Schema s = parseSchema(kTables + QStringLiteral("notify VENDA of NRMESA, CDLOJA\n"
                                                          "notify ITEM in VENDA\n"
                                                          "notify SEMLOJA in VENDA\n"));
    ASSERT_EQ(s.notifications.size(), 3);
    EXPECT_EQ(s.notifications[0].table, QStringLiteral("VENDA"));
    EXPECT_EQ(s.notifications[0].columns, (QStringList{"NRMESA", "CDLOJA"}));
    EXPECT_TRUE(s.notifications[0].parent.isEmpty());
    EXPECT_TRUE(s.notifications[1].columns.isEmpty());
    EXPECT_EQ(s.notifications[1].parent, QStringLiteral("VENDA"));
    EXPECT_EQ(s.notifications[1].triggerName(Trigger::Event::Update),
              QStringLiteral("TN_ITEM_UPD"));
}

TEST(SchemaNotifications, FaultsAreNamedWithTheirLine) {
    struct Case {
        const char* line;
        const char* expected;
    };
    const Case cases[] = {
        {"notify", "use \"notify TABELA"},
        {"notify VENDA of", "use \"notify TABELA"},
        {"notify NADA", "tabela desconhecida NADA"},
        {"notify VENDA of NRMESA, XPTO", "coluna \"XPTO\""},
        {"notify VENDA of NRMESA, NRMESA", "repete a coluna NRMESA"},
        {"notify SEMFILIAL", "não tem a coluna CDFILIAL"},
        {"notify SEMLOJA", "nem a tabela SEMLOJA nem uma tabela pai têm a coluna CDLOJA"},
        {"notify SEMLOJA in NADA", "tabela pai inválida NADA"},
        {"notify VENDA in VENDA", "tabela pai inválida VENDA"},
        // The parent's key must be in the table: SEMLOJA has no NRITEM.
        {"notify SEMLOJA in ITEM", "não tem a coluna NRITEM da chave de ITEM"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        const QString error = parseError(kTables + QString::fromUtf8(c.line) + QLatin1Char('\n'));
        EXPECT_TRUE(error.contains(QStringLiteral("linha 18"))) << error.toStdString();
        EXPECT_TRUE(error.contains(QString::fromUtf8(c.expected))) << error.toStdString();
    }
    // Twice the same table, and a trigger name taken by another object.
    EXPECT_TRUE(parseError(kTables + QStringLiteral("notify VENDA\nnotify VENDA\n"))
                    .contains(QStringLiteral("aviso da tabela VENDA está repetido")));
    EXPECT_TRUE(parseError(kTables + QStringLiteral("index TN_VENDA_INS on VENDA (NRMESA)\n"
                                                    "notify VENDA\n"))
                    .contains(QStringLiteral("já foi usado")));
    // A table whose trigger names would pass the longest name.
    EXPECT_TRUE(parseError(QStringLiteral("version 1\ntable UMA_TABELA_DE_NOME_COMPRIDO\n"
                                          "    CDFILIAL text 4 key\n    CDLOJA text 4\n"
                                          "notify UMA_TABELA_DE_NOME_COMPRIDO\n"))
                    .contains(QStringLiteral("passa de 30 caracteres")));
}

TEST(SchemaNotifications, TriggersOnlyWhereTheServerTellsTheTills) {
    const Schema s = parseSchema(kTables + QStringLiteral("notify VENDA of NRMESA\n"
                                                          "notify ITEM in VENDA\n"));
    EXPECT_TRUE(notificationStatements(s, DbKind::SQLite).isEmpty());
    EXPECT_THROW(notificationStatements(s, DbKind::SqlServer), AppError);
    const QStringList pg = notificationStatements(s, DbKind::PostgreSQL);
    // A function and a trigger for each event of each table.
    ASSERT_EQ(pg.size(), 12);
    for (const char* name : {"TN_VENDA_INS", "TN_VENDA_UPD", "TN_VENDA_DEL", "TN_ITEM_INS",
                             "TN_ITEM_UPD", "TN_ITEM_DEL"}) {
        EXPECT_EQ(
            pg.filter(QStringLiteral("CREATE TRIGGER %1 ").arg(QString::fromLatin1(name))).size(),
            1)
            << name;
    }
    const QString updVenda = pg.filter(QStringLiteral("CREATE FUNCTION TN_VENDA_UPD")).value(0);
    // Only the rows whose compared columns changed count.
    EXPECT_TRUE(updVenda.contains(QStringLiteral("EXCEPT"))) << updVenda.toStdString();
    const QString insItem = pg.filter(QStringLiteral("CREATE FUNCTION TN_ITEM_INS")).value(0);
    EXPECT_TRUE(insItem.contains(QStringLiteral("LEFT JOIN VENDA P ON P.CDFILIAL = R.CDFILIAL "
                                                "AND P.NRVENDA = R.NRVENDA")))
        << insItem.toStdString();
}

TEST(SchemaNotifications, TheSchemaTellsOfTablesSalesTabsItemsAndAppPayments) {
    QStringList tables;
    for (const Notification& n : schema().notifications) {
        tables << n.table;
    }
    for (const char* t : {"MESA", "VENDAREST", "COMANDAVEN", "ITCOMANDAVEN", "MOVCAIXAMOB",
                          "MESAJUNCAO", "RESERVAMESA", "MESARESERVA"}) {
        EXPECT_TRUE(tables.contains(QString::fromLatin1(t))) << t;
    }
}

namespace {

// A till listening on the database's server, and another connection that writes.
class ServerNotices : public test::DatabaseTest {
protected:
    void SetUp() override {
        DatabaseTest::SetUp();
        if (IsSkipped() || HasFatalFailure()) {
            return;
        }
        if (database.dialect().changeWatch() != DbDialect::ChangeWatch::Notification) {
            GTEST_SKIP() << "the tills of this kind watch the file, not the server's notices";
        }
        escuta = database.openAnother(QStringLiteral("escuta"));
        ASSERT_TRUE(database.dialect().subscribeToChanges(escuta));
        QObject::connect(escuta.driver(), &QSqlDriver::notification, escuta.driver(),
                         [this](const QString&, QSqlDriver::NotificationSource, const QVariant& p) {
                             recebidos << p.toString();
                         });
        run("INSERT INTO LOJA (CDFILIAL, CDLOJA) VALUES ('0001', '0001')");
        run("INSERT INTO LOJA (CDFILIAL, CDLOJA) VALUES ('0001', '0002')");
        for (const char* m : {"0001", "0002", "0003"}) {
            run(QStringLiteral("INSERT INTO MESA (CDFILIAL, CDLOJA, NRMESA, IDSTMESA, IDSTMESAAUX) "
                               "VALUES ('0001', '0001', '%1', 'A', 'D')")
                    .arg(QString::fromLatin1(m)));
        }
        run("INSERT INTO MESA (CDFILIAL, CDLOJA, NRMESA, IDSTMESA, IDSTMESAAUX) "
            "VALUES ('0001', '0002', '0001', 'A', 'D')");
        run("INSERT INTO VENDAREST (CDFILIAL, NRVENDAREST, CDLOJA, NRMESA) "
            "VALUES ('0001', 'V1', '0002', '0007')");
        notices(); // what the set-up itself raised
    }

    void run(const QString& statement) {
        QSqlQuery q(database.connection());
        ASSERT_TRUE(q.exec(statement))
            << statement.toStdString() << ": " << q.lastError().text().toStdString();
    }
    void run(const char* statement) { run(QString::fromUtf8(statement)); }

    // The notices that arrived since the last call: a marker sent last is awaited, so that
    // every notice raised before it is in (the server keeps their order).
    QStringList notices() {
        const QString marca = QStringLiteral("marca-%1").arg(++marcas);
        run(QStringLiteral("SELECT pg_notify('%1', '%2')").arg(ChangeNotice::channel(), marca));
        EXPECT_TRUE(QTest::qWaitFor([&] { return recebidos.contains(marca); }, 10000));
        QStringList chegaram;
        for (const QString& p : std::as_const(recebidos)) {
            if (!p.startsWith(QStringLiteral("marca-"))) {
                chegaram << p;
            }
        }
        recebidos.clear();
        return chegaram;
    }

    static QString notice(const char* filial, const char* loja, const char* tabela,
                          const char* mesa) {
        return ChangeNotice{QString::fromLatin1(filial), QString::fromLatin1(loja),
                            QString::fromLatin1(tabela), QString::fromLatin1(mesa)}
            .payload();
    }

    QSqlDatabase escuta;
    QStringList recebidos;
    int marcas = 0;
};

// Compares notices by their content, whatever the spacing of the server's JSON.
QStringList normalised(const QStringList& payloads) {
    QStringList out;
    for (const QString& p : payloads) {
        const auto n = ChangeNotice::parse(p);
        out << (n ? n->payload() : QStringLiteral("?") + p);
    }
    out.sort();
    return out;
}

} // namespace

TEST_F(ServerNotices, OneNoticePerStatementAndStoreItTouched) {
    struct Case {
        const char* statement;
        QStringList expected;
    };
    const Case cases[] = {
        {"UPDATE MESA SET IDSTMESAAUX = 'O' WHERE NRMESA = '0002' AND CDLOJA = '0001'",
         {notice("0001", "0001", "MESA", "0002")}},
        // Three tables of a store in one statement: one notice, no table number.
        {"UPDATE MESA SET IDSTMESAAUX = 'S' WHERE CDLOJA = '0001'",
         {notice("0001", "0001", "MESA", "")}},
        // Two stores: one notice each.
        {"UPDATE MESA SET IDSTMESAAUX = 'R' WHERE NRMESA = '0001'",
         {notice("0001", "0001", "MESA", "0001"), notice("0001", "0002", "MESA", "0001")}},
        // Nothing changed, or a column the map does not read: no notice.
        {"UPDATE MESA SET IDSTMESAAUX = IDSTMESAAUX", {}},
        {"UPDATE VENDAREST SET NRPESMESAVEN = 4", {}},
        {"UPDATE VENDAREST SET DTHRFECHMESA = CURRENT_TIMESTAMP",
         {notice("0001", "0002", "VENDAREST", "0007")}},
        // A tab and an item find the store and table number in their sale.
        {"INSERT INTO COMANDAVEN (CDFILIAL, NRVENDAREST, NRCOMANDA) VALUES ('0001', 'V1', 'C1')",
         {notice("0001", "0002", "COMANDAVEN", "0007")}},
        {"INSERT INTO ITCOMANDAVEN (CDFILIAL, NRVENDAREST, NRCOMANDA, NRPRODCOMVEN) "
         "VALUES ('0001', 'V1', 'C1', '000001')",
         {notice("0001", "0002", "ITCOMANDAVEN", "0007")}},
        {"UPDATE ITCOMANDAVEN SET QTPRODCOMVEN = 2",
         {notice("0001", "0002", "ITCOMANDAVEN", "0007")}},
        {"INSERT INTO MOVCAIXAMOB (CDFILIAL, NRSEQMOVMOB, NRVENDAREST, NRMESA, IDSTMOV) "
         "VALUES ('0001', 'M1', 'V1', '0007', '1')",
         {notice("0001", "0002", "MOVCAIXAMOB", "0007")}},
        // An app payment of a sale that is not there: the store is unknown, so every store of
        // the branch hears of it.
        {"INSERT INTO MOVCAIXAMOB (CDFILIAL, NRSEQMOVMOB, NRVENDAREST, NRMESA, IDSTMOV) "
         "VALUES ('0001', 'M2', 'SEMVENDA', '0009', '1')",
         {notice("0001", "", "MOVCAIXAMOB", "0009")}},
        {"DELETE FROM ITCOMANDAVEN", {notice("0001", "0002", "ITCOMANDAVEN", "0007")}},
        {"INSERT INTO MESAJUNCAO (CDFILIAL, CDLOJA, NRJUNMESA, NRMESA) "
         "VALUES ('0001', '0001', 'J1', '0003')",
         {notice("0001", "0001", "MESAJUNCAO", "0003")}},
        {"INSERT INTO RESERVAMESA (CDFILIAL, CDLOJA, NRRESMESA, IDSTRESMESA) "
         "VALUES ('0001', '0001', 'R1', 'P')",
         {notice("0001", "0001", "RESERVAMESA", "")}},
        {"DELETE FROM MESA WHERE CDLOJA = '0002'", {notice("0001", "0002", "MESA", "0001")}},
        // A statement that touches no row.
        {"DELETE FROM MESA WHERE NRMESA = 'NADA'", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.statement);
        run(c.statement);
        EXPECT_EQ(normalised(notices()), normalised(c.expected));
    }
}

TEST_F(ServerNotices, ATransactionTellsAtCommitAndARollbackNever) {
    QSqlDatabase escreve = database.connection();
    ASSERT_TRUE(escreve.transaction());
    run("UPDATE MESA SET IDSTMESAAUX = 'O' WHERE NRMESA = '0002' AND CDLOJA = '0001'");
    run("UPDATE MESA SET IDSTMESAAUX = 'D' WHERE NRMESA = '0002' AND CDLOJA = '0001'");
    run("UPDATE MESA SET IDSTMESAAUX = 'O' WHERE NRMESA = '0002' AND CDLOJA = '0001'");
    ASSERT_TRUE(escreve.rollback());
    EXPECT_TRUE(notices().isEmpty());

    ASSERT_TRUE(escreve.transaction());
    run("UPDATE MESA SET IDSTMESAAUX = 'O' WHERE NRMESA = '0002' AND CDLOJA = '0001'");
    run("UPDATE MESA SET IDSTMESAAUX = 'S' WHERE NRMESA = '0002' AND CDLOJA = '0001'");
    ASSERT_TRUE(escreve.commit());
    // The same notice twice in a transaction arrives once.
    EXPECT_EQ(normalised(notices()), normalised({notice("0001", "0001", "MESA", "0002")}));
}
