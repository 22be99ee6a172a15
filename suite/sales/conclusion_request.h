#pragma once

#include "platform/data_packet.h"

#include <QDateTime>
#include <QList>
#include <QString>
#include <QVariantList>

namespace tmk {

class ClientDataSet;

// What a sale conclusion receives (13 in-memory tables, 47 values), read into names.
// Only the tables and values the stored sale uses are kept.
struct ConclusionRequest {
    // Tables 0, 1 and 2: the items of the coupon, its payments and its cancelled items.
    DataPacket itens;
    DataPacket pagamentos;
    DataPacket cancelados;

    QString cdCaixa;         // value 0
    QDateTime dtAberCaixa;   // 1
    QString cdEmpresa;       // 2
    QString nrCupom;         // 3
    QString nrContCupomFisc; // 4
    QString cdFilial;        // 5
    QString listaComandas;   // 6
    QString dsComanda;       // 7
    QString cdLoja;          // 8
    QString nrMesa;          // 9
    QString nrVendaRest;     // 10
    QString nrNaoFiscal;     // 12
    QString nrSerieImp;      // 15
    int idTipoImpFis = 0;    // 16
    QString dsModeloEcf;     // 17
    QString dsMarcaEcf;      // 18
    QString ecfImp;          // 19
    QDateTime dataMovimento; // 20
    QString origemVenda;     // 32
    QDateTime dtEmissNfce;   // 34 ("dd/MM/yyyy HH:mm:ss")
    QString nrSerieNfce;     // 36
    QString senhaCupom;      // 37
    QString tipoDocFiscal;   // 39: "N" NFC-e, "S" SAT, "E" fiscal printer or none
    QString idFiscalDialogo; // 46: "S" the dialog documented the sale itself

    // The tabs of the tab list ("_0001_0002_" gives 0001 and 0002), in order.
    QStringList comandas() const;
    // The sale's NFC-e is issued by the conclusion.
    bool emiteNfce() const;

    // Reads the tables and values; AppError in Portuguese naming what is missing or
    // malformed (fewer than 13 tables or 47 values, no item or payment table, no
    // branch or till, no valid cash opening).
    static ConclusionRequest read(const QList<ClientDataSet*>& tables, const QVariantList& values);
};

} // namespace tmk
