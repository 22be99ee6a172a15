#include "suite/devices/printout_files.h"
#include "suite/devices/printouts.h"
#include "suite/devices/receipt_layout.h"

namespace tmk {

QStringList printCardReceipts(const QList<TefTransaction>& transactions, bool reduced,
                              const QDateTime& when) {
    QStringList paths;
    for (const TefTransaction& t : transactions) {
        ReceiptLayout r;
        r.preformatted(t.viaCliente);
        if (!reduced) {
            r.space(3);
            r.centred(QStringLiteral("- - - - - - - - corte aqui - - - - - - - -"),
                      ReceiptLayout::small());
            r.space(3);
            r.preformatted(t.viaEstabelecimento);
        }
        paths << savePrintout(r.toPdf(QStringLiteral("Comprovante TEF %1").arg(t.nsu)),
                              QStringLiteral("CartaoTEF"), t.nsu,
                              when.isValid() ? when : QDateTime::currentDateTime());
    }
    return paths;
}

} // namespace tmk
