// CancelaProduto: the items of a table's order pad cancelled, each with a supervisor's
// authorisation.

#include "suite/dialogs/item_cancellation_dialog.h"

#include "external/common.h"
#include "platform/errors.h"
#include "suite/devices/fiscal_amounts.h"
#include "suite/dialogs/access_rights.h"
#include "suite/dialogs/suite_dialogs.h"
#include "suite/dialogs/supervisor_dialog.h"
#include "suite/dialogs/touch_style.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace tmk {

namespace {

double units(qint64 milesimos) {
    return double(milesimos) / 1000.0;
}

} // namespace

ItemCancellationDialog::ItemCancellationDialog(ItemCancellation& cancellation, Authorise authorise,
                                               Notice notice, QWidget* parent)
    : QDialog(parent)
    , cancellation_(cancellation)
    , authorise_(std::move(authorise))
    , notice_(std::move(notice)) {
    setObjectName(QStringLiteral("CancelaProduto"));
    const QString caption = QStringLiteral("Cancela Produto - Mesa %1 - Comanda %2")
                                .arg(cancellation.nrMesa(), cancellation.nrComanda());
    setWindowTitle(caption);
    setModal(true);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(headerLabel(caption, QStringLiteral("lblCaption"), this));
    table_ = touchTable(QStringLiteral("tblItens"),
                        {QStringLiteral("Item"), QStringLiteral("Produto"), QStringLiteral("Lugar"),
                         QStringLiteral("Qtde"), QStringLiteral("Preço")},
                        this);
    table_->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
    table_->setMinimumSize(640, 280);
    layout->addWidget(table_, 1);
    connect(table_, &QTableWidget::currentCellChanged, this,
            [this](int row, int, int previous, int) {
                if (row != previous) {
                    chooseItem(row);
                }
            });

    auto* quantityRow = new QHBoxLayout;
    auto* label = new QLabel(QStringLiteral("Quantidade a cancelar"), this);
    label->setFont(sizedFont(label->font(), kTouchFontPoints));
    quantityRow->addWidget(label);
    quantityRow->addStretch(1);
    QPushButton* less = touchButton(QStringLiteral("−"), QStringLiteral("btnMenos"), this);
    quantity_ = new QLineEdit(this);
    quantity_->setObjectName(QStringLiteral("edtQuantidade"));
    quantity_->setAlignment(Qt::AlignCenter);
    quantity_->setMaxLength(10);
    quantity_->setFixedWidth(120);
    quantity_->setMinimumHeight(kTouchKeyHeight - 16);
    quantity_->setFont(sizedFont(quantity_->font(), kTouchFontPoints + 4));
    QPushButton* more = touchButton(QStringLiteral("+"), QStringLiteral("btnMais"), this);
    quantityRow->addWidget(less);
    quantityRow->addWidget(quantity_);
    quantityRow->addWidget(more);
    layout->addLayout(quantityRow);
    connect(less, &QPushButton::clicked, this, [this] { step(-1); });
    connect(more, &QPushButton::clicked, this, [this] { step(1); });

    situacao_ = new QLabel(this);
    situacao_->setObjectName(QStringLiteral("lblSituacao"));
    situacao_->setWordWrap(true);
    situacao_->setFont(sizedFont(situacao_->font(), kTouchFontPoints - 3));
    layout->addWidget(situacao_);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    QPushButton* cancelItem =
        touchButton(QStringLiteral("Cancelar item"), QStringLiteral("btnCancelaItem"), this);
    cancelItem->setMinimumWidth(220);
    QPushButton* close = touchButton(QStringLiteral("Fechar"), QStringLiteral("btnFechar"), this);
    close->setMinimumWidth(160);
    buttons->addWidget(cancelItem);
    buttons->addWidget(close);
    layout->addLayout(buttons);
    connect(cancelItem, &QPushButton::clicked, this, [this] { cancelChosen(); });
    connect(close, &QPushButton::clicked, this, &QDialog::accept);

    reload();
}

void ItemCancellationDialog::reload() {
    items_ = cancellation_.items();
    table_->setRowCount(int(items_.size()));
    for (int r = 0; r < items_.size(); ++r) {
        const ItemCancellation::Item& i = items_.at(r);
        table_->setItem(r, 0, tableCell(i.nrProdComVen));
        table_->setItem(r, 1, tableCell(i.descricao));
        table_->setItem(r, 2, tableCell(i.nrLugarMesa, Qt::AlignCenter));
        table_->setItem(r, 3, tableCell(brQuantity(units(i.milesimos)), kAlignRight));
        table_->setItem(r, 4, tableCell(brAmount(toCents(i.preco)), kAlignRight));
    }
    table_->resizeColumnToContents(0);
    if (items_.isEmpty()) {
        quantity_->clear();
        return;
    }
    table_->setCurrentCell(0, 0);
    chooseItem(0);
}

const ItemCancellation::Item* ItemCancellationDialog::chosen() const {
    const int row = table_->currentRow();
    return row >= 0 && row < items_.size() ? &items_.at(row) : nullptr;
}

void ItemCancellationDialog::chooseItem(int row) {
    if (row < 0 || row >= items_.size()) {
        return;
    }
    if (table_->currentRow() != row) {
        table_->setCurrentCell(row, 0);
    }
    // One unit by default, or the whole of an item of less than one.
    quantity_->setText(brQuantity(units(std::min<qint64>(1000, items_.at(row).milesimos))));
}

void ItemCancellationDialog::setQuantity(const QString& text) {
    quantity_->setText(text);
}

void ItemCancellationDialog::step(int delta) {
    const ItemCancellation::Item* item = chosen();
    if (!item) {
        return;
    }
    const qint64 now = ItemCancellation::parseQuantity(quantity_->text()).value_or(0);
    const qint64 next = std::clamp<qint64>(
        now + qint64(delta) * 1000, std::min<qint64>(1000, item->milesimos), item->milesimos);
    quantity_->setText(brQuantity(units(next)));
}

bool ItemCancellationDialog::cancelChosen() {
    const ItemCancellation::Item* current = chosen();
    if (!current) {
        notice_(QStringLiteral("Escolha o item a cancelar."), MsgAviso);
        return false;
    }
    const ItemCancellation::Item item = *current;
    const std::optional<qint64> milesimos = ItemCancellation::parseQuantity(quantity_->text());
    const QString problem = ItemCancellation::quantityProblem(item, milesimos, quantity_->text());
    if (!problem.isEmpty()) {
        notice_(problem, MsgAviso);
        return false;
    }
    const QString supervisor = authorise_();
    if (supervisor.isEmpty()) {
        return false;
    }
    try {
        cancellation_.cancel(item, *milesimos, supervisor);
    } catch (const AppError& e) {
        notice_(e.message(), MsgErro);
        reload();
        return false;
    }
    ++cancellations_;
    situacao_->setText(QStringLiteral("Cancelado: %1 x %2, autorizado pelo supervisor %3.")
                           .arg(brQuantity(units(*milesimos)), item.descricao, supervisor));
    reload();
    return true;
}

void SuiteDialogs::CancelaProduto(const QString& nrComanda, const QString& /*dsComanda*/,
                                  const QString& /*tipo*/, const QString& nrMesa) {
    if (nrComanda.trimmed().isEmpty()) {
        showMessage(QStringLiteral("A mesa %1 não tem comanda aberta.").arg(nrMesa), MsgAviso);
        return;
    }
    const Notice notice = [this](const QString& text, int tipo) {
        showMessage(text, tipo);
    };
    try {
        const TillIdentity till = TillIdentity::read();
        ItemCancellation cancellation(db_, till, nrComanda.trimmed(), nrMesa);
        const auto authorise = [this, &till, &notice]() -> QString {
            const AccessRights rights = AccessRights::load();
            if (!rights.operatorsReadable()) {
                notice(QStringLiteral("%1 O cancelamento não pode ser autorizado.")
                           .arg(rights.fault()),
                       MsgErro);
                return {};
            }
            SupervisorDialog dialog(
                QStringLiteral("Autorização do cancelamento"),
                QStringLiteral("O cancelamento de itens pedidos precisa da autorização de um "
                               "supervisor: informe o código e a senha dele."),
                [&rights, &till](const QString& code, const QString& password) {
                    const AccessRights::Authorisation a =
                        rights.authorise(till.ctCancItemGen, code, password);
                    return SupervisorDialog::Verdict{a.granted(), a.supervisor, a.message};
                },
                notice, dialogParent());
            if (execDialog(dialog) != QDialog::Accepted) {
                return {};
            }
            return dialog.supervisor();
        };
        ItemCancellationDialog dialog(cancellation, authorise, notice, dialogParent());
        if (dialog.items().isEmpty()) {
            showMessage(QStringLiteral("A comanda %1 da mesa %2 não tem itens a cancelar.")
                            .arg(nrComanda.trimmed(), nrMesa),
                        MsgAviso);
            return;
        }
        execDialog(dialog);
    } catch (const AppError& e) {
        showMessage(e.message(), MsgErro);
    }
}

} // namespace tmk
