#include "suite/sales/sales_statements.h"

#include "platform/errors.h"

#include <QFile>
#include <QMutex>

// Resources of a static library are registered explicitly (outside any namespace).
static void registerSalesResources() {
    static QMutex mutex;
    static bool done = false;
    const QMutexLocker lock(&mutex);
    if (!done) {
        Q_INIT_RESOURCE(suite_sales);
        done = true;
    }
}

namespace tmk {

QString salesStatement(const DbDialect& dialect, const QString& name) {
    registerSalesResources();
    const QString path = QStringLiteral(":/suite/sales/sql/%1/%2.sql").arg(dialect.folder(), name);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        throw AppError(QStringLiteral("Recurso interno \"%1\" não encontrado.").arg(path));
    }
    return QString::fromUtf8(file.readAll()).trimmed();
}

} // namespace tmk
