#include "bench/map_benchmarks.h"

#include "platform/clock.h"
#include "platform/data_packet.h"
#include "platform/errors.h"
#include "platform/service_result.h"
#include "screen/ger_mesa.h"
#include "service/data_module.h"
#include "service/map_reads.h"
#include "service/sale_cleanup.h"
#include "tests/fakes/fake_suite.h"

#include <benchmark/benchmark.h>
#include <memory>
#include <vector>

namespace tmk::bench {

namespace {

const QString kFilial = QStringLiteral("0001");
const QString kLoja = QStringLiteral("0001");
const QString kConfTela = QStringLiteral("01");
constexpr int kTables = 48;

QString tableNumber(int n) {
    return QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0'));
}

// The picture the map shows for table n of the store (bench/sql/<kind>/store.sql):
// even tables are idle except 46, opened a moment ago; 02 and 05 are reserved today.
QString expectedPicture(int n) {
    const bool idle = n % 2 == 0 && n != 46;
    const bool reserved = n == 2 || n == 5;
    if (idle) {
        return reserved ? QStringLiteral("imgSemConsR") : QStringLiteral("imgSemCons");
    }
    return reserved ? QStringLiteral("imgOcupadaR") : QStringLiteral("imgOcupada");
}

QString expectedCaption(int n) {
    return n >= 47 ? QStringLiteral("(%1)").arg(tableNumber(n)) : tableNumber(n);
}

// One store's screen on fakes of the suite, with its own data module.
struct MapContext {
    MapContext(const QString& connectionText, int history, bool proxied = false)
        : dm(QStringLiteral("adcGerMesa_bench_%1%2")
                 .arg(history)
                 .arg(proxied ? QStringLiteral("_proxy") : QString()))
        , screen(
              suite.libraries(), [this]() -> TrdmGerMesa& { return dm; }, clock) {
        dm.connectTo(connectionText);
        for (int n = 1; n <= kTables; ++n) {
            tables << tableNumber(n);
        }
        ScreenState& st = screen.st;
        st.CdFilial = kFilial;
        st.CdLoja = kLoja;
        st.CdFiliConfTe = kFilial;
        st.NrConfTela = kConfTela;
        st.IdEsquema = QStringLiteral("001");
        st.NrMinSemCons = QStringLiteral("30");
        st.NrAmbienteAtual = QStringLiteral("01");
        st.IdxAmbienteAtual = 1;
        st.NrPaginaAtual = 1;
        // The layout is read once, when the screen opens; the refresh redraws the page.
        screen.MontaMenuAmbiente();
        const quint64 before = dm.statementsRun();
        refresh();
        statementsPerRefresh = int(dm.statementsRun() - before);
        checkMap();
    }

    void refresh() {
        screen.DisparaAtualizacao();
        // The fakes log every call; the log is kept short over many iterations.
        if (suite.log.all().size() > 4096) {
            suite.clear();
        }
    }

    void checkMap() const {
        for (int n = 1; n <= kTables; ++n) {
            const TableButtonModel& b = screen.model.tcb[size_t(n - 1)];
            if (!b.enabled || b.picture != expectedPicture(n) || b.caption != expectedCaption(n)) {
                throw AppError(QStringLiteral("A mesa %1 do benchmark aparece como \"%2\" "
                                              "\"%3\" em vez de \"%4\" \"%5\".")
                                   .arg(tableNumber(n), b.picture, b.caption, expectedPicture(n),
                                        expectedCaption(n)));
            }
        }
    }

    FakeSuite suite;
    Clock clock;
    TrdmGerMesa dm;
    TfrmGerMesa screen;
    QStringList tables;
    int statementsPerRefresh = 0;
};

std::vector<std::unique_ptr<MapContext>>& contexts() {
    static std::vector<std::unique_ptr<MapContext>> all;
    return all;
}

// A service read that failed ends the benchmark with its message.
bool failed(benchmark::State& state, const QVariant& result) {
    if (isServiceFailure(result)) {
        state.SkipWithError(serviceFailureMessage(result).toUtf8().constData());
        return true;
    }
    return false;
}

void statementCounter(benchmark::State& state, const MapContext& ctx, quint64 before) {
    state.counters["statements"] = benchmark::Counter(double(ctx.dm.statementsRun() - before),
                                                      benchmark::Counter::kAvgIterations);
}

void benchRefresh(benchmark::State& state, MapContext& ctx) {
    const quint64 before = ctx.dm.statementsRun();
    try {
        for (auto _ : state) {
            ctx.refresh();
            benchmark::DoNotOptimize(ctx.screen.model.tcb.data());
        }
        ctx.checkMap();
    } catch (const std::exception& e) {
        state.SkipWithError(exceptionText(e).toUtf8().constData());
        return;
    }
    statementCounter(state, ctx, before);
}

void benchStatusMesa(benchmark::State& state, MapContext& ctx) {
    for (auto _ : state) {
        const QVariant r = getStatusMesa(ctx.dm, kFilial, kLoja, kConfTela);
        if (failed(state, r)) {
            return;
        }
        benchmark::DoNotOptimize(r.constData());
    }
    const QVariant last = getStatusMesa(ctx.dm, kFilial, kLoja, kConfTela);
    if (!failed(state, last) && last.value<DataPacket>().rowCount() != kTables) {
        state.SkipWithError("getStatusMesa não devolveu as 48 mesas");
    }
}

void benchUltimaVenda(benchmark::State& state, MapContext& ctx) {
    const quint64 before = ctx.dm.statementsRun();
    int next = 0;
    for (auto _ : state) {
        const QVariant r = getUltimaVenda(ctx.dm, kFilial, kLoja, ctx.tables[next]);
        next = (next + 1) % kTables;
        if (failed(state, r)) {
            return;
        }
        benchmark::DoNotOptimize(r.constData());
    }
    statementCounter(state, ctx, before);
}

void benchMesaJuncao(benchmark::State& state, MapContext& ctx) {
    int next = 0;
    for (auto _ : state) {
        const QVariant r = getMesaJuncao(ctx.dm, kFilial, kLoja, ctx.tables[next]);
        next = (next + 1) % kTables;
        if (failed(state, r)) {
            return;
        }
        benchmark::DoNotOptimize(r.constData());
    }
    const QVariant joined = getMesaJuncao(ctx.dm, kFilial, kLoja, QStringLiteral("48"));
    if (!failed(state, joined) && joined.value<DataPacket>().rowCount() != 2) {
        state.SkipWithError("getMesaJuncao não devolveu as duas mesas da junção");
    }
}

void benchDeletaVendaRest(benchmark::State& state, MapContext& ctx) {
    const quint64 before = ctx.dm.statementsRun();
    for (auto _ : state) {
        const QVariant r =
            setDeletaVendaRest(ctx.dm, ctx.tables[0], kFilial, kLoja, QStringLiteral("O"));
        if (failed(state, r)) {
            return;
        }
        // A clean store: nothing is removed and the table stays occupied.
        if (r.toInt() != 0) {
            state.SkipWithError("setDeletaVendaRest encontrou registros órfãos no benchmark");
            return;
        }
    }
    statementCounter(state, ctx, before);
}

void benchFloor(benchmark::State& state, MapContext& ctx) {
    const QString trivial = QStringLiteral("adqVerificaConexao");
    try {
        for (auto _ : state) {
            for (int i = 0; i < ctx.statementsPerRefresh; ++i) {
                benchmark::DoNotOptimize(ctx.dm.hasRows(trivial, {}));
            }
        }
    } catch (const std::exception& e) {
        state.SkipWithError(exceptionText(e).toUtf8().constData());
        return;
    }
    state.counters["statements"] = ctx.statementsPerRefresh;
}

void add(const char* family, int history, void (*body)(benchmark::State&, MapContext&),
         MapContext& ctx, benchmark::TimeUnit unit) {
    const std::string name = std::string(family) + '/' + std::to_string(history);
    benchmark::RegisterBenchmark(name.c_str(),
                                 [body, &ctx](benchmark::State& state) { body(state, ctx); })
        ->UseRealTime()
        ->Unit(unit);
}

} // namespace

void registerMapBenchmarks(const QString& connectionText, int history) {
    contexts().push_back(std::make_unique<MapContext>(connectionText, history));
    MapContext& ctx = *contexts().back();
    add("refresh", history, benchRefresh, ctx, benchmark::kMillisecond);
    add("getStatusMesa", history, benchStatusMesa, ctx, benchmark::kMicrosecond);
    add("getUltimaVenda", history, benchUltimaVenda, ctx, benchmark::kMicrosecond);
    add("getMesaJuncao", history, benchMesaJuncao, ctx, benchmark::kMicrosecond);
    add("setDeletaVendaRest", history, benchDeletaVendaRest, ctx, benchmark::kMillisecond);
    add("floor", history, benchFloor, ctx, benchmark::kMillisecond);
}

void registerRefreshThroughProxy(const QString& proxiedConnectionText, int history) {
    contexts().push_back(std::make_unique<MapContext>(proxiedConnectionText, history, true));
    add("refreshProxy", history, benchRefresh, *contexts().back(), benchmark::kMillisecond);
}

void releaseMapBenchmarks() {
    contexts().clear();
}

} // namespace tmk::bench
