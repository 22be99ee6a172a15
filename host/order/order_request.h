#pragma once

#include <QString>
#include <QStringList>
#include <QVariantList>

namespace tmk {

// What the table map asks the order screen to open ("VENDA_CONS" and its nine values).
struct OrderRequest {
    QString nrVendaRest;
    QString dsComanda;
    QString cdCliente;
    QString nrMesa;
    QString nrComanda;
    QString cdVendedor;
    QString tipoVenda; // "M" a table, "B" a counter sale
    QString cdConsumidor;
    bool abreVenda = false;

    bool balcao() const { return tipoVenda == QLatin1String("B"); }
    // The ten result values of the table map's entry.
    static OrderRequest fromResult(const QVariantList& result);
};

// The till's keys and switches the order screen needs, from its parameter file
// ("PARAMETROSKOV.CDS").
struct OrderTill {
    QString cdFilial;
    QString cdLoja;
    QString cdCaixa;
    QString nrConfTela;
    QString idUtlSenhaOper; // "L": the waiter may be left out at the map
    // The charges the till puts on an account itself (minimum consumption, its female rate,
    // cover charge): never ordered from the menu.
    QStringList produtosCobrados;

    // AppError naming the file when it is missing, damaged or lacks a key.
    static OrderTill read();
};

} // namespace tmk
