#include "suite/devices/sale_packets.h"
#include "tests/suite/print_qstring.h"

#include <gtest/gtest.h>

namespace tmk {
namespace {

DataPacket items() {
    DataPacket p;
    p.fields = {{"CDFILIAL", FieldType::Text, 4},      {"NRMESA", FieldType::Text, 4},
                {"CDPRODUTO", FieldType::Text, 20},    {"NMPRODUTO", FieldType::Text, 60},
                {"SGUNIDADE", FieldType::Text, 4},     {"CDCLASFISC", FieldType::Text, 10},
                {"QTPRODCOMVEN", FieldType::Float, 0}, {"VRPRECCOMVEN", FieldType::Float, 0},
                {"VRUNITVENDCL", FieldType::Float, 0}, {"VRDESCCOMVEN", FieldType::Float, 0},
                {"VRACRCOMVEN", FieldType::Float, 0},  {"IDTPIMPOSFIS", FieldType::Text, 1},
                {"VRPEALIMPFIS", FieldType::Float, 0}, {"IDCONFIGPROD", FieldType::Text, 3},
                {"VRTXSERVICO", FieldType::Float, 0},  {"NRINSCRCONS", FieldType::Text, 20}};
    p.rows << QVariantList{"0001", "0007",     "10001", "PICANHA NA CHAPA",
                           "UN",   "02013000", 2.0,     89.90,
                           0.0,    0.0,        0.0,     "T",
                           18.0,   " ",        27.20,   QString()};
    p.rows << QVariantList{"0001", "0007", "30010", "SALADA", "KG", "",  0.455, 59.90,
                           0.0,    0.0,    0.0,     "T",      18.0, " ", 27.20, "529.982.247-25"};
    p.rows << QVariantList{"0001", "0007", "90003", "COUVERT", "",  "",    2.0,   10.0,
                           5.0,    2.5,    1.0,     "S",       5.0, "CAR", 27.20, QString()};
    return p;
}

DataPacket payments(bool withChangeRow) {
    DataPacket p;
    p.fields = {{"IDTIPOMOVIVE", FieldType::Text, 1}, {"NMTIPORECE", FieldType::Text, 60},
                {"IDTIPORECE", FieldType::Text, 1},   {"VRMOVIVEND", FieldType::Float, 0},
                {"NMBANDTEF", FieldType::Text, 40},   {"CDBANCARTCR", FieldType::Text, 10},
                {"CDNSUTEF", FieldType::Text, 40},    {"NRAUTORIZATEF", FieldType::Text, 40}};
    p.rows << QVariantList{"E", "Crédito Visa", "1", 100.0, "", "VISA", "000017", "654321"};
    p.rows << QVariantList{"E", "Dinheiro", "4", 200.0, "", "", "", ""};
    if (withChangeRow) {
        p.rows << QVariantList{"S", "Troco", "4", 3.0, "", "", "", ""};
    }
    return p;
}

TEST(SalePackets, ItemsPaymentsAndChangeFromTheAccountPackets) {
    const FiscalSale s = fiscalSaleFromPackets(items(), payments(false));
    ASSERT_EQ(s.itens.size(), 3);
    EXPECT_EQ(s.cdFilial, "0001");
    EXPECT_EQ(s.mesa, "0007");
    EXPECT_EQ(s.itens[0].codigo, "10001");
    EXPECT_DOUBLE_EQ(s.itens[0].valorTotal, 179.80);
    EXPECT_EQ(s.itens[0].ncm, "02013000");
    EXPECT_DOUBLE_EQ(s.itens[1].valorTotal, 27.25) << "0,455 x 59,90 truncated to the cent";
    EXPECT_EQ(s.itens[1].unidade, "KG");
    EXPECT_EQ(s.itens[2].unidade, "UN") << "no unit: one unit";
    EXPECT_DOUBLE_EQ(s.itens[2].valorUnitario, 15.0) << "price plus its complement";
    EXPECT_DOUBLE_EQ(s.itens[2].valorTotal, 30.0);
    EXPECT_DOUBLE_EQ(s.itens[2].desconto, 2.5);
    EXPECT_DOUBLE_EQ(s.itens[2].acrescimo, 1.0);
    EXPECT_TRUE(s.itens[2].couvert);
    EXPECT_FALSE(s.itens[0].couvert);
    EXPECT_DOUBLE_EQ(s.taxaServico, 27.20);
    EXPECT_EQ(s.cpfConsumidor, "52998224725");
    ASSERT_EQ(s.pagamentos.size(), 2);
    EXPECT_EQ(s.pagamentos[0].tipo, FiscalPaymentKind::CartaoCredito);
    EXPECT_EQ(s.pagamentos[0].bandeira, "VISA");
    EXPECT_EQ(s.pagamentos[0].nsu, "000017");
    EXPECT_EQ(s.pagamentos[1].tipo, FiscalPaymentKind::Dinheiro);
    // 179,80 + 27,25 + 30,00 - 2,50 + 1,00 + 27,20 = 262,75; paid 300,00.
    EXPECT_EQ(fiscalTotals(s).total, 26275);
    EXPECT_DOUBLE_EQ(s.troco, 37.25);
}

TEST(SalePackets, ChangeRowsAreTakenAsWritten) {
    const FiscalSale s = fiscalSaleFromPackets(items(), payments(true));
    EXPECT_EQ(s.pagamentos.size(), 2) << "a change row is no payment";
    EXPECT_DOUBLE_EQ(s.troco, 3.0);
}

TEST(SalePackets, PaymentKindsOfTheTillsReceiptTypes) {
    struct Case {
        const char* idTipoRece;
        FiscalPaymentKind kind;
        const char* code;
    };
    for (const Case c : {Case{"1", FiscalPaymentKind::CartaoCredito, "03"},
                         Case{"2", FiscalPaymentKind::CartaoDebito, "04"},
                         Case{"4", FiscalPaymentKind::Dinheiro, "01"},
                         Case{"9", FiscalPaymentKind::CreditoLoja, "05"},
                         Case{"7", FiscalPaymentKind::Outros, "99"}}) {
        EXPECT_EQ(paymentKindFromReceiptType(c.idTipoRece), c.kind) << c.idTipoRece;
        EXPECT_EQ(paymentKindCode(c.kind), c.code);
        EXPECT_EQ(paymentKindFromCode(c.code), c.kind);
    }
}

TEST(SalePackets, EmptyPacketsGiveAnEmptySale) {
    const FiscalSale s = fiscalSaleFromPackets({}, {});
    EXPECT_TRUE(s.itens.isEmpty());
    EXPECT_TRUE(s.pagamentos.isEmpty());
    EXPECT_DOUBLE_EQ(s.troco, 0);
    EXPECT_TRUE(packetOf(QVariant(QStringLiteral("not a packet"))).fields.isEmpty());
}

} // namespace
} // namespace tmk
