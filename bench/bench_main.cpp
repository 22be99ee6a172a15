// The table map and receipt benchmarks: a store of 48 occupied tables with histories of
// closed sales of several sizes, on one database kind. bench/run runs them for every kind.
//
//   bench_map [--kind=sqlite|postgresql] [--cache=FOLDER] [--histories=10000,1000000]
//             [--proxy-delay=MS] [--table=FILE] [Google Benchmark options]
//
// PostgreSQL: TMK_BENCH_PG holds the connection text of the server's maintenance
// database ("Provider=QPSQL;Host=127.0.0.1;Port=5432;User ID=postgres;Database=postgres").
// The refresh is also timed through a proxy that delays each direction by --proxy-delay
// milliseconds (0.5 by default; 0 leaves that benchmark out).
#include "bench/bench_store.h"
#include "bench/delay_proxy.h"
#include "bench/map_benchmarks.h"
#include "bench/median_table.h"
#include "bench/receipt_benchmarks.h"
#include "platform/database_error.h"
#include "platform/errors.h"
#include "suite/common/connection_text.h"
#include "suite/common/db_dialect.h"

#include <QCoreApplication>
#include <QDir>
#include <QStringList>
#include <benchmark/benchmark.h>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <memory>
#include <vector>

namespace {

struct Options {
    tmk::bench::StoreOptions store;
    QList<int> histories{10000, 1000000};
    QString tableFile; // the table is also appended to this file
    double proxyDelayMs = 0.5;
};

QString optionValue(const QString& arg, const QString& name) {
    const QString prefix = QStringLiteral("--") + name + QLatin1Char('=');
    return arg.startsWith(prefix) ? arg.mid(prefix.size()) : QString();
}

// Takes this program's own options out of argv; Google Benchmark reads the rest.
Options takeOptions(int& argc, char** argv) {
    Options o;
    o.store.cacheFolder = QDir::current().filePath(QStringLiteral("cache"));
    o.store.postgresAdminText = QString::fromLocal8Bit(qgetenv("TMK_BENCH_PG")).trimmed();
    int kept = 1;
    for (int i = 1; i < argc; ++i) {
        const QString arg = QString::fromLocal8Bit(argv[i]);
        if (const QString kind = optionValue(arg, QStringLiteral("kind")); !kind.isEmpty()) {
            if (kind == QLatin1String("sqlite")) {
                o.store.kind = tmk::DbKind::SQLite;
            } else if (kind == QLatin1String("postgresql")) {
                o.store.kind = tmk::DbKind::PostgreSQL;
            } else {
                throw tmk::AppError(
                    QStringLiteral("Tipo de banco desconhecido: \"%1\" (use sqlite ou postgresql).")
                        .arg(kind));
            }
        } else if (const QString cache = optionValue(arg, QStringLiteral("cache"));
                   !cache.isEmpty()) {
            o.store.cacheFolder = QDir::current().absoluteFilePath(cache);
        } else if (const QString file = optionValue(arg, QStringLiteral("table"));
                   !file.isEmpty()) {
            o.tableFile = file;
        } else if (const QString delay = optionValue(arg, QStringLiteral("proxy-delay"));
                   !delay.isEmpty()) {
            bool ok = false;
            o.proxyDelayMs = delay.toDouble(&ok);
            if (!ok || o.proxyDelayMs < 0 || o.proxyDelayMs > 1000) {
                throw tmk::AppError(
                    QStringLiteral("Atraso do proxy inválido: \"%1\" (milissegundos, de 0 a 1000).")
                        .arg(delay));
            }
        } else if (const QString sizes = optionValue(arg, QStringLiteral("histories"));
                   !sizes.isEmpty()) {
            o.histories.clear();
            for (const QString& size : sizes.split(QLatin1Char(','))) {
                bool ok = false;
                const int n = size.trimmed().toInt(&ok);
                if (!ok || n < 1) {
                    throw tmk::AppError(
                        QStringLiteral("Tamanho de histórico inválido: \"%1\".").arg(size));
                }
                o.histories << n;
            }
        } else {
            argv[kept++] = argv[i];
        }
    }
    argc = kept;
    return o;
}

// A proxy in front of the PostgreSQL server of the benchmark, or none.
std::unique_ptr<tmk::bench::DelayProxy> startProxy(const Options& o) {
    if (o.store.kind != tmk::DbKind::PostgreSQL || o.proxyDelayMs <= 0) {
        return nullptr;
    }
    const auto server = tmk::ConnectionText::parse(o.store.postgresAdminText);
    bool ok = false;
    const int port = server.value(QStringLiteral("Port")).toInt(&ok);
    const QString host = server.value(QStringLiteral("Host"));
    try {
        return std::make_unique<tmk::bench::DelayProxy>(
            (host.isEmpty() ? QStringLiteral("127.0.0.1") : host).toStdString(),
            std::uint16_t(ok ? port : 5432),
            std::chrono::microseconds(qRound64(o.proxyDelayMs * 1000.0)));
    } catch (const std::runtime_error& e) {
        throw tmk::AppError(QString::fromStdString(e.what()));
    }
}

// The same database reached through the proxy.
QString throughProxy(const QString& connectionText, const tmk::bench::DelayProxy& proxy) {
    tmk::ConnectionText c = tmk::ConnectionText::parse(connectionText);
    c.set(QStringLiteral("Host"), QStringLiteral("127.0.0.1"));
    c.set(QStringLiteral("Port"), QString::number(proxy.port()));
    return c.toString();
}

QString errorText(const std::exception& e) {
    const auto* db = dynamic_cast<const tmk::DatabaseError*>(&e);
    if (db && !db->driverText().isEmpty()) {
        return db->message() + QStringLiteral(" (") + db->driverText() + QLatin1Char(')');
    }
    return tmk::exceptionText(e);
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    // Google Benchmark edits its copy of the arguments; the application keeps its own.
    std::vector<char*> args(argv, argv + argc);
    int benchArgc = argc;
    bool targetsMet = false;
    std::unique_ptr<tmk::bench::DelayProxy> proxy; // outlives the connections through it
    try {
        const Options options = takeOptions(benchArgc, args.data());
        benchmark::Initialize(&benchArgc, args.data());
        if (benchmark::ReportUnrecognizedArguments(benchArgc, args.data())) {
            return 2;
        }
        proxy = startProxy(options);
        for (int history : options.histories) {
            const QString text = tmk::bench::prepareStore(options.store, history);
            tmk::bench::registerMapBenchmarks(text, history);
            if (proxy) {
                tmk::bench::registerRefreshThroughProxy(throughProxy(text, *proxy), history);
            }
            tmk::bench::registerReceiptBenchmarks(text, history);
        }
        // Nothing a till does when it opens or receives a table may grow with the history
        // of closed sales; the clean-up also has a ceiling of its own.
        std::vector<std::string> order{"refresh",        "refreshProxy",  "getStatusMesa",
                                       "getUltimaVenda", "getMesaJuncao", "setDeletaVendaRest"};
        const std::vector<std::string> receipt = tmk::bench::receiptBenchmarkNames();
        order.insert(order.end(), receipt.begin(), receipt.end());
        std::vector<std::string> targets = order;
        order.emplace_back("floor");
        tmk::bench::MedianTable table(order, targets, 1.3);
        table.setMaximum("setDeletaVendaRest", 0.050);
        benchmark::RunSpecifiedBenchmarks(&table);
        const std::string kind = tmk::DbDialect::forKind(options.store.kind).name().toStdString();
        targetsMet = table.printTable(std::cout, kind);
        if (!options.tableFile.isEmpty()) {
            std::ofstream file(options.tableFile.toStdString(), std::ios::app);
            table.printTable(file, kind);
        }
        tmk::bench::releaseReceiptBenchmarks();
        tmk::bench::releaseMapBenchmarks();
    } catch (const std::exception& e) {
        tmk::bench::releaseReceiptBenchmarks();
        tmk::bench::releaseMapBenchmarks();
        std::fprintf(stderr, "%s\n", errorText(e).toUtf8().constData());
        return 1;
    }
    benchmark::Shutdown();
    return targetsMet ? 0 : 3;
}
