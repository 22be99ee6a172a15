#include "bench/receipt_benchmarks.h"

#include "bench/bench_store.h"
#include "platform/client_dataset.h"
#include "platform/data_packet.h"
#include "platform/errors.h"
#include "platform/service_result.h"
#include "service/account_lists.h"
#include "service/data_module.h"
#include "service/map_reads.h"
#include "service/totals_benefits.h"
#include "suite/devices/fiscal_amounts.h"
#include "suite/sales/account_amounts.h"
#include "suite/sales/sale_cancellation.h"
#include "suite/sales/suite_sales_service.h"

#include <QDateTime>
#include <QHash>
#include <QLoggingCategory>
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

// A text answer that is not empty.
Check someText() {
    return [](const QVariant& r) -> QString {
        return r.toString().isEmpty() ? QStringLiteral("não devolveu o número da venda")
                                      : QString();
    };
}

const QString kMesa01 = QStringLiteral("01");

// The sales service of the till on the benchmark's connection.
SuiteSalesService salesOf(TrdmGerMesa& dm) {
    return SuiteSalesService(dm.adcGerMesa(), kCaixa);
}

// The account of table 01, read once per store, so that only the sales service is timed.
const DataPacket& itemsOfTable01(TrdmGerMesa& dm, int history) {
    static QHash<int, DataPacket> items;
    if (!items.contains(history)) {
        items.insert(
            history,
            getListaComanda(dm, kFilial, kComanda01, QString(), kConfTela).value<DataPacket>());
    }
    return items[history];
}

// Concludes the sale of table 01 paid in cash (the shared sales service: the sale, its
// items, its payment, one transaction), then removes it again.
QVariant concludeTable01(TrdmGerMesa& dm, int history) {
    ClientDataSet itens(QStringLiteral("cdsListaComanda"));
    itens.setData(itemsOfTable01(dm, history));
    DataPacket pagamentos;
    pagamentos.fields = {{QStringLiteral("IDTIPOMOVIVE"), FieldType::Text, 1},
                         {QStringLiteral("IDTIPORECE"), FieldType::Text, 1},
                         {QStringLiteral("CDTIPORECE"), FieldType::Text, 10},
                         {QStringLiteral("VRMOVIVEND"), FieldType::Float, 0}};
    pagamentos.rows << QVariantList{QStringLiteral("E"), QStringLiteral("4"), QStringLiteral("001"),
                                    fromCents(accountAmounts(itens.data()).total())};
    ClientDataSet movCaixa(QStringLiteral("cdsMovCaixa"));
    movCaixa.setData(pagamentos);
    ClientDataSet vazio;
    QList<ClientDataSet*> tables(13, &vazio);
    tables[0] = &itens;
    tables[1] = &movCaixa;
    QVariantList values(47);
    values[0] = kCaixa;
    values[1] = QDateTime::currentDateTime();
    values[5] = kFilial;
    values[6] = kComanda01;
    values[8] = kLoja;
    values[9] = kMesa01;
    values[10] = kVenda01;
    values[39] = QStringLiteral("E");
    QVariantList retorno(10);
    const QVariant nr = salesOf(dm).setConcluiFechamento(tables, values, retorno);
    if (!isServiceFailure(nr)) {
        QSqlDatabase db = dm.adcGerMesa();
        runStoreScript(db, dm.dialect().kind(), QStringLiteral("undo_sale"),
                       {{QStringLiteral("P_CDFILIAL"), kFilial},
                        {QStringLiteral("P_CDCAIXA"), kCaixa},
                        {QStringLiteral("P_NRSEQVENDA"), nr}});
    }
    return nr;
}

// Settles table 01 as the last coupon does (its sale and tab closed, the table free),
// then opens it again.
QVariant settleTable01(TrdmGerMesa& dm) {
    const QVariant r = salesOf(dm).setLimpaMesaGeral(
        0, kVenda01, kComanda01, kMesa01, QStringLiteral("RES"), kFilial, kLoja, QString(), kCaixa,
        QStringLiteral("1"), QString(), true);
    QSqlDatabase db = dm.adcGerMesa();
    runStoreScript(db, dm.dialect().kind(), QStringLiteral("undo_settlement"),
                   {{QStringLiteral("P_CDFILIAL"), kFilial},
                    {QStringLiteral("P_CDLOJA"), kLoja},
                    {QStringLiteral("P_NRVENDAREST"), kVenda01},
                    {QStringLiteral("P_NRMESA"), kMesa01}});
    return isServiceFailure(r) ? r : QVariant(QStringLiteral("ok"));
}

// Cancels a sale from the middle of the history that took an app payment (every
// twentieth does), then concludes it again.
QVariant cancelHistorySale(TrdmGerMesa& dm, int history) {
    const QString nr =
        QStringLiteral("%1").arg(qMax(20, history / 2 / 20 * 20), 15, 10, QLatin1Char('0'));
    QSqlDatabase db = dm.adcGerMesa();
    try {
        cancelStoredSale(db, kFilial, kCaixa, nr);
    } catch (const std::exception& e) {
        return serviceFailure(exceptionText(e));
    }
    runStoreScript(db, dm.dialect().kind(), QStringLiteral("undo_cancel_sale"),
                   {{QStringLiteral("P_CDFILIAL"), kFilial},
                    {QStringLiteral("P_CDCAIXA"), kCaixa},
                    {QStringLiteral("P_NRSEQVENDA"), nr}});
    return nr;
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
        // The shared sales service: the average ticket of the till since today's opening
        // (no sale yet: the history ends days before), the approximate taxes of table 01,
        // its sale concluded and removed again, its table settled and opened again, and a
        // sale of the history cancelled and concluded again (each with the statements that
        // undo it).
        {"CalcTicketMedio",
         [](TrdmGerMesa& dm, int) {
             return QVariant(salesOf(dm).CalcTicketMedio(
                 kFilial, kLoja, QDateTime(QDate::currentDate(), QTime(0, 0))));
         },
         [](int) {
             return equals(QStringLiteral("0-0"));
         }},
        {"CalculoIcmsDFederal",
         [](TrdmGerMesa& dm, int history) {
             ClientDataSet itens;
             itens.setData(itemsOfTable01(dm, history));
             QVariantList retorno;
             salesOf(dm).CalculoIcmsDFederal(itens, 0.0, retorno);
             return QVariant(retorno.size());
         },
         [](int) {
             return equals(3);
         }},
        {"setConcluiFechamento",
         [](TrdmGerMesa& dm, int history) { return concludeTable01(dm, history); },
         [](int) {
             return someText();
         }},
        {"setLimpaMesaGeral", [](TrdmGerMesa& dm, int) { return settleTable01(dm); },
         [](int) {
             return equals(QStringLiteral("ok"));
         }},
        {"AlteraVendaCan",
         [](TrdmGerMesa& dm, int history) { return cancelHistorySale(dm, history); },
         [](int) {
             return someText();
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
    // The sales service tells every sale it stores; not at every iteration here.
    QLoggingCategory::setFilterRules(QStringLiteral("tmk.suite.sales.info=false"));
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
