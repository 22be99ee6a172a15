#include "suite/devices/fiscal_amounts.h"
#include "suite/devices/printout_files.h"
#include "suite/devices/printout_sections.h"

namespace tmk {

QString printPlainReceipt(const PlainReceipt& receipt, const PrintoutExtras& extras) {
    const FiscalSale& sale = receipt.venda;
    const QDateTime when = printoutTime(extras);
    ReceiptLayout r;
    if (!sale.emitente.cnpj.isEmpty()) {
        printIssuer(r, sale.emitente);
    } else if (!sale.emitente.nome.isEmpty()) {
        r.centred(sale.emitente.nome, ReceiptLayout::title());
    }
    r.separator();
    r.centred(QStringLiteral("CUPOM NÃO FISCAL"), ReceiptLayout::title());
    r.centred(QStringLiteral("NÃO É DOCUMENTO FISCAL"), ReceiptLayout::small());
    if (!receipt.numero.isEmpty()) {
        r.columns(QStringLiteral("Nº ") + receipt.numero,
                  sale.nrSeqVenda.isEmpty() ? QString()
                                            : QStringLiteral("Venda ") + sale.nrSeqVenda);
    }
    r.columns(brDateTime(when),
              sale.mesa.isEmpty() ? QString() : QStringLiteral("Mesa ") + sale.mesa);
    r.separator();
    printItems(r, sale.itens);
    printTotals(r, sale);
    r.space(1);
    if (!sale.pagamentos.isEmpty()) {
        printPayments(r, sale);
    } else {
        r.columns(QStringLiteral("Total pago R$"), brAmount(toCents(receipt.totalPago)),
                  ReceiptLayout::bold());
    }
    printExtras(r, extras);
    const QString id = receipt.numero.isEmpty() ? sale.nrSeqVenda : receipt.numero;
    return savePrintout(r.toPdf(QStringLiteral("Cupom %1").arg(id)), QStringLiteral("Cupom"), id,
                        when);
}

} // namespace tmk
