#pragma once

#include "service/data_module.h"

#include <QString>
#include <QVariant>

namespace tmk {

// Account item lists and receipt reads: what the receipt flow needs to turn the tabs
// of a table into a fiscal sale. A tab list holds several tab numbers in one text
// ("_0001_0002_"). Each operation returns a data packet or a text in its QVariant,
// or a ServiceFailure, unless its comment says otherwise.

// The live items of the listed tabs, priced. Deletes the time records of the sale's
// cancelled items first (committed on its own). An empty nature lists every nature.
QVariant getListaComanda(TrdmGerMesa& dm, const QString& cdFilial, const QString& nrComanda,
                         const QString& cdNatProduto, const QString& nrConfTela);
// The cancelled items of the listed tabs.
QVariant getListaComandaCanc(TrdmGerMesa& dm, const QString& cdFilial, const QString& nrComanda,
                             const QString& cdNatProduto, const QString& nrConfTela);
// The component items of the listed tabs, and those of the grouped tabs under the
// item they were moved to.
QVariant GetItComandaEst(TrdmGerMesa& dm, const QString& cdFilial, const QString& nrComanda,
                         const QString& nrComandaAgrup);
QVariant getObsItens(TrdmGerMesa& dm, const QString& cdFilial, const QString& nrComanda);
QVariant getObsItensEst(TrdmGerMesa& dm, const QString& cdFilial, const QString& nrComanda);
QVariant getItensDesistencia(TrdmGerMesa& dm, const QString& cdFilial, const QString& cdCaixa,
                             const QString& nrVendaRest);
QVariant getPromoComanda(TrdmGerMesa& dm, const QString& cdFilial, const QString& nrComanda);
QVariant getBrinde(TrdmGerMesa& dm, const QString& cdFilial, const QString& nrComanda);
QVariant getExtConsFid(TrdmGerMesa& dm, const QString& cdFilial, const QString& nrComanda);
// Cancelled items whose button has no nature: every column of the joined tables; a
// column name that repeats carries a suffix from the second time on (CDFILIAL_1).
QVariant getVerifAlimentosCanc(TrdmGerMesa& dm, const QString& cdFilial, const QString& nrComanda,
                               const QString& cdLoja);
// "S" when the fiscal sale exists in the till, "N" otherwise.
QVariant getVerificaVenda(TrdmGerMesa& dm, const QString& cdFilial, const QString& cdCaixa,
                          const QString& nrSeqVenda);

// Single fields, as text (empty when there is no row).
QVariant GetOrigemVenda(TrdmGerMesa& dm, const QString& cdFilial, const QString& nrVendaRest,
                        const QString& nrComanda);
QVariant GetCpfCons(TrdmGerMesa& dm, const QString& cdCliente, const QString& cdConsumidor);
QVariant GetImpCpfCupom(TrdmGerMesa& dm, const QString& cdCliente, const QString& cdConsumidor);
// The cost centre of an active consumer. A failure passes to the caller as an exception.
QString getCentroCusto(TrdmGerMesa& dm, const QString& cdCliente, const QString& cdConsumidor);
// The consumer's e-mail address; an empty text on any failure, reported nowhere.
QVariant getEmailCons(TrdmGerMesa& dm, const QString& cdCliente, const QString& cdConsumidor);

} // namespace tmk
