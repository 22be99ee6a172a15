#pragma once

#include "suite/dialogs/reservations.h"

#include <QDialog>

class QTableWidget;

namespace tmk {

// A read-only list of reservations ("grdReservas": reservation, day, time, table, name,
// phone, people, status, notes), with "lblVazio" when there is none and "btnFechar".
// The rows of one reservation may be marked (the reservation consulted).
class ReservationsDialog : public QDialog {
    Q_OBJECT

public:
    ReservationsDialog(const QString& caption, const QList<Reservations::Row>& rows,
                       const QString& marked = {}, QWidget* parent = nullptr);

    QTableWidget* grid() const { return grid_; }

private:
    QTableWidget* grid_ = nullptr;
};

} // namespace tmk
