// The price query on the demo store's products: by a part of the name (case and accents
// ignored), by code, by barcode.

#include "db/demo/demo_catalogue.h"
#include "external/common.h"
#include "platform/database_error.h"
#include "suite/dialogs/price_query.h"
#include "suite/dialogs/price_query_dialog.h"
#include "tests/suite/dialogs_db/demo_store_fixture.h"
#include "tests/suite/print_qstring.h"

#include <QTableWidget>

namespace tmk {
namespace {

using dialogs_test::DemoStoreTest;
using dialogs_test::ScriptedDialogs;

using PriceQueryTest = DemoStoreTest;

QStringList codes(const QList<PriceQuery::Product>& list) {
    QStringList l;
    for (const PriceQuery::Product& p : list) {
        l << p.codigo;
    }
    return l;
}

TEST_F(PriceQueryTest, FindsByNameCodeOrBarcode) {
    const PriceQuery query(database.connection());
    ASSERT_EQ(query.all().size(), int(demo::kProducts.size()));
    const PriceQuery::Product& picanha = query.search("picanha").value(0);
    EXPECT_EQ(picanha.codigo, "10001");
    EXPECT_EQ(picanha.unidade, "UN");
    EXPECT_DOUBLE_EQ(picanha.preco, 89.90);
    EXPECT_EQ(picanha.codigoBarras, "7890000000001");

    struct Case {
        const char* texto;
        QStringList expected;
    };
    const Case cases[] = {
        {"  PICANHA ", {"10001"}},
        {"file de FRANGO", {"10002"}}, // accents and case ignored
        {"Filé", {"10002"}},
        {"porção", {"10005"}},
        {"10003", {"10003"}},
        {"7890000000002", {"10002"}},
        {"789000000000", {}}, // a barcode must be whole
        {"zzz", {}},
        {"' OR '1'='1", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.texto);
        EXPECT_EQ(codes(query.search(QString::fromUtf8(c.texto))), c.expected);
    }
    // A code's beginning finds every code that starts with it, in name order.
    const QList<PriceQuery::Product> pratos = query.search("1000");
    EXPECT_EQ(pratos.size(), 6);
    for (int i = 1; i < pratos.size(); ++i) {
        EXPECT_LE(pratos[i - 1].nome, pratos[i].nome);
    }
    EXPECT_EQ(query.search("").size(), query.all().size());
}

TEST_F(PriceQueryTest, TheDialogListsWhatIsFoundAndAFailureIsTold) {
    ScriptedDialogs dialogs(database.connection());
    QList<int> rows;
    dialogs.script = [&rows](QDialog& d) {
        auto& p = static_cast<PriceQueryDialog&>(d);
        rows << p.grid()->rowCount();
        p.search("suco");
        rows << p.grid()->rowCount();
    };
    dialogs.CriaConsultaPreco();
    EXPECT_EQ(rows, (QList<int>{int(demo::kProducts.size()), 1}));
    EXPECT_TRUE(dialogs.told.isEmpty());

    QSqlDatabase caixa = database.openAnother("caixa");
    caixa.close();
    ScriptedDialogs offline(caixa);
    offline.CriaConsultaPreco();
    EXPECT_TRUE(offline.dialogsShown.isEmpty());
    ASSERT_EQ(offline.told.size(), 1);
    EXPECT_EQ(offline.told[0].first, "Sem conexão com o banco de dados.");
    EXPECT_EQ(offline.told[0].second, MsgErro);
}

} // namespace
} // namespace tmk
