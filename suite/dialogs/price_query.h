#pragma once

#include <QList>
#include <QSqlDatabase>
#include <QString>

namespace tmk {

// The price query (CriaConsultaPreco): the products with their prices, found by a part of
// the name (letter case and accents ignored), the code or the barcode.
class PriceQuery {
public:
    struct Product {
        QString codigo;
        QString nome;
        QString unidade;
        double preco = 0;
        QString codigoBarras;
    };

    // Reads the products: DatabaseError when they cannot be read.
    explicit PriceQuery(QSqlDatabase db);

    const QList<Product>& all() const { return products_; }
    // The products that match, in name order; every product for an empty text.
    QList<Product> search(const QString& texto) const;

private:
    QList<Product> products_;
};

} // namespace tmk
