// Two tills, each a process of its own with its own connection (tills "001" and "002" of the
// demo store), touch the same table at the same moment, trial after trial:
//
//   abrir    a free table: exactly one opening must be stored (one open sale of the table)
//            and told to one till; the other is refused
//   receber  a table whose bill was requested: exactly one sale must be concluded, with
//            exactly one fiscal document, the table freed, and the other till refused
//
// A trial with more than one is a double, with none a loss; an answer that did not come, or
// a message other than the expected refusals, is an error (the first ones are printed).
//
//   reliability_race --connection=TEXT --work=FOLDER [--trials=1000] [--table=FILE]
#include "external/common.h"
#include "platform/errors.h"
#include "tools/reliability/harness_options.h"
#include "tools/reliability/harness_store.h"
#include "tools/reliability/till_client.h"

#include <QDir>
#include <QElapsedTimer>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSet>
#include <QTextStream>
#include <array>
#include <memory>

namespace {

using namespace tmk;
using namespace tmk::reliability;

struct Figures {
    int trials = 0;
    int exactlyOne = 0;
    int doubles = 0;
    int lost = 0;
    int errors = 0;
    qint64 ms = 0;
    QStringList firstErrors;
    // How the till that lost was turned away: refused by the claim itself (both had read
    // the table as free, or as bill-requested), after reading the table as taken already,
    // or by finding it free again once the other had received it (and opening it).
    int refusedAtClaim = 0;
    int sawTaken = 0;
    int foundFreeAgain = 0;
    int toldWhichTill = 0; // refusals naming the till that receives the table

    void error(QString what) {
        ++errors;
        what = what.simplified().left(240);
        if (firstErrors.size() < 5 && !firstErrors.contains(what)) {
            firstErrors << what;
        }
    }
};

// The refusals a till that lost the race may be told.
bool expectedRefusal(const QString& m) {
    return m.contains(QStringLiteral("não está mais livre")) ||
           m == QStringLiteral("Senha do garçom pedida: cancelada.") ||
           m.contains(QStringLiteral("sendo recebida")) ||
           m == msgPadrao().Msg(QStringLiteral("Mesa_N_Sol"));
}

// Both tills asked at once; the first one asked alternates.
std::array<QJsonObject, 2> race(std::array<std::unique_ptr<TillClient>, 2>& tills, int trial,
                                const QString& nrMesa) {
    const int primeiro = trial % 2;
    tills[size_t(primeiro)]->send(QStringLiteral("mesa ") + nrMesa);
    tills[size_t(1 - primeiro)]->send(QStringLiteral("mesa ") + nrMesa);
    return {tills[0]->answer(), tills[1]->answer()};
}

void checkAnswers(const std::array<QJsonObject, 2>& respostas, Figures& f,
                  std::array<std::unique_ptr<TillClient>, 2>& tills) {
    for (const QJsonObject& r : respostas) {
        const QStringList m = messages(r);
        if (m.filter(QStringLiteral("sendo recebida")).size() > 0 ||
            (!m.isEmpty() && m.first().contains(QStringLiteral("não está mais livre")))) {
            ++f.refusedAtClaim;
            if (m.filter(QStringLiteral("sendo recebida pelo caixa")).size() > 0) {
                ++f.toldWhichTill;
            }
        } else if (m.contains(QStringLiteral("Senha do garçom pedida: cancelada.")) ||
                   m.contains(msgPadrao().Msg(QStringLiteral("Mesa_N_Sol")))) {
            ++f.sawTaken;
        }
    }
    for (size_t i = 0; i < 2; ++i) {
        if (respostas[i].isEmpty()) {
            f.error(QStringLiteral("o caixa %1 não respondeu%2")
                        .arg(i + 1)
                        .arg(tills[i]->running() ? QString()
                                                 : QStringLiteral(" (o processo terminou)")));
            continue;
        }
        for (const QString& m : messages(respostas[i])) {
            if (!expectedRefusal(m)) {
                f.error(m);
            }
        }
    }
}

QString row(const QString& kind, const char* operacao, const Figures& f) {
    return QStringLiteral("%1 %2 %3 %4 %5 %6 %7 %8")
        .arg(kind, -11)
        .arg(QLatin1String(operacao), -9)
        .arg(f.trials, 7)
        .arg(f.exactlyOne, 11)
        .arg(f.doubles, 7)
        .arg(f.lost, 6)
        .arg(f.errors, 7)
        .arg(QStringLiteral("%1 s").arg(double(f.ms) / 1000.0, 0, 'f', 1), 9);
}

int run(const HarnessOptions& o) {
    HarnessStore loja(o.connection, o.work);
    std::array<std::unique_ptr<TillClient>, 2> caixas;
    for (int i = 0; i < 2; ++i) {
        caixas[size_t(i)] = std::make_unique<TillClient>(
            o.till, loja.tillFolder(i),
            QDir(o.work).filePath(QStringLiteral("caixa-%1.log").arg(i + 1)));
        if (!caixas[size_t(i)]->start()) {
            throw AppError(QStringLiteral("O caixa %1 não abriu o mapa: %2")
                               .arg(i + 1)
                               .arg(caixas[size_t(i)]->told.join(QLatin1Char(' '))));
        }
    }
    QTextStream out(stdout);

    // Opening a free table.
    Figures abrir;
    const QString mesaLivre = HarnessStore::freeTable(0);
    QElapsedTimer relogio;
    relogio.start();
    for (int t = 0; t < o.trials; ++t) {
        loja.clearTable(mesaLivre);
        const auto respostas = race(caixas, t, mesaLivre);
        ++abrir.trials;
        checkAnswers(respostas, abrir, caixas);
        const int vendas = int(loja.openSales(mesaLivre).size());
        int abertas = 0;
        for (const QJsonObject& r : respostas) {
            abertas += r.value(QStringLiteral("fechou")).toBool() ? 1 : 0;
        }
        if (vendas > 1 || abertas > 1) {
            ++abrir.doubles;
        } else if (vendas == 0 || abertas == 0) {
            ++abrir.lost;
        } else {
            ++abrir.exactlyOne;
        }
    }
    abrir.ms = relogio.elapsed();
    loja.clearTable(mesaLivre);

    // Receiving a table whose bill was requested.
    Figures receber;
    const QString mesaConta = HarnessStore::freeTable(1);
    relogio.start();
    for (int t = 0; t < o.trials; ++t) {
        loja.clearTable(mesaConta);
        const QString venda = loja.billRequested(mesaConta);
        const qsizetype documentosAntes = loja.fiscalDocuments().size();
        const auto respostas = race(caixas, t, mesaConta);
        ++receber.trials;
        checkAnswers(respostas, receber, caixas);
        const AccountSales vendas = loja.salesOf(venda);
        const qsizetype documentos = loja.fiscalDocuments().size() - documentosAntes;
        int recebidas = 0;
        int abertas = 0; // the loser found the table free again and opened it
        for (const QJsonObject& r : respostas) {
            recebidas += r.value(QStringLiteral("recebida")).toBool() ? 1 : 0;
            abertas += r.value(QStringLiteral("fechou")).toBool() ? 1 : 0;
        }
        receber.foundFreeAgain += abertas;
        const QString estado = loja.tableState(mesaConta);
        if (vendas.concluded > 1 || documentos > 1 || recebidas > 1) {
            ++receber.doubles;
        } else if (vendas.concluded == 0 || documentos == 0 || recebidas == 0) {
            ++receber.lost;
        } else {
            ++receber.exactlyOne;
        }
        if (vendas.incomplete > 0) {
            receber.error(QStringLiteral("venda incompleta da conta %1").arg(venda));
        }
        if (estado != QLatin1String(abertas > 0 ? "O" : "D")) {
            receber.error(
                QStringLiteral("a mesa ficou \"%1\" depois do recebimento: %2 | %3")
                    .arg(estado,
                         QString::fromUtf8(
                             QJsonDocument(respostas[0]).toJson(QJsonDocument::Compact)),
                         QString::fromUtf8(
                             QJsonDocument(respostas[1]).toJson(QJsonDocument::Compact))));
        }
    }
    receber.ms = relogio.elapsed();
    loja.clearTable(mesaConta);
    for (auto& c : caixas) {
        c->stop();
    }

    const QString header = QStringLiteral(
        "kind        operation  trials  exactly one  double  lost  errors       time");
    report(o, header,
           {row(loja.dialectName(), "abrir", abrir), row(loja.dialectName(), "receber", receber)});
    out << "  abrir: o caixa que perdeu foi recusado na ocupação da mesa " << abrir.refusedAtClaim
        << " vez(es), viu a mesa já ocupada (senha do garçom) " << abrir.sawTaken << " vez(es)\n";
    out << "  receber: o caixa que perdeu ouviu que a mesa está sendo recebida "
        << receber.refusedAtClaim << " vez(es) (o caixa que a recebe nomeado em "
        << receber.toldWhichTill << "), viu a conta já não solicitada " << receber.sawTaken
        << " vez(es), achou a mesa livre de novo e a abriu " << receber.foundFreeAgain
        << " vez(es)\n";
    for (const Figures* f : {&abrir, &receber}) {
        for (const QString& e : f->firstErrors) {
            out << "  erro: " << e << '\n';
        }
    }
    const bool ok = abrir.doubles + abrir.lost + abrir.errors + receber.doubles + receber.lost +
                        receber.errors ==
                    0;
    return ok ? 0 : 1;
}

} // namespace

int main(int argc, char** argv) {
    return harnessMain(argc, argv, 1000, run);
}
