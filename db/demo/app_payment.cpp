// Payments made through the mobile app, recorded as the app records them: for the demo
// store, for a person trying the strip of app payments, and for the tests.
#include "db/demo/app_payment.h"

#include "db/demo/demo_rows.h"
#include "db/demo/demo_statements.h"
#include "external/common.h"
#include "platform/client_dataset.h"
#include "platform/database_error.h"
#include "platform/errors.h"
#include "platform/till_folder.h"
#include "suite/common/db_dialect.h"

#include <QDir>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>

namespace tmk {

namespace {

const QString kConnectionName = QStringLiteral("tmk_pagamento_app");

QString digits(qlonglong n, int width) {
    return QStringLiteral("%1").arg(n, width, 10, QLatin1Char('0'));
}

QString money(double v) {
    return QString::number(v, 'f', 2).replace(QLatin1Char('.'), QLatin1Char(','));
}

// One statement of the demo library, bound by name and run.
QSqlQuery run(QSqlDatabase& db, const QString& name, const QVariantMap& params) {
    const QString text = demo::demoStatements().of(db).text(name);
    QSqlQuery q(db);
    q.setForwardOnly(true);
    if (!q.prepare(text)) {
        throw DatabaseError(QStringLiteral("Não foi possível preparar a gravação do pagamento "
                                           "pelo aplicativo."),
                            text, q.lastError().text());
    }
    for (auto it = params.cbegin(); it != params.cend(); ++it) {
        q.bindValue(QLatin1Char(':') + it.key(), it.value());
    }
    if (!q.exec()) {
        throw DatabaseError(QStringLiteral("Não foi possível gravar o pagamento pelo aplicativo."),
                            text, q.lastError().text());
    }
    return q;
}

// The transaction of one payment, rolled back unless committed.
class PaymentTransaction {
public:
    explicit PaymentTransaction(QSqlDatabase& db)
        : db_(db) {
        if (!db_.transaction()) {
            throw DatabaseError(QStringLiteral("Não foi possível iniciar a gravação do "
                                               "pagamento pelo aplicativo."),
                                QString(), db_.lastError().text());
        }
    }
    ~PaymentTransaction() {
        if (!done_) {
            db_.rollback();
        }
    }
    PaymentTransaction(const PaymentTransaction&) = delete;
    PaymentTransaction& operator=(const PaymentTransaction&) = delete;
    void commit() {
        if (!db_.commit()) {
            throw DatabaseError(QStringLiteral("Não foi possível concluir a gravação do "
                                               "pagamento pelo aplicativo."),
                                QString(), db_.lastError().text());
        }
        done_ = true;
    }

private:
    QSqlDatabase& db_;
    bool done_ = false;
};

// "T" for the whole table, otherwise the seat in two digits; empty when not valid.
QString seatOf(const QString& text) {
    const QString t = text.trimmed().toUpper();
    if (t == QLatin1String("T")) {
        return t;
    }
    bool ok = false;
    const int n = t.toInt(&ok);
    return ok && n >= 1 && n <= 99 ? digits(n, 2) : QString();
}

} // namespace

QVariantMap appPaymentColumns(const AppPaymentRow& row) {
    const bool wholeTable = row.nrLugarMesa == QLatin1String("T");
    const QString nsu = digits(480000 + row.autorizacao, 6);
    const QString authorisation = QStringLiteral("A") + digits(7310 + row.autorizacao, 5);
    const QString card = QStringLiteral("************") + digits(4100 + row.autorizacao * 37, 4);
    const QString receipt =
        QStringLiteral("PAGAMENTO PELO APLICATIVO\n%1\nMESA %2 %3\nVALOR R$ %4\nNSU %5 AUT %6")
            .arg(row.bandeira, row.nrMesa,
                 wholeTable ? QStringLiteral("MESA INTEIRA")
                            : QStringLiteral("POSICAO %1").arg(row.nrLugarMesa),
                 money(row.valor), nsu, authorisation);
    return {{QStringLiteral("CDFILIAL"), row.cdFilial},
            {QStringLiteral("NRSEQMOVMOB"), row.nrSeqMovMob},
            {QStringLiteral("NRVENDAREST"), row.nrVendaRest},
            {QStringLiteral("NRMESA"), row.nrMesa},
            {QStringLiteral("NRCOMANDA"), row.nrComanda},
            {QStringLiteral("NRLUGARMESA"), row.nrLugarMesa},
            {QStringLiteral("IDSTMOV"), QStringLiteral("1")},
            {QStringLiteral("IDADMTASK"), QStringLiteral("0")},
            {QStringLiteral("IDUTILTXSERV"),
             row.comTaxaServico ? QStringLiteral("S") : QStringLiteral("N")},
            {QStringLiteral("VRMOV"), row.valor},
            {QStringLiteral("DTHRINCMOV"), row.quando},
            {QStringLiteral("CDTIPORECE"), row.cdTipoRece},
            {QStringLiteral("DSBANDEIRA"), row.bandeira},
            {QStringLiteral("CDNSUTEFMOB"), nsu},
            {QStringLiteral("NRCARTBANCO"), card},
            {QStringLiteral("NRAUTORIZATEF"), authorisation},
            {QStringLiteral("TXPRIMVIATEF"), receipt + QStringLiteral("\nVIA CLIENTE")},
            {QStringLiteral("TXSEGVIATEF"), receipt + QStringLiteral("\nVIA ESTABELECIMENTO")}};
}

AppPaymentRequest parseAppPaymentTarget(const QString& text) {
    AppPaymentRequest r;
    const int sep = text.indexOf(QLatin1Char(':'));
    r.nrMesa = (sep < 0 ? text : text.left(sep)).trimmed();
    r.nrLugarMesa = sep < 0 ? QStringLiteral("T") : text.mid(sep + 1).trimmed();
    return r;
}

AppPaymentRow recordAppPayment(QSqlDatabase& db, const AppPaymentRequest& request,
                               const QDateTime& now) {
    const QString mesaDigitada = request.nrMesa.trimmed();
    if (mesaDigitada.isEmpty() || SoNumerosStr(mesaDigitada) != mesaDigitada ||
        mesaDigitada.size() > 4) {
        throw AppError(QStringLiteral("Mesa \"%1\" inválida: informe o número da mesa, com até "
                                      "4 dígitos.")
                           .arg(request.nrMesa));
    }
    const QString lugar = seatOf(request.nrLugarMesa);
    if (lugar.isEmpty()) {
        throw AppError(QStringLiteral("Lugar \"%1\" inválido: informe T para a mesa inteira ou "
                                      "um lugar de 1 a 99.")
                           .arg(request.nrLugarMesa));
    }
    if (request.valor < 0) {
        throw AppError(QStringLiteral("O valor do pagamento não pode ser negativo."));
    }
    AppPaymentRow row;
    row.cdFilial = request.cdFilial;
    row.nrMesa = Ajusta(mesaDigitada, 4);
    row.nrLugarMesa = lugar;
    row.bandeira = request.bandeira;
    row.quando = now;

    PaymentTransaction t(db);
    {
        QSqlQuery q = run(db, QStringLiteral("app_payment_sale"),
                          {{QStringLiteral("CDFILIAL"), request.cdFilial},
                           {QStringLiteral("CDLOJA"), request.cdLoja},
                           {QStringLiteral("NRMESA"), row.nrMesa}});
        if (!q.next()) {
            throw AppError(QStringLiteral("A mesa %1 não tem venda aberta: não há o que pagar "
                                          "pelo aplicativo.")
                               .arg(row.nrMesa));
        }
        row.nrVendaRest = q.value(0).toString().trimmed();
        row.nrComanda = q.value(1).toString().trimmed();
    }
    {
        QSqlQuery q = run(db, QStringLiteral("app_payment_due"),
                          {{QStringLiteral("CDFILIAL"), request.cdFilial},
                           {QStringLiteral("NRVENDAREST"), row.nrVendaRest},
                           {QStringLiteral("NRLUGARMESA"), lugar}});
        const bool found = q.next();
        if (!found || q.value(0).toLongLong() == 0) {
            throw AppError(
                lugar == QLatin1String("T")
                    ? QStringLiteral("A mesa %1 não tem pedidos: não há o que pagar pelo "
                                     "aplicativo.")
                          .arg(row.nrMesa)
                    : QStringLiteral("O lugar %1 não tem pedidos na mesa %2.")
                          .arg(lugar, row.nrMesa));
        }
        row.valor = request.valor > 0 ? request.valor : Trunc2(q.value(1).toDouble());
    }
    if (!(row.valor > 0)) {
        throw AppError(QStringLiteral("O pagamento da mesa %1 ficaria sem valor: informe o valor.")
                           .arg(row.nrMesa));
    }
    {
        QSqlQuery q = run(db, QStringLiteral("app_payment_last"),
                          {{QStringLiteral("CDFILIAL"), request.cdFilial}});
        const qlonglong last = q.next() ? q.value(0).toString().toLongLong() : 0;
        row.nrSeqMovMob = digits(last + 1, 15);
        row.autorizacao = int((last + 1) % 1000);
    }
    row.cdTipoRece = QStringLiteral("010");
    demo::DemoRows(db).insert(QStringLiteral("MOVCAIXAMOB"), appPaymentColumns(row));
    if (lugar != QLatin1String("T")) {
        run(db, QStringLiteral("app_payment_seat_paid"),
            {{QStringLiteral("CDFILIAL"), request.cdFilial},
             {QStringLiteral("NRVENDAREST"), row.nrVendaRest},
             {QStringLiteral("NRLUGARMESA"), lugar}});
    }
    t.commit();
    return row;
}

AppPaymentRow recordAppPaymentAtTill(const QString& tillFolder, AppPaymentRequest request,
                                     const QDateTime& now) {
    const QString previous = tmk::tillFolder();
    setTillFolder(tillFolder);
    struct Restore {
        QString folder;
        ~Restore() { setTillFolder(folder); }
    } restore{previous};

    const QString parametros = QDir(tillFolder).filePath(QStringLiteral("PARAMETROSKOV.CDS"));
    if (!QFileInfo::exists(parametros)) {
        throw AppError(QStringLiteral("A pasta %1 não é a de um caixa preparado (falta o "
                                      "PARAMETROSKOV.CDS).")
                           .arg(QDir::toNativeSeparators(tillFolder)));
    }
    ClientDataSet cds(QStringLiteral("cdsParametrosKov"));
    cds.loadFromFile(parametros);
    cds.first();
    if (request.cdFilial.isEmpty()) {
        request.cdFilial = cds.fieldByName(QStringLiteral("CDFILIAL")).asString().trimmed();
    }
    if (request.cdLoja.isEmpty()) {
        request.cdLoja = cds.fieldByName(QStringLiteral("CDLOJA")).asString().trimmed();
    }
    // The connection is closed and removed however the recording ends.
    struct Connection {
        QSqlDatabase db;
        ~Connection() {
            db.close();
            db = QSqlDatabase();
            QSqlDatabase::removeDatabase(kConnectionName);
        }
    } connection{
        openConnection(_GetStringConexKov(QString()), kConnectionName, DatabaseFile::MustExist)};
    SetADODBSession(connection.db);
    const AppPaymentRow row = recordAppPayment(connection.db, request, now);
    return row;
}

} // namespace tmk
