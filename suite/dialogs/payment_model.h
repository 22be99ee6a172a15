#pragma once

#include "platform/data_packet.h"
#include "suite/devices/fiscal_sale.h"
#include "suite/devices/tef_terminal.h"
#include "suite/sales/account_amounts.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <functional>

namespace tmk {

class ClientDataSet;
class SimulatedFiscalPrinter;

// A receipt type of the till (a row of cdsConfTipoRece) the payment dialog offers.
struct PaymentType {
    enum class Kind { Dinheiro, Credito, Debito };
    Kind kind = Kind::Dinheiro;
    QString cdTipoRece;
    QString nmTipoRece;
    QString idTipoRece; // "4" cash, "1" credit card, "2" debit card
    QString cdTipoTroco;
    QString nrOrdTroco;
    QString dsImpFiscal;
    QString cdFpImpFis;
    QString bandeira; // CDBANCARTCR: the brand a card type charges
};

// One payment of the coupon.
struct PaymentLine {
    QString cdTipoRece;
    QString nmTipoRece;
    QString idTipoRece;
    qint64 valor = 0;           // cents
    bool aplicativo = false;    // paid in the app before the dialog (kept as it came)
    bool cartao = false;        // approved by the TEF in this dialog
    TefTransaction transacao;   // card payments
    QVariantList linhaOriginal; // app payments: their row of cdsMovCaixa
};

// What the payment dialog does, without a window: the amount due of the coupon's items
// (account_amounts.h: items, cover charge, minimum consumption, service charge,
// discounts), the payments made in the app before it (the rows cdsMovCaixa holds on
// entry), and the payments taken here: cash with change, credit and debit cards
// through the TEF (approved or declined), as many as needed. It completes only when
// the amount due is paid, and writes the payment lines into cdsMovCaixa.
//
// Receipt types offered: cash (IDTIPORECE "4") and the card types ("1" credit, "2"
// debit) that name the brand they charge (CDBANCARTCR); a card type without a brand is
// the app's and is not taken at the till.
class PaymentModel {
public:
    struct Setup {
        DataPacket itens;            // cdsListaComanda
        DataPacket tiposRecebimento; // cdsConfTipoRece
        DataPacket pagamentos;       // cdsMovCaixa on entry: the app payments
        QString cdCliente;
        QString cdConsumidor;
    };
    using Clock = std::function<QDateTime()>;

    // AppError for an account that cannot be valued (account_amounts.h). tef may be null
    // when the till takes no card; the clock stamps the payments (machine's by default).
    PaymentModel(const Setup& setup, TefTerminal* tef, Clock clock = {});

    const AccountLines& conta() const { return conta_; }
    const QList<PaymentType>& tipos() const { return tipos_; }
    const QList<PaymentLine>& linhas() const { return linhas_; }
    const PaymentType* tipo(const QString& cdTipoRece) const;

    qint64 total() const { return conta_.amounts.total(); }
    qint64 pagoAplicativo() const;
    qint64 pago() const;  // every payment, the app's included
    qint64 falta() const; // what is still due
    qint64 troco() const; // the change, in cash
    bool quitado() const { return falta() == 0; }
    bool usouCartao() const;

    // The result of a payment: taken, or declined by the card network with its reason.
    struct Outcome {
        bool aceito = false;
        QString mensagem;
    };
    // Takes a payment of a receipt type. An empty amount means what is still due. Bad
    // input throws AppError in Portuguese and takes nothing: an unknown type, an amount
    // that is not money ("12,50"), zero or negative, above the limit, a card above what
    // is due, anything when nothing is due. A declined card takes nothing either and
    // leaves no transaction pending; a TEF that cannot work (malformed switch file,
    // journal that cannot be written) throws AppError.
    Outcome pagar(const QString& cdTipoRece, const QString& valorTexto);
    // Removes a cash payment taken here; AppError for an app or card payment (a card is
    // undone only by abandoning the receipt) or a line that does not exist.
    void remover(int linha);
    // Abandoning the receipt: undoes the card transactions approved here (the TEF
    // journal's pending transactions) and drops the payments taken; returns how many
    // transactions were undone.
    int abandonar();

    // The payment lines as cdsMovCaixa holds them (the columns of MOVCAIXA the flow and
    // the sales service read): the app's rows as they came, then one row per payment
    // taken, then the change as its own row (IDTIPOMOVIVE "S", VRMOVIVEND the change,
    // the cash type's change type).
    DataPacket pagamentosPacket() const;
    // Replaces the contents of cdsMovCaixa with pagamentosPacket() (columns it lacks
    // are added) and leaves the cursor on the last payment received.
    void preencher(ClientDataSet& cdsMovCaixa) const;

    // An amount typed by the operator in cents: "12", "12,5", "12,50", "12.50",
    // "1.234,50". AppError with the reason for anything else, zero or negative.
    static qint64 valorDigitado(const QString& texto);
    // The largest payment the dialog takes.
    static constexpr qint64 kMaiorPagamento = 99999999;

    // The columns of cdsMovCaixa.
    static QList<FieldDef> camposMovCaixa();

private:
    Setup setup_;
    TefTerminal* tef_;
    Clock clock_;
    AccountLines conta_;
    QList<PaymentType> tipos_;
    QList<PaymentLine> linhas_;
    QList<FieldDef> camposEntrada_;
};

} // namespace tmk
