// The general functions on the demo till: back to the map, the day's summary, shutting
// the front office down.

#include "external/common.h"
#include "suite/dialogs/general_functions_dialog.h"
#include "tests/suite/dialogs_db/demo_store_fixture.h"
#include "tests/suite/print_qstring.h"

namespace tmk {
namespace {

using dialogs_test::click;
using dialogs_test::DemoStoreTest;
using dialogs_test::ScriptedDialogs;

using GeneralFunctionsTest = DemoStoreTest;

TEST_F(GeneralFunctionsTest, OnlyShuttingDownAnswersFalse) {
    struct Case {
        const char* name;
        QStringList buttons; // clicked in turn; none: closed with Esc
        bool result;
        int printed;
    };
    const Case cases[] = {
        {"back", {"btnVoltar"}, true, 0},
        {"closed", {}, true, 0},
        {"shut down", {"btnFechaSistema"}, false, 0},
        {"summary, then back", {"btnResumoDia", "btnVoltar"}, true, 1},
        {"summary twice, then shut down",
         {"btnResumoDia", "btnResumoDia", "btnFechaSistema"},
         false,
         2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedDialogs dialogs(database.connection());
        dialogs.script = [&c](QDialog& d) {
            EXPECT_EQ(d.objectName(), "FuncoesGerais");
            if (c.buttons.isEmpty()) {
                d.reject();
            }
            for (const QString& b : c.buttons) {
                click(d, b.toLatin1().constData());
            }
        };
        EXPECT_EQ(dialogs.CriaFuncoesFiscais(0, 0, 0), c.result);
        ASSERT_EQ(dialogs.told.size(), c.printed);
        for (const auto& [text, tipo] : dialogs.told) {
            EXPECT_TRUE(text.startsWith("Resumo de vendas do dia impresso em "))
                << text.toStdString();
            EXPECT_EQ(tipo, MsgInformacao);
        }
    }
}

} // namespace
} // namespace tmk
