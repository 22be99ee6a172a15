#include "suite/dialogs/table_menu_dialog.h"

#include "external/common.h"
#include "platform/database_error.h"
#include "suite/dialogs/suite_dialogs.h"
#include "suite/dialogs/till_identity.h"
#include "suite/dialogs/touch_style.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace tmk {

namespace {

constexpr int kTableRole = Qt::UserRole;

} // namespace

TableMenuDialog::TableMenuDialog(TableJoins& joins, QString nrConfTela, Notice notice,
                                 QWidget* parent)
    : QDialog(parent)
    , joins_(joins)
    , nrConfTela_(std::move(nrConfTela))
    , notice_(std::move(notice)) {
    setObjectName(QStringLiteral("MenuMesa"));
    setWindowTitle(QStringLiteral("Funções operacionais"));
    setModal(true);
    setMinimumSize(700, 480);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(
        headerLabel(QStringLiteral("Funções operacionais"), QStringLiteral("lblCaption"), this));
    auto* info = new QLabel(QStringLiteral("Toque nas mesas e escolha Juntar mesas, ou toque "
                                           "numa mesa junta e escolha Separar mesas."),
                            this);
    info->setObjectName(QStringLiteral("lblAviso"));
    info->setWordWrap(true);
    layout->addWidget(info);
    list_ = new QListWidget(this);
    list_->setObjectName(QStringLiteral("lstMesas"));
    list_->setViewMode(QListView::IconMode);
    list_->setFlow(QListView::LeftToRight);
    list_->setWrapping(true);
    list_->setResizeMode(QListView::Adjust);
    list_->setMovement(QListView::Static);
    list_->setGridSize(QSize(76, 48));
    list_->setSpacing(2);
    list_->setSelectionMode(QAbstractItemView::MultiSelection);
    QFont f = list_->font();
    f.setPointSize(kTouchFontPoints - 3);
    f.setBold(true);
    list_->setFont(f);
    layout->addWidget(list_, 1);
    auto* actions = new QHBoxLayout;
    QPushButton* juntar =
        touchButton(QStringLiteral("Juntar mesas"), QStringLiteral("btnJuntar"), this);
    QPushButton* separar =
        touchButton(QStringLiteral("Separar mesas"), QStringLiteral("btnSeparar"), this);
    QPushButton* voltar = touchButton(QStringLiteral("Voltar"), QStringLiteral("btnVoltar"), this);
    for (QPushButton* b : {juntar, separar, voltar}) {
        b->setMinimumWidth(180);
    }
    connect(juntar, &QPushButton::clicked, this, &TableMenuDialog::join);
    connect(separar, &QPushButton::clicked, this, &TableMenuDialog::separate);
    connect(voltar, &QPushButton::clicked, this, &QDialog::accept);
    actions->addWidget(juntar);
    actions->addWidget(separar);
    actions->addStretch();
    actions->addWidget(voltar);
    layout->addLayout(actions);
    reload();
}

void TableMenuDialog::reload() {
    list_->clear();
    for (const TableJoins::Table& t : joins_.tables(nrConfTela_)) {
        const QString numero = RemoveZerosEsqStr(t.nrMesa);
        auto* item = new QListWidgetItem(
            t.grupo.isEmpty() ? numero : QLatin1Char('(') + numero + QLatin1Char(')'), list_);
        item->setData(kTableRole, t.nrMesa);
        item->setTextAlignment(Qt::AlignCenter);
        item->setToolTip(t.grupo.isEmpty() ? t.nome
                                           : QStringLiteral("%1 — junção %2").arg(t.nome, t.grupo));
    }
}

void TableMenuDialog::reloadAfterChange() {
    try {
        reload();
    } catch (const AppError& e) {
        notice_(e.message(), MsgErro);
    }
}

void TableMenuDialog::selectTables(const QStringList& mesas) {
    for (int r = 0; r < list_->count(); ++r) {
        QListWidgetItem* item = list_->item(r);
        item->setSelected(mesas.contains(item->data(kTableRole).toString()));
    }
}

QStringList TableMenuDialog::selectedTables() const {
    QStringList mesas;
    for (int r = 0; r < list_->count(); ++r) {
        if (list_->item(r)->isSelected()) {
            mesas << list_->item(r)->data(kTableRole).toString();
        }
    }
    return mesas;
}

void TableMenuDialog::join() {
    const QStringList mesas = selectedTables();
    try {
        joins_.join(mesas);
        notice_(QStringLiteral("Mesas %1 juntas.").arg(mesas.join(QStringLiteral(", "))),
                MsgInformacao);
    } catch (const DatabaseError& e) {
        notice_(e.message(), MsgErro);
    } catch (const AppError& e) {
        notice_(e.message(), MsgAviso);
    }
    reloadAfterChange();
}

void TableMenuDialog::separate() {
    const QStringList mesas = selectedTables();
    if (mesas.size() != 1) {
        notice_(QStringLiteral("Toque em uma mesa junta para separar o seu grupo."), MsgAviso);
        return;
    }
    try {
        const QStringList separadas = joins_.separate(mesas.first());
        notice_(QStringLiteral("Mesas %1 separadas.").arg(separadas.join(QStringLiteral(", "))),
                MsgInformacao);
    } catch (const DatabaseError& e) {
        notice_(e.message(), MsgErro);
    } catch (const AppError& e) {
        notice_(e.message(), MsgAviso);
    }
    reloadAfterChange();
}

void SuiteDialogs::CriaMenuMesa(const QString& cdFilial, const QString& cdLoja,
                                const QString& nrConfTela, int /*a4*/) {
    const Notice notice = [this](const QString& text, int tipo) {
        showMessage(text, tipo);
    };
    try {
        QString operador;
        try {
            operador = TillIdentity::read().cdOperador;
        } catch (const AppError&) {
            // Only recorded with a new group; the menu works without it.
        }
        TableJoins joins(db_, cdFilial, cdLoja, operador);
        TableMenuDialog dialog(joins, nrConfTela, notice, dialogParent());
        execDialog(dialog);
    } catch (const AppError& e) {
        notice(e.message(), MsgErro);
    }
}

} // namespace tmk
