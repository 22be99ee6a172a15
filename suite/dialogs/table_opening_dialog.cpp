#include "suite/dialogs/table_opening_dialog.h"

#include "external/common.h"
#include "platform/database_error.h"
#include "suite/dialogs/keypad_buttons.h"
#include "suite/dialogs/search_text.h"
#include "suite/dialogs/suite_dialogs.h"
#include "suite/dialogs/touch_style.h"

#include <QButtonGroup>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace tmk {

namespace {

QLabel* sectionLabel(const QString& text, QWidget* parent) {
    auto* l = new QLabel(text, parent);
    QFont f = l->font();
    f.setPointSize(kTouchFontPoints - 2);
    f.setBold(true);
    l->setFont(f);
    return l;
}

constexpr int kCodeRole = Qt::UserRole;
constexpr int kClientRole = Qt::UserRole + 1;

} // namespace

TableOpeningDialog::TableOpeningDialog(TableOpening& opening, Notice notice, QWidget* parent)
    : QDialog(parent)
    , opening_(opening)
    , notice_(std::move(notice)) {
    setObjectName(QStringLiteral("AberturaMesa"));
    const QString caption = QStringLiteral("Abertura da mesa %1").arg(opening.nrMesa());
    setWindowTitle(caption);
    setModal(true);
    const QList<TableOpening::Waiter> waiters = opening_.waiters();
    consumers_ = opening_.consumers();

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(headerLabel(caption, QStringLiteral("lblCaption"), this));
    auto* columns = new QHBoxLayout;
    layout->addLayout(columns);

    auto* left = new QVBoxLayout;
    columns->addLayout(left, 3);
    left->addWidget(sectionLabel(QStringLiteral("Garçom"), this));
    auto* grid = new QGridLayout;
    grid->setSpacing(6);
    waiters_ = new QButtonGroup(this);
    waiters_->setExclusive(true);
    int i = 0;
    for (const TableOpening::Waiter& w : waiters) {
        QPushButton* b = touchChoiceButton(w.shortName.isEmpty() ? w.name : w.shortName,
                                           QStringLiteral("btnVendedor") + w.code, this);
        b->setToolTip(w.name);
        b->setProperty("codigo", w.code);
        b->setMinimumWidth(kTouchKeyWidth + 40);
        waiters_->addButton(b);
        waiterButtons_.insert(w.code, b);
        grid->addWidget(b, i / 3, i % 3);
        ++i;
    }
    if (waiters.isEmpty()) {
        auto* none = new QLabel(QStringLiteral("Nenhum garçom ativo cadastrado."), this);
        none->setObjectName(QStringLiteral("lblSemVendedor"));
        grid->addWidget(none, 0, 0);
    }
    left->addLayout(grid);
    left->addSpacing(8);
    left->addWidget(sectionLabel(QStringLiteral("Consumidor (opcional)"), this));
    consumerFilter_ = new QLineEdit(this);
    consumerFilter_->setObjectName(QStringLiteral("edtConsumidor"));
    consumerFilter_->setPlaceholderText(QStringLiteral("Buscar por nome ou código"));
    consumerFilter_->setMinimumHeight(36);
    connect(consumerFilter_, &QLineEdit::textChanged, this, &TableOpeningDialog::filterConsumers);
    left->addWidget(consumerFilter_);
    consumerList_ = new QListWidget(this);
    consumerList_->setObjectName(QStringLiteral("lstConsumidores"));
    QFont lf = consumerList_->font();
    lf.setPointSize(kTouchFontPoints - 4);
    consumerFilter_->setFont(lf);
    consumerList_->setFont(lf);
    consumerList_->setMinimumHeight(150);
    auto* none = new QListWidgetItem(QStringLiteral("Sem consumidor"), consumerList_);
    none->setData(kCodeRole, QString());
    for (const TableOpening::Consumer& c : consumers_) {
        auto* item =
            new QListWidgetItem(QStringLiteral("%1  (%2)").arg(c.name, c.code), consumerList_);
        item->setData(kCodeRole, c.code);
        item->setData(kClientRole, c.client);
    }
    consumerList_->setCurrentRow(0);
    left->addWidget(consumerList_);

    auto* right = new QVBoxLayout;
    columns->addLayout(right, 2);
    right->addWidget(sectionLabel(QStringLiteral("Pessoas na mesa"), this));
    partyLabel_ = new QLabel(this);
    partyLabel_->setObjectName(QStringLiteral("lblPessoas"));
    partyLabel_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    partyLabel_->setFrameShape(QFrame::Box);
    partyLabel_->setMinimumHeight(kTouchKeyHeight);
    partyLabel_->setAutoFillBackground(true);
    QPalette vp = partyLabel_->palette();
    vp.setColor(QPalette::Window, Qt::white);
    vp.setColor(QPalette::WindowText, Qt::black);
    partyLabel_->setPalette(vp);
    QFont vf = partyLabel_->font();
    vf.setPointSize(kTouchFontPoints + 8);
    vf.setBold(true);
    partyLabel_->setFont(vf);
    right->addWidget(partyLabel_);
    auto* keys = new KeypadButtons(this);
    connect(keys, &KeypadButtons::digit, this, &TableOpeningDialog::typeDigit);
    connect(keys, &KeypadButtons::clearAll, this, &TableOpeningDialog::clearParty);
    connect(keys, &KeypadButtons::backspace, this, &TableOpeningDialog::backspace);
    right->addWidget(keys);
    right->addStretch();

    auto* actions = new QHBoxLayout;
    QPushButton* ok =
        touchButton(QStringLiteral("Abrir mesa"), QStringLiteral("btnConfirma"), this);
    QPushButton* cancel =
        touchButton(QStringLiteral("Cancela"), QStringLiteral("btnCancela"), this);
    connect(ok, &QPushButton::clicked, this, &TableOpeningDialog::confirm);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    actions->addWidget(ok);
    actions->addWidget(cancel);
    layout->addLayout(actions);
    refreshParty();
}

void TableOpeningDialog::chooseWaiter(const QString& code) {
    if (QPushButton* b = waiterButtons_.value(code)) {
        b->setChecked(true);
    }
}

QString TableOpeningDialog::waiter() const {
    const QAbstractButton* b = waiters_->checkedButton();
    return b ? b->property("codigo").toString() : QString();
}

void TableOpeningDialog::typeDigit(QChar key) {
    party_.type(key);
    refreshParty();
}

void TableOpeningDialog::backspace() {
    party_.backspace();
    refreshParty();
}

void TableOpeningDialog::clearParty() {
    party_.clear();
    refreshParty();
}

void TableOpeningDialog::refreshParty() {
    partyLabel_->setText(party_.value());
}

void TableOpeningDialog::filterConsumers(const QString& text) {
    const QString wanted = foldedForSearch(text.trimmed());
    for (int r = 1; r < consumerList_->count(); ++r) {
        QListWidgetItem* item = consumerList_->item(r);
        item->setHidden(!wanted.isEmpty() && !foldedForSearch(item->text()).contains(wanted));
    }
}

void TableOpeningDialog::chooseConsumer(const QString& code) {
    for (int r = 0; r < consumerList_->count(); ++r) {
        if (consumerList_->item(r)->data(kCodeRole).toString() == code) {
            consumerList_->setCurrentRow(r);
            return;
        }
    }
}

QString TableOpeningDialog::consumer() const {
    const QListWidgetItem* item = consumerList_->currentItem();
    return item ? item->data(kCodeRole).toString() : QString();
}

void TableOpeningDialog::confirm() {
    const QListWidgetItem* item = consumerList_->currentItem();
    const QString cliente = item ? item->data(kClientRole).toString() : QString();
    try {
        opened_ = opening_.open(waiter(), party_.isEmpty() ? 0 : party_.value().toInt(), consumer(),
                                cliente);
    } catch (const TableOpening::TableTaken& e) {
        notice_(e.message(), MsgAviso);
        reject();
        return;
    } catch (const DatabaseError& e) {
        notice_(e.message(), MsgErro);
        return;
    } catch (const AppError& e) {
        notice_(e.message(), MsgAviso);
        return;
    }
    accept();
}

void TableOpeningDialog::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Backspace:
    case Qt::Key_Delete:
        backspace();
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        confirm();
        return;
    default:
        break;
    }
    const QString text = event->text();
    if (text.size() == 1 && text.at(0).isDigit()) {
        typeDigit(text.at(0));
        return;
    }
    QDialog::keyPressEvent(event);
}

bool SuiteDialogs::AberturaMesa(const QString& nrMesa, ClientDataSet& cdsDadosAbertura) {
    const Notice notice = [this](const QString& text, int tipo) {
        showMessage(text, tipo);
    };
    try {
        TableOpening opening(db_, TillIdentity::read(), nrMesa);
        TableOpeningDialog dialog(opening, notice, dialogParent());
        if (execDialog(dialog) != QDialog::Accepted) {
            return false;
        }
        TableOpening::fill(cdsDadosAbertura, dialog.opened());
        return true;
    } catch (const AppError& e) {
        // The dialog could not be made (the till's files, the database): told here, and
        // the screen records the opening that did not happen.
        notice(QStringLiteral("Não foi possível abrir a mesa %1. %2").arg(nrMesa, e.message()),
               MsgErro);
        return false;
    }
}

} // namespace tmk
