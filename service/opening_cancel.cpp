#include "service/opening_cancel.h"

#include "service/operation.h"
#include "service/state_updates.h"

namespace tmk {

namespace {

// An empty product code excludes nothing.
QString excluido(const QString& cdProduto) {
    return cdProduto.isEmpty() ? QStringLiteral("X") : cdProduto;
}

struct Comanda {
    QString nrVendaRest;
    QString nrComanda;
};

} // namespace

QVariant getCancelaAbertura(TrdmGerMesa& dm, const QString& cdFilial, const QString& cdLoja,
                            const QString& cdCaixa, const QString& nrMesa,
                            const QString& cdOperador, const QString& cdProdConsum,
                            const QString& cdProdConsuf, const QString& cdProdCouver) {
    Q_UNUSED(cdCaixa);
    Q_UNUSED(cdOperador);
    return runOperation(dm, [&]() -> QVariant {
        const QString itensReais = QStringLiteral("CMD_ITC");
        const SqlParams mesa = {{QStringLiteral("P_CDFILIAL"), cdFilial},
                                {QStringLiteral("P_CDLOJA"), cdLoja},
                                {QStringLiteral("P_NRMESA"), nrMesa}};
        if (dm.hasRows(QStringLiteral("adqVerifJuncaoRES"), mesa)) {
            return QStringLiteral("MES_JUN");
        }
        const QString vendaAberta =
            dm.scalar(QStringLiteral("adqRetornaVendaRest"), mesa, QStringLiteral("NRVENDAREST"))
                .toString();
        const DataPacket pacote = dm.openPacket(QStringLiteral("adqChaveMesa"), mesa);

        // Every pad is checked before anything is deleted: one pad with a real item keeps
        // the whole opening.
        QList<Comanda> comandas;
        QStringList vendas;
        if (!vendaAberta.isEmpty()) {
            vendas << vendaAberta;
        }
        for (int row = 0; row < pacote.rowCount(); ++row) {
            const Comanda c{pacote.value(row, QStringLiteral("NRVENDAREST")).toString(),
                            pacote.value(row, QStringLiteral("NRCOMANDA")).toString()};
            comandas << c;
            if (!vendas.contains(c.nrVendaRest)) {
                vendas << c.nrVendaRest;
            }
            if (dm.hasRows(QStringLiteral("adqVerifItComanda"),
                           {{QStringLiteral("P_CDFILIAL"), cdFilial},
                            {QStringLiteral("P_NRVENDAREST"), c.nrVendaRest},
                            {QStringLiteral("P_NRCOMANDA"), c.nrComanda},
                            {QStringLiteral("P_CDPRODCONSUM"), excluido(cdProdConsum)},
                            {QStringLiteral("P_CDPRODCONSFEM"), excluido(cdProdConsuf)},
                            {QStringLiteral("P_CDPRODCOUVER"), excluido(cdProdCouver)}})) {
                return itensReais;
            }
        }
        // A sale whose other pads (delivery, closed, ...) hold items is never deleted.
        for (const QString& venda : vendas) {
            if (dm.hasRows(QStringLiteral("adqItOutrasComandas"),
                           {{QStringLiteral("P_CDFILIAL"), cdFilial},
                            {QStringLiteral("P_NRVENDAREST"), venda}})) {
                return itensReais;
            }
        }

        dm.StartTrans();
        for (const Comanda& c : comandas) {
            const SqlParams chave = {{QStringLiteral("P_CDFILIAL"), cdFilial},
                                     {QStringLiteral("P_NRVENDAREST"), c.nrVendaRest},
                                     {QStringLiteral("P_NRCOMANDA"), c.nrComanda}};
            dm.execute(QStringLiteral("acmDeletaItComandaVen"), chave);
            dm.execute(QStringLiteral("acmDeletaComandaVen"), chave);
        }
        for (const QString& venda : vendas) {
            dm.execute(QStringLiteral("acmDeletaVendaRest"),
                       {{QStringLiteral("P_CDFILIAL"), cdFilial},
                        {QStringLiteral("P_NRVENDAREST"), venda}});
        }
        requireSuccess(setStatusMesa(dm, cdFilial, cdLoja, nrMesa, QStringLiteral("D")));
        dm.CommitTrans();
        return QStringLiteral("");
    });
}

} // namespace tmk
