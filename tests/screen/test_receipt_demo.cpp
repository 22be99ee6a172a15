// The demo store's bill-requested tables received at the screen through the suite's own
// libraries: the payment dialog played, the sale stored once with its NFC-e, the DANFE
// and card receipts printed, the table freed; an abandoned payment and a failed
// conclusion hand the table back whole.
#include "screen/view/ger_mesa_view.h"
#include "suite/devices/tef_terminal.h"
#include "tests/screen/receipt_fixture.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <gtest/gtest.h>

namespace tmk::test {
namespace {

class DemoReceiptAtTheScreen : public ReceiptOnDemo {};

// Table 07: bill requested, the whole table paid in the app: the payment dialog only
// confirms. Table 09: paid in cash at the till.
TEST_F(DemoReceiptAtTheScreen, BillRequestedTablesAreReceivedConcludedOnceAndFreed) {
    struct Caso {
        const char* mesa;
        const char* pagamento;   // what the dialog's script does
        int movimentosEsperados; // MOVCAIXA rows of the sale
    };
    const Caso casos[] = {{"0007", "app", 1}, {"0009", "dinheiro", 1}};
    abre(true);
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.mesa);
        const QString mesa = QString::fromLatin1(c.mesa);
        ASSERT_EQ(estado(mesa), "S");
        const int vendasAntes = contagem("SELECT COUNT(*) FROM VENDA");
        const int danfesAntes = int(impressoes("NFCe").size());
        dialogs_->script = [&](QDialog& d) {
            if (QLatin1String(c.pagamento) == QLatin1String("app")) {
                clica(d, QStringLiteral("btnConcluir"));
            } else {
                pagaEmDinheiro(d);
            }
        };
        recebe(mesa);
        EXPECT_EQ(contagem("SELECT COUNT(*) FROM VENDA"), vendasAntes + 1) << "one sale";
        const QString seq =
            valor("SELECT MAX(NRSEQVENDA) FROM VENDA WHERE IDSITUVENDA = 'O'").toString();
        EXPECT_EQ(valor(QStringLiteral("SELECT NRMESA FROM VENDA WHERE NRSEQVENDA = '%1'").arg(seq))
                      .toString(),
                  mesa);
        EXPECT_EQ(valor(QStringLiteral("SELECT COUNT(*) FROM MOVCAIXA WHERE NRSEQVENDA = '%1' AND "
                                       "IDTIPOMOVIVE = 'E'")
                            .arg(seq))
                      .toInt(),
                  c.movimentosEsperados);
        EXPECT_EQ(valor(QStringLiteral("SELECT COUNT(*) FROM LOGCONTROLEACESSO WHERE "
                                       "CDOPERACAO = 'REC_CON' AND NRMESA = '%1'")
                            .arg(mesa))
                      .toInt(),
                  1);
        const QString chave =
            valor(QStringLiteral("SELECT NRACESSONFCE FROM VENDA WHERE NRSEQVENDA = '%1'").arg(seq))
                .toString();
        EXPECT_EQ(chave.size(), 44);
        EXPECT_EQ(int(impressoes("NFCe").size()), danfesAntes + 1) << "the DANFE was printed";
        EXPECT_EQ(estado(mesa), "D") << "the table is free";
        EXPECT_EQ(tela().st.RetNrMesa, mesa);
        QStringList vistas = mensagens();
        vistas.removeAll(msgPadrao().Msg(QStringLiteral("NAT_PROD")));
        EXPECT_TRUE(vistas.isEmpty()) << vistas.join('\n').toStdString();
    }
    // The map shows the tables free after the refresh.
    EXPECT_EQ(tela().cdsStatusMesas.locate(QStringLiteral("NRMESA"), QStringLiteral("0007")), true);
    EXPECT_EQ(tela().cdsStatusMesas.fieldByName(QStringLiteral("IDSTMESAAUX")).asString(), "D");
    // TMK_PICTURES=folder: the map after the receipts, as the operator sees it.
    const QString pasta = qEnvironmentVariable("TMK_PICTURES");
    if (!pasta.isEmpty()) {
        TfrmGerMesaView janela(tela());
        janela.show();
        EXPECT_TRUE(janela.grab().save(QDir(pasta).filePath(QStringLiteral("mapa-recebido.png"))));
    }
}

// Table 07's whole-table app payment touched on the strip: received as a touch on the map
// receives it, the payment taken into the sale, and gone from the strip at the next refresh.
TEST_F(DemoReceiptAtTheScreen, AWholeTablePaidInTheAppIsReceivedFromTheStrip) {
    abre(true);
    const auto botaoDaMesa7 = [this]() {
        for (int n = 1; n <= ScreenModel::AppPaidButtons; ++n) {
            const AppPaidButtonModel& b = tela().model.sbtMesaAPP[size_t(n - 1)];
            if (b.visible && QString(b.caption).simplified().remove(QLatin1Char(' ')) ==
                                 QLatin1String("Mesa7")) {
                return n;
            }
        }
        return 0;
    };
    tela().evento([this] { tela().DisparaAtualizacao(); });
    const int botao = botaoDaMesa7();
    ASSERT_GT(botao, 0) << "the strip shows table 7";
    ASSERT_EQ(estado(QStringLiteral("0007")), "S");
    const char* pendentes = "SELECT COUNT(*) FROM MOVCAIXAMOB WHERE NRMESA = '0007' AND "
                            "(NRSEQVENDA IS NULL OR NRSEQVENDA = '')";
    ASSERT_GT(contagem(pendentes), 0);
    dialogs_->script = [&](QDialog& d) {
        clica(d, QStringLiteral("btnConcluir"));
    };
    tela().evento([&] { tela().sbtMesaAPP1Click(ScreenModel::appPaidButtonName(botao)); });
    EXPECT_EQ(estado(QStringLiteral("0007")), "D") << "the table is free";
    EXPECT_EQ(contagem("SELECT COUNT(*) FROM VENDA WHERE IDSITUVENDA = 'O' AND NRMESA = '0007'"),
              1);
    EXPECT_EQ(contagem(pendentes), 0) << "the payment is tied to the sale";
    tela().evento([this] { tela().DisparaAtualizacao(); });
    EXPECT_EQ(botaoDaMesa7(), 0) << "and leaves the strip";
    EXPECT_TRUE(tela().st.NrMesaApp.isEmpty());
}

// Table 08 (its bill requested, stored as "P") paid by credit card and cash: the card transaction
// is confirmed and its receipts printed beside the DANFE.
TEST_F(DemoReceiptAtTheScreen, ACardPaymentIsConfirmedAndItsReceiptsPrinted) {
    abre(true);
    dialogs_->script = [](QDialog& d) {
        for (const char* key : {"btn1", "btn0", "btn0"}) {
            clica(d, QString::fromLatin1(key));
        }
        clica(d, QStringLiteral("btnTipo002")); // 100,00 on the credit card
        clica(d, QStringLiteral("btnTipo001")); // the rest in cash
        clica(d, QStringLiteral("btnConcluir"));
    };
    recebe(QStringLiteral("0008"));
    EXPECT_EQ(estado(QStringLiteral("0008")), "D")
        << mensagens().join(QLatin1Char('\n')).toStdString();
    EXPECT_EQ(impressoes("CartaoTEF").size(), 1);
    EXPECT_EQ(impressoes("NFCe").size(), 1);
    EXPECT_TRUE(SimulatedTef().pendentes().isEmpty()) << "confirmed";
    EXPECT_EQ(
        contagem("SELECT COUNT(*) FROM MOVCAIXA WHERE CDNSUTEF IS NOT NULL AND CDNSUTEF <> ''"), 1);
}

// The operator abandons the payment: with "Não" only the table goes back; with "Sim" the
// consumption is also recorded as a cancelled sale. Nothing else is written.
TEST_F(DemoReceiptAtTheScreen, AnAbandonedPaymentPutsTheTableBackWhole) {
    struct Caso {
        int escolha; // 0 "Sim" (cancel the sale too), 1 "Não"
        int canceladas;
    };
    abre(true);
    int canceladasAntes = contagem("SELECT COUNT(*) FROM VENDA WHERE IDSITUVENDA = 'C'");
    for (const Caso c : {Caso{1, 0}, Caso{0, 1}}) {
        SCOPED_TRACE(c.escolha);
        const int itens = contagem("SELECT COUNT(*) FROM ITCOMANDAVEN WHERE NRSEQVENDA IS NULL");
        dialogs_->escolha = c.escolha;
        dialogs_->script = [](QDialog& d) {
            clica(d, QStringLiteral("btnCancelar"));
        };
        recebe(QStringLiteral("0009"));
        EXPECT_EQ(estado(QStringLiteral("0009")), "S");
        EXPECT_EQ(
            contagem("SELECT COUNT(*) FROM VENDA WHERE IDSITUVENDA = 'O' AND NRMESA = '0009'"), 0);
        EXPECT_EQ(contagem("SELECT COUNT(*) FROM VENDA WHERE IDSITUVENDA = 'C'"),
                  canceladasAntes + c.canceladas);
        canceladasAntes += c.canceladas;
        EXPECT_EQ(contagem("SELECT COUNT(*) FROM ITCOMANDAVEN WHERE NRSEQVENDA IS NULL"), itens);
        EXPECT_FALSE(tela().st.CupomPorNatureza);
    }
}

// The NFC-e in contingency, or rejected: the operator is told, the sale is cancelled, the
// app payment is released and the table is back to bill requested; received again
// afterwards, it concludes one new sale.
TEST_F(DemoReceiptAtTheScreen, AFailedNfceCancelsTheSaleAndTheTableCanBeReceivedAgain) {
    for (const char* resposta : {"CONTINGENCIA", "REJEITADA"}) {
        SCOPED_TRACE(resposta);
        QDir().mkpath(QDir(till_.path()).filePath(QStringLiteral("Dispositivos")));
        QSettings ini(QDir(till_.path()).filePath(QStringLiteral("Dispositivos/NFCe.ini")),
                      QSettings::IniFormat);
        ini.setValue(QStringLiteral("NFCe/Resposta"), QString::fromLatin1(resposta));
        ini.sync();
        abre(true);
        dialogs_->script = [](QDialog& d) {
            clica(d, QStringLiteral("btnConcluir"));
        };
        recebe(QStringLiteral("0007"));
        EXPECT_EQ(estado(QStringLiteral("0007")), "S");
        EXPECT_EQ(
            contagem("SELECT COUNT(*) FROM VENDA WHERE IDSITUVENDA = 'O' AND NRMESA = '0007'"), 0);
        EXPECT_FALSE(mensagens().isEmpty());
        EXPECT_EQ(contagem("SELECT COUNT(*) FROM MOVCAIXAMOB WHERE NRSEQVENDA IS NOT NULL AND "
                           "NRSEQVENDA <> ''"),
                  0)
            << "the app payment is free again";
    }
    QFile::remove(QDir(till_.path()).filePath(QStringLiteral("Dispositivos/NFCe.ini")));
    abre(true);
    dialogs_->script = [](QDialog& d) {
        clica(d, QStringLiteral("btnConcluir"));
    };
    recebe(QStringLiteral("0007"));
    EXPECT_EQ(estado(QStringLiteral("0007")), "D");
    EXPECT_EQ(contagem("SELECT COUNT(*) FROM VENDA WHERE IDSITUVENDA = 'O' AND NRMESA = '0007'"),
              1);
}

// A table being received at another till, and one whose bill was not requested, are
// refused without anything written.
TEST_F(DemoReceiptAtTheScreen, TablesNotReadyToBeReceivedAreRefused) {
    abre(true);
    const int vendas = contagem("SELECT COUNT(*) FROM VENDA");
    recebe(QStringLiteral("0010")); // "R"
    ASSERT_FALSE(mensagens().isEmpty());
    EXPECT_EQ(mensagens().last(), msgPadrao().Msg(QStringLiteral("Mesa_Rec")));
    EXPECT_EQ(estado(QStringLiteral("0010")), "R");
    EXPECT_EQ(contagem("SELECT COUNT(*) FROM VENDA"), vendas);
}

} // namespace
} // namespace tmk::test
