#include "service/sale_cleanup.h"

#include "service/operation.h"

#include <QLoggingCategory>

Q_LOGGING_CATEGORY(lcSaleCleanup, "tmk.service.cleanup")

namespace tmk {

QVariant setDeletaVendaRest(TrdmGerMesa& dm, const QString& nrMesa, const QString& cdFilial,
                            const QString& cdLoja, const QString& status) {
    return runOperation(dm, [&]() -> QVariant {
        const SqlParams filial = {{QStringLiteral("P_CDFILIAL"), cdFilial}};
        const SqlParams mesa = {{QStringLiteral("P_NRMESA"), nrMesa},
                                {QStringLiteral("P_CDFILIAL"), cdFilial},
                                {QStringLiteral("P_CDLOJA"), cdLoja}};
        const SqlParams mesaLoja = {{QStringLiteral("P_NRMESA"), nrMesa},
                                    {QStringLiteral("P_CDLOJA"), cdLoja}};
        int flags = 0;
        // The table is set free only when no open sale of it is left: the orphans of other
        // tables (or a stray sale of its own) must not free a table that is in use.
        auto liberaSemVendaAberta = [&] {
            if (!dm.hasRows(QStringLiteral("adqSelecionaVendarest"), mesa)) {
                dm.execute(QStringLiteral("acmLiberaMesa"), mesa);
            }
        };

        if (dm.hasRows(QStringLiteral("adqVerifItCmd"), filial)) {
            dm.execute(QStringLiteral("acmDelItCmd"), filial);
            flags = kItensSemComanda;
        }

        const DataPacket comandas = dm.openPacket(QStringLiteral("adqVerifCmd"), filial);
        if (!comandas.isEmpty()) {
            QString lista;
            for (int row = 0; row < comandas.rowCount(); ++row) {
                lista +=
                    comandas.value(row, QStringLiteral("NRCOMANDA")).toString() + QLatin1Char('_');
            }
            dm.execute(QStringLiteral("acmDeleteItCmd"), {{QStringLiteral("P_CDFILIAL"), cdFilial},
                                                          {QStringLiteral("P_NRCOMANDA"), lista}});
            dm.execute(QStringLiteral("acmDelCmd"), filial);
            liberaSemVendaAberta();
            flags += kComandasSemVenda;
        }

        if (dm.hasRows(QStringLiteral("adqDeleteVendaRest"), mesaLoja)) {
            dm.execute(QStringLiteral("acmDelVenRes"), mesaLoja);
            flags += kVendasSemComanda;
            if (status == QLatin1String("C") || status == QLatin1String("O")) {
                liberaSemVendaAberta();
            }
        }

        if (flags == 0 && !dm.hasRows(QStringLiteral("adqVendaRestVazia"), mesa)) {
            dm.execute(QStringLiteral("acmLiberaMesa"), mesa);
        }
        if (flags != 0) {
            qCInfo(lcSaleCleanup) << "table" << nrMesa << "of" << cdFilial << cdLoja
                                  << "orphan rows removed, flags" << flags;
        }
        return QVariant(flags);
    });
}

} // namespace tmk
