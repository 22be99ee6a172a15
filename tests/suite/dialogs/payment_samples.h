#pragma once

// Accounts, receipt types and app payments for the payment dialog's tests.

#include "platform/data_packet.h"

namespace tmk::dialogs_test {

// Table 0007's coupon: 2 Picanha 89,90, 3 Refrigerante 7,00, the cover charge 15,00
// ("CAR"), the minimum consumption 50,00 ("CON") and a tab discount of 10,00; service
// charge 25,58.
//   items 200,80 + couvert 15,00 + consumação 50,00 - discount 10,00 = 255,80;
//   total 281,38.
inline DataPacket contaMesa7() {
    DataPacket p;
    p.fields = {{"NRPRODCOMVEN", FieldType::Text, 10}, {"CDFILIAL", FieldType::Text, 4},
                {"NRCOMANDA", FieldType::Text, 10},    {"CDPRODUTO", FieldType::Text, 20},
                {"NMPRODUTO", FieldType::Text, 60},    {"QTPRODCOMVEN", FieldType::Float, 0},
                {"VRPRECCOMVEN", FieldType::Float, 0}, {"VRUNITVENDCL", FieldType::Float, 0},
                {"VRDESCCOMVEN", FieldType::Float, 0}, {"VRACRCOMVEN", FieldType::Float, 0},
                {"IDTPIMPOSFIS", FieldType::Text, 2},  {"VRPEALIMPFIS", FieldType::Float, 0},
                {"IDCONFIGPROD", FieldType::Text, 3},  {"VRTXSERVICO", FieldType::Float, 0},
                {"VRDESCOMANDA", FieldType::Float, 0}, {"NRMESA", FieldType::Text, 4},
                {"CDCLASFISC", FieldType::Text, 10}};
    const auto row = [](const char* nr, const char* produto, const char* nome, double qt,
                        double preco, const char* tipo, double aliq, const char* conf) {
        return QVariantList{nr,  "0001", "000101", produto, nome,  qt,    preco,  0.0,       0.0,
                            0.0, tipo,   aliq,     conf,    25.58, 10.00, "0007", "21069090"};
    };
    p.rows << row("000001", "10001", "PICANHA NA CHAPA", 2, 89.90, "T", 18, " ")
           << row("000002", "20001", "REFRIGERANTE LATA", 3, 7.00, "F", 0, " ")
           << row("000003", "90003", "COUVERT ARTISTICO", 1, 15.00, "S", 5, "CAR")
           << row("000004", "90001", "CONSUMACAO MINIMA", 1, 50.00, "T", 18, "CON");
    return p;
}

inline constexpr double kTotalMesa7 = 281.38;

// The till's receipt types: cash (change in cash), credit and debit cards of three
// brands, and the app's type (a card type without a brand).
inline DataPacket tiposRecebimento() {
    DataPacket p;
    p.fields = {{"CDTIPORECE", FieldType::Text, 10}, {"NMTIPORECE", FieldType::Text, 60},
                {"IDTIPORECE", FieldType::Text, 1},  {"CDTIPOTROCO", FieldType::Text, 10},
                {"NRORDTROCO", FieldType::Text, 4},  {"DSIMPFISCAL", FieldType::Text, 30},
                {"CDFPIMPFIS", FieldType::Text, 10}, {"CDBANCARTCR", FieldType::Text, 10}};
    const auto row = [](const char* cd, const char* nome, const char* tipo, const char* marca) {
        return QVariantList{cd, nome, tipo, "001", "1", "FP", "01", marca};
    };
    p.rows << row("001", "Dinheiro", "4", "") << row("002", "Crédito Visa", "1", "VISA")
           << row("003", "Crédito Mastercard", "1", "MASTERCARD")
           << row("004", "Crédito Elo", "1", "ELO") << row("005", "Débito Visa", "2", "VISA")
           << row("006", "Débito Mastercard", "2", "MASTERCARD")
           << row("007", "Débito Elo", "2", "ELO") << row("008", "Crédito do consumidor", "9", "")
           << row("010", "Pagamento pelo aplicativo", "1", "");
    return p;
}

// A payment made in the app, as the flow puts it into cdsMovCaixa before the dialog.
inline DataPacket pagamentoAplicativo(double valor) {
    DataPacket p;
    p.fields = {{"CDFILIAL", FieldType::Text, 4},     {"CDNSUHOSTTEF", FieldType::Text, 40},
                {"VRMOVIVEND", FieldType::Float, 0},  {"IDTIPOMOVIVE", FieldType::Text, 1},
                {"CDTIPORECE", FieldType::Text, 10},  {"NMTIPORECE", FieldType::Text, 60},
                {"IDTIPORECE", FieldType::Text, 1},   {"DSMOVIVEND", FieldType::Text, 60},
                {"CDBANCARTCR", FieldType::Text, 10}, {"NRAUTORIZATEF", FieldType::Text, 40}};
    p.rows << QVariantList{"0001", "480001",           valor,  "E",     "002", "Crédito Visa",
                           "1",    "PAGAMENTO MOBILE", "VISA", "A07311"};
    return p;
}

} // namespace tmk::dialogs_test
