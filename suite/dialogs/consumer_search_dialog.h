#pragma once

#include "suite/dialogs/consumer_search.h"

#include <QDialog>
#include <optional>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableWidget;

namespace tmk {

// The consumer search dialog: "cmbCliente" (the store's clients, the first row all of
// them), "edtBusca" (name, CPF or code), "grdConsumidores" (name, CPF, client, code,
// e-mail, situation), "lblResultado" (how many were found), "btnSeleciona" (only outside
// a consultation) and "btnFechar".
class ConsumerSearchDialog : public QDialog {
    Q_OBJECT

public:
    ConsumerSearchDialog(const ConsumerSearch& search, bool consulta, QWidget* parent = nullptr);

    // What the controls do, callable without showing the dialog.
    void search(const QString& texto);
    void chooseClient(const QString& cdCliente); // empty: every client
    void chooseRow(int row);
    QTableWidget* grid() const { return grid_; }
    // The consumer of the chosen row, if any.
    std::optional<ConsumerSearch::Consumer> chosen() const;

private:
    void refresh();

    const ConsumerSearch& search_;
    QList<ConsumerSearch::Consumer> found_;
    QComboBox* cliente_ = nullptr;
    QLineEdit* busca_ = nullptr;
    QTableWidget* grid_ = nullptr;
    QLabel* resultado_ = nullptr;
};

} // namespace tmk
