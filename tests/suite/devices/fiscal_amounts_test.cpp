#include "platform/errors.h"
#include "suite/devices/fiscal_amounts.h"
#include "suite/devices/fiscal_sale.h"
#include "tests/suite/devices/fiscal_samples.h"
#include "tests/suite/print_qstring.h"

#include <functional>
#include <gtest/gtest.h>

namespace tmk {
namespace {

TEST(FiscalAmounts, PtBrTexts) {
    struct Case {
        qint64 cents;
        const char* reais;
        const char* xml;
    };
    for (const Case c :
         {Case{0, "R$ 0,00", "0.00"}, Case{5, "R$ 0,05", "0.05"},
          Case{123450, "R$ 1.234,50", "1234.50"}, Case{123456789, "R$ 1.234.567,89", "1234567.89"},
          Case{-250, "R$ -2,50", "-2.50"}}) {
        EXPECT_EQ(reais(c.cents), QString::fromUtf8(c.reais));
        EXPECT_EQ(xmlAmount(c.cents), QString::fromLatin1(c.xml));
    }
    EXPECT_EQ(brDateTime(QDateTime(QDate(2026, 12, 8), QTime(14, 5, 9))), "08/12/2026 14:05:09");
    EXPECT_EQ(brQuantity(2), "2");
    EXPECT_EQ(brQuantity(0.455), "0,455");
    EXPECT_EQ(brQuantity(1.5), "1,5");
    EXPECT_EQ(xmlDecimal(0.455, 4), "0.4550");
    EXPECT_EQ(xmlDecimal(2, 2), "2.00");
}

TEST(FiscalAmounts, CentsWithoutBinaryNoise) {
    EXPECT_EQ(toCents(0.1 + 0.2), 30);
    EXPECT_EQ(toCents(2.675), 268);
    EXPECT_EQ(toCents(89.90 * 2), 17980);
    qint64 sum = 0;
    for (int i = 0; i < 1000; ++i) {
        sum += toCents(0.01);
    }
    EXPECT_EQ(sum, 1000);
}

TEST(FiscalAmounts, AmountTextsEitherWay) {
    struct Case {
        const char* text;
        bool ok;
        double value;
    };
    for (const Case c :
         {Case{"12.34", true, 12.34}, Case{"12,34", true, 12.34}, Case{"1.234,50", true, 1234.5},
          Case{"7", true, 7}, Case{" 3,5 ", true, 3.5}, Case{"", false, 0}, Case{"12a", false, 0},
          Case{"1,2,3", false, 0}, Case{"R$ 5", false, 0}}) {
        bool ok = !c.ok;
        EXPECT_DOUBLE_EQ(parseAmountText(QString::fromLatin1(c.text), &ok), c.value) << c.text;
        EXPECT_EQ(ok, c.ok) << c.text;
    }
}

TEST(FiscalSaleTotals, SampleSaleAddsUp) {
    const FiscalTotals t = fiscalTotals(devices_test::sampleSale());
    EXPECT_EQ(t.produtos, 27455);
    EXPECT_EQ(t.descontos, 250);
    EXPECT_EQ(t.taxaServico, 2720);
    EXPECT_EQ(t.couvert, 3000);
    EXPECT_EQ(t.total, 29925);
    EXPECT_EQ(t.pago, 35000);
    EXPECT_EQ(t.troco, 5075);
    EXPECT_EQ(t.tributos, 7122);
    EXPECT_EQ(t.quantidadeItens, 4);
    EXPECT_NO_THROW(validateFiscalSale(devices_test::sampleSale()));
}

TEST(FiscalSaleTotals, FaultsOfASaleAreNamed) {
    struct Case {
        const char* fault;
        std::function<void(FiscalSale&)> spoil;
    };
    const QList<Case> cases = {
        {"CNPJ",
         [](FiscalSale& s) {
             s.emitente.cnpj = "12345678000196";
         }},
        {"código IBGE",
         [](FiscalSale& s) {
             s.emitente.codigoUf = "S";
         }},
        {"sigla da UF",
         [](FiscalSale& s) {
             s.emitente.siglaUf = "sp";
         }},
        {"ambiente",
         [](FiscalSale& s) {
             s.emitente.ambiente = "3";
         }},
        {"nenhum item",
         [](FiscalSale& s) {
             s.itens.clear();
         }},
        {"quantidade",
         [](FiscalSale& s) {
             s.itens[0].quantidade = 0;
         }},
        {"valor negativo",
         [](FiscalSale& s) {
             s.itens[1].valorUnitario = -1;
         }},
        {"diferente de",
         [](FiscalSale& s) {
             s.itens[0].valorTotal = 170;
         }},
        {"sem código",
         [](FiscalSale& s) {
             s.itens[0].descricao = " ";
         }},
        {"nenhum pagamento",
         [](FiscalSale& s) {
             s.pagamentos.clear();
         }},
        {"pagamento",
         [](FiscalSale& s) {
             s.pagamentos[1].valor = 0;
         }},
        {"não conferem",
         [](FiscalSale& s) {
             s.troco = 50.00;
         }},
        {"troco negativo",
         [](FiscalSale& s) {
             s.troco = -1;
         }},
        {"CPF",
         [](FiscalSale& s) {
             s.cpfConsumidor = "12345678901";
         }},
    };
    for (const Case& c : cases) {
        FiscalSale s = devices_test::sampleSale();
        c.spoil(s);
        try {
            validateFiscalSale(s);
            ADD_FAILURE() << c.fault << " accepted";
        } catch (const AppError& e) {
            EXPECT_TRUE(e.message().startsWith("Venda inválida para o documento fiscal:"))
                << e.message().toStdString();
            EXPECT_TRUE(e.message().contains(QString::fromUtf8(c.fault)))
                << c.fault << ": " << e.message().toStdString();
        }
    }
}

} // namespace
} // namespace tmk
