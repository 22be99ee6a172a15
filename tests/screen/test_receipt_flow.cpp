// The receipt flow on the demo store's database with recording fakes of the suite: the
// claim of the table, the checks of the stored sale, what is done once, what is undone
// after a failure, the service charge of one nature, the app payments, the SAT answer.
#include "platform/errors.h"
#include "platform/service_result.h"
#include "screen/receipt/receipt_run.h"
#include "service/state_updates.h"
#include "tests/screen/receipt_fixture.h"

#include <QSqlError>
#include <QSqlQuery>
#include <array>
#include <barrier>
#include <gtest/gtest.h>
#include <iostream>
#include <thread>

namespace tmk::test {
namespace {

const QString kSeq = QStringLiteral("000000000000777");

class ReceiptFlow : public ReceiptOnDemo {
protected:
    void SetUp() override {
        ReceiptOnDemo::SetUp();
        if (HasFatalFailure() || IsSkipped()) {
            return;
        }
        abre(false);
    }

    // The sale "stored" by the fake sales service: its VENDA row, so the data service's
    // check finds it (at once, or only after some waits).
    void gravaVendaNoBanco() {
        QSqlQuery q(database.connection());
        ASSERT_TRUE(q.exec(QStringLiteral("INSERT INTO VENDA (CDFILIAL, CDCAIXA, NRSEQVENDA, "
                                          "IDSITUVENDA) VALUES ('0001', '001', '%1', 'O')")
                               .arg(kSeq)));
    }
    // The conclusion answers the sale number; the VENDA row appears after that many waits
    // (0: at once; -1: never).
    void concluiVenda(int esperasAteGravar = 0, const QString& protocolo = QStringLiteral("1")) {
        fakes.sales.concluiFechamento.setDefault(ConclusionAnswer{
            kSeq, {QVariant(), QStringLiteral("chave"), QStringLiteral("qr"), protocolo}});
        if (esperasAteGravar == 0) {
            fakes.sales.concluiFechamento.setCallback([this](const QVariantList&) {
                gravaVendaNoBanco();
                return ConclusionAnswer{kSeq,
                                        {QVariant(), QStringLiteral("chave"), QStringLiteral("qr"),
                                         QStringLiteral("135")}};
            });
        } else if (esperasAteGravar > 0) {
            clock.aoEsperar = [this, esperasAteGravar](int n) {
                if (n == esperasAteGravar) {
                    gravaVendaNoBanco();
                }
            };
        }
    }
    struct Conta {
        QString nrVendaRest;
        QString nrComanda;
        QString lista;
    };
    // The open sale of a table and its tabs.
    Conta contaDe(const QString& mesa) {
        Conta c;
        QSqlQuery q(database.connection());
        EXPECT_TRUE(q.exec(QStringLiteral("SELECT V.NRVENDAREST, C.NRCOMANDA FROM VENDAREST V, "
                                          "COMANDAVEN C WHERE C.CDFILIAL = V.CDFILIAL AND "
                                          "C.NRVENDAREST = V.NRVENDAREST AND V.NRMESA = '%1' "
                                          "ORDER BY C.NRCOMANDA")
                               .arg(mesa)));
        while (q.next()) {
            c.nrVendaRest = q.value(0).toString();
            c.nrComanda = c.nrComanda.isEmpty() ? q.value(1).toString() : c.nrComanda;
            c.lista += QLatin1Char('_') + q.value(1).toString();
        }
        c.lista += QLatin1Char('_');
        return c;
    }
    void pagaNoDialogo(const QString& idTef = {}) {
        fakes.dialogs.recebimento.setDefault(PaymentAnswer{true, [idTef](RecebimentoArgs& a) {
                                                               a.idTef = idTef;
                                                               a.nrNaoFiscal = "000001";
                                                           }});
    }
};

// The state of the table decides whether it is received here.
TEST_F(ReceiptFlow, OnlyABillRequestedTableIsClaimedAndOnlyOnce) {
    struct Caso {
        const char* mesa;
        const char* estadoAntes; // written before the touch ("" keeps the demo's)
        bool serieDestaMesa;     // this till holds the table in a series
        const char* mensagem;    // expected message key; "" when the dialog opens
    };
    const Caso casos[] = {
        {"0009", "", false, ""},           // "S": claimed, then abandoned
        {"0008", "", false, ""},           // "P" is read as "S"
        {"0010", "", false, "Mesa_Rec"},   // another till receives it
        {"0010", "", true, ""},            // the next coupon of this till's series
        {"0006", "", false, "Mesa_N_Sol"}, // occupied
        {"0009", "R", false, "Mesa_Rec"},  // claimed meanwhile by another till
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(std::string(c.mesa) + " " + c.estadoAntes);
        const QString mesa = QString::fromLatin1(c.mesa);
        if (*c.estadoAntes) {
            QSqlQuery q(database.connection());
            ASSERT_TRUE(
                q.exec(QStringLiteral("UPDATE MESA SET IDSTMESAAUX = '%1' WHERE NRMESA = '%2'")
                           .arg(QLatin1String(c.estadoAntes), mesa)));
        }
        const QString antes = estado(mesa);
        fakes.clear();
        tela().st.CupomPorNatureza = c.serieDestaMesa;
        tela().st.NrMesaEmRecebimento = c.serieDestaMesa ? mesa : QString();
        const Conta conta = contaDe(mesa);
        tela().evento([&] {
            tela().ChamaRecebimento("0001", conta.nrVendaRest, conta.lista, mesa, conta.nrComanda,
                                    "RES", "", 1);
        });
        if (*c.mensagem) {
            EXPECT_EQ(mensagens(), QStringList{msgPadrao().Msg(QString::fromLatin1(c.mensagem))});
            EXPECT_EQ(fakes.count(QStringLiteral("Recebimento")), 0);
            EXPECT_EQ(estado(mesa), antes) << "nothing written";
        } else {
            EXPECT_EQ(fakes.count(QStringLiteral("Recebimento")), 1)
                << mensagens().join('\n').toStdString();
            EXPECT_EQ(estado(mesa), "S") << "abandoned: handed back";
        }
        // Restore the demo's state for the next case.
        QSqlQuery q(database.connection());
        ASSERT_TRUE(q.exec(QStringLiteral("UPDATE MESA SET IDSTMESAAUX = '%1' WHERE NRMESA = '%2'")
                               .arg(antes == "S" && mesa == "0008" ? "P" : antes, mesa)));
    }
}

// The table is claimed in one conditional update: a second claim of the same table
// loses, and a table missing from the store is not claimed.
TEST_F(ReceiptFlow, TheClaimSucceedsForOneTillOnly) {
    QVariant r = setRecebeMesa(*dm_, "0001", "0001", "0009", "001");
    ASSERT_FALSE(isServiceFailure(r)) << serviceFailureMessage(r).toStdString();
    EXPECT_TRUE(r.toBool());
    EXPECT_FALSE(setRecebeMesa(*dm_, "0001", "0001", "0009", "001").toBool());
    EXPECT_FALSE(setRecebeMesa(*dm_, "0001", "0001", "0006", "001").toBool()) << "occupied";
    EXPECT_FALSE(setRecebeMesa(*dm_, "0001", "0001", "9876", "001").toBool());
    EXPECT_EQ(estado("0009"), "R");
    // The claim names its till: only that till takes it up again, and it is gone once the
    // table leaves "R".
    EXPECT_EQ(valor("SELECT CDCAIXARECEB FROM MESA WHERE NRMESA = '0009'").toString(), "001");
    EXPECT_FALSE(valor("SELECT DTHRRECEB FROM MESA WHERE NRMESA = '0009'").isNull());
    const struct {
        const char* caixa;
        const char* estado;
        bool retoma;
    } retomadas[] = {{"002", "R", false}, {"001", "R", true}, {"001", "S", false}};
    for (const auto& c : retomadas) {
        SCOPED_TRACE(std::string(c.caixa) + " " + c.estado);
        if (QLatin1String(c.estado) == QLatin1String("S")) {
            ASSERT_FALSE(isServiceFailure(setStatusMesa(*dm_, "0001", "0001", "0009", "S")));
            EXPECT_TRUE(valor("SELECT CDCAIXARECEB FROM MESA WHERE NRMESA = '0009'").isNull());
        }
        const QVariant retomou = setRetomaMesa(*dm_, "0001", "0001", "0009", c.caixa);
        ASSERT_FALSE(isServiceFailure(retomou)) << serviceFailureMessage(retomou).toStdString();
        EXPECT_EQ(retomou.toBool(), c.retoma);
        EXPECT_EQ(estado("0009"), c.estado);
    }
}

// Two tills touch the same bill-requested table at the same moment, round after round:
// each round exactly one of them claims it.
TEST_F(ReceiptFlow, TwoTillsClaimingOneTableTogetherNeverBothWin) {
    constexpr int kRodadas = 200;
    std::barrier inicio(3);
    std::barrier fim(3);
    std::array<QList<QVariant>, 2> respostas;
    const QString conexao = database.connectionText();
    const auto caixa = [&](int i) {
        TrdmGerMesa dm(QStringLiteral("caixa-%1").arg(i));
        dm.connectTo(conexao);
        for (int r = 0; r < kRodadas; ++r) {
            inicio.arrive_and_wait();
            respostas[i].append(
                setRecebeMesa(dm, "0001", "0001", "0009", QStringLiteral("00%1").arg(i + 1)));
            fim.arrive_and_wait();
        }
    };
    std::thread a(caixa, 0);
    std::thread b(caixa, 1);
    QSqlQuery q(database.connection());
    for (int r = 0; r < kRodadas; ++r) {
        q.exec("UPDATE MESA SET IDSTMESAAUX = 'S' WHERE NRMESA = '0009'");
        inicio.arrive_and_wait();
        fim.arrive_and_wait();
    }
    a.join();
    b.join();
    int vencedores[3] = {0, 0, 0};
    int falhas = 0;
    for (int r = 0; r < kRodadas; ++r) {
        int ganhos = 0;
        for (int i = 0; i < 2; ++i) {
            const QVariant v = respostas[i].value(r);
            if (isServiceFailure(v)) {
                ++falhas;
                ADD_FAILURE() << serviceFailureMessage(v).toStdString();
            }
            ganhos += v.toBool() ? 1 : 0;
        }
        ++vencedores[ganhos];
    }
    std::cout << "rounds " << kRodadas << ": one winner " << vencedores[1] << ", none "
              << vencedores[0] << ", both " << vencedores[2] << ", failures " << falhas << '\n';
    EXPECT_EQ(vencedores[1], kRodadas);
    EXPECT_EQ(estado("0009"), "R");
}

// The check of the stored sale: the sale is concluded once whatever the answers; four
// answers "N" end in the failure path, a message answer too.
TEST_F(ReceiptFlow, TheSaleIsConcludedOnceAndCheckedUpToFourTimes) {
    struct Caso {
        int esperasAteGravar; // -1: never stored
        int esperas;          // waits of two seconds
        bool concluida;
    };
    const Caso casos[] = {{0, 0, true}, {3, 3, true}, {-1, 4, false}};
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.esperasAteGravar);
        QSqlQuery q(database.connection());
        ASSERT_TRUE(q.exec(QStringLiteral("DELETE FROM VENDA WHERE NRSEQVENDA = '%1'").arg(kSeq)));
        ASSERT_TRUE(q.exec("UPDATE MESA SET IDSTMESAAUX = 'S' WHERE NRMESA = '0009'"));
        fakes.clear();
        fakes.sales.concluiFechamento.setCallback({});
        clock.aoEsperar = {};
        clock.esperas = 0;
        concluiVenda(c.esperasAteGravar);
        pagaNoDialogo();
        fakes.sales.limpaMesaGeral.setCallback([this](const QVariantList&) {
            QSqlQuery u(database.connection());
            u.exec("UPDATE MESA SET IDSTMESAAUX = 'D' WHERE NRMESA = '0009'");
            return QVariant();
        });
        recebe(QStringLiteral("0009"));
        EXPECT_EQ(fakes.count(QStringLiteral("setConcluiFechamento")), 1);
        EXPECT_EQ(fakes.count(QStringLiteral("LogControleAcess")), 1);
        EXPECT_EQ(clock.esperas, c.esperas);
        if (c.concluida) {
            EXPECT_EQ(fakes.count(QStringLiteral("setLimpaMesaGeral")), 1);
            EXPECT_EQ(fakes.last(QStringLiteral("setLimpaMesaGeral")).arg(0).toInt(), 0);
            EXPECT_EQ(fakes.count(QStringLiteral("AlteraVendaCan")), 0);
            EXPECT_EQ(estado("0009"), "D");
        } else {
            EXPECT_EQ(fakes.count(QStringLiteral("setLimpaMesaGeral")), 0);
            EXPECT_EQ(fakes.count(QStringLiteral("AlteraVendaCan")), 1) << "the sale is cancelled";
            EXPECT_EQ(estado("0009"), "S");
            EXPECT_TRUE(mensagens().join('\n').contains(
                msgPadrao().Msg(QStringLiteral("VENDA_N_GRAVADA")).section('%', 0, 0)));
        }
    }
}

// After a failure the stored sale is cancelled in full, or finished when its document is
// authorised; card transactions are undone only when they were not confirmed.
TEST_F(ReceiptFlow, AFailureCancelsInFullOrFinishesAnAuthorisedSale) {
    const QStringList aceita{
        QStringLiteral("chaveConsulta=CFe35261200000000000000590000000000011234567890"),
        QStringLiteral("timeStamp=20261208200000"),
        QStringLiteral("valorTotalCFe=10.00"),
        QStringLiteral("CPFCNPJValue="),
        QStringLiteral("assinaturaQRCODE=abc"),
        QStringLiteral(
            "arqxmlnfce=<CFe><nCFe>000123</nCFe><nserieSAT>900004019</nserieSAT></CFe>")};
    struct Caso {
        const char* nome;
        bool transmitida;
        QStringList resposta;
        bool atualizaFalha;
        // Expected.
        int alteraVendaCan;
        int tefDesfeito; // FinalizaTransTef(false)
        int tefConfirmado;
        const char* estado;
        const char* mensagem; // a key whose text is shown
    };
    const Caso casos[] = {
        {"recusada",
         false,
         {QStringLiteral("mensagem=SAT bloqueado")},
         false,
         1,
         1,
         0,
         "S",
         "VENDA_CANC"},
        {"sem nCFe",
         true,
         {QStringLiteral("arqxmlnfce=<CFe></CFe>")},
         false,
         1,
         1,
         0,
         "S",
         "VENDA_CANC"},
        {"aceita, registro falha", true, aceita, true, 0, 0, 1, "D", ""},
        {"aceita", true, aceita, false, 0, 0, 1, "D", ""},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.nome);
        QSqlQuery q(database.connection());
        ASSERT_TRUE(q.exec(QStringLiteral("DELETE FROM VENDA WHERE NRSEQVENDA = '%1'").arg(kSeq)));
        ASSERT_TRUE(q.exec("UPDATE MESA SET IDSTMESAAUX = 'S' WHERE NRMESA = '0009'"));
        tela().st.SistemaKovSat = true;
        tela().st.SistemaKovNfce = false;
        fakes.clear();
        concluiVenda(0);
        pagaNoDialogo(QStringLiteral("S"));
        fakes.dialogs.satOnline.setDefault(SatAnswer{c.transmitida, c.resposta});
        fakes.sales.atualizaVendaSat.setDefault(
            c.atualizaFalha ? serviceFailure(QStringLiteral("banco fora do ar")) : QVariant());
        fakes.sales.limpaMesaGeral.setCallback([this](const QVariantList&) {
            QSqlQuery u(database.connection());
            u.exec("UPDATE MESA SET IDSTMESAAUX = 'D' WHERE NRMESA = '0009'");
            return QVariant();
        });
        recebe(QStringLiteral("0009"));
        EXPECT_EQ(fakes.count(QStringLiteral("setConcluiFechamento")), 1);
        EXPECT_EQ(fakes.count(QStringLiteral("AlteraVendaCan")), c.alteraVendaCan);
        int desfeito = 0;
        int confirmado = 0;
        for (const RecordedCall& call : fakes.calls(QStringLiteral("FinalizaTransTef"))) {
            (call.arg(0).toBool() ? confirmado : desfeito)++;
        }
        EXPECT_EQ(desfeito, c.tefDesfeito);
        EXPECT_EQ(confirmado, c.tefConfirmado);
        EXPECT_EQ(estado("0009"), QString::fromLatin1(c.estado));
        if (*c.mensagem) {
            EXPECT_TRUE(mensagens().contains(msgPadrao().Msg(QString::fromLatin1(c.mensagem))))
                << mensagens().join('\n').toStdString();
        }
    }
}

// An abandoned dialog during a split ends the series: one dialog, the table back to "S".
TEST_F(ReceiptFlow, AnAbandonedCouponEndsTheSeriesAndHandsTheTableBack) {
    fakes.common.mensagem.setDefault(true); // one coupon per nature
    recebe(QStringLiteral("0009"));
    EXPECT_EQ(fakes.count(QStringLiteral("Recebimento")), 1);
    EXPECT_FALSE(tela().st.CupomPorNatureza);
    EXPECT_TRUE(tela().st.NrMesaEmRecebimento.isEmpty());
    EXPECT_EQ(estado("0009"), "S");
}

// A split series: each coupon is one sale; the earlier ones keep the table in "R", the
// last one settles it; the service charge of each nature is 10% of its items, the last
// one takes what is left of the account's charge.
TEST_F(ReceiptFlow, ASplitSeriesSellsEachNatureOnceAndSettlesAfterTheLast) {
    fakes.common.mensagem.setDefault(true);
    int n = 0;
    fakes.sales.concluiFechamento.setCallback([&](const QVariantList&) {
        QSqlQuery q(database.connection());
        const QString seq = QStringLiteral("%1").arg(++n, 15, 10, QLatin1Char('0'));
        q.exec(QStringLiteral("INSERT INTO VENDA (CDFILIAL, CDCAIXA, NRSEQVENDA, IDSITUVENDA) "
                              "VALUES ('0001', '001', '%1', 'O')")
                   .arg(seq));
        return ConclusionAnswer{seq, {QVariant(), "chave", "qr", "135"}};
    });
    QList<double> taxas;
    QList<int> itens;
    fakes.dialogs.recebimento.setDefault(
        PaymentAnswer{true, [&](RecebimentoArgs& a) {
                          a.cdsListaComanda->first();
                          taxas << a.cdsListaComanda->fieldByName("VRTXSERVICO").asFloat();
                          itens << a.cdsListaComanda->recordCount();
                      }});
    QList<int> modos;
    QStringList estados;
    fakes.sales.limpaMesaGeral.setCallback([&](const QVariantList& args) {
        modos << args.value(0).toInt();
        estados << estado("0009");
        return QVariant();
    });
    recebe(QStringLiteral("0009"));
    ASSERT_EQ(fakes.count(QStringLiteral("Recebimento")), 2)
        << mensagens().join('\n').toStdString();
    EXPECT_EQ(modos, (QList<int>{2, 0}));
    EXPECT_EQ(estados, (QStringList{"R", "R"})) << "kept by this till between the coupons";
    EXPECT_EQ(fakes.count(QStringLiteral("setConcluiFechamento")), 2);
    const QList<RecordedCall> conclusoes = fakes.calls(QStringLiteral("setConcluiFechamento"));
    EXPECT_EQ(conclusoes.at(0).arg(1).toList().value(33).toString(), "2");
    EXPECT_EQ(conclusoes.at(1).arg(1).toList().value(33).toString(), "");
    ASSERT_EQ(taxas.size(), 2);
    // The account's charge is split: the coupons add up to it exactly.
    const double conta =
        valor("SELECT SUM(VRCOMISVENDE) FROM COMANDAVEN C, VENDAREST V WHERE C.CDFILIAL = "
              "V.CDFILIAL AND C.NRVENDAREST = V.NRVENDAREST AND V.NRMESA = '0009'")
            .toDouble();
    EXPECT_NEAR(conta, 0.0, 0.001) << "nothing left after the last coupon";
    EXPECT_GT(taxas.at(0), 0.0);
}

// Joined tables split by nature: every pad carries the whole account's charge (as the
// closing stores it), the coupons together charge it exactly once, none more than is
// left, and nothing stays on any pad after the last one.
TEST_F(ReceiptFlow, JoinedTablesSplitByNatureChargeTheAccountsServiceOnce) {
    const QString somaDasComandas = QStringLiteral(
        "SELECT SUM(VRCOMISVENDE) FROM COMANDAVEN C, VENDAREST V WHERE C.CDFILIAL = "
        "V.CDFILIAL AND C.NRVENDAREST = V.NRVENDAREST AND V.NRMESA IN ('0012', '0013') AND "
        "V.DTHRFECHMESA IS NULL");
    for (const double conta : {100.0, 1.0}) { // 1,00 is less than the first nature's 10%
        SCOPED_TRACE(conta);
        fakes.clear();
        QSqlQuery q(database.connection());
        ASSERT_TRUE(q.exec("UPDATE MESA SET IDSTMESAAUX = 'S' WHERE NRMESA IN ('0012', '0013')"));
        ASSERT_TRUE(q.exec(QStringLiteral("UPDATE COMANDAVEN SET VRCOMISVENDE = %1 WHERE "
                                          "NRVENDAREST IN (SELECT NRVENDAREST FROM VENDAREST "
                                          "WHERE NRMESA IN ('0012', '0013') AND DTHRFECHMESA "
                                          "IS NULL)")
                               .arg(conta, 0, 'f', 2)));
        ASSERT_GT(valor(somaDasComandas).toDouble(), conta) << "more than one pad";
        fakes.common.mensagem.setDefault(true);
        int n = 0;
        fakes.sales.concluiFechamento.setCallback([&](const QVariantList&) {
            QSqlQuery ins(database.connection());
            const QString seq =
                QStringLiteral("%1%2").arg(conta > 50 ? 1 : 2).arg(++n, 14, 10, QLatin1Char('0'));
            ins.exec(QStringLiteral("INSERT INTO VENDA (CDFILIAL, CDCAIXA, NRSEQVENDA, "
                                    "IDSITUVENDA) VALUES ('0001', '001', '%1', 'O')")
                         .arg(seq));
            return ConclusionAnswer{seq, {QVariant(), "chave", "qr", "135"}};
        });
        QList<double> taxas;
        fakes.dialogs.recebimento.setDefault(
            PaymentAnswer{true, [&](RecebimentoArgs& a) {
                              a.cdsListaComanda->first();
                              taxas << a.cdsListaComanda->fieldByName("VRTXSERVICO").asFloat();
                          }});
        recebe(QStringLiteral("0012"));
        ASSERT_GE(taxas.size(), 2) << mensagens().join('\n').toStdString();
        double cobrado = 0;
        for (double t : taxas) {
            EXPECT_GE(t, 0.0);
            EXPECT_TRUE(conta < 50 || t > 0);
            cobrado += t;
        }
        EXPECT_NEAR(cobrado, conta, 0.001);
        EXPECT_NEAR(valor(somaDasComandas).toDouble(), 0.0, 0.001);
    }
}

// A product whose buttons name two natures belongs to one of them: each item of the table
// is sold by exactly one coupon of the series.
TEST_F(ReceiptFlow, AProductUnderTwoNaturesIsSoldOnceInASeries) {
    QSqlQuery q(database.connection());
    ASSERT_TRUE(q.exec(QStringLiteral("SELECT CDNATPRODUTO FROM ITMENUCONFTE WHERE CDIDENTBUTON = "
                                      "'10004'")) &&
                q.next());
    const QString propria = q.value(0).toString();
    ASSERT_TRUE(q.exec(QStringLiteral("SELECT MIN(CDNATPRODUTO) FROM ITMENUCONFTE WHERE "
                                      "CDIDENTBUTON = '20003'")) &&
                q.next());
    ASSERT_NE(q.value(0).toString(), propria) << "the demo's products of two natures";
    // Product 10004 also on a button of the other nature.
    ASSERT_TRUE(q.exec(QStringLiteral(
        "INSERT INTO ITMENUCONFTE (CDFILIAL, NRCONFTELA, IDTPBUTTON, NRBUTTONAUX, NRPGCONFTELA, "
        "NRBUTTON, DSBUTTON, CDIDENTBUTON, IDTPBUTONAUX, NRPGCONFTAUX, CDNATPRODUTO) "
        "SELECT CDFILIAL, NRCONFTELA, IDTPBUTTON, NRBUTTONAUX, NRPGCONFTELA, '99', DSBUTTON, "
        "'10004', IDTPBUTONAUX, NRPGCONFTAUX, CDNATPRODUTO FROM ITMENUCONFTE WHERE CDIDENTBUTON "
        "= '20003'")))
        << q.lastError().text().toStdString();

    fakes.common.mensagem.setDefault(true);
    int n = 0;
    fakes.sales.concluiFechamento.setCallback([&](const QVariantList&) {
        QSqlQuery v(database.connection());
        const QString seq = QStringLiteral("%1").arg(++n, 15, 10, QLatin1Char('0'));
        v.exec(QStringLiteral("INSERT INTO VENDA (CDFILIAL, CDCAIXA, NRSEQVENDA, IDSITUVENDA) "
                              "VALUES ('0001', '001', '%1', 'O')")
                   .arg(seq));
        return ConclusionAnswer{seq, {QVariant(), "chave", "qr", "135"}};
    });
    QStringList vendidos; // tab and item of every line of every coupon
    fakes.dialogs.recebimento.setDefault(
        PaymentAnswer{true, [&](RecebimentoArgs& a) {
                          ClientDataSet& c = *a.cdsListaComanda;
                          for (c.first(); !c.eof(); c.next()) {
                              vendidos << campo(c, "NRCOMANDA") + "/" + campo(c, "CDPRODUTO");
                          }
                      }});
    recebe(QStringLiteral("0009"));
    ASSERT_EQ(fakes.count(QStringLiteral("Recebimento")), 2)
        << mensagens().join('\n').toStdString();
    QStringList naConta;
    ASSERT_TRUE(q.exec(QStringLiteral(
        "SELECT I.NRCOMANDA, I.CDPRODUTO FROM ITCOMANDAVEN I, VENDAREST V WHERE I.CDFILIAL = "
        "V.CDFILIAL AND I.NRVENDAREST = V.NRVENDAREST AND V.NRMESA = '0009' AND "
        "I.IDSTPRCOMVEN NOT IN ('6', '7')")));
    while (q.next()) {
        naConta << q.value(0).toString().trimmed() + "/" + q.value(1).toString().trimmed();
    }
    naConta.sort();
    vendidos.sort();
    EXPECT_EQ(vendidos, naConta) << "each item once, across the coupons";
}

// The service charge of one nature: each amount truncated to cents, 10% of the total.
TEST_F(ReceiptFlow, TheServiceChargeOfANatureIsTenPercentOfItsItemsTruncated) {
    struct Caso {
        QList<QVariantList> itens; // quantity, price, unit extra, discount, surcharge
        double total;
    };
    const Caso casos[] = {
        {{{1.0, 45.0, 0.0, 0.0, 0.0}}, 45.0},
        {{{3.0, 15.0, 0.0, 0.0, 0.0}}, 45.0},
        {{{2.0, 10.999, 0.0, 1.005, 0.0}, {1.0, 3.333, 0.0, 0.0, 0.019}}, 20.98 + 3.34},
    };
    for (const Caso& c : casos) {
        ClientDataSet itens(QStringLiteral("itens"));
        DataPacket p;
        p.fields = {{"QTPRODCOMVEN", FieldType::Float, 0},
                    {"VRPRECCOMVEN", FieldType::Float, 0},
                    {"VRUNITVENDCL", FieldType::Float, 0},
                    {"VRDESCCOMVEN", FieldType::Float, 0},
                    {"VRACRCOMVEN", FieldType::Float, 0}};
        p.rows = c.itens;
        itens.setData(p);
        EXPECT_NEAR(TfrmGerMesa::totalNatureza(itens), c.total, 1e-9);
    }
    EXPECT_NEAR(Trunc2(45.0 * 10 / 100.0), 4.50, 1e-9);
}

// The pick-up password restarts only when it passes the maximum as a number.
TEST_F(ReceiptFlow, ThePasswordRestartsAboveTheMaximumAsANumber) {
    struct Caso {
        const char* senha;
        const char* maximo;
        bool reinicia;
    };
    for (const Caso c :
         {Caso{"100", "99", true}, Caso{"1000", "999", true}, Caso{"990", "999", false},
          Caso{"999", "999", false}, Caso{"", "999", false}, Caso{"12a", "999", false}}) {
        EXPECT_EQ(TfrmGerMesa::senhaAcimaDoMaximo(c.senha, c.maximo), c.reinicia)
            << c.senha << " " << c.maximo;
    }
}

// The SAT's answer: its number and serial from their elements; without them a clear error.
TEST_F(ReceiptFlow, TheSatAnswerGivesItsNumberAndSerialOrAClearError) {
    struct Caso {
        const char* xml;
        const char* numero; // nullptr: an error
        const char* serie;
    };
    const Caso casos[] = {
        {"<CFe><ide><nCFe>000123</nCFe><nserieSAT>900004019</nserieSAT></ide></CFe>", "000123",
         "900004019"},
        {"<CFe><ide><nserieSAT>900004019</nserieSAT></ide></CFe>", nullptr, nullptr},
        {"<CFe><ide><nCFe>000123</nCFe></ide></CFe>", nullptr, nullptr},
        {"", nullptr, nullptr},
    };
    for (const Caso& c : casos) {
        QString numero = "antes";
        QString serie = "antes";
        if (c.numero) {
            TfrmGerMesa::leDocumentoSat(QString::fromLatin1(c.xml), numero, serie);
            EXPECT_EQ(numero, c.numero);
            EXPECT_EQ(serie, c.serie);
        } else {
            EXPECT_THROW(TfrmGerMesa::leDocumentoSat(QString::fromLatin1(c.xml), numero, serie),
                         AppError);
            EXPECT_EQ(numero, "antes");
        }
    }
}

// App payments become payment lines: 30,00 + 20,50 give 50,50; the brand is compared as
// a value (a quote in it is an ordinary character); an unknown type is an error.
TEST_F(ReceiptFlow, AppPaymentsBecomeThePaymentLinesOfTheSale) {
    DataPacket tipos;
    tipos.fields = {{"CDTIPORECE", FieldType::Text, 3}, {"NMTIPORECE", FieldType::Text, 30},
                    {"IDTIPORECE", FieldType::Text, 1}, {"CDTIPOTROCO", FieldType::Text, 3},
                    {"NRORDTROCO", FieldType::Text, 3}, {"DSIMPFISCAL", FieldType::Text, 20},
                    {"CDFPIMPFIS", FieldType::Text, 3}, {"CDBANCARTCR", FieldType::Text, 10}};
    tipos.rows = {{"001", "Dinheiro", "4", "001", "1", "DINHEIRO", "01", ""},
                  {"002", "Credito Visa", "1", "001", "1", "CARTAO", "03", "VISA"},
                  {"003", "Debito D'Or", "2", "001", "1", "CARTAO", "04", "D'OR"},
                  {"009", "App", "1", "001", "1", "APP", "05", ""}};
    tela().cdsConfTipoRece.setData(tipos);
    DataPacket mob;
    mob.fields = {{"CDTIPORECE", FieldType::Text, 3},   {"DSBANDEIRA", FieldType::Text, 30},
                  {"CDFILIAL", FieldType::Text, 4},     {"CDNSUTEFMOB", FieldType::Text, 20},
                  {"VRMOV", FieldType::Float, 0},       {"DTHRINCMOV", FieldType::DateTime, 0},
                  {"NRCARTBANCO", FieldType::Text, 20}, {"TXPRIMVIATEF", FieldType::Text, 0},
                  {"TXSEGVIATEF", FieldType::Text, 0},  {"NRAUTORIZATEF", FieldType::Text, 20}};
    struct Caso {
        const char* tipoApp;
        const char* bandeira;
        const char* tipoLinha; // expected CDTIPORECE of the line
        const char* tipoOrig;  // expected CDTIPORECEORIG
        const char* bandeiraLinha;
    };
    const Caso casos[] = {
        {"009", "", "009", "009", ""},
        {"009", "  VISA  ", "002", "009", "VISA"},
        {"009", "D'OR", "003", "009", "D'OR"},
        {"009", "MASTERCARD", "009", "", "MASTERCARD"},
        {"009", "VISA ELECTRON X", "009", "", "VISA ELECT"},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.bandeira);
        mob.rows = {{c.tipoApp, c.bandeira, "0001", "NSU1", 30.0, QDateTime(), "", "", "", "A1"},
                    {c.tipoApp, c.bandeira, "0001", "NSU2", 20.5, QDateTime(), "", "", "", "A2"}};
        tela().cdsMovCaixaMob.setData(mob);
        double total = -1;
        tela().InserePagamentoMobile(total);
        EXPECT_DOUBLE_EQ(total, 50.5);
        ClientDataSet& mc = tela().cdsMovCaixa;
        ASSERT_EQ(mc.recordCount(), 2);
        mc.first();
        EXPECT_EQ(mc.fieldByName("DSMOVIVEND").asString(), "PAGAMENTO MOBILE");
        EXPECT_EQ(mc.fieldByName("CDTIPORECE").asString(), c.tipoLinha);
        EXPECT_EQ(mc.fieldByName("CDTIPORECEORIG").asString(), c.tipoOrig);
        EXPECT_EQ(mc.fieldByName("CDBANCARTCR").asString(), c.bandeiraLinha);
        EXPECT_EQ(mc.fieldByName("IDTIPOMOVIVE").asString(), "E");
        EXPECT_EQ(mc.fieldByName("CDNSUHOSTTEF").asString(), "NSU1");
    }
    mob.rows = {{"077", "", "0001", "NSU1", 30.0, QDateTime(), "", "", "", "A1"}};
    tela().cdsMovCaixaMob.setData(mob);
    double total = 0;
    EXPECT_THROW(tela().InserePagamentoMobile(total), AppError);
}

} // namespace
} // namespace tmk::test
