// Operator change and the receipt e-mail step, on a store in the database.
#include "platform/client_dataset.h"
#include "tests/screen/command_fixture.h"

using namespace tmk;
using namespace tmk::test;

namespace {

class OperatorChange : public CommandsWithStore {
protected:
    void SetUp() override {
        CommandsWithStore::SetUp();
        if (IsSkipped() || HasFatalFailure()) {
            return;
        }
        st().IdPerTrocaOp = QStringLiteral("S");
    }
    int acessos(const QString& operador) {
        return count(QStringLiteral("LOGACESSO"),
                     QStringLiteral("CDOPERADOR = :O AND DSSISTEMA = 'VND'"),
                     {{QStringLiteral("O"), operador}});
    }
};

class ReceiptEmail : public CommandsWithStore {
protected:
    void SetUp() override {
        CommandsWithStore::SetUp();
        if (IsSkipped() || HasFatalFailure()) {
            return;
        }
        insert(QStringLiteral("CONSUMIDOR"),
               {{QStringLiteral("CDCLIENTE"), QStringLiteral("000002")},
                {QStringLiteral("CDCONSUMIDOR"), QStringLiteral("0000000001")},
                {QStringLiteral("NMCONSUMIDOR"), QStringLiteral("João Pereira")},
                {QStringLiteral("DSEMAILCONS"), QStringLiteral("joao@exemplo.com.br")}});
        insert(QStringLiteral("CONSUMIDOR"),
               {{QStringLiteral("CDCLIENTE"), QStringLiteral("000002")},
                {QStringLiteral("CDCONSUMIDOR"), QStringLiteral("0000000002")},
                {QStringLiteral("NMCONSUMIDOR"), QStringLiteral("Maria Oliveira")}});
    }
    // Two item rows of the account of a consumer.
    void conta(const QString& consumidor) {
        DataPacket p;
        p.fields = {{QStringLiteral("NRPRODCOMVEN"), FieldType::Text, 10},
                    {QStringLiteral("CDCLIENTE"), FieldType::Text, 15},
                    {QStringLiteral("CDCONSUMIDOR"), FieldType::Text, 20},
                    {QStringLiteral("DSEMAILENVCUPOM"), FieldType::Text, 100},
                    {QStringLiteral("IDSITENVCUPOM"), FieldType::Text, 1}};
        for (const char* nr : {"000001", "000002"}) {
            p.rows << QVariantList{QString::fromLatin1(nr), QStringLiteral("000002"), consumidor,
                                   QStringLiteral("antigo@x"), QStringLiteral("?")};
        }
        screen().cdsListaComanda.setData(p);
        screen().cdsListaComanda.last();
    }
    QStringList coluna(const QString& nome) {
        QStringList valores;
        ClientDataSet& itens = screen().cdsListaComanda;
        for (itens.first(); !itens.eof(); itens.next()) {
            valores << itens.fieldByName(nome).asString();
        }
        return valores;
    }
};

} // namespace

// ------------------------------------------------------------------ operator change

TEST_F(OperatorChange, TheNewOperatorsCodeNameAndRightsTakeEffectAtOnce) {
    suite.dialogs.controleAcess.insert(st().CtCancItemGen, QStringLiteral("N"));
    // The dialog signs the new operator in: it writes the till's operator file.
    suite.dialogs.trocaOperadorCaixa.setCallback([this](const QVariantList&) {
        writeOperador(QStringLiteral("0002"), QStringLiteral("Bruno Costa"));
        return std::optional<QString>(QStringLiteral("Bruno Costa"));
    });
    screen().evento([this] { screen().sbtTrocaOperadorClick(); });

    EXPECT_EQ(suite.last(QStringLiteral("TrocaOperadorCaixa")).text(0), QStringLiteral("Ana Lima"));
    EXPECT_EQ(st().CdOperador, QStringLiteral("0002"));
    EXPECT_EQ(st().NmOperador, QStringLiteral("Bruno Costa"));
    EXPECT_TRUE(screen().model.lblRodape.endsWith(QStringLiteral("Bruno Costa")));
    // Rights are asked again for the new operator.
    const QList<RecordedCall> direitos = suite.calls(QStringLiteral("ControleAcess"));
    ASSERT_FALSE(direitos.isEmpty());
    for (const RecordedCall& c : direitos) {
        EXPECT_EQ(c.text(1), QStringLiteral("0002"));
    }
    EXPECT_FALSE(screen().model.commands.value(QStringLiteral("sbtCancelaItem")).enabled);
    EXPECT_EQ(acessos(QStringLiteral("0002")), 1);
    EXPECT_EQ(acessos(QStringLiteral("0001")), 0);
    EXPECT_EQ(suite.last(QStringLiteral("VerificaAcesso")).arg(0).toInt(), st().CtTrocaOperador);
}

TEST_F(OperatorChange, AGivenUpChangeRecordsNothing) {
    suite.dialogs.trocaOperadorCaixa.push(std::nullopt);
    screen().evento([this] { screen().sbtTrocaOperadorClick(); });
    EXPECT_EQ(suite.count(QStringLiteral("TrocaOperadorCaixa")), 1);
    EXPECT_EQ(st().CdOperador, QStringLiteral("0001"));
    EXPECT_EQ(st().NmOperador, QStringLiteral("Ana Lima"));
    EXPECT_EQ(count(QStringLiteral("LOGACESSO")), 0);
    EXPECT_EQ(suite.count(QStringLiteral("ControleAcess")), 0);
}

TEST_F(OperatorChange, TheSettingRefusesEvenAnOperatorWithTheRight) {
    st().IdPerTrocaOp = QStringLiteral("N");
    screen().evento([this] { screen().sbtTrocaOperadorClick(); });
    EXPECT_EQ(mensagens(), QStringList{msg(QStringLiteral("Troca_Nao"))});
    EXPECT_EQ(suite.last(QStringLiteral("Mensagem")).arg(4).toInt(), int(MsgErro));
    EXPECT_EQ(suite.count(QStringLiteral("TrocaOperadorCaixa")), 0);
    // A refused access ends it before the setting is even looked at.
    suite.clear();
    suite.dialogs.verificaAcesso.push({false, QString()});
    screen().evento([this] { screen().sbtTrocaOperadorClick(); });
    EXPECT_TRUE(mensagens().isEmpty());
}

// ------------------------------------------------------------------ receipt e-mail

TEST_F(ReceiptEmail, SendingStateOfEveryRow) {
    struct Caso {
        const char* nome;
        const char* envia;      // IdEnvCupomEmail
        const char* consumidor; // CDCONSUMIDOR of the rows
        const char* digitado;   // the address the dialog hands back
        const char* oferecido;  // the address the dialog was offered
        const char* email;      // DSEMAILENVCUPOM of every row
        const char* situacao;   // IDSITENVCUPOM of every row
    };
    const Caso casos[] = {
        {"sending off", "N", "0000000001", nullptr, nullptr, "", "U"},
        {"registered address kept", "S", "0000000001", "joao@exemplo.com.br", "joao@exemplo.com.br",
         "joao@exemplo.com.br", "A"},
        {"address with blanks", "S", "0000000001", "  novo@exemplo.com  ", "joao@exemplo.com.br",
         "novo@exemplo.com", "A"},
        {"no registered address, none given", "S", "0000000002", "", "", "", "N"},
        {"only blanks given", "S", "0000000002", "   ", "", "", "N"},
        {"unknown consumer", "S", "9999", "", "", "", "N"},
    };
    for (const Caso& c : casos) {
        suite.clear();
        st().IdEnvCupomEmail = QString::fromLatin1(c.envia);
        st().DsEmailCupom.clear();
        conta(QString::fromLatin1(c.consumidor));
        if (c.digitado) {
            suite.dialogs.criaInfAdicional.push(QString::fromLatin1(c.digitado));
        }
        screen().relacionaEmailVenda();
        EXPECT_EQ(coluna(QStringLiteral("DSEMAILENVCUPOM")),
                  QStringList(2, QString::fromLatin1(c.email)))
            << c.nome;
        EXPECT_EQ(coluna(QStringLiteral("IDSITENVCUPOM")),
                  QStringList(2, QString::fromLatin1(c.situacao)))
            << c.nome;
        EXPECT_EQ(suite.count(QStringLiteral("CriaInfAdicional")), c.oferecido ? 1 : 0) << c.nome;
        if (c.oferecido) {
            const QVariantList valores =
                suite.last(QStringLiteral("CriaInfAdicional")).arg(0).toList();
            ASSERT_EQ(valores.size(), 14) << c.nome;
            EXPECT_EQ(valores.at(6).toString(), st().IdEsquema);
            EXPECT_EQ(valores.at(11).toString(), QStringLiteral("S"));
            EXPECT_EQ(valores.at(12).toString(), QString::fromLatin1(c.oferecido)) << c.nome;
            EXPECT_EQ(valores.at(13).toString(), QStringLiteral("S"));
            for (int i : {0, 1, 2, 3, 4, 5, 7, 8, 9, 10}) {
                EXPECT_TRUE(valores.at(i).toString().isEmpty()) << i;
            }
            EXPECT_EQ(st().VarRetorno.size(), 10);
            EXPECT_EQ(st().DsEmailCupom, QString::fromLatin1(c.email)) << c.nome;
        }
    }
}
