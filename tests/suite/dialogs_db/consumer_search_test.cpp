// The consumer search on the demo store: the consumers of the till's clients found by
// name, CPF or code, a quote an ordinary character, and nothing changed.

#include "platform/client_dataset.h"
#include "platform/till_folder.h"
#include "suite/dialogs/consumer_search.h"
#include "suite/dialogs/consumer_search_dialog.h"
#include "tests/suite/dialogs_db/demo_store_fixture.h"
#include "tests/suite/print_qstring.h"

#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QTableWidget>

namespace tmk {
namespace {

using dialogs_test::click;
using dialogs_test::DemoStoreTest;
using dialogs_test::ScriptedDialogs;

class ConsumerSearchTest : public DemoStoreTest {
protected:
    void SetUp() override {
        DemoStoreTest::SetUp();
        if (HasFatalFailure() || IsSkipped()) {
            return;
        }
        // A name with a quote, an inactive consumer, and one of a client the till does not
        // list.
        const char* rows[][5] = {
            {"000002", "0000000003", "Joana D'Arc Souza", "390.533.447-05", "1"},
            {"000002", "0000000004", "Mário Inativo", "", "2"},
            {"000777", "0000000001", "Outro Cliente Silva", "98765432100", "1"},
        };
        for (const auto& r : rows) {
            exec(QStringLiteral("INSERT INTO CONSUMIDOR (CDCLIENTE, CDCONSUMIDOR, NMCONSUMIDOR, "
                                "NRCPFRESPCON, IDSITCONSUMI) VALUES (:C, :K, :N, :CPF, :S)"),
                 {{QStringLiteral(":C"), QString::fromUtf8(r[0])},
                  {QStringLiteral(":K"), QString::fromUtf8(r[1])},
                  {QStringLiteral(":N"), QString::fromUtf8(r[2])},
                  {QStringLiteral(":CPF"), QString::fromUtf8(r[3])},
                  {QStringLiteral(":S"), QString::fromUtf8(r[4])}});
        }
        clientes_.loadFromFile(tillPath(QStringLiteral("Dados/Cadastros/Cad_Cliente.cds")));
        clientes_.first();
        clientes_.next(); // a cursor the search must leave where it is
    }
    QStringList consumers() {
        return column(QStringLiteral("SELECT CDCLIENTE || '|' || CDCONSUMIDOR || '|' || "
                                     "NMCONSUMIDOR || '|' || COALESCE(IDSITCONSUMI, '') FROM "
                                     "CONSUMIDOR ORDER BY 1"));
    }
    ClientDataSet clientes_{QStringLiteral("cdsCliente")};
};

QStringList names(const QList<ConsumerSearch::Consumer>& list) {
    QStringList out;
    for (const ConsumerSearch::Consumer& c : list) {
        out << c.nome;
    }
    return out;
}

TEST_F(ConsumerSearchTest, FoundByNameCpfOrCode) {
    const ConsumerSearch search(database.connection(), ConsumerSearch::clientsOf(clientes_));
    ASSERT_EQ(search.clients().size(), 2);
    EXPECT_EQ(search.clients().at(1).nome, "Parceira");
    const QString joao = QStringLiteral("João Pereira");
    const QString maria = QStringLiteral("Maria Oliveira");
    const QString joana = QStringLiteral("Joana D'Arc Souza");
    const QString mario = QStringLiteral("Mário Inativo");
    const struct {
        const char* texto;
        const char* cliente;
        QStringList found;
    } cases[] = {
        {"", "", {joana, joao, maria, mario}},
        {"joao", "", {joao}},
        {"JOÃO", "", {joao}},
        {"jo", "", {joana, joao}},
        {"d'arc", "", {joana}},
        {"'", "", {joana}},
        {"' OR '1'='1", "", {}},
        {"Joana'; DELETE FROM CONSUMIDOR; --", "", {}},
        {"529.982.247-25", "", {joao}},
        {"52998224725", "", {joao}},
        {"390533", "", {joana}},
        {"1", "", {joao}},
        {"0000000002", "", {maria}},
        {"silva", "", {}}, // a consumer of a client the till does not list
        {"mario", "", {mario}},
        {"", "000001", {}},
        {"maria", "000002", {maria}},
        {"zzz", "", {}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(names(search.search(QString::fromUtf8(c.texto), QString::fromLatin1(c.cliente))),
                  c.found)
            << c.texto << " / " << c.cliente;
    }
    // Without a client list every client's consumers are searched.
    ClientDataSet none;
    const ConsumerSearch all(database.connection(), ConsumerSearch::clientsOf(none));
    EXPECT_EQ(names(all.search(QStringLiteral("silva"))),
              QStringList{QStringLiteral("Outro Cliente Silva")});
    EXPECT_EQ(ConsumerSearch::cpfFormatado(QStringLiteral("52998224725")), "529.982.247-25");
    EXPECT_EQ(ConsumerSearch::cpfFormatado(QStringLiteral("123")), "123");
}

TEST_F(ConsumerSearchTest, AConsultationChangesNothingAndHandsBackTheConsumerLookedAt) {
    struct Case {
        const char* name;
        const char* typed;
        int row; // -1: none chosen
        QString a3;
        QString cliente;
        QString nome;
    };
    const Case cases[] = {
        {"consumer looked at", "d'arc", 0, "0000000003", "000002", "Joana D'Arc Souza"},
        {"nothing found", "' OR '1'='1", -1, "antes", "000001", ""},
        {"closed at once", "", -1, "antes", "000001", ""},
    };
    const QStringList before = consumers();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedDialogs dialogs(database.connection());
        dialogs.script = [&c](QDialog& d) {
            auto& dialog = dynamic_cast<ConsumerSearchDialog&>(d);
            EXPECT_EQ(d.findChild<QWidget*>("btnSeleciona"), nullptr);
            dialog.search(QString::fromUtf8(c.typed));
            if (c.row >= 0) {
                dialog.chooseRow(c.row);
            } else if (QString::fromUtf8(c.typed).contains('\'')) {
                EXPECT_EQ(dialog.grid()->rowCount(), 0);
                EXPECT_EQ(d.findChild<QLabel*>("lblResultado")->text(),
                          "Nenhum consumidor encontrado.");
            }
            click(d, "btnFechar");
        };
        QString a3 = QStringLiteral("antes");
        QString cdCliente = QStringLiteral("000001");
        QStringList retornos{QStringLiteral("x")};
        dialogs.PesqConsumidor(QStringLiteral("CONSULTA"), 0, a3, QStringLiteral("1"),
                               QStringLiteral("A"), clientes_, cdCliente, retornos);
        EXPECT_EQ(dialogs.dialogsShown, QStringList{"PesqConsumidor"});
        EXPECT_TRUE(dialogs.told.isEmpty());
        EXPECT_EQ(a3, c.a3);
        EXPECT_EQ(cdCliente, c.cliente);
        ASSERT_EQ(retornos.size(), 26);
        EXPECT_EQ(retornos.at(0), c.nome);
        EXPECT_EQ(clientes_.recNo(), 2);
        EXPECT_EQ(consumers(), before);
    }
}

TEST_F(ConsumerSearchTest, TheGridShowsTheCpfAndTheTillsClients) {
    const ConsumerSearch search(database.connection(), ConsumerSearch::clientsOf(clientes_));
    ConsumerSearchDialog dialog(search, true);
    dialog.search(QStringLiteral("jo"));
    EXPECT_EQ(dialog.grid()->rowCount(), 2);
    EXPECT_EQ(dialog.grid()->item(1, 1)->text(), "529.982.247-25");
    EXPECT_EQ(dialog.findChild<QComboBox*>("cmbCliente")->count(), 3);
    const QString folder = qEnvironmentVariable("TMK_PICTURES");
    if (!folder.isEmpty()) {
        dialog.chooseRow(1);
        dialog.resize(800, 500);
        dialog.grab().save(QDir(folder).filePath("consulta-consumidor.png"));
    }
}

} // namespace
} // namespace tmk
