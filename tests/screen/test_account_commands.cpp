// Close account, partial bill, item cancellation and opening cancellation on a store in
// the database.
#include "platform/client_dataset.h"
#include "tests/screen/command_fixture.h"

using namespace tmk;
using namespace tmk::test;

namespace {

using CloseAccount = CommandsWithStore;
using PartialBill = CommandsWithStore;
using ItemCancel = CommandsWithStore;
using OpeningCancel = CommandsWithStore;

// The parameter record FechaConta received (the packet recorded right after its name).
QVariantMap registroFechaConta(const RecordedCall& c) {
    const DataPacket p = c.arg(1).value<DataPacket>();
    QVariantMap row;
    for (const QString& campo : p.fieldNames()) {
        row.insert(campo, p.value(0, campo));
    }
    return row;
}

} // namespace

// ------------------------------------------------------------------ close account

TEST_F(CloseAccount, TheRecordListsThePadsOfTheTableAndItsGroup) {
    mesaNoMapa(QStringLiteral("0012"), QStringLiteral("O"));
    mesaNoMapa(QStringLiteral("0013"), QStringLiteral("O"));
    juncao(QStringLiteral("J1"), {QStringLiteral("0012"), QStringLiteral("0013")});
    venda(QStringLiteral("0012"));
    venda(QStringLiteral("0013"));
    suite.dialogs.fechaConta.push(
        {{{QStringLiteral("CDCONSUMIDOR"), QStringLiteral("0000000002")}}, {}});
    digita({"12"});
    screen().evento([this] { screen().spbFechaClick(); });

    ASSERT_EQ(suite.count(QStringLiteral("FechaConta")), 1);
    const RecordedCall fecha = suite.last(QStringLiteral("FechaConta"));
    EXPECT_EQ(fecha.text(0), QStringLiteral("cdsParam_FechaConta"));
    const QVariantMap r = registroFechaConta(fecha);
    EXPECT_EQ(r.value("boRetornoTela"), QVariant(true));
    EXPECT_EQ(r.value("stFilialLogin"), QVariant(QStringLiteral("0001")));
    EXPECT_EQ(r.value("stListaComandas"), QVariant(QStringLiteral("000001_000002_")));
    EXPECT_EQ(r.value("DSCOMANDA"), QVariant(QStringLiteral("RES_0013")));
    EXPECT_EQ(r.value("TIPOVENDA"), QVariant(QStringLiteral("2")));
    EXPECT_EQ(r.value("stMesaFecha"), QVariant(QStringLiteral("0012")));
    EXPECT_EQ(r.value("VendProd"), QVariant(false));
    EXPECT_TRUE(r.value("CDCONSUMIDOR").toString().isEmpty());
    EXPECT_EQ(fecha.arg(2).toList().size(), 10);
    EXPECT_EQ(fecha.text(3), QString()); // no app position
    EXPECT_EQ(st().RetCdConsumidor, QStringLiteral("0000000002"));
    EXPECT_EQ(teclados(), QStringList{msg(QStringLiteral("FECHACONTA"))});
    // The map is refreshed, then the footer; the screen comes to the front.
    EXPECT_TRUE(operacoes().contains(QStringLiteral("getReserva")));
    EXPECT_EQ(suite.count(QStringLiteral("MontaRodapeGeral")), 1);
}

TEST_F(CloseAccount, StatusLettersAndTheAppPaidTable) {
    struct Caso {
        const char* estado;
        bool doAplicativo;
        const char* recusa; // null: the dialog is reached
    };
    const Caso casos[] = {
        {"O", false, nullptr},       {"C", false, nullptr},       {"S", false, "MESA_NCONTS"},
        {"P", false, "MESA_NCONTS"}, {"R", false, "MESA_NCONTS"}, {"D", false, "MESA_FREE"},
        {"X", false, "MESA_FREE"},   {"S", true, nullptr},        {"D", true, nullptr},
    };
    int n = 0;
    for (const Caso& c : casos) {
        const QString nr = QStringLiteral("%1").arg(++n, 4, 10, QLatin1Char('0'));
        mesaNoMapa(nr, QString::fromLatin1(c.estado));
        suite.clear();
        st().NrMesaApp = c.doAplicativo ? nr : QString();
        st().PosicaoApp = c.doAplicativo ? QStringLiteral("02") : QString();
        if (!c.doAplicativo) {
            digita({qPrintable(nr)});
        }
        screen().evento([this] { screen().spbFechaClick(); });
        EXPECT_EQ(teclados().size(), c.doAplicativo ? 0 : 1) << c.estado;
        if (c.recusa) {
            EXPECT_EQ(mensagens(), QStringList{msg(QString::fromLatin1(c.recusa))}) << c.estado;
            EXPECT_EQ(suite.count(QStringLiteral("FechaConta")), 0) << c.estado;
            EXPECT_EQ(suite.count(QStringLiteral("MontaRodapeGeral")), 0) << c.estado;
        } else {
            ASSERT_EQ(suite.count(QStringLiteral("FechaConta")), 1) << c.estado;
            // A table without an open pad still reaches the dialog, with an empty list.
            EXPECT_EQ(registroFechaConta(suite.last(QStringLiteral("FechaConta")))
                          .value("stListaComandas")
                          .toString(),
                      QString());
            EXPECT_EQ(suite.last(QStringLiteral("FechaConta")).text(3),
                      c.doAplicativo ? QStringLiteral("02") : QString());
        }
    }
}

TEST_F(CloseAccount, ACancelledPromptShowsNothingAndLeavesTheFooter) {
    digita({nullptr});
    screen().evento([this] { screen().spbFechaClick(); });
    EXPECT_TRUE(mensagens().isEmpty());
    EXPECT_EQ(suite.count(QStringLiteral("MontaRodapeGeral")), 0);
    EXPECT_EQ(suite.count(QStringLiteral("FechaConta")), 0);
}

TEST_F(CloseAccount, AnUnknownTableAndAShortNumber) {
    mesaNoMapa(QStringLiteral("0007"), QStringLiteral("O"));
    digita({"42", "7"});
    screen().evento([this] { screen().spbFechaClick(); });
    EXPECT_EQ(mensagens(), QStringList{msg(QStringLiteral("MESANCAD"))});
    screen().evento([this] { screen().spbFechaClick(); });
    EXPECT_EQ(registroFechaConta(suite.last(QStringLiteral("FechaConta"))).value("stMesaFecha"),
              QVariant(QStringLiteral("0007")));
}

TEST_F(CloseAccount, AFailureReadingThePadsIsToldAndTheFooterStillRefreshed) {
    mesaNoMapa(QStringLiteral("0007"), QStringLiteral("O"));
    venda(QStringLiteral("0007"));
    st().RetCdConsumidor = QStringLiteral("antigo");
    sql(QStringLiteral("DROP TABLE VENDEDOR"));
    digita({"7"});
    screen().evento([this] { screen().spbFechaClick(); });
    ASSERT_EQ(mensagens().size(), 1);
    EXPECT_EQ(suite.last(QStringLiteral("Mensagem")).text(9), QStringLiteral("getComandaInd"));
    EXPECT_EQ(suite.count(QStringLiteral("FechaConta")), 0);
    EXPECT_TRUE(st().RetCdConsumidor.isEmpty());
    EXPECT_EQ(suite.count(QStringLiteral("MontaRodapeGeral")), 1);
}

TEST_F(CloseAccount, TheBusinessDayGuardComesFirst) {
    st().IdColetor = QStringLiteral("N");
    st().IdObrigFechCaix = QStringLiteral("S");
    st().DtAberCaixa = clock.now().addDays(-1);
    digita({"7"});
    screen().evento([this] { screen().spbFechaClick(); });
    EXPECT_EQ(mensagens(), QStringList{msg(QStringLiteral("Fecha_Caixa"))});
    EXPECT_TRUE(teclados().isEmpty());
}

// ------------------------------------------------------------------ partial bill

TEST_F(PartialBill, ThePrintedTableIsLogged) {
    mesaNoMapa(QStringLiteral("0005"), QStringLiteral("O"));
    const QString v = venda(QStringLiteral("0005"));
    suite.dialogs.parcialConta.push(QStringLiteral("0005"));
    screen().evento([this] { screen().sbpParcialClick(); });
    ASSERT_EQ(registros().size(), 1);
    const RecordedCall r = registros().first();
    EXPECT_EQ(r.text(2), QStringLiteral("PAR_CNT"));
    EXPECT_EQ(r.text(6), msg(QStringLiteral("Mot_Par_Cnt1")));
    EXPECT_EQ(r.text(7), msg(QStringLiteral("Mot_Par_Cnt")) + QStringLiteral(" 0005"));
    EXPECT_EQ(r.text(8), v);
    EXPECT_EQ(r.text(11), QStringLiteral("0005"));
    EXPECT_EQ(suite.last(QStringLiteral("VerificaAcesso")).arg(0).toInt(), st().CtParcCont);
}

TEST_F(PartialBill, NoTableBackMeansNothingLogged) {
    for (const std::optional<QString>& resposta :
         {std::optional<QString>{}, std::optional<QString>{QString()},
          std::optional<QString>{QStringLiteral("  ")}}) {
        suite.clear();
        suite.dialogs.parcialConta.push(resposta);
        screen().evento([this] { screen().sbpParcialClick(); });
        EXPECT_EQ(suite.count(QStringLiteral("ParcialConta")), 1);
        EXPECT_TRUE(registros().isEmpty());
        EXPECT_TRUE(operacoes().isEmpty());
    }
}

// ------------------------------------------------------------------ item cancellation

TEST_F(ItemCancel, StatusLettersDecideWhetherThePadGoesToTheDialog) {
    struct Caso {
        const char* estado;
        const char* recusa; // null: the dialog, or nothing for an unknown letter
        bool dialogo;
    };
    const Caso casos[] = {{"O", nullptr, true},           {"C", nullptr, true},
                          {"D", "OPE_MESA_DISP", false},  {"S", "OPE_MESA_CONTASOLI", false},
                          {"R", "OPE_MESA_RECEB", false}, {"X", nullptr, false}};
    int n = 0;
    for (const Caso& c : casos) {
        const QString nr = QStringLiteral("%1").arg(++n, 4, 10, QLatin1Char('0'));
        mesaNoMapa(nr, QString::fromLatin1(c.estado));
        venda(nr);
        limpa();
        digita({qPrintable(nr)});
        screen().evento([this] { screen().sbtCancelaItemClick(); });
        EXPECT_EQ(teclados(), QStringList{msg(QStringLiteral("CANC_ITEM"))});
        if (c.recusa) {
            EXPECT_EQ(mensagens(), QStringList{msg(QString::fromLatin1(c.recusa))}) << c.estado;
            EXPECT_EQ(suite.last(QStringLiteral("Mensagem")).arg(4).toInt(), int(MsgErro));
        } else {
            EXPECT_TRUE(mensagens().isEmpty()) << c.estado;
        }
        ASSERT_EQ(suite.count(QStringLiteral("CancelaProduto")), c.dialogo ? 1 : 0) << c.estado;
        if (c.dialogo) {
            const RecordedCall d = suite.last(QStringLiteral("CancelaProduto"));
            EXPECT_EQ(d.args,
                      (QVariantList{QStringLiteral("%1").arg(n, 6, 10, QLatin1Char('0')),
                                    QStringLiteral("RES_") + nr, QStringLiteral("RES"), nr}));
        }
        EXPECT_EQ(suite.count(QStringLiteral("VerificaAcesso")), 0); // no access check here
    }
}

TEST_F(ItemCancel, AnUnknownTableAndTheBusinessDayGuard) {
    digita({"31"});
    screen().evento([this] { screen().sbtCancelaItemClick(); });
    EXPECT_EQ(mensagens(), QStringList{msg(QStringLiteral("MESA_N_ENC"))});

    suite.clear();
    st().IdColetor = QStringLiteral("N");
    st().IdObrigFechCaix = QStringLiteral("S");
    st().DtAberCaixa = clock.now().addDays(-1);
    digita({"31"});
    screen().evento([this] { screen().sbtCancelaItemClick(); });
    EXPECT_EQ(mensagens(), QStringList{msg(QStringLiteral("Fecha_Caixa"))});
    EXPECT_TRUE(teclados().isEmpty());
}

// ------------------------------------------------------------------ opening cancellation

TEST_F(OpeningCancel, AnOpeningWithOnlyChargesIsCancelledAndLogged) {
    st().CdProdCouver = QStringLiteral("90003");
    mesaNoMapa(QStringLiteral("0005"), QStringLiteral("O"));
    const QString v = venda(QStringLiteral("0005"));
    item(v, QStringLiteral("90003"));
    digita({"5"});
    screen().evento([this] { screen().sbtCancAberturaClick(); });

    EXPECT_EQ(mensagens(), QStringList{msg(QStringLiteral("Mesa_Canc"))});
    EXPECT_EQ(statusMesa(QStringLiteral("0005")), QStringLiteral("D"));
    EXPECT_EQ(count(QStringLiteral("VENDAREST")), 0);
    ASSERT_EQ(registros().size(), 1);
    const RecordedCall r = registros().first();
    EXPECT_EQ(r.text(2), QStringLiteral("CAN_MES"));
    EXPECT_EQ(r.text(6), msg(QStringLiteral("Canc_Aber1")));
    EXPECT_EQ(r.text(7), msg(QStringLiteral("Canc_Aber2")) + QStringLiteral(" 0005"));
    EXPECT_EQ(r.text(8), v); // read before the sale was deleted
    EXPECT_EQ(r.text(10), QStringLiteral("RES_0005"));
    RecordedCall cancelamento;
    for (const RecordedCall& c : suite.calls(QStringLiteral("MensagemMetodo"))) {
        if (c.text(3) == QLatin1String("setCancelaAbertura")) {
            cancelamento = c;
        }
    }
    EXPECT_EQ(cancelamento.arg(2).toInt(), 7);
    EXPECT_EQ(cancelamento.text(4), QStringLiteral("Tmk00470"));
    EXPECT_EQ(operacoes().last(), QStringLiteral("getMesasPagasAPP")); // the map is refreshed
}

TEST_F(OpeningCancel, AGroupedTableAndARealItemChangeNothing) {
    mesaNoMapa(QStringLiteral("0012"), QStringLiteral("O"));
    mesaNoMapa(QStringLiteral("0013"), QStringLiteral("O"));
    juncao(QStringLiteral("J1"), {QStringLiteral("0012"), QStringLiteral("0013")});
    venda(QStringLiteral("0012"));
    mesaNoMapa(QStringLiteral("0005"), QStringLiteral("O"));
    const QString v = venda(QStringLiteral("0005"));
    item(v, QStringLiteral("1001"));
    struct Caso {
        const char* mesa;
        const char* mensagem;
    };
    for (const Caso& c : {Caso{"12", "MES_JUN"}, Caso{"5", "MESA_ITCAD"}}) {
        limpa();
        digita({c.mesa});
        screen().evento([this] { screen().sbtCancAberturaClick(); });
        EXPECT_EQ(mensagens(), QStringList{msg(QString::fromLatin1(c.mensagem))});
        EXPECT_EQ(suite.last(QStringLiteral("Mensagem")).arg(4).toInt(), int(MsgInformacao));
        EXPECT_TRUE(registros().isEmpty());
    }
    EXPECT_EQ(statusMesa(QStringLiteral("0012")), QStringLiteral("O"));
    EXPECT_EQ(statusMesa(QStringLiteral("0005")), QStringLiteral("O"));
    EXPECT_EQ(count(QStringLiteral("VENDAREST")), 2);
    EXPECT_EQ(count(QStringLiteral("ITCOMANDAVEN")), 1);
}

TEST_F(OpeningCancel, StatusLettersUnknownTableAndCancelledPrompt) {
    struct Caso {
        const char* estado;
        const char* mensagem; // null: nothing
    };
    const Caso casos[] = {
        {"D", "Mesa_Disp"}, {"S", "Mesa_Conta_Soli"}, {"R", "Mesa_Conta_Soli"}, {"X", nullptr}};
    int n = 0;
    for (const Caso& c : casos) {
        const QString nr = QStringLiteral("%1").arg(++n, 4, 10, QLatin1Char('0'));
        mesaNoMapa(nr, QString::fromLatin1(c.estado));
        venda(nr);
        limpa();
        digita({qPrintable(nr)});
        screen().evento([this] { screen().sbtCancAberturaClick(); });
        EXPECT_EQ(mensagens(),
                  c.mensagem ? QStringList{msg(QString::fromLatin1(c.mensagem))} : QStringList{})
            << c.estado;
        EXPECT_EQ(count(QStringLiteral("VENDAREST"), QStringLiteral("NRMESA = :M"),
                        {{QStringLiteral("M"), nr}}),
                  1)
            << c.estado;
        EXPECT_EQ(operacoes().last(), QStringLiteral("getMesasPagasAPP")) << c.estado;
    }
    suite.clear();
    digita({"88"});
    screen().evento([this] { screen().sbtCancAberturaClick(); });
    EXPECT_EQ(mensagens(), QStringList{msg(QStringLiteral("MESANCAD"))});
    EXPECT_FALSE(operacoes().contains(QStringLiteral("getReserva"))); // aborted: no refresh

    suite.clear();
    digita({nullptr});
    screen().evento([this] { screen().sbtCancAberturaClick(); });
    EXPECT_TRUE(mensagens().isEmpty());
    EXPECT_EQ(operacoes(),
              (QStringList{"getStatusMesa", "getReserva", "getMesasPagasAPP"})); // still refreshed
}

TEST_F(OpeningCancel, ADatabaseFailureIsToldAndNothingIsDeleted) {
    st().CdProdCouver = QStringLiteral("90003");
    mesaNoMapa(QStringLiteral("0005"), QStringLiteral("O"));
    const QString v = venda(QStringLiteral("0005"));
    item(v, QStringLiteral("90003"));
    db->refuse(QStringLiteral("VENDAREST"), QStringLiteral("DELETE"), QStringLiteral("1 = 1"));
    digita({"5"});
    screen().evento([this] { screen().sbtCancAberturaClick(); });
    ASSERT_EQ(mensagens().size(), 1);
    EXPECT_EQ(suite.last(QStringLiteral("Mensagem")).text(9), QStringLiteral("setCancelaAbertura"));
    EXPECT_TRUE(registros().isEmpty());
    EXPECT_EQ(count(QStringLiteral("ITCOMANDAVEN")), 1);
    EXPECT_EQ(count(QStringLiteral("COMANDAVEN")), 1);
    EXPECT_EQ(statusMesa(QStringLiteral("0005")), QStringLiteral("O"));
}
