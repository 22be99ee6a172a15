#include "host/order/order_statements.h"

namespace tmk {

const LibraryStatements& orderStatements() {
    static const LibraryStatements statements(
        QStringLiteral(":/host/order/sql"), QStringLiteral("da tela de pedidos"),
        {{QStringLiteral("cardapio"), QStringLiteral("comanda_dados"),
          QStringLiteral("comanda_itens"), QStringLiteral("comanda_trava"),
          QStringLiteral("comanda_numeros"), QStringLiteral("comanda_inclui_item"),
          QStringLiteral("vendedores_ativos")},
         {},
         {}});
    return statements;
}

} // namespace tmk
