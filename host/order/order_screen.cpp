#include "host/order/order_screen.h"

#include "host/order/order_model.h"
#include "host/order/waiter_choice.h"
#include "platform/errors.h"
#include "suite/devices/fiscal_amounts.h"

#include <QColor>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QTimer>
#include <QVBoxLayout>

namespace tmk {

namespace {

constexpr int kColumns = 3; // product buttons per row
constexpr int kRows = 6;

QString money(double value) {
    return reais(toCents(value));
}

// 0x00BBGGRR as the screen configuration keeps colours.
QColor colour(int bgr) {
    return QColor(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF);
}

QPushButton* touchButton(const QString& name, const QString& text, QWidget* parent) {
    auto* b = new QPushButton(text, parent);
    b->setObjectName(name);
    b->setMinimumHeight(44);
    b->setFocusPolicy(Qt::NoFocus);
    return b;
}

} // namespace

template <typename F>
bool OrderScreen::attempt(F&& f) {
    try {
        f();
        return true;
    } catch (const std::exception& e) {
        tell(exceptionText(e));
        return false;
    }
}

OrderScreen::OrderScreen(OrderModel& model, QWidget* parent)
    : QDialog(parent)
    , model_(model) {
    setObjectName(QStringLiteral("frmPedido"));
    setWindowTitle(QStringLiteral("Pedido"));
    setFixedSize(800, 600);
    const bool balcao = model_.request().balcao();

    auto* root = new QVBoxLayout(this);
    root->setContentsMargins(8, 8, 8, 8);

    // Heading: table, pad, waiter and consumer.
    auto* top = new QHBoxLayout;
    heading_ = new QLabel(this);
    heading_->setObjectName(QStringLiteral("lblMesa"));
    QFont big = heading_->font();
    big.setPointSize(15);
    big.setBold(true);
    heading_->setFont(big);
    // The table as the map captions it: no leading zeros, two digits at least.
    bool numero = false;
    const int mesa = model_.nrMesa().toInt(&numero);
    heading_->setText(balcao ? QStringLiteral("Venda balcão")
                             : QStringLiteral("Mesa %1").arg(
                                   numero ? QStringLiteral("%1").arg(mesa, 2, 10, QLatin1Char('0'))
                                          : model_.nrMesa()));
    top->addWidget(heading_);
    auto* pad = new QLabel(this);
    pad->setObjectName(QStringLiteral("lblComanda"));
    // A counter sale has its pad only once it is paid.
    if (!balcao) {
        pad->setText(
            QStringLiteral("Comanda %1 (%2)").arg(model_.dsComanda(), model_.request().nrComanda));
    }
    top->addWidget(pad);
    top->addStretch();
    waiter_ = new QLabel(this);
    waiter_->setObjectName(QStringLiteral("lblGarcom"));
    top->addWidget(waiter_);
    auto* chooseWaiter = touchButton(QStringLiteral("btnGarcom"), QStringLiteral("Garçom"), this);
    connect(chooseWaiter, &QPushButton::clicked, this, [this] { askWaiter(); });
    top->addWidget(chooseWaiter);
    root->addLayout(top);
    auto* people = new QLabel(this);
    people->setObjectName(QStringLiteral("lblConsumidor"));
    people->setText(
        QStringLiteral("Consumidor: %1    Pessoas: %2")
            .arg(model_.consumerName().isEmpty() ? QStringLiteral("—") : model_.consumerName())
            .arg(model_.partySize()));
    root->addWidget(people);

    auto* body = new QHBoxLayout;
    // The menu: groups above, their products below.
    auto* menu = new QVBoxLayout;
    groups_ = new QHBoxLayout;
    const auto& groups = model_.menu().groups();
    for (int i = 0; i < groups.size(); ++i) {
        auto* g =
            touchButton(QStringLiteral("btnGrupo") + groups.at(i).code, groups.at(i).caption, this);
        g->setCheckable(true);
        g->setAutoExclusive(true);
        connect(g, &QPushButton::clicked, this, [this, i] { showGroup(i); });
        groups_->addWidget(g);
    }
    menu->addLayout(groups_);
    productsPanel_ = new QWidget(this);
    productsPanel_->setObjectName(QStringLiteral("pnlProdutos"));
    products_ = new QGridLayout(productsPanel_);
    products_->setContentsMargins(0, 0, 0, 0);
    menu->addWidget(productsPanel_, 1);
    if (groups.isEmpty()) {
        auto* none = new QLabel(QStringLiteral("O cardápio desta loja não tem produtos."), this);
        none->setObjectName(QStringLiteral("lblSemCardapio"));
        products_->addWidget(none, 0, 0);
    }
    body->addLayout(menu, 11);

    // The pad's lines and the selected line's values.
    auto* order = new QVBoxLayout;
    lines_ = new QTableWidget(0, 5, this);
    lines_->setObjectName(QStringLiteral("tblItens"));
    lines_->setHorizontalHeaderLabels({QStringLiteral("Qtd"), QStringLiteral("Produto"),
                                       QStringLiteral("Pos."), QStringLiteral("Valor"),
                                       QStringLiteral("Situação")});
    lines_->verticalHeader()->hide();
    lines_->setSelectionBehavior(QAbstractItemView::SelectRows);
    lines_->setSelectionMode(QAbstractItemView::SingleSelection);
    lines_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    lines_->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
    for (int c : {0, 2, 3, 4}) {
        lines_->horizontalHeader()->setSectionResizeMode(c, QHeaderView::ResizeToContents);
    }
    connect(lines_, &QTableWidget::itemSelectionChanged, this, [this] { refreshSelection(); });
    order->addWidget(lines_, 1);

    auto* values = new QGridLayout;
    values->addWidget(new QLabel(QStringLiteral("Quantidade"), this), 0, 0);
    quantity_ = new QSpinBox(this);
    quantity_->setObjectName(QStringLiteral("spnQuantidade"));
    quantity_->setRange(1, OrderModel::kMaxQuantity);
    quantity_->setMinimumHeight(40);
    values->addWidget(quantity_, 0, 1);
    values->addWidget(new QLabel(QStringLiteral("Posição"), this), 0, 2);
    position_ = new QSpinBox(this);
    position_->setObjectName(QStringLiteral("spnPosicao"));
    position_->setRange(1, std::max(1, model_.partySize()));
    position_->setMinimumHeight(40);
    values->addWidget(position_, 0, 3);
    values->addWidget(new QLabel(QStringLiteral("Observação"), this), 1, 0);
    observation_ = new QLineEdit(this);
    observation_->setObjectName(QStringLiteral("edtObservacao"));
    observation_->setMaxLength(OrderModel::kMaxObservation);
    observation_->setMinimumHeight(36);
    values->addWidget(observation_, 1, 1, 1, 3);
    order->addLayout(values);
    connect(quantity_, &QSpinBox::valueChanged, this, [this](int v) {
        if (!updating_) {
            const int row = selectedLine();
            if (attempt([&] { model_.setQuantity(row, v); })) {
                refreshLines(row);
            }
        }
    });
    connect(position_, &QSpinBox::valueChanged, this, [this](int v) {
        if (!updating_) {
            const int row = selectedLine();
            if (attempt([&] { model_.setPosition(row, v); })) {
                refreshLines(row);
            }
        }
    });
    connect(observation_, &QLineEdit::textEdited, this, [this](const QString& text) {
        if (!updating_) {
            attempt([&] { model_.setObservation(selectedLine(), text); });
        }
    });

    total_ = new QLabel(this);
    total_->setObjectName(QStringLiteral("lblTotal"));
    QFont bold = total_->font();
    bold.setPointSize(12);
    bold.setBold(true);
    total_->setFont(bold);
    order->addWidget(total_);
    body->addLayout(order, 10);
    root->addLayout(body, 1);

    notice_ = new QLabel(this);
    notice_->setObjectName(QStringLiteral("lblAviso"));
    notice_->setWordWrap(true);
    notice_->setMinimumHeight(36);
    root->addWidget(notice_);

    auto* actions = new QHBoxLayout;
    auto* leave = touchButton(QStringLiteral("btnSair"), QStringLiteral("Voltar ao mapa"), this);
    remove_ = touchButton(QStringLiteral("btnRemover"), QStringLiteral("Remover item"), this);
    send_ = touchButton(QStringLiteral("btnEnviar"),
                        balcao ? QStringLiteral("Pagar") : QStringLiteral("Enviar"), this);
    QFont sendFont = send_->font();
    sendFont.setBold(true);
    send_->setFont(sendFont);
    actions->addWidget(leave);
    actions->addStretch();
    actions->addWidget(remove_);
    actions->addWidget(send_);
    root->addLayout(actions);
    connect(leave, &QPushButton::clicked, this, &OrderScreen::reject);
    connect(remove_, &QPushButton::clicked, this, [this] {
        const int row = selectedLine();
        if (attempt([&] { model_.remove(row); })) {
            refreshLines(std::min(row, int(model_.lines().size()) - 1));
        }
    });
    connect(send_, &QPushButton::clicked, this, &OrderScreen::send);

    waiter_->setText(QStringLiteral("Garçom: %1")
                         .arg(model_.waiterName().isEmpty() ? QStringLiteral("não informado")
                                                            : model_.waiterName()));
    if (!groups.isEmpty()) {
        showGroup(0);
    }
    refreshLines(-1);
}

void OrderScreen::showGroup(int index) {
    const auto& groups = model_.menu().groups();
    if (index < 0 || index >= groups.size()) {
        return;
    }
    while (QLayoutItem* item = products_->takeAt(0)) {
        delete item->widget();
        delete item;
    }
    for (int i = 0; i < groups_->count(); ++i) {
        if (auto* b = qobject_cast<QPushButton*>(groups_->itemAt(i)->widget())) {
            b->setChecked(i == index);
        }
    }
    const MenuGroup& g = groups.at(index);
    for (int i = 0; i < g.products.size(); ++i) {
        const MenuProduct& p = g.products.at(i);
        const QString text = p.priced() ? p.caption + QLatin1Char('\n') + money(*p.price)
                                        : p.caption + QStringLiteral("\nsem preço");
        auto* b = touchButton(QStringLiteral("btnProduto") + p.cdProduto, text, productsPanel_);
        b->setMinimumHeight(60);
        b->setStyleSheet(QStringLiteral("QPushButton { background: %1; color: %2; }"
                                        "QPushButton:disabled { color: #888; }")
                             .arg(colour(p.backColour).name(), colour(p.textColour).name()));
        b->setEnabled(p.priced());
        const QString code = p.cdProduto;
        connect(b, &QPushButton::clicked, this, [this, code] { touchProduct(code); });
        products_->addWidget(b, i / kColumns, i % kColumns);
        b->show();
    }
    for (int r = 0; r < kRows; ++r) {
        products_->setRowStretch(r, 1);
    }
}

int OrderScreen::run() {
    if (model_.needsWaiter()) {
        // Asked from the screen's own loop, so that the screen is modal under the choice.
        QTimer::singleShot(0, this, [this] { askWaiter(); });
    }
    return exec();
}

bool OrderScreen::askWaiter() {
    QList<OrderModel::Waiter> waiters;
    if (!attempt([&] { waiters = model_.waiters(); })) {
        return false;
    }
    WaiterChoice choice(waiters, this);
    if (choice.exec() != QDialog::Accepted || choice.chosen().isEmpty()) {
        return false;
    }
    if (!attempt([&] { model_.chooseWaiter(choice.chosen()); })) {
        return false;
    }
    waiter_->setText(QStringLiteral("Garçom: %1").arg(model_.waiterName()));
    tell(QString(), false);
    return true;
}

void OrderScreen::touchProduct(const QString& cdProduto) {
    int row = -1;
    if (attempt([&] { row = model_.add(cdProduto); })) {
        tell(QString(), false);
        refreshLines(row);
    }
}

int OrderScreen::selectedLine() const {
    const int row = lines_->currentRow();
    // The sent items come first, the lines not yet sent after them.
    return row - int(model_.sent().size());
}

void OrderScreen::refreshLines(int select) {
    updating_ = true;
    const auto& sent = model_.sent();
    const auto& lines = model_.lines();
    lines_->setRowCount(int(sent.size() + lines.size()));
    auto put = [&](int row, const OrderLine& l, bool enviado) {
        const QStringList cells{QString::number(l.quantity),
                                l.observation.isEmpty() ? l.caption
                                                        : l.caption + QStringLiteral(" (") +
                                                              l.observation + QLatin1Char(')'),
                                QStringLiteral("%1").arg(l.position, 2, 10, QLatin1Char('0')),
                                money(l.amount()),
                                enviado ? QStringLiteral("enviado") : QStringLiteral("novo")};
        for (int c = 0; c < cells.size(); ++c) {
            auto* item = new QTableWidgetItem(cells.at(c));
            if (enviado) {
                item->setForeground(QColor(0x70, 0x70, 0x70));
                item->setFlags(item->flags() & ~Qt::ItemIsSelectable);
            }
            if (c == 0 || c == 3) {
                item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            }
            lines_->setItem(row, c, item);
        }
    };
    for (int i = 0; i < sent.size(); ++i) {
        put(i, sent.at(i), true);
    }
    for (int i = 0; i < lines.size(); ++i) {
        put(int(sent.size()) + i, lines.at(i), false);
    }
    if (select >= 0 && select < lines.size()) {
        lines_->selectRow(int(sent.size()) + select);
    } else {
        lines_->clearSelection();
        lines_->setCurrentCell(-1, -1);
    }
    // A counter sale has nothing sent before it: its total is what is paid.
    total_->setText(model_.request().balcao()
                        ? QStringLiteral("Total: %1").arg(money(model_.linesTotal()))
                        : QStringLiteral("Já enviado: %1\nNovos itens: %2")
                              .arg(money(model_.sentTotal()), money(model_.linesTotal())));
    send_->setEnabled(!lines.isEmpty());
    updating_ = false;
    refreshSelection();
}

void OrderScreen::refreshSelection() {
    const bool updating = updating_;
    updating_ = true;
    const int row = selectedLine();
    const bool line = row >= 0 && row < model_.lines().size();
    for (QWidget* w :
         std::initializer_list<QWidget*>{quantity_, position_, observation_, remove_}) {
        w->setEnabled(line);
    }
    if (line) {
        const OrderLine& l = model_.lines().at(row);
        quantity_->setValue(l.quantity);
        position_->setValue(l.position);
        observation_->setText(l.observation);
    } else {
        quantity_->setValue(1);
        position_->setValue(1);
        observation_->clear();
    }
    updating_ = updating;
}

void OrderScreen::send() {
    if (model_.needsWaiter() && !askWaiter()) {
        tell(QStringLiteral("Informe o garçom antes de enviar os itens."));
        return;
    }
    if (model_.request().balcao()) {
        bool pago = false;
        if (attempt([&] { pago = model_.pay(receive_); })) {
            if (pago) {
                accept();
                return;
            }
            tell(QStringLiteral("O pagamento não foi concluído; os itens continuam na tela para "
                                "pagar de novo."));
            refreshLines(-1);
        }
        return;
    }
    if (attempt([&] { model_.send(); })) {
        accept();
    }
}

void OrderScreen::reject() {
    if (!model_.lines().isEmpty()) {
        QMessageBox ask(QMessageBox::Question, windowTitle(),
                        QStringLiteral("Há itens que não foram enviados. Voltar ao mapa sem "
                                       "enviá-los?"),
                        QMessageBox::Yes | QMessageBox::No, this);
        ask.setObjectName(QStringLiteral("msgSairSemEnviar"));
        ask.setDefaultButton(QMessageBox::No);
        if (ask.exec() != QMessageBox::Yes) {
            return;
        }
    }
    QDialog::reject();
}

void OrderScreen::tell(const QString& text, bool error) {
    notice_->setStyleSheet(error ? QStringLiteral("color: #b00020; font-weight: bold;")
                                 : QString());
    notice_->setText(text);
}

} // namespace tmk
