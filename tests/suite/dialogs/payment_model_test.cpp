#include "platform/client_dataset.h"
#include "platform/errors.h"
#include "suite/devices/fiscal_amounts.h"
#include "suite/devices/tef_terminal.h"
#include "suite/dialogs/payment_model.h"
#include "tests/suite/devices/till_folder_fixture.h"
#include "tests/suite/dialogs/payment_samples.h"
#include "tests/suite/print_qstring.h"

namespace tmk {
namespace {

using dialogs_test::contaMesa7;
using dialogs_test::pagamentoAplicativo;
using dialogs_test::tiposRecebimento;

class Payment : public devices_test::TillFolderTest {
protected:
    PaymentModel model(const DataPacket& app = {}) {
        return PaymentModel({contaMesa7(), tiposRecebimento(), app, "000001", ""}, &tef,
                            [] { return QDateTime(QDate(2026, 12, 8), QTime(14, 5)); });
    }
    void declineCards() {
        write("Dispositivos/TEF.ini", "[TEF]\nResposta=NEGAR\nMotivo=SALDO INSUFICIENTE\n");
    }
    int pending() const { return int(tef.pendentes().size()); }
    QString column(const DataPacket& p, int row, const char* name) const {
        return p.value(row, QString::fromLatin1(name)).toString();
    }

    SimulatedTef tef;
};

TEST_F(Payment, TheAmountDueIsWhatTheCouponComesTo) {
    const PaymentModel m = model();
    const AccountAmounts& a = m.conta().amounts;
    EXPECT_EQ(a.itens, 20080);
    EXPECT_EQ(a.couvert, 1500);
    EXPECT_EQ(a.consumacao, 5000);
    EXPECT_EQ(a.descontos, 1000);
    EXPECT_EQ(a.taxaServico, 2558);
    EXPECT_EQ(m.total(), toCents(dialogs_test::kTotalMesa7));
    EXPECT_EQ(m.falta(), m.total());
    EXPECT_FALSE(m.quitado());
    // Cash and the card types with a brand; neither consumer credit nor the app's type.
    QStringList tipos;
    for (const PaymentType& t : m.tipos()) {
        tipos << t.cdTipoRece;
    }
    EXPECT_EQ(tipos, QStringList({"001", "002", "003", "004", "005", "006", "007"}));
}

TEST_F(Payment, AppPaymentsAreListedAndDeducted) {
    PaymentModel m = model(pagamentoAplicativo(100.00));
    ASSERT_EQ(m.linhas().size(), 1);
    EXPECT_TRUE(m.linhas()[0].aplicativo);
    EXPECT_EQ(m.pagoAplicativo(), 10000);
    EXPECT_EQ(m.falta(), 28138 - 10000);
    EXPECT_THROW(m.remover(0), AppError);
    ASSERT_TRUE(m.pagar("001", "").aceito);
    EXPECT_TRUE(m.quitado());
    const DataPacket p = m.pagamentosPacket();
    ASSERT_EQ(p.rowCount(), 2);
    EXPECT_EQ(column(p, 0, "DSMOVIVEND"), "PAGAMENTO MOBILE") << "the app's row as it came";
    EXPECT_EQ(column(p, 0, "CDNSUHOSTTEF"), "480001");
    EXPECT_DOUBLE_EQ(p.value(1, "VRMOVIVEND").toDouble(), 181.38);
}

TEST_F(Payment, CashExactAndWithChange) {
    struct Case {
        const char* typed;
        qint64 troco;
        int rows;
    };
    for (const Case& c : {Case{"281,38", 0, 1}, Case{"300", 1862, 2}, Case{"", 0, 1}}) {
        PaymentModel m = model();
        ASSERT_TRUE(m.pagar("001", QString::fromLatin1(c.typed)).aceito) << c.typed;
        EXPECT_TRUE(m.quitado()) << c.typed;
        EXPECT_EQ(m.troco(), c.troco) << c.typed;
        ClientDataSet cds(QStringLiteral("cdsMovCaixa"));
        m.preencher(cds);
        ASSERT_EQ(cds.recordCount(), c.rows) << c.typed;
        const DataPacket p = cds.data();
        EXPECT_EQ(column(p, 0, "IDTIPOMOVIVE"), "E");
        EXPECT_EQ(column(p, 0, "IDTIPORECE"), "4");
        EXPECT_EQ(column(p, 0, "CDTIPORECE"), "001");
        EXPECT_EQ(column(p, 0, "CDCLIENTE"), "000001");
        EXPECT_EQ(column(p, 0, "CDFILIAL"), "0001");
        EXPECT_FALSE(p.value(0, "DTMOVIMCAIXA").isNull());
        if (c.troco > 0) {
            EXPECT_EQ(column(p, 1, "IDTIPOMOVIVE"), "S");
            EXPECT_EQ(column(p, 1, "DSMOVIVEND"), "TROCO");
            EXPECT_EQ(column(p, 1, "CDTIPORECE"), "001");
            EXPECT_DOUBLE_EQ(p.value(1, "VRMOVIVEND").toDouble(), 18.62);
            EXPECT_EQ(cds.recNo(), 1) << "the cursor on the payment, not on the change";
        }
        EXPECT_EQ(pending(), 0);
    }
}

TEST_F(Payment, ACardIsAuthorisedByTheTef) {
    PaymentModel m = model();
    ASSERT_TRUE(m.pagar("002", "").aceito);
    EXPECT_TRUE(m.quitado());
    EXPECT_TRUE(m.usouCartao());
    ASSERT_EQ(pending(), 1);
    const TefTransaction t = tef.pendentes().first();
    EXPECT_EQ(t.bandeira, "VISA");
    EXPECT_EQ(t.tipo, TefCardKind::Credito);
    EXPECT_DOUBLE_EQ(t.valor, dialogs_test::kTotalMesa7);
    const DataPacket p = m.pagamentosPacket();
    ASSERT_EQ(p.rowCount(), 1);
    EXPECT_EQ(column(p, 0, "CDNSUTEF"), t.nsu);
    EXPECT_EQ(column(p, 0, "CDNSUHOSTTEF"), t.nsu);
    EXPECT_EQ(column(p, 0, "NRAUTORIZATEF"), t.autorizacao);
    EXPECT_EQ(column(p, 0, "NMBANDTEF"), "VISA");
    EXPECT_EQ(column(p, 0, "IDTIPORECE"), "1");
    EXPECT_TRUE(column(p, 0, "TXPRIMVIATEF").contains("VIA DO CLIENTE"));
    EXPECT_THROW(m.remover(0), AppError) << "a card is undone by abandoning, not removed";
}

TEST_F(Payment, TwoCardsPayOneCoupon) {
    PaymentModel m = model();
    ASSERT_TRUE(m.pagar("003", "100,00").aceito);
    EXPECT_EQ(m.falta(), 18138);
    ASSERT_TRUE(m.pagar("005", "").aceito);
    EXPECT_TRUE(m.quitado());
    EXPECT_EQ(pending(), 2);
    const DataPacket p = m.pagamentosPacket();
    EXPECT_EQ(column(p, 0, "NMBANDTEF"), "MASTERCARD");
    EXPECT_EQ(column(p, 1, "IDTIPORECE"), "2");
    EXPECT_DOUBLE_EQ(p.value(1, "VRMOVIVEND").toDouble(), 181.38);
}

TEST_F(Payment, ADeclinedCardAfterCashKeepsTheCashAndLeavesNothingPending) {
    PaymentModel m = model();
    ASSERT_TRUE(m.pagar("001", "100").aceito);
    declineCards();
    const PaymentModel::Outcome o = m.pagar("002", "");
    EXPECT_FALSE(o.aceito);
    EXPECT_EQ(o.mensagem, "Cartão recusado: SALDO INSUFICIENTE");
    ASSERT_EQ(m.linhas().size(), 1);
    EXPECT_EQ(m.linhas()[0].valor, 10000);
    EXPECT_EQ(m.falta(), 18138);
    EXPECT_EQ(pending(), 0);
    EXPECT_FALSE(m.usouCartao());
}

TEST_F(Payment, AbandoningUndoesTheCardsOfTheDialog) {
    PaymentModel m = model(pagamentoAplicativo(50.00));
    ASSERT_TRUE(m.pagar("002", "100").aceito);
    ASSERT_TRUE(m.pagar("001", "20").aceito);
    ASSERT_EQ(pending(), 1);
    EXPECT_EQ(m.abandonar(), 1);
    EXPECT_EQ(pending(), 0);
    EXPECT_EQ(tef.transacoes().last().situacao, TefTransaction::State::Desfeita);
    ASSERT_EQ(m.linhas().size(), 1) << "only the app's payment is left";
    EXPECT_TRUE(m.linhas()[0].aplicativo);
}

TEST_F(Payment, BadInputIsRefusedInPortugueseAndTakesNothing) {
    struct Case {
        const char* tipo;
        const char* valor;
        const char* message;
    };
    const Case cases[] = {
        {"001", "0", "O valor do pagamento deve ser maior que zero."},
        {"001", "0,00", "O valor do pagamento deve ser maior que zero."},
        {"001", "-5", "O valor do pagamento deve ser maior que zero."},
        {"001", "12a", "Valor inválido: \"12a\". Informe o valor em reais, por exemplo 12,50."},
        {"001", "doze", "Valor inválido: \"doze\""},
        {"001", "12,345", "Valor inválido"},
        {"001", "1,2,3", "Valor inválido"},
        {"001", "99999999999", "Valor acima do limite de um pagamento (R$ 999.999,99)."},
        {"002", "300",
         "O valor no cartão (R$ 300,00) não pode passar do que falta pagar (R$ 281,38)."},
        {"008", "10", "Forma de pagamento 008 não disponível neste caixa."},
        {"999", "10", "Forma de pagamento 999 não disponível neste caixa."},
    };
    PaymentModel m = model();
    for (const Case& c : cases) {
        try {
            m.pagar(QString::fromLatin1(c.tipo), QString::fromUtf8(c.valor));
            ADD_FAILURE() << c.valor << " was taken";
        } catch (const AppError& e) {
            EXPECT_TRUE(e.message().startsWith(QString::fromUtf8(c.message)))
                << c.valor << ": " << e.message().toStdString();
        }
    }
    EXPECT_TRUE(m.linhas().isEmpty());
    EXPECT_EQ(pending(), 0);
    ASSERT_TRUE(m.pagar("001", "").aceito);
    try {
        m.pagar("001", "1");
        ADD_FAILURE() << "a paid account took more";
    } catch (const AppError& e) {
        EXPECT_EQ(e.message(), "A conta já está paga.");
    }
}

TEST_F(Payment, AmountsAreReadAsTheOperatorTypesThem) {
    struct Case {
        const char* text;
        qint64 cents;
    };
    for (const Case& c :
         {Case{"12", 1200}, Case{"12,5", 1250}, Case{"12,50", 1250}, Case{"12.50", 1250},
          Case{" 7,05 ", 705}, Case{"1.234,50", 123450}, Case{"1.234", 123400}, Case{"0,01", 1}}) {
        EXPECT_EQ(PaymentModel::valorDigitado(QString::fromLatin1(c.text)), c.cents) << c.text;
    }
}

TEST_F(Payment, AMalformedTefSwitchTakesNoCard) {
    write("Dispositivos/TEF.ini", "[TEF]\nResposta=TALVEZ\n");
    PaymentModel m = model();
    try {
        m.pagar("002", "");
        ADD_FAILURE() << "a card was taken";
    } catch (const AppError& e) {
        EXPECT_TRUE(e.message().contains("TEF.ini")) << e.message().toStdString();
    }
    EXPECT_TRUE(m.linhas().isEmpty());
    EXPECT_EQ(pending(), 0);
}

TEST_F(Payment, OnlyCashTakenHereCanBeRemoved) {
    PaymentModel m = model();
    ASSERT_TRUE(m.pagar("001", "50").aceito);
    ASSERT_TRUE(m.pagar("001", "20").aceito);
    m.remover(0);
    ASSERT_EQ(m.linhas().size(), 1);
    EXPECT_EQ(m.linhas()[0].valor, 2000);
    EXPECT_THROW(m.remover(3), AppError);
}

TEST_F(Payment, WithoutTefNoCardIsTaken) {
    PaymentModel m({contaMesa7(), tiposRecebimento(), {}, "", ""}, nullptr);
    EXPECT_THROW(m.pagar("002", ""), AppError);
    EXPECT_TRUE(m.pagar("001", "").aceito);
}

TEST(PaymentAccount, AnAccountThatCannotBeValuedIsRefused) {
    DataPacket p = contaMesa7();
    p.rows[0][p.fieldIndex("QTPRODCOMVEN")] = -1.0;
    EXPECT_THROW(PaymentModel({p, tiposRecebimento(), {}, "", ""}, nullptr), AppError);
    DataPacket desconto = contaMesa7();
    for (QVariantList& row : desconto.rows) {
        row[desconto.fieldIndex("VRDESCOMANDA")] = 1000.0;
    }
    EXPECT_THROW(PaymentModel({desconto, tiposRecebimento(), {}, "", ""}, nullptr), AppError);
}

} // namespace
} // namespace tmk
