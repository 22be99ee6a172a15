#pragma once

#include "suite/dialogs/price_query.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QTableWidget;

namespace tmk {

// The price query dialog: "edtBusca" (name, code or barcode), "grdProdutos" (code,
// product, unit, price), "lblResultado" (how many were found) and "btnFechar".
class PriceQueryDialog : public QDialog {
    Q_OBJECT

public:
    PriceQueryDialog(const PriceQuery& query, QWidget* parent = nullptr);

    void search(const QString& texto);
    QTableWidget* grid() const { return grid_; }

private:
    const PriceQuery& query_;
    QLineEdit* busca_ = nullptr;
    QTableWidget* grid_ = nullptr;
    QLabel* resultado_ = nullptr;
};

} // namespace tmk
