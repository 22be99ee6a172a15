#include "suite/devices/printout_files.h"
#include "suite/devices/printouts.h"
#include "suite/devices/receipt_layout.h"

namespace tmk {

namespace {

void printCopy(ReceiptLayout& r, const QString& text) {
    for (const QString& line : text.split(QLatin1Char('\n'))) {
        // The terminal lays its receipts out in columns already: keep its spacing.
        r.line(line.isEmpty() ? QStringLiteral(" ") : line);
    }
}

} // namespace

QStringList printCardReceipts(const QList<TefTransaction>& transactions, bool reduced,
                              const QDateTime& when) {
    QStringList paths;
    for (const TefTransaction& t : transactions) {
        ReceiptLayout r;
        printCopy(r, t.viaCliente);
        if (!reduced) {
            r.space(3);
            r.centred(QStringLiteral("- - - - - - - - corte aqui - - - - - - - -"),
                      ReceiptLayout::small());
            r.space(3);
            printCopy(r, t.viaEstabelecimento);
        }
        paths << savePrintout(r.toPdf(QStringLiteral("Comprovante TEF %1").arg(t.nsu)),
                              QStringLiteral("CartaoTEF"), t.nsu,
                              when.isValid() ? when : QDateTime::currentDateTime());
    }
    return paths;
}

} // namespace tmk
