#include "suite/sales/stored_sale.h"

#include "platform/errors.h"
#include "suite/devices/fiscal_amounts.h"
#include "suite/devices/fiscal_issuer.h"
#include "suite/devices/sale_packets.h"
#include "suite/sales/approximate_taxes.h"
#include "suite/sales/sales_query.h"

namespace tmk {

namespace {

QString failure(const QString& nrSeqVenda) {
    return QStringLiteral("Não foi possível ler a venda %1.").arg(nrSeqVenda);
}

DataPacket salePacket(QSqlDatabase& db, const QString& name, const QString& cdFilial,
                      const QString& cdCaixa, const QString& nrSeqVenda) {
    SalesQuery q(db, name, failure(nrSeqVenda));
    q.bind(QStringLiteral("CDFILIAL"), cdFilial)
        .bind(QStringLiteral("CDCAIXA"), cdCaixa)
        .bind(QStringLiteral("NRSEQVENDA"), nrSeqVenda)
        .exec();
    return q.packet();
}

} // namespace

StoredSaleHeader storedSaleHeader(QSqlDatabase& db, const QString& cdFilial, const QString& cdCaixa,
                                  const QString& nrSeqVenda) {
    const DataPacket p =
        salePacket(db, QStringLiteral("venda_dados"), cdFilial, cdCaixa, nrSeqVenda);
    if (p.isEmpty()) {
        throw AppError(QStringLiteral("Venda %1 não encontrada no caixa %2 da filial %3.")
                           .arg(nrSeqVenda, cdCaixa, cdFilial));
    }
    const auto text = [&p](const char* column) {
        return p.value(0, QString::fromLatin1(column)).toString().trimmed();
    };
    StoredSaleHeader h;
    h.nrVendaRest = text("NRVENDAREST");
    h.idSituVenda = text("IDSITUVENDA");
    h.idStatusNfce = text("IDSTATUSNFCE");
    h.nrAcessoNfce = text("NRACESSONFCE");
    h.dsQrCodeNfce = text("DSQRCODENFCE");
    h.nrProtAutNfce = text("NRPROTAUTNFCE");
    h.nrNotaFiscalCe = text("NRNOTAFISCALCE");
    h.nrSerieNfce = text("NRSERIENFCE");
    h.dtEmissNfce = p.value(0, QStringLiteral("DTEMISSNFCE")).toDateTime();
    h.dtVenda = p.value(0, QStringLiteral("DTVENDA")).toDateTime();
    h.cdSenhaPed = text("CDSENHAPED");
    h.nmFilial = text("NMFILIAL");
    return h;
}

FiscalSale storedFiscalSale(QSqlDatabase& db, const QString& cdFilial, const QString& cdCaixa,
                            const QString& nrSeqVenda) {
    const StoredSaleHeader h = storedSaleHeader(db, cdFilial, cdCaixa, nrSeqVenda);
    const DataPacket itens =
        salePacket(db, QStringLiteral("venda_itens"), cdFilial, cdCaixa, nrSeqVenda);
    const DataPacket pagamentos =
        salePacket(db, QStringLiteral("venda_pagamentos"), cdFilial, cdCaixa, nrSeqVenda);
    if (itens.isEmpty()) {
        throw AppError(QStringLiteral("A venda %1 não tem itens.").arg(nrSeqVenda));
    }
    FiscalSale s = fiscalSaleFromPackets(itens, pagamentos);
    s.cdFilial = cdFilial;
    s.cdCaixa = cdCaixa;
    s.nrSeqVenda = nrSeqVenda;
    s.serie = h.nrSerieNfce;
    s.dataEmissao = h.dtEmissNfce;
    s.senha = h.cdSenhaPed;
    s.emitente = readTillIssuer();
    s.emitente.nome = h.nmFilial;
    const ApproximateTaxes t = approximateTaxes(db, s.itens);
    s.tributosFederais = fromCents(t.federal);
    s.tributosEstaduais = fromCents(t.estadual);
    return s;
}

} // namespace tmk
