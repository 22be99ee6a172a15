#include "service/map_reads.h"

#include "platform/errors.h"
#include "platform/service_result.h"
#include "service/operation.h"

#include <QDate>

namespace tmk {

namespace {

QVariant packet(DataPacket p) {
    return QVariant::fromValue(std::move(p));
}

// The branch, store and table keys most statements of the map take.
SqlParams tableKeys(const QString& cdFilial, const QString& cdLoja, const QString& nrMesa) {
    return {{QStringLiteral("P_CDFILIAL"), cdFilial},
            {QStringLiteral("P_CDLOJA"), cdLoja},
            {QStringLiteral("P_NRMESA"), nrMesa}};
}

// An operation that returns the packet of one statement.
QVariant singlePacket(TrdmGerMesa& dm, const QString& statement, const SqlParams& params) {
    return runOperation(dm, [&]() -> QVariant { return packet(dm.openPacket(statement, params)); });
}

} // namespace

QVariant getStatusMesa(TrdmGerMesa& dm, const QString& cdFilial, const QString& cdLoja,
                       const QString& nrConfTela) {
    return singlePacket(dm, QStringLiteral("adqStatusMesa"),
                        {{QStringLiteral("P_CDFILIAL"), cdFilial},
                         {QStringLiteral("P_CDLOJA"), cdLoja},
                         {QStringLiteral("P_NRCONFTELA"), nrConfTela}});
}

QVariant getRecebimentoMesa(TrdmGerMesa& dm, const QString& cdFilial, const QString& cdLoja,
                            const QString& nrMesa) {
    return singlePacket(dm, QStringLiteral("adqRecebimentoMesa"),
                        {{QStringLiteral("P_CDFILIAL"), cdFilial},
                         {QStringLiteral("P_CDLOJA"), cdLoja},
                         {QStringLiteral("P_NRMESA"), nrMesa}});
}

QVariant getConfigMesa(TrdmGerMesa& dm, const QString& cdFilial, const QString& nrConfTela) {
    return singlePacket(
        dm, QStringLiteral("adqConfigTela"),
        {{QStringLiteral("P_CDFILIAL"), cdFilial}, {QStringLiteral("P_NRCONFTELA"), nrConfTela}});
}

QVariant getAmbientes(TrdmGerMesa& dm, const QString& cdFilial, const QString& nrConfTela) {
    return singlePacket(
        dm, QStringLiteral("adqAmbientes"),
        {{QStringLiteral("P_CDFILIAL"), cdFilial}, {QStringLiteral("P_NRCONFTELA"), nrConfTela}});
}

QVariant getReserva(TrdmGerMesa& dm, const QString& cdFilial, const QString& cdLoja) {
    return singlePacket(dm, QStringLiteral("adqReserva"),
                        {{QStringLiteral("P_CDFILIAL"), cdFilial},
                         {QStringLiteral("P_CDLOJA"), cdLoja},
                         {QStringLiteral("P_DATA"), QDate::currentDate()}});
}

QVariant getUltimaVenda(TrdmGerMesa& dm, const QString& cdFilial, const QString& cdLoja,
                        const QString& nrMesa) {
    return runOperation(dm, [&]() -> QVariant {
        const SqlParams keys = tableKeys(cdFilial, cdLoja, nrMesa);
        DataPacket ultima = dm.openPacket(QStringLiteral("adqUltimaVenda"), keys);
        if (!ultima.value(0, QStringLiteral("DTULTIMAVENDA")).toString().isEmpty()) {
            return packet(std::move(ultima));
        }
        // No item on any open sale yet: the time the table was opened.
        return packet(dm.openPacket(QStringLiteral("adqDatadeAbertura"), keys));
    });
}

QVariant getRetornaInfoMesa(TrdmGerMesa& dm, const QString& cdFilial, const QString& cdLoja,
                            const QString& nrMesa) {
    return singlePacket(dm, QStringLiteral("adqRetornaInfoMesa"),
                        tableKeys(cdFilial, cdLoja, nrMesa));
}

QVariant getRetMesa(TrdmGerMesa& dm, const QString& cdFilial, const QString& cdLoja,
                    const QString& nrMesa) {
    return singlePacket(dm, QStringLiteral("adqRetMesa"), tableKeys(cdFilial, cdLoja, nrMesa));
}

QVariant getComandaInd(TrdmGerMesa& dm, const QString& nrMesa, const QString& cdFilial,
                       const QString& cdLoja) {
    return singlePacket(dm, QStringLiteral("adqComandaInd"), tableKeys(cdFilial, cdLoja, nrMesa));
}

QVariant getBuscaComandas(TrdmGerMesa& dm, const QString& cdFilial, const QString& cdLoja,
                          const QString& nrMesa) {
    return singlePacket(dm, QStringLiteral("adqBuscaComandas"),
                        tableKeys(cdFilial, cdLoja, nrMesa));
}

QVariant getMesaJuncao(TrdmGerMesa& dm, const QString& cdFilial, const QString& cdLoja,
                       const QString& nrMesa) {
    return runOperation(dm, [&]() -> QVariant {
        const QString grupo =
            dm.scalar(QStringLiteral("adqNrAgrupamento"), tableKeys(cdFilial, cdLoja, nrMesa),
                      QStringLiteral("NRJUNMESA"))
                .toString();
        return packet(dm.openPacket(QStringLiteral("adqMesaJuncao"),
                                    {{QStringLiteral("P_CDFILIAL"), cdFilial},
                                     {QStringLiteral("P_CDLOJA"), cdLoja},
                                     {QStringLiteral("P_NRJUNMESA"), grupo}}));
    });
}

QVariant getUltimaVendaMesas(TrdmGerMesa& dm, const QString& cdFilial, const QString& cdLoja) {
    return singlePacket(
        dm, QStringLiteral("adqUltimaVendaMesas"),
        {{QStringLiteral("P_CDFILIAL"), cdFilial}, {QStringLiteral("P_CDLOJA"), cdLoja}});
}

QVariant getMesasJuncaoLoja(TrdmGerMesa& dm, const QString& cdFilial, const QString& cdLoja) {
    return singlePacket(
        dm, QStringLiteral("adqMesasJuncaoLoja"),
        {{QStringLiteral("P_CDFILIAL"), cdFilial}, {QStringLiteral("P_CDLOJA"), cdLoja}});
}

QVariant getStatusPosicoes(TrdmGerMesa& dm, const QString& cdFilial, const QString& cdLoja,
                           const QString& nrMesa) {
    return singlePacket(dm, QStringLiteral("adqStatusPosicoes"),
                        tableKeys(cdFilial, cdLoja, nrMesa));
}

QVariant getMaiorPosicao(TrdmGerMesa& dm, const QString& cdFilial, const QString& nrMesa,
                         const QString& cdLoja) {
    return runOperation(dm, [&]() -> QVariant {
        return dm
            .scalar(QStringLiteral("adqMaiorPosicao"), tableKeys(cdFilial, cdLoja, nrMesa),
                    QStringLiteral("MAIORPOSICAO"))
            .toString();
    });
}

QVariant getNrPesMesa(TrdmGerMesa& dm, const QString& cdFilial) {
    // This one reports the failure in its own words, not converted.
    try {
        return packet(dm.openPacket(QStringLiteral("adqNrPesMesa"),
                                    {{QStringLiteral("P_CDFILIAL"), cdFilial}}));
    } catch (const std::exception& e) {
        dm.RollbackTrans();
        return serviceFailure(exceptionText(e));
    }
}

QVariant getBuscaMesaDlv(TrdmGerMesa& dm, const QString& cdFilial, const QString& cdLoja,
                         const QString& nrMesa) {
    return singlePacket(dm, QStringLiteral("adqBuscaMesaDlv"), tableKeys(cdFilial, cdLoja, nrMesa));
}

QVariant getBuscaMesaCmd(TrdmGerMesa& dm, const QString& cdFilial, const QString& cdLoja,
                         const QString& nrMesa) {
    return singlePacket(dm, QStringLiteral("adqBuscaMesaCmd"), tableKeys(cdFilial, cdLoja, nrMesa));
}

bool getVerifMesaVazia(TrdmGerMesa& dm, const QString& cdFilial, const QString& cdLoja,
                       const QString& nrVendaRest) {
    return !dm.hasRows(QStringLiteral("adqVerifMesaVazia"),
                       {{QStringLiteral("P_CDFILIAL"), cdFilial},
                        {QStringLiteral("P_CDLOJA"), cdLoja},
                        {QStringLiteral("P_NRVENDAREST"), nrVendaRest}});
}

bool verificaIDSTLUGARMESA(TrdmGerMesa& dm, const QString& cdFilial, const QString& nrComanda,
                           const QString& nrLugarMesa) {
    return !dm.hasRows(QStringLiteral("adqIdStLugarMesa"),
                       {{QStringLiteral("P_CDFILIAL"), cdFilial},
                        {QStringLiteral("P_NRCOMANDA"), nrComanda},
                        {QStringLiteral("P_NRLUGARMESA"), nrLugarMesa}});
}

QVariant getLugaresVenda(TrdmGerMesa& dm, const QString& cdFilial, const QString& cdLoja,
                         const QString& nrVendaRest) {
    // The emptiness check reads exactly these rows.
    return singlePacket(dm, QStringLiteral("adqVerifMesaVazia"),
                        {{QStringLiteral("P_CDFILIAL"), cdFilial},
                         {QStringLiteral("P_CDLOJA"), cdLoja},
                         {QStringLiteral("P_NRVENDAREST"), nrVendaRest}});
}

QVariant getVerifNatItens(TrdmGerMesa& dm, const QString& cdFilial, const QString& nrComanda,
                          const QString& cdLoja) {
    return singlePacket(dm, QStringLiteral("adqVerifNatItens"),
                        {{QStringLiteral("P_CDFILIAL"), cdFilial},
                         {QStringLiteral("P_NRCOMANDA"), nrComanda},
                         {QStringLiteral("P_CDLOJA"), cdLoja}});
}

QVariant getMesasPagasAPP(TrdmGerMesa& dm, const QString& cdFilial) {
    return singlePacket(dm, QStringLiteral("adqMesasPagasAPP"),
                        {{QStringLiteral("P_CDFILIAL"), cdFilial}});
}

QVariant getCaixa(TrdmGerMesa& dm, const QString& cdFilial, const QString& cdLoja,
                  const QString& cdCaixa, const QString& /*naoUsado*/) {
    return singlePacket(dm, QStringLiteral("adqCaixa"),
                        {{QStringLiteral("P_CDFILIAL"), cdFilial},
                         {QStringLiteral("P_CDLOJA"), cdLoja},
                         {QStringLiteral("P_CDCAIXA"), cdCaixa}});
}

} // namespace tmk
