#include "suite/devices/fiscal_amounts.h"
#include "suite/devices/printout_files.h"
#include "suite/devices/printouts.h"
#include "suite/devices/receipt_layout.h"

namespace tmk {

QString printDocument(const PrintDocument& d, const QString& kind, const QString& id,
                      const QDateTime& when) {
    const QDateTime at = when.isValid() ? when : QDateTime::currentDateTime();
    ReceiptLayout r;
    for (const QString& line : d.cabecalho) {
        r.centred(line);
    }
    if (!d.titulo.isEmpty()) {
        r.separator();
        r.centred(d.titulo, ReceiptLayout::title());
    }
    r.centred(brDateTime(at), ReceiptLayout::small());
    if (!d.itens.isEmpty()) {
        r.separator();
        for (const PrintDocument::Item& i : d.itens) {
            r.line(i.descricao);
            r.columns(
                QStringLiteral("    %1 %2 x %3")
                    .arg(brQuantity(i.quantidade), i.unidade, brAmount(toCents(i.valorUnitario)))
                    .replace(QStringLiteral("  x"), QStringLiteral(" x")),
                brAmount(toCents(i.valorTotal)));
        }
    }
    if (!d.totais.isEmpty()) {
        r.separator();
        for (const PrintDocument::Total& t : d.totais) {
            const qint64 cents = toCents(t.valor);
            r.columns(t.rotulo, d.totaisEmReais ? reais(cents) : brAmount(cents),
                      t.destaque ? ReceiptLayout::title() : ReceiptLayout::normal());
        }
    }
    for (const PrintDocument::Section& s : d.secoes) {
        r.separator();
        if (!s.titulo.isEmpty()) {
            r.line(s.titulo, ReceiptLayout::bold());
        }
        for (const auto& [label, value] : s.linhas) {
            r.columns(label, value);
        }
    }
    if (!d.rodape.isEmpty()) {
        r.separator();
        for (const QString& line : d.rodape) {
            r.centred(line, ReceiptLayout::small());
        }
    }
    return savePrintout(r.toPdf(d.titulo.isEmpty() ? kind : d.titulo), kind, id, at);
}

} // namespace tmk
