#pragma once

#include <array>

// What the demo store's database and the demo till's local files share: the store's
// keys, its people, its products and the access codes of the till.
namespace tmk::demo {

inline constexpr char kFilial[] = "0001";
inline constexpr char kEmpresa[] = "0001";
inline constexpr char kLoja[] = "0001";
inline constexpr char kCaixa[] = "001";
// The store's tills, each with the day's cash opening; a till folder is prepared for the
// first one unless another is named.
inline constexpr std::array<const char*, 2> kCaixas{"001", "002"};
inline constexpr char kConfTela[] = "01";
inline constexpr char kMesaPadrao[] = "9999";
inline constexpr int kMinutosSemConsumo = 30;
// The SAT activation code of the till; the files hold it only enciphered.
inline constexpr char kCodigoAtivacaoSat[] = "DEMO-SAT-7391";
// The cash float of the day's opening.
inline constexpr double kFundoDeCaixa = 200.0;

// Access codes of the guarded commands (the parameter file's ct... columns and the
// CDACESSO of the access rights).
enum AccessCode : int {
    ctAbrirGaveta = 101,
    ctCancItemGen = 102,
    ctParcCont = 103,
    ctCancComanda = 104,
    ctAltNrPessoa = 105,
    ctLiberarMesa = 106,
    ctConsultaPreco = 107,
    ctTrocaOperador = 108,
};

struct Operator {
    const char* code;
    const char* name;
    const char* password;
    bool supervisor;
};

// The first operator is the one signed in at the till.
inline constexpr std::array<Operator, 3> kOperators{{
    {"0001", "Ana Lima", "1111", false},
    {"0002", "Bruno Costa", "2222", false},
    {"0099", "Gerente", "4321", true},
}};

struct AccessRight {
    const char* operatorCode;
    int accessCode;
    const char* allowed; // "S" or "N"
};

// Everything not listed is allowed. The second operator may not cancel items or
// openings nor release tables; the supervisor may authorise those.
inline constexpr std::array<AccessRight, 8> kAccessRights{{
    {"0001", ctCancItemGen, "S"},
    {"0001", ctCancComanda, "S"},
    {"0002", ctCancItemGen, "N"},
    {"0002", ctCancComanda, "N"},
    {"0002", ctLiberarMesa, "N"},
    {"0099", ctCancItemGen, "S"},
    {"0099", ctCancComanda, "S"},
    {"0099", ctLiberarMesa, "S"},
}};

struct Waiter {
    const char* code;
    const char* shortName;
    const char* name;
    const char* password; // kept enciphered in the cadastre (VENDEDOR.CDSENHAVEN)
};

inline constexpr std::array<Waiter, 3> kWaiters{{
    {"001", "Carlos", "Carlos Andrade", "1010"},
    {"002", "Marina", "Marina Souza", "2020"},
    {"003", "Pedro", "Pedro Alves", "3030"},
}};

struct Client {
    const char* code;
    const char* name;
    const char* tradeName;
    const char* taxId;      // CNPJ, empty for the walk-in client
    const char* personKind; // "F" person, "J" company
};

// The first client is the default one of the sales parameters.
inline constexpr std::array<Client, 2> kClients{{
    {"000001", "Consumidor Final", "Consumidor Final", "", "F"},
    {"000002", "Empresa Parceira Ltda", "Parceira", "11222333000181", "J"},
}};

struct Consumer {
    const char* client;
    const char* code;
    const char* name;
    const char* cpf;
    const char* email;
    double dailyLimit;
    double monthlyLimit;
};

inline constexpr std::array<Consumer, 2> kConsumers{{
    {"000002", "0000000001", "João Pereira", "52998224725", "joao.pereira@exemplo.com.br", 80.0,
     1200.0},
    {"000002", "0000000002", "Maria Oliveira", "11144477735", "maria.oliveira@exemplo.com.br", 60.0,
     900.0},
}};

// Tax kinds of the products (IMPOSTO) and the fiscal printer's rates.
struct Tax {
    const char* code;
    const char* name;
    const char* kind; // IDTPIMPOSFIS: "T" ICMS, "S" ISS, "F" substitution, "I" exempt
    double rate;
    const char* printerCode; // the fiscal printer's rate register (kPrinterRates)
};

inline constexpr std::array<Tax, 4> kTaxes{{
    {"ICMS18", "ICMS 18%", "T", 18.0, "01"},
    {"ISS05", "ISS 5%", "S", 5.0, "03"},
    {"ICMSST", "ICMS substituição tributária", "F", 0.0, "F1"},
    {"ISENTO", "Isento de ICMS", "I", 0.0, "I1"},
}};

// The rate registers of the till's fiscal printer (IDALIQIMPFIS, VRALIQIMPFIS,
// CDALIQIMPFIS).
struct PrinterRate {
    const char* kind;
    double rate;
    const char* code;
    const char* description;
};

inline constexpr std::array<PrinterRate, 6> kPrinterRates{{
    {"T", 18.0, "01", "ICMS 18%"},
    {"T", 12.0, "02", "ICMS 12%"},
    {"S", 5.0, "03", "ISS 5%"},
    {"F", 0.0, "F1", "Substituição tributária"},
    {"I", 0.0, "I1", "Isento"},
    {"N", 0.0, "N1", "Não tributado"},
}};

// Receipt types of the till (CDTIPORECE, NMTIPORECE, IDTIPORECE: "1" credit card,
// "2" debit card, "4" cash, "9" consumer credit; card types name their brand).
struct ReceiptType {
    const char* code;
    const char* name;
    const char* kind;
    const char* fiscalName; // DSIMPFISCAL
    const char* fiscalCode; // CDFPIMPFIS
    const char* brand;      // CDBANCARTCR
    const char* order;      // NRORDTROCO
};

inline constexpr char kTipoReceDinheiro[] = "001";
// The receipt type the mobile app records its payments with (a card payment; the
// brand it names selects the card type of the till).
inline constexpr char kTipoReceAplicativo[] = "010";

inline constexpr std::array<ReceiptType, 9> kReceiptTypes{{
    {kTipoReceDinheiro, "Dinheiro", "4", "Dinheiro", "01", "", "1"},
    {"002", "Crédito Visa", "1", "Cartao Credito", "03", "VISA", "2"},
    {"003", "Crédito Mastercard", "1", "Cartao Credito", "03", "MASTERCARD", "3"},
    {"004", "Crédito Elo", "1", "Cartao Credito", "03", "ELO", "4"},
    {"005", "Débito Visa", "2", "Cartao Debito", "04", "VISA", "5"},
    {"006", "Débito Mastercard", "2", "Cartao Debito", "04", "MASTERCARD", "6"},
    {"007", "Débito Elo", "2", "Cartao Debito", "04", "ELO", "7"},
    {"008", "Crédito do consumidor", "9", "Credito Loja", "05", "", "8"},
    {kTipoReceAplicativo, "Pagamento pelo aplicativo", "1", "Cartao Credito", "03", "", "9"},
}};

// The service-charge rate of the till, percent.
inline constexpr double kTaxaServico = 10.0;

inline constexpr char kNaturezaAlimentos[] = "01";
inline constexpr char kNaturezaBebidas[] = "02";

struct Product {
    const char* code;
    const char* name;
    const char* fiscalName;
    const char* unit;
    const char* nature; // CDNATPRODUTO of its button
    const char* tax;    // CDIMPOSTO
    const char* ncm;
    double price;
    bool serviceCharge; // IDCOBTXSERV
    // The approximate federal and state tax burden printed on the coupon (percent of the
    // price; VRPETRIBFED, VRPETRIBEST). A service (the cover charge) pays no state tax.
    double federalTaxes;
    double stateTaxes;
};

inline constexpr char kProdutoConsumacao[] = "90001";
inline constexpr char kProdutoConsumacaoFeminina[] = "90002";
inline constexpr char kProdutoCouvert[] = "90003";

inline constexpr std::array<Product, 15> kProducts{{
    {"10001", "Picanha na chapa", "PICANHA NA CHAPA", "UN", kNaturezaAlimentos, "ICMS18",
     "02013000", 89.90, true, 13.45, 18.00},
    {"10002", "Filé de frango grelhado", "FILE DE FRANGO", "UN", kNaturezaAlimentos, "ICMS18",
     "02071400", 45.00, true, 13.45, 18.00},
    {"10003", "Risoto de cogumelos", "RISOTO COGUMELOS", "UN", kNaturezaAlimentos, "ICMS18",
     "19041000", 52.50, true, 13.45, 18.00},
    {"10004", "Salada Caesar", "SALADA CAESAR", "UN", kNaturezaAlimentos, "ICMS18", "21069090",
     32.00, true, 13.45, 18.00},
    {"10005", "Batata frita (porção)", "BATATA FRITA PORCAO", "POR", kNaturezaAlimentos, "ICMS18",
     "20041000", 28.00, true, 13.45, 18.00},
    {"10006", "Pudim de leite", "PUDIM DE LEITE", "UN", kNaturezaAlimentos, "ICMS18", "19019090",
     14.50, true, 13.45, 18.00},
    {"20001", "Refrigerante lata", "REFRIGERANTE LATA", "UN", kNaturezaBebidas, "ICMSST",
     "22021000", 7.00, true, 19.95, 20.00},
    {"20002", "Suco de laranja", "SUCO DE LARANJA", "UN", kNaturezaBebidas, "ICMSST", "20091200",
     10.50, true, 13.45, 18.00},
    {"20003", "Água mineral", "AGUA MINERAL", "UN", kNaturezaBebidas, "ISENTO", "22011000", 5.00,
     true, 9.25, 18.00},
    {"20004", "Cerveja long neck", "CERVEJA LONG NECK", "UN", kNaturezaBebidas, "ICMSST",
     "22030000", 12.00, true, 27.45, 25.00},
    {"20005", "Caipirinha", "CAIPIRINHA", "UN", kNaturezaBebidas, "ICMSST", "22089000", 22.00, true,
     27.45, 25.00},
    {"20006", "Café expresso", "CAFE EXPRESSO", "UN", kNaturezaBebidas, "ICMSST", "09012100", 6.00,
     true, 13.45, 18.00},
    {kProdutoConsumacao, "Consumação mínima", "CONSUMACAO", "UN", kNaturezaAlimentos, "ICMS18",
     "21069090", 50.00, false, 13.45, 18.00},
    {kProdutoConsumacaoFeminina, "Consumação feminina", "CONSUMACAO FEM", "UN", kNaturezaAlimentos,
     "ICMS18", "21069090", 40.00, false, 13.45, 18.00},
    {kProdutoCouvert, "Couvert artístico", "COUVERT ARTISTICO", "UN", kNaturezaAlimentos, "ISS05",
     "00000000", 15.00, false, 13.45, 0.00},
}};

// The entries of the catalogue by code; AppError for an unknown code.
const Product& product(const char* code);
const Tax& tax(const char* code);
const ReceiptType& receiptType(const char* code);

} // namespace tmk::demo
