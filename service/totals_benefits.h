#pragma once

#include "service/data_module.h"

#include <QDateTime>
#include <QString>
#include <QVariant>

namespace tmk {

// Sale totals, consumer benefits and loyalty, consumer balances, mobile-app payments
// and the day's order passwords. Unless a line says otherwise each returns its packet,
// text or truth value in the QVariant, an invalid QVariant for a status, or a
// ServiceFailure.

// Recomputes VRTOTVENDA of a fiscal sale from its live and cancelled items (each
// product truncated to two decimals), writes it and returns it. A failure throws.
double CalcVrTotVenda(TrdmGerMesa& dm, const QString& cdFilial, const QString& cdCaixa,
                      const QString& nrSeqVenda);

// Moves the benefits recorded under the restaurant sale (branch followed by characters
// 5 to 11 of nrVendaRest) onto the fiscal sale and till, then points each one at its
// fiscal item. The move is committed on its own before the item references are set.
QVariant setVendaBeneficio(TrdmGerMesa& dm, const QString& nrSeqVenda, const QString& cdFilial,
                           const QString& cdCaixa, const QString& nrVendaRest);

// True when the consumer has earned no loyalty benefit; false also on any failure.
QVariant getCadBeneficio(TrdmGerMesa& dm, const QString& cdCliente, const QString& cdConsumidor);

QVariant getProdPromoFidelidade(TrdmGerMesa& dm, const QString& cdFilial, const QString& cdProduto);
// The same statement and packet as getProdPromoFidelidade.
QVariant getCamposPromoFidelidade(TrdmGerMesa& dm, const QString& cdFilial,
                                  const QString& cdProduto);
// The benefits a campaign product earns; the second QTBENEFICIOCAMP is QTBENEFICIOCAMP2.
QVariant getMovFidelidade(TrdmGerMesa& dm, const QString& cdFilial, const QString& nrSeqProdCamp,
                          const QString& cdProduto);
QVariant setMovFidelidade(TrdmGerMesa& dm, const QString& naoUsado, const QString& cdCampanha,
                          const QString& nrSeqProdCamp, const QString& nrSeqBeneficio,
                          const QString& cdCliente, const QString& cdConsumidor,
                          const QString& idTpDesBeneCons, const QDateTime& dtIniValBeneCons,
                          const QDateTime& dtFimValBeneCons, double vrDesBeneCons,
                          int qtdeBeneficio);

// Limits of the consumer and what the consumer spent in the branch's concluded sales on
// the sale date (VALCONSUMDIA) and from the first day of the month to it (VALCONSUMMES).
// Only the dates of the two arguments count. An item without a surcharge or discount
// counts with 0 for it.
QVariant getVrSaldConsumi(TrdmGerMesa& dm, const QString& cdFilial, const QString& cdCliente,
                          const QString& cdConsumidor, const QDateTime& dtIniMes,
                          const QDateTime& dtVenda);
QVariant getSaldoCred(TrdmGerMesa& dm, const QString& cdCliente, const QString& cdConsumidor,
                      const QString& cdFamiliSald);

// Pending whole-table app payments ('T' or '00') of the listed tabs.
QVariant getMovCaixaMob(TrdmGerMesa& dm, const QString& cdFilial, const QString& nrComanda);
// Ties the listed tabs' pending whole-table app payments ('T' or '00') to the fiscal
// sale; a payment already in a sale keeps it.
QVariant setMovCaixaMob(TrdmGerMesa& dm, const QString& cdFilial, const QString& nrComanda,
                        const QString& cdCaixa, const QString& nrSeqVenda);

// The next order password of the branch and day, as text. A failure throws.
QVariant getSenhaCupom(TrdmGerMesa& dm, const QString& cdFilial, const QDateTime& data);
// Deletes the day's password counter (data as "dd/mm/yyyy"), so the sequence restarts.
QVariant ReiniciaSenhaCupom(TrdmGerMesa& dm, const QString& cdFilial, const QString& data);
// The highest order password already given to the tab (empty when none).
QVariant GetRecupSenha(TrdmGerMesa& dm, const QString& cdFilial, const QString& nrVendaRest,
                       const QString& nrComanda);
// The order password of the most recent item of the sale that owns the listed tabs.
QVariant GetSenhaCup(TrdmGerMesa& dm, const QString& cdFilial, const QString& nrComanda);

} // namespace tmk
