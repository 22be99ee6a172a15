#include "suite/sales/suite_sales_service.h"

#include "external/common.h"
#include "platform/client_dataset.h"
#include "platform/errors.h"
#include "platform/service_result.h"
#include "platform/till_folder.h"
#include "suite/common/db_failure.h"
#include "suite/devices/fiscal_amounts.h"
#include "suite/devices/nfce_emitter.h"
#include "suite/sales/account_amounts.h"
#include "suite/sales/approximate_taxes.h"
#include "suite/sales/conclusion_request.h"
#include "suite/sales/sale_identity.h"
#include "suite/sales/sale_nfce.h"
#include "suite/sales/sale_store.h"
#include "suite/sales/sales_log.h"
#include "suite/sales/sales_query.h"
#include "suite/sales/sales_statements.h"
#include "suite/sales/sat_update.h"
#include "suite/sales/table_settlement.h"

#include <QSqlError>
#include <QSqlQuery>

namespace tmk {

SuiteSalesService::SuiteSalesService(QSqlDatabase db, QString cdCaixa)
    : db_(std::move(db))
    , cdCaixa_(std::move(cdCaixa))
    , nfce_(std::make_shared<SimulatedNfceEmitter>()) {
    // The statements of the connection's dialect are checked now, not at their first use.
    if (db_.isValid()) {
        salesStatements().of(db_);
    }
}

SuiteSalesService::~SuiteSalesService() = default;

void SuiteSalesService::setNfceEmitter(std::shared_ptr<NfceEmitter> emitter) {
    nfce_ = std::move(emitter);
}

void SuiteSalesService::setClock(Clock clock) {
    clock_ = std::move(clock);
}

void SuiteSalesService::setFiscalXmlFolder(QString folder) {
    fiscalFolder_ = std::move(folder);
}

QDateTime SuiteSalesService::now() const {
    return clock_ ? clock_() : QDateTime::currentDateTime();
}

QString SuiteSalesService::fiscalXmlFolder(const QString& cdFilial, const QString& cdCaixa) const {
    if (!fiscalFolder_.isEmpty()) {
        return fiscalFolder_;
    }
    return tillPath(QStringLiteral("\\Dados\\XML_NFCe_Sat\\") + cdFilial + QLatin1Char('-') +
                    cdCaixa + QLatin1Char('-') +
                    now().date().toString(QStringLiteral("yyyy-MM-dd"))) +
           QLatin1Char('/');
}

QVariant SuiteSalesService::setConcluiFechamento(const QList<ClientDataSet*>& tables,
                                                 const QVariantList& values,
                                                 QVariantList& retorno) {
    try {
        const ConclusionRequest r = ConclusionRequest::read(tables, values);
        const QString key = conclusionKey(r);
        requireConnection(db_);
        QString nrSeqVenda;
        if (const auto found = findConcludedSale(db_, r.cdFilial, r.cdCaixa, key)) {
            if (found->cdCaixa.trimmed() != r.cdCaixa.trimmed()) {
                throw AppError(QStringLiteral("A venda %1 desta conta já foi gravada pelo caixa "
                                              "%2. Nada foi gravado de novo; conclua o "
                                              "recebimento nesse caixa.")
                                   .arg(found->nrSeqVenda, found->cdCaixa.trimmed()));
            }
            nrSeqVenda = found->nrSeqVenda;
            qCInfo(lcSuiteSales).noquote()
                << "sale" << nrSeqVenda << "of table" << r.nrMesa << "was stored already";
        } else {
            nrSeqVenda = storeConcludedSale(db_, r, key, now());
        }
        if (r.emiteNfce()) {
            if (!nfce_) {
                throw AppError(QStringLiteral("Este caixa não tem emissor de NFC-e."));
            }
            issueSaleNfce(db_, *nfce_, fiscalXmlFolder(r.cdFilial, r.cdCaixa), r.cdFilial,
                          r.cdCaixa, nrSeqVenda, retorno);
        }
        return QVariant(nrSeqVenda);
    } catch (const std::exception& e) {
        qCWarning(lcSuiteSales).noquote() << "sale not concluded:" << exceptionText(e);
        return serviceFailure(ADOExceptionMessage(e, db_, QString()));
    }
}

QVariant SuiteSalesService::getVendaConcluida(const QString& cdFilial, const QString& cdCaixa,
                                              const QString& nrVendaRest,
                                              const QString& listaComandas, ClientDataSet& itens) {
    try {
        const QString key =
            conclusionKey(nrVendaRest.trimmed(), listaComandas.trimmed(), itens.data());
        requireConnection(db_);
        const auto found = findConcludedSale(db_, cdFilial.trimmed(), cdCaixa.trimmed(), key);
        return found ? QStringList{found->nrSeqVenda, found->idStatusNfce, found->cdCaixa.trimmed()}
                     : QStringList();
    } catch (const std::exception& e) {
        return serviceFailure(ADOExceptionMessage(e, db_, QString()));
    }
}

double SuiteSalesService::CalculoIcmsDFederal(ClientDataSet& itens, double /*a2*/,
                                              QVariantList& retorno) {
    const AccountLines lines = accountLines(itens.data());
    requireConnection(db_);
    const ApproximateTaxes t = approximateTaxes(db_, lines.itens);
    retorno = QVariantList{taxText(t.federal), taxText(0), taxText(t.estadual)};
    return fromCents(t.total());
}

QVariant SuiteSalesService::AtualizaVendaSat(const QString& cdFilial, const QString& cdCaixa,
                                             const QString& nrSeqVenda,
                                             const QString& nrNotaFiscalCe, const QString& qrCode,
                                             const QStringList& satAnswer) {
    try {
        recordSatDocument(db_, cdFilial, cdCaixa, nrSeqVenda, nrNotaFiscalCe, qrCode, satAnswer);
        return QVariant();
    } catch (const std::exception& e) {
        return serviceFailure(ADOExceptionMessage(e, db_, QString()));
    }
}

QVariant SuiteSalesService::setLimpaMesaGeral(int modo, const QString& nrVendaRest,
                                              const QString& listaComandas, const QString& nrMesa,
                                              const QString& /*tipo*/, const QString& cdFilial,
                                              const QString& cdLoja, const QString& /*a8*/,
                                              const QString& cdCaixa, const QString& nrSeqVenda,
                                              const QString& /*a11*/, bool /*a12*/) {
    try {
        settleTable(db_,
                    {modo, cdFilial.trimmed(), cdLoja.trimmed(), cdCaixa.trimmed(),
                     nrMesa.trimmed(), nrVendaRest.trimmed(), listaComandas, nrSeqVenda.trimmed()},
                    now());
        return QVariant();
    } catch (const std::exception& e) {
        return serviceFailure(ADOExceptionMessage(e, db_, QString()));
    }
}

QVariant SuiteSalesService::setLimpaMesaComanda(const QString& cdFilial,
                                                const QString& listaComandas,
                                                const QString& /*cdLoja*/,
                                                const QString& nrVendaRest,
                                                const QString& /*nrMesa*/, const QString& /*tipo*/,
                                                const QString& /*flag*/) {
    try {
        settleTabs(db_, cdFilial.trimmed(), listaComandas, nrVendaRest.trimmed(), now());
        return QVariant();
    } catch (const std::exception& e) {
        return serviceFailure(ADOExceptionMessage(e, db_, QString()));
    }
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
