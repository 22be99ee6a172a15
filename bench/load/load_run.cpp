// The load run: several tills on one database server, each refreshing its map every
// 2 seconds and receiving accounts of its own tables in a loop, two of them racing for
// the same tables. Each till is a process of its own (the screen's logic with the
// suite's dialogs, devices and sales service) on connections of its own; the demo store
// is made on the database first. Prints the map refresh p50 and p99, receipts per
// second, errors and accounts received twice (both must be 0) as rows of bench/run's
// table.
//
//   bench_load --connection=TEXT [--tills=8] [--racing=2] [--seconds=60] [--table=FILE]
//
// TEXT is the connection text of an empty database (or one the load run made before).
#include "bench/load/load_till.h"
#include "db/demo/demo_catalogue.h"
#include "db/demo/demo_store.h"
#include "db/schema.h"
#include "external/common.h"
#include "platform/database_error.h"
#include "platform/errors.h"
#include "suite/common/db_dialect.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTextStream>
#include <algorithm>
#include <cstdio>
#include <memory>
#include <vector>

namespace {

using namespace tmk;
using namespace tmk::bench;

constexpr int kTablesPerTill = 2;

struct Options {
    QString connection;
    int tills = 8;
    int racing = 2;
    int seconds = 60;
    int refreshMs = 2000;
    QString tableFile;
    // A till of the run (the process the run started for it).
    int till = 0;
    QString cdCaixa;
    QStringList tables;
};

int number(const QString& arg, const QString& value, int min, int max) {
    bool ok = false;
    const int n = value.toInt(&ok);
    if (!ok || n < min || n > max) {
        throw AppError(
            QStringLiteral("Valor inválido em %1 (de %2 a %3).").arg(arg).arg(min).arg(max));
    }
    return n;
}

Options options(const QStringList& args) {
    Options o;
    for (const QString& a : args.mid(1)) {
        const QString value = a.section(QLatin1Char('='), 1);
        if (a.startsWith(QLatin1String("--connection="))) {
            o.connection = value;
        } else if (a.startsWith(QLatin1String("--tills="))) {
            o.tills = number(a, value, 1, 32);
        } else if (a.startsWith(QLatin1String("--racing="))) {
            o.racing = number(a, value, 0, 32);
        } else if (a.startsWith(QLatin1String("--seconds="))) {
            o.seconds = number(a, value, 1, 3600);
        } else if (a.startsWith(QLatin1String("--refresh-ms="))) {
            o.refreshMs = number(a, value, 100, 60000);
        } else if (a.startsWith(QLatin1String("--table="))) {
            o.tableFile = value;
        } else if (a.startsWith(QLatin1String("--till="))) {
            o.till = number(a, value, 1, 32);
        } else if (a.startsWith(QLatin1String("--caixa="))) {
            o.cdCaixa = value;
        } else if (a.startsWith(QLatin1String("--tables="))) {
            o.tables = value.split(QLatin1Char(','), Qt::SkipEmptyParts);
        } else {
            throw AppError(QStringLiteral("Opção desconhecida: %1.").arg(a));
        }
    }
    if (o.connection.isEmpty()) {
        throw AppError(QStringLiteral("Informe o banco de dados com --connection=TEXTO."));
    }
    if (o.racing == 1 || o.racing > o.tills) {
        throw AppError(
            QStringLiteral("Os caixas que disputam as mesas são 0 ou de 2 a %1.").arg(o.tills));
    }
    return o;
}

// The demo store on the database, and its free tables.
QStringList prepareStore(const QString& connectionText) {
    const QString name = QStringLiteral("carga_preparo");
    QStringList free;
    {
        QSqlDatabase db = openConnection(connectionText, name);
        if (!db::schemaPresent(db)) {
            db::createSchema(db);
        }
        if (!databaseHasBranch(db)) {
            createDemoDatabase(db, QDateTime::currentDateTime());
        }
        {
            QSqlQuery q = runLoadStatement(db, QStringLiteral("mesas_livres"));
            while (q.next()) {
                free << q.value(0).toString();
            }
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
    return free;
}

// Accounts of the run received, and received more than once, as the database holds them.
std::pair<int, int> storedReceipts(const QString& connectionText) {
    const QString name = QStringLiteral("carga_contagem");
    std::pair<int, int> counts;
    {
        QSqlDatabase db = openConnection(connectionText, name);
        {
            QSqlQuery q = runLoadStatement(db, QStringLiteral("recebimentos"));
            if (q.next()) {
                counts = {q.value(0).toInt(), q.value(1).toInt()};
            }
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
    return counts;
}

double percentile(std::vector<double> v, double p) {
    if (v.empty()) {
        return 0;
    }
    std::sort(v.begin(), v.end());
    return v[std::min(v.size() - 1, size_t(p * double(v.size() - 1) + 0.5))];
}

// A row in the columns of bench/run's table.
QString row(const QString& kind, const QString& name, const QString& value,
            const QString& target = {}) {
    return QStringLiteral("%1%2%3%4%5%6%7")
        .arg(kind, -12)
        .arg(name, -24)
        .arg(QStringLiteral("-"), 9)
        .arg(value, 14)
        .arg(QString(), 12)
        .arg(QString(), 8)
        .arg(target.isEmpty() ? QString() : QStringLiteral("  ") + target)
        .trimmed();
}

int runTill(const Options& o) {
    LoadTillOptions t;
    t.connection = o.connection;
    t.till = o.till;
    t.cdCaixa = o.cdCaixa.isEmpty() ? QString::fromLatin1(demo::kCaixa) : o.cdCaixa;
    t.tables = o.tables;
    t.racing = o.racing > 0;
    t.seconds = o.seconds;
    t.refreshMs = o.refreshMs;
    QTextStream out(stdout);
    for (const QString& line : resultLines(runLoadTill(t))) {
        out << line << '\n';
    }
    return 0;
}

int runAll(const Options& o) {
    const QString kind = DbDialect::forConnectionText(o.connection).name();
    const QStringList free = prepareStore(o.connection);
    const int needed = (o.tills - o.racing) * kTablesPerTill + (o.racing > 0 ? kTablesPerTill : 0);
    if (free.size() < needed) {
        throw AppError(QStringLiteral("A loja tem %1 mesas livres; a carga precisa de %2.")
                           .arg(free.size())
                           .arg(needed));
    }
    // The racing tills are the last ones and share the last tables.
    std::vector<std::unique_ptr<QProcess>> tills;
    QElapsedTimer clock;
    clock.start();
    for (int i = 1; i <= o.tills; ++i) {
        const bool racing = i > o.tills - o.racing;
        const int first = racing ? (o.tills - o.racing) * kTablesPerTill : (i - 1) * kTablesPerTill;
        QStringList args{
            QStringLiteral("--connection=") + o.connection,
            QStringLiteral("--till=%1").arg(i),
            QStringLiteral("--caixa=") +
                QString::fromLatin1(demo::kCaixas[size_t(i - 1) % demo::kCaixas.size()]),
            QStringLiteral("--tables=") + free.mid(first, kTablesPerTill).join(QLatin1Char(',')),
            QStringLiteral("--racing=%1").arg(racing ? o.racing : 0),
            QStringLiteral("--seconds=%1").arg(o.seconds),
            QStringLiteral("--refresh-ms=%1").arg(o.refreshMs)};
        auto p = std::make_unique<QProcess>();
        p->setProcessChannelMode(QProcess::SeparateChannels);
        p->start(QCoreApplication::applicationFilePath(), args);
        if (!p->waitForStarted(30000)) {
            throw AppError(
                QStringLiteral("O caixa %1 da carga não iniciou: %2").arg(i).arg(p->errorString()));
        }
        tills.push_back(std::move(p));
    }
    std::vector<double> refreshes;
    int receipts = 0;
    int lost = 0;
    QStringList errors;
    for (size_t i = 0; i < tills.size(); ++i) {
        QProcess& p = *tills[i];
        if (!p.waitForFinished((o.seconds + 300) * 1000)) {
            p.kill();
            p.waitForFinished(5000);
            errors << QStringLiteral("caixa %1: não terminou a tempo").arg(i + 1);
            continue;
        }
        const QString err = QString::fromUtf8(p.readAllStandardError()).trimmed();
        if (p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
            errors << QStringLiteral("caixa %1: terminou com falha: %2").arg(i + 1).arg(err);
            continue;
        }
        const LoadTillResult r =
            parseResultLines(QString::fromUtf8(p.readAllStandardOutput()).split(QLatin1Char('\n')));
        refreshes.insert(refreshes.end(), r.refreshMs.begin(), r.refreshMs.end());
        receipts += r.receipts;
        lost += r.lostRaces;
        for (const QString& e : r.errors) {
            errors << QStringLiteral("caixa %1: %2").arg(i + 1).arg(e);
        }
    }
    const auto [stored, twice] = storedReceipts(o.connection);
    if (stored != receipts) {
        errors << QStringLiteral("os caixas contaram %1 recebimentos e o banco guarda %2")
                      .arg(receipts)
                      .arg(stored);
    }
    for (const QString& e : errors) {
        std::fprintf(stderr, "%s\n", qPrintable(e));
    }

    const auto ms = [](double v) {
        return QStringLiteral("%1 ms").arg(v, 0, 'f', 3);
    };
    const auto zero = [](int n) {
        return n == 0 ? QStringLiteral("met (= 0)") : QStringLiteral("MISSED (= 0)");
    };
    const QString header = QStringLiteral("%1%2%3%4%5%6  target")
                               .arg(QStringLiteral("kind"), -12)
                               .arg(QStringLiteral("benchmark"), -24)
                               .arg(QStringLiteral("history"), 9)
                               .arg(QStringLiteral("median"), 14)
                               .arg(QStringLiteral("statements"), 12)
                               .arg(QStringLiteral("ratio"), 8);
    const QString setup = QStringLiteral("(%1 caixas, %2 em disputa, %3 s)")
                              .arg(o.tills)
                              .arg(o.racing)
                              .arg(o.seconds);
    const QStringList rows{
        row(kind, QStringLiteral("loadRefreshP50"), ms(percentile(refreshes, 0.5)), setup),
        row(kind, QStringLiteral("loadRefreshP99"), ms(percentile(refreshes, 0.99))),
        row(kind, QStringLiteral("loadRefreshes"), QString::number(refreshes.size())),
        row(kind, QStringLiteral("loadReceiptsPerSecond"),
            QStringLiteral("%1 /s").arg(double(receipts) / double(o.seconds), 0, 'f', 2)),
        row(kind, QStringLiteral("loadLostRaces"), QString::number(lost)),
        row(kind, QStringLiteral("loadErrors"), QString::number(errors.size()),
            zero(errors.size())),
        row(kind, QStringLiteral("loadDoubleReceipts"), QString::number(twice), zero(twice))};
    QTextStream out(stdout);
    out << '\n' << header << '\n' << rows.join(QLatin1Char('\n')) << '\n';
    out.flush();
    if (!o.tableFile.isEmpty()) {
        QFile f(o.tableFile);
        if (f.open(QIODevice::Append)) {
            QTextStream file(&f);
            file << '\n' << header << '\n' << rows.join(QLatin1Char('\n')) << '\n';
        }
    }
    return errors.isEmpty() && twice == 0 ? 0 : 3;
}

} // namespace

int main(int argc, char** argv) {
    // The payment dialog is a widget, drawn nowhere.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    try {
        const Options o = options(QCoreApplication::arguments());
        return o.till > 0 ? runTill(o) : runAll(o);
    } catch (const tmk::DatabaseError& e) {
        std::fprintf(stderr, "%s\n%s\n", qPrintable(e.message()), qPrintable(e.driverText()));
        return 1;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", qPrintable(exceptionText(e)));
        return 1;
    }
}
