#include "suite/devices/fiscal_sale.h"

#include "platform/errors.h"
#include "suite/devices/access_key.h"
#include "suite/devices/fiscal_amounts.h"

#include <QRegularExpression>
#include <cmath>

namespace tmk {

FiscalTotals fiscalTotals(const FiscalSale& sale) {
    FiscalTotals t;
    for (const FiscalItem& i : sale.itens) {
        t.produtos += toCents(i.valorTotal);
        t.descontos += toCents(i.desconto);
        t.acrescimos += toCents(i.acrescimo);
        if (i.couvert) {
            t.couvert += toCents(i.valorTotal);
        }
    }
    t.quantidadeItens = int(sale.itens.size());
    t.taxaServico = toCents(sale.taxaServico);
    t.total = t.produtos - t.descontos + t.acrescimos + t.taxaServico;
    for (const FiscalPayment& p : sale.pagamentos) {
        t.pago += toCents(p.valor);
    }
    t.troco = toCents(sale.troco);
    t.tributos = toCents(sale.tributosFederais) + toCents(sale.tributosEstaduais);
    return t;
}

namespace {

[[noreturn]] void invalid(const QString& why) {
    throw AppError(QStringLiteral("Venda inválida para o documento fiscal: %1.").arg(why));
}

bool finiteAndNotNegative(double v) {
    return std::isfinite(v) && v >= 0;
}

} // namespace

void validateFiscalSale(const FiscalSale& sale) {
    static const QRegularExpression twoDigits(QStringLiteral("^\\d{2}$"));
    static const QRegularExpression twoLetters(QStringLiteral("^[A-Z]{2}$"));
    const FiscalIssuer& e = sale.emitente;
    if (!isValidCnpj(e.cnpj)) {
        invalid(QStringLiteral("CNPJ do emitente \"%1\" inválido").arg(e.cnpj));
    }
    if (!twoDigits.match(e.codigoUf).hasMatch()) {
        invalid(QStringLiteral("código IBGE da UF \"%1\" inválido").arg(e.codigoUf));
    }
    if (!twoLetters.match(e.siglaUf).hasMatch()) {
        invalid(QStringLiteral("sigla da UF \"%1\" inválida").arg(e.siglaUf));
    }
    if (e.ambiente != QLatin1String("1") && e.ambiente != QLatin1String("2")) {
        invalid(QStringLiteral("ambiente \"%1\" inválido (use 1 produção ou 2 homologação)")
                    .arg(e.ambiente));
    }
    if (sale.itens.isEmpty()) {
        invalid(QStringLiteral("nenhum item"));
    }
    for (int n = 0; n < sale.itens.size(); ++n) {
        const FiscalItem& i = sale.itens.at(n);
        const QString which = QStringLiteral("item %1 (%2)").arg(n + 1).arg(i.codigo);
        if (i.codigo.trimmed().isEmpty() || i.descricao.trimmed().isEmpty()) {
            invalid(which + QStringLiteral(" sem código ou descrição"));
        }
        if (!std::isfinite(i.quantidade) || i.quantidade <= 0) {
            invalid(which + QStringLiteral(" com quantidade %1").arg(i.quantidade));
        }
        if (!finiteAndNotNegative(i.valorUnitario) || !finiteAndNotNegative(i.valorTotal) ||
            !finiteAndNotNegative(i.desconto) || !finiteAndNotNegative(i.acrescimo) ||
            !finiteAndNotNegative(i.aliquota)) {
            invalid(which + QStringLiteral(" com valor negativo"));
        }
        const double expected = i.quantidade * i.valorUnitario;
        if (std::fabs(expected - i.valorTotal) > 0.0101) {
            invalid(which + QStringLiteral(" com total %1 diferente de %2 x %3")
                                .arg(reais(toCents(i.valorTotal)), brQuantity(i.quantidade),
                                     reais(toCents(i.valorUnitario))));
        }
        if (toCents(i.desconto) > toCents(i.valorTotal) + toCents(i.acrescimo)) {
            invalid(which + QStringLiteral(" com desconto maior que o valor"));
        }
    }
    if (!finiteAndNotNegative(sale.taxaServico)) {
        invalid(QStringLiteral("taxa de serviço negativa"));
    }
    if (sale.pagamentos.isEmpty()) {
        invalid(QStringLiteral("nenhum pagamento"));
    }
    for (const FiscalPayment& p : sale.pagamentos) {
        if (!std::isfinite(p.valor) || toCents(p.valor) <= 0) {
            invalid(QStringLiteral("pagamento \"%1\" de valor %2")
                        .arg(p.descricao, reais(toCents(p.valor))));
        }
    }
    if (!finiteAndNotNegative(sale.troco)) {
        invalid(QStringLiteral("troco negativo"));
    }
    if (!finiteAndNotNegative(sale.tributosFederais) ||
        !finiteAndNotNegative(sale.tributosEstaduais)) {
        invalid(QStringLiteral("tributos aproximados negativos"));
    }
    const FiscalTotals t = fiscalTotals(sale);
    if (t.pago - t.troco != t.total) {
        invalid(QStringLiteral("pagamentos de %1 com troco de %2 não conferem com o total de %3")
                    .arg(reais(t.pago), reais(t.troco), reais(t.total)));
    }
    const QString& id = sale.cpfConsumidor;
    if (!id.isEmpty() && !isValidCpf(id) && !isValidCnpj(id)) {
        invalid(QStringLiteral("CPF/CNPJ do consumidor \"%1\" inválido").arg(id));
    }
}

QString paymentKindCode(FiscalPaymentKind kind) {
    switch (kind) {
    case FiscalPaymentKind::Dinheiro:
        return QStringLiteral("01");
    case FiscalPaymentKind::CartaoCredito:
        return QStringLiteral("03");
    case FiscalPaymentKind::CartaoDebito:
        return QStringLiteral("04");
    case FiscalPaymentKind::CreditoLoja:
        return QStringLiteral("05");
    case FiscalPaymentKind::Outros:
        break;
    }
    return QStringLiteral("99");
}

FiscalPaymentKind paymentKindFromCode(const QString& code) {
    if (code == QLatin1String("01")) {
        return FiscalPaymentKind::Dinheiro;
    }
    if (code == QLatin1String("03")) {
        return FiscalPaymentKind::CartaoCredito;
    }
    if (code == QLatin1String("04")) {
        return FiscalPaymentKind::CartaoDebito;
    }
    if (code == QLatin1String("05")) {
        return FiscalPaymentKind::CreditoLoja;
    }
    return FiscalPaymentKind::Outros;
}

FiscalPaymentKind paymentKindFromReceiptType(const QString& idTipoRece) {
    const QString t = idTipoRece.trimmed();
    if (t == QLatin1String("1")) {
        return FiscalPaymentKind::CartaoCredito;
    }
    if (t == QLatin1String("2")) {
        return FiscalPaymentKind::CartaoDebito;
    }
    if (t == QLatin1String("4")) {
        return FiscalPaymentKind::Dinheiro;
    }
    if (t == QLatin1String("9")) {
        return FiscalPaymentKind::CreditoLoja;
    }
    return FiscalPaymentKind::Outros;
}

QString paymentKindName(FiscalPaymentKind kind) {
    switch (kind) {
    case FiscalPaymentKind::Dinheiro:
        return QStringLiteral("Dinheiro");
    case FiscalPaymentKind::CartaoCredito:
        return QStringLiteral("Cartão de Crédito");
    case FiscalPaymentKind::CartaoDebito:
        return QStringLiteral("Cartão de Débito");
    case FiscalPaymentKind::CreditoLoja:
        return QStringLiteral("Crédito Loja");
    case FiscalPaymentKind::Outros:
        break;
    }
    return QStringLiteral("Outros");
}

} // namespace tmk
