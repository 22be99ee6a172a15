#include "service/opening_cancel.h"

#include "service/operation.h"
#include "service/state_updates.h"

namespace tmk {

namespace {

// An empty product code excludes nothing.
QString excluido(const QString& cdProduto) {
    return cdProduto.isEmpty() ? QStringLiteral("X") : cdProduto;
}

void liberaMesa(TrdmGerMesa& dm, const QString& cdFilial, const QString& cdLoja,
                const QString& nrMesa) {
    requireSuccess(setStatusMesa(dm, cdFilial, cdLoja, nrMesa, QStringLiteral("D")));
}

} // namespace

QVariant getCancelaAbertura(TrdmGerMesa& dm, const QString& cdFilial, const QString& cdLoja,
                            const QString& cdCaixa, const QString& nrMesa,
                            const QString& cdOperador, const QString& cdProdConsum,
                            const QString& cdProdConsuf, const QString& cdProdCouver) {
    Q_UNUSED(cdCaixa);
    Q_UNUSED(cdOperador);
    return runOperation(dm, [&]() -> QVariant {
        const SqlParams mesa = {{QStringLiteral("P_CDFILIAL"), cdFilial},
                                {QStringLiteral("P_CDLOJA"), cdLoja},
                                {QStringLiteral("P_NRMESA"), nrMesa}};
        if (dm.hasRows(QStringLiteral("adqVerifJuncaoRES"), mesa)) {
            return QStringLiteral("MES_JUN");
        }
        const QString nrVendaRest =
            dm.scalar(QStringLiteral("adqRetornaVendaRest"), mesa, QStringLiteral("NRVENDAREST"))
                .toString();
        const DataPacket comandas = dm.openPacket(QStringLiteral("adqChaveMesa"), mesa);

        if (comandas.isEmpty()) {
            dm.StartTrans();
            dm.execute(QStringLiteral("acmDeletaVendaRest"),
                       {{QStringLiteral("P_CDFILIAL"), cdFilial},
                        {QStringLiteral("P_NRVENDAREST"), nrVendaRest}});
            liberaMesa(dm, cdFilial, cdLoja, nrMesa);
            dm.CommitTrans();
            return QStringLiteral("");
        }

        for (int row = 0; row < comandas.rowCount(); ++row) {
            const SqlParams comanda = {
                {QStringLiteral("P_CDFILIAL"), cdFilial},
                {QStringLiteral("P_NRVENDAREST"),
                 comandas.value(row, QStringLiteral("NRVENDAREST")).toString()},
                {QStringLiteral("P_NRCOMANDA"),
                 comandas.value(row, QStringLiteral("NRCOMANDA")).toString()}};
            SqlParams itens = comanda;
            itens.append({QStringLiteral("P_CDPRODCONSUM"), excluido(cdProdConsum)});
            itens.append({QStringLiteral("P_CDPRODCONSFEM"), excluido(cdProdConsuf)});
            itens.append({QStringLiteral("P_CDPRODCOUVER"), excluido(cdProdCouver)});
            if (dm.hasRows(QStringLiteral("adqVerifItComanda"), itens)) {
                return QStringLiteral("CMD_ITC");
            }
            dm.StartTrans();
            dm.execute(QStringLiteral("acmDeletaItComandaVen"), comanda);
            dm.execute(QStringLiteral("acmDeletaComandaVen"), comanda);
            dm.execute(QStringLiteral("acmDeletaVendaRest"), {comanda[0], comanda[1]});
            liberaMesa(dm, cdFilial, cdLoja, nrMesa);
            dm.CommitTrans();
        }
        return QStringLiteral("");
    });
}

} // namespace tmk
