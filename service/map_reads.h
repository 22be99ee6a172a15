#pragma once

#include "service/data_module.h"

#include <QString>
#include <QVariant>

namespace tmk {

// Read operations of the table map and tabs. Each returns a data packet, a text or a
// truth value in its QVariant, or a ServiceFailure.

QVariant getStatusMesa(TrdmGerMesa& dm, const QString& cdFilial, const QString& cdLoja,
                       const QString& nrConfTela);
// The claim of a table being received: CDCAIXARECEB and DTHRRECEB (no row for an unknown
// table).
QVariant getRecebimentoMesa(TrdmGerMesa& dm, const QString& cdFilial, const QString& cdLoja,
                            const QString& nrMesa);
QVariant getConfigMesa(TrdmGerMesa& dm, const QString& cdFilial, const QString& nrConfTela);
QVariant getAmbientes(TrdmGerMesa& dm, const QString& cdFilial, const QString& nrConfTela);
QVariant getReserva(TrdmGerMesa& dm, const QString& cdFilial, const QString& cdLoja);
QVariant getUltimaVenda(TrdmGerMesa& dm, const QString& cdFilial, const QString& cdLoja,
                        const QString& nrMesa);
QVariant getRetornaInfoMesa(TrdmGerMesa& dm, const QString& cdFilial, const QString& cdLoja,
                            const QString& nrMesa);
QVariant getRetMesa(TrdmGerMesa& dm, const QString& cdFilial, const QString& cdLoja,
                    const QString& nrMesa);
QVariant getComandaInd(TrdmGerMesa& dm, const QString& nrMesa, const QString& cdFilial,
                       const QString& cdLoja);
QVariant getBuscaComandas(TrdmGerMesa& dm, const QString& cdFilial, const QString& cdLoja,
                          const QString& nrMesa);
QVariant getMesaJuncao(TrdmGerMesa& dm, const QString& cdFilial, const QString& cdLoja,
                       const QString& nrMesa);
// Page-wide companions of getUltimaVenda and getMesaJuncao, so the map is drawn in a
// fixed number of round trips: every open sale of the store (NRMESA, DTHRABERMESA and
// DTULTIMAVENDA, the time of its last order), and every table of the store that belongs
// to a join group (NRMESA).
QVariant getUltimaVendaMesas(TrdmGerMesa& dm, const QString& cdFilial, const QString& cdLoja);
QVariant getMesasJuncaoLoja(TrdmGerMesa& dm, const QString& cdFilial, const QString& cdLoja);
QVariant getStatusPosicoes(TrdmGerMesa& dm, const QString& cdFilial, const QString& cdLoja,
                           const QString& nrMesa);
// The highest seat position ordered on the table's open sale in the store (a text, empty
// when none).
QVariant getMaiorPosicao(TrdmGerMesa& dm, const QString& cdFilial, const QString& nrMesa,
                         const QString& cdLoja);
QVariant getNrPesMesa(TrdmGerMesa& dm, const QString& cdFilial);
QVariant getBuscaMesaDlv(TrdmGerMesa& dm, const QString& cdFilial, const QString& cdLoja,
                         const QString& nrMesa);
QVariant getBuscaMesaCmd(TrdmGerMesa& dm, const QString& cdFilial, const QString& cdLoja,
                         const QString& nrMesa);
// These two let a failure pass as an exception.
bool getVerifMesaVazia(TrdmGerMesa& dm, const QString& cdFilial, const QString& cdLoja,
                       const QString& nrVendaRest);
bool verificaIDSTLUGARMESA(TrdmGerMesa& dm, const QString& cdFilial, const QString& nrComanda,
                           const QString& nrLugarMesa);
// The seat position (NRLUGARMESA) of every item of a restaurant sale.
QVariant getLugaresVenda(TrdmGerMesa& dm, const QString& cdFilial, const QString& cdLoja,
                         const QString& nrVendaRest);
QVariant getVerifNatItens(TrdmGerMesa& dm, const QString& cdFilial, const QString& nrComanda,
                          const QString& cdLoja);
QVariant getMesasPagasAPP(TrdmGerMesa& dm, const QString& cdFilial);
QVariant getCaixa(TrdmGerMesa& dm, const QString& cdFilial, const QString& cdLoja,
                  const QString& cdCaixa, const QString& naoUsado);

} // namespace tmk
