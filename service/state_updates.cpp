#include "service/state_updates.h"

#include "service/operation.h"

#include <QDateTime>

namespace tmk {

namespace {

SqlParams tableKeys(const QString& cdFilial, const QString& cdLoja, const QString& nrMesa) {
    return {{QStringLiteral("P_CDFILIAL"), cdFilial},
            {QStringLiteral("P_CDLOJA"), cdLoja},
            {QStringLiteral("P_NRMESA"), nrMesa}};
}

} // namespace

QVariant setStatusMesa(TrdmGerMesa& dm, const QString& cdFilial, const QString& cdLoja,
                       const QString& nrMesa, const QString& status) {
    return runOperation(dm, [&]() -> QVariant {
        SqlParams params = tableKeys(cdFilial, cdLoja, nrMesa);
        params.append({QStringLiteral("P_STATUS"), status});
        dm.execute(QStringLiteral("acmStatusMesa"), params);
        // Requesting the bill stamps the time on the open sale of this table; any other
        // status clears it there. Closed sales keep theirs.
        dm.execute(status == QLatin1String("S") ? QStringLiteral("acmDtHrFechMesa1")
                                                : QStringLiteral("acmDtHrFechMesa2"),
                   tableKeys(cdFilial, cdLoja, nrMesa));
        return {};
    });
}

QVariant setStatusMesaSe(TrdmGerMesa& dm, const QString& cdFilial, const QString& cdLoja,
                         const QString& nrMesa, const QString& statusAtual, const QString& status) {
    return runOperation(dm, [&]() -> QVariant {
        SqlParams params = tableKeys(cdFilial, cdLoja, nrMesa);
        params.append({QStringLiteral("P_STATUSATUAL"), statusAtual});
        params.append({QStringLiteral("P_STATUS"), status});
        dm.StartTrans();
        const bool mudou = dm.execute(QStringLiteral("acmStatusMesaSe"), params) > 0;
        if (mudou) {
            dm.execute(status == QLatin1String("S") ? QStringLiteral("acmDtHrFechMesa1")
                                                    : QStringLiteral("acmDtHrFechMesa2"),
                       tableKeys(cdFilial, cdLoja, nrMesa));
        }
        dm.CommitTrans();
        return mudou;
    });
}

namespace {

SqlParams claimParams(const QString& cdFilial, const QString& cdLoja, const QString& nrMesa,
                      const QString& cdCaixa) {
    SqlParams params = tableKeys(cdFilial, cdLoja, nrMesa);
    params.append({QStringLiteral("P_CDCAIXA"), cdCaixa});
    params.append({QStringLiteral("P_DTHRRECEB"), QDateTime::currentDateTime()});
    return params;
}

} // namespace

QVariant setRecebeMesa(TrdmGerMesa& dm, const QString& cdFilial, const QString& cdLoja,
                       const QString& nrMesa, const QString& cdCaixa) {
    return runOperation(dm, [&]() -> QVariant {
        const bool ganhou = dm.execute(QStringLiteral("acmRecebeMesa"),
                                       claimParams(cdFilial, cdLoja, nrMesa, cdCaixa)) > 0;
        if (ganhou) {
            dm.execute(QStringLiteral("acmDtHrFechMesa2"), tableKeys(cdFilial, cdLoja, nrMesa));
        }
        return ganhou;
    });
}

QVariant setRetomaMesa(TrdmGerMesa& dm, const QString& cdFilial, const QString& cdLoja,
                       const QString& nrMesa, const QString& cdCaixa) {
    return runOperation(dm, [&]() -> QVariant {
        return dm.execute(QStringLiteral("acmRetomaMesa"),
                          claimParams(cdFilial, cdLoja, nrMesa, cdCaixa)) > 0;
    });
}

QVariant setStatusComanda(TrdmGerMesa& dm, const QString& cdFilial, const QString& cdLoja,
                          const QString& nrMesa) {
    return runOperation(dm, [&]() -> QVariant {
        // Empty when the table has no open sale: the update then touches nothing.
        const QString venda =
            dm.scalar(QStringLiteral("adqSelecionaVendarest"), tableKeys(cdFilial, cdLoja, nrMesa),
                      QStringLiteral("NRVENDAREST"))
                .toString();
        dm.execute(QStringLiteral("acmStatusComanda"), {{QStringLiteral("P_CDFILIAL"), cdFilial},
                                                        {QStringLiteral("P_NRVENDAREST"), venda}});
        return {};
    });
}

QVariant setNumPesMesa(TrdmGerMesa& dm, const QString& cdFilial, const QString& cdLoja,
                       const QString& nrMesa, double nrPessoas) {
    return runOperation(dm, [&]() -> QVariant {
        SqlParams params = tableKeys(cdFilial, cdLoja, nrMesa);
        params.append({QStringLiteral("P_NPESSOAS"), nrPessoas});
        dm.execute(QStringLiteral("acmAlteraPesMesa"), params);
        return {};
    });
}

QVariant setLiberaMesa(TrdmGerMesa& dm, const QString& cdFilial, const QString& cdLoja,
                       const QString& nrMesa) {
    return runOperation(dm, [&]() -> QVariant {
        dm.execute(QStringLiteral("acmUpdStMesa"), tableKeys(cdFilial, cdLoja, nrMesa));
        return {};
    });
}

QVariant setLiberaMesaVazia(TrdmGerMesa& dm, const QString& cdFilial, const QString& cdLoja,
                            const QString& nrMesa) {
    return runOperation(dm, [&]() -> QVariant {
        dm.execute(QStringLiteral("acmLiberaMesaVazia"), tableKeys(cdFilial, cdLoja, nrMesa));
        return {};
    });
}

QVariant setStatusPosicao(TrdmGerMesa& dm, const QString& cdFilial, const QString& cdLoja,
                          const QString& nrLugarMesa, const QString& nrMesa,
                          const QString& status) {
    return runOperation(dm, [&]() -> QVariant {
        SqlParams params = tableKeys(cdFilial, cdLoja, nrMesa);
        params.append({QStringLiteral("P_NRLUGARMESA"), nrLugarMesa});
        params.append({QStringLiteral("P_IDSTLUGARMESA"), status});
        dm.execute(QStringLiteral("acmStatusPosicao"), params);
        return {};
    });
}

QVariant setDesbloqueiaPosMesasAPP(TrdmGerMesa& dm, const QString& cdFilial,
                                   const QString& cdLoja) {
    return runOperation(dm, [&]() -> QVariant {
        const SqlParams params{{QStringLiteral("P_CDFILIAL"), cdFilial},
                               {QStringLiteral("P_CDLOJA"), cdLoja}};
        dm.execute(QStringLiteral("acmDesbloqueiaMesaAPP"), params);
        dm.execute(QStringLiteral("acmDesbloqueiaPosAPP"), params);
        return {};
    });
}

QVariant setLogAcesso(TrdmGerMesa& dm, const QString& cdOperador) {
    return runOperation(dm, [&]() -> QVariant {
        dm.execute(QStringLiteral("acmInsLogAcesso"),
                   {{QStringLiteral("CDOPERADOR"), cdOperador},
                    {QStringLiteral("DTHRACESSO"), QDateTime::currentDateTime()},
                    {QStringLiteral("DSSISTEMA"), QStringLiteral("VND")}});
        return {};
    });
}

QVariant AlteraVrTxServico(TrdmGerMesa& dm, const QString& cdFilial, const QString& nrVendaRest,
                           const QString& nrComanda, double vrTxServico) {
    return runOperation(dm, [&]() -> QVariant {
        dm.StartTrans();
        dm.execute(QStringLiteral("acmUpdTxServ"), {{QStringLiteral("CDFILIAL"), cdFilial},
                                                    {QStringLiteral("NRVENDAREST"), nrVendaRest},
                                                    {QStringLiteral("NRCOMANDA"), nrComanda},
                                                    {QStringLiteral("VRCOMISVENDE"), vrTxServico}});
        dm.CommitTrans();
        return {};
    });
}

QVariant setUltMesaAber(TrdmGerMesa& dm, const QString& cdFilial, const QString& cdLoja,
                        const QString& nrMesa) {
    return runOperation(dm, [&]() -> QVariant {
        const DataPacket vazias = dm.openPacket(QStringLiteral("adqBuscaUltMesaAber"),
                                                tableKeys(cdFilial, cdLoja, nrMesa));
        if (vazias.isEmpty()) {
            return false;
        }
        const QString venda = vazias.value(0, QStringLiteral("NRVENDAREST")).toString();
        dm.StartTrans();
        dm.execute(QStringLiteral("acmDelVendaRest"), {{QStringLiteral("P_CDFILIAL"), cdFilial},
                                                       {QStringLiteral("P_NRMESA"), nrMesa},
                                                       {QStringLiteral("P_NRVENDAREST"), venda}});
        // Every tab of that sale goes with it, so no tab is left without its sale.
        for (int row = 0; row < vazias.rowCount(); ++row) {
            if (vazias.value(row, QStringLiteral("NRVENDAREST")).toString() != venda) {
                continue;
            }
            dm.execute(QStringLiteral("acmDelComandaVen"),
                       {{QStringLiteral("P_CDFILIAL"), cdFilial},
                        {QStringLiteral("P_NRVENDAREST"), venda},
                        {QStringLiteral("P_NRCOMANDA"),
                         vazias.value(row, QStringLiteral("NRCOMANDA")).toString()}});
        }
        dm.execute(QStringLiteral("acmUpdStMesa"), tableKeys(cdFilial, cdLoja, nrMesa));
        dm.CommitTrans();
        return true;
    });
}

} // namespace tmk
