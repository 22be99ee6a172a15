#pragma once

#include <QSqlDatabase>
#include <QString>
#include <QVariantList>

namespace tmk {

class NfceEmitter;

// The NFC-e of a concluded sale, once its rows are committed. A sale whose document was
// issued already (IDSTATUSNFCE 'A' or 'C') gives it back as stored, never a second one.
// A sale whose emission was begun and not recorded ('P') first looks in the fiscal XML
// folder for a document of the sale (branch, till and sale it names) and records that
// one. Otherwise the emitter issues it from the stored sale; its key, QR text and
// protocol are recorded on the sale ('A' authorised, 'C' contingency).
//
// Either way key, QR text and status ("CONTIGENCIA_SP" in contingency, the protocol
// when authorised) go into retorno elements 1 to 3.
//
// A rejected document, or one the emitter could not issue (bad sale, fiscal folder
// that cannot be written), cancels the sale (IDSITUVENDA 'C', IDSTATUSNFCE 'R' when
// rejected) and throws AppError saying so, so no concluded sale is left without its
// document.
void issueSaleNfce(QSqlDatabase& db, NfceEmitter& emitter, const QString& dirXmlFiscal,
                   const QString& cdFilial, const QString& cdCaixa, const QString& nrSeqVenda,
                   QVariantList& retorno);

} // namespace tmk
