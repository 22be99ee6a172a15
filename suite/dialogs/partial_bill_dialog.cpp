// ParcialConta: the partial bill of a table, shown and printed; the table stays as it was.

#include "suite/dialogs/partial_bill_dialog.h"

#include "external/common.h"
#include "platform/errors.h"
#include "suite/dialogs/account_closing_dialog.h"
#include "suite/dialogs/suite_dialogs.h"
#include "suite/dialogs/touch_style.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace tmk {

PartialBillDialog::PartialBillDialog(AccountClosing& account, const TillIdentity& till,
                                     Notice notice, QWidget* parent)
    : QDialog(parent)
    , till_(till)
    , notice_(std::move(notice)) {
    setObjectName(QStringLiteral("ParcialConta"));
    const QString caption = QStringLiteral("Conta Parcial - Mesa %1").arg(account.nrMesa());
    setWindowTitle(caption);
    setModal(true);
    bill_ = account.bill();
    nomeFilial_ = account.nomeFilial();

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(headerLabel(caption, QStringLiteral("lblCaption"), this));
    addBillView(layout, bill_, this);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    QPushButton* ok = touchButton(QStringLiteral("Imprimir"), QStringLiteral("btnImprime"), this);
    ok->setMinimumWidth(220);
    QPushButton* cancel =
        touchButton(QStringLiteral("Cancelar"), QStringLiteral("btnCancela"), this);
    cancel->setMinimumWidth(160);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    layout->addLayout(buttons);
    connect(ok, &QPushButton::clicked, this, &PartialBillDialog::print);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void PartialBillDialog::print() {
    try {
        printed_ = AccountClosing::print(bill_, till_, nomeFilial_, {},
                                         QDateTime::currentDateTime(), BillKind::Partial);
    } catch (const AppError& e) {
        notice_(QStringLiteral("A conta parcial da mesa %1 não foi impressa. %2")
                    .arg(bill_.nrMesa, e.message()),
                MsgErro);
        return;
    }
    accept();
}

void SuiteDialogs::ParcialConta(QString& nrMesa) {
    nrMesa.clear();
    QString digitada;
    if (!TecladoNumerico(digitada, QStringLiteral("Imprime Parcial"),
                         QStringLiteral("Informe o número da mesa"),
                         QStringLiteral("Mesa deve ser informada."), 4, 0, 0, 0, 0, 0)) {
        return;
    }
    const QString mesa = Ajusta(digitada.trimmed(), 4);
    try {
        const TillIdentity till = TillIdentity::read();
        AccountClosing account = AccountClosing::ofTable(db_, till, mesa);
        if (account.comandas().isEmpty()) {
            showMessage(QStringLiteral("A mesa %1 não tem conta aberta.").arg(mesa), MsgAviso);
            return;
        }
        PartialBillDialog dialog(
            account, till, [this](const QString& text, int tipo) { showMessage(text, tipo); },
            dialogParent());
        if (execDialog(dialog) == QDialog::Accepted && !dialog.printed().isEmpty()) {
            nrMesa = mesa;
        }
    } catch (const AppError& e) {
        showMessage(e.message(), MsgErro);
    }
}

} // namespace tmk
