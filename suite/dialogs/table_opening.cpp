// The opening of a free table: its sale, its first order pad and its state, written
// together or not at all.

#include "suite/dialogs/table_opening.h"

#include "external/common.h"
#include "platform/client_dataset.h"
#include "platform/database_error.h"
#include "suite/common/db_failure.h"
#include "suite/dialogs/dialogs_log.h"
#include "suite/dialogs/dialogs_query.h"

#include <QSqlError>

namespace tmk {

namespace {

QString filled(int digits, QChar c) {
    return QString(digits, c);
}

} // namespace

TableOpening::TableOpening(QSqlDatabase db, TillIdentity till, QString nrMesa)
    : db_(std::move(db))
    , till_(std::move(till))
    , nrMesa_(std::move(nrMesa)) {}

QList<TableOpening::Waiter> TableOpening::waiters() {
    QSqlQuery q = runDialogStatement(db_, QStringLiteral("vendedores"), {},
                                     QStringLiteral("Não foi possível ler os garçons da loja."));
    QList<Waiter> list;
    while (q.next()) {
        list.append({columnText(q, 0), columnText(q, 1), columnText(q, 2)});
    }
    return list;
}

QList<TableOpening::Consumer> TableOpening::consumers() {
    QSqlQuery q =
        runDialogStatement(db_, QStringLiteral("consumidores"), {},
                           QStringLiteral("Não foi possível ler os consumidores cadastrados."));
    QList<Consumer> list;
    while (q.next()) {
        list.append({columnText(q, 0), columnText(q, 1), columnText(q, 2)});
    }
    return list;
}

int TableOpening::maxPartySize() {
    const QVariant v = dialogScalar(
        db_, QStringLiteral("max_pessoas_mesa"), {{QStringLiteral(":P_CDFILIAL"), till_.cdFilial}},
        QStringLiteral("Não foi possível ler o limite de pessoas por mesa da filial."));
    bool ok = false;
    const int n = v.toInt(&ok);
    return ok && n > 0 ? n : kMaxPartyWithoutLimit;
}

qlonglong TableOpening::highestInUse(const QString& statement, const QString& prefix, int digits,
                                     const QString& cdFilial) {
    // Numbers of one width sort as texts as they do as numbers, so the highest one is the
    // top of an index range.
    QVariantMap binds{{QStringLiteral(":P_DE"), prefix + filled(digits, QLatin1Char('0'))},
                      {QStringLiteral(":P_ATE"), prefix + filled(digits, QLatin1Char('9'))}};
    if (!cdFilial.isEmpty()) {
        binds.insert(QStringLiteral(":P_CDFILIAL"), cdFilial);
    }
    const QString highest =
        dialogScalar(db_, statement, binds,
                     QStringLiteral("Não foi possível ler a numeração das vendas da loja."))
            .toString()
            .trimmed();
    if (highest.isEmpty()) {
        return 0;
    }
    bool ok = false;
    const qlonglong n = highest.mid(prefix.size()).toLongLong(&ok);
    if (!ok) {
        // Not one of ours: it can never equal a number made of digits.
        qCWarning(lcSuiteDialogs).noquote() << statement << "highest number is not numeric";
        return 0;
    }
    return n;
}

TableOpening::Opened TableOpening::open(const QString& cdVendedor, int pessoas,
                                        const QString& cdConsumidor,
                                        const QString& cdClienteConsumidor) {
    if (cdVendedor.trimmed().isEmpty()) {
        throw AppError(QStringLiteral("Escolha o garçom que vai atender a mesa."));
    }
    bool waiterKnown = false;
    for (const Waiter& w : waiters()) {
        waiterKnown = waiterKnown || w.code == cdVendedor.trimmed();
    }
    if (!waiterKnown) {
        throw AppError(QStringLiteral("Garçom %1 não cadastrado ou inativo.").arg(cdVendedor));
    }
    const int limite = maxPartySize();
    if (pessoas < 1 || pessoas > limite) {
        throw AppError(
            QStringLiteral("Informe o número de pessoas da mesa, de 1 a %1.").arg(limite));
    }
    if (!cdConsumidor.isEmpty() && cdClienteConsumidor.isEmpty()) {
        throw AppError(
            QStringLiteral("Consumidor %1 sem cliente: escolha-o na lista.").arg(cdConsumidor));
    }
    Opened o;
    o.dsComanda = QStringLiteral("RES_") + nrMesa_;
    o.cdVendedor = cdVendedor.trimmed();
    o.cdConsumidor = cdConsumidor;
    o.cdCliente = cdConsumidor.isEmpty() ? till_.cdCliente : cdClienteConsumidor;

    if (!db_.isValid() || !db_.isOpen()) {
        throw DatabaseError(QStringLiteral("Sem conexão com o banco de dados."),
                            QStringLiteral("abre_mesa"), QString(), true);
    }
    if (!db_.transaction()) {
        throwDatabaseError(QStringLiteral("Não foi possível iniciar a abertura da mesa."),
                           QStringLiteral("abre_mesa"), db_, db_.lastError());
    }
    try {
        writeSale(o, pessoas);
        if (!db_.commit()) {
            throwDatabaseError(QStringLiteral("Não foi possível gravar a abertura da mesa."),
                               QStringLiteral("abre_mesa"), db_, db_.lastError());
        }
    } catch (...) {
        db_.rollback();
        throw;
    }
    // Completed only now that it is stored.
    return o;
}

void TableOpening::writeSale(Opened& o, int pessoas) {
    // The claim comes first: it takes the table (and on SQLite the write lock) before
    // anything is read, so two tills opening the same table wait for each other and the
    // second one finds it taken.
    QSqlQuery claim =
        runDialogStatement(db_, QStringLiteral("abre_mesa_ocupa"),
                           {{QStringLiteral(":P_CDFILIAL"), till_.cdFilial},
                            {QStringLiteral(":P_CDLOJA"), till_.cdLoja},
                            {QStringLiteral(":P_NRMESA"), nrMesa_}},
                           QStringLiteral("Não foi possível ocupar a mesa %1.").arg(nrMesa_));
    if (claim.numRowsAffected() != 1) {
        throw TableTaken(QStringLiteral("A mesa %1 não está mais livre: outro caixa acabou de "
                                        "abri-la ou mudou a sua situação. Nada foi gravado.")
                             .arg(nrMesa_));
    }
    claim.finish();

    TdtmKovProxCodigo proxCodigo(db_);
    const qlonglong venda = proxCodigo.PrxCodigo(
        QStringLiteral("VENDAREST") + till_.cdFilial,
        highestInUse(QStringLiteral("maior_venda_rest"), till_.cdFilial, kSaleDigits, {}));
    const qlonglong comanda = proxCodigo.PrxCodigo(
        QStringLiteral("COMANDAVEN") + till_.cdFilial,
        highestInUse(QStringLiteral("maior_comanda"), {}, kPadDigits, till_.cdFilial));
    o.nrVendaRest = till_.cdFilial + Ajusta(QString::number(venda), kSaleDigits);
    o.nrComanda = Ajusta(QString::number(comanda), kPadDigits);

    const QString failure =
        QStringLiteral("Não foi possível gravar a venda da mesa %1.").arg(nrMesa_);
    runDialogStatement(db_, QStringLiteral("abre_mesa_venda"),
                       {{QStringLiteral(":P_CDFILIAL"), till_.cdFilial},
                        {QStringLiteral(":P_NRVENDAREST"), o.nrVendaRest},
                        {QStringLiteral(":P_CDLOJA"), till_.cdLoja},
                        {QStringLiteral(":P_NRMESA"), nrMesa_},
                        {QStringLiteral(":P_CDCAIXA"), till_.cdCaixa},
                        {QStringLiteral(":P_CDVENDEDOR"), o.cdVendedor},
                        {QStringLiteral(":P_CDOPERADOR"), till_.cdOperador},
                        {QStringLiteral(":P_CDCLIENTE"), o.cdCliente},
                        {QStringLiteral(":P_CDCONSUMIDOR"),
                         o.cdConsumidor.isEmpty() ? QVariant(QMetaType::fromType<QString>())
                                                  : QVariant(o.cdConsumidor)},
                        {QStringLiteral(":P_NRPESSOAS"), double(pessoas)},
                        {QStringLiteral(":P_DTHRABERMESA"), QDateTime::currentDateTime()}},
                       failure);
    runDialogStatement(db_, QStringLiteral("abre_mesa_comanda"),
                       {{QStringLiteral(":P_CDFILIAL"), till_.cdFilial},
                        {QStringLiteral(":P_NRVENDAREST"), o.nrVendaRest},
                        {QStringLiteral(":P_NRCOMANDA"), o.nrComanda},
                        {QStringLiteral(":P_CDLOJA"), till_.cdLoja},
                        {QStringLiteral(":P_DSCOMANDA"), o.dsComanda}},
                       failure);
}

void TableOpening::fill(ClientDataSet& cds, const Opened& o) {
    DataPacket p;
    for (const char* name :
         {"NRVENDAREST", "NRCOMANDA", "DSCOMANDA", "CDCLIENTE", "CDVENDEDOR", "CDCONSUMIDOR"}) {
        p.fields.append(FieldDef{QString::fromLatin1(name), FieldType::Text, 0});
    }
    p.rows.append(
        {o.nrVendaRest, o.nrComanda, o.dsComanda, o.cdCliente, o.cdVendedor, o.cdConsumidor});
    cds.setData(p);
    cds.first();
}

} // namespace tmk
