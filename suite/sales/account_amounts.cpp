#include "suite/sales/account_amounts.h"

#include "platform/errors.h"
#include "suite/devices/fiscal_amounts.h"
#include "suite/devices/nfce_document.h"
#include "suite/devices/sale_packets.h"

#include <QMap>
#include <algorithm>
#include <cmath>

namespace tmk {

namespace {

QString textAt(const DataPacket& p, int row, const QString& column) {
    return p.value(row, column).toString().trimmed();
}

double numberAt(const DataPacket& p, int row, const QString& column) {
    const QVariant v = p.value(row, column);
    return v.typeId() == QMetaType::QString ? parseAmountText(v.toString()) : v.toDouble();
}

void requireSane(const FiscalItem& i, int line) {
    const auto bad = [&](const QString& what) {
        throw AppError(QStringLiteral("Item %1 da conta (%2) com %3.")
                           .arg(line)
                           .arg(i.descricao.isEmpty() ? i.codigo : i.descricao, what));
    };
    if (!std::isfinite(i.quantidade) || i.quantidade <= 0) {
        bad(QStringLiteral("quantidade inválida"));
    }
    if (!std::isfinite(i.valorUnitario) || i.valorUnitario < 0) {
        bad(QStringLiteral("preço negativo"));
    }
    if (!std::isfinite(i.desconto) || i.desconto < 0 ||
        toCents(i.desconto) > toCents(i.valorTotal)) {
        bad(QStringLiteral("desconto inválido"));
    }
    if (!std::isfinite(i.acrescimo) || i.acrescimo < 0) {
        bad(QStringLiteral("acréscimo negativo"));
    }
}

} // namespace

AccountLines accountLines(const DataPacket& itens) {
    if (itens.isEmpty()) {
        throw AppError(QStringLiteral("A conta não tem itens a receber."));
    }
    // Item order, whatever order the packet came in.
    QList<int> order;
    for (int r = 0; r < itens.rowCount(); ++r) {
        order << r;
    }
    const QString nr = QStringLiteral("NRPRODCOMVEN");
    std::stable_sort(order.begin(), order.end(),
                     [&](int a, int b) { return textAt(itens, a, nr) < textAt(itens, b, nr); });
    DataPacket sorted;
    sorted.fields = itens.fields;
    for (int r : order) {
        sorted.rows << itens.rows.at(r);
    }

    AccountLines out;
    const FiscalSale sale = fiscalSaleFromPackets(sorted, {});
    out.itens = sale.itens;
    out.rows = order;
    AccountAmounts& a = out.amounts;
    QMap<QString, QList<int>> linesOfTab;
    QMap<QString, qint64> discountOfTab;
    for (int n = 0; n < out.itens.size(); ++n) {
        const FiscalItem& i = out.itens.at(n);
        requireSane(i, n + 1);
        const QString mark = textAt(sorted, n, QStringLiteral("IDCONFIGPROD"));
        const qint64 value = toCents(i.valorTotal);
        if (mark == QLatin1String("CAR")) {
            a.couvert += value;
        } else if (mark == QLatin1String("CON")) {
            a.consumacao += value;
        } else {
            a.itens += value;
        }
        a.descontos += toCents(i.desconto);
        a.acrescimos += toCents(i.acrescimo);
        const QString tab = textAt(sorted, n, QStringLiteral("NRCOMANDA"));
        linesOfTab[tab] << n;
        if (!discountOfTab.contains(tab)) {
            const double d = numberAt(sorted, n, QStringLiteral("VRDESCOMANDA"));
            if (!std::isfinite(d) || d < 0) {
                throw AppError(QStringLiteral("Desconto inválido na comanda %1.").arg(tab));
            }
            discountOfTab.insert(tab, toCents(d));
        }
    }
    for (auto it = discountOfTab.cbegin(); it != discountOfTab.cend(); ++it) {
        if (it.value() == 0) {
            continue;
        }
        QList<FiscalItem> lines;
        qint64 room = 0;
        for (int n : linesOfTab.value(it.key())) {
            lines << out.itens.at(n);
            room += toCents(out.itens.at(n).valorTotal) - toCents(out.itens.at(n).desconto);
        }
        if (it.value() > room) {
            throw AppError(QStringLiteral("O desconto da comanda %1 (%2) passa do valor dos seus "
                                          "itens (%3).")
                               .arg(it.key(), reais(it.value()), reais(room)));
        }
        const QList<qint64> shares = spreadOverItems(it.value(), lines);
        const QList<int> rows = linesOfTab.value(it.key());
        for (int k = 0; k < rows.size(); ++k) {
            FiscalItem& i = out.itens[rows.at(k)];
            i.desconto = fromCents(toCents(i.desconto) + shares.at(k));
        }
        a.descontos += it.value();
    }
    const double service = sale.taxaServico;
    if (!std::isfinite(service) || service < 0) {
        throw AppError(QStringLiteral("Taxa de serviço inválida na conta."));
    }
    a.taxaServico = toCents(service);
    return out;
}

AccountAmounts accountAmounts(const DataPacket& itens) {
    return accountLines(itens).amounts;
}

} // namespace tmk
