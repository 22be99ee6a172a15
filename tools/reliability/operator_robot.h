#pragma once

#include <QObject>
#include <QPointer>
#include <QSet>
#include <QStringList>
#include <QTimer>

class QWidget;

namespace tmk {

// The operator of a till without one: answers every modal window as soon as it shows. The
// opening of a table is confirmed for the first waiter and two people, the payment dialog
// is paid in cash and concluded, the waiter's password (asked for a table another till has
// just opened) is cancelled, a message box is read (its text kept) and answered "Não"; any
// other dialog is recorded and closed.
class OperatorRobot : public QObject {
    Q_OBJECT

public:
    explicit OperatorRobot(QObject* parent = nullptr);

    // What the till told or asked since the last take, in order.
    QStringList take();

private:
    void look();
    void answer(QWidget* window);

    QTimer timer_;
    QSet<QWidget*> answered_;
    QStringList told_;
};

} // namespace tmk
