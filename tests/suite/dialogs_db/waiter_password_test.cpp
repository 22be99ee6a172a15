// The waiter's confirmation against the demo store's cadastre: the modes, the three
// tries, and the password kept out of every message and log line.

#include "db/demo/demo_catalogue.h"
#include "external/common.h"
#include "platform/database_error.h"
#include "suite/dialogs/code_password_dialog.h"
#include "suite/dialogs/waiter_password.h"
#include "tests/suite/dialogs_db/demo_store_fixture.h"
#include "tests/suite/print_qstring.h"

#include <QLineEdit>
#include <QLoggingCategory>
#include <QMutex>

namespace tmk {
namespace {

using dialogs_test::click;
using dialogs_test::DemoStoreTest;
using dialogs_test::ScriptedDialogs;
using Mode = WaiterPasswordCheck::Mode;

// Every log line written while it lives, whatever its category or level.
class LogCapture {
public:
    LogCapture() {
        lines().clear();
        QLoggingCategory::setFilterRules(QStringLiteral("*.debug=true"));
        previous_ = qInstallMessageHandler(&LogCapture::handle);
    }
    ~LogCapture() {
        qInstallMessageHandler(previous_);
        QLoggingCategory::setFilterRules(QString());
    }
    static QStringList& lines() {
        static QStringList l;
        return l;
    }

private:
    static void handle(QtMsgType, const QMessageLogContext& context, const QString& text) {
        static QMutex mutex;
        const QMutexLocker lock(&mutex);
        lines() << QString::fromLatin1(context.category) + QLatin1Char(' ') + text;
    }
    QtMessageHandler previous_;
};

class WaiterPasswordTest : public DemoStoreTest {
protected:
    void SetUp() override {
        DemoStoreTest::SetUp();
        if (HasFatalFailure() || IsSkipped()) {
            return;
        }
        // A waiter who left, one without a password and one whose password is damaged.
        exec(QStringLiteral("UPDATE VENDEDOR SET IDATIVOVEN = 'N' WHERE CDVENDEDOR = '003'"));
        exec(QStringLiteral("INSERT INTO VENDEDOR (CDVENDEDOR, NMFANVEN, NMVENDEDOR, IDATIVOVEN) "
                            "VALUES ('004', 'Rui', 'Rui Sem Senha', 'S')"));
        exec(QStringLiteral("INSERT INTO VENDEDOR (CDVENDEDOR, NMFANVEN, NMVENDEDOR, CDSENHAVEN, "
                            "IDATIVOVEN) VALUES ('005', 'Eva', 'Eva Danificada', 'ZZ?!', 'S')"));
    }
};

TEST(WaiterPasswordMode, ByTheTillsSetting) {
    const std::pair<const char*, Mode> cases[] = {
        {"S", Mode::CodeAndPassword}, {" s ", Mode::CodeAndPassword}, {"L", Mode::WaiterOptional},
        {"l", Mode::WaiterOptional},  {"N", Mode::NoPassword},        {"", Mode::NoPassword},
        {"X", Mode::NoPassword},
    };
    for (const auto& [setting, mode] : cases) {
        EXPECT_EQ(WaiterPasswordCheck::modeOf(QString::fromLatin1(setting)), mode) << setting;
    }
}

TEST_F(WaiterPasswordTest, EachModeAcceptsAndRefuses) {
    struct Case {
        Mode mode;
        const char* code;
        const char* password;
        bool granted;
        const char* acceptedCode;
        const char* message; // part of the message; empty when accepted
        int failures;
    };
    const Case cases[] = {
        {Mode::CodeAndPassword, "001", "1010", true, "001", "", 0},
        {Mode::CodeAndPassword, " 002 ", "2020", true, "002", "", 0},
        {Mode::CodeAndPassword, "001", "2020", false, "",
         "Garçom ou senha incorretos. Tentativa 1 de 3.", 1},
        {Mode::CodeAndPassword, "001", "", false, "", "Garçom ou senha incorretos.", 1},
        {Mode::CodeAndPassword, "777", "1010", false, "", "Garçom ou senha incorretos.", 1},
        {Mode::CodeAndPassword, "003", "3030", false, "", "Garçom ou senha incorretos.", 1},
        {Mode::CodeAndPassword, "", "1010", false, "", "Informe o código do garçom.", 0},
        {Mode::CodeAndPassword, "004", "", false, "",
         "O garçom 004 não tem senha cadastrada. Procure o gerente.", 0},
        {Mode::CodeAndPassword, "005", "1234", false, "",
         "A senha do garçom 005 está danificada no cadastro. Procure o gerente.", 0},
        {Mode::WaiterOptional, "", "", true, "", "", 0},
        {Mode::WaiterOptional, "002", "2020", true, "002", "", 0},
        {Mode::WaiterOptional, "002", "1010", false, "", "Tentativa 1 de 3.", 1},
        {Mode::NoPassword, "003", "", true, "003", "", 0},
        {Mode::NoPassword, "", "", true, "", "", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.code) + "/" + c.password + " mode " +
                     std::to_string(int(c.mode)));
        WaiterPasswordCheck check(database.connection(), c.mode);
        const CodePasswordDialog::Verdict v =
            check.check(QString::fromLatin1(c.code), QString::fromLatin1(c.password));
        EXPECT_EQ(v.granted, c.granted);
        EXPECT_EQ(v.code, QString::fromLatin1(c.acceptedCode));
        EXPECT_FALSE(v.giveUp);
        if (c.granted) {
            EXPECT_TRUE(v.message.isEmpty()) << v.message.toStdString();
        } else {
            EXPECT_TRUE(v.message.contains(QString::fromUtf8(c.message)))
                << v.message.toStdString();
        }
        EXPECT_EQ(check.failures(), c.failures);
    }
}

TEST_F(WaiterPasswordTest, TheThirdWrongPasswordEndsIt) {
    WaiterPasswordCheck check(database.connection(), Mode::CodeAndPassword);
    const char* expected[] = {"Garçom ou senha incorretos. Tentativa 1 de 3.",
                              "Garçom ou senha incorretos. Tentativa 2 de 3.",
                              "Senha do garçom incorreta 3 vezes. A mesa não foi liberada."};
    for (int i = 0; i < 3; ++i) {
        // Unknown waiters and wrong passwords count alike.
        const CodePasswordDialog::Verdict v = check.check(
            i == 1 ? QStringLiteral("777") : QStringLiteral("001"), QStringLiteral("9999"));
        EXPECT_FALSE(v.granted);
        EXPECT_EQ(v.message, QString::fromUtf8(expected[i]));
        EXPECT_EQ(v.giveUp, i == 2);
    }
    EXPECT_EQ(check.failures(), 3);
}

// Neither the typed password, the recorded one nor its enciphered form shows in a
// message or a log line, whatever the outcome.
TEST_F(WaiterPasswordTest, ThePasswordIsNeverShownNorLogged) {
    const QString cifrada = text(QStringLiteral("SELECT CDSENHAVEN FROM VENDEDOR WHERE "
                                                "CDVENDEDOR = '001'"));
    ASSERT_FALSE(cifrada.isEmpty());
    QStringList messages;
    {
        LogCapture log;
        for (const Mode mode : {Mode::CodeAndPassword, Mode::WaiterOptional}) {
            WaiterPasswordCheck check(database.connection(), mode);
            for (const auto& [code, password] :
                 {std::pair{"001", "86427"}, std::pair{"005", "86427"}, std::pair{"004", "86427"},
                  std::pair{"777", "86427"}, std::pair{"001", "86427"}, std::pair{"001", "1010"}}) {
                messages << check.check(QString::fromLatin1(code), QString::fromLatin1(password))
                                .message;
            }
        }
        ScriptedDialogs dialogs(database.connection());
        dialogs.script = [](QDialog& d) {
            auto& p = static_cast<CodePasswordDialog&>(d);
            p.codeField()->setText(QStringLiteral("001"));
            p.passwordField()->setText(QStringLiteral("86427"));
            p.confirm();
            p.passwordField()->setText(QStringLiteral("1010"));
            p.confirm();
        };
        QVariantList retorno;
        EXPECT_TRUE(dialogs.ControleSenhOper({QVariant(), "S", QVariant(), "001"}, 3, retorno));
        for (const auto& [t, tipo] : dialogs.told) {
            messages << t;
        }
        messages << LogCapture::lines();
    }
    EXPECT_GE(messages.size(), 13);
    for (const QString& m : std::as_const(messages)) {
        for (const QString& secret : {QStringLiteral("86427"), QStringLiteral("1010"), cifrada}) {
            EXPECT_FALSE(m.contains(secret)) << m.toStdString();
        }
    }
}

TEST_F(WaiterPasswordTest, AnUnreadableCadastreIsNotCountedAgainstTheWaiter) {
    QSqlDatabase caixa = database.openAnother(QStringLiteral("caixa"));
    WaiterPasswordCheck check(caixa, Mode::CodeAndPassword);
    caixa.close();
    EXPECT_THROW(check.check(QStringLiteral("001"), QStringLiteral("1010")), DatabaseError);
    EXPECT_EQ(check.failures(), 0);
}

// ControleSenhOper as the screen calls it: params[1] the mode, params[3] the table's waiter.
TEST_F(WaiterPasswordTest, ControleSenhOperByMode) {
    struct Try {
        const char* code;
        const char* password;
    };
    struct Case {
        const char* name;
        const char* modo;
        QList<Try> tries; // typed and confirmed in turn; none: the dialog is cancelled
        bool dialogShown;
        bool result;
        const char* waiter; // retorno[0]
        int messages;
    };
    const Case cases[] = {
        {"right at once", "S", {{"002", "2020"}}, true, true, "002", 0},
        {"right at the third try",
         "S",
         {{"001", "1"}, {"001", "2"}, {"001", "1010"}},
         true,
         true,
         "001",
         2},
        {"three times wrong", "S", {{"001", "1"}, {"001", "2"}, {"001", "3"}}, true, false, "", 3},
        {"cancelled", "S", {}, true, false, "", 0},
        {"left out", "L", {{"", ""}}, true, true, "", 0},
        {"no password", "N", {}, false, true, "003", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ScriptedDialogs dialogs(database.connection());
        dialogs.script = [&c](QDialog& d) {
            auto& p = static_cast<CodePasswordDialog&>(d);
            EXPECT_EQ(p.codeField()->text(), "003"); // the table's waiter, offered first
            if (c.tries.isEmpty()) {
                click(d, "btnCancela");
            }
            for (const Try& t : c.tries) {
                p.codeField()->setText(QString::fromLatin1(t.code));
                p.passwordField()->setText(QString::fromLatin1(t.password));
                click(d, "btnConfirma");
            }
        };
        QVariantList retorno;
        EXPECT_EQ(dialogs.ControleSenhOper({QVariant(), c.modo, QVariant(), "003"}, 3, retorno),
                  c.result);
        EXPECT_EQ(dialogs.dialogsShown.size(), c.dialogShown ? 1 : 0);
        EXPECT_EQ(dialogs.told.size(), c.messages);
        if (c.result) {
            ASSERT_GE(retorno.size(), 1);
            EXPECT_EQ(retorno[0].toString(), QString::fromLatin1(c.waiter));
        }
    }
}

} // namespace
} // namespace tmk
