#include "host/order/pad_writer.h"

#include "host/order/order_statements.h"
#include "host/order/order_transaction.h"
#include "platform/database_error.h"
#include "platform/errors.h"
#include "suite/common/db_failure.h"
#include "suite/common/statement_run.h"

#include <QSqlQuery>

namespace tmk {

namespace {

const QString kFalha = QStringLiteral("Não foi possível enviar os itens para a comanda.");

QVariantMap padBinds(const PadKeys& pad) {
    return {{QStringLiteral(":P_CDFILIAL"), pad.cdFilial},
            {QStringLiteral(":P_NRVENDAREST"), pad.nrVendaRest},
            {QStringLiteral(":P_NRCOMANDA"), pad.nrComanda}};
}

QString text(const QSqlQuery& q, const char* column) {
    const QVariant v = q.value(QString::fromLatin1(column));
    return v.isNull() ? QString() : v.toString().trimmed();
}

// Refuses a pad whose sale was closed, whose pad was closed or whose table is being
// received or had its bill requested meanwhile.
void checkOpen(QSqlDatabase& db, const PadKeys& pad) {
    QVariantMap binds = padBinds(pad);
    binds.insert(QStringLiteral(":P_CDVENDEDOR"), QString());
    QSqlQuery q =
        runLibraryStatement(orderStatements(), db, QStringLiteral("comanda_dados"), binds, kFalha);
    if (!q.next()) {
        throw AppError(QStringLiteral("A comanda %1 não existe mais; os itens não foram enviados.")
                           .arg(pad.nrComanda));
    }
    const QString mesa = text(q, "NRMESA");
    const QString estado = text(q, "IDSTMESAAUX");
    if (!q.value(QStringLiteral("DTHRFECHMESA")).isNull() ||
        text(q, "IDSTCOMANDA") == QLatin1String("4")) {
        throw AppError(
            QStringLiteral("A venda da mesa %1 já foi encerrada; os itens não foram enviados.")
                .arg(mesa));
    }
    if (estado == QLatin1String("S") || estado == QLatin1String("P") ||
        estado == QLatin1String("R")) {
        throw AppError(QStringLiteral("A conta da mesa %1 já foi solicitada; os itens não foram "
                                      "enviados.")
                           .arg(mesa));
    }
}

qlonglong highestItemNumber(QSqlDatabase& db, const PadKeys& pad) {
    QSqlQuery q = runLibraryStatement(orderStatements(), db, QStringLiteral("comanda_numeros"),
                                      padBinds(pad), kFalha);
    qlonglong highest = 0;
    while (q.next()) {
        bool ok = false;
        const qlonglong n = q.value(0).toString().trimmed().toLongLong(&ok);
        if (ok && n > highest) {
            highest = n;
        }
    }
    return highest;
}

QStringList writeLines(QSqlDatabase& db, const PadKeys& pad, const QList<OrderLine>& lines,
                       const QString& cdVendedor, const QDateTime& when) {
    OrderTransaction transaction(db, kFalha);
    QSqlQuery claim = runLibraryStatement(orderStatements(), db, QStringLiteral("comanda_trava"),
                                          padBinds(pad), kFalha);
    if (claim.numRowsAffected() < 1) {
        throw AppError(QStringLiteral("A comanda %1 não existe mais; os itens não foram enviados.")
                           .arg(pad.nrComanda));
    }
    checkOpen(db, pad);
    qlonglong next = highestItemNumber(db, pad);
    QStringList numbers;
    for (const OrderLine& line : lines) {
        const QString number =
            QStringLiteral("%1").arg(++next, kItemNumberDigits, 10, QLatin1Char('0'));
        QVariantMap binds = padBinds(pad);
        binds.insert(QStringLiteral(":P_NRPRODCOMVEN"), number);
        binds.insert(QStringLiteral(":P_CDLOJA"), pad.cdLoja);
        binds.insert(QStringLiteral(":P_CDPRODUTO"), line.cdProduto);
        binds.insert(QStringLiteral(":P_QTPRODCOMVEN"), double(line.quantity));
        binds.insert(QStringLiteral(":P_VRPRECCOMVEN"), line.price);
        binds.insert(QStringLiteral(":P_NRLUGARMESA"),
                     QStringLiteral("%1").arg(line.position, 2, 10, QLatin1Char('0')));
        binds.insert(QStringLiteral(":P_DTHRINCOMVEN"), when);
        binds.insert(QStringLiteral(":P_CDVENDEDOR"),
                     cdVendedor.isEmpty() ? QVariant() : QVariant(cdVendedor));
        binds.insert(QStringLiteral(":P_TXPRODCOMVEN"),
                     line.observation.isEmpty() ? QVariant() : QVariant(line.observation));
        runLibraryStatement(orderStatements(), db, QStringLiteral("comanda_inclui_item"), binds,
                            kFalha);
        numbers << number;
    }
    transaction.commit();
    return numbers;
}

} // namespace

QStringList writeToPad(QSqlDatabase& db, const PadKeys& pad, const QList<OrderLine>& lines,
                       const QString& cdVendedor, const QDateTime& when) {
    try {
        return writeLines(db, pad, lines, cdVendedor, when);
    } catch (const DatabaseError& e) {
        // The next attempt opens the connection again.
        if (e.connectionLost()) {
            db.close();
        }
        throw;
    }
}

} // namespace tmk
