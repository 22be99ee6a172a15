#pragma once

#include "suite/dialogs/notice.h"

#include <QDialog>
#include <QStringList>
#include <functional>

class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;

namespace tmk {

class PaymentModel;

// The payment dialog of Recebimento on an 800 x 600 touch screen: the coupon's items
// and what it comes to on the left, the payments below them, the amount keypad and one
// button per receipt type on the right. A type's button takes a payment of the amount
// typed (what is still due when none is typed); "Concluir" accepts once nothing is
// due; "Cancelar" (or Esc) asks whether the sale is to be cancelled too.
//
// Named parts: "lblTitulo", "lblProgresso", "tblItens", "lblItens", "lblCouvert",
// "lblConsumacao", "lblDescontos", "lblTaxaServico", "lblTotal", "lblPagoApp", "lblPago",
// "lblFalta" (what is due, or the change), "tblPagamentos", "lblAviso" (the last thing the
// operator was told), "edtValor", the keys "btn0" to
// "btn9", "btnVirgula", "btnLimpa", "btnVolta", one "btnTipo<CDTIPORECE>" per receipt
// type, "btnRemover", "btnCancelar", "btnConcluir".
class PaymentDialog : public QDialog {
    Q_OBJECT

public:
    // Asks a question with the given answers; returns the index of the one chosen.
    using Question = std::function<int(const QString& text, const QStringList& answers)>;
    // Runs when the operator concludes with nothing due (prints the fiscal coupon);
    // an AppError it throws is told and keeps the dialog open.
    using Finish = std::function<void()>;

    struct Header {
        QString mesa;
        QString senha;
        QString progresso;   // "Imprimindo cupom 1 de 2"
        bool balcao = false; // the store's counter sale, not a table
    };

    PaymentDialog(PaymentModel& model, const Header& header, Notice notice, Question question,
                  Finish finish, QWidget* parent = nullptr);

    // The operator's answer when the dialog was cancelled: cancel the sale too.
    bool cancelarVenda() const { return cancelarVenda_; }

    // What the buttons do, callable without showing the dialog.
    void pagar(const QString& cdTipoRece);
    void remover();
    void concluir();
    void cancelar();

    // The texts the dialog shows for amounts ("R$ 1.234,50").
    static QString money(qint64 cents);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void reject() override;

private:
    void refresh();
    void typeKey(const QString& key);
    // Tells the operator (the notice) and keeps the text on the dialog.
    void tell(const QString& text, int tipo);

    PaymentModel& model_;
    Notice notice_;
    Question question_;
    Finish finish_;
    bool cancelarVenda_ = false;
    bool closing_ = false;

    QTableWidget* itens_ = nullptr;
    QTableWidget* pagamentos_ = nullptr;
    QLineEdit* valor_ = nullptr;
    QLabel* pago_ = nullptr;
    QLabel* pagoApp_ = nullptr;
    QLabel* falta_ = nullptr;
    QLabel* faltaRotulo_ = nullptr;
    QPushButton* concluir_ = nullptr;
    QPushButton* remover_ = nullptr;
    QLabel* aviso_ = nullptr;
};

} // namespace tmk
