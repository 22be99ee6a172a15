#include "suite/sales/sale_store.h"

#include "external/common.h"
#include "platform/errors.h"
#include "suite/devices/fiscal_amounts.h"
#include "suite/sales/account_amounts.h"
#include "suite/sales/conclusion_request.h"
#include "suite/sales/sales_log.h"
#include "suite/sales/sales_query.h"

#include <cmath>

namespace tmk {

namespace {

const QString kFailure = QStringLiteral("Não foi possível gravar a venda.");

QString textAt(const DataPacket& p, int row, const QString& column) {
    const QVariant v = p.value(row, column);
    return v.isNull() ? QString() : v.toString().trimmed();
}

// A text column as stored: NULL for an empty text.
QVariant nullable(const QString& text) {
    return text.isEmpty() ? QVariant() : QVariant(text);
}

double numberAt(const DataPacket& p, int row, const QString& column) {
    const QVariant v = p.value(row, column);
    return v.typeId() == QMetaType::QString ? parseAmountText(v.toString()) : v.toDouble();
}

QString firstText(const DataPacket& p, const QString& column) {
    for (int r = 0; r < p.rowCount(); ++r) {
        const QString t = textAt(p, r, column);
        if (!t.isEmpty()) {
            return t;
        }
    }
    return {};
}

// The sales parameters of a branch: client, cost centre and the sales group of products.
struct SalesParameters {
    QString cdCliente;
    QString cdCcusClie;
    QString cdGrProdPdv;
};

SalesParameters salesParameters(QSqlDatabase& db, const QString& cdFilial) {
    SalesQuery q(db, QStringLiteral("para_vend"), kFailure);
    q.bind(QStringLiteral("CDFILIAL"), cdFilial).exec();
    SalesParameters p;
    if (q.next()) {
        p.cdCliente = q.text(QStringLiteral("CDCLIENTE"));
        p.cdCcusClie = q.text(QStringLiteral("CDCCUSCLIE"));
        p.cdGrProdPdv = q.text(QStringLiteral("CDGRPRODPDV"));
    }
    return p;
}

struct ProductGroup {
    QVariant grupo;
    QVariant subgrupo;
    QVariant filial;
};

// The product's subgroup under the branch's sales group: the branch's own, else the
// pattern branch "P"; nothing without a sales group or when neither exists.
ProductGroup productGroup(QSqlDatabase& db, const QString& cdFilial, const QString& cdGrProdPdv,
                          const QString& cdProduto) {
    if (cdGrProdPdv.isEmpty()) {
        return {};
    }
    for (const QString& filial : {cdFilial, QStringLiteral("P")}) {
        SalesQuery q(db, QStringLiteral("grupo_produto"), kFailure);
        q.bind(QStringLiteral("CDFILISUBGR"), filial)
            .bind(QStringLiteral("CDGRUPPROD"), cdGrProdPdv)
            .bind(QStringLiteral("CDPRODUTO"), cdProduto)
            .exec();
        if (q.next()) {
            return {cdGrProdPdv, q.value(QStringLiteral("CDSUBGRPROD")),
                    q.value(QStringLiteral("CDFILISUBGR"))};
        }
    }
    return {};
}

void insert(QSqlDatabase& db, const QString& statement, const QString& table,
            const QVariantMap& row) {
    QVariantMap fit;
    for (auto it = row.cbegin(); it != row.cend(); ++it) {
        fit.insert(it.key(), fitted(table, it.key(), it.value()));
    }
    SalesQuery(db, statement, kFailure).bind(fit).exec();
}

// Payments and change of the payment packet, in cents.
struct PaymentTotals {
    qint64 pago = 0;
    qint64 troco = 0;
};

PaymentTotals paymentTotals(const DataPacket& pagamentos) {
    PaymentTotals t;
    for (int r = 0; r < pagamentos.rowCount(); ++r) {
        const double v = numberAt(pagamentos, r, QStringLiteral("VRMOVIVEND"));
        if (!std::isfinite(v) || v < 0) {
            throw AppError(QStringLiteral("Valor inválido na linha %1 dos pagamentos.").arg(r + 1));
        }
        if (textAt(pagamentos, r, QStringLiteral("IDTIPOMOVIVE")) == QLatin1String("S")) {
            t.troco += toCents(v);
        } else {
            t.pago += toCents(v);
        }
    }
    return t;
}

} // namespace

std::optional<ConcludedSale> findConcludedSale(QSqlDatabase& db, const QString& cdFilial,
                                               const QString& cdCaixa, const QString& key) {
    SalesQuery q(db, QStringLiteral("venda_fechamento"),
                 QStringLiteral("Não foi possível verificar se a venda já foi gravada."));
    q.bind(QStringLiteral("CDFILIAL"), cdFilial)
        .bind(QStringLiteral("CDCAIXA"), cdCaixa)
        .bind(QStringLiteral("CDCHAVEFECHA"), key)
        .exec();
    if (!q.next()) {
        return std::nullopt;
    }
    return ConcludedSale{q.text(QStringLiteral("CDCAIXA")), q.text(QStringLiteral("NRSEQVENDA")),
                         q.text(QStringLiteral("IDSTATUSNFCE"))};
}

QString storeConcludedSale(QSqlDatabase& db, const ConclusionRequest& r, const QString& key,
                           const QDateTime& now) {
    const AccountLines lines = accountLines(r.itens);
    const AccountAmounts& a = lines.amounts;
    const PaymentTotals paid = paymentTotals(r.pagamentos);
    if (paid.pago - paid.troco != a.total()) {
        throw AppError(QStringLiteral("Os pagamentos (%1) menos o troco (%2) não fecham o total da "
                                      "venda (%3). A venda não foi gravada.")
                           .arg(reais(paid.pago), reais(paid.troco), reais(a.total())));
    }
    const DataPacket& itens = r.itens;

    SalesTransaction transaction(db, QStringLiteral("venda"));
    TdtmKovProxCodigo proxCodigo(db);
    const QString nrSeqVenda =
        proxCodigo.PrxPedidoVenda(r.cdFilial, r.cdCaixa, 1, QStringLiteral("SRV")).trimmed();
    if (nrSeqVenda.isEmpty()) {
        throw AppError(QStringLiteral("Não foi possível obter o número da venda."));
    }
    const SalesParameters param = salesParameters(db, r.cdFilial);
    const QString cdCliente = firstText(itens, QStringLiteral("CDCLIENTE"));
    const QDateTime entrada(r.dtAberCaixa.date(), QTime(0, 0));

    QVariantMap venda{
        {QStringLiteral("CDFILIAL"), r.cdFilial},
        {QStringLiteral("CDCAIXA"), r.cdCaixa},
        {QStringLiteral("NRSEQVENDA"), nrSeqVenda},
        {QStringLiteral("CDLOJA"), nullable(r.cdLoja)},
        {QStringLiteral("NRVENDAREST"), nullable(r.nrVendaRest)},
        {QStringLiteral("CDEMPRESA"),
         nullable(r.cdEmpresa.isEmpty() ? firstText(itens, QStringLiteral("CDEMPRESA"))
                                        : r.cdEmpresa)},
        {QStringLiteral("CDCLIENTE"), nullable(cdCliente.isEmpty() ? param.cdCliente : cdCliente)},
        {QStringLiteral("CDCONSUMIDOR"),
         nullable(firstText(itens, QStringLiteral("CDCONSUMIDOR")))},
        {QStringLiteral("CDCCUSCLIE"), nullable(param.cdCcusClie)},
        {QStringLiteral("CDVENDEDOR"), nullable(firstText(itens, QStringLiteral("CDVENDEDOR")))},
        {QStringLiteral("CDOPERADOR"), nullable(firstText(itens, QStringLiteral("CDOPERADOR")))},
        {QStringLiteral("NRMESA"), nullable(r.nrMesa)},
        {QStringLiteral("NRCOMANDAVND"), nullable(r.comandas().value(0))},
        {QStringLiteral("DSCOMANDAVND"), nullable(r.dsComanda)},
        {QStringLiteral("NRPESMESAVENDA"),
         itens.value(0, QStringLiteral("NRPESMESAVEN")).isNull()
             ? QVariant()
             : QVariant(numberAt(itens, 0, QStringLiteral("NRPESMESAVEN")))},
        {QStringLiteral("DTVENDA"), now},
        {QStringLiteral("DTENTRVENDA"), entrada},
        {QStringLiteral("DTABERTUR"), r.dtAberCaixa},
        {QStringLiteral("IDORIGEMVENDA"),
         r.origemVenda.isEmpty() ? QStringLiteral("MES_KOV") : r.origemVenda},
        {QStringLiteral("VRTOTVENDA"), fromCents(a.vendaLiquida())},
        {QStringLiteral("VRDESCVENDA"), fromCents(a.descontos)},
        {QStringLiteral("VRTXSEVENDA"), fromCents(a.taxaServico)},
        {QStringLiteral("NRCUPOMFIS"), nullable(r.nrCupom)},
        {QStringLiteral("NRCONTCUPOMFISC"), nullable(r.nrContCupomFisc)},
        {QStringLiteral("NRVENDAEXT"), nullable(r.nrNaoFiscal)},
        {QStringLiteral("NRSERIEIMPVND"), nullable(r.nrSerieImp)},
        {QStringLiteral("DSMODELOECFVE"), nullable(r.dsModeloEcf)},
        {QStringLiteral("DSMARCAECFVE"), nullable(r.dsMarcaEcf)},
        {QStringLiteral("NRECFCUPOMVE"), nullable(r.ecfImp)},
        {QStringLiteral("NMCONSVEND"), nullable(firstText(itens, QStringLiteral("NMCONSVEND")))},
        {QStringLiteral("NRINSCRCONS"), nullable(firstText(itens, QStringLiteral("NRINSCRCONS")))},
        {QStringLiteral("CDSENHAPED"), nullable(r.senhaCupom)},
        {QStringLiteral("NRSERIENFCE"), nullable(r.emiteNfce() ? r.nrSerieNfce : QString())},
        {QStringLiteral("DTEMISSNFCE"), r.emiteNfce() ? QVariant(r.dtEmissNfce) : QVariant()},
        // An NFC-e still to be issued: a conclusion that finds the sale again knows an
        // emission may have begun.
        {QStringLiteral("IDSTATUSNFCE"),
         r.emiteNfce() ? QVariant(QStringLiteral("P")) : QVariant()},
        {QStringLiteral("CDCHAVEFECHA"), key},
    };
    insert(db, QStringLiteral("ins_venda"), QStringLiteral("VENDA"), venda);

    int ordem = 0; // the order of the lines on the coupon, sold and cancelled
    for (int n = 0; n < lines.itens.size(); ++n) {
        const FiscalItem& line = lines.itens.at(n);
        const int row = lines.rows.at(n);
        const QString cdProduto = textAt(itens, row, QStringLiteral("CDPRODUTO"));
        const QString filialItem = textAt(itens, row, QStringLiteral("CDFILIAL"));
        const QString loja = textAt(itens, row, QStringLiteral("CDLOJAIT"));
        const ProductGroup g = productGroup(db, filialItem.isEmpty() ? r.cdFilial : filialItem,
                                            param.cdGrProdPdv, cdProduto);
        ++ordem;
        const QString tabItem = textAt(itens, row, QStringLiteral("NRPRODCOMVEN"));
        insert(db, QStringLiteral("ins_item_venda"), QStringLiteral("ITEMVENDA"),
               {{QStringLiteral("CDFILIAL"), r.cdFilial},
                {QStringLiteral("CDCAIXA"), r.cdCaixa},
                {QStringLiteral("NRSEQVENDA"), nrSeqVenda},
                {QStringLiteral("NRSEQUITVEND"), Ajusta(QString::number(n + 1), 3)},
                {QStringLiteral("CDLOJA"), nullable(loja.isEmpty() ? r.cdLoja : loja)},
                {QStringLiteral("CDPRODUTO"), cdProduto},
                {QStringLiteral("CDPRODPROMOCAO"),
                 nullable(textAt(itens, row, QStringLiteral("CDPRODPROMOCAO")))},
                {QStringLiteral("QTPRODVEND"), line.quantidade},
                {QStringLiteral("VRUNITVEND"),
                 fromCents(toCents(numberAt(itens, row, QStringLiteral("VRPRECCOMVEN"))))},
                {QStringLiteral("VRUNITVENDCL"),
                 fromCents(toCents(numberAt(itens, row, QStringLiteral("VRUNITVENDCL"))))},
                {QStringLiteral("VRDESITVEND"), fromCents(toCents(line.desconto))},
                {QStringLiteral("VRACRITVEND"), fromCents(toCents(line.acrescimo))},
                {QStringLiteral("CDORDALIQIMPR"),
                 nullable(textAt(itens, row, QStringLiteral("CDORDALIQIMPR")))},
                {QStringLiteral("VRALIQIMPR"), Trunc2(line.aliquota)},
                {QStringLiteral("NRORDITCUPFIS"), Ajusta(QString::number(ordem), 5)},
                {QStringLiteral("CDGRUPPROD"), g.grupo},
                {QStringLiteral("CDSUBGRPROD"), g.subgrupo},
                {QStringLiteral("CDFISUBGRVND"), g.filial},
                {QStringLiteral("CDFAMILISALD"),
                 nullable(textAt(itens, row, QStringLiteral("CDFAMILISALD")))},
                {QStringLiteral("NRPRODCOMVENIT"),
                 tabItem.isEmpty() ? QVariant() : QVariant(Ajusta(tabItem, 6))},
                {QStringLiteral("IDCONFIGPROD"),
                 nullable(textAt(itens, row, QStringLiteral("IDCONFIGPROD")))}});
    }

    const DataPacket& canc = r.cancelados;
    for (int row = 0; row < canc.rowCount(); ++row) {
        const QString cdProduto = textAt(canc, row, QStringLiteral("CDPRODUTO"));
        const QString filialItem = textAt(canc, row, QStringLiteral("CDFILIAL"));
        const ProductGroup g = productGroup(db, filialItem.isEmpty() ? r.cdFilial : filialItem,
                                            param.cdGrProdPdv, cdProduto);
        ++ordem;
        insert(
            db, QStringLiteral("ins_item_venda_can"), QStringLiteral("ITVENDACAN"),
            {{QStringLiteral("CDFILIAL"), r.cdFilial},
             {QStringLiteral("CDCAIXA"), r.cdCaixa},
             {QStringLiteral("NRSEQVENDA"), nrSeqVenda},
             {QStringLiteral("NRSEQITVENDC"), Ajusta(QString::number(row + 1), 3)},
             {QStringLiteral("CDPRODUTO"), cdProduto},
             {QStringLiteral("QTPRODVENDC"), numberAt(canc, row, QStringLiteral("QTPRODCOMVEN"))},
             {QStringLiteral("VRUNITVENDC"),
              fromCents(toCents(numberAt(canc, row, QStringLiteral("VRPRECCOMVEN"))))},
             {QStringLiteral("VRUNITVENCLC"),
              fromCents(toCents(numberAt(canc, row, QStringLiteral("VRUNITVENCLC"))))},
             {QStringLiteral("VRDESITVENDC"),
              fromCents(toCents(numberAt(canc, row, QStringLiteral("VRDESCCOMVEN"))))},
             {QStringLiteral("VRACRITVENDC"),
              fromCents(toCents(numberAt(canc, row, QStringLiteral("VRACRCOMVEN"))))},
             {QStringLiteral("CDORDALIQIMPRIC"),
              nullable(textAt(canc, row, QStringLiteral("CDORDALIQIMPRIC")))},
             {QStringLiteral("VRALIQIMPRIC"),
              Trunc2(numberAt(canc, row, QStringLiteral("VRPEALIMPFIS")))},
             {QStringLiteral("NRORDITCUPFISCA"), Ajusta(QString::number(ordem), 5)},
             {QStringLiteral("CDGRUPPROD"), g.grupo},
             {QStringLiteral("CDSUBGRPROD"), g.subgrupo},
             {QStringLiteral("CDFISUBGRVNC"), g.filial},
             {QStringLiteral("CDSUPERVISOR"),
              nullable(textAt(canc, row, QStringLiteral("CDSUPERVISOR")))},
             {QStringLiteral("CDOPERCANC"),
              nullable(textAt(canc, row, QStringLiteral("CDOPERCANC")))}});
    }

    // Every column of the payment lines the packet carries goes into MOVCAIXA; the keys
    // and the kind of line are the sale's.
    const DataPacket& pag = r.pagamentos;
    for (int row = 0; row < pag.rowCount(); ++row) {
        QVariantMap mov;
        for (int c = 0; c < pag.fields.size(); ++c) {
            const QVariant v = pag.rows.at(row).value(c);
            if (v.isValid() && !(v.typeId() == QMetaType::QString && v.toString().isEmpty())) {
                mov.insert(pag.fields.at(c).name.toUpper(), v);
            }
        }
        mov.insert(QStringLiteral("CDFILIAL"), r.cdFilial);
        mov.insert(QStringLiteral("CDCAIXA"), r.cdCaixa);
        mov.insert(QStringLiteral("NRSEQVENDA"), nrSeqVenda);
        mov.insert(QStringLiteral("NRSEQUMOVI"), Ajusta(QString::number(row + 1), 4));
        const bool troco = textAt(pag, row, QStringLiteral("IDTIPOMOVIVE")) == QLatin1String("S");
        mov.insert(QStringLiteral("IDTIPOMOVIVE"),
                   troco ? QStringLiteral("S") : QStringLiteral("E"));
        mov.insert(QStringLiteral("VRMOVIVEND"),
                   fromCents(toCents(numberAt(pag, row, QStringLiteral("VRMOVIVEND")))));
        if (!mov.contains(QStringLiteral("DTHRINCMOV"))) {
            mov.insert(QStringLiteral("DTHRINCMOV"), now);
        }
        if (!mov.contains(QStringLiteral("DTMOVIMCAIXA"))) {
            mov.insert(QStringLiteral("DTMOVIMCAIXA"),
                       r.dataMovimento.isValid() ? r.dataMovimento : entrada);
        }
        insert(db, QStringLiteral("ins_mov_caixa"), QStringLiteral("MOVCAIXA"), mov);
    }

    transaction.commit();
    qCInfo(lcSuiteSales).noquote() << "sale" << r.cdFilial << r.cdCaixa << nrSeqVenda
                                   << "stored for table" << r.nrMesa << "total" << reais(a.total());
    return nrSeqVenda;
}

} // namespace tmk
