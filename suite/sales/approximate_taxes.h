#pragma once

#include "suite/devices/fiscal_sale.h"

#include <QList>
#include <QSqlDatabase>
#include <QString>

namespace tmk {

// The approximate federal and state taxes of a coupon's lines, in cents. Each line's
// value (its total less its discount plus its surcharge) is charged with its product's
// approximate tax burden (PRODUTO.VRPETRIBFED and VRPETRIBEST, percent). A product
// without a state rate takes the ICMS rate of the line when its tax is ICMS ("T"); one
// without a federal rate counts 0. The sums are rounded to the cent once, at the end.
struct ApproximateTaxes {
    qint64 federal = 0;
    qint64 estadual = 0;
    qint64 total() const { return federal + estadual; }
};

// One indexed read of PRODUTO per product of the lines. DatabaseError when refused.
ApproximateTaxes approximateTaxes(QSqlDatabase& db, const QList<FiscalItem>& itens);

// The text of an approximate tax the sale conclusion hands on: two decimals with a
// point, no thousands separator ("1234.50").
QString taxText(qint64 cents);

} // namespace tmk
