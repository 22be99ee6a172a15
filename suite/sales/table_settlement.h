#pragma once

#include <QDateTime>
#include <QSqlDatabase>
#include <QString>

namespace tmk {

// A table whose coupon was concluded.
struct TableSettlement {
    int modo = 0; // 0 the last (or only) coupon, 2 an earlier coupon of a split
    QString cdFilial;
    QString cdLoja;
    QString cdCaixa;
    QString nrMesa;
    QString nrVendaRest;   // the table's restaurant sale
    QString listaComandas; // "_0001_0002_"
    QString nrSeqVenda;    // the fiscal sale of the coupon
};

// Settles a table after a concluded coupon, in one transaction; every read and write
// goes by key or index, one tab at a time, so a long history does not slow it.
//
// Mode 2 (more coupons of the account to come): the live items of the listed open tabs
// that the coupon sold (their products are in the sale) are settled by it
// (ITCOMANDAVEN.NRSEQVENDA); the table's state is not touched (it stays "R").
// Mode 0 (the account is paid): every live item of the listed open tabs not settled
// yet is settled by the sale, the tabs are closed (IDSTCOMANDA '4'), their restaurant
// sales (and nrVendaRest) are closed (DTHRFECHMESA), and the table and every table of
// its join group are free ('D') and the join group is undone.
//
// AppError for a mode other than 0 and 2, or without branch, store, table or (mode 2)
// sale; DatabaseError when refused (nothing is then changed).
void settleTable(QSqlDatabase& db, const TableSettlement& s, const QDateTime& now);

// Closes the listed open tabs and their restaurant sales (and nrVendaRest), in one
// transaction, when the positions paid through the app left the table's sale without
// items; the table's state is left to the caller.
void settleTabs(QSqlDatabase& db, const QString& cdFilial, const QString& listaComandas,
                const QString& nrVendaRest, const QDateTime& now);

} // namespace tmk
