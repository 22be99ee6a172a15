#include "service/totals_benefits.h"

#include "external/common.h"
#include "platform/errors.h"
#include "service/operation.h"

#include <QLoggingCategory>

Q_LOGGING_CATEGORY(lcTotals, "tmk.service.totals")

namespace tmk {

namespace {

QVariant packetResult(TrdmGerMesa& dm, const QString& statement, const SqlParams& params) {
    return runOperation(
        dm, [&]() -> QVariant { return QVariant::fromValue(dm.openPacket(statement, params)); });
}

// The truncated sum of one of the two item statements (no row or null reads as 0).
double truncatedSum(TrdmGerMesa& dm, const QString& statement, const SqlParams& params) {
    const QVariant v = dm.scalar(statement, params, QStringLiteral("VRTOTVENDA"));
    return v.isValid() && !v.isNull() ? Trunc2(v.toDouble()) : 0.0;
}

} // namespace

double CalcVrTotVenda(TrdmGerMesa& dm, const QString& cdFilial, const QString& cdCaixa,
                      const QString& nrSeqVenda) {
    const SqlParams sale = {{QStringLiteral("P_CDFILIAL"), cdFilial},
                            {QStringLiteral("P_CDCAIXA"), cdCaixa},
                            {QStringLiteral("P_NRSEQVENDA"), nrSeqVenda}};
    double total = 0;
    total += truncatedSum(dm, QStringLiteral("adqCalcItemVenda"), sale);
    total += truncatedSum(dm, QStringLiteral("adqCalcItVendaCan"), sale);
    dm.execute(QStringLiteral("acmUpdVrTotVenda"), {{QStringLiteral("VRTOTVENDA"), total},
                                                    {QStringLiteral("CDFILIAL"), cdFilial},
                                                    {QStringLiteral("CDCAIXA"), cdCaixa},
                                                    {QStringLiteral("NRSEQVENDA"), nrSeqVenda}});
    qCDebug(lcTotals) << "sale" << cdFilial << cdCaixa << nrSeqVenda << "total" << total;
    return total;
}

QVariant setVendaBeneficio(TrdmGerMesa& dm, const QString& nrSeqVenda, const QString& cdFilial,
                           const QString& cdCaixa, const QString& nrVendaRest) {
    return runOperation(dm, [&]() -> QVariant {
        // Benefits of an open tab are keyed by the branch and part of the sale number.
        const QString chaveVendaRest = cdFilial + nrVendaRest.mid(4, 7);
        dm.StartTrans();
        dm.execute(QStringLiteral("acmUpdVendaBeneficio"),
                   {{QStringLiteral("P_NRSEQVENDA"), nrSeqVenda},
                    {QStringLiteral("P_CDCAIXA"), cdCaixa},
                    {QStringLiteral("P_CDFILIAL"), cdFilial},
                    {QStringLiteral("P_NRVENDAREST"), chaveVendaRest}});
        dm.CommitTrans();

        const SqlParams sale = {{QStringLiteral("P_CDFILIAL"), cdFilial},
                                {QStringLiteral("P_CDCAIXA"), cdCaixa},
                                {QStringLiteral("P_NRSEQVENDA"), nrSeqVenda}};
        const DataPacket benefits = dm.openPacket(QStringLiteral("adqItBeneficiocons"), sale);
        dm.StartTrans();
        for (int row = 0; row < benefits.rowCount(); ++row) {
            SqlParams item = sale;
            item.append(
                {QStringLiteral("P_NRPRODCOMVENIT"),
                 Ajusta(benefits.value(row, QStringLiteral("NRSEQUITVEND")).toString(), 6)});
            const QString itemFiscal = dm.scalar(QStringLiteral("adqItVendBeneficio"), item,
                                                 QStringLiteral("NRSEQUITVEND"))
                                           .toString();
            SqlParams update = sale;
            update.append({QStringLiteral("P_NRSEQUITVEND"), itemFiscal});
            update.append({QStringLiteral("P_NRSEQBENECONS"),
                           benefits.value(row, QStringLiteral("NRSEQBENECONS")).toString()});
            dm.execute(QStringLiteral("acmUpdItemBeneficioBalcao"), update);
        }
        dm.CommitTrans();
        return QVariant();
    });
}

QVariant getCadBeneficio(TrdmGerMesa& dm, const QString& cdCliente, const QString& cdConsumidor) {
    try {
        const QVariant registro = dm.scalar(QStringLiteral("adqBeneficioCad"),
                                            {{QStringLiteral("P_CDCLIENTE"), cdCliente},
                                             {QStringLiteral("P_CDCONSUMIDOR"), cdConsumidor}},
                                            QStringLiteral("REGISTRO"));
        return QVariant(registro.toLongLong() <= 0);
    } catch (const std::exception& e) {
        qCInfo(lcTotals) << "benefit check failed:" << exceptionText(e);
        return QVariant(false);
    }
}

QVariant getProdPromoFidelidade(TrdmGerMesa& dm, const QString& cdFilial,
                                const QString& cdProduto) {
    return packetResult(
        dm, QStringLiteral("adqProdPromoFidelidade"),
        {{QStringLiteral("P_CDFILIAL"), cdFilial}, {QStringLiteral("P_CDPRODUTO"), cdProduto}});
}

QVariant getCamposPromoFidelidade(TrdmGerMesa& dm, const QString& cdFilial,
                                  const QString& cdProduto) {
    return getProdPromoFidelidade(dm, cdFilial, cdProduto);
}

QVariant getMovFidelidade(TrdmGerMesa& dm, const QString& cdFilial, const QString& nrSeqProdCamp,
                          const QString& cdProduto) {
    return packetResult(dm, QStringLiteral("adqMovFidelidade"),
                        {{QStringLiteral("P_CDFILIAL"), cdFilial},
                         {QStringLiteral("P_NRSEQPRODCAMP"), nrSeqProdCamp},
                         {QStringLiteral("P_CDPRODUTO"), cdProduto}});
}

QVariant setMovFidelidade(TrdmGerMesa& dm, const QString& naoUsado, const QString& cdCampanha,
                          const QString& nrSeqProdCamp, const QString& nrSeqBeneficio,
                          const QString& cdCliente, const QString& cdConsumidor,
                          const QString& idTpDesBeneCons, const QDateTime& dtIniValBeneCons,
                          const QDateTime& dtFimValBeneCons, double vrDesBeneCons,
                          int qtdeBeneficio) {
    Q_UNUSED(naoUsado);
    return runOperation(dm, [&]() -> QVariant {
        dm.execute(QStringLiteral("acmInsMovFidelidade"),
                   {{QStringLiteral("P_CDCLIENTE"), cdCliente},
                    {QStringLiteral("P_CDCONSUMIDOR"), cdConsumidor},
                    {QStringLiteral("P_CDCAMPANHA"), cdCampanha},
                    {QStringLiteral("P_NRSEQPRODCAMP"), nrSeqProdCamp},
                    {QStringLiteral("P_NRSEQBENEFICIO"), nrSeqBeneficio},
                    {QStringLiteral("P_IDTPDESBENECONS"), idTpDesBeneCons},
                    {QStringLiteral("P_QTDEBENEFICIO"), qtdeBeneficio},
                    {QStringLiteral("P_VRDESBENECONS"), vrDesBeneCons},
                    {QStringLiteral("P_DTINIVALBENECONS"), dtIniValBeneCons},
                    {QStringLiteral("P_DTFIMVALBENECONS"), dtFimValBeneCons}});
        return QVariant();
    });
}

QVariant getVrSaldConsumi(TrdmGerMesa& dm, const QString& cdFilial, const QString& cdCliente,
                          const QString& cdConsumidor, const QDateTime& dtIniMes,
                          const QDateTime& dtVenda) {
    return packetResult(dm, QStringLiteral("adqVrSaldConsumi"),
                        {{QStringLiteral("P_CDFILIAL"), cdFilial},
                         {QStringLiteral("P_CDCLIENTE"), cdCliente},
                         {QStringLiteral("P_CDCONSUMIDOR"), cdConsumidor},
                         {QStringLiteral("P_DTINIMES"), dtIniMes.date()},
                         {QStringLiteral("P_DTENTRVENDA"), dtVenda.date()}});
}

QVariant getSaldoCred(TrdmGerMesa& dm, const QString& cdCliente, const QString& cdConsumidor,
                      const QString& cdFamiliSald) {
    return packetResult(dm, QStringLiteral("adqSaldoCred"),
                        {{QStringLiteral("P_CDCLIENTE"), cdCliente},
                         {QStringLiteral("P_CDCONSUMIDOR"), cdConsumidor},
                         {QStringLiteral("P_CDFAMILISALD"), cdFamiliSald}});
}

QVariant getMovCaixaMob(TrdmGerMesa& dm, const QString& cdFilial, const QString& nrComanda) {
    return packetResult(
        dm, QStringLiteral("adqMovCaixaMob"),
        {{QStringLiteral("P_CDFILIAL"), cdFilial}, {QStringLiteral("P_NRCOMANDA"), nrComanda}});
}

QVariant setMovCaixaMob(TrdmGerMesa& dm, const QString& cdFilial, const QString& nrComanda,
                        const QString& cdCaixa, const QString& nrSeqVenda) {
    return runOperation(dm, [&]() -> QVariant {
        dm.execute(QStringLiteral("acmUpdMovCaixaMob"), {{QStringLiteral("CDCAIXA"), cdCaixa},
                                                         {QStringLiteral("NRSEQVENDA"), nrSeqVenda},
                                                         {QStringLiteral("CDFILIAL"), cdFilial},
                                                         {QStringLiteral("NRCOMANDA"), nrComanda}});
        return QVariant();
    });
}

QVariant getSenhaCupom(TrdmGerMesa& dm, const QString& cdFilial, const QDateTime& data) {
    QString senha;
    {
        TdtmKovProxCodigo proxCodigo(dm.adcGerMesa());
        senha = proxCodigo.PrxVendaDia(cdFilial, data);
    }
    return QVariant(senha);
}

QVariant ReiniciaSenhaCupom(TrdmGerMesa& dm, const QString& cdFilial, const QString& data) {
    return runOperation(dm, [&]() -> QVariant {
        dm.execute(QStringLiteral("acmDelSenhaCupom"),
                   {{QStringLiteral("P_CDFILIAL"), cdFilial}, {QStringLiteral("P_DATE"), data}});
        dm.CommitTrans();
        return QVariant();
    });
}

QVariant GetRecupSenha(TrdmGerMesa& dm, const QString& cdFilial, const QString& nrVendaRest,
                       const QString& nrComanda) {
    return runOperation(dm, [&]() -> QVariant {
        return QVariant(dm.scalar(QStringLiteral("adqRecupSenha"),
                                  {{QStringLiteral("P_CDFILIAL"), cdFilial},
                                   {QStringLiteral("P_NRVENDAREST"), nrVendaRest},
                                   {QStringLiteral("P_NRCOMANDA"), nrComanda}},
                                  QStringLiteral("CDSENHAPED"))
                            .toString());
    });
}

QVariant GetSenhaCup(TrdmGerMesa& dm, const QString& cdFilial, const QString& nrComanda) {
    return runOperation(dm, [&]() -> QVariant {
        const QString nrVendaRest = dm.scalar(QStringLiteral("adqVendaRest"),
                                              {{QStringLiteral("P_CDFILIAL"), cdFilial},
                                               {QStringLiteral("P_NRCOMANDA"), nrComanda}},
                                              QStringLiteral("NRVENDAREST"))
                                        .toString();
        return QVariant(dm.scalar(QStringLiteral("adqSenhaCupom"),
                                  {{QStringLiteral("P_CDFILIAL"), cdFilial},
                                   {QStringLiteral("P_NRVENDAREST"), nrVendaRest}},
                                  QStringLiteral("CDSENHAPED"))
                            .toString());
    });
}

} // namespace tmk
