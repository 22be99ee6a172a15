#include "suite/devices/sale_packets.h"

#include "external/common.h"
#include "suite/devices/fiscal_amounts.h"

namespace tmk {

namespace {

QString textAt(const DataPacket& p, int row, const char* column) {
    return p.value(row, QString::fromLatin1(column)).toString().trimmed();
}

double numberAt(const DataPacket& p, int row, const char* column) {
    const QVariant v = p.value(row, QString::fromLatin1(column));
    if (v.typeId() == QMetaType::QString) {
        return parseAmountText(v.toString());
    }
    return v.toDouble();
}

} // namespace

DataPacket packetOf(const QVariant& value) {
    return value.canConvert<DataPacket>() ? value.value<DataPacket>() : DataPacket();
}

FiscalSale fiscalSaleFromPackets(const DataPacket& itens, const DataPacket& pagamentos) {
    FiscalSale s;
    for (int n = 0; n < itens.rowCount(); ++n) {
        FiscalItem i;
        i.codigo = textAt(itens, n, "CDPRODUTO");
        i.descricao = textAt(itens, n, "NMPRODUTO");
        const QString unit = textAt(itens, n, "SGUNIDADE");
        i.unidade = unit.isEmpty() ? QStringLiteral("UN") : unit;
        i.ncm = textAt(itens, n, "CDCLASFISC");
        i.quantidade = numberAt(itens, n, "QTPRODCOMVEN");
        i.valorUnitario = fromCents(toCents(numberAt(itens, n, "VRPRECCOMVEN")) +
                                    toCents(numberAt(itens, n, "VRUNITVENDCL")));
        i.valorTotal = Trunc2(i.quantidade * i.valorUnitario);
        i.desconto = numberAt(itens, n, "VRDESCCOMVEN");
        i.acrescimo = numberAt(itens, n, "VRACRCOMVEN");
        i.tipoImposto = textAt(itens, n, "IDTPIMPOSFIS");
        i.aliquota = numberAt(itens, n, "VRPEALIMPFIS");
        i.couvert = textAt(itens, n, "IDCONFIGPROD") == QLatin1String("CAR");
        s.itens << i;
        const QString cpf = textAt(itens, n, "NRINSCRCONS");
        if (s.cpfConsumidor.isEmpty() && !cpf.isEmpty()) {
            for (const QChar c : cpf) {
                if (c.isDigit()) {
                    s.cpfConsumidor += c;
                }
            }
        }
    }
    if (!itens.isEmpty()) {
        s.taxaServico = numberAt(itens, 0, "VRTXSERVICO");
        s.cdFilial = textAt(itens, 0, "CDFILIAL");
        s.mesa = textAt(itens, 0, "NRMESA");
    }
    qint64 change = 0;
    bool changeRows = false;
    for (int n = 0; n < pagamentos.rowCount(); ++n) {
        const double amount = numberAt(pagamentos, n, "VRMOVIVEND");
        if (textAt(pagamentos, n, "IDTIPOMOVIVE") == QLatin1String("S")) {
            change += toCents(amount);
            changeRows = true;
            continue;
        }
        FiscalPayment p;
        p.tipo = paymentKindFromReceiptType(textAt(pagamentos, n, "IDTIPORECE"));
        p.descricao = textAt(pagamentos, n, "NMTIPORECE");
        if (p.descricao.isEmpty()) {
            p.descricao = textAt(pagamentos, n, "DSMOVIVEND");
        }
        p.valor = amount;
        p.bandeira = textAt(pagamentos, n, "NMBANDTEF");
        if (p.bandeira.isEmpty()) {
            p.bandeira = textAt(pagamentos, n, "CDBANCARTCR");
        }
        p.nsu = textAt(pagamentos, n, "CDNSUTEF");
        p.autorizacao = textAt(pagamentos, n, "NRAUTORIZATEF");
        p.cartao = textAt(pagamentos, n, "NRCARTBANCO");
        s.pagamentos << p;
    }
    if (!changeRows) {
        const FiscalTotals t = fiscalTotals(s);
        change = qMax<qint64>(0, t.pago - t.total);
    }
    s.troco = fromCents(change);
    return s;
}

} // namespace tmk
