#include "db/demo/demo_statements.h"

namespace tmk::demo {

const LibraryStatements& demoStatements() {
    static const LibraryStatements statements(
        QStringLiteral(":/db/demo/sql"), QStringLiteral("da loja de demonstração"),
        {{QStringLiteral("count_branches"), QStringLiteral("till_opening"),
          QStringLiteral("app_payment_sale"), QStringLiteral("app_payment_due"),
          QStringLiteral("app_payment_last"), QStringLiteral("app_payment_seat_paid")},
         {},
         {}});
    return statements;
}

} // namespace tmk::demo
