#include "suite/sales/sales_statements.h"

namespace tmk {

const LibraryStatements& salesStatements() {
    static const LibraryStatements statements(QStringLiteral(":/suite/sales/sql"),
                                              QStringLiteral("do serviço de vendas"),
                                              {{QStringLiteral("ticket_medio")}, {}, {}});
    return statements;
}

} // namespace tmk
