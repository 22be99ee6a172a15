// How long a change made at one till takes to show on another till's map: till A opens a
// free table of the demo store on a connection of its own, as the till's opening does (the
// table taken, its sale and its first order pad, in one transaction); till B (the screen's
// logic on fakes of the suite, with its own data module and its listener on its own
// connection and thread) is timed from the start of A's opening (its commit included) until
// its map draws the table occupied. Each trial then removes the sale and frees the table
// again, waits for B to show it free and waits a random moment, so that the changes fall
// anywhere in the poll and refresh intervals ("refreshes" counts B's map refreshes per
// trial, two changes each). bench/tills runs it on SQLite and PostgreSQL.
//
//   bench_tills --connection=TEXT [--trials=200] [--table=FILE]
//
// TEXT is the connection text of an empty database (an SQLite file that does not exist
// yet, or a PostgreSQL database without tables); the demo store is made on it.
#include "db/demo/demo_catalogue.h"
#include "db/demo/demo_store.h"
#include "external/common.h"
#include "platform/clock.h"
#include "platform/database_error.h"
#include "platform/errors.h"
#include "platform/till_folder.h"
#include "screen/ger_mesa.h"
#include "service/change_listener.h"
#include "service/data_module.h"
#include "suite/common/connection_text.h"
#include "suite/common/db_dialect.h"
#include "suite/common/statement_files.h"
#include "suite/dialogs/table_opening.h"
#include "suite/dialogs/till_identity.h"
#include "tests/fakes/fake_suite.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QRandomGenerator>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTextStream>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

using namespace tmk;

constexpr int kLimiteMs = 30000; // a trial that takes longer than this has failed

struct Options {
    QString connection;
    int trials = 200;
    QString tableFile;
};

Options options(const QStringList& args) {
    Options o;
    for (const QString& a : args.mid(1)) {
        if (a.startsWith(QLatin1String("--connection="))) {
            o.connection = a.mid(13);
        } else if (a.startsWith(QLatin1String("--trials="))) {
            bool ok = false;
            o.trials = a.mid(9).toInt(&ok);
            if (!ok || o.trials < 1 || o.trials > 100000) {
                throw AppError(QStringLiteral("Número de tentativas inválido: %1.").arg(a.mid(9)));
            }
        } else if (a.startsWith(QLatin1String("--table="))) {
            o.tableFile = a.mid(8);
        } else {
            throw AppError(QStringLiteral("Opção desconhecida: %1.").arg(a));
        }
    }
    if (o.connection.isEmpty()) {
        throw AppError(QStringLiteral("Informe o banco de dados com --connection=TEXTO."));
    }
    return o;
}

// The till folder of both tills: its connection settings name the database.
void writeConexaoIni(const QString& folder, const QString& connectionText) {
    const ConnectionText c = ConnectionText::parse(connectionText);
    QFile f(QDir(folder).filePath(QStringLiteral("Conexao.ini")));
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        throw AppError(QStringLiteral("Não foi possível gravar %1.").arg(f.fileName()));
    }
    QTextStream out(&f);
    out << "[Conexao]\n";
    for (const char* key :
         {"Provider", "Data Source", "Host", "Port", "Database", "User ID", "Password"}) {
        const QString v = c.value(QString::fromLatin1(key));
        if (!v.isEmpty()) {
            out << key << '=' << v << '\n';
        }
    }
}

// Till A: its own connection, opening a table as the till does (TableOpening: the table
// taken, its sale and its first order pad, in one transaction) and freeing it again.
class TillA {
public:
    explicit TillA(const QString& connectionText)
        : till_(TillIdentity::read())
        , db_(openConnection(connectionText, kName)) {}
    ~TillA() {
        db_.close();
        db_ = QSqlDatabase();
        QSqlDatabase::removeDatabase(kName);
    }
    TillA(const TillA&) = delete;
    TillA& operator=(const TillA&) = delete;

    // Opens the table for two people served by the first waiter; returns its sale.
    QString open(const QString& nrMesa) {
        TableOpening opening(db_, till_, nrMesa);
        return opening.open(QString::fromLatin1(demo::kWaiters[0].code), 2).nrVendaRest;
    }

    // Removes the sale and frees its table, in one transaction.
    void free(const QString& nrMesa, const QString& nrVendaRest) {
        if (!db_.transaction()) {
            throw DatabaseError(QStringLiteral("O caixa A não conseguiu iniciar a transação."),
                                QString(), db_.lastError().text());
        }
        try {
            run(QStringLiteral("desfaz_comanda"), {{"P_NRVENDAREST", nrVendaRest}});
            run(QStringLiteral("desfaz_venda"), {{"P_NRVENDAREST", nrVendaRest}});
            run(QStringLiteral("libera_mesa"), {{"P_NRMESA", nrMesa}});
            if (!db_.commit()) {
                throw DatabaseError(QStringLiteral("O caixa A não conseguiu gravar a transação."),
                                    QString(), db_.lastError().text());
            }
        } catch (...) {
            db_.rollback();
            throw;
        }
    }

private:
    static constexpr char kName[] = "caixa_a";

    void run(const QString& name, const QList<QPair<const char*, QVariant>>& binds) {
        static const LibraryStatements statements(
            QStringLiteral(":/bench/latency/sql"), QStringLiteral("do benchmark dos caixas"),
            {{QStringLiteral("desfaz_comanda"), QStringLiteral("desfaz_venda"),
              QStringLiteral("libera_mesa")},
             {},
             {}});
        const QString& text = statements.of(db_).text(name);
        QSqlQuery q(db_);
        q.setForwardOnly(true);
        bool ok = q.prepare(text);
        if (ok) {
            q.bindValue(QStringLiteral(":P_CDFILIAL"), till_.cdFilial);
            if (text.contains(QLatin1String(":P_CDLOJA"))) {
                q.bindValue(QStringLiteral(":P_CDLOJA"), till_.cdLoja);
            }
            for (const auto& [placeholder, value] : binds) {
                q.bindValue(QLatin1Char(':') + QLatin1String(placeholder), value);
            }
            ok = q.exec();
        }
        if (!ok) {
            throw DatabaseError(
                QStringLiteral("O caixa A não conseguiu executar \"%1\".").arg(name), text,
                q.lastError().text());
        }
    }

    TillIdentity till_;
    QSqlDatabase db_;
};

// Runs the event loop until the condition holds or the time runs out.
bool waitFor(TfrmGerMesa& screen, const std::function<bool()>& condition, int ms) {
    if (condition()) {
        return true;
    }
    QEventLoop loop;
    QTimer limit;
    limit.setSingleShot(true);
    QObject::connect(&limit, &QTimer::timeout, &loop, &QEventLoop::quit);
    const auto check = QObject::connect(&screen, &TfrmGerMesa::changed, &loop, [&] {
        if (condition()) {
            loop.quit();
        }
    });
    limit.start(ms);
    loop.exec();
    QObject::disconnect(check);
    return condition();
}

void sleepWithEvents(int ms) {
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    loop.exec();
}

double percentile(std::vector<double> v, double p) {
    std::sort(v.begin(), v.end());
    const size_t i = std::min(v.size() - 1, size_t(p * double(v.size() - 1) + 0.5));
    return v[i];
}

int run(const Options& o) {
    const DbDialect& dialect = DbDialect::forConnectionText(o.connection);
    QTemporaryDir till;
    if (!till.isValid()) {
        throw AppError(QStringLiteral("Não foi possível criar a pasta do caixa."));
    }
    writeConexaoIni(till.path(), o.connection);
    prepareDemoTill(till.path(), QDateTime::currentDateTime());
    setTillFolder(till.path());

    TrdmGerMesa caixaB(QStringLiteral("caixa_b"));
    caixaB.connectTo(o.connection);
    Clock clock;
    FakeSuite suite;
    TfrmGerMesa telaB(
        suite.libraries(), [&]() -> TrdmGerMesa& { return caixaB; }, clock);
    telaB.InicializaForm();
    telaB.FormActivate();
    const ChangeListener& escuta = caixaB.changeListener(telaB.st.CdFilial, telaB.st.CdLoja);
    if (!waitFor(
            telaB, [&] { return escuta.listening(); }, kLimiteMs)) {
        throw AppError(QStringLiteral("O caixa B não começou a ouvir as mudanças."));
    }
    sleepWithEvents(1000);

    // The free tables of the page B shows (the layout dataset holds that page's buttons).
    struct Mesa {
        int botao;
        QString numero;
    };
    std::vector<Mesa> livres;
    for (int i = 0; i < int(telaB.model.tcb.size()); ++i) {
        const QString botao = QStringLiteral("%1").arg(i + 1, 2, 10, QLatin1Char('0'));
        if (telaB.model.tcb[size_t(i)].picture == QLatin1String("imgLivre") &&
            telaB.cdsConfigMesa.locate(QStringLiteral("NRBUTTON"), botao)) {
            livres.push_back(
                {i, telaB.cdsConfigMesa.fieldByName(QStringLiteral("CDIDENTBUTON")).asString()});
        }
    }
    if (livres.empty()) {
        throw AppError(QStringLiteral("O mapa do caixa B não mostra nenhuma mesa livre."));
    }

    TillA caixaA(o.connection);
    const auto figura = [&](const Mesa& m) {
        return telaB.model.tcb[size_t(m.botao)].picture;
    };

    // B's map refreshes, as the fake suite saw them (its log is emptied now and then).
    int atualizacoes = 0;
    const auto contaAtualizacoes = [&] {
        for (const RecordedCall& c : suite.calls(QStringLiteral("MensagemMetodo"))) {
            if (c.text(3) == QLatin1String("getStatusMesa") &&
                c.text(4) == QLatin1String("Cli_Qzv10040")) {
                ++atualizacoes;
            }
        }
        suite.clear();
    };
    contaAtualizacoes();
    atualizacoes = 0;

    std::vector<double> ms;
    ms.reserve(size_t(o.trials));
    QElapsedTimer relogio;
    for (int t = 0; t < o.trials; ++t) {
        const Mesa& m = livres[size_t(t) % livres.size()];
        relogio.start();
        const QString venda = caixaA.open(m.numero);
        if (!waitFor(
                telaB, [&] { return figura(m) == QLatin1String("imgOcupada"); }, kLimiteMs)) {
            throw AppError(QStringLiteral("A mesa %1 aberta no caixa A não apareceu ocupada no "
                                          "caixa B em %2 s.")
                               .arg(m.numero)
                               .arg(kLimiteMs / 1000));
        }
        ms.push_back(double(relogio.nsecsElapsed()) / 1e6);
        caixaA.free(m.numero, venda);
        if (!waitFor(
                telaB, [&] { return figura(m) == QLatin1String("imgLivre"); }, kLimiteMs)) {
            throw AppError(QStringLiteral("A mesa %1 liberada no caixa A não apareceu livre no "
                                          "caixa B.")
                               .arg(m.numero));
        }
        // The next change falls anywhere in the intervals of the poll and of the refresh.
        sleepWithEvents(int(QRandomGenerator::global()->bounded(500)));
        contaAtualizacoes();
    }
    const double refreshesPerTrial = double(atualizacoes) / double(o.trials);

    const double p99 = percentile(ms, 0.99);
    const QString row =
        QStringLiteral("%1 %2 %3 %4 %5 %6 %7  %8")
            .arg(dialect.name(), -11)
            .arg(o.trials, 7)
            .arg(QStringLiteral("%1 ms").arg(percentile(ms, 0.5), 0, 'f', 1), 11)
            .arg(QStringLiteral("%1 ms").arg(percentile(ms, 0.9), 0, 'f', 1), 11)
            .arg(QStringLiteral("%1 ms").arg(p99, 0, 'f', 1), 11)
            .arg(QStringLiteral("%1 ms").arg(*std::max_element(ms.begin(), ms.end()), 0, 'f', 1),
                 11)
            .arg(refreshesPerTrial, 10, 'f', 2)
            .arg(p99 < 1000.0 ? QStringLiteral("met (p99 < 1 s)")
                              : QStringLiteral("MISSED (p99 < 1 s)"));
    const QString header = QStringLiteral("kind          trials      median         p90         p99"
                                          "         max  refreshes  target");
    QTextStream(stdout) << header << '\n' << row << '\n';
    if (!o.tableFile.isEmpty()) {
        QFile f(o.tableFile);
        if (f.open(QIODevice::Append)) {
            QTextStream out(&f);
            if (f.size() == 0) {
                out << header << '\n';
            }
            out << row << '\n';
        }
    }
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    try {
        return run(options(QCoreApplication::arguments()));
    } catch (const tmk::DatabaseError& e) {
        std::fprintf(stderr, "%s\n%s\n", qPrintable(e.message()), qPrintable(e.driverText()));
        return 1;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", qPrintable(exceptionText(e)));
        return 1;
    }
}
