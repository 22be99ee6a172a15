#include "suite/common/common_resources.h"

#include "platform/errors.h"

#include <QFile>
#include <QMutex>

// Resources of a static library are registered explicitly (outside any namespace).
static void registerCommonResources() {
    static QMutex mutex;
    static bool done = false;
    const QMutexLocker lock(&mutex);
    if (!done) {
        Q_INIT_RESOURCE(suite_common);
        done = true;
    }
}

namespace tmk {

QString commonResourceText(const QString& name) {
    registerCommonResources();
    QFile file(QStringLiteral(":/suite/common/") + name);
    if (!file.open(QIODevice::ReadOnly)) {
        throw AppError(QStringLiteral("Recurso interno \"%1\" não encontrado.").arg(name));
    }
    return QString::fromUtf8(file.readAll());
}

QString commonStatement(const DbDialect& dialect, const QString& name) {
    return commonResourceText(QStringLiteral("sql/%1/%2.sql").arg(dialect.folder(), name))
        .trimmed();
}

QStringList splitStatements(const QString& script) {
    QStringList statements;
    QStringList current;
    const QStringList lines = script.split(QLatin1Char('\n'));
    for (const QString& raw : lines) {
        const QString line = raw.trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1String("--"))) {
            continue;
        }
        if (line.endsWith(QLatin1Char(';'))) {
            current << line.chopped(1);
            const QString st = current.join(QLatin1Char('\n')).trimmed();
            if (!st.isEmpty()) {
                statements << st;
            }
            current.clear();
        } else {
            current << line;
        }
    }
    const QString rest = current.join(QLatin1Char('\n')).trimmed();
    if (!rest.isEmpty()) {
        statements << rest;
    }
    return statements;
}

} // namespace tmk
