#include "tools/reliability/operator_robot.h"

#include "db/demo/demo_catalogue.h"
#include "suite/dialogs/table_opening_dialog.h"

#include <QApplication>
#include <QDialog>
#include <QMessageBox>
#include <QPushButton>

namespace tmk {

OperatorRobot::OperatorRobot(QObject* parent)
    : QObject(parent) {
    timer_.setInterval(2);
    connect(&timer_, &QTimer::timeout, this, &OperatorRobot::look);
    timer_.start();
}

QStringList OperatorRobot::take() {
    QStringList t;
    t.swap(told_);
    return t;
}

void OperatorRobot::look() {
    QWidget* w = QApplication::activeModalWidget();
    if (!w || !w->isVisible() || answered_.contains(w) ||
        w->objectName() == QLatin1String("wndAguarde")) {
        return;
    }
    // The answer runs outside the timer's slot: a box it opens is answered by the next tick.
    answered_.insert(w);
    QPointer<QWidget> janela(w);
    QMetaObject::invokeMethod(
        this,
        [this, janela] {
            if (janela) {
                QWidget* janelaRespondida = janela.data();
                answer(janelaRespondida);
                connect(janelaRespondida, &QObject::destroyed, this,
                        [this, janelaRespondida] { answered_.remove(janelaRespondida); });
            }
        },
        Qt::QueuedConnection);
}

namespace {

void clica(QWidget& janela, const char* botao) {
    if (auto* b = janela.findChild<QPushButton*>(QString::fromLatin1(botao))) {
        b->click();
    }
}

} // namespace

void OperatorRobot::answer(QWidget* w) {
    if (auto* box = qobject_cast<QMessageBox*>(w)) {
        told_ << box->text();
        box->done(QMessageBox::No);
        return;
    }
    auto* dialog = qobject_cast<QDialog*>(w);
    if (auto* abertura = qobject_cast<TableOpeningDialog*>(w)) {
        abertura->chooseWaiter(QString::fromLatin1(demo::kWaiters[0].code));
        abertura->typeDigit(QLatin1Char('2'));
        abertura->confirm();
        // A refused opening that stays open (database refused) is given up.
        if (abertura->isVisible()) {
            abertura->reject();
        }
        return;
    }
    if (w->objectName() == QLatin1String("SenhaGarcom")) {
        // The table was taken meanwhile: the operator does not continue another's table.
        told_ << QStringLiteral("Senha do garçom pedida: cancelada.");
        dialog->reject();
        return;
    }
    if (w->objectName() == QLatin1String("Recebimento")) {
        clica(*w, "btnTipo001"); // cash, what is due
        clica(*w, "btnConcluir");
        if (w->isVisible() && dialog) {
            told_ << QStringLiteral("O recebimento não pôde ser concluído em dinheiro.");
            clica(*w, "btnCancelar");
        }
        return;
    }
    told_ << QStringLiteral("Janela inesperada: %1 \"%2\".").arg(w->objectName(), w->windowTitle());
    if (dialog) {
        dialog->reject();
    } else {
        w->close();
    }
}

} // namespace tmk
