#include "suite/devices/access_key.h"
#include "suite/devices/fiscal_amounts.h"
#include "suite/devices/printout_files.h"
#include "suite/devices/printout_sections.h"

namespace tmk {

QString printSatExtract(const CfeDocument& d, const PrintoutExtras& extras) {
    const FiscalSale& sale = d.venda;
    ReceiptLayout r;
    printIssuer(r, sale.emitente);
    r.separator();
    r.centred(QStringLiteral("Extrato No. %1")
                  .arg(d.numeroCfe.isEmpty() ? QStringLiteral("-") : d.numeroCfe),
              ReceiptLayout::title());
    r.centred(QStringLiteral("CUPOM FISCAL ELETRÔNICO - SAT"), ReceiptLayout::bold());
    printEnvironmentNotice(r, sale.emitente.ambiente);
    r.separator();
    printConsumer(r, sale.cpfConsumidor);
    r.separator();
    printItems(r, sale.itens);
    printTotals(r, sale);
    r.space(1);
    printPayments(r, sale);
    r.separator();
    printApproximateTaxes(r, sale);
    r.separator();
    if (!d.numeroSerieSat.isEmpty()) {
        r.centred(QStringLiteral("SAT No. %1").arg(d.numeroSerieSat), ReceiptLayout::bold());
    }
    if (d.dataEmissao.isValid()) {
        r.centred(brDateTime(d.dataEmissao));
    }
    if (!d.chaveConsulta.isEmpty()) {
        r.centred(groupedAccessKey(d.chave()), ReceiptLayout::tiny());
        r.space(1);
        r.qrCode(d.qrCodeText(), 44);
        r.centred(QStringLiteral("Consulte o QR Code pelo aplicativo \"De olho na nota\""),
                  ReceiptLayout::small());
    }
    printExtras(r, extras);
    const QString id = d.numeroCfe.isEmpty() ? sale.nrSeqVenda : d.numeroCfe;
    return savePrintout(r.toPdf(QStringLiteral("Extrato SAT %1").arg(id)),
                        QStringLiteral("ExtratoSAT"), id, printoutTime(extras));
}

} // namespace tmk
