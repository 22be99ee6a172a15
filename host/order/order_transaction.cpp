#include "host/order/order_transaction.h"

#include "external/common.h"
#include "platform/database_error.h"
#include "platform/errors.h"
#include "suite/common/db_failure.h"

#include <QSqlError>

namespace tmk {

OrderTransaction::OrderTransaction(QSqlDatabase& db, QString failure)
    : db_(db)
    , failure_(std::move(failure)) {
    if (!db_.isOpen()) {
        try {
            TryConnect(db_);
            SetADODBSession(db_);
        } catch (const std::exception& e) {
            throw DatabaseError(QStringLiteral("Sem conexão com o banco de dados."),
                                QStringLiteral("conexão"), exceptionText(e), true);
        }
    }
    if (!db_.transaction()) {
        throwDatabaseError(failure_, QStringLiteral("transação"), db_, db_.lastError());
    }
}

OrderTransaction::~OrderTransaction() {
    if (open_) {
        db_.rollback();
    }
}

void OrderTransaction::commit() {
    open_ = false;
    if (!db_.commit()) {
        const QSqlError error = db_.lastError();
        db_.rollback();
        throwDatabaseError(failure_, QStringLiteral("transação"), db_, error);
    }
}

} // namespace tmk
