#include "suite/sales/sales_statements.h"

namespace tmk {

const LibraryStatements& salesStatements() {
    static const LibraryStatements statements(
        QStringLiteral(":/suite/sales/sql"), QStringLiteral("do serviço de vendas"),
        {{QStringLiteral("apaga_juncao"),      QStringLiteral("apaga_mesas_juncao"),
          QStringLiteral("comandas_abertas"),  QStringLiteral("fecha_comanda"),
          QStringLiteral("fecha_venda_rest"),  QStringLiteral("grupo_produto"),
          QStringLiteral("ins_item_venda"),    QStringLiteral("ins_item_venda_can"),
          QStringLiteral("ins_mov_caixa"),     QStringLiteral("ins_venda"),
          QStringLiteral("juncao_da_mesa"),    QStringLiteral("libera_beneficios"),
          QStringLiteral("libera_mesa"),       QStringLiteral("libera_pagamentos_app"),
          QStringLiteral("mesas_da_juncao"),   QStringLiteral("para_vend"),
          QStringLiteral("produto_tributos"),  QStringLiteral("quita_itens_comanda"),
          QStringLiteral("quita_itens_cupom"), QStringLiteral("ticket_medio"),
          QStringLiteral("venda_cancela"),     QStringLiteral("venda_dados"),
          QStringLiteral("venda_fechamento"),  QStringLiteral("venda_itens"),
          QStringLiteral("venda_nfce"),        QStringLiteral("venda_pagamentos"),
          QStringLiteral("venda_sat"),         QStringLiteral("venda_status_nfce")},
         {},
         {}});
    return statements;
}

} // namespace tmk
