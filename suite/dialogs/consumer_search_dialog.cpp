// PesqConsumidor: the consumers of the store's clients, looked up without changing
// anything.

#include "suite/dialogs/consumer_search_dialog.h"

#include "external/common.h"
#include "platform/errors.h"
#include "suite/dialogs/suite_dialogs.h"
#include "suite/dialogs/touch_style.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace tmk {

ConsumerSearchDialog::ConsumerSearchDialog(const ConsumerSearch& search, bool consulta,
                                           QWidget* parent)
    : QDialog(parent)
    , search_(search) {
    setObjectName(QStringLiteral("PesqConsumidor"));
    const QString caption = consulta ? QStringLiteral("Consulta de Consumidor")
                                     : QStringLiteral("Pesquisa de Consumidor");
    setWindowTitle(caption);
    setModal(true);
    setMinimumSize(760, 500);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(headerLabel(caption, QStringLiteral("lblCaption"), this));

    auto* filters = new QHBoxLayout;
    cliente_ = new QComboBox(this);
    cliente_->setObjectName(QStringLiteral("cmbCliente"));
    cliente_->setFont(sizedFont(cliente_->font(), kTouchFontPoints - 2));
    cliente_->setMinimumHeight(40);
    cliente_->addItem(QStringLiteral("Todos os clientes"), QString());
    for (const ConsumerSearch::Client& c : search.clients()) {
        cliente_->addItem(c.nome.isEmpty() ? c.codigo
                                           : QStringLiteral("%1 (%2)").arg(c.nome, c.codigo),
                          c.codigo);
    }
    connect(cliente_, &QComboBox::currentIndexChanged, this, [this] { refresh(); });
    filters->addWidget(cliente_);
    busca_ = new QLineEdit(this);
    busca_->setObjectName(QStringLiteral("edtBusca"));
    busca_->setPlaceholderText(QStringLiteral("Nome, CPF ou código do consumidor"));
    busca_->setMinimumHeight(40);
    busca_->setMaxLength(60);
    busca_->setFont(sizedFont(busca_->font(), kTouchFontPoints - 2));
    connect(busca_, &QLineEdit::textChanged, this, [this] { refresh(); });
    filters->addWidget(busca_, 1);
    layout->addLayout(filters);

    grid_ =
        touchTable(QStringLiteral("grdConsumidores"),
                   {QStringLiteral("Nome"), QStringLiteral("CPF"), QStringLiteral("Cliente"),
                    QStringLiteral("Código"), QStringLiteral("E-mail"), QStringLiteral("Situação")},
                   this);
    grid_->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    layout->addWidget(grid_, 1);

    auto* actions = new QHBoxLayout;
    resultado_ = new QLabel(this);
    resultado_->setObjectName(QStringLiteral("lblResultado"));
    resultado_->setFont(sizedFont(resultado_->font(), kTouchFontPoints - 3));
    actions->addWidget(resultado_);
    actions->addStretch();
    if (!consulta) {
        QPushButton* select =
            touchButton(QStringLiteral("Selecionar"), QStringLiteral("btnSeleciona"), this);
        select->setMinimumWidth(180);
        connect(select, &QPushButton::clicked, this, [this] {
            if (chosen()) {
                accept();
            }
        });
        actions->addWidget(select);
    }
    QPushButton* close = touchButton(QStringLiteral("Fechar"), QStringLiteral("btnFechar"), this);
    close->setMinimumWidth(160);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    actions->addWidget(close);
    layout->addLayout(actions);
    refresh();
    busca_->setFocus();
}

void ConsumerSearchDialog::search(const QString& texto) {
    busca_->setText(texto); // refreshes
}

void ConsumerSearchDialog::chooseClient(const QString& cdCliente) {
    const int i = cliente_->findData(cdCliente);
    cliente_->setCurrentIndex(i < 0 ? 0 : i);
}

void ConsumerSearchDialog::chooseRow(int row) {
    if (row >= 0 && row < found_.size()) {
        grid_->setCurrentCell(row, 0);
    }
}

std::optional<ConsumerSearch::Consumer> ConsumerSearchDialog::chosen() const {
    const int row = grid_->currentRow();
    if (row < 0 || row >= found_.size()) {
        return std::nullopt;
    }
    return found_.at(row);
}

void ConsumerSearchDialog::refresh() {
    found_ = search_.search(busca_->text(), cliente_->currentData().toString());
    grid_->setRowCount(int(found_.size()));
    for (int r = 0; r < found_.size(); ++r) {
        const ConsumerSearch::Consumer& c = found_.at(r);
        grid_->setItem(r, 0, tableCell(c.nome));
        grid_->setItem(r, 1, tableCell(ConsumerSearch::cpfFormatado(c.cpf)));
        grid_->setItem(r, 2, tableCell(c.nomeCliente.isEmpty() ? c.cdCliente : c.nomeCliente));
        grid_->setItem(r, 3, tableCell(c.codigo));
        grid_->setItem(r, 4, tableCell(c.email));
        grid_->setItem(r, 5,
                       tableCell(c.ativo() ? QStringLiteral("Ativo") : QStringLiteral("Inativo")));
    }
    for (int col = 1; col < grid_->columnCount(); ++col) {
        grid_->resizeColumnToContents(col);
    }
    resultado_->setText(found_.isEmpty() ? QStringLiteral("Nenhum consumidor encontrado.")
                        : found_.size() == 1
                            ? QStringLiteral("1 consumidor")
                            : QStringLiteral("%1 consumidores").arg(found_.size()));
}

void SuiteDialogs::PesqConsumidor(const QString& modo, int /*a2*/, QString& a3,
                                  const QString& /*a4*/, const QString& /*a5*/,
                                  ClientDataSet& cdsCliente, QString& cdCliente,
                                  QStringList& retornos) {
    retornos = QStringList();
    while (retornos.size() < 26) {
        retornos.append(QString());
    }
    try {
        const ConsumerSearch search(db_, ConsumerSearch::clientsOf(cdsCliente));
        const bool consulta =
            modo.trimmed().compare(QLatin1String("CONSULTA"), Qt::CaseInsensitive) == 0;
        ConsumerSearchDialog dialog(search, consulta, dialogParent());
        const int result = execDialog(dialog);
        const std::optional<ConsumerSearch::Consumer> c = dialog.chosen();
        // A consultation hands back the consumer last looked at; a search only the one
        // selected.
        if (c && (consulta || result == QDialog::Accepted)) {
            a3 = c->codigo;
            cdCliente = c->cdCliente;
            retornos = ConsumerSearch::retornos(*c);
        }
    } catch (const AppError& e) {
        showMessage(e.message(), MsgErro);
    }
}

} // namespace tmk
