#include "suite/devices/access_key.h"
#include "suite/devices/fiscal_amounts.h"
#include "suite/devices/printout_files.h"
#include "suite/devices/printout_sections.h"

namespace tmk {

QString printNfceDanfe(const NfceDocument& document, const PrintoutExtras& extras) {
    const FiscalSale& sale = document.venda;
    const NfceAuthorisation& a = document.autorizacao;
    ReceiptLayout r;
    printIssuer(r, sale.emitente);
    r.centred(QStringLiteral("Documento Auxiliar da Nota Fiscal\nde Consumidor Eletrônica"),
              ReceiptLayout::small());
    printEnvironmentNotice(r, sale.emitente.ambiente);
    r.separator();
    printItems(r, sale.itens);
    printTotals(r, sale);
    r.space(1);
    printPayments(r, sale);
    r.separator();
    r.centred(QStringLiteral("Consulte pela Chave de Acesso em"), ReceiptLayout::bold());
    r.centred(a.urlConsulta, ReceiptLayout::small());
    r.centred(groupedAccessKey(a.chave), ReceiptLayout::tiny());
    r.separator();
    printConsumer(r, sale.cpfConsumidor);
    r.separator();
    r.centred(QStringLiteral("NFC-e nº %1 Série %2")
                  .arg(a.numero, 9, 10, QLatin1Char('0'))
                  .arg(a.serie.toInt(), 3, 10, QLatin1Char('0')),
              ReceiptLayout::bold());
    r.centred(QStringLiteral("Emissão: ") + brDateTime(a.dataEmissao));
    if (a.situacao == NfceStatus::Autorizada) {
        r.centred(QStringLiteral("Protocolo de autorização: ") + a.protocolo);
        r.centred(QStringLiteral("Data de autorização: ") + brDateTime(a.dataAutorizacao));
    } else if (a.situacao == NfceStatus::Contingencia) {
        r.centred(QStringLiteral("EMITIDA EM CONTINGÊNCIA"), ReceiptLayout::bold());
        r.centred(QStringLiteral("Pendente de autorização"));
    }
    r.space(1);
    r.qrCode(a.qrCode, 40);
    r.space(1);
    printApproximateTaxes(r, sale);
    printExtras(r, extras);
    return savePrintout(r.toPdf(QStringLiteral("NFC-e %1").arg(a.numero)), QStringLiteral("NFCe"),
                        QStringLiteral("%1").arg(a.numero, 9, 10, QLatin1Char('0')),
                        printoutTime(extras));
}

} // namespace tmk
