#include "tools/reliability/harness_store.h"

#include "db/demo/demo_catalogue.h"
#include "db/demo/demo_rows.h"
#include "db/demo/demo_store.h"
#include "db/demo/demo_tables.h"
#include "external/common.h"
#include "platform/database_error.h"
#include "platform/errors.h"
#include "platform/till_folder.h"
#include "suite/common/connection_text.h"
#include "suite/common/db_dialect.h"
#include "suite/dialogs/account_closing.h"
#include "suite/dialogs/table_opening.h"
#include "suite/dialogs/till_identity.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>
#include <QTextStream>

namespace tmk::reliability {

namespace {

const QString kConexao = QStringLiteral("harness");

QString filial() {
    return QString::fromLatin1(demo::kFilial);
}

QString loja() {
    return QString::fromLatin1(demo::kLoja);
}

// The till folder's connection settings name the harness's database.
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

} // namespace

HarnessStore::HarnessStore(const QString& connectionText, const QString& workFolder)
    : connectionText_(connectionText)
    , work_(workFolder)
    , statements_(QStringLiteral(":/reliability/sql"),
                  QStringLiteral("dos testes de confiabilidade"),
                  {{QStringLiteral("desfaz_comanda"), QStringLiteral("desfaz_venda"),
                    QStringLiteral("libera_mesa"), QStringLiteral("vendas_abertas_mesa"),
                    QStringLiteral("estado_mesa"), QStringLiteral("vendas_da_conta"),
                    QStringLiteral("venda_da_chave")},
                   {},
                   {}}) {
    const QDateTime agora = QDateTime::currentDateTime();
    for (int till = 0; till < 2; ++till) {
        const QString pasta = tillFolder(till);
        if (!QDir().mkpath(pasta)) {
            throw AppError(QStringLiteral("Não foi possível criar a pasta %1.").arg(pasta));
        }
        writeConexaoIni(pasta, connectionText);
        // The first preparation makes the demo store; the second finds it.
        prepareDemoTill(pasta, agora, QString::fromLatin1(demo::kCaixas[size_t(till)]));
    }
    // The harness opens and requests bills as till "001" does.
    setTillFolder(tillFolder(0));
    db_ = openConnection(connectionText, kConexao, DatabaseFile::MustExist);
    SetADODBSession(db_);
}

HarnessStore::~HarnessStore() {
    db_.close();
    db_ = QSqlDatabase();
    QSqlDatabase::removeDatabase(kConexao);
}

QString HarnessStore::tillFolder(int till) const {
    return QDir(work_).filePath(till == 0 ? QStringLiteral("caixa-001")
                                          : QStringLiteral("caixa-002"));
}

QString HarnessStore::dialectName() const {
    return DbDialect::forConnectionText(connectionText_).name();
}

QString HarnessStore::freeTable(int use) {
    // Tables of the Bar and the Mezanino that are free, reserved by nobody and joined to none.
    static const char* const livres[] = {"0201", "0202", "0204", "0205", "0206", "0301"};
    const QString mesa = QString::fromLatin1(livres[use % int(std::size(livres))]);
    if (demo::tableState(mesa) != QLatin1String("D")) {
        throw AppError(
            QStringLiteral("A mesa %1 não está livre na loja de demonstração.").arg(mesa));
    }
    return mesa;
}

QSqlQuery HarnessStore::run(const QString& name, const QList<QPair<QString, QVariant>>& binds) {
    const QString& text = statements_.of(db_).text(name);
    QSqlQuery q(db_);
    q.setForwardOnly(true);
    bool ok = q.prepare(text);
    if (ok) {
        q.bindValue(QStringLiteral(":P_CDFILIAL"), filial());
        if (text.contains(QLatin1String(":P_CDLOJA"))) {
            q.bindValue(QStringLiteral(":P_CDLOJA"), loja());
        }
        for (const auto& [placeholder, value] : binds) {
            q.bindValue(placeholder, value);
        }
        ok = q.exec();
    }
    if (!ok) {
        throw DatabaseError(QStringLiteral("A instrução \"%1\" dos testes falhou.").arg(name), text,
                            q.lastError().text());
    }
    return q;
}

QStringList HarnessStore::openSales(const QString& nrMesa) {
    QSqlQuery q =
        run(QStringLiteral("vendas_abertas_mesa"), {{QStringLiteral(":P_NRMESA"), nrMesa}});
    QStringList vendas;
    while (q.next()) {
        vendas << q.value(0).toString();
    }
    return vendas;
}

void HarnessStore::clearTable(const QString& nrMesa) {
    const QStringList vendas = openSales(nrMesa);
    if (!db_.transaction()) {
        throw DatabaseError(QStringLiteral("Não foi possível iniciar a transação."), QString(),
                            db_.lastError().text());
    }
    try {
        for (const QString& v : vendas) {
            run(QStringLiteral("desfaz_comanda"), {{QStringLiteral(":P_NRVENDAREST"), v}});
            run(QStringLiteral("desfaz_venda"), {{QStringLiteral(":P_NRVENDAREST"), v}});
        }
        run(QStringLiteral("libera_mesa"), {{QStringLiteral(":P_NRMESA"), nrMesa}});
        if (!db_.commit()) {
            throw DatabaseError(QStringLiteral("Não foi possível gravar a transação."), QString(),
                                db_.lastError().text());
        }
    } catch (...) {
        db_.rollback();
        throw;
    }
}

void HarnessStore::orderItems(const QString& nrVendaRest, const QString& nrComanda) {
    struct Pedido {
        const char* produto;
        double quantidade;
    };
    // Two dishes of one nature, so that the receipt is one coupon.
    static const Pedido pedidos[] = {{"10003", 2}, {"10004", 1}};
    demo::DemoRows rows(db_);
    const QDateTime agora = QDateTime::currentDateTime();
    int n = 0;
    for (const Pedido& p : pedidos) {
        const demo::Product& produto = demo::product(p.produto);
        rows.insert(QStringLiteral("ITCOMANDAVEN"),
                    {{QStringLiteral("CDFILIAL"), filial()},
                     {QStringLiteral("NRVENDAREST"), nrVendaRest},
                     {QStringLiteral("NRCOMANDA"), nrComanda},
                     {QStringLiteral("NRPRODCOMVEN"),
                      QStringLiteral("%1").arg(++n, 6, 10, QLatin1Char('0'))},
                     {QStringLiteral("CDLOJA"), loja()},
                     {QStringLiteral("CDPRODUTO"), QString::fromLatin1(p.produto)},
                     {QStringLiteral("QTPRODCOMVEN"), p.quantidade},
                     {QStringLiteral("VRPRECCOMVEN"), produto.price},
                     {QStringLiteral("VRPRECCLCOMVEN"), 0.0},
                     {QStringLiteral("VRDESCCOMVEN"), 0.0},
                     {QStringLiteral("VRACRCOMVEN"), 0.0},
                     {QStringLiteral("IDSTPRCOMVEN"), QStringLiteral("1")},
                     {QStringLiteral("IDPRODREFIL"), QStringLiteral("N")},
                     {QStringLiteral("QTITEMREFIL"), 0.0},
                     {QStringLiteral("NRLUGARMESA"), QStringLiteral("01")},
                     {QStringLiteral("IDSTLUGARMESA"), QStringLiteral("O")},
                     {QStringLiteral("DTHRINCOMVEN"), agora},
                     {QStringLiteral("CDVENDEDOR"), QString::fromLatin1(demo::kWaiters[0].code)},
                     {QStringLiteral("IDPRODPRODUZ"), QStringLiteral("S")}});
    }
}

QString HarnessStore::billRequested(const QString& nrMesa) {
    const TillIdentity caixa = TillIdentity::read();
    TableOpening abertura(db_, caixa, nrMesa);
    const TableOpening::Opened aberta =
        abertura.open(QString::fromLatin1(demo::kWaiters[0].code), 2);
    orderItems(aberta.nrVendaRest, aberta.nrComanda);
    AccountClosing fechamento(db_, caixa, nrMesa, {aberta.nrComanda});
    fechamento.request(fechamento.bill());
    return aberta.nrVendaRest;
}

QString HarnessStore::tableState(const QString& nrMesa) {
    QSqlQuery q = run(QStringLiteral("estado_mesa"), {{QStringLiteral(":P_NRMESA"), nrMesa}});
    return q.next() ? q.value(0).toString().trimmed() : QString();
}

AccountSales HarnessStore::salesOf(const QString& nrVendaRest) {
    QSqlQuery q =
        run(QStringLiteral("vendas_da_conta"), {{QStringLiteral(":P_NRVENDAREST"), nrVendaRest}});
    AccountSales s;
    while (q.next()) {
        const QString situacao = q.value(2).toString().trimmed();
        s.states << situacao;
        if (situacao == QLatin1String("C")) {
            ++s.cancelled;
            continue;
        }
        if (situacao != QLatin1String("O")) {
            continue;
        }
        ++s.concluded;
        const QString chave = q.value(3).toString().trimmed();
        if (!chave.isEmpty()) {
            s.keys << chave;
        }
        if (q.value(5).toInt() == 0 || q.value(6).toInt() == 0 || chave.isEmpty() ||
            q.value(4).toString().trimmed() == QLatin1String("P")) {
            ++s.incomplete;
        }
    }
    return s;
}

QStringList HarnessStore::fiscalDocuments() const {
    QStringList chaves;
    for (int till = 0; till < 2; ++till) {
        QDirIterator it(QDir(tillFolder(till)).filePath(QStringLiteral("Dados/XML_NFCe_Sat")),
                        {QStringLiteral("*.xml")}, QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString base = QFileInfo(it.next()).completeBaseName();
            if (base.size() == 44) {
                chaves << base;
            }
        }
    }
    return chaves;
}

QStringList HarnessStore::documentsWithoutSale(const QStringList& keys) {
    QStringList sem;
    for (const QString& chave : keys) {
        QSqlQuery q = run(QStringLiteral("venda_da_chave"), {{QStringLiteral(":P_CHAVE"), chave}});
        if (!q.next() || q.value(0).toInt() == 0) {
            sem << chave;
        }
    }
    return sem;
}

void HarnessStore::reconnect() {
    db_.close();
    TryConnect(db_);
    SetADODBSession(db_);
}

} // namespace tmk::reliability
