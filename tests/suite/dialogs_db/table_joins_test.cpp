// Joining tables of the demo store into a group and separating them, as the table menu
// does it, and the group as the map reads it.

#include "db/demo/demo_catalogue.h"
#include "db/demo/demo_tables.h"
#include "external/common.h"
#include "platform/data_packet.h"
#include "platform/errors.h"
#include "platform/service_result.h"
#include "service/data_module.h"
#include "service/map_reads.h"
#include "suite/dialogs/table_joins.h"
#include "suite/dialogs/table_menu_dialog.h"
#include "tests/suite/dialogs_db/demo_store_fixture.h"
#include "tests/suite/print_qstring.h"

#include <QListWidget>
#include <QUuid>

namespace tmk {
namespace {

using dialogs_test::DemoStoreTest;
using dialogs_test::ScriptedDialogs;

const QString F = QString::fromLatin1(demo::kFilial);
const QString L = QString::fromLatin1(demo::kLoja);
const QString CONF = QString::fromLatin1(demo::kConfTela);

class TableJoinsTest : public DemoStoreTest {
protected:
    // The group of a table as the map reads it through the data service.
    QStringList mapGroupOf(const QString& nrMesa) {
        TrdmGerMesa dm(QStringLiteral("dm-") + QUuid::createUuid().toString(QUuid::WithoutBraces));
        dm.connectTo(database.connectionText());
        const QVariant result = getMesaJuncao(dm, F, L, nrMesa);
        EXPECT_FALSE(isServiceFailure(result)) << serviceFailureMessage(result).toStdString();
        const DataPacket p = result.value<DataPacket>();
        QStringList mesas;
        for (int r = 0; r < p.rows.size(); ++r) {
            mesas << p.value(r, QStringLiteral("NRMESA")).toString().trimmed();
        }
        return mesas;
    }
    QString groupRows() {
        return column(QStringLiteral("SELECT J.NRJUNMESA || ':' || M.NRMESA FROM JUNCAOMESA J, "
                                     "MESAJUNCAO M WHERE J.CDFILIAL = M.CDFILIAL AND J.CDLOJA = "
                                     "M.CDLOJA AND J.NRJUNMESA = M.NRJUNMESA ORDER BY 1"))
                   .join(QLatin1Char(' ')) +
               " / " + text(QStringLiteral("SELECT COUNT(*) FROM JUNCAOMESA"));
    }
    TableJoins joins() { return TableJoins(database.connection(), F, L, QStringLiteral("0001")); }
};

TEST_F(TableJoinsTest, JoinedThenSeparatedAsTheMapReadsIt) {
    const QString a = freeTable();
    const QString b = freeTable({a});
    const QStringList demoGroup = [] {
        QStringList l;
        for (const char* m : demo::joinedTables()) {
            l << QString::fromLatin1(m);
        }
        l.sort();
        return l;
    }();
    ASSERT_EQ(mapGroupOf(demoGroup.first()), demoGroup);
    EXPECT_TRUE(mapGroupOf(a).isEmpty());

    TableJoins j = joins();
    const QString grupo = j.join({b, a, a, QStringLiteral(" ")});
    EXPECT_EQ(grupo.size(), TableJoins::kGroupDigits);
    EXPECT_GT(grupo, QString::fromLatin1(demo::kNrJuncao));
    EXPECT_EQ(mapGroupOf(a), (QStringList{a, b}));
    EXPECT_EQ(mapGroupOf(b), (QStringList{a, b}));
    EXPECT_EQ(text(QStringLiteral("SELECT CDOPERADOR FROM JUNCAOMESA WHERE NRJUNMESA = :G"),
                   {{QStringLiteral(":G"), grupo}}),
              "0001");
    // The menu's list shows the group of each table.
    int marked = 0;
    for (const TableJoins::Table& t : j.tables(CONF)) {
        EXPECT_NE(t.nrMesa, QString::fromLatin1(demo::kMesaPadrao));
        if (t.nrMesa == a || t.nrMesa == b) {
            EXPECT_EQ(t.grupo, grupo);
            ++marked;
        }
    }
    EXPECT_EQ(marked, 2);

    EXPECT_EQ(j.separate(b), (QStringList{a, b}));
    EXPECT_TRUE(mapGroupOf(a).isEmpty());
    EXPECT_TRUE(mapGroupOf(b).isEmpty());
    EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM JUNCAOMESA WHERE NRJUNMESA = :G"),
                    {{QStringLiteral(":G"), grupo}}),
              0);
    // The demo's own group is left alone, and a new join takes a new number.
    EXPECT_EQ(mapGroupOf(demoGroup.first()), demoGroup);
    EXPECT_GT(j.join({a, b}), grupo);
}

TEST_F(TableJoinsTest, RefusalsWriteNothing) {
    const QString a = freeTable();
    const QString b = freeTable({a});
    const QString inativa = freeTable({a, b});
    exec(QStringLiteral("UPDATE MESA SET IDSTMESA = 'I' WHERE NRMESA = :M"),
         {{QStringLiteral(":M"), inativa}});
    const QString juntada = QString::fromLatin1(demo::joinedTables().front());
    struct Case {
        QStringList mesas;
        const char* message;
    };
    const Case cases[] = {
        {{}, "Escolha pelo menos duas mesas para juntar."},
        {{a}, "Escolha pelo menos duas mesas para juntar."},
        {{a, a, QStringLiteral("  ")}, "Escolha pelo menos duas mesas para juntar."},
        {{a, juntada}, "ela já está em outra junção ou não está ativa. Nada foi gravado."},
        {{a, inativa}, "ela já está em outra junção ou não está ativa."},
        {{a, b, QStringLiteral("0999")}, "A mesa 0999 não pode ser juntada"},
    };
    const QString before = groupRows();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        TableJoins j = joins();
        try {
            j.join(c.mesas);
            ADD_FAILURE() << "joined";
        } catch (const AppError& e) {
            EXPECT_TRUE(e.message().contains(QString::fromUtf8(c.message)))
                << e.message().toStdString();
        }
        EXPECT_EQ(groupRows(), before);
    }
    TableJoins j = joins();
    try {
        j.separate(a);
        ADD_FAILURE() << "separated";
    } catch (const AppError& e) {
        EXPECT_EQ(e.message(), "A mesa " + a + " não está junta a outras.");
    }
    EXPECT_EQ(groupRows(), before);
}

// The menu through the dialog library: tables touched and joined, then separated.
TEST_F(TableJoinsTest, CriaMenuMesaJoinsAndSeparates) {
    const QString a = freeTable();
    const QString b = freeTable({a});
    ScriptedDialogs dialogs(database.connection());
    QStringList shownAfterJoin;
    dialogs.script = [&](QDialog& d) {
        auto& menu = static_cast<TableMenuDialog&>(d);
        menu.selectTables({a, b});
        EXPECT_EQ(menu.selectedTables(), (QStringList{a, b}));
        menu.join();
        shownAfterJoin = mapGroupOf(a);
        menu.selectTables({b});
        menu.separate();
    };
    dialogs.CriaMenuMesa(F, L, CONF, 0);
    EXPECT_EQ(dialogs.dialogsShown.size(), 1);
    EXPECT_EQ(shownAfterJoin, (QStringList{a, b}));
    EXPECT_TRUE(mapGroupOf(a).isEmpty());
    EXPECT_EQ(dialogs.told.size(), 2); // what was done, each time
    for (const auto& [t, tipo] : dialogs.told) {
        EXPECT_FALSE(t.isEmpty());
        EXPECT_NE(tipo, MsgErro) << t.toStdString();
    }
}

} // namespace
} // namespace tmk
