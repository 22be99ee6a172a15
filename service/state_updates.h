#pragma once

#include "service/data_module.h"

#include <QString>
#include <QVariant>

namespace tmk {

// Table, tab and seat-position state updates. Each returns an invalid QVariant on
// success (setUltMesaAber, setStatusMesaSe, setRecebeMesa: a truth value) or a ServiceFailure.
//
// setStatusMesa sets the table and its join group; the bill-request time is stamped ("S")
// or cleared (any other status) on the table's open sale only, so closed sales keep it.

QVariant setStatusMesa(TrdmGerMesa& dm, const QString& cdFilial, const QString& cdLoja,
                       const QString& nrMesa, const QString& status);
// The same change made only while the table still has statusAtual (the table and its join
// group in one statement); a bill request ("S") then stamps the open sale. The result is a
// truth value: true when the table changed, false when it no longer had statusAtual.
QVariant setStatusMesaSe(TrdmGerMesa& dm, const QString& cdFilial, const QString& cdLoja,
                         const QString& nrMesa, const QString& statusAtual, const QString& status);
// Claims a table whose bill was requested for the till cdCaixa: the table and its join group go
// from "S" (or "P", read as "S") to "R" in one conditional update that records the till and
// the time (MESA.CDCAIXARECEB, DTHRRECEB). True when this call changed them, false when the
// table was not in "S" (another till claimed it first, or it is in another state).
QVariant setRecebeMesa(TrdmGerMesa& dm, const QString& cdFilial, const QString& cdLoja,
                       const QString& nrMesa, const QString& cdCaixa);
// Takes up again the claim the till cdCaixa left on a table still "R" (its receipt did not
// end: the till stopped midway); the time of the claim is renewed. True when the table is
// "R" claimed by this till, false otherwise.
QVariant setRetomaMesa(TrdmGerMesa& dm, const QString& cdFilial, const QString& cdLoja,
                       const QString& nrMesa, const QString& cdCaixa);

QVariant setStatusComanda(TrdmGerMesa& dm, const QString& cdFilial, const QString& cdLoja,
                          const QString& nrMesa);
QVariant setNumPesMesa(TrdmGerMesa& dm, const QString& cdFilial, const QString& cdLoja,
                       const QString& nrMesa, double nrPessoas);
QVariant setLiberaMesa(TrdmGerMesa& dm, const QString& cdFilial, const QString& cdLoja,
                       const QString& nrMesa);
// Frees a table whose sale was closed, and the tables of its join group, except every
// table that still has an open sale.
QVariant setLiberaMesaVazia(TrdmGerMesa& dm, const QString& cdFilial, const QString& cdLoja,
                            const QString& nrMesa);
QVariant setStatusPosicao(TrdmGerMesa& dm, const QString& cdFilial, const QString& cdLoja,
                          const QString& nrLugarMesa, const QString& nrMesa, const QString& status);
QVariant setDesbloqueiaPosMesasAPP(TrdmGerMesa& dm, const QString& cdFilial, const QString& cdLoja);
QVariant setLogAcesso(TrdmGerMesa& dm, const QString& cdOperador);
QVariant AlteraVrTxServico(TrdmGerMesa& dm, const QString& cdFilial, const QString& nrVendaRest,
                           const QString& nrComanda, double vrTxServico);
QVariant setUltMesaAber(TrdmGerMesa& dm, const QString& cdFilial, const QString& cdLoja,
                        const QString& nrMesa);

} // namespace tmk
