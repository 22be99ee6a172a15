#pragma once

#include "external/sales.h"

#include <QSqlDatabase>

namespace tmk {

// The shared sales service library on the restaurant database, for one till.
//
// Only CalcTicketMedio works so far; setConcluiFechamento, CalculoIcmsDFederal,
// AtualizaVendaSat, setLimpaMesaGeral and setLimpaMesaComanda throw AppError saying
// they are not available yet.
class SuiteSalesService : public SalesService {
public:
    // db: an open connection to the restaurant database; cdCaixa: this till (CDCAIXA).
    SuiteSalesService(QSqlDatabase db, QString cdCaixa);

    QVariant setConcluiFechamento(const QList<ClientDataSet*>& tables, const QVariantList& values,
                                  QVariantList& retorno) override;
    double CalculoIcmsDFederal(ClientDataSet& itens, double a2, QVariantList& retorno) override;
    QVariant AtualizaVendaSat(const QString& cdFilial, const QString& cdCaixa,
                              const QString& nrSeqVenda, const QString& nrNotaFiscalCe,
                              const QString& qrCode, const QStringList& satAnswer) override;
    QVariant setLimpaMesaGeral(int modo, const QString& nrVendaRest, const QString& listaComandas,
                               const QString& nrMesa, const QString& tipo, const QString& cdFilial,
                               const QString& cdLoja, const QString& a8, const QString& cdCaixa,
                               const QString& nrSeqVenda, const QString& a11, bool a12) override;
    QVariant setLimpaMesaComanda(const QString& cdFilial, const QString& listaComandas,
                                 const QString& cdLoja, const QString& nrVendaRest,
                                 const QString& nrMesa, const QString& tipo,
                                 const QString& flag) override;

    // The till's concluded sales (VENDA.IDSITUVENDA 'O') of the branch and store dated
    // at or after the cash opening: "average-count" with '.' as decimal point, no
    // thousands separator, the average rounded to cents ("35.5-12"); "0-0" when there
    // is none, and also when no cash opening is given (invalid date-time). A database
    // failure throws DatabaseError.
    QString CalcTicketMedio(const QString& cdFilial, const QString& cdLoja,
                            const QDateTime& dtAberCaixa) override;

    // The text of CalcTicketMedio for a count and a total.
    static QString ticketMedioText(qlonglong count, double total);

private:
    QSqlDatabase db_;
    QString cdCaixa_;
};

} // namespace tmk
