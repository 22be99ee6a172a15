#include "suite/dialogs/price_query.h"

#include "suite/dialogs/dialogs_query.h"
#include "suite/dialogs/search_text.h"

namespace tmk {

PriceQuery::PriceQuery(QSqlDatabase db) {
    QSqlQuery q = runDialogStatement(db, QStringLiteral("produtos_preco"), {},
                                     QStringLiteral("Não foi possível ler os produtos."));
    while (q.next()) {
        products_.append({columnText(q, 0), columnText(q, 1), columnText(q, 2),
                          q.value(3).toDouble(), columnText(q, 4)});
    }
}

QList<PriceQuery::Product> PriceQuery::search(const QString& texto) const {
    const QString wanted = foldedForSearch(texto.trimmed());
    if (wanted.isEmpty()) {
        return products_;
    }
    QList<Product> found;
    for (const Product& p : products_) {
        if (foldedForSearch(p.nome).contains(wanted) ||
            p.codigo.compare(wanted, Qt::CaseInsensitive) == 0 ||
            (!p.codigoBarras.isEmpty() && p.codigoBarras == wanted) ||
            p.codigo.startsWith(wanted, Qt::CaseInsensitive)) {
            found.append(p);
        }
    }
    return found;
}

} // namespace tmk
