#include "host/order/menu.h"

#include "host/order/order_statements.h"
#include "suite/common/statement_run.h"

#include <QSqlQuery>

namespace tmk {

Menu Menu::load(QSqlDatabase& db, const QString& cdFilial, const QString& nrConfTela,
                const QStringList& leftOut) {
    QSqlQuery q = runLibraryStatement(
        orderStatements(), db, QStringLiteral("cardapio"),
        {{QStringLiteral(":P_CDFILIAL"), cdFilial}, {QStringLiteral(":P_NRCONFTELA"), nrConfTela}},
        QStringLiteral("Não foi possível ler o cardápio da loja."));
    Menu menu;
    while (q.next()) {
        const QString code = q.value(QStringLiteral("CDPRODUTO")).toString().trimmed();
        if (leftOut.contains(code)) {
            continue;
        }
        const QString group = q.value(QStringLiteral("CDGRUPO")).toString().trimmed();
        if (menu.groups_.isEmpty() || menu.groups_.last().code != group) {
            QString caption = q.value(QStringLiteral("DSGRUPO")).toString().trimmed();
            if (caption.isEmpty()) {
                caption = QStringLiteral("Grupo %1").arg(group);
            }
            menu.groups_.append({group, caption, {}});
        }
        MenuProduct p;
        p.cdProduto = code;
        p.caption = q.value(QStringLiteral("DSBUTTON")).toString().trimmed();
        if (p.caption.isEmpty()) {
            p.caption = q.value(QStringLiteral("NMPRODUTO")).toString().trimmed();
        }
        const QVariant price = q.value(QStringLiteral("VRPRECPROD"));
        bool ok = false;
        const double value = price.toDouble(&ok);
        if (!price.isNull() && ok && value > 0) {
            p.price = value;
        }
        const QVariant back = q.value(QStringLiteral("NRCOLORBACK"));
        const QVariant text = q.value(QStringLiteral("NRCOLORTEXT"));
        if (!back.isNull()) {
            p.backColour = back.toInt();
        }
        if (!text.isNull()) {
            p.textColour = text.toInt();
        }
        menu.groups_.last().products.append(p);
    }
    return menu;
}

const MenuProduct* Menu::find(const QString& cdProduto) const {
    for (const MenuGroup& g : groups_) {
        for (const MenuProduct& p : g.products) {
            if (p.cdProduto == cdProduto) {
                return &p;
            }
        }
    }
    return nullptr;
}

} // namespace tmk
