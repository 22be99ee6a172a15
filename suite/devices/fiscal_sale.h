#pragma once

#include <QDateTime>
#include <QList>
#include <QString>

namespace tmk {

// The store that issues a fiscal document.
struct FiscalIssuer {
    QString cnpj;     // 14 digits
    QString nome;     // the store's name as printed; may be empty
    QString codigoUf; // IBGE code of the state, 2 digits ("35")
    QString siglaUf;  // state letters ("SP")
    QString ambiente; // "1" production, "2" homologation (no fiscal value)
};

// One line of a sale. valorTotal is quantity x unit price truncated to the cent; the
// discount and the surcharge of the line come on top of it.
struct FiscalItem {
    QString codigo;
    QString descricao;
    QString unidade = QStringLiteral("UN");
    QString ncm; // empty: not classified
    double quantidade = 0;
    double valorUnitario = 0;
    double valorTotal = 0;
    double desconto = 0;
    double acrescimo = 0;
    QString tipoImposto;  // IDTPIMPOSFIS: "T" ICMS, "S" ISS, "F" substitution, "I" exempt, "N"
    double aliquota = 0;  // percent
    bool couvert = false; // the cover charge of the table
};

// How a payment was made.
enum class FiscalPaymentKind { Dinheiro, CartaoCredito, CartaoDebito, CreditoLoja, Outros };

struct FiscalPayment {
    FiscalPaymentKind tipo = FiscalPaymentKind::Dinheiro;
    QString descricao; // as the till names it ("Crédito Visa")
    double valor = 0;
    // Card payments.
    QString bandeira; // "VISA"
    QString nsu;
    QString autorizacao;
    QString cartao; // masked number
};

// A sale as the fiscal devices document it: the NFC-e emitter, the SAT and the
// printouts all take this description.
struct FiscalSale {
    FiscalIssuer emitente;
    QString cdFilial;
    QString cdCaixa;
    QString nrSeqVenda;
    QString serie;         // NFC-e series (0 to 999)
    QDateTime dataEmissao; // invalid: the device's clock at emission
    QList<FiscalItem> itens;
    double taxaServico = 0;
    QList<FiscalPayment> pagamentos;
    double troco = 0;
    QString cpfConsumidor;       // the consumer's CPF (11 digits) or CNPJ (14), or empty
    double tributosFederais = 0; // approximate taxes of the sale
    double tributosEstaduais = 0;
    QString senha; // pick-up password; may be empty
    QString mesa;  // table; may be empty
};

// The totals of a sale, in cents.
struct FiscalTotals {
    qint64 produtos = 0; // sum of the lines' valorTotal
    qint64 descontos = 0;
    qint64 acrescimos = 0;
    qint64 couvert = 0; // part of produtos that is the cover charge
    qint64 taxaServico = 0;
    qint64 total = 0; // produtos - descontos + acrescimos + taxaServico
    qint64 pago = 0;  // sum of the payments
    qint64 troco = 0;
    qint64 tributos = 0; // approximate taxes, federal and state
    int quantidadeItens = 0;
};

FiscalTotals fiscalTotals(const FiscalSale& sale);

// Checks what every fiscal document needs; AppError naming the first fault in
// Portuguese: issuer's CNPJ (14 digits with valid check digits), state code and
// letters, environment "1" or "2", at least one item, each with code, description,
// quantity above zero, no negative value and a total within one cent of quantity x
// unit price; at least one payment, each above zero; change not negative; payments
// minus change equal to the total; the consumer's CPF or CNPJ valid when given.
void validateFiscalSale(const FiscalSale& sale);

// The text of a payment kind for the NFC-e and CF-e tPag/cMP fields ("01" cash, "03"
// credit card, "04" debit card, "05" store credit, "99" other) and back.
QString paymentKindCode(FiscalPaymentKind kind);
FiscalPaymentKind paymentKindFromCode(const QString& code);
// The kind of a till receipt type IDTIPORECE ("1" credit, "2" debit, "4" cash, "9"
// consumer credit, anything else other).
FiscalPaymentKind paymentKindFromReceiptType(const QString& idTipoRece);
// "Dinheiro", "Cartão de Crédito", ...
QString paymentKindName(FiscalPaymentKind kind);

} // namespace tmk
