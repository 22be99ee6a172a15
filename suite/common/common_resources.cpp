#include "suite/common/common_resources.h"

#include "platform/errors.h"

#include <QFile>

namespace tmk {

QString commonResourceText(const QString& name) {
    QFile file(QStringLiteral(":/suite/common/") + name);
    if (!file.open(QIODevice::ReadOnly)) {
        throw AppError(QStringLiteral("Recurso interno \"%1\" não encontrado.").arg(name));
    }
    return QString::fromUtf8(file.readAll());
}

const LibraryStatements& commonStatements() {
    static const LibraryStatements statements(
        QStringLiteral(":/suite/common/sql"), QStringLiteral("da biblioteca comum"),
        {{QStringLiteral("session"), QStringLiteral("ping"), QStringLiteral("prx_codigo")},
         {},
         {QStringLiteral("session_timezone")}});
    return statements;
}

} // namespace tmk
