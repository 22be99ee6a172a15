#include "external/common.h"
#include "platform/errors.h"
#include "suite/common/db_dialect.h"

namespace tmk {

TADOSqlStorage::TADOSqlStorage(QString statementName)
    : name_(std::move(statementName)) {}

void TADOSqlStorage::setText(DbKind kind, const QString& text) {
    texts_.insert(int(kind), text);
}

bool TADOSqlStorage::hasText(DbKind kind) const {
    const auto it = texts_.constFind(int(kind));
    return it != texts_.cend() && !it->trimmed().isEmpty();
}

QString TADOSqlStorage::text(DbKind kind) const {
    if (!hasText(kind)) {
        throw AppError(QStringLiteral("A instrução %1 não tem texto para o banco de dados %2.")
                           .arg(name_, DbDialect::forKind(kind).name()));
    }
    return texts_.value(int(kind));
}

} // namespace tmk
