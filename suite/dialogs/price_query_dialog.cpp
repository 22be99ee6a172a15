#include "suite/dialogs/price_query_dialog.h"

#include "external/common.h"
#include "platform/errors.h"
#include "suite/devices/fiscal_amounts.h"
#include "suite/dialogs/suite_dialogs.h"
#include "suite/dialogs/touch_style.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace tmk {

PriceQueryDialog::PriceQueryDialog(const PriceQuery& query, QWidget* parent)
    : QDialog(parent)
    , query_(query) {
    setObjectName(QStringLiteral("ConsultaPreco"));
    setWindowTitle(QStringLiteral("Consulta de preço"));
    setModal(true);
    setMinimumSize(640, 460);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(
        headerLabel(QStringLiteral("Consulta de preço"), QStringLiteral("lblCaption"), this));
    busca_ = new QLineEdit(this);
    busca_->setObjectName(QStringLiteral("edtBusca"));
    busca_->setPlaceholderText(QStringLiteral("Nome, código ou código de barras do produto"));
    busca_->setMinimumHeight(40);
    QFont bf = busca_->font();
    bf.setPointSize(kTouchFontPoints - 2);
    busca_->setFont(bf);
    connect(busca_, &QLineEdit::textChanged, this, &PriceQueryDialog::search);
    layout->addWidget(busca_);
    const QStringList headers = {QStringLiteral("Código"), QStringLiteral("Produto"),
                                 QStringLiteral("Unidade"), QStringLiteral("Preço R$")};
    grid_ = new QTableWidget(0, int(headers.size()), this);
    grid_->setObjectName(QStringLiteral("grdProdutos"));
    grid_->setHorizontalHeaderLabels(headers);
    grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid_->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid_->verticalHeader()->setVisible(false);
    QFont gf = grid_->font();
    gf.setPointSize(kTouchFontPoints - 4);
    grid_->setFont(gf);
    grid_->horizontalHeader()->setSectionResizeMode(1, QHeaderView::Stretch);
    layout->addWidget(grid_, 1);
    auto* actions = new QHBoxLayout;
    resultado_ = new QLabel(this);
    resultado_->setObjectName(QStringLiteral("lblResultado"));
    actions->addWidget(resultado_);
    actions->addStretch();
    QPushButton* close = touchButton(QStringLiteral("Fechar"), QStringLiteral("btnFechar"), this);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    actions->addWidget(close);
    layout->addLayout(actions);
    search(QString());
    busca_->setFocus();
}

void PriceQueryDialog::search(const QString& texto) {
    const QList<PriceQuery::Product> found = query_.search(texto);
    grid_->setRowCount(int(found.size()));
    for (int r = 0; r < found.size(); ++r) {
        const PriceQuery::Product& p = found.at(r);
        auto* preco = new QTableWidgetItem(brAmount(toCents(p.preco)));
        preco->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        grid_->setItem(r, 0, new QTableWidgetItem(p.codigo));
        grid_->setItem(r, 1, new QTableWidgetItem(p.nome));
        grid_->setItem(r, 2, new QTableWidgetItem(p.unidade));
        grid_->setItem(r, 3, preco);
    }
    grid_->resizeColumnToContents(0);
    grid_->resizeColumnToContents(2);
    grid_->resizeColumnToContents(3);
    resultado_->setText(found.isEmpty()     ? QStringLiteral("Nenhum produto encontrado.")
                        : found.size() == 1 ? QStringLiteral("1 produto")
                                            : QStringLiteral("%1 produtos").arg(found.size()));
}

void SuiteDialogs::CriaConsultaPreco() {
    try {
        const PriceQuery query(db_);
        PriceQueryDialog dialog(query, dialogParent());
        execDialog(dialog);
    } catch (const AppError& e) {
        showMessage(e.message(), MsgErro);
    }
}

} // namespace tmk
