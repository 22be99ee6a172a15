#include "suite/dialogs/dialogs_statements.h"

namespace tmk {

const LibraryStatements& dialogsStatements() {
    static const LibraryStatements statements(
        QStringLiteral(":/suite/dialogs/sql"), QStringLiteral("da biblioteca de diálogos"),
        {{QStringLiteral("log_controle_acess"), QStringLiteral("nome_filial"),
          QStringLiteral("mesa_balcao"),
          // The opening of a table and the waiter's password.
          QStringLiteral("vendedores"), QStringLiteral("consumidores"),
          QStringLiteral("max_pessoas_mesa"), QStringLiteral("abre_mesa_ocupa"),
          QStringLiteral("maior_venda_rest"), QStringLiteral("maior_comanda"),
          QStringLiteral("abre_mesa_venda"), QStringLiteral("abre_mesa_comanda"),
          QStringLiteral("vendedor_senha"),
          // Reservations, table joins, the day's summary and the price query.
          QStringLiteral("reservas_mesa"), QStringLiteral("reservas_dia"),
          QStringLiteral("reserva_dia"), QStringLiteral("mesas_juncao"),
          QStringLiteral("juncao_maior"), QStringLiteral("juncao_cria"),
          QStringLiteral("juncao_inclui_mesa"), QStringLiteral("juncao_da_mesa"),
          QStringLiteral("juncao_mesas"), QStringLiteral("juncao_remove_mesas"),
          QStringLiteral("juncao_remove"), QStringLiteral("resumo_vendas"),
          QStringLiteral("resumo_recebimentos"), QStringLiteral("produtos_preco"),
          // The bill of a table.
          QStringLiteral("conta_itens"), QStringLiteral("conta_mesa_solicitada"),
          QStringLiteral("conta_venda_solicitada"), QStringLiteral("conta_consumidor"),
          QStringLiteral("conta_comanda_solicitada"), QStringLiteral("mesa_situacao"),
          QStringLiteral("conta_mesa_comandas"),
          // The cancellation of ordered items.
          QStringLiteral("cancela_itens"), QStringLiteral("cancela_maior_item"),
          QStringLiteral("cancela_trava_comanda"), QStringLiteral("cancela_item"),
          QStringLiteral("cancela_item_resto"), QStringLiteral("cancela_item_parte"),
          // The consumer search.
          QStringLiteral("consumidores_pesquisa")},
         {},
         {}});
    return statements;
}

} // namespace tmk
