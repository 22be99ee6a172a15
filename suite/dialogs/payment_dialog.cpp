#include "suite/dialogs/payment_dialog.h"

#include "external/common.h"
#include "platform/errors.h"
#include "suite/devices/fiscal_amounts.h"
#include "suite/dialogs/keypad_buttons.h"
#include "suite/dialogs/payment_model.h"
#include "suite/dialogs/touch_style.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace tmk {

namespace {

constexpr int kWidth = 800;
constexpr int kHeight = 600;
constexpr int kKeyHeight = 50;
constexpr int kTypeHeight = 44;

// A receipt type's caption; a long one on two lines ("Crédito\nMastercard").
QString typeCaption(const PaymentType& t) {
    QString caption = t.nmTipoRece.isEmpty() ? t.cdTipoRece : t.nmTipoRece;
    const qsizetype space = caption.indexOf(QLatin1Char(' '));
    if (caption.size() > 13 && space > 0) {
        caption[space] = QLatin1Char('\n');
    }
    return caption;
}

} // namespace

QString PaymentDialog::money(qint64 cents) {
    return cents < 0 ? QStringLiteral("- ") + reais(-cents) : reais(cents);
}

PaymentDialog::PaymentDialog(PaymentModel& model, const Header& header, Notice notice,
                             Question question, Finish finish, QWidget* parent)
    : QDialog(parent)
    , model_(model)
    , notice_(std::move(notice))
    , question_(std::move(question))
    , finish_(std::move(finish)) {
    setObjectName(QStringLiteral("Recebimento"));
    setWindowTitle(QStringLiteral("Recebimento"));
    setModal(true);
    setFixedSize(kWidth, kHeight);

    auto* root = new QVBoxLayout(this);
    root->setContentsMargins(10, 8, 10, 8);
    root->setSpacing(6);

    auto* top = new QHBoxLayout;
    QString title = QStringLiteral("Recebimento");
    if (header.balcao) {
        title += QStringLiteral(" — Venda balcão");
    } else if (!header.mesa.isEmpty()) {
        title += QStringLiteral(" — Mesa ") + RemoveZerosEsqStr(header.mesa);
    }
    if (!header.senha.isEmpty()) {
        title += QStringLiteral("   Senha ") + header.senha;
    }
    top->addWidget(headerLabel(title, QStringLiteral("lblTitulo"), this), 1);
    auto* progresso = new QLabel(header.progresso, this);
    progresso->setObjectName(QStringLiteral("lblProgresso"));
    progresso->setFont(sizedFont(progresso->font(), 11));
    progresso->setAlignment(kAlignRight);
    top->addWidget(progresso);
    root->addLayout(top);

    auto* body = new QHBoxLayout;
    body->setSpacing(10);
    root->addLayout(body, 1);

    // Left: the coupon's items, what they come to, and the payments.
    auto* left = new QVBoxLayout;
    left->setSpacing(6);
    body->addLayout(left, 1);
    itens_ = touchTable(QStringLiteral("tblItens"),
                        {QStringLiteral("Qtd"), QStringLiteral("Descrição"),
                         QStringLiteral("Unitário"), QStringLiteral("Total")},
                        this);
    const AccountLines& conta = model_.conta();
    itens_->setRowCount(int(conta.itens.size()));
    for (int r = 0; r < conta.itens.size(); ++r) {
        const FiscalItem& i = conta.itens.at(r);
        itens_->setItem(r, 0, tableCell(brQuantity(i.quantidade), kAlignRight));
        itens_->setItem(r, 1, tableCell(i.descricao.isEmpty() ? i.codigo : i.descricao));
        itens_->setItem(r, 2, tableCell(brAmount(toCents(i.valorUnitario)), kAlignRight));
        itens_->setItem(r, 3, tableCell(brAmount(toCents(i.valorTotal)), kAlignRight));
    }
    itens_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    itens_->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
    left->addWidget(itens_, 1);

    auto* resumo = new QWidget(this);
    resumo->setObjectName(QStringLiteral("wdgResumo"));
    auto* grid = new QGridLayout(resumo);
    grid->setContentsMargins(4, 0, 4, 0);
    grid->setHorizontalSpacing(12);
    grid->setVerticalSpacing(2);
    const AccountAmounts& a = conta.amounts;
    summaryRow(grid, 0, 0, QStringLiteral("Itens"), QStringLiteral("lblItens"), this)
        ->setText(money(a.itens));
    summaryRow(grid, 1, 0, QStringLiteral("Couvert"), QStringLiteral("lblCouvert"), this)
        ->setText(money(a.couvert));
    summaryRow(grid, 2, 0, QStringLiteral("Consumação"), QStringLiteral("lblConsumacao"), this)
        ->setText(money(a.consumacao));
    summaryRow(grid, 0, 1,
               a.acrescimos > 0 ? QStringLiteral("Descontos e acréscimos")
                                : QStringLiteral("Descontos"),
               QStringLiteral("lblDescontos"), this)
        ->setText(money(a.acrescimos - a.descontos));
    summaryRow(grid, 1, 1, QStringLiteral("Taxa de serviço"), QStringLiteral("lblTaxaServico"),
               this)
        ->setText(money(a.taxaServico));
    summaryRow(grid, 2, 1, QStringLiteral("Pago no aplicativo"), QStringLiteral("lblPagoApp"),
               this);
    pagoApp_ = findChild<QLabel*>(QStringLiteral("lblPagoApp"));
    summaryRow(grid, 3, 0, QStringLiteral("Total"), QStringLiteral("lblTotal"), this, true)
        ->setText(money(model_.total()));
    pago_ = summaryRow(grid, 3, 1, QStringLiteral("Pago"), QStringLiteral("lblPago"), this, true);
    falta_ =
        summaryRow(grid, 4, 1, QStringLiteral("Falta"), QStringLiteral("lblFalta"), this, true);
    faltaRotulo_ = qobject_cast<QLabel*>(grid->itemAtPosition(4, 2)->widget());
    left->addWidget(resumo);

    pagamentos_ = touchTable(
        QStringLiteral("tblPagamentos"),
        {QStringLiteral("Pagamento"), QStringLiteral("Valor"), QStringLiteral("Detalhe")}, this);
    pagamentos_->setFixedHeight(112);
    pagamentos_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    pagamentos_->horizontalHeader()->setSectionResizeMode(2, QHeaderView::Stretch);
    left->addWidget(pagamentos_);

    // Right: the amount, its keys and the receipt types.
    auto* right = new QVBoxLayout;
    right->setSpacing(6);
    body->addLayout(right);
    auto* valueRow = new QHBoxLayout;
    valor_ = new QLineEdit(this);
    valor_->setObjectName(QStringLiteral("edtValor"));
    valor_->setPlaceholderText(QStringLiteral("Valor"));
    valor_->setAlignment(kAlignRight);
    valor_->setMaxLength(14);
    valor_->setFont(sizedFont(valor_->font(), kTouchFontPoints + 6, true));
    valor_->setMinimumHeight(kKeyHeight);
    valueRow->addWidget(valor_, 1);
    QPushButton* virgula = touchButton(QStringLiteral(","), QStringLiteral("btnVirgula"), this);
    virgula->setMinimumSize(60, kKeyHeight);
    virgula->setMaximumWidth(70);
    connect(virgula, &QPushButton::clicked, this, [this] { typeKey(QStringLiteral(",")); });
    valueRow->addWidget(virgula);
    right->addLayout(valueRow);

    auto* keys = new KeypadButtons(this);
    for (QPushButton* b : keys->findChildren<QPushButton*>()) {
        b->setMinimumSize(84, kKeyHeight);
    }
    connect(keys, &KeypadButtons::digit, this, [this](QChar c) { typeKey(QString(c)); });
    connect(keys, &KeypadButtons::clearAll, valor_, &QLineEdit::clear);
    connect(keys, &KeypadButtons::backspace, valor_, &QLineEdit::backspace);
    right->addWidget(keys);

    auto* tipos = new QGridLayout;
    tipos->setSpacing(6);
    int n = 0;
    for (const PaymentType& t : model_.tipos()) {
        QPushButton* b =
            touchButton(typeCaption(t), QStringLiteral("btnTipo") + t.cdTipoRece, this);
        b->setMinimumSize(130, kTypeHeight);
        b->setFont(sizedFont(b->font(), b->text().contains(QLatin1Char('\n')) ? 10 : 11, true));
        const QString code = t.cdTipoRece;
        connect(b, &QPushButton::clicked, this, [this, code] { pagar(code); });
        tipos->addWidget(b, n / 2, n % 2);
        ++n;
    }
    right->addLayout(tipos);
    right->addStretch(1);

    auto* actions = new QHBoxLayout;
    remover_ = touchButton(QStringLiteral("Remover pagamento"), QStringLiteral("btnRemover"), this);
    remover_->setFont(sizedFont(remover_->font(), 12, true));
    remover_->setMinimumHeight(52);
    connect(remover_, &QPushButton::clicked, this, &PaymentDialog::remover);
    actions->addWidget(remover_);
    aviso_ = new QLabel(this);
    aviso_->setObjectName(QStringLiteral("lblAviso"));
    aviso_->setWordWrap(true);
    aviso_->setAlignment(Qt::AlignCenter);
    aviso_->setFont(sizedFont(aviso_->font(), 11, true));
    QPalette avisoPalette = aviso_->palette();
    avisoPalette.setColor(QPalette::WindowText, QColor(170, 0, 0));
    aviso_->setPalette(avisoPalette);
    actions->addWidget(aviso_, 1);
    QPushButton* cancelar =
        touchButton(QStringLiteral("Cancelar"), QStringLiteral("btnCancelar"), this);
    cancelar->setMinimumSize(150, 52);
    connect(cancelar, &QPushButton::clicked, this, &PaymentDialog::cancelar);
    actions->addWidget(cancelar);
    concluir_ = touchButton(QStringLiteral("Concluir"), QStringLiteral("btnConcluir"), this);
    concluir_->setMinimumSize(190, 52);
    connect(concluir_, &QPushButton::clicked, this, &PaymentDialog::concluir);
    actions->addWidget(concluir_);
    root->addLayout(actions);

    refresh();
}

void PaymentDialog::typeKey(const QString& key) {
    valor_->insert(key);
}

void PaymentDialog::refresh() {
    pagamentos_->setRowCount(int(model_.linhas().size()));
    for (int r = 0; r < model_.linhas().size(); ++r) {
        const PaymentLine& l = model_.linhas().at(r);
        QString detalhe;
        if (l.aplicativo) {
            detalhe = QStringLiteral("aplicativo");
        } else if (l.cartao) {
            detalhe = QStringLiteral("%1 NSU %2 AUT %3")
                          .arg(l.transacao.bandeira, l.transacao.nsu, l.transacao.autorizacao);
        }
        pagamentos_->setItem(r, 0, tableCell(l.nmTipoRece.isEmpty() ? l.cdTipoRece : l.nmTipoRece));
        pagamentos_->setItem(r, 1, tableCell(money(l.valor), kAlignRight));
        pagamentos_->setItem(r, 2, tableCell(detalhe));
    }
    pagoApp_->setText(money(model_.pagoAplicativo()));
    pago_->setText(money(model_.pago()));
    const bool troco = model_.troco() > 0;
    faltaRotulo_->setText(troco ? QStringLiteral("Troco") : QStringLiteral("Falta"));
    falta_->setText(money(troco ? model_.troco() : model_.falta()));
    QPalette p = falta_->palette();
    p.setColor(QPalette::WindowText, model_.quitado() ? QColor(0, 110, 0) : QColor(170, 0, 0));
    falta_->setPalette(p);
    faltaRotulo_->setPalette(p);
    concluir_->setEnabled(model_.quitado());
    bool removivel = false;
    for (const PaymentLine& l : model_.linhas()) {
        removivel = removivel || (!l.aplicativo && !l.cartao);
    }
    remover_->setEnabled(removivel);
    for (QPushButton* b : findChildren<QPushButton*>()) {
        if (b->objectName().startsWith(QLatin1String("btnTipo"))) {
            b->setEnabled(!model_.quitado());
        }
    }
}

void PaymentDialog::tell(const QString& text, int tipo) {
    aviso_->setText(text);
    if (notice_) {
        notice_(text, tipo);
    }
}

void PaymentDialog::pagar(const QString& cdTipoRece) {
    aviso_->clear();
    try {
        const PaymentModel::Outcome o = model_.pagar(cdTipoRece, valor_->text());
        if (o.aceito) {
            valor_->clear();
        } else {
            tell(o.mensagem, MsgAviso);
        }
    } catch (const AppError& e) {
        tell(e.message(), MsgAviso);
    }
    refresh();
}

void PaymentDialog::remover() {
    aviso_->clear();
    const int row = pagamentos_->currentRow();
    try {
        if (row < 0) {
            // Without a selection, the last payment taken here.
            int last = -1;
            for (int r = 0; r < model_.linhas().size(); ++r) {
                if (!model_.linhas().at(r).aplicativo && !model_.linhas().at(r).cartao) {
                    last = r;
                }
            }
            model_.remover(last);
        } else {
            model_.remover(row);
        }
    } catch (const AppError& e) {
        tell(e.message(), MsgAviso);
    }
    refresh();
}

void PaymentDialog::concluir() {
    if (!model_.quitado()) {
        tell(QStringLiteral("Ainda falta receber %1.").arg(money(model_.falta())), MsgAviso);
        return;
    }
    try {
        if (finish_) {
            finish_();
        }
    } catch (const AppError& e) {
        tell(e.message(), MsgErro);
        refresh();
        return;
    }
    accept();
}

void PaymentDialog::cancelar() {
    int answer = 1;
    if (question_) {
        answer =
            question_(QStringLiteral("Cancelar o recebimento da mesa. Cancelar também a venda?"),
                      {QStringLiteral("Sim"), QStringLiteral("Não"), QStringLiteral("Voltar")});
    }
    if (answer != 0 && answer != 1) {
        return; // back to the payment
    }
    cancelarVenda_ = answer == 0;
    try {
        model_.abandonar();
    } catch (const AppError& e) {
        tell(e.message(), MsgErro);
    }
    closing_ = true;
    QDialog::reject();
}

void PaymentDialog::reject() {
    if (closing_) {
        QDialog::reject();
        return;
    }
    cancelar();
}

void PaymentDialog::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        cancelar();
        return;
    }
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        return; // a finger concludes, not a stray Enter
    }
    QDialog::keyPressEvent(event);
}

} // namespace tmk
