#include "service/account_lists.h"

#include "platform/errors.h"
#include "service/operation.h"

#include <QHash>
#include <QLoggingCategory>

Q_LOGGING_CATEGORY(lcAccountLists, "tmk.service.account")

namespace tmk {

namespace {

QVariant packet(DataPacket p) {
    return QVariant::fromValue(std::move(p));
}

QVariant singlePacket(TrdmGerMesa& dm, const QString& statement, const SqlParams& params) {
    return runOperation(dm, [&]() -> QVariant { return packet(dm.openPacket(statement, params)); });
}

SqlParams branchAndTabs(const QString& cdFilial, const QString& nrComanda) {
    return {{QStringLiteral("P_CDFILIAL"), cdFilial}, {QStringLiteral("P_NRCOMANDA"), nrComanda}};
}

SqlParams consumerKeys(const QString& cdCliente, const QString& cdConsumidor) {
    return {{QStringLiteral("P_CDCLIENTE"), cdCliente},
            {QStringLiteral("P_CDCONSUMIDOR"), cdConsumidor}};
}

// The parameters of the item lists; the switch "T" lets every nature through.
SqlParams listParams(const QString& cdFilial, const QString& nrComanda, const QString& cdNatProduto,
                     const QString& nrConfTela) {
    return {{QStringLiteral("P_CDFILIAL"), cdFilial},
            {QStringLiteral("P_NRCOMANDA"), nrComanda},
            {QStringLiteral("P_CDNATPRODUTO"), cdNatProduto},
            {QStringLiteral("P_TODOS"), cdNatProduto.isEmpty() ? QStringLiteral("T") : QString()},
            {QStringLiteral("P_NRCONFTELA"), nrConfTela}};
}

QString text(const QVariant& value) {
    return value.isValid() ? value.toString() : QString();
}

QVariant singleField(TrdmGerMesa& dm, const QString& statement, const SqlParams& params,
                     const QString& column) {
    return runOperation(dm,
                        [&]() -> QVariant { return text(dm.scalar(statement, params, column)); });
}

// A packet's column names made unique: the second CDFILIAL becomes CDFILIAL_1, the
// third CDFILIAL_2 (a client dataset refuses repeated names).
void renameRepeatedColumns(DataPacket& p) {
    QHash<QString, int> seen;
    for (FieldDef& field : p.fields) {
        const QString key = field.name.toUpper();
        const int times = seen.value(key, 0);
        seen.insert(key, times + 1);
        if (times > 0) {
            QString candidate;
            int suffix = times;
            do {
                candidate = field.name + QLatin1Char('_') + QString::number(suffix++);
            } while (seen.contains(candidate.toUpper()));
            seen.insert(candidate.toUpper(), 1);
            field.name = candidate;
        }
    }
}

} // namespace

QVariant getListaComanda(TrdmGerMesa& dm, const QString& cdFilial, const QString& nrComanda,
                         const QString& cdNatProduto, const QString& nrConfTela) {
    return runOperation(dm, [&]() -> QVariant {
        const QString nrVendaRest =
            text(dm.scalar(QStringLiteral("adqVendaRest"), branchAndTabs(cdFilial, nrComanda),
                           QStringLiteral("NRVENDAREST")));
        const SqlParams sale = {{QStringLiteral("P_CDFILIAL"), cdFilial},
                                {QStringLiteral("P_NRVENDAREST"), nrVendaRest}};
        const bool beneficio = dm.hasRows(QStringLiteral("adqVerificaBeneficio"), sale);
        const bool observacao = dm.hasRows(QStringLiteral("adqVerificaObsItens"),
                                           {{QStringLiteral("P_CDFILIAL"), cdFilial},
                                            {QStringLiteral("P_NRVENDAREST"), nrVendaRest},
                                            {QStringLiteral("P_NRCOMANDA"), nrComanda}});
        // The time records of cancelled items go on every call, committed on their own.
        const int apagados = dm.execute(QStringLiteral("acmDelItHrCanc"), sale);
        if (apagados > 0) {
            qCInfo(lcAccountLists) << "sale" << nrVendaRest << ": deleted" << apagados
                                   << "time records of cancelled items";
        }
        // Benefits or observations need every item on its own line.
        const QString statement = beneficio || observacao ? QStringLiteral("adqListaComandaBene")
                                                          : QStringLiteral("adqListaComanda");
        return packet(
            dm.openPacket(statement, listParams(cdFilial, nrComanda, cdNatProduto, nrConfTela)));
    });
}

QVariant getListaComandaCanc(TrdmGerMesa& dm, const QString& cdFilial, const QString& nrComanda,
                             const QString& cdNatProduto, const QString& nrConfTela) {
    return singlePacket(dm, QStringLiteral("adqListaComandaCanc"),
                        listParams(cdFilial, nrComanda, cdNatProduto, nrConfTela));
}

QVariant GetItComandaEst(TrdmGerMesa& dm, const QString& cdFilial, const QString& nrComanda,
                         const QString& nrComandaAgrup) {
    return singlePacket(dm, QStringLiteral("adqItComandaEst"),
                        {{QStringLiteral("P_CDFILIAL"), cdFilial},
                         {QStringLiteral("P_NRCOMANDA"), nrComanda},
                         {QStringLiteral("P_NRCOMANDAAGRUP"), nrComandaAgrup}});
}

QVariant getObsItens(TrdmGerMesa& dm, const QString& cdFilial, const QString& nrComanda) {
    return singlePacket(dm, QStringLiteral("adqObsItens"), branchAndTabs(cdFilial, nrComanda));
}

QVariant getObsItensEst(TrdmGerMesa& dm, const QString& cdFilial, const QString& nrComanda) {
    return singlePacket(dm, QStringLiteral("adqObsItensEst"), branchAndTabs(cdFilial, nrComanda));
}

QVariant getItensDesistencia(TrdmGerMesa& dm, const QString& cdFilial, const QString& cdCaixa,
                             const QString& nrVendaRest) {
    return singlePacket(dm, QStringLiteral("adqItensDesistencia"),
                        {{QStringLiteral("P_CDFILIAL"), cdFilial},
                         {QStringLiteral("P_CDCAIXA"), cdCaixa},
                         {QStringLiteral("P_NRVENDAREST"), nrVendaRest}});
}

QVariant getPromoComanda(TrdmGerMesa& dm, const QString& cdFilial, const QString& nrComanda) {
    return singlePacket(dm, QStringLiteral("adqPromoComanda"), branchAndTabs(cdFilial, nrComanda));
}

QVariant getBrinde(TrdmGerMesa& dm, const QString& cdFilial, const QString& nrComanda) {
    return singlePacket(dm, QStringLiteral("adqBrinde"), branchAndTabs(cdFilial, nrComanda));
}

QVariant getExtConsFid(TrdmGerMesa& dm, const QString& cdFilial, const QString& nrComanda) {
    return singlePacket(dm, QStringLiteral("adqComandaFid"), branchAndTabs(cdFilial, nrComanda));
}

QVariant getVerifAlimentosCanc(TrdmGerMesa& dm, const QString& cdFilial, const QString& nrComanda,
                               const QString& cdLoja) {
    return runOperation(dm, [&]() -> QVariant {
        DataPacket p = dm.openPacket(QStringLiteral("adqVerifAlimentosCanc"),
                                     {{QStringLiteral("P_CDFILIAL"), cdFilial},
                                      {QStringLiteral("P_NRCOMANDA"), nrComanda},
                                      {QStringLiteral("P_CDLOJA"), cdLoja}});
        renameRepeatedColumns(p);
        return packet(std::move(p));
    });
}

QVariant getVerificaVenda(TrdmGerMesa& dm, const QString& cdFilial, const QString& cdCaixa,
                          const QString& nrSeqVenda) {
    return runOperation(dm, [&]() -> QVariant {
        const QString found = text(dm.scalar(QStringLiteral("adqVerificaVenda"),
                                             {{QStringLiteral("P_CDFILIAL"), cdFilial},
                                              {QStringLiteral("P_CDCAIXA"), cdCaixa},
                                              {QStringLiteral("P_NRSEQVENDA"), nrSeqVenda}},
                                             QStringLiteral("NRSEQVENDA")));
        return found.isEmpty() ? QStringLiteral("N") : QStringLiteral("S");
    });
}

QVariant GetOrigemVenda(TrdmGerMesa& dm, const QString& cdFilial, const QString& nrVendaRest,
                        const QString& nrComanda) {
    return singleField(dm, QStringLiteral("adqOrigemVenda"),
                       {{QStringLiteral("P_CDFILIAL"), cdFilial},
                        {QStringLiteral("P_NRVENDAREST"), nrVendaRest},
                        {QStringLiteral("P_NRCOMANDA"), nrComanda}},
                       QStringLiteral("IDORGCMDVENDA"));
}

QVariant GetCpfCons(TrdmGerMesa& dm, const QString& cdCliente, const QString& cdConsumidor) {
    return singleField(dm, QStringLiteral("adqCpfCons"), consumerKeys(cdCliente, cdConsumidor),
                       QStringLiteral("NRCPFRESPCON"));
}

QVariant GetImpCpfCupom(TrdmGerMesa& dm, const QString& cdCliente, const QString& cdConsumidor) {
    return singleField(dm, QStringLiteral("adqImpCpfCupom"), consumerKeys(cdCliente, cdConsumidor),
                       QStringLiteral("IDIMPCPFCUPOM"));
}

QString getCentroCusto(TrdmGerMesa& dm, const QString& cdCliente, const QString& cdConsumidor) {
    return text(dm.scalar(QStringLiteral("adqCentroCusto"), consumerKeys(cdCliente, cdConsumidor),
                          QStringLiteral("CDCCUSCLIE")));
}

QVariant getEmailCons(TrdmGerMesa& dm, const QString& cdCliente, const QString& cdConsumidor) {
    try {
        return text(dm.scalar(QStringLiteral("adqEmailCons"), consumerKeys(cdCliente, cdConsumidor),
                              QStringLiteral("DSEMAILCONS")));
    } catch (const std::exception& e) {
        qCInfo(lcAccountLists) << "e-mail of the consumer not read:" << exceptionText(e);
        return QString();
    }
}

} // namespace tmk
