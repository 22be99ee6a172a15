#include "external/common.h"
#include "platform/database_error.h"

namespace tmk {

namespace {

const QString noConnection() {
    return QStringLiteral("Sem conexão com o banco de dados.");
}

} // namespace

// The failure text of an operation. A database failure gives the operator message
// and, on the next line, the statement and the driver text; a lost connection says
// so first. An optional leading text (a3) is put before everything.
QString ADOExceptionMessage(const std::exception& e, const QSqlDatabase& db, const QString& a3) {
    QStringList lines;
    if (!a3.trimmed().isEmpty()) {
        lines << a3.trimmed();
    }
    if (const auto* dbError = dynamic_cast<const DatabaseError*>(&e)) {
        const bool lost = dbError->connectionLost() || (db.isValid() && !db.isOpen());
        if (lost && dbError->message() != noConnection()) {
            lines << noConnection();
        }
        if (!dbError->message().isEmpty()) {
            lines << dbError->message();
        }
        QString detail = dbError->statement();
        const QString driverText = dbError->driverText().trimmed();
        if (!driverText.isEmpty()) {
            detail += detail.isEmpty() ? driverText : QStringLiteral(": ") + driverText;
        }
        if (!detail.isEmpty()) {
            lines << detail;
        }
    } else if (const auto* app = dynamic_cast<const AppError*>(&e)) {
        lines << app->message();
    } else {
        const QString what = QString::fromUtf8(e.what());
        lines << (what.isEmpty() ? QStringLiteral("Erro inesperado.") : what);
    }
    return lines.join(QLatin1Char('\n'));
}

} // namespace tmk
