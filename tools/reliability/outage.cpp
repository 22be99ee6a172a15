// The PostgreSQL server stopped and started again, cycle after cycle, under a till (a process
// of its own) that is receiving a table and refreshing its map:
//
//   1. a table's bill is requested and the till is asked to receive it; a random moment
//      later (0 to 600 ms, within the receipt) the server is stopped, "fast" and
//      "immediate" in turn
//   2. the till's answer is awaited (it must answer: no crash, no hang) and, with the server
//      still down, the till refreshes its map (told, not crashed)
//   3. the server is started again and the till refreshes its map once: the map must be
//      read whole by that one refresh, without a message
//   4. the receipt must have completed (one concluded sale, table free) or left the table
//      bill-requested ("S"), and then the till receives it again to one sale; a table left
//      in another state, a sale stored twice or a concluded sale that is not whole
//      (items, payments, its document) is counted
//
//   reliability_outage --connection=TEXT --work=FOLDER --stop=COMMAND --start=COMMAND
//                      [--trials=100] [--table=FILE]
#include "platform/errors.h"
#include "tools/reliability/harness_options.h"
#include "tools/reliability/harness_store.h"
#include "tools/reliability/till_client.h"

#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QRandomGenerator>
#include <QTextStream>
#include <QThread>

namespace {

using namespace tmk;
using namespace tmk::reliability;

void shell(const QString& command) {
    QProcess p;
    p.setProcessChannelMode(QProcess::ForwardedChannels);
    p.start(QStringLiteral("/bin/sh"), {QStringLiteral("-c"), command});
    if (!p.waitForFinished(120000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
        throw AppError(QStringLiteral("O comando falhou: %1").arg(command));
    }
}

struct Figures {
    int cycles = 0;
    int crashes = 0;
    int unanswered = 0;
    int recoveredInOne = 0;
    int receiptsCompleted = 0;
    int receiptsBackToS = 0;
    int receivedAgain = 0;
    int failedTouches = 0; // touches of a table not settled that did not receive it
    int tablesStuck = 0;
    int freedWithoutSale = 0; // table free while its account has no concluded sale
    int doubleSales = 0;
    int halfWritten = 0;
    QStringList notes;

    void note(QString what) {
        what = what.simplified().left(240);
        if (notes.size() < 16 && !notes.contains(what)) {
            notes << what;
        }
    }
};

int run(const HarnessOptions& o) {
    if (o.stop.isEmpty() || o.start.isEmpty()) {
        throw AppError(
            QStringLiteral("Informe como parar e iniciar o servidor com --stop=COMANDO e "
                           "--start=COMANDO."));
    }
    HarnessStore loja(o.connection, o.work);
    TillClient caixa(o.till, loja.tillFolder(0),
                     QDir(o.work).filePath(QStringLiteral("caixa.log")));
    if (!caixa.start()) {
        throw AppError(
            QStringLiteral("O caixa não abriu o mapa: %1").arg(caixa.told.join(QLatin1Char(' '))));
    }
    const QString mesa = HarnessStore::freeTable(2);
    Figures f;
    QStringList contas;
    QElapsedTimer relogio;
    relogio.start();
    for (int c = 0; c < o.trials; ++c) {
        ++f.cycles;
        loja.clearTable(mesa);
        const QString venda = loja.billRequested(mesa);
        contas << venda;

        caixa.send(QStringLiteral("mesa ") + mesa);
        QThread::msleep(QRandomGenerator::global()->bounded(600));
        QString parar = o.stop;
        parar.replace(QLatin1String("{modo}"),
                      c % 2 ? QLatin1String("immediate") : QLatin1String("fast"));
        shell(parar);
        const QJsonObject recebimento = caixa.answer();
        if (recebimento.isEmpty()) {
            ++(caixa.running() ? f.unanswered : f.crashes);
        }
        if (caixa.running()) {
            caixa.send(QStringLiteral("atualiza"));
            if (caixa.answer().isEmpty()) {
                ++(caixa.running() ? f.unanswered : f.crashes);
            }
        }
        shell(o.start);
        loja.reconnect();
        if (!caixa.running()) {
            f.note(QStringLiteral("o caixa terminou (sinal %1); iniciado de novo")
                       .arg(caixa.signal()));
            if (!caixa.start()) {
                throw AppError(QStringLiteral("O caixa não abriu o mapa de novo: %1")
                                   .arg(caixa.told.join(QLatin1Char(' '))));
            }
        }
        caixa.send(QStringLiteral("atualiza"));
        const QJsonObject mapa = caixa.answer();
        if (!mapa.isEmpty() && messages(mapa).isEmpty() &&
            mapa.value(QStringLiteral("mesas")).toInt() > 0) {
            ++f.recoveredInOne;
        } else {
            f.note(QStringLiteral("mapa depois da volta do servidor: %1")
                       .arg(messages(mapa).join(QLatin1Char(' '))));
        }

        const QString estado = loja.tableState(mesa);
        AccountSales vendas = loja.salesOf(venda);
        if (estado == QLatin1String("D") && vendas.concluded == 1) {
            ++f.receiptsCompleted;
        } else if (estado == QLatin1String("D")) {
            ++f.freedWithoutSale;
            f.note(QStringLiteral("mesa livre com %1 venda(s) concluída(s), vendas [%2] da conta "
                                  "%3: %4")
                       .arg(vendas.concluded)
                       .arg(vendas.states.join(QLatin1Char(' ')), venda,
                            messages(recebimento).join(QLatin1Char(' '))));
        } else if (estado == QLatin1String("S")) {
            ++f.receiptsBackToS;
        } else {
            f.note(QStringLiteral("mesa \"%1\" com %2 venda(s) concluída(s) depois da queda: %3")
                       .arg(estado)
                       .arg(vendas.concluded)
                       .arg(messages(recebimento).join(QLatin1Char(' '))));
        }
        if (estado != QLatin1String("D")) {
            // The operator touches the table again; the first operation on a connection the
            // server ended may say so (it is opened again by the next), so twice at most.
            QJsonObject denovo;
            for (int tentativa = 1; tentativa <= 2; ++tentativa) {
                caixa.send(QStringLiteral("mesa ") + mesa);
                denovo = caixa.answer();
                if (denovo.value(QStringLiteral("recebida")).toBool()) {
                    break;
                }
                ++f.failedTouches;
                f.note(QStringLiteral("toque que não recebeu a mesa: %1")
                           .arg(messages(denovo).join(QLatin1Char(' '))));
            }
            if (denovo.value(QStringLiteral("recebida")).toBool()) {
                ++f.receivedAgain;
            } else {
                ++f.tablesStuck;
                f.note(QStringLiteral("mesa \"%1\" não recebida de novo: %2")
                           .arg(estado, messages(denovo).join(QLatin1Char(' '))));
            }
            vendas = loja.salesOf(venda);
        }
        if (vendas.concluded > 1) {
            ++f.doubleSales;
        }
        if (vendas.incomplete > 0) {
            ++f.halfWritten;
        }
    }
    const qint64 ms = relogio.elapsed();
    int incompletas = 0;
    for (const QString& conta : contas) {
        incompletas += loja.salesOf(conta).incomplete > 0 ? 1 : 0;
    }
    const QStringList semVenda = loja.documentsWithoutSale(loja.fiscalDocuments());
    caixa.stop();

    const QString header = QStringLiteral(
        "kind        cycles  crashes  unanswered  map in one refresh  completed  back to S  "
        "received again  failed touches  stuck  freed without sale  double  half-written  "
        "documents without sale       time");
    const QString linha = QStringLiteral("%1 %2 %3 %4 %5 %6 %7 %8 %9 %10 %11 %12 %13 %14 %15")
                              .arg(loja.dialectName(), -11)
                              .arg(f.cycles, 6)
                              .arg(f.crashes, 8)
                              .arg(f.unanswered, 11)
                              .arg(f.recoveredInOne, 19)
                              .arg(f.receiptsCompleted, 10)
                              .arg(f.receiptsBackToS, 10)
                              .arg(f.receivedAgain, 15)
                              .arg(f.failedTouches, 15)
                              .arg(f.tablesStuck, 6)
                              .arg(f.freedWithoutSale, 19)
                              .arg(f.doubleSales, 7)
                              .arg(qMax(f.halfWritten, incompletas), 13)
                              .arg(semVenda.size(), 25)
                              .arg(QStringLiteral("%1 s").arg(double(ms) / 1000.0, 0, 'f', 1), 10);
    report(o, header, {linha});
    QTextStream out(stdout);
    for (const QString& n : f.notes) {
        out << "  " << n << '\n';
    }
    const bool ok = f.crashes == 0 && f.unanswered == 0 && f.recoveredInOne == f.cycles &&
                    f.tablesStuck == 0 && f.freedWithoutSale == 0 && f.doubleSales == 0 &&
                    f.halfWritten == 0 && incompletas == 0 && semVenda.isEmpty();
    return ok ? 0 : 1;
}

} // namespace

int main(int argc, char** argv) {
    return harnessMain(argc, argv, 100, run);
}
