// The till killed (SIGKILL) at each write of the receipt flow in turn and started again:
// for every failpoint, round after round, a table's bill is requested, a till started with
// TMK_FAILPOINT=<point> is asked to receive it and must die there; a till started again
// without it then finds the table settled already, or receives it again. Each round counts:
// a sale stored twice, a sale lost (none concluded at the end), a concluded sale that is
// not whole, a fiscal document that no concluded sale holds, and a table that cannot be
// received again.
//
//   reliability_kill --connection=TEXT --work=FOLDER [--trials=ROUNDS] [--table=FILE]
//                    [--points=after_claim,after_sale,after_fiscal,after_settle]
#include "platform/errors.h"
#include "tools/reliability/harness_options.h"
#include "tools/reliability/harness_store.h"
#include "tools/reliability/till_client.h"

#include <QDir>
#include <QElapsedTimer>
#include <QSet>
#include <QTextStream>
#include <csignal>

namespace {

using namespace tmk;
using namespace tmk::reliability;

struct Figures {
    QString point;
    int rounds = 0;
    int killed = 0;
    int notKilled = 0;
    int settledAlready = 0;
    int receivedAgain = 0;
    int stuck = 0;
    int doubles = 0;
    int lost = 0;
    int halfWritten = 0;
    int documentsWithoutSale = 0;
    qint64 ms = 0;
    QStringList notes;

    void note(QString what) {
        what = what.simplified().left(240);
        if (notes.size() < 5 && !notes.contains(what)) {
            notes << what;
        }
    }
    bool ok() const {
        return notKilled + stuck + doubles + lost + halfWritten + documentsWithoutSale == 0;
    }
};

int run(const HarnessOptions& o) {
    const QStringList pontos =
        o.points.isEmpty()
            ? QStringList{QStringLiteral("after_claim"), QStringLiteral("after_sale"),
                          QStringLiteral("after_fiscal"), QStringLiteral("after_settle")}
            : o.points;
    HarnessStore loja(o.connection, o.work);
    TillClient caixa(o.till, loja.tillFolder(0),
                     QDir(o.work).filePath(QStringLiteral("caixa.log")));
    const QString mesa = HarnessStore::freeTable(3);
    std::vector<Figures> todos;
    for (const QString& ponto : pontos) {
        Figures f;
        f.point = ponto;
        QElapsedTimer relogio;
        relogio.start();
        for (int r = 0; r < o.trials; ++r) {
            ++f.rounds;
            loja.clearTable(mesa);
            const QString venda = loja.billRequested(mesa);
            const QStringList antes = loja.fiscalDocuments();
            const QSet<QString> documentosAntes(antes.begin(), antes.end());

            if (!caixa.start({QStringLiteral("TMK_FAILPOINT=") + ponto})) {
                throw AppError(QStringLiteral("O caixa não abriu o mapa: %1")
                                   .arg(caixa.told.join(QLatin1Char(' '))));
            }
            caixa.send(QStringLiteral("mesa ") + mesa);
            const QJsonObject resposta = caixa.answer();
            if (resposta.isEmpty() && caixa.killedBySignal() && caixa.signal() == SIGKILL) {
                ++f.killed;
            } else {
                ++f.notKilled;
                f.note(resposta.isEmpty()
                           ? QStringLiteral("o caixa terminou de outro modo (sinal %1)")
                                 .arg(caixa.signal())
                           : QStringLiteral("o caixa não morreu em %1: %2")
                                 .arg(ponto, messages(resposta).join(QLatin1Char(' '))));
            }
            caixa.stop();

            if (!caixa.start()) {
                throw AppError(QStringLiteral("O caixa não abriu o mapa depois de morto: %1")
                                   .arg(caixa.told.join(QLatin1Char(' '))));
            }
            const QString estado = loja.tableState(mesa);
            if (estado == QLatin1String("D")) {
                ++f.settledAlready;
            } else {
                caixa.send(QStringLiteral("mesa ") + mesa);
                const QJsonObject denovo = caixa.answer();
                if (denovo.value(QStringLiteral("recebida")).toBool() &&
                    loja.tableState(mesa) == QLatin1String("D")) {
                    ++f.receivedAgain;
                } else {
                    ++f.stuck;
                    f.note(QStringLiteral("mesa \"%1\" depois de reiniciar, não recebida: %2")
                               .arg(estado, messages(denovo).join(QLatin1Char(' '))));
                }
            }
            caixa.stop();

            const AccountSales vendas = loja.salesOf(venda);
            if (vendas.concluded > 1) {
                ++f.doubles;
            } else if (vendas.concluded == 0) {
                ++f.lost;
            }
            if (vendas.incomplete > 0) {
                ++f.halfWritten;
            }
            QStringList novos;
            for (const QString& chave : loja.fiscalDocuments()) {
                if (!documentosAntes.contains(chave)) {
                    novos << chave;
                }
            }
            const QStringList semVenda = loja.documentsWithoutSale(novos);
            f.documentsWithoutSale += int(semVenda.size());
            if (!semVenda.isEmpty()) {
                f.note(
                    QStringLiteral("documento sem venda: %1").arg(semVenda.join(QLatin1Char(' '))));
            }
        }
        f.ms = relogio.elapsed();
        todos.push_back(f);
    }
    loja.clearTable(mesa);

    const QString header = QStringLiteral(
        "kind        point         rounds  killed  not killed  settled  received again  stuck  "
        "double  lost  half-written  documents without sale      time");
    QStringList linhas;
    bool ok = true;
    for (const Figures& f : todos) {
        ok = ok && f.ok();
        linhas << QStringLiteral("%1 %2 %3 %4 %5 %6 %7 %8 %9 %10 %11 %12 %13")
                      .arg(loja.dialectName(), -11)
                      .arg(f.point, -13)
                      .arg(f.rounds, 6)
                      .arg(f.killed, 7)
                      .arg(f.notKilled, 11)
                      .arg(f.settledAlready, 8)
                      .arg(f.receivedAgain, 15)
                      .arg(f.stuck, 6)
                      .arg(f.doubles, 7)
                      .arg(f.lost, 5)
                      .arg(f.halfWritten, 13)
                      .arg(f.documentsWithoutSale, 23)
                      .arg(QStringLiteral("%1 s").arg(double(f.ms) / 1000.0, 0, 'f', 1), 9);
    }
    report(o, header, linhas);
    QTextStream out(stdout);
    for (const Figures& f : todos) {
        for (const QString& n : f.notes) {
            out << "  " << f.point << ": " << n << '\n';
        }
    }
    return ok ? 0 : 1;
}

} // namespace

int main(int argc, char** argv) {
    return harnessMain(argc, argv, 10, run);
}
