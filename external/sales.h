#pragma once

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVariantList>

namespace tmk {

class ClientDataSet;

// The shared sales service library: sale conclusion and table settlement shared by
// every sales screen. Results that are service results follow the data-service
// convention (a ServiceFailure value on failure).
class SalesService {
public:
    virtual ~SalesService() = default;

    // 13 tables and 47 values; returns the new NRSEQVENDA. For NFC-e retorno
    // elements 1 to 3 hold access key, QR text and authorisation status.
    virtual QVariant setConcluiFechamento(const QList<ClientDataSet*>& tables,
                                          const QVariantList& values, QVariantList& retorno) = 0;
    // The sale already concluded from this coupon (the same restaurant sale, tab list and
    // items) by this till, so the one setConcluiFechamento would hand back, else by another
    // till of the branch: a QStringList {NRSEQVENDA, IDSTATUSNFCE, CDCAIXA}, empty when
    // there is none. Service result.
    virtual QVariant getVendaConcluida(const QString& cdFilial, const QString& cdCaixa,
                                       const QString& nrVendaRest, const QString& listaComandas,
                                       ClientDataSet& itens) = 0;
    // retorno 0..2: elements 0 and 2 = approximate federal and state tax totals as text.
    virtual double CalculoIcmsDFederal(ClientDataSet& itens, double a2, QVariantList& retorno) = 0;
    virtual QVariant AtualizaVendaSat(const QString& cdFilial, const QString& cdCaixa,
                                      const QString& nrSeqVenda, const QString& nrNotaFiscalCe,
                                      const QString& qrCode, const QStringList& satAnswer) = 0;
    virtual QVariant setLimpaMesaGeral(int modo, const QString& nrVendaRest,
                                       const QString& listaComandas, const QString& nrMesa,
                                       const QString& tipo, const QString& cdFilial,
                                       const QString& cdLoja, const QString& a8,
                                       const QString& cdCaixa, const QString& nrSeqVenda,
                                       const QString& a11, bool a12) = 0;
    virtual QVariant setLimpaMesaComanda(const QString& cdFilial, const QString& listaComandas,
                                         const QString& cdLoja, const QString& nrVendaRest,
                                         const QString& nrMesa, const QString& tipo,
                                         const QString& flag) = 0;
    // "average-count", for the till's concluded sales since the cash opening.
    virtual QString CalcTicketMedio(const QString& cdFilial, const QString& cdLoja,
                                    const QDateTime& dtAberCaixa) = 0;
};

} // namespace tmk
