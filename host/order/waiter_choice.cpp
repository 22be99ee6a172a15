#include "host/order/waiter_choice.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace tmk {

WaiterChoice::WaiterChoice(const QList<OrderModel::Waiter>& waiters, QWidget* parent)
    : QDialog(parent)
    , waiters_(waiters) {
    setObjectName(QStringLiteral("dlgGarcom"));
    setWindowTitle(QStringLiteral("Garçom"));
    resize(360, 400);
    auto* layout = new QVBoxLayout(this);
    auto* prompt = new QLabel(QStringLiteral("Selecione o garçom do pedido:"), this);
    layout->addWidget(prompt);
    list_ = new QListWidget(this);
    list_->setObjectName(QStringLiteral("lstGarcons"));
    QFont f = list_->font();
    f.setPointSize(14);
    list_->setFont(f);
    for (const OrderModel::Waiter& w : waiters_) {
        list_->addItem(QStringLiteral("%1 - %2").arg(w.code, w.shortName));
    }
    layout->addWidget(list_);
    auto* buttons = new QHBoxLayout;
    auto* cancel = new QPushButton(QStringLiteral("Cancelar"), this);
    cancel->setObjectName(QStringLiteral("btnCancelar"));
    auto* ok = new QPushButton(QStringLiteral("Confirmar"), this);
    ok->setObjectName(QStringLiteral("btnConfirmar"));
    ok->setEnabled(false);
    for (QPushButton* b : {cancel, ok}) {
        b->setMinimumHeight(48);
        buttons->addWidget(b);
    }
    layout->addLayout(buttons);
    connect(list_, &QListWidget::currentRowChanged, ok,
            [ok](int row) { ok->setEnabled(row >= 0); });
    connect(list_, &QListWidget::itemDoubleClicked, this, &QDialog::accept);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

QString WaiterChoice::chosen() const {
    const int row = list_->currentRow();
    return row >= 0 && row < waiters_.size() ? waiters_.at(row).code : QString();
}

} // namespace tmk
