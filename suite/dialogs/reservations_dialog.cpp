#include "suite/dialogs/reservations_dialog.h"

#include "external/common.h"
#include "platform/errors.h"
#include "suite/dialogs/suite_dialogs.h"
#include "suite/dialogs/till_identity.h"
#include "suite/dialogs/touch_style.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace tmk {

ReservationsDialog::ReservationsDialog(const QString& caption, const QList<Reservations::Row>& rows,
                                       const QString& marked, QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("Reservas"));
    setWindowTitle(caption);
    setModal(true);
    setMinimumSize(760, 360);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(headerLabel(caption, QStringLiteral("lblCaption"), this));

    const QStringList headers = {
        QStringLiteral("Reserva"), QStringLiteral("Dia"),      QStringLiteral("Horário"),
        QStringLiteral("Mesa"),    QStringLiteral("Nome"),     QStringLiteral("Telefone"),
        QStringLiteral("Pessoas"), QStringLiteral("Situação"), QStringLiteral("Observação")};
    grid_ = new QTableWidget(int(rows.size()), int(headers.size()), this);
    grid_->setObjectName(QStringLiteral("grdReservas"));
    grid_->setHorizontalHeaderLabels(headers);
    grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid_->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid_->verticalHeader()->setVisible(false);
    QFont f = grid_->font();
    f.setPointSize(kTouchFontPoints - 5);
    grid_->setFont(f);
    for (int r = 0; r < rows.size(); ++r) {
        const Reservations::Row& row = rows.at(r);
        const QStringList cells = {row.numero,
                                   row.data.toString(QStringLiteral("dd/MM/yyyy")),
                                   row.inicio + QStringLiteral(" às ") + row.fim,
                                   row.mesa,
                                   row.cliente,
                                   row.telefone,
                                   row.pessoas > 0 ? QString::number(row.pessoas) : QString(),
                                   row.situacao,
                                   row.observacao};
        for (int c = 0; c < cells.size(); ++c) {
            grid_->setItem(r, c, new QTableWidgetItem(cells.at(c)));
        }
        if (!marked.isEmpty() && row.numero == marked) {
            grid_->selectRow(r);
        }
    }
    grid_->resizeColumnsToContents();
    grid_->horizontalHeader()->setStretchLastSection(true);
    layout->addWidget(grid_);
    if (rows.isEmpty()) {
        grid_->setVisible(false);
        auto* empty = new QLabel(QStringLiteral("Não há reservas neste período."), this);
        empty->setObjectName(QStringLiteral("lblVazio"));
        empty->setAlignment(Qt::AlignCenter);
        QFont ef = empty->font();
        ef.setPointSize(kTouchFontPoints - 2);
        empty->setFont(ef);
        layout->addWidget(empty, 1);
    }
    auto* actions = new QHBoxLayout;
    actions->addStretch();
    QPushButton* close = touchButton(QStringLiteral("Fechar"), QStringLiteral("btnFechar"), this);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    actions->addWidget(close);
    layout->addLayout(actions);
}

void SuiteDialogs::CriaListReserva(const QString& nrMesa, const QDateTime& primeiroDia,
                                   const QDateTime& ultimoDia) {
    try {
        const TillIdentity till = TillIdentity::read();
        Reservations reservas(db_, till.cdFilial, till.cdLoja);
        const QDate de = primeiroDia.date();
        const QDate ate = ultimoDia.isValid() ? ultimoDia.date() : de;
        const QString caption = de == ate
                                    ? QStringLiteral("Reservas da mesa %1 em %2")
                                          .arg(nrMesa, de.toString(QStringLiteral("dd/MM/yyyy")))
                                    : QStringLiteral("Reservas da mesa %1 de %2 a %3")
                                          .arg(nrMesa, de.toString(QStringLiteral("dd/MM/yyyy")),
                                               ate.toString(QStringLiteral("dd/MM/yyyy")));
        ReservationsDialog dialog(caption, reservas.ofTable(nrMesa, de, ate), {}, dialogParent());
        execDialog(dialog);
    } catch (const AppError& e) {
        showMessage(e.message(), MsgErro);
    }
}

void SuiteDialogs::CriaConsulReserva(const QString& nrResMesa) {
    try {
        const TillIdentity till = TillIdentity::read();
        Reservations reservas(db_, till.cdFilial, till.cdLoja);
        const std::optional<QDate> dia = reservas.dayOf(nrResMesa);
        if (!dia) {
            showMessage(QStringLiteral("Reserva %1 não encontrada.").arg(nrResMesa), MsgAviso);
            return;
        }
        ReservationsDialog dialog(
            QStringLiteral("Reserva %1 entre as reservas de %2")
                .arg(nrResMesa.trimmed(), dia->toString(QStringLiteral("dd/MM/yyyy"))),
            reservas.ofDay(*dia), nrResMesa.trimmed(), dialogParent());
        execDialog(dialog);
    } catch (const AppError& e) {
        showMessage(e.message(), MsgErro);
    }
}

} // namespace tmk
