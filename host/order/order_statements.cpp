#include "host/order/order_statements.h"

namespace tmk {

const LibraryStatements& orderStatements() {
    static const LibraryStatements statements(
        QStringLiteral(":/host/order/sql"), QStringLiteral("da tela de pedidos"),
        {{QStringLiteral("cardapio"), QStringLiteral("comanda_dados"),
          QStringLiteral("comanda_itens"), QStringLiteral("comanda_trava"),
          QStringLiteral("comanda_numeros"), QStringLiteral("comanda_inclui_item"),
          QStringLiteral("vendedores_ativos"),
          // The counter sale.
          QStringLiteral("mesa_balcao"), QStringLiteral("balcao_pede_conta"),
          QStringLiteral("balcao_hora_conta"), QStringLiteral("balcao_apaga_itens"),
          QStringLiteral("balcao_apaga_comanda"), QStringLiteral("balcao_apaga_venda"),
          QStringLiteral("balcao_libera_mesa"), QStringLiteral("venda_encerrada")},
         {},
         {}});
    return statements;
}

} // namespace tmk
