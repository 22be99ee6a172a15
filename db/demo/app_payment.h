#pragma once

#include <QDateTime>
#include <QSqlDatabase>
#include <QString>
#include <QVariantMap>

namespace tmk {

// A payment made through the mobile app, as the app records it: a confirmed MOVCAIXAMOB
// row (IDSTMOV "1") not yet taken into a fiscal sale, of a whole table ("T") or of one
// seat position.
struct AppPaymentRow {
    QString cdFilial;
    QString nrSeqMovMob;
    QString nrVendaRest;
    QString nrMesa;
    QString nrComanda;
    QString nrLugarMesa; // "T" or the seat, two digits
    double valor = 0;
    bool comTaxaServico = false;
    QDateTime quando;
    QString cdTipoRece;
    QString bandeira;
    int autorizacao = 1; // makes the NSU, authorisation and card numbers of the row
};

// The columns of the row, by name.
QVariantMap appPaymentColumns(const AppPaymentRow& row);

// What a payment is asked for: table "0012" (any number is taken as Ajusta(value, 4)),
// seat "T" (the whole table) or "1" to "99"; amount 0 means what is due (the items of the
// table or of the seat).
struct AppPaymentRequest {
    QString cdFilial;
    QString cdLoja;
    QString nrMesa;
    QString nrLugarMesa = QStringLiteral("T");
    double valor = 0;
    QString bandeira = QStringLiteral("VISA");
};

// Records a payment on a database of the schema, in one transaction: the row, and for a
// seat its items marked paid (IDSTLUGARMESA "P"), as the app does. Returns the row
// written. AppError in Portuguese and nothing written when the table has no open sale,
// the seat has no item, the amount is not positive or the position is not valid.
AppPaymentRow recordAppPayment(QSqlDatabase& db, const AppPaymentRequest& request,
                               const QDateTime& now);

// The same on the database of the till folder (the connection of its "Conexao.ini", by
// default "tmk.db"), for the branch and store of its "PARAMETROSKOV.CDS".
AppPaymentRow recordAppPaymentAtTill(const QString& tillFolder, AppPaymentRequest request,
                                     const QDateTime& now);

// "12:3" -> table "12", seat "3"; "12" -> seat "T". Empty table for an empty text.
AppPaymentRequest parseAppPaymentTarget(const QString& text);

} // namespace tmk
