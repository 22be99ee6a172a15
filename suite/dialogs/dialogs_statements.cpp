#include "suite/dialogs/dialogs_statements.h"

#include "platform/errors.h"

#include <QFile>
#include <QMutex>

// Resources of a static library are registered explicitly (outside any namespace).
static void registerDialogsResources() {
    static QMutex mutex;
    static bool done = false;
    const QMutexLocker lock(&mutex);
    if (!done) {
        Q_INIT_RESOURCE(suite_dialogs);
        done = true;
    }
}

namespace tmk {

QString dialogsStatement(const DbDialect& dialect, const QString& name) {
    registerDialogsResources();
    const QString path =
        QStringLiteral(":/suite/dialogs/sql/%1/%2.sql").arg(dialect.folder(), name);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        throw AppError(QStringLiteral("Recurso interno \"%1\" não encontrado.").arg(path));
    }
    return QString::fromUtf8(file.readAll()).trimmed();
}

} // namespace tmk
