#include "suite/devices/printout_sections.h"

#include "suite/devices/access_key.h"
#include "suite/devices/fiscal_amounts.h"

namespace tmk {

void printIssuer(ReceiptLayout& r, const FiscalIssuer& issuer) {
    if (!issuer.nome.isEmpty() && issuer.nome != issuer.cnpj) {
        r.centred(issuer.nome, ReceiptLayout::title());
    }
    r.centred(QStringLiteral("CNPJ: %1 - %2").arg(formattedCnpj(issuer.cnpj), issuer.siglaUf));
}

void printEnvironmentNotice(ReceiptLayout& r, const QString& ambiente) {
    if (ambiente.trimmed() == QLatin1String("2")) {
        r.space(1);
        // One line, so that the notice is never cut in two.
        r.centred(QStringLiteral("EMITIDA EM AMBIENTE DE HOMOLOGAÇÃO - SEM VALOR FISCAL"),
                  {true, 6.2});
        r.space(1);
    }
}

void printItems(ReceiptLayout& r, const QList<FiscalItem>& items) {
    r.columns(QStringLiteral("# CÓDIGO DESCRIÇÃO"), QString(), ReceiptLayout::bold());
    r.columns(QStringLiteral("  QTDE UN x VL UNIT"), QStringLiteral("VL TOTAL"),
              ReceiptLayout::bold());
    r.separator();
    for (int n = 0; n < items.size(); ++n) {
        const FiscalItem& i = items.at(n);
        r.line(QStringLiteral("%1 %2 %3")
                   .arg(n + 1, 3, 10, QLatin1Char('0'))
                   .arg(i.codigo, i.descricao));
        r.columns(QStringLiteral("    %1 %2 x %3")
                      .arg(brQuantity(i.quantidade), i.unidade, brAmount(toCents(i.valorUnitario))),
                  brAmount(toCents(i.valorTotal)));
        if (toCents(i.desconto) > 0) {
            r.columns(QStringLiteral("    desconto"),
                      QStringLiteral("-") + brAmount(toCents(i.desconto)));
        }
        if (toCents(i.acrescimo) > 0) {
            r.columns(QStringLiteral("    acréscimo"), brAmount(toCents(i.acrescimo)));
        }
    }
    r.separator();
}

void printTotals(ReceiptLayout& r, const FiscalSale& sale) {
    const FiscalTotals t = fiscalTotals(sale);
    r.columns(QStringLiteral("Qtde. total de itens"), QString::number(t.quantidadeItens));
    r.columns(QStringLiteral("Valor total R$"), brAmount(t.produtos));
    if (t.couvert > 0) {
        r.columns(QStringLiteral("  incluído couvert R$"), brAmount(t.couvert));
    }
    if (t.descontos > 0) {
        r.columns(QStringLiteral("Descontos R$"), QStringLiteral("-") + brAmount(t.descontos));
    }
    if (t.acrescimos > 0) {
        r.columns(QStringLiteral("Acréscimos R$"), brAmount(t.acrescimos));
    }
    if (t.taxaServico > 0) {
        r.columns(QStringLiteral("Taxa de serviço R$"), brAmount(t.taxaServico));
    }
    r.columns(QStringLiteral("VALOR A PAGAR R$"), brAmount(t.total), ReceiptLayout::title());
}

void printPayments(ReceiptLayout& r, const FiscalSale& sale) {
    const FiscalTotals t = fiscalTotals(sale);
    r.columns(QStringLiteral("FORMA DE PAGAMENTO"), QStringLiteral("VALOR PAGO R$"),
              ReceiptLayout::bold());
    for (const FiscalPayment& p : sale.pagamentos) {
        QString name = p.descricao.isEmpty() ? paymentKindName(p.tipo) : p.descricao;
        if (!p.bandeira.isEmpty() && !name.contains(p.bandeira, Qt::CaseInsensitive)) {
            name += QLatin1Char(' ') + p.bandeira;
        }
        r.columns(name, brAmount(toCents(p.valor)));
    }
    r.columns(QStringLiteral("Troco R$"), brAmount(t.troco));
}

void printConsumer(ReceiptLayout& r, const QString& cpf) {
    r.centred(cpf.isEmpty()      ? QStringLiteral("CONSUMIDOR NÃO IDENTIFICADO")
              : cpf.size() == 14 ? QStringLiteral("CONSUMIDOR - CNPJ %1").arg(formattedCnpj(cpf))
                                 : QStringLiteral("CONSUMIDOR - CPF %1").arg(formattedCpf(cpf)),
              ReceiptLayout::bold());
}

void printApproximateTaxes(ReceiptLayout& r, const FiscalSale& sale) {
    const qint64 federal = toCents(sale.tributosFederais);
    const qint64 state = toCents(sale.tributosEstaduais);
    r.centred(
        QStringLiteral("Tributos totais incidentes aproximados: %1").arg(reais(federal + state)),
        ReceiptLayout::small());
    r.centred(QStringLiteral("Federal %1 - Estadual %2").arg(reais(federal), reais(state)),
              ReceiptLayout::small());
    r.centred(QStringLiteral("Fonte: IBPT - Lei Federal 12.741/2012"), ReceiptLayout::small());
}

void printExtras(ReceiptLayout& r, const PrintoutExtras& extras) {
    const QString senhaMesa = extras.senhaMesa.trimmed();
    if (!senhaMesa.isEmpty()) {
        const qsizetype mesa = senhaMesa.indexOf(QStringLiteral("Mesa:"));
        const QString senha = (mesa < 0 ? senhaMesa : senhaMesa.left(mesa)).trimmed();
        const QString table = mesa < 0 ? QString() : senhaMesa.mid(mesa).trimmed();
        r.separator();
        if (!senha.isEmpty()) {
            r.centred(QStringLiteral("SENHA: ") + senha, {true, 14.0});
        }
        if (!table.isEmpty() && table != QLatin1String("Mesa:")) {
            r.centred(table, ReceiptLayout::title());
        }
    }
    if (!extras.saldoFinal.trimmed().isEmpty()) {
        r.separator();
        r.centred(extras.saldoFinal.trimmed());
    }
    if (!extras.textoExtra.trimmed().isEmpty()) {
        r.separator();
        r.line(extras.textoExtra.trimmed());
    }
}

QDateTime printoutTime(const PrintoutExtras& extras) {
    return extras.quando.isValid() ? extras.quando : QDateTime::currentDateTime();
}

} // namespace tmk
