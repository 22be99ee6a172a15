#include "suite/dialogs/account_closing_dialog.h"

#include "external/common.h"
#include "platform/client_dataset.h"
#include "platform/errors.h"
#include "suite/devices/fiscal_amounts.h"
#include "suite/dialogs/suite_dialogs.h"
#include "suite/dialogs/touch_style.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace tmk {

void addBillView(QVBoxLayout* layout, const Bill& bill, QWidget* parent) {
    QTableWidget* table = touchTable(QStringLiteral("tblItens"),
                                     {QStringLiteral("Produto"), QStringLiteral("Qtde"),
                                      QStringLiteral("Preço"), QStringLiteral("Total")},
                                     parent);
    table->setRowCount(int(bill.itens.size()));
    for (int r = 0; r < bill.itens.size(); ++r) {
        const Bill::Line& l = bill.itens.at(r);
        table->setItem(r, 0, tableCell(l.descricao));
        table->setItem(r, 1, tableCell(brQuantity(l.quantidade), kAlignRight));
        table->setItem(r, 2, tableCell(brAmount(l.preco), kAlignRight));
        table->setItem(r, 3, tableCell(brAmount(l.total), kAlignRight));
    }
    table->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    table->setMinimumSize(620, 260);
    layout->addWidget(table, 1);

    auto* grid = new QGridLayout;
    summaryRow(grid, 0, 0, QStringLiteral("Consumo"), QStringLiteral("lblConsumo"), parent)
        ->setText(reais(bill.consumo));
    summaryRow(grid, 1, 0, QStringLiteral("Couvert"), QStringLiteral("lblCouvert"), parent)
        ->setText(reais(bill.couvert));
    summaryRow(grid, 2, 0, QStringLiteral("Consumação mínima"), QStringLiteral("lblConsumacao"),
               parent)
        ->setText(reais(bill.consumacao));
    summaryRow(grid, 0, 1, QStringLiteral("Taxa de serviço"), QStringLiteral("lblTaxaServico"),
               parent)
        ->setText(reais(bill.taxaServico));
    summaryRow(grid, 2, 1, QStringLiteral("Total"), QStringLiteral("lblTotal"), parent, true)
        ->setText(reais(bill.total()));
    layout->addLayout(grid);
}

AccountClosingDialog::AccountClosingDialog(AccountClosing& closing, const TillIdentity& till,
                                           Notice notice, QWidget* parent)
    : QDialog(parent)
    , closing_(closing)
    , till_(till)
    , notice_(std::move(notice)) {
    setObjectName(QStringLiteral("FechaConta"));
    const QString caption = QStringLiteral("Fechamento de Conta - Mesa %1").arg(closing.nrMesa());
    setWindowTitle(caption);
    setModal(true);
    bill_ = closing_.bill();
    consumers_ = closing_.consumers();
    nomeFilial_ = closing_.nomeFilial();

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(headerLabel(caption, QStringLiteral("lblCaption"), this));

    addBillView(layout, bill_, this);

    auto* consumerRow = new QHBoxLayout;
    auto* consumerLabel = new QLabel(QStringLiteral("Consumidor"), this);
    consumerLabel->setFont(sizedFont(consumerLabel->font(), kTouchFontPoints));
    consumerRow->addWidget(consumerLabel);
    consumer_ = new QComboBox(this);
    consumer_->setObjectName(QStringLiteral("cmbConsumidor"));
    consumer_->setFont(sizedFont(consumer_->font(), kTouchFontPoints));
    consumer_->setMinimumHeight(kTouchKeyHeight - 16);
    consumer_->addItem(QStringLiteral("(nenhum)"), QString());
    for (const TableOpening::Consumer& c : consumers_) {
        consumer_->addItem(QStringLiteral("%1 (%2)").arg(c.name, c.code), c.code);
    }
    consumerRow->addWidget(consumer_, 1);
    layout->addLayout(consumerRow);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    QPushButton* ok =
        touchButton(QStringLiteral("Solicitar conta"), QStringLiteral("btnConfirma"), this);
    ok->setMinimumWidth(220);
    QPushButton* cancel =
        touchButton(QStringLiteral("Cancelar"), QStringLiteral("btnCancela"), this);
    cancel->setMinimumWidth(160);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    layout->addLayout(buttons);
    connect(ok, &QPushButton::clicked, this, &AccountClosingDialog::confirm);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void AccountClosingDialog::chooseConsumer(const QString& code) {
    const int i = consumer_->findData(code);
    if (i < 0) {
        notice_(QStringLiteral("Consumidor %1 não cadastrado ou inativo.").arg(code), MsgAviso);
        return;
    }
    consumer_->setCurrentIndex(i);
}

QString AccountClosingDialog::cdConsumidor() const {
    return consumer_->currentData().toString();
}

void AccountClosingDialog::confirm() {
    const QString code = cdConsumidor();
    QString client;
    QString name;
    for (const TableOpening::Consumer& c : consumers_) {
        if (c.code == code) {
            client = c.client;
            name = c.name;
        }
    }
    try {
        closing_.request(bill_, code, client);
    } catch (const AppError& e) {
        notice_(e.message(), MsgErro);
        return;
    }
    try {
        printed_ = AccountClosing::print(bill_, till_, nomeFilial_, name);
    } catch (const AppError& e) {
        notice_(QStringLiteral("A conta da mesa %1 foi solicitada, mas não foi impressa. %2")
                    .arg(closing_.nrMesa(), e.message()),
                MsgErro);
    }
    accept();
}

} // namespace tmk

namespace tmk {

void SuiteDialogs::FechaConta(ClientDataSet& cdsParamFechaConta, QVariantList&, const QString&) {
    const auto text = [&cdsParamFechaConta](const char* column) {
        return cdsParamFechaConta.value(QString::fromLatin1(column)).toString().trimmed();
    };
    if (cdsParamFechaConta.isEmpty() || text("stMesaFecha").isEmpty()) {
        throw AppError(QStringLiteral("Mesa do fechamento de conta não informada."));
    }
    const QString nrMesa = text("stMesaFecha");
    const TillIdentity till = TillIdentity::read();
    AccountClosing closing(db_, till, nrMesa, AccountClosing::padList(text("stListaComandas")));
    const Notice notice = [this](const QString& message, int tipo) {
        showMessage(message, tipo);
    };
    // A dialog that cannot be made (the till's files, the database) ends the command with
    // its message; nothing was written.
    AccountClosingDialog dialog(closing, till, notice, dialogParent());
    if (execDialog(dialog) != QDialog::Accepted) {
        return;
    }
    const int i = cdsParamFechaConta.fieldIndex(QStringLiteral("CDCONSUMIDOR"));
    if (i >= 0) {
        cdsParamFechaConta.edit();
        cdsParamFechaConta.setFieldValue(i, dialog.cdConsumidor());
        cdsParamFechaConta.post();
    }
}

} // namespace tmk
