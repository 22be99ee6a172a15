#include "bench/receipt_benchmarks.h"

#include "platform/data_packet.h"
#include "platform/errors.h"
#include "platform/service_result.h"
#include "service/account_lists.h"
#include "service/data_module.h"
#include "service/map_reads.h"
#include "service/totals_benefits.h"

#include <benchmark/benchmark.h>
#include <functional>
#include <memory>

namespace tmk::bench {

namespace {

const QString kFilial = QStringLiteral("0001");
const QString kLoja = QStringLiteral("0001");
const QString kCaixa = QStringLiteral("001");
const QString kConfTela = QStringLiteral("01");
// The open sale and tab of table 01, and the tab of table 03 (bench/sql/<kind>/store.sql).
const QString kVenda01 = QStringLiteral("900000000000001");
const QString kComanda01 = QStringLiteral("_9000000001_");
const QString kComanda03 = QStringLiteral("_9000000003_");

// What a call answers for the store: an empty text when right, else what is wrong.
using Check = std::function<QString(const QVariant&)>;

Check rows(int expected) {
    return [expected](const QVariant& r) -> QString {
        if (!r.canConvert<DataPacket>()) {
            return QStringLiteral("não devolveu um pacote");
        }
        const int n = r.value<DataPacket>().rowCount();
        return n == expected
                   ? QString()
                   : QStringLiteral("devolveu %1 linhas em vez de %2").arg(n).arg(expected);
    };
}

Check equals(const QVariant& expected) {
    return [expected](const QVariant& r) -> QString {
        return r == expected ? QString()
                             : QStringLiteral("devolveu \"%1\" em vez de \"%2\"")
                                   .arg(r.toString(), expected.toString());
    };
}

// One operation of the receipt on the store. Operations that write (the conclusion of
// a sale, the clearing of its table) join the list with a call that also undoes what it
// wrote, so that every iteration finds the store as it was.
struct ReceiptCase {
    const char* name;
    std::function<QVariant(TrdmGerMesa&, int history)> call;
    std::function<Check(int history)> expected;
};

const std::vector<ReceiptCase>& receiptCases() {
    static const std::vector<ReceiptCase> cases = {
        {"getVerifNatItens",
         [](TrdmGerMesa& dm, int) { return getVerifNatItens(dm, kFilial, kComanda01, kLoja); },
         [](int) {
             return rows(3);
         }},
        {"getListaComanda",
         [](TrdmGerMesa& dm, int) {
             return getListaComanda(dm, kFilial, kComanda01, QString(), kConfTela);
         },
         [](int) {
             return rows(4);
         }},
        // A tab with an observation is listed item by item (the other statement).
        {"getListaComandaObs",
         [](TrdmGerMesa& dm, int) {
             return getListaComanda(dm, kFilial, kComanda03, QString(), kConfTela);
         },
         [](int) {
             return rows(3);
         }},
        {"getListaComandaCanc",
         [](TrdmGerMesa& dm, int) {
             return getListaComandaCanc(dm, kFilial, kComanda01, QString(), kConfTela);
         },
         [](int) {
             return rows(1);
         }},
        {"GetItComandaEst",
         [](TrdmGerMesa& dm, int) { return GetItComandaEst(dm, kFilial, kComanda01, kComanda03); },
         [](int) {
             return rows(2);
         }},
        {"getObsItens", [](TrdmGerMesa& dm, int) { return getObsItens(dm, kFilial, kComanda03); },
         [](int) {
             return rows(1);
         }},
        {"getObsItensEst",
         [](TrdmGerMesa& dm, int) { return getObsItensEst(dm, kFilial, kComanda03); },
         [](int) {
             return rows(1);
         }},
        {"getItensDesistencia",
         [](TrdmGerMesa& dm, int) { return getItensDesistencia(dm, kFilial, kCaixa, kVenda01); },
         [](int) {
             return rows(1);
         }},
        {"getPromoComanda",
         [](TrdmGerMesa& dm, int) { return getPromoComanda(dm, kFilial, kComanda01); },
         [](int) {
             return rows(1);
         }},
        {"getBrinde", [](TrdmGerMesa& dm, int) { return getBrinde(dm, kFilial, kComanda01); },
         [](int) {
             return rows(1);
         }},
        {"getExtConsFid",
         [](TrdmGerMesa& dm, int) { return getExtConsFid(dm, kFilial, kComanda01); },
         [](int) {
             return rows(1);
         }},
        {"getVerifAlimentosCanc",
         [](TrdmGerMesa& dm, int) { return getVerifAlimentosCanc(dm, kFilial, kComanda01, kLoja); },
         [](int) {
             return rows(1);
         }},
        {"getMovCaixaMob",
         [](TrdmGerMesa& dm, int) { return getMovCaixaMob(dm, kFilial, kComanda01); },
         [](int) {
             return rows(1);
         }},
        // The whole table's pending app payment is another position than seat 02.
        {"verificaIDSTLUGARMESA",
         [](TrdmGerMesa& dm, int) {
             return QVariant(verificaIDSTLUGARMESA(dm, kFilial, kComanda01, QStringLiteral("02")));
         },
         [](int) {
             return equals(false);
         }},
        // A fiscal sale from the middle of the history.
        {"getVerificaVenda",
         [](TrdmGerMesa& dm, int history) {
             return getVerificaVenda(
                 dm, kFilial, kCaixa,
                 QStringLiteral("%1").arg(history / 2, 15, 10, QLatin1Char('0')));
         },
         [](int) {
             return equals(QStringLiteral("S"));
         }},
        {"getReserva", [](TrdmGerMesa& dm, int) { return getReserva(dm, kFilial, kLoja); },
         [](int) {
             return rows(2);
         }},
    };
    return cases;
}

struct ReceiptContext {
    ReceiptContext(const QString& connectionText, int history)
        : dm(QStringLiteral("adcGerMesa_bench_recebimento_%1").arg(history)) {
        dm.connectTo(connectionText);
    }
    TrdmGerMesa dm;
};

std::vector<std::unique_ptr<ReceiptContext>>& contexts() {
    static std::vector<std::unique_ptr<ReceiptContext>> all;
    return all;
}

// The call's answer checked; an empty text when it is the expected one.
QString verdict(const ReceiptCase& c, TrdmGerMesa& dm, int history) {
    try {
        const QVariant r = c.call(dm, history);
        if (isServiceFailure(r)) {
            return serviceFailureMessage(r);
        }
        return c.expected(history)(r);
    } catch (const std::exception& e) {
        return exceptionText(e);
    }
}

void run(benchmark::State& state, const ReceiptCase& c, ReceiptContext& ctx, int history) {
    if (const QString wrong = verdict(c, ctx.dm, history); !wrong.isEmpty()) {
        state.SkipWithError(
            (QStringLiteral("%1 ").arg(QLatin1String(c.name)) + wrong).toUtf8().constData());
        return;
    }
    const quint64 before = ctx.dm.statementsRun();
    try {
        for (auto _ : state) {
            const QVariant r = c.call(ctx.dm, history);
            if (isServiceFailure(r)) {
                state.SkipWithError(serviceFailureMessage(r).toUtf8().constData());
                return;
            }
            benchmark::DoNotOptimize(r.constData());
        }
    } catch (const std::exception& e) {
        state.SkipWithError(exceptionText(e).toUtf8().constData());
        return;
    }
    state.counters["statements"] = benchmark::Counter(double(ctx.dm.statementsRun() - before),
                                                      benchmark::Counter::kAvgIterations);
}

} // namespace

void registerReceiptBenchmarks(const QString& connectionText, int history) {
    contexts().push_back(std::make_unique<ReceiptContext>(connectionText, history));
    ReceiptContext& ctx = *contexts().back();
    for (const ReceiptCase& c : receiptCases()) {
        const std::string name = std::string(c.name) + '/' + std::to_string(history);
        benchmark::RegisterBenchmark(
            name.c_str(),
            [&c, &ctx, history](benchmark::State& state) { run(state, c, ctx, history); })
            ->UseRealTime()
            ->MinTime(0.1)
            ->Unit(benchmark::kMicrosecond);
    }
}

std::vector<std::string> receiptBenchmarkNames() {
    std::vector<std::string> names;
    for (const ReceiptCase& c : receiptCases()) {
        names.emplace_back(c.name);
    }
    return names;
}

void releaseReceiptBenchmarks() {
    contexts().clear();
}

} // namespace tmk::bench
