#pragma once

#include "platform/client_dataset.h"

#include <utility>

namespace tmk {

// The screen's in-memory tables, each declared once under the name the system gives it
// and grouped by who fills and reads it. ScreenDataSets joins the groups, so every
// dataset is reached as cdsStatusMesas, cdsListaComanda, ...

// A dataset that switches change logging off as soon as it is made: edits apply to the
// rows directly and no undo log grows. The others keep the default.
class UnloggedDataSet : public ClientDataSet {
public:
    explicit UnloggedDataSet(QString name)
        : ClientDataSet(std::move(name)) {
        setLogChanges(false);
    }
};

// The till's local files: the parameter file and the cadastre files.
struct ConfigurationFiles {
    UnloggedDataSet cdsParametrosKov{QStringLiteral("cdsParametrosKov")};
    UnloggedDataSet cdsCliente{QStringLiteral("cdsCliente")};
    UnloggedDataSet cdsAliqImpFis{QStringLiteral("cdsAliqImpFis")};
    UnloggedDataSet cdsConfTipoRece{QStringLiteral("cdsConfTipoRece")};
    UnloggedDataSet cdsECFCaixa{QStringLiteral("cdsECFCaixa")};
    UnloggedDataSet cdsAberturaCaixa{QStringLiteral("cdsAberturaCaixa")};
    ClientDataSet cdsValidaAbertura{QStringLiteral("cdsValidaAbertura")};
    UnloggedDataSet cdsControleAcess{QStringLiteral("cdsControleAcess")};
    UnloggedDataSet cdsDataMovimento{QStringLiteral("cdsDataMovimento")};
};

// The table map: table states, reservations, areas, the button layout, the last orders
// and the join groups.
struct MapDataSets {
    UnloggedDataSet cdsStatusMesas{QStringLiteral("cdsStatusMesas")};
    UnloggedDataSet cdsReserva{QStringLiteral("cdsReserva")};
    UnloggedDataSet cdsAmbientes{QStringLiteral("cdsAmbientes")};
    UnloggedDataSet cdsConfigMesa{QStringLiteral("cdsConfigMesa")};
    UnloggedDataSet cdsUltimaVenda{QStringLiteral("cdsUltimaVenda")};
    UnloggedDataSet cdsMesaJuncao{QStringLiteral("cdsMesaJuncao")};
    UnloggedDataSet cdsSTMESAAGRUP{QStringLiteral("cdsSTMESAAGRUP")};
};

// What a touch on a table and the table commands read: the table's sale, order pads,
// waiter and product natures, the opening dialog's answer, party size, positions and the
// account closing.
struct TableCommandDataSets {
    ClientDataSet cdsBuscaMesaCmd{QStringLiteral("cdsBuscaMesaCmd")};
    ClientDataSet cdsBuscaMesaDlv{QStringLiteral("cdsBuscaMesaDlv")};
    UnloggedDataSet cdsBuscaComandas{QStringLiteral("cdsBuscaComandas")};
    UnloggedDataSet cdsInfoMesa{QStringLiteral("cdsInfoMesa")};
    UnloggedDataSet cdsRetMesa{QStringLiteral("cdsRetMesa")};
    ClientDataSet cdsVerifNatItens{QStringLiteral("cdsVerifNatItens")};
    UnloggedDataSet cdsDadosAbertura{QStringLiteral("cdsDadosAbertura")};
    ClientDataSet cdsNrPesMesa{QStringLiteral("cdsNrPesMesa")};
    UnloggedDataSet cdsMesa{QStringLiteral("cdsMesa")};
    ClientDataSet cdsPosicoes{QStringLiteral("cdsPosicoes")};
    UnloggedDataSet cdsStatusMesaFecha{QStringLiteral("cdsStatusMesaFecha")};
    UnloggedDataSet cdsComandaInd{QStringLiteral("cdsComandaInd")};
    UnloggedDataSet cdsParam_FechaConta{QStringLiteral("cdsParam_FechaConta")};
    UnloggedDataSet cdsObs{QStringLiteral("cdsObs")};
};

// The receipt flow and the app-paid tables: the account's items and their companions,
// payments, balances, loyalty, printing parameters and the app payments.
struct ReceiptDataSets {
    UnloggedDataSet cdsListaComanda{QStringLiteral("cdsListaComanda")};
    UnloggedDataSet cdsMovCaixa{QStringLiteral("cdsMovCaixa")};
    UnloggedDataSet cdsListaComandaCanc{QStringLiteral("cdsListaComandaCanc")};
    UnloggedDataSet cdsFamiliaSaldo{QStringLiteral("cdsFamiliaSaldo")};
    UnloggedDataSet cdsEmprestimoFam{QStringLiteral("cdsEmprestimoFam")};
    UnloggedDataSet cdsItComandaEst{QStringLiteral("cdsItComandaEst")};
    ClientDataSet cdsObsItens{QStringLiteral("cdsObsItens")};
    ClientDataSet cdsObsItensEst{QStringLiteral("cdsObsItensEst")};
    ClientDataSet cdsExtConsFid{QStringLiteral("cdsExtConsFid")};
    ClientDataSet cdsBrinde{QStringLiteral("cdsBrinde")};
    ClientDataSet cdsItensDesistencia{QStringLiteral("cdsItensDesistencia")};
    ClientDataSet cdsPromoComanda{QStringLiteral("cdsPromoComanda")};
    ClientDataSet cdsVerifAlimentosCanc{QStringLiteral("cdsVerifAlimentosCanc")};
    ClientDataSet cdsProdPromoFidelidade{QStringLiteral("cdsProdPromoFidelidade")};
    ClientDataSet cdsMovCaixaMob{QStringLiteral("cdsMovCaixaMob")};
    ClientDataSet cdsVrSaldConsumi{QStringLiteral("cdsVrSaldConsumi")};
    ClientDataSet cdsSaldo{QStringLiteral("cdsSaldo")};
    ClientDataSet cdsMovFidelidade{QStringLiteral("cdsMovFidelidade")};
    UnloggedDataSet cdsParamImpCupNF{QStringLiteral("cdsParamImpCupNF")};
    ClientDataSet cdsUltTef{QStringLiteral("cdsUltTef")};
    ClientDataSet cdsVazio{QStringLiteral("cdsVazio")};
    UnloggedDataSet cdsCanc{QStringLiteral("cdsCanc")};
    UnloggedDataSet cdsDadosImp{QStringLiteral("cdsDadosImp")};
    ClientDataSet cdsMesasPagasAPP{QStringLiteral("cdsMesasPagasAPP")};
};

struct ScreenDataSets : ConfigurationFiles, MapDataSets, TableCommandDataSets, ReceiptDataSets {};

} // namespace tmk
