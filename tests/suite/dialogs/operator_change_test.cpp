// The change of the till's operator: the code and password checked against the operators'
// cadastre, the till's operator file rewritten only when the new operator signed in.

#include "external/common.h"
#include "platform/client_dataset.h"
#include "suite/dialogs/code_password_dialog.h"
#include "suite/dialogs/operator_change.h"
#include "suite/dialogs/suite_dialogs.h"
#include "tests/suite/dialogs/cadastre_files.h"
#include "tests/suite/print_qstring.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <functional>

namespace tmk {
namespace {

using dialogs_test::CadastreTest;

class OperatorDialogs : public SuiteDialogs {
public:
    OperatorDialogs()
        : SuiteDialogs(QSqlDatabase(), nullptr) {}
    std::function<void(QDialog&)> script;
    QStringList shown;
    QList<QPair<QString, int>> told;

protected:
    int execDialog(QDialog& dialog) override {
        shown << dialog.objectName();
        dialog.setResult(QDialog::Rejected);
        if (script) {
            script(dialog);
        }
        return dialog.result();
    }
    void showMessage(const QString& text, int tipo) override { told.append({text, tipo}); }
};

class OperatorChangeTest : public CadastreTest {
protected:
    void SetUp() override {
        CadastreTest::SetUp();
        writeOperators({{"0001", "Ana Lima", "1111", "N"},
                        {"0002", "Bruno Costa", "2222", "N"},
                        {"0003", "", "3333", "N"},
                        {"0004", "Sem Senha", "", "N"},
                        {"0099", "Gerente", "4321", "S"}});
        OperatorChange::writeOperator(OperatorChange::operatorFile(), "0001", "Ana Lima");
    }
    // The till's operator file as "code|name".
    static QString signedIn() {
        ClientDataSet cds;
        cds.loadFromFile(OperatorChange::operatorFile());
        cds.first();
        return cds.value("CDOPERADOR").toString() + '|' + cds.value("NMOPERADOR").toString();
    }
};

TEST_F(OperatorChangeTest, OnlyARightPairTakesOverTheTill) {
    struct Case {
        const char* name;
        QList<QPair<QString, QString>> tries; // code, password typed in turn
        bool changed;
        QString nome;     // the name handed back
        QString arquivo;  // the operator file afterwards
        QStringList told; // what the operator was told
    };
    const QString wrong = QStringLiteral("Código ou senha do operador incorretos.");
    const Case cases[] = {
        {"right pair", {{"0002", "2222"}}, true, "Bruno Costa", "0002|Bruno Costa", {}},
        {"code with spaces around", {{" 0099 ", "4321"}}, true, "Gerente", "0099|Gerente", {}},
        {"wrong password, then right",
         {{"0002", "1111"}, {"0002", "2222"}},
         true,
         "Bruno Costa",
         "0002|Bruno Costa",
         {wrong}},
        {"unknown code", {{"0777", "2222"}}, false, "Ana Lima", "0001|Ana Lima", {wrong}},
        {"a quote in the password",
         {{"0002", "2222' OR '1'='1"}},
         false,
         "Ana Lima",
         "0001|Ana Lima",
         {wrong}},
        {"operator without password",
         {{"0004", ""}},
         false,
         "Ana Lima",
         "0001|Ana Lima",
         {"O operador 0004 não tem senha cadastrada e não pode assumir o caixa."}},
        {"operator without name shows the code", {{"0003", "3333"}}, true, "0003", "0003|0003", {}},
        {"given up", {}, false, "Ana Lima", "0001|Ana Lima", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        OperatorChange::writeOperator(OperatorChange::operatorFile(), "0001", "Ana Lima");
        OperatorDialogs dialogs;
        dialogs.script = [&c](QDialog& d) {
            auto& p = dynamic_cast<CodePasswordDialog&>(d);
            EXPECT_EQ(p.codeField()->objectName(), "edtOperador");
            EXPECT_EQ(p.passwordField()->echoMode(), QLineEdit::Password);
            EXPECT_TRUE(d.findChild<QLabel*>("lblAviso")->text().contains("Ana Lima"));
            const QString folder = qEnvironmentVariable("TMK_PICTURES");
            if (!folder.isEmpty() && QLatin1String(c.name) == QLatin1String("right pair")) {
                p.codeField()->setText(c.tries.at(0).first);
                p.passwordField()->setText(c.tries.at(0).second);
                d.grab().save(QDir(folder).filePath("troca-operador.png"));
            }
            for (const auto& [code, password] : c.tries) {
                p.codeField()->setText(code);
                p.passwordField()->setText(password);
                d.findChild<QPushButton*>("btnConfirma")->click();
                if (d.result() == QDialog::Accepted) {
                    return;
                }
                EXPECT_TRUE(p.passwordField()->text().isEmpty());
            }
            d.findChild<QPushButton*>("btnCancela")->click();
        };
        QString nome = QStringLiteral("Ana Lima");
        EXPECT_EQ(dialogs.TrocaOperadorCaixa(nome), c.changed);
        EXPECT_EQ(nome, c.nome);
        EXPECT_EQ(signedIn(), c.arquivo);
        QStringList told;
        for (const auto& t : dialogs.told) {
            told << t.first;
        }
        EXPECT_EQ(told, c.told);
        EXPECT_EQ(dialogs.shown, QStringList{"TrocaOperador"});
    }
}

TEST_F(OperatorChangeTest, AFileThatCannotBeWrittenOrReadChangesNothing) {
    // The operator file cannot be replaced: a folder stands in its place.
    QFile::remove(OperatorChange::operatorFile());
    ASSERT_TRUE(QDir().mkpath(OperatorChange::operatorFile()));
    OperatorChange change(AccessRights::load());
    const CodePasswordDialog::Verdict v = change.check("0002", "2222");
    EXPECT_FALSE(v.granted);
    EXPECT_TRUE(v.giveUp);
    EXPECT_TRUE(v.message.startsWith("O operador 0002 não pôde assumir o caixa"))
        << v.message.toStdString();
    EXPECT_TRUE(change.code().isEmpty());

    // The operators' cadastre damaged: nobody can be checked, no dialog is shown.
    writeText("Dados/Cadastros/Operadores.cds", "<DATAPACKET");
    OperatorDialogs dialogs;
    QString nome = QStringLiteral("Ana Lima");
    EXPECT_FALSE(dialogs.TrocaOperadorCaixa(nome));
    EXPECT_EQ(nome, "Ana Lima");
    EXPECT_TRUE(dialogs.shown.isEmpty());
    ASSERT_EQ(dialogs.told.size(), 1);
    EXPECT_TRUE(dialogs.told.at(0).first.contains(operatorsPath()))
        << dialogs.told.at(0).first.toStdString();
    EXPECT_EQ(dialogs.told.at(0).second, MsgErro);
}

TEST_F(OperatorChangeTest, TheOperatorFileKeepsItsOtherColumns) {
    DataPacket p;
    p.fields = {{"CDOPERADOR", FieldType::Text, 12},
                {"NMOPERADOR", FieldType::Text, 60},
                {"CDTURNO", FieldType::Text, 2}};
    p.rows << QVariantList{"0001", "Ana Lima", "T1"};
    ClientDataSet cds;
    cds.setData(p);
    cds.saveToFile(OperatorChange::operatorFile());
    OperatorChange change(AccessRights::load());
    EXPECT_TRUE(change.check("0002", "2222").granted);
    ClientDataSet after;
    after.loadFromFile(OperatorChange::operatorFile());
    after.first();
    EXPECT_EQ(after.recordCount(), 1);
    EXPECT_EQ(after.value("CDOPERADOR").toString(), "0002");
    EXPECT_EQ(after.value("NMOPERADOR").toString(), "Bruno Costa");
    EXPECT_EQ(after.value("CDTURNO").toString(), "T1");
}

} // namespace
} // namespace tmk
