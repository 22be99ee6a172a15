#include "external/common.h"
#include "platform/client_dataset.h"
#include "platform/errors.h"
#include "suite/devices/simulated_drawer.h"
#include "suite/dialogs/dialogs_statements.h"
#include "suite/dialogs/keypad_dialog.h"
#include "suite/dialogs/receipt_email_dialog.h"
#include "suite/dialogs/suite_dialogs.h"
#include "suite/dialogs/supervisor_dialog.h"
#include "tests/suite/dialogs/cadastre_files.h"
#include "tests/suite/print_qstring.h"
#include "tests/support/statement_checks.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <functional>

namespace tmk {
namespace {

using dialogs_test::CadastreTest;

constexpr int kGaveta = 31;
constexpr int kPreco = 33;

// Drives each dialog with a script instead of showing it, and records what the
// operator would have been told.
class ScriptedDialogs : public SuiteDialogs {
public:
    ScriptedDialogs()
        : SuiteDialogs(QSqlDatabase(), nullptr) {}

    std::function<void(QDialog&)> script;
    QStringList dialogsShown;
    QList<QPair<QString, int>> told;

protected:
    int execDialog(QDialog& dialog) override {
        dialogsShown << dialog.objectName();
        dialog.setResult(-1);
        if (script) {
            script(dialog);
        }
        return dialog.result();
    }
    void showMessage(const QString& text, int tipo) override { told.append({text, tipo}); }
};

void click(QDialog& d, const char* name) {
    auto* b = d.findChild<QPushButton*>(QString::fromLatin1(name));
    ASSERT_NE(b, nullptr) << name;
    b->click();
}

class SuiteDialogsAccess : public CadastreTest {
protected:
    void SetUp() override {
        CadastreTest::SetUp();
        writeRights({{"0001", kGaveta, "N"}, {"0001", kPreco, "N"}, {"0090", kPreco, "N"}});
        writeOperators({{"0001", "Caixa", "1111", "N"}, {"0090", "Gerente", "9090", "S"}});
    }
    ScriptedDialogs dialogs;
};

TEST_F(SuiteDialogsAccess, ControleAcessAnswersNForARefusedRight) {
    QString r = "?";
    dialogs.ControleAcess(kGaveta, "0001", r);
    EXPECT_EQ(r, "N");
    dialogs.ControleAcess(kGaveta, "0090", r);
    EXPECT_EQ(r, "S");
    dialogs.ControleAcess(77, "0001", r);
    EXPECT_EQ(r, "S");
}

TEST_F(SuiteDialogsAccess, AllowedOperatorIsItsOwnAuthoriser) {
    QString autoriz = "old";
    EXPECT_TRUE(dialogs.VerificaAcesso(kGaveta, "0090", autoriz));
    EXPECT_EQ(autoriz, "0090");
    EXPECT_TRUE(dialogs.dialogsShown.isEmpty());
}

TEST_F(SuiteDialogsAccess, SupervisorAuthorisesAfterAWrongPassword) {
    int attempts = 0;
    dialogs.script = [&](QDialog& d) {
        auto& sup = dynamic_cast<SupervisorDialog&>(d);
        // The keypad types into the code field first.
        click(d, "btn0");
        click(d, "btn0");
        click(d, "btn9");
        click(d, "btn0");
        EXPECT_EQ(sup.codeField()->text(), "0090");
        sup.passwordField()->setText("1234");
        click(d, "btnConfirma");
        ++attempts;
        EXPECT_EQ(d.result(), -1) << "a wrong password closed the dialog";
        EXPECT_TRUE(sup.passwordField()->text().isEmpty()) << "the wrong password stays";
        // After a refusal the keypad types the password again.
        for (const char* key : {"btn9", "btn0", "btn9", "btn0"}) {
            click(d, key);
        }
        EXPECT_EQ(sup.passwordField()->text(), "9090");
        click(d, "btnConfirma");
        ++attempts;
    };
    QString autoriz = "old";
    EXPECT_TRUE(dialogs.VerificaAcesso(kGaveta, "0001", autoriz));
    EXPECT_EQ(autoriz, "0090");
    EXPECT_EQ(attempts, 2);
    EXPECT_EQ(dialogs.dialogsShown, QStringList{"AutorizacaoSupervisor"});
    ASSERT_EQ(dialogs.told.size(), 1);
    EXPECT_EQ(dialogs.told.at(0).first, "Código ou senha do supervisor incorretos.");
    EXPECT_EQ(dialogs.told.at(0).second, MsgAviso);
}

TEST_F(SuiteDialogsAccess, ASupervisorLackingTheRightCannotAuthorise) {
    dialogs.script = [&](QDialog& d) {
        auto& sup = dynamic_cast<SupervisorDialog&>(d);
        sup.codeField()->setText("0090");
        sup.passwordField()->setText("9090");
        sup.confirm();
        EXPECT_EQ(d.result(), -1);
        click(d, "btnCancela");
    };
    QString autoriz = "old";
    EXPECT_FALSE(dialogs.VerificaAcesso(kPreco, "0001", autoriz));
    EXPECT_TRUE(autoriz.isEmpty());
    ASSERT_EQ(dialogs.told.size(), 1);
    EXPECT_TRUE(dialogs.told.at(0).first.contains("não tem permissão"));
}

TEST_F(SuiteDialogsAccess, CancelledDialogRefuses) {
    dialogs.script = [](QDialog& d) {
        click(d, "btnCancela");
    };
    QString autoriz = "old";
    EXPECT_FALSE(dialogs.VerificaAcesso(kGaveta, "0001", autoriz));
    EXPECT_TRUE(autoriz.isEmpty());
    EXPECT_TRUE(dialogs.told.isEmpty());
}

TEST_F(SuiteDialogsAccess, NoSupervisorRecordedRefusesWithAMessage) {
    writeOperators({{"0001", "Caixa", "1111", "N"}});
    QString autoriz;
    EXPECT_FALSE(dialogs.VerificaAcesso(kGaveta, "0001", autoriz));
    EXPECT_TRUE(dialogs.dialogsShown.isEmpty());
    ASSERT_EQ(dialogs.told.size(), 1);
    EXPECT_TRUE(dialogs.told.at(0).first.contains("supervisor"));
}

TEST_F(SuiteDialogsAccess, MalformedRightsFileMakesEveryCommandAskASupervisor) {
    writeText("Dados/Cadastros/DireitosAcesso.cds", "não é um pacote de dados");
    // The buttons stay usable, the fault is told once.
    for (const int code : {kGaveta, kPreco, 77}) {
        QString r = "?";
        dialogs.ControleAcess(code, "0001", r);
        EXPECT_EQ(r, "S") << code;
    }
    ASSERT_EQ(dialogs.told.size(), 1);
    EXPECT_TRUE(dialogs.told.at(0).first.contains(rightsPath()));
    EXPECT_TRUE(dialogs.told.at(0).first.contains("supervisor"));
    EXPECT_EQ(dialogs.told.at(0).second, MsgErro);

    // An operator that nothing refuses is not granted by default: the supervisor is.
    dialogs.script = [](QDialog& d) {
        auto& sup = dynamic_cast<SupervisorDialog&>(d);
        sup.codeField()->setText("0090");
        sup.passwordField()->setText("9090");
        sup.confirm();
    };
    QString autoriz = "old";
    EXPECT_TRUE(dialogs.VerificaAcesso(77, "0090", autoriz));
    EXPECT_EQ(autoriz, "0090");
    EXPECT_EQ(dialogs.dialogsShown, QStringList{"AutorizacaoSupervisor"});

    dialogs.script = [](QDialog& d) {
        click(d, "btnCancela");
    };
    EXPECT_FALSE(dialogs.VerificaAcesso(77, "0001", autoriz));
    EXPECT_TRUE(autoriz.isEmpty());
}

TEST_F(SuiteDialogsAccess, MalformedOperatorsFileRefusesEveryGuardedCommand) {
    writeText("Dados/Cadastros/Operadores.cds", "<?xml version=\"1.0\"?><DATAPACKET");
    QString r = "?";
    dialogs.ControleAcess(77, "0001", r);
    EXPECT_EQ(r, "S");
    QString autoriz = "old";
    EXPECT_FALSE(dialogs.VerificaAcesso(77, "0001", autoriz));
    EXPECT_FALSE(dialogs.VerificaAcesso(kGaveta, "0090", autoriz));
    EXPECT_TRUE(autoriz.isEmpty());
    EXPECT_TRUE(dialogs.dialogsShown.isEmpty()) << "no supervisor can be checked";
    ASSERT_EQ(dialogs.told.size(), 3);
    for (const auto& [text, tipo] : dialogs.told) {
        EXPECT_TRUE(text.contains(operatorsPath())) << text.toStdString();
        EXPECT_EQ(tipo, MsgErro);
    }
}

using SuiteDialogsKeypad = CadastreTest;

TEST_F(SuiteDialogsKeypad, ConfirmedValueComesBack) {
    ScriptedDialogs dialogs;
    dialogs.script = [](QDialog& d) {
        EXPECT_EQ(d.windowTitle(), "Consultar Reserva");
        EXPECT_EQ(d.findChild<QLabel*>("lblPrompt")->text(), "Informe o número da mesa");
        auto& k = dynamic_cast<KeypadDialog&>(d);
        EXPECT_EQ(k.model().maxDigits(), 4);
        click(d, "btnConfirma"); // empty: told, stays open
        for (const char* key : {"btn1", "btn2", "btn3", "btn4", "btn5"}) {
            click(d, key);
        }
        click(d, "btnConfirma");
    };
    QString valor = "old";
    EXPECT_TRUE(dialogs.TecladoNumerico(valor, "Consultar Reserva", "Informe o número da mesa",
                                        "Mesa deve ser informada.", 4, 0, 0, 0, 0, 0));
    EXPECT_EQ(valor, "1234");
    ASSERT_EQ(dialogs.told.size(), 1);
    EXPECT_EQ(dialogs.told.at(0), (QPair<QString, int>("Mesa deve ser informada.", MsgAviso)));
}

TEST_F(SuiteDialogsKeypad, CancelledKeypadLeavesTheValue) {
    ScriptedDialogs dialogs;
    dialogs.script = [](QDialog& d) {
        click(d, "btn7");
        click(d, "btnCancela");
    };
    QString valor = "old";
    EXPECT_FALSE(dialogs.TecladoNumerico(valor, "Mesa", "Informe", "Vazio", 4, 0, 0, 0, 0, 0));
    EXPECT_EQ(valor, "old");
}

using SuiteDialogsDrawer = CadastreTest;

TEST_F(SuiteDialogsDrawer, OpensAndReportsTheSimulatedDrawer) {
    ScriptedDialogs dialogs;
    EXPECT_EQ(dialogs.VerificaStatusGaveta("1", "LPT1"), 0);
    dialogs.AbreGaveta("1", "LPT1");
    EXPECT_EQ(dialogs.VerificaStatusGaveta("1", "LPT1"), 1);
    EXPECT_TRUE(simulatedDrawerOpen());
    ASSERT_TRUE(fecharGavetaSimulada());
    EXPECT_EQ(dialogs.VerificaStatusGaveta("1", "LPT1"), 0);
}

TEST_F(SuiteDialogsDrawer, ADrawerThatCannotOpenIsAnError) {
    writeText("Dispositivos", "not a folder");
    ScriptedDialogs dialogs;
    EXPECT_THROW(dialogs.AbreGaveta("1", "LPT1"), AppError);
    EXPECT_EQ(dialogs.VerificaStatusGaveta("1", "LPT1"), 0);
}

TEST(SuiteDialogsReceiptEmail, AddressForms) {
    const std::pair<const char*, bool> casos[] = {
        {"ana@exemplo.com.br", true},
        {"  ana.lima@exemplo.com  ", true},
        {"ana@exemplo", false},
        {"ana exemplo@x.com", false},
        {"@exemplo.com", false},
        {"ana@@exemplo.com", false},
        {"ana@exemplo..com", false},
        {"ana@exemplo.com.", false},
        {"", false},
    };
    for (const auto& [texto, valido] : casos) {
        EXPECT_EQ(ReceiptEmailDialog::enderecoValido(QString::fromUtf8(texto)), valido) << texto;
    }
}

// The registered address is offered; a malformed one is told and the dialog stays; the
// confirmed address comes back trimmed in element 6, blank meaning none.
TEST(SuiteDialogsReceiptEmail, TheConfirmedAddressComesBackInElementSix) {
    struct Caso {
        const char* nome;
        QStringList digitados; // typed before each confirmation; the last one is accepted
        bool cancela;
        QString esperado;
        int avisos;
    };
    const Caso casos[] = {
        {"kept as offered", {}, false, QStringLiteral("cons@exemplo.com.br"), 0},
        {"corrected",
         {QStringLiteral("cons@"), QStringLiteral(" novo@exemplo.com ")},
         false,
         QStringLiteral("novo@exemplo.com"),
         1},
        {"blank", {QStringLiteral("   ")}, false, QString(), 0},
        {"given up", {QStringLiteral("outro@exemplo.com")}, true, QString(), 0},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.nome);
        ScriptedDialogs d;
        d.script = [&c](QDialog& dialog) {
            auto* email = dialog.findChild<QLineEdit*>(QStringLiteral("edtEmail"));
            ASSERT_NE(email, nullptr);
            EXPECT_EQ(email->text(), QStringLiteral("cons@exemplo.com.br"));
            for (const QString& t : c.digitados) {
                email->setText(t);
                if (!c.cancela) {
                    click(dialog, "btnConfirma");
                }
            }
            click(dialog, c.cancela ? "btnCancela" : "btnConfirma");
        };
        QVariantList valores(14);
        valores[12] = QStringLiteral(" cons@exemplo.com.br ");
        QVariantList retorno;
        retorno << QStringLiteral("x");
        d.CriaInfAdicional(valores, retorno);
        ASSERT_EQ(retorno.size(), 10);
        EXPECT_EQ(retorno.at(0).toString(), QStringLiteral("x"));
        EXPECT_EQ(retorno.at(6).toString(), c.esperado);
        EXPECT_EQ(d.told.size(), c.avisos);
        EXPECT_EQ(d.dialogsShown, QStringList{QStringLiteral("InfAdicional")});
    }
}

TEST(DialogsStatements, EveryKindHasTheTextsOfTheLibrary) {
    test::expectLoadsOnEveryKind(dialogsStatements(), QStringLiteral("log_controle_acess"),
                                 QStringLiteral("LOGCONTROLEACESSO"));
}

} // namespace
} // namespace tmk
