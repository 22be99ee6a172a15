#pragma once

#include <QFrame>

class QLabel;

namespace tmk {

// The busy notice of AtivaProcesso: a small frameless box with a text ("Verificando o
// Pagamento da Mesa... Aguarde!"), centred over the window it is shown for and painted
// at once, so the operator sees it while the till works. Named parts: the box
// "wndAguarde" and its text "lblAviso".
class BusyNotice : public QFrame {
    Q_OBJECT

public:
    explicit BusyNotice(QWidget* over);

    void setText(const QString& text);
    QString text() const;
    // Shows it centred over the window and paints it before returning.
    void showNow();

private:
    QWidget* over_;
    QLabel* label_;
};

} // namespace tmk
