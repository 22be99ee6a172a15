#pragma once

#include <QString>

namespace tmk {

// A line of an order: one product, how many, for which seat and with what note. On the
// screen it is not yet sent; on the pad it carries its item number.
struct OrderLine {
    QString cdProduto;
    QString caption;
    double price = 0;
    int quantity = 1;
    int position = 1; // seat, from 1
    QString observation;
    QString nrProdComVen; // the item number, once on the pad

    double amount() const { return price * quantity; }
};

} // namespace tmk
