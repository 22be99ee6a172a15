#include "suite/sales/approximate_taxes.h"

#include "suite/devices/fiscal_amounts.h"
#include "suite/sales/sales_query.h"

#include <QHash>
#include <cmath>
#include <optional>

namespace tmk {

namespace {

struct Rates {
    std::optional<double> federal;
    std::optional<double> estadual;
};

std::optional<double> rateOf(const SalesQuery& q, const QString& column) {
    const QVariant v = q.value(column);
    if (v.isNull()) {
        return std::nullopt;
    }
    bool ok = false;
    const double d = v.toDouble(&ok);
    return ok && std::isfinite(d) && d >= 0 ? std::optional<double>(d) : std::nullopt;
}

Rates ratesOf(QSqlDatabase& db, const QString& cdProduto) {
    SalesQuery q(db, QStringLiteral("produto_tributos"),
                 QStringLiteral("Não foi possível ler os tributos aproximados do produto %1.")
                     .arg(cdProduto));
    q.bind(QStringLiteral("CDPRODUTO"), cdProduto).exec();
    Rates r;
    if (q.next()) {
        r.federal = rateOf(q, QStringLiteral("VRPETRIBFED"));
        r.estadual = rateOf(q, QStringLiteral("VRPETRIBEST"));
    }
    return r;
}

} // namespace

ApproximateTaxes approximateTaxes(QSqlDatabase& db, const QList<FiscalItem>& itens) {
    QHash<QString, Rates> rates;
    double federal = 0;
    double estadual = 0;
    for (const FiscalItem& i : itens) {
        if (!rates.contains(i.codigo)) {
            rates.insert(i.codigo, ratesOf(db, i.codigo));
        }
        const Rates& r = rates[i.codigo];
        const double value =
            double(toCents(i.valorTotal) - toCents(i.desconto) + toCents(i.acrescimo));
        const double icms = i.tipoImposto == QLatin1String("T") ? i.aliquota : 0.0;
        federal += value * r.federal.value_or(0.0) / 100.0;
        estadual += value * r.estadual.value_or(icms) / 100.0;
    }
    return {qint64(std::llround(federal)), qint64(std::llround(estadual))};
}

QString taxText(qint64 cents) {
    return xmlAmount(cents);
}

} // namespace tmk
