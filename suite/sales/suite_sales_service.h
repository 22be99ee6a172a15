#pragma once

#include "external/sales.h"

#include <QSqlDatabase>
#include <functional>
#include <memory>

namespace tmk {

class NfceEmitter;

// The shared sales service library on the restaurant database, for one till. Results
// that are service results hold a ServiceFailure with a Portuguese message on failure.
class SuiteSalesService : public SalesService {
public:
    using Clock = std::function<QDateTime()>;

    // db: a connection to the restaurant database (reopened once when found closed);
    // cdCaixa: this till (CDCAIXA). The NFC-e emitter is the simulated one until another
    // is set.
    SuiteSalesService(QSqlDatabase db, QString cdCaixa);
    ~SuiteSalesService() override;

    void setNfceEmitter(std::shared_ptr<NfceEmitter> emitter);
    // "Now" for the dates the service writes (the machine's clock by default).
    void setClock(Clock clock);
    // The fiscal XML folder the NFC-e is written to. By default the till's folder of the
    // day, "\Dados\XML_NFCe_Sat\<branch>-<till>-<yyyy-MM-dd>\" under the till folder.
    void setFiscalXmlFolder(QString folder);
    QString fiscalXmlFolder(const QString& cdFilial, const QString& cdCaixa) const;

    // Stores the sale of the coupon (sale_store.h) and, for an NFC-e till (value 39 "N"
    // and value 46 not "S"), issues its NFC-e after the sale is committed (sale_nfce.h),
    // leaving key, QR text and status in retorno elements 1 to 3 (retorno grows to ten
    // elements). Returns NRSEQVENDA as text.
    //
    // Concluding the same account again on the same till (same restaurant sale, tab
    // list and item set: sale_identity.h) writes nothing and hands back the sale stored
    // the first time, with the same document. A failure (bad input, payments that do not
    // add up to the total, the database refusing or gone, a rejected NFC-e) is a
    // ServiceFailure; the sale is then either not stored at all or cancelled.
    QVariant setConcluiFechamento(const QList<ClientDataSet*>& tables, const QVariantList& values,
                                  QVariantList& retorno) override;
    // The sale this till stored for the coupon, if any (sale_identity.h): {NRSEQVENDA,
    // IDSTATUSNFCE}, or an empty list. Service result.
    QVariant getVendaConcluida(const QString& cdFilial, const QString& cdCaixa,
                               const QString& nrVendaRest, const QString& listaComandas,
                               ClientDataSet& itens) override;
    // The approximate taxes of the coupon's items (approximate_taxes.h): retorno becomes
    // three texts with two decimals and a point ("12.34"): federal, "0.00" (no municipal
    // share), state. Returns their sum. AppError for an account that cannot be valued,
    // DatabaseError when the rates cannot be read.
    double CalculoIcmsDFederal(ClientDataSet& itens, double a2, QVariantList& retorno) override;
    // Records the CF-e the SAT accepted on the sale (sat_update.h). Service result.
    QVariant AtualizaVendaSat(const QString& cdFilial, const QString& cdCaixa,
                              const QString& nrSeqVenda, const QString& nrNotaFiscalCe,
                              const QString& qrCode, const QStringList& satAnswer) override;
    // Settles the table after a concluded coupon (table_settlement.h): mode 0 closes the
    // sale and frees the table and its join group; mode 2 settles this coupon's items
    // and leaves the table being received. a8, a11 and a12 are not used. Service result.
    QVariant setLimpaMesaGeral(int modo, const QString& nrVendaRest, const QString& listaComandas,
                               const QString& nrMesa, const QString& tipo, const QString& cdFilial,
                               const QString& cdLoja, const QString& a8, const QString& cdCaixa,
                               const QString& nrSeqVenda, const QString& a11, bool a12) override;
    // Closes the listed tabs and the restaurant sale when the app payments emptied it
    // (table_settlement.h); the table's state is the caller's. Service result.
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
    QDateTime now() const;

    QSqlDatabase db_;
    QString cdCaixa_;
    std::shared_ptr<NfceEmitter> nfce_;
    Clock clock_;
    QString fiscalFolder_;
};

} // namespace tmk
