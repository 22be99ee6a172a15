// Party size and table/position release on a store in the database.
#include "tests/screen/command_fixture.h"

using namespace tmk;
using namespace tmk::test;

namespace {

class PartySize : public CommandsWithStore {
protected:
    void limite(const QVariant& nrMaxPesMes) {
        insert(QStringLiteral("PARAVEND"), {{QStringLiteral("CDFILIAL"), QStringLiteral("0001")},
                                            {QStringLiteral("NRMAXPESMES"), nrMaxPesMes}});
    }
    double pessoas(const QString& venda) {
        return value(QStringLiteral("SELECT NRPESMESAVEN FROM VENDAREST WHERE NRVENDAREST = :V"),
                     {{QStringLiteral("V"), venda}})
            .toDouble();
    }
};

using Release = CommandsWithStore;

} // namespace

TEST_F(PartySize, StatusLettersRefusedAndAccepted) {
    struct Caso {
        const char* estado;
        const char* recusa; // null: accepted
    };
    const Caso casos[] = {{"D", "MESA_FREE"}, {"S", "MESA_SOLI"}, {"P", "MESA_SOLI"},
                          {"R", "MESA_RECE"}, {"O", nullptr},     {"C", nullptr},
                          {"X", nullptr}};
    int n = 0;
    for (const Caso& c : casos) {
        const QString nr = QStringLiteral("%1").arg(++n, 4, 10, QLatin1Char('0'));
        mesaNoMapa(nr, QString::fromLatin1(c.estado));
        const QString v = venda(nr);
        limpa();
        digita({qPrintable(nr.right(1)), "5"});
        screen().evento([this] { screen().sbtNPessoasClick(); });
        if (c.recusa) {
            EXPECT_EQ(mensagens(), QStringList{msg(QString::fromLatin1(c.recusa))}) << c.estado;
            EXPECT_EQ(suite.last(QStringLiteral("Mensagem")).arg(4).toInt(), int(MsgInformacao));
            EXPECT_EQ(teclados().size(), 1) << c.estado; // the party size was never asked
            EXPECT_DOUBLE_EQ(pessoas(v), 2.0) << c.estado;
            EXPECT_TRUE(registros().isEmpty()) << c.estado;
        } else {
            EXPECT_EQ(mensagens(), QStringList{msg(QStringLiteral("NrPes_Alt"))}) << c.estado;
            EXPECT_DOUBLE_EQ(pessoas(v), 5.0) << c.estado;
            ASSERT_EQ(registros().size(), 1) << c.estado;
        }
    }
}

TEST_F(PartySize, AnUnknownTableIsRefused) {
    digita({"42", "3"});
    screen().evento([this] { screen().sbtNPessoasClick(); });
    EXPECT_EQ(mensagens(), QStringList{msg(QStringLiteral("MESA_NCAD"))});
}

TEST_F(PartySize, TheChangeIsStoredLoggedAndTheMapRefreshed) {
    mesaNoMapa(QStringLiteral("0005"), QStringLiteral("O"));
    const QString v = venda(QStringLiteral("0005"));
    digita({"5", "4"});
    screen().evento([this] { screen().sbtNPessoasClick(); });

    EXPECT_EQ(teclados(),
              (QStringList{msg(QStringLiteral("NRPESSOA")), msg(QStringLiteral("NRPESSOA"))}));
    const RecordedCall pessoa = suite.calls(QStringLiteral("TecladoNumerico")).at(1);
    EXPECT_EQ(pessoa.text(2), msg(QStringLiteral("INF_NRPESSOA")));
    EXPECT_EQ(pessoa.text(3), msg(QStringLiteral("PESSOAINF")));
    EXPECT_EQ(pessoa.arg(4).toInt(), 3);
    EXPECT_DOUBLE_EQ(pessoas(v), 4.0);
    ASSERT_EQ(registros().size(), 1);
    const RecordedCall r = registros().first();
    EXPECT_EQ(r.text(2), QStringLiteral("ALT_PES"));
    EXPECT_EQ(r.text(3), QStringLiteral("0001"));
    EXPECT_EQ(r.text(4), QStringLiteral("Ana Lima"));
    EXPECT_EQ(r.text(6), msg(QStringLiteral("Mot_Alt_Pes1")));
    EXPECT_EQ(r.text(7), msg(QStringLiteral("Mot_Alt_Pes")) + QStringLiteral(" 0005"));
    EXPECT_EQ(r.text(8), v);
    EXPECT_EQ(r.text(9), QStringLiteral("000001"));
    EXPECT_EQ(r.text(10), QStringLiteral("RES_0005"));
    EXPECT_EQ(r.text(11), QStringLiteral("0005"));
    // The limit read names its own unit; the map is read again after the change.
    const QList<RecordedCall> chamadas = suite.calls(QStringLiteral("MensagemMetodo"));
    for (const RecordedCall& c : chamadas) {
        if (c.text(3) == QLatin1String("getNrPesMesa")) {
            EXPECT_EQ(c.text(4), QStringLiteral("Cli_Tmk00620"));
        }
    }
    EXPECT_EQ(operacoes().mid(operacoes().indexOf(QStringLiteral("setNumPesMesa"))),
              (QStringList{"setNumPesMesa", "getRetornaInfoMesa", "getStatusMesa", "getReserva",
                           "getMesasPagasAPP"}));
}

// Limits: the branch's largest party (0 or empty: none), and the highest seat position
// ordered on the table's open sale.
TEST_F(PartySize, LimitsAndBadInput) {
    struct Caso {
        const char* nome;
        QVariant limite; // invalid: no sales parameters row; null: the column empty
        const char* digitado;
        const char* recusa; // null: accepted
        bool leuLimite;
    };
    const QVariant nulo(QMetaType::fromType<int>());
    const Caso casos[] = {
        {"no limit row", QVariant(), "150", nullptr, true},
        {"empty limit", nulo, "9", nullptr, true},
        {"limit 0", 0, "99", nullptr, true},
        {"equal to the limit", 6, "6", nullptr, true},
        {"over the limit", 6, "7", "NrPessoas_Maior", true},
        {"below the highest position", QVariant(), "3", "QTD_POS", true},
        {"equal to the highest position", QVariant(), "4", nullptr, true},
        {"zero", 6, "0", "InfoQtde_INV", false},
        {"letters", 6, "abc", "InfoQtde_INV", false},
        {"a thousand", QVariant(), "1000", "InfoQtde_INV", false},
    };
    for (const Caso& c : casos) {
        sql(QStringLiteral("DELETE FROM PARAVEND"));
        sql(QStringLiteral("DELETE FROM ITCOMANDAVEN"));
        sql(QStringLiteral("DELETE FROM COMANDAVEN"));
        sql(QStringLiteral("DELETE FROM VENDAREST"));
        sql(QStringLiteral("DELETE FROM ITMENUCONFTE WHERE IDTPBUTTON = '3'"));
        sql(QStringLiteral("DELETE FROM MESA"));
        if (c.limite.isValid()) {
            limite(c.limite);
        }
        mesaNoMapa(QStringLiteral("0005"), QStringLiteral("O"));
        const QString v = venda(QStringLiteral("0005"));
        item(v, QStringLiteral("1001"), QStringLiteral("04"));
        item(v, QStringLiteral("1001"), QStringLiteral("02"));
        // A closed sale of the same table ordered up to seat 09: it does not count.
        const QString antiga = venda(QStringLiteral("0005"), clock.now().addDays(-1));
        item(antiga, QStringLiteral("1001"), QStringLiteral("09"));
        limpa();
        digita({"5", c.digitado});
        screen().evento([this] { screen().sbtNPessoasClick(); });
        const QString esperado =
            c.recusa ? msg(QString::fromLatin1(c.recusa)) : msg(QStringLiteral("NrPes_Alt"));
        EXPECT_EQ(mensagens(), QStringList{esperado}) << c.nome;
        EXPECT_EQ(operacoes().contains(QStringLiteral("getNrPesMesa")), c.leuLimite) << c.nome;
        EXPECT_EQ(registros().size(), c.recusa ? 0 : 1) << c.nome;
        if (!c.recusa) {
            EXPECT_DOUBLE_EQ(pessoas(v), QString::fromLatin1(c.digitado).toDouble()) << c.nome;
        } else {
            EXPECT_DOUBLE_EQ(pessoas(v), 2.0) << c.nome;
        }
    }
}

TEST_F(PartySize, ACancelledPromptEndsQuietly) {
    mesaNoMapa(QStringLiteral("0005"), QStringLiteral("O"));
    const QString v = venda(QStringLiteral("0005"));
    for (const auto& respostas : {std::initializer_list<const char*>{nullptr},
                                  std::initializer_list<const char*>{"5", nullptr}}) {
        limpa();
        digita(respostas);
        screen().evento([this] { screen().sbtNPessoasClick(); });
        EXPECT_TRUE(mensagens().isEmpty());
        EXPECT_TRUE(registros().isEmpty());
    }
    EXPECT_DOUBLE_EQ(pessoas(v), 2.0);
}

TEST_F(PartySize, ADatabaseFailureIsToldAndChangesNothing) {
    mesaNoMapa(QStringLiteral("0005"), QStringLiteral("O"));
    const QString v = venda(QStringLiteral("0005"));
    sql(QStringLiteral("DROP TABLE PARAVEND"));
    digita({"5", "3"});
    EXPECT_FALSE(screen().evento([this] { screen().sbtNPessoasClick(); }));
    ASSERT_EQ(mensagens().size(), 1);
    EXPECT_EQ(suite.last(QStringLiteral("Mensagem")).arg(4).toInt(), int(MsgErro));
    EXPECT_EQ(suite.last(QStringLiteral("Mensagem")).text(9), QStringLiteral("getNrPesMesa"));
    EXPECT_DOUBLE_EQ(pessoas(v), 2.0);
    EXPECT_TRUE(registros().isEmpty());
}

// ------------------------------------------------------------------ release

TEST_F(Release, ABillRequestedTableIsReopenedAndItsPositionsOffered) {
    mesaNoMapa(QStringLiteral("0005"), QStringLiteral("S"));
    const QString v = venda(QStringLiteral("0005"));
    sql(QStringLiteral("UPDATE COMANDAVEN SET IDSTCOMANDA = '2'"));
    item(v, QStringLiteral("1001"), QStringLiteral("03"), QStringLiteral("S"));
    item(v, QStringLiteral("1001"), QStringLiteral("01"), QStringLiteral("S"));
    item(v, QStringLiteral("1001"), QStringLiteral("02"), QStringLiteral("O"));
    digita({"5", "3"});
    responde({true});
    screen().evento([this] { screen().sbtLiberarMesaClick(); });

    EXPECT_EQ(statusMesa(QStringLiteral("0005")), QStringLiteral("O"));
    EXPECT_EQ(value(QStringLiteral("SELECT IDSTCOMANDA FROM COMANDAVEN")).toString(),
              QStringLiteral("1"));
    EXPECT_EQ(mensagens(), (QStringList{QStringLiteral("As Posições 01, 03 estão com a Conta "
                                                       "Solicitada na Mesa 5.\r\nDeseja liberar "
                                                       "alguma Posição?"),
                                        QStringLiteral("Posição liberada com sucesso.")}));
    const RecordedCall posicao = suite.last(QStringLiteral("TecladoNumerico"));
    EXPECT_EQ(posicao.text(1), QStringLiteral("Liberar Posição"));
    EXPECT_EQ(posicao.text(2), QStringLiteral("Informe o numero da Posição"));
    EXPECT_EQ(posicao.text(3), QStringLiteral("Posição deve ser informada."));
    EXPECT_EQ(posicao.arg(4).toInt(), 2);
    EXPECT_EQ(count(QStringLiteral("ITCOMANDAVEN"), QStringLiteral("IDSTLUGARMESA = 'S'")), 1);
    EXPECT_EQ(value(QStringLiteral("SELECT IDSTLUGARMESA FROM ITCOMANDAVEN "
                                   "WHERE NRLUGARMESA = '03'"))
                  .toString(),
              QStringLiteral("O"));
    // The table's status changed: recorded, before the positions were asked.
    ASSERT_EQ(registros().size(), 1);
    EXPECT_EQ(registros().first().text(2), QStringLiteral("LIB_MES"));
    EXPECT_EQ(registros().first().text(7), msg(QStringLiteral("Mot_Lib_Mes")) + " 0005");
    EXPECT_LT(suite.log.indexOf(QStringLiteral("LogControleAcess")),
              suite.log.indexOf(QStringLiteral("Mensagem")));
    EXPECT_TRUE(operacoes().contains(QStringLiteral("getReserva"))); // the map was refreshed
}

TEST_F(Release, OnePositionIsAskedInTheSingularAndATableWithoutPositionsIsReleased) {
    mesaNoMapa(QStringLiteral("0005"), QStringLiteral("S"));
    const QString v = venda(QStringLiteral("0005"));
    item(v, QStringLiteral("1001"), QStringLiteral("02"), QStringLiteral("S"));
    digita({"0005"});
    responde({false});
    screen().evento([this] { screen().sbtLiberarMesaClick(); });
    EXPECT_EQ(mensagens(), QStringList{QStringLiteral("A Posição 02 esta com a Conta Solicitada "
                                                      "na Mesa 0005.\r\nDeseja liberar alguma "
                                                      "Posição?")});
    EXPECT_EQ(teclados().size(), 1);

    mesaNoMapa(QStringLiteral("0006"), QStringLiteral("S"));
    venda(QStringLiteral("0006"));
    suite.clear();
    digita({"6"});
    screen().evento([this] { screen().sbtLiberarMesaClick(); });
    EXPECT_EQ(mensagens(), QStringList{msg(QStringLiteral("Mesa_LIB"))});
    EXPECT_EQ(statusMesa(QStringLiteral("0006")), QStringLiteral("O"));
    ASSERT_EQ(registros().size(), 1);
    EXPECT_EQ(registros().first().text(6), msg(QStringLiteral("Mot_Lib_Mes1")));
}

TEST_F(Release, RefusalsByStatusAndAFreeTableWithPositions) {
    struct Caso {
        const char* estado;
        bool posicoes;
        const char* mensagem; // null: the position question
    };
    const Caso casos[] = {{"D", false, "MESA_LIVRE"},  {"O", false, "MESA_ABERTA"},
                          {"C", false, "MESA_ABERTA"}, {"X", false, "MESA_NCONTS"},
                          {"D", true, nullptr},        {"O", true, nullptr}};
    int n = 0;
    for (const Caso& c : casos) {
        const QString nr = QStringLiteral("%1").arg(++n + 10, 4, 10, QLatin1Char('0'));
        mesaNoMapa(nr, QString::fromLatin1(c.estado));
        if (c.posicoes) {
            // A closed sale whose seat 01 still has its bill requested.
            const QString v = venda(nr, clock.now().addSecs(-7200));
            item(v, QStringLiteral("1001"), QStringLiteral("01"), QStringLiteral("S"));
        }
        limpa();
        digita({qPrintable(nr)});
        responde({false});
        screen().evento([this] { screen().sbtLiberarMesaClick(); });
        ASSERT_EQ(mensagens().size(), 1) << c.estado;
        if (c.mensagem) {
            EXPECT_EQ(mensagens().first(), msg(QString::fromLatin1(c.mensagem))) << c.estado;
            EXPECT_EQ(suite.last(QStringLiteral("Mensagem")).arg(4).toInt(), int(MsgErro));
        } else {
            EXPECT_TRUE(mensagens().first().startsWith(QStringLiteral("A Posição 01 esta")));
        }
        EXPECT_EQ(statusMesa(nr), QString::fromLatin1(c.estado)) << c.estado;
        EXPECT_TRUE(registros().isEmpty()) << c.estado; // no status changed
    }
}

TEST_F(Release, APositionNotInTheListChangesNothing) {
    mesaNoMapa(QStringLiteral("0005"), QStringLiteral("D"));
    const QString v = venda(QStringLiteral("0005"), clock.now().addSecs(-600));
    item(v, QStringLiteral("1001"), QStringLiteral("01"), QStringLiteral("S"));
    for (const char* posicao : {"99", "2", "ab"}) {
        limpa();
        digita({"5", posicao});
        responde({true});
        screen().evento([this] { screen().sbtLiberarMesaClick(); });
        EXPECT_EQ(mensagens().last(), QStringLiteral("Operação bloqueada. Posição Invalida"))
            << posicao;
        EXPECT_EQ(count(QStringLiteral("ITCOMANDAVEN"), QStringLiteral("IDSTLUGARMESA = 'S'")), 1);
    }
}

TEST_F(Release, ATableBeingReceivedGoesBackToRequestedOnlyWhenConfirmed) {
    mesaNoMapa(QStringLiteral("0005"), QStringLiteral("R"));
    const QString v = venda(QStringLiteral("0005"));
    item(v, QStringLiteral("1001"), QStringLiteral("02"), QStringLiteral("S"));
    // Another table's requested positions are never offered for this one.
    mesaNoMapa(QStringLiteral("0006"), QStringLiteral("S"));
    const QString outra = venda(QStringLiteral("0006"));
    item(outra, QStringLiteral("1001"), QStringLiteral("07"), QStringLiteral("S"));

    digita({"5"});
    responde({false});
    screen().evento([this] { screen().sbtLiberarMesaClick(); });
    EXPECT_EQ(mensagens(), QStringList{QStringLiteral("A mesa 0005 pode está sendo recebida por "
                                                      "outro caixa. Deseja continuar?")});
    EXPECT_EQ(statusMesa(QStringLiteral("0005")), QStringLiteral("R"));
    EXPECT_TRUE(registros().isEmpty());

    suite.clear();
    digita({"5"});
    responde({true, false});
    screen().evento([this] { screen().sbtLiberarMesaClick(); });
    EXPECT_EQ(statusMesa(QStringLiteral("0005")), QStringLiteral("S"));
    ASSERT_EQ(registros().size(), 1);
    EXPECT_EQ(registros().first().text(2), QStringLiteral("LIB_MES"));
    ASSERT_EQ(mensagens().size(), 2);
    EXPECT_TRUE(mensagens().at(1).startsWith(QStringLiteral("A Posição 02 esta")))
        << mensagens().at(1).toStdString();
    // Positions are read with the scheme "002".
    for (const RecordedCall& c : suite.calls(QStringLiteral("MensagemMetodo"))) {
        if (c.text(3) == QLatin1String("getStatusPosicoes")) {
            EXPECT_EQ(c.text(6), QStringLiteral("002"));
        }
    }
}

TEST_F(Release, AReceiptFinishedMeanwhileIsNotUndone) {
    mesaNoMapa(QStringLiteral("0005"), QStringLiteral("R"));
    venda(QStringLiteral("0005"));
    digita({"5"});
    // While the question is open, the other till concludes the receipt and frees the table.
    suite.common.mensagem.setCallback([this](const QVariantList&) {
        sql(QStringLiteral("UPDATE MESA SET IDSTMESAAUX = 'D' WHERE NRMESA = '0005'"));
        return true;
    });
    screen().evento([this] { screen().sbtLiberarMesaClick(); });
    EXPECT_EQ(statusMesa(QStringLiteral("0005")), QStringLiteral("D"));
    EXPECT_TRUE(registros().isEmpty());
    EXPECT_EQ(mensagens().last(),
              QStringLiteral("A mesa 0005 não está mais sendo recebida; nada foi alterado."));
}

TEST_F(Release, AnUnknownTableAndACancelledPrompt) {
    digita({"77"});
    screen().evento([this] { screen().sbtLiberarMesaClick(); });
    EXPECT_EQ(mensagens(), QStringList{msg(QStringLiteral("MESANCAD"))});
    suite.clear();
    digita({nullptr});
    screen().evento([this] { screen().sbtLiberarMesaClick(); });
    EXPECT_TRUE(mensagens().isEmpty());
    EXPECT_TRUE(operacoes().isEmpty());
}
