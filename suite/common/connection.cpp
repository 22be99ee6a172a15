#include "external/common.h"
#include "platform/errors.h"
#include "suite/common/common_log.h"
#include "suite/common/common_resources.h"
#include "suite/common/connection_text.h"
#include "suite/common/db_dialect.h"

#include <QSqlError>

namespace tmk {

namespace {

// A driver text never carries the password, even if a driver echoed it.
QString withoutPassword(QString text, const ConnectionText& c) {
    const QString password = c.value(QStringLiteral("Password"));
    if (!password.isEmpty()) {
        text.replace(password, QStringLiteral("***"));
    }
    return text;
}

} // namespace

// The common library's statements of the dialect are checked before the connection is made.
QSqlDatabase configureConnection(const QString& connectionText, const QString& connectionName) {
    const DbDialect& dialect = DbDialect::forConnectionText(connectionText);
    commonStatements().forDialect(dialect);
    return dialect.configure(ConnectionText::parse(connectionText), connectionName);
}

QSqlDatabase openConnection(const QString& connectionText, const QString& connectionName) {
    const DbDialect& dialect = DbDialect::forConnectionText(connectionText);
    const ConnectionText c = ConnectionText::parse(connectionText);
    QSqlDatabase db = configureConnection(connectionText, connectionName);
    if (!db.open()) {
        const QString driverText = withoutPassword(db.lastError().text(), c);
        db = QSqlDatabase();
        QSqlDatabase::removeDatabase(connectionName);
        qCWarning(lcSuiteCommon) << "connection failed:" << c.describe() << driverText;
        throw AppError(QStringLiteral("Não foi possível conectar ao banco de dados %1: %2")
                           .arg(dialect.describe(c), driverText));
    }
    return db;
}

} // namespace tmk
