#include "suite/sales/suite_sales_service.h"

#include "external/common.h"
#include "platform/errors.h"
#include "suite/common/db_failure.h"
#include "suite/sales/sales_statements.h"

#include <QSqlError>
#include <QSqlQuery>

namespace tmk {

namespace {

[[noreturn]] void notAvailable(const char* function) {
    throw AppError(QStringLiteral("Função %1 ainda não disponível neste caixa.")
                       .arg(QString::fromLatin1(function)));
}

} // namespace

SuiteSalesService::SuiteSalesService(QSqlDatabase db, QString cdCaixa)
    : db_(std::move(db))
    , cdCaixa_(std::move(cdCaixa)) {
    // The statements of the connection's dialect are checked now, not at their first use.
    if (db_.isValid()) {
        salesStatements().of(db_);
    }
}

QVariant SuiteSalesService::setConcluiFechamento(const QList<ClientDataSet*>& /*tables*/,
                                                 const QVariantList& /*values*/,
                                                 QVariantList& /*retorno*/) {
    notAvailable("setConcluiFechamento");
}

double SuiteSalesService::CalculoIcmsDFederal(ClientDataSet& /*itens*/, double /*a2*/,
                                              QVariantList& /*retorno*/) {
    notAvailable("CalculoIcmsDFederal");
}

QVariant SuiteSalesService::AtualizaVendaSat(const QString& /*cdFilial*/,
                                             const QString& /*cdCaixa*/,
                                             const QString& /*nrSeqVenda*/,
                                             const QString& /*nrNotaFiscalCe*/,
                                             const QString& /*qrCode*/,
                                             const QStringList& /*satAnswer*/) {
    notAvailable("AtualizaVendaSat");
}

QVariant SuiteSalesService::setLimpaMesaGeral(
    int /*modo*/, const QString& /*nrVendaRest*/, const QString& /*listaComandas*/,
    const QString& /*nrMesa*/, const QString& /*tipo*/, const QString& /*cdFilial*/,
    const QString& /*cdLoja*/, const QString& /*a8*/, const QString& /*cdCaixa*/,
    const QString& /*nrSeqVenda*/, const QString& /*a11*/, bool /*a12*/) {
    notAvailable("setLimpaMesaGeral");
}

QVariant SuiteSalesService::setLimpaMesaComanda(const QString& /*cdFilial*/,
                                                const QString& /*listaComandas*/,
                                                const QString& /*cdLoja*/,
                                                const QString& /*nrVendaRest*/,
                                                const QString& /*nrMesa*/, const QString& /*tipo*/,
                                                const QString& /*flag*/) {
    notAvailable("setLimpaMesaComanda");
}

QString SuiteSalesService::ticketMedioText(qlonglong count, double total) {
    if (count <= 0) {
        return QStringLiteral("0-0");
    }
    // Shortest decimal text of the rounded average; 'g' with 15 digits never turns to
    // an exponent for amounts a till takes.
    const double average = RoundDec(total / double(count), 2);
    return QString::number(average, 'g', 15) + QLatin1Char('-') + QString::number(count);
}

QString SuiteSalesService::CalcTicketMedio(const QString& cdFilial, const QString& cdLoja,
                                           const QDateTime& dtAberCaixa) {
    if (!dtAberCaixa.isValid()) {
        return ticketMedioText(0, 0.0);
    }
    const StatementSet& statements = salesStatements().of(db_);
    const QString name = QStringLiteral("ticket_medio");
    QSqlQuery q(db_);
    q.setForwardOnly(true);
    if (!q.prepare(statements.text(name))) {
        throwDatabaseError(QStringLiteral("Não foi possível calcular o ticket médio do caixa."),
                           name, db_, q.lastError());
    }
    q.bindValue(QStringLiteral(":P_CDFILIAL"), cdFilial);
    q.bindValue(QStringLiteral(":P_CDLOJA"), cdLoja);
    q.bindValue(QStringLiteral(":P_CDCAIXA"), cdCaixa_);
    q.bindValue(QStringLiteral(":P_DTABERCAIXA"), statements.dialect().dateTimeValue(dtAberCaixa));
    if (!q.exec() || !q.next()) {
        throwDatabaseError(QStringLiteral("Não foi possível calcular o ticket médio do caixa."),
                           name, db_, q.lastError());
    }
    const qlonglong count = q.value(0).toLongLong();
    const double total = q.value(1).toDouble();
    q.finish();
    return ticketMedioText(count, total);
}

} // namespace tmk
