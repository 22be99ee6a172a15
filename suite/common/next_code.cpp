#include "external/common.h"
#include "platform/database_error.h"
#include "suite/common/common_log.h"
#include "suite/common/common_resources.h"
#include "suite/common/db_failure.h"

#include <QSqlError>
#include <QSqlQuery>

namespace tmk {

namespace {

constexpr int counterKeyWidth = 60; // NOVOCODIGO.CDCONTADOR
const QString statementName() {
    return QStringLiteral("prx_codigo");
}

// Advances the counter by the increment in one statement (insert or increment, and
// return the new value), from the floor when the counter stands below it, so two tills
// asking at once never get the same number.
qlonglong nextValue(QSqlDatabase& db, const QString& counter, int increment, qlonglong floor = 0) {
    if (counter.size() > counterKeyWidth) {
        throw AppError(
            QStringLiteral("Chave de contador longa demais (%1 caracteres, máximo %2): %3")
                .arg(counter.size())
                .arg(counterKeyWidth)
                .arg(counter));
    }
    if (increment < 1) {
        throw AppError(QStringLiteral("Incremento inválido para o contador %1: %2.")
                           .arg(counter)
                           .arg(increment));
    }
    if (floor < 0) {
        throw AppError(
            QStringLiteral("Piso inválido para o contador %1: %2.").arg(counter).arg(floor));
    }
    const QString failure =
        QStringLiteral("Não foi possível obter o próximo número do contador %1.").arg(counter);
    if (!db.isValid() || !db.isOpen()) {
        throw DatabaseError(QStringLiteral("Sem conexão com o banco de dados."), statementName(),
                            QString(), true);
    }
    const QString text = commonStatements().of(db).text(statementName());
    QSqlQuery q(db);
    if (!q.prepare(text)) {
        throwDatabaseError(failure, statementName(), db, q.lastError());
    }
    q.bindValue(QStringLiteral(":P_CDCONTADOR"), counter);
    q.bindValue(QStringLiteral(":P_INCREMENTO"), increment);
    q.bindValue(QStringLiteral(":P_PISO"), floor);
    const bool outValue = text.contains(QLatin1String(":P_NRSEQUENCIAL"));
    if (outValue) {
        q.bindValue(QStringLiteral(":P_NRSEQUENCIAL"), QVariant(QMetaType::fromType<qlonglong>()),
                    QSql::Out);
    }
    if (!q.exec()) {
        throwDatabaseError(failure, statementName(), db, q.lastError());
    }
    QVariant value;
    if (outValue) {
        value = q.boundValue(QStringLiteral(":P_NRSEQUENCIAL"));
    } else if (q.next()) {
        value = q.value(0);
    }
    q.finish();
    bool ok = false;
    const qlonglong n = value.toLongLong(&ok);
    if (!ok) {
        throw DatabaseError(failure, statementName(),
                            QStringLiteral("o banco de dados não devolveu o novo número"));
    }
    qCDebug(lcSuiteCommon) << "counter" << counter << "advanced to" << n;
    return n;
}

} // namespace

TdtmKovProxCodigo::TdtmKovProxCodigo(QSqlDatabase db)
    : db_(std::move(db)) {}

QString TdtmKovProxCodigo::PrxVendaDia(const QString& cdFilial, const QDateTime& data) {
    if (!data.isValid()) {
        throw AppError(
            QStringLiteral("Data inválida para a senha do pedido da filial %1.").arg(cdFilial));
    }
    const QString counter =
        QStringLiteral("VENDADIA") + cdFilial + data.date().toString(QStringLiteral("dd/MM/yyyy"));
    return QString::number(nextValue(db_, counter, 1));
}

// The origin names who asks (the service passes "SRV"); it does not change the number.
QString TdtmKovProxCodigo::PrxPedidoVenda(const QString& cdFilial, const QString& cdCaixa,
                                          int incremento, const QString& origem) {
    const QString counter = QStringLiteral("PEDIDOVENDA") + cdFilial + cdCaixa;
    const qlonglong n = nextValue(db_, counter, incremento);
    qCDebug(lcSuiteCommon) << "sale sequence" << n << "requested by" << origem;
    return Ajusta(QString::number(n), 10);
}

qlonglong TdtmKovProxCodigo::PrxCodigo(const QString& contador, qlonglong acimaDe) {
    return nextValue(db_, contador, 1, acimaDe);
}

} // namespace tmk
