#pragma once

#include <QDialog>
#include <functional>

class QButtonGroup;
class QGridLayout;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QTableWidget;

namespace tmk {

class OrderModel;

// The order screen (800 x 600, touch sized): the pad's heading at the top, the menu's
// groups and product buttons on the left, the pad's lines on the right with the selected
// line's quantity, seat and observation below them. Every touch is a call into the
// OrderModel; what it refuses is told in lblAviso and changes nothing.
//
// "Enviar" writes the lines to the pad and closes the screen (accepted); on a counter sale
// the button reads "Pagar" and the screen closes accepted for the payment. "Voltar ao mapa"
// closes it rejected, asking first when lines were not sent.
class OrderScreen : public QDialog {
    Q_OBJECT
public:
    explicit OrderScreen(OrderModel& model, QWidget* parent = nullptr);

    // How a counter sale is received (the table module's receipt of the counter table).
    void setCounterReceiver(std::function<bool(const QString& nrMesa)> receive) {
        receive_ = std::move(receive);
    }

    // Shows the screen, modal, until it is closed (accepted when the items were sent or
    // paid). A pad without a waiter has the waiter asked first, over the screen.
    int run();

    // Shows a group's products.
    void showGroup(int index);
    // Asks for the waiter when the pad has none; false when the operator gave up.
    bool askWaiter();

protected:
    void reject() override;

private:
    void touchProduct(const QString& cdProduto);
    void refreshLines(int select);
    void refreshSelection();
    void send();
    void tell(const QString& text, bool error = true);
    template <typename F>
    bool attempt(F&& f);
    int selectedLine() const;

    OrderModel& model_;
    QLabel* heading_ = nullptr;
    QLabel* waiter_ = nullptr;
    QHBoxLayout* groups_ = nullptr;
    QGridLayout* products_ = nullptr;
    QWidget* productsPanel_ = nullptr;
    QTableWidget* lines_ = nullptr;
    QSpinBox* quantity_ = nullptr;
    QSpinBox* position_ = nullptr;
    QLineEdit* observation_ = nullptr;
    QPushButton* remove_ = nullptr;
    QPushButton* send_ = nullptr;
    QLabel* total_ = nullptr;
    QLabel* notice_ = nullptr;
    bool updating_ = false;
    std::function<bool(const QString&)> receive_;
};

} // namespace tmk
