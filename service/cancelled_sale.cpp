#include "service/cancelled_sale.h"

#include "external/common.h"
#include "platform/client_dataset.h"
#include "platform/errors.h"
#include "platform/service_result.h"
#include "service/totals_benefits.h"

#include <QLoggingCategory>

Q_LOGGING_CATEGORY(lcCancelledSale, "tmk.service.cancelledsale")

namespace tmk {

namespace {

// Loads a packet argument into an in-memory table; an invalid QVariant is no rows.
void carrega(ClientDataSet& cds, const QVariant& pacote) {
    if (!pacote.isValid()) {
        cds.setData(DataPacket());
        return;
    }
    if (pacote.metaType() != QMetaType::fromType<DataPacket>()) {
        throw AppError(QStringLiteral("Os itens da venda cancelada (%1) não vieram em um "
                                      "pacote de dados.")
                           .arg(cds.name()));
    }
    cds.setData(pacote.value<DataPacket>());
}

// A column of the current record as it goes into a statement: NULL when null.
QVariant texto(ClientDataSet& cds, const QString& campo) {
    Field f = cds.fieldByName(campo);
    return f.isNull() ? QVariant() : QVariant(f.asString());
}

QVariant numero(ClientDataSet& cds, const QString& campo) {
    Field f = cds.fieldByName(campo);
    return f.isNull() ? QVariant() : QVariant(f.asFloat());
}

double valor(ClientDataSet& cds, const QString& campo) {
    return cds.fieldByName(campo).asFloat();
}

// Truncated amount of a sale-level column read as text; an empty text is absent (0).
double valorPresente(ClientDataSet& cds, const QString& campo) {
    Field f = cds.fieldByName(campo);
    return f.asString().isEmpty() ? 0.0 : Trunc2(f.asFloat());
}

QString contador(int n, int largura) {
    return Ajusta(QString::number(n), largura);
}

struct GrupoProduto {
    QVariant grupo;     // CDGRUPPROD
    QVariant subgrupo;  // CDSUBGRPROD
    QVariant filialSub; // CDFISUBGRVND / CDFISUBGRVNC
};

// The product's subgroup under the branch's sales group: the branch's own row, else the
// pattern row of branch "P"; nothing without a sales group or when neither exists.
GrupoProduto grupoDoProduto(TrdmGerMesa& dm, const QString& cdFilial, const QString& cdGrProdPdv,
                            const QString& cdProduto) {
    if (cdGrProdPdv.isEmpty()) {
        return {};
    }
    for (const QString& filial : {cdFilial, QStringLiteral("P")}) {
        const DataPacket p = dm.openPacket(QStringLiteral("adqPrSubGrProd"),
                                           {{QStringLiteral("P_CDFILIAL"), filial},
                                            {QStringLiteral("P_CDGRUPPROD"), cdGrProdPdv},
                                            {QStringLiteral("P_CDPRODUTO"), cdProduto}});
        if (!p.isEmpty()) {
            return {cdGrProdPdv, p.value(0, QStringLiteral("CDSUBGRPROD")),
                    p.value(0, QStringLiteral("CDFILISUBGR"))};
        }
    }
    return {};
}

} // namespace

QVariant setCancelaVendas(TrdmGerMesa& dm, const QVariant& vendidos, const QVariant& cancelados,
                          const QString& cdCaixa, const QDateTime& dtAberCaixa,
                          const QString& cdEmpresa, const QString& naoUsado,
                          const QString& nrContCupomFisc, const QString& nrMesa,
                          const QString& nrVendaExt, const QString& nrSerieImpVnd,
                          const QString& dsModeloEcfVe, const QString& dsMarcaEcfVe,
                          const QString& nrEcfCupomVe, int idTipoImpFis) {
    Q_UNUSED(naoUsado);
    try {
        ClientDataSet cdsGeraVenda(QStringLiteral("cdsGeraVenda"));
        ClientDataSet cdsCancelamento(QStringLiteral("cdsCancelamento"));
        carrega(cdsGeraVenda, vendidos);
        carrega(cdsCancelamento, cancelados);
        if (cdsGeraVenda.fieldIndex(QStringLiteral("NRVENDAREST")) >= 0) {
            cdsGeraVenda.setIndexFieldNames(QStringLiteral("NRVENDAREST"));
        }
        // Nothing sold: nothing to record, and no sale number is spent.
        if (cdsGeraVenda.isEmpty()) {
            return QVariant();
        }
        if (!dtAberCaixa.isValid()) {
            throw AppError(QStringLiteral("Data de abertura do caixa inválida para registrar a "
                                          "venda cancelada."));
        }
        cdsGeraVenda.first();
        const QString cdFilial = cdsGeraVenda.fieldByName(QStringLiteral("CDFILIAL")).asString();

        // Without a sale number nothing can be recorded: the failure is the result.
        QString nrSeqVenda;
        try {
            TdtmKovProxCodigo proxCodigo(dm.adcGerMesa());
            nrSeqVenda = proxCodigo.PrxPedidoVenda(cdFilial, cdCaixa, 1, QStringLiteral("SRV"));
        } catch (const std::exception& e) {
            return serviceFailure(ADOExceptionMessage(e, dm.adcGerMesa(), QString()));
        }
        if (nrSeqVenda.trimmed().isEmpty()) {
            return serviceFailure(
                QStringLiteral("Não foi possível obter o número da venda cancelada."));
        }

        const DataPacket paraVend = dm.openPacket(QStringLiteral("adqParaVend"),
                                                  {{QStringLiteral("P_CDFILIAL"), cdFilial}});
        const QString cdGrProdPdv = paraVend.value(0, QStringLiteral("CDGRPRODPDV")).toString();
        dm.openPacket(QStringLiteral("adqOperAber"),
                      {{QStringLiteral("P_CDFILIAL"), cdFilial},
                       {QStringLiteral("P_CDCAIXA"), cdCaixa},
                       {QStringLiteral("P_DTABERCAIX"), dtAberCaixa}});

        dm.StartTrans();
        dm.execute(
            QStringLiteral("acmInsVenda"),
            {{QStringLiteral("P_CDFILIAL"), cdFilial},
             {QStringLiteral("P_CDCAIXA"), cdCaixa},
             {QStringLiteral("P_NRSEQVENDA"), nrSeqVenda},
             {QStringLiteral("P_CDCLIENTE"), paraVend.value(0, QStringLiteral("CDCLIENTE"))},
             {QStringLiteral("P_CDCCUSCLIE"), paraVend.value(0, QStringLiteral("CDCCUSCLIE"))},
             {QStringLiteral("P_CDEMPRESA"), cdEmpresa},
             {QStringLiteral("P_CDVENDEDOR"), texto(cdsGeraVenda, QStringLiteral("CDVENDEDOR"))},
             {QStringLiteral("P_NRCUPOMFIS"), texto(cdsGeraVenda, QStringLiteral("NRCUPOMFIS"))},
             {QStringLiteral("P_CDOPERADOR"), texto(cdsGeraVenda, QStringLiteral("CDOPERADOR"))},
             {QStringLiteral("P_CDLOJA"), texto(cdsGeraVenda, QStringLiteral("CDLOJA"))},
             {QStringLiteral("P_DTVENDA"), QDateTime::currentDateTime()},
             {QStringLiteral("P_DTENTRVENDA"), dtAberCaixa.date()},
             {QStringLiteral("P_DTABERTUR"), dtAberCaixa},
             {QStringLiteral("P_NRMESA"), nrMesa},
             {QStringLiteral("P_NRVENDAEXT"), nrVendaExt},
             {QStringLiteral("P_NRCONTCUPOMFISC"), nrContCupomFisc},
             {QStringLiteral("P_NRSERIEIMPVND"), nrSerieImpVnd},
             {QStringLiteral("P_DSMODELOECFVE"), dsModeloEcfVe},
             {QStringLiteral("P_DSMARCAECFVE"), dsMarcaEcfVe},
             {QStringLiteral("P_NRECFCUPOMVE"), nrEcfCupomVe}});

        // The sale's discount and surcharge, netted against each other.
        double desconto = valorPresente(cdsGeraVenda, QStringLiteral("VRDESCOMANDA"));
        double acrescimo = valorPresente(cdsGeraVenda, QStringLiteral("VRTXSERVICO")) +
                           valorPresente(cdsGeraVenda, QStringLiteral("VRACRCOMANDA"));
        if (desconto >= acrescimo) {
            desconto -= acrescimo;
            acrescimo = 0;
        } else {
            acrescimo -= desconto;
            desconto = 0;
        }

        double totalVenda = 0;
        for (cdsGeraVenda.first(); !cdsGeraVenda.eof(); cdsGeraVenda.next()) {
            totalVenda += valor(cdsGeraVenda, QStringLiteral("QTPRODCOMVEN")) *
                              valor(cdsGeraVenda, QStringLiteral("VRPRECCOMVEN")) -
                          valor(cdsGeraVenda, QStringLiteral("VRDESCCOMVEN"));
        }
        const bool semAcrescimoNoItem = idTipoImpFis == 16 || idTipoImpFis == 30;

        int item = 1;
        for (cdsGeraVenda.first(); !cdsGeraVenda.eof(); cdsGeraVenda.next()) {
            const double descontoItem = valor(cdsGeraVenda, QStringLiteral("VRDESCCOMVEN"));
            const double bruto = Trunc2(valor(cdsGeraVenda, QStringLiteral("QTPRODCOMVEN")) *
                                        valor(cdsGeraVenda, QStringLiteral("VRPRECCOMVEN")));
            const double liquido = bruto - descontoItem;
            double parteDesconto = 0;
            double parteAcrescimo = 0;
            if (RoundDec(totalVenda, 2) > 0) {
                parteDesconto = Trunc2(liquido * desconto / totalVenda);
                parteAcrescimo = Trunc2(liquido * acrescimo / totalVenda);
            }
            const QString filialItem =
                cdsGeraVenda.fieldByName(QStringLiteral("CDFILIAL")).asString();
            const QString cdProduto =
                cdsGeraVenda.fieldByName(QStringLiteral("CDPRODUTO")).asString();
            const GrupoProduto grupo = grupoDoProduto(dm, filialItem, cdGrProdPdv, cdProduto);
            dm.execute(
                QStringLiteral("acmInsItemVenda"),
                {{QStringLiteral("P_CDFILIAL"), filialItem},
                 {QStringLiteral("P_CDLOJA"), texto(cdsGeraVenda, QStringLiteral("CDLOJAIT"))},
                 {QStringLiteral("P_CDCAIXA"), cdCaixa},
                 {QStringLiteral("P_NRSEQVENDA"), nrSeqVenda},
                 {QStringLiteral("P_NRSEQUITVEND"), contador(item, 3)},
                 {QStringLiteral("P_QTPRODVEND"),
                  numero(cdsGeraVenda, QStringLiteral("QTPRODCOMVEN"))},
                 {QStringLiteral("P_VRUNITVEND"),
                  numero(cdsGeraVenda, QStringLiteral("VRPRECCOMVEN"))},
                 {QStringLiteral("P_VRUNITVENDCL"),
                  numero(cdsGeraVenda, QStringLiteral("VRUNITVENDCL"))},
                 {QStringLiteral("P_CDPRODUTO"), texto(cdsGeraVenda, QStringLiteral("CDPRODUTO"))},
                 {QStringLiteral("P_CDPRODPROMOCAO"),
                  texto(cdsGeraVenda, QStringLiteral("CDPRODPROMOCAO"))},
                 {QStringLiteral("P_VRDESITVEND"), descontoItem + parteDesconto},
                 {QStringLiteral("P_VRACRITVEND"), semAcrescimoNoItem ? 0.0 : parteAcrescimo},
                 {QStringLiteral("P_CDORDALIQIMPR"),
                  texto(cdsGeraVenda, QStringLiteral("CDORDALIQIMPR"))},
                 {QStringLiteral("P_VRALIQIMPR"),
                  Trunc2(valor(cdsGeraVenda, QStringLiteral("VRALIQIMPR")))},
                 {QStringLiteral("P_NRORDITCUPFIS"), contador(item, 5)},
                 {QStringLiteral("P_CDGRUPPROD"), grupo.grupo},
                 {QStringLiteral("P_CDSUBGRPROD"), grupo.subgrupo},
                 {QStringLiteral("P_CDFISUBGRVND"), grupo.filialSub}});
            ++item;
        }

        // Cancelled items carry their own discount only; their order numbers on the
        // coupon go on from the sold items.
        int cancelado = 1;
        for (cdsCancelamento.first(); !cdsCancelamento.eof(); cdsCancelamento.next()) {
            const QString filialItem =
                cdsCancelamento.fieldByName(QStringLiteral("CDFILIAL")).asString();
            const QString cdProduto =
                cdsCancelamento.fieldByName(QStringLiteral("CDPRODUTO")).asString();
            const GrupoProduto grupo = grupoDoProduto(dm, filialItem, cdGrProdPdv, cdProduto);
            dm.execute(QStringLiteral("acmInsItVendaCan"),
                       {{QStringLiteral("P_CDFILIAL"), filialItem},
                        {QStringLiteral("P_CDCAIXA"), cdCaixa},
                        {QStringLiteral("P_NRSEQVENDA"), nrSeqVenda},
                        {QStringLiteral("P_NRSEQITVENDC"), contador(cancelado, 3)},
                        {QStringLiteral("P_QTPRODVENDC"),
                         numero(cdsCancelamento, QStringLiteral("QTPRODCOMVEN"))},
                        {QStringLiteral("P_VRUNITVENDC"),
                         numero(cdsCancelamento, QStringLiteral("VRPRECCOMVEN"))},
                        {QStringLiteral("P_VRUNITVENCLC"),
                         numero(cdsCancelamento, QStringLiteral("VRUNITVENCLC"))},
                        {QStringLiteral("P_CDPRODUTO"),
                         texto(cdsCancelamento, QStringLiteral("CDPRODUTO"))},
                        {QStringLiteral("P_VRDESITVENDC"),
                         valor(cdsCancelamento, QStringLiteral("VRDESCCOMVEN"))},
                        {QStringLiteral("P_CDORDALIQIMPRIC"),
                         texto(cdsCancelamento, QStringLiteral("CDORDALIQIMPRIC"))},
                        {QStringLiteral("P_VRALIQIMPRIC"),
                         Trunc2(valor(cdsCancelamento, QStringLiteral("VRALIQIMPRIC")))},
                        {QStringLiteral("P_NRORDITCUPFISCA"), contador(item, 5)},
                        {QStringLiteral("P_CDGRUPPROD"), grupo.grupo},
                        {QStringLiteral("P_CDSUBGRPROD"), grupo.subgrupo},
                        {QStringLiteral("P_CDFISUBGRVNC"), grupo.filialSub},
                        {QStringLiteral("P_CDSUPERVISOR"),
                         texto(cdsCancelamento, QStringLiteral("CDSUPERVISOR"))},
                        {QStringLiteral("P_CDOPERCANC"),
                         texto(cdsCancelamento, QStringLiteral("CDOPERCANC"))}});
            ++cancelado;
            ++item;
        }

        CalcVrTotVenda(dm, cdFilial, cdCaixa, nrSeqVenda);
        dm.CommitTrans();
        qCInfo(lcCancelledSale) << "cancelled sale" << cdFilial << cdCaixa << nrSeqVenda
                                << "recorded for table" << nrMesa;
        return QVariant(nrSeqVenda);
    } catch (const std::exception& e) {
        dm.RollbackTrans();
        return serviceFailure(exceptionText(e));
    }
}

} // namespace tmk
