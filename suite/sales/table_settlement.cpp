#include "suite/sales/table_settlement.h"

#include "platform/errors.h"
#include "suite/sales/sales_log.h"
#include "suite/sales/sales_query.h"

#include <QPair>
#include <QStringList>

namespace tmk {

namespace {

const QString kFailure = QStringLiteral("Não foi possível liberar a mesa.");

QStringList tabsOf(const QString& lista) {
    QStringList out;
    for (const QString& part : lista.split(QLatin1Char('_'), Qt::SkipEmptyParts)) {
        if (!part.trimmed().isEmpty() && !out.contains(part.trimmed())) {
            out << part.trimmed();
        }
    }
    return out;
}

using Pad = QPair<QString, QString>; // NRVENDAREST, NRCOMANDA

// The open pads of the listed tab numbers (index IX_COMANDAVEN_COMANDA, per number).
QList<Pad> openPads(QSqlDatabase& db, const QString& cdFilial, const QString& lista) {
    QList<Pad> pads;
    for (const QString& tab : tabsOf(lista)) {
        SalesQuery q(db, QStringLiteral("comandas_abertas"), kFailure);
        q.bind(QStringLiteral("CDFILIAL"), cdFilial).bind(QStringLiteral("NRCOMANDA"), tab).exec();
        while (q.next()) {
            pads << Pad{q.text(QStringLiteral("NRVENDAREST")), q.text(QStringLiteral("NRCOMANDA"))};
        }
    }
    return pads;
}

QVariantMap padKey(const QString& cdFilial, const Pad& pad) {
    return {{QStringLiteral("CDFILIAL"), cdFilial},
            {QStringLiteral("NRVENDAREST"), pad.first},
            {QStringLiteral("NRCOMANDA"), pad.second}};
}

// Closes the pads and the restaurant sales they belong to (and the sale given).
void closePadsAndSales(QSqlDatabase& db, const QString& cdFilial, const QList<Pad>& pads,
                       const QString& nrVendaRest, const QDateTime& now) {
    QStringList sales;
    for (const Pad& pad : pads) {
        SalesQuery(db, QStringLiteral("fecha_comanda"), kFailure)
            .bind(padKey(cdFilial, pad))
            .exec();
        if (!sales.contains(pad.first)) {
            sales << pad.first;
        }
    }
    if (!nrVendaRest.isEmpty() && !sales.contains(nrVendaRest)) {
        sales << nrVendaRest;
    }
    for (const QString& sale : sales) {
        SalesQuery(db, QStringLiteral("fecha_venda_rest"), kFailure)
            .bind(QStringLiteral("CDFILIAL"), cdFilial)
            .bind(QStringLiteral("NRVENDAREST"), sale)
            .bind(QStringLiteral("DTHRFECHMESA"), now)
            .exec();
    }
}

// Frees the table and every table of its join group, and undoes the group.
void freeTableAndGroup(QSqlDatabase& db, const TableSettlement& s) {
    const QVariantMap store{{QStringLiteral("CDFILIAL"), s.cdFilial},
                            {QStringLiteral("CDLOJA"), s.cdLoja}};
    QStringList groups;
    {
        SalesQuery q(db, QStringLiteral("juncao_da_mesa"), kFailure);
        q.bind(store).bind(QStringLiteral("NRMESA"), s.nrMesa).exec();
        while (q.next()) {
            groups << q.text(QStringLiteral("NRJUNMESA"));
        }
    }
    QStringList tables{s.nrMesa};
    for (const QString& group : groups) {
        SalesQuery q(db, QStringLiteral("mesas_da_juncao"), kFailure);
        q.bind(store).bind(QStringLiteral("NRJUNMESA"), group).exec();
        while (q.next()) {
            const QString t = q.text(QStringLiteral("NRMESA"));
            if (!tables.contains(t)) {
                tables << t;
            }
        }
    }
    for (const QString& t : tables) {
        SalesQuery(db, QStringLiteral("libera_mesa"), kFailure)
            .bind(store)
            .bind(QStringLiteral("NRMESA"), t)
            .exec();
    }
    for (const QString& group : groups) {
        for (const char* statement : {"apaga_mesas_juncao", "apaga_juncao"}) {
            SalesQuery(db, QString::fromLatin1(statement), kFailure)
                .bind(store)
                .bind(QStringLiteral("NRJUNMESA"), group)
                .exec();
        }
    }
    qCInfo(lcSuiteSales).noquote() << "tables" << tables.join(QLatin1Char(',')) << "free";
}

} // namespace

void settleTable(QSqlDatabase& db, const TableSettlement& s, const QDateTime& now) {
    if (s.modo != 0 && s.modo != 2) {
        throw AppError(QStringLiteral("Modo de liberação da mesa inválido: %1.").arg(s.modo));
    }
    if (s.cdFilial.isEmpty() || s.cdLoja.isEmpty() || s.nrMesa.isEmpty()) {
        throw AppError(QStringLiteral("Filial, loja ou mesa não informadas para liberar a mesa."));
    }
    if (s.modo == 2 && (s.nrSeqVenda.isEmpty() || s.cdCaixa.isEmpty())) {
        throw AppError(QStringLiteral("Venda não informada para quitar os itens do cupom da mesa "
                                      "%1.")
                           .arg(s.nrMesa));
    }
    SalesTransaction t(db, QStringLiteral("liberação da mesa %1").arg(s.nrMesa));
    const QList<Pad> pads = openPads(db, s.cdFilial, s.listaComandas);
    const QVariantMap sale{{QStringLiteral("CDCAIXA"), s.cdCaixa},
                           {QStringLiteral("NRSEQVENDA"), s.nrSeqVenda}};
    if (s.modo == 2) {
        for (const Pad& pad : pads) {
            SalesQuery(db, QStringLiteral("quita_itens_cupom"), kFailure)
                .bind(padKey(s.cdFilial, pad))
                .bind(sale)
                .exec();
        }
        t.commit();
        return;
    }
    if (!s.nrSeqVenda.isEmpty()) {
        for (const Pad& pad : pads) {
            SalesQuery(db, QStringLiteral("quita_itens_comanda"), kFailure)
                .bind(padKey(s.cdFilial, pad))
                .bind(sale)
                .exec();
        }
    }
    closePadsAndSales(db, s.cdFilial, pads, s.nrVendaRest, now);
    freeTableAndGroup(db, s);
    t.commit();
}

void settleTabs(QSqlDatabase& db, const QString& cdFilial, const QString& listaComandas,
                const QString& nrVendaRest, const QDateTime& now) {
    if (cdFilial.isEmpty() || (tabsOf(listaComandas).isEmpty() && nrVendaRest.isEmpty())) {
        throw AppError(QStringLiteral("Filial ou comanda não informadas para limpar a comanda."));
    }
    SalesTransaction t(db, QStringLiteral("limpeza da comanda"));
    closePadsAndSales(db, cdFilial, openPads(db, cdFilial, listaComandas), nrVendaRest, now);
    t.commit();
}

} // namespace tmk
