#include "tools/reliability/harness_options.h"

#include "platform/database_error.h"
#include "platform/errors.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTextStream>
#include <cstdio>

namespace tmk::reliability {

HarnessOptions harnessOptions(const QStringList& args, int defaultTrials) {
    HarnessOptions o;
    o.trials = defaultTrials;
    o.till =
        QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("reliability_till"));
    for (const QString& a : args.mid(1)) {
        const qsizetype igual = a.indexOf(QLatin1Char('='));
        const QString nome = a.left(igual);
        const QString valor = igual < 0 ? QString() : a.mid(igual + 1);
        if (nome == QLatin1String("--connection")) {
            o.connection = valor;
        } else if (nome == QLatin1String("--work")) {
            o.work = valor;
        } else if (nome == QLatin1String("--trials")) {
            bool ok = false;
            o.trials = valor.toInt(&ok);
            if (!ok || o.trials < 1 || o.trials > 1000000) {
                throw AppError(QStringLiteral("Número de tentativas inválido: %1.").arg(valor));
            }
        } else if (nome == QLatin1String("--till")) {
            o.till = valor;
        } else if (nome == QLatin1String("--table")) {
            o.table = valor;
        } else if (nome == QLatin1String("--stop")) {
            o.stop = valor;
        } else if (nome == QLatin1String("--start")) {
            o.start = valor;
        } else if (nome == QLatin1String("--points")) {
            o.points = valor.split(QLatin1Char(','), Qt::SkipEmptyParts);
        } else {
            throw AppError(QStringLiteral("Opção desconhecida: %1.").arg(a));
        }
    }
    if (o.connection.isEmpty() || o.work.isEmpty()) {
        throw AppError(
            QStringLiteral("Informe o banco com --connection=TEXTO e a pasta de trabalho "
                           "com --work=PASTA."));
    }
    if (!QDir().mkpath(o.work)) {
        throw AppError(QStringLiteral("Não foi possível criar a pasta %1.").arg(o.work));
    }
    return o;
}

void report(const HarnessOptions& o, const QString& header, const QStringList& rows) {
    QTextStream out(stdout);
    out << header << '\n';
    for (const QString& r : rows) {
        out << r << '\n';
    }
    out.flush();
    if (o.table.isEmpty()) {
        return;
    }
    QFile f(o.table);
    if (!f.open(QIODevice::Append)) {
        throw AppError(QStringLiteral("Não foi possível gravar %1.").arg(o.table));
    }
    QTextStream t(&f);
    if (f.size() == 0) {
        t << header << '\n';
    }
    for (const QString& r : rows) {
        t << r << '\n';
    }
}

int harnessMain(int argc, char** argv, int defaultTrials,
                const std::function<int(const HarnessOptions&)>& harness) {
    QCoreApplication app(argc, argv);
    try {
        return harness(harnessOptions(QCoreApplication::arguments(), defaultTrials));
    } catch (const DatabaseError& e) {
        std::fprintf(stderr, "%s\n%s\n", qPrintable(e.message()), qPrintable(e.driverText()));
        return 1;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", qPrintable(exceptionText(e)));
        return 1;
    }
}

} // namespace tmk::reliability
