// The screen's datasets: each carries the name the system gives it, and only the ones the
// screen makes without a change log have it off, before and after the till's files load.

#include "tests/screen/screen_fixture.h"

using namespace tmk;
using namespace tmk::test;

namespace {

struct Esperado {
    const ClientDataSet* cds;
    const char* nome;
    bool semRegistro; // change logging switched off
};

QList<Esperado> conjuntos(const TfrmGerMesa& s) {
    return {
        {&s.cdsParametrosKov, "cdsParametrosKov", true},
        {&s.cdsCliente, "cdsCliente", true},
        {&s.cdsAliqImpFis, "cdsAliqImpFis", true},
        {&s.cdsConfTipoRece, "cdsConfTipoRece", true},
        {&s.cdsECFCaixa, "cdsECFCaixa", true},
        {&s.cdsAberturaCaixa, "cdsAberturaCaixa", true},
        {&s.cdsValidaAbertura, "cdsValidaAbertura", false},
        {&s.cdsControleAcess, "cdsControleAcess", true},
        {&s.cdsDataMovimento, "cdsDataMovimento", true},
        {&s.cdsStatusMesas, "cdsStatusMesas", true},
        {&s.cdsReserva, "cdsReserva", true},
        {&s.cdsAmbientes, "cdsAmbientes", true},
        {&s.cdsConfigMesa, "cdsConfigMesa", true},
        {&s.cdsUltimaVenda, "cdsUltimaVenda", true},
        {&s.cdsMesaJuncao, "cdsMesaJuncao", true},
        {&s.cdsSTMESAAGRUP, "cdsSTMESAAGRUP", true},
        {&s.cdsBuscaMesaCmd, "cdsBuscaMesaCmd", false},
        {&s.cdsBuscaMesaDlv, "cdsBuscaMesaDlv", false},
        {&s.cdsBuscaComandas, "cdsBuscaComandas", true},
        {&s.cdsInfoMesa, "cdsInfoMesa", true},
        {&s.cdsRetMesa, "cdsRetMesa", true},
        {&s.cdsVerifNatItens, "cdsVerifNatItens", false},
        {&s.cdsDadosAbertura, "cdsDadosAbertura", true},
        {&s.cdsNrPesMesa, "cdsNrPesMesa", false},
        {&s.cdsMesa, "cdsMesa", true},
        {&s.cdsPosicoes, "cdsPosicoes", false},
        {&s.cdsStatusMesaFecha, "cdsStatusMesaFecha", true},
        {&s.cdsComandaInd, "cdsComandaInd", true},
        {&s.cdsParam_FechaConta, "cdsParam_FechaConta", true},
        {&s.cdsObs, "cdsObs", true},
        {&s.cdsListaComanda, "cdsListaComanda", true},
        {&s.cdsMovCaixa, "cdsMovCaixa", true},
        {&s.cdsListaComandaCanc, "cdsListaComandaCanc", true},
        {&s.cdsFamiliaSaldo, "cdsFamiliaSaldo", true},
        {&s.cdsEmprestimoFam, "cdsEmprestimoFam", true},
        {&s.cdsItComandaEst, "cdsItComandaEst", true},
        {&s.cdsObsItens, "cdsObsItens", false},
        {&s.cdsObsItensEst, "cdsObsItensEst", false},
        {&s.cdsExtConsFid, "cdsExtConsFid", false},
        {&s.cdsBrinde, "cdsBrinde", false},
        {&s.cdsItensDesistencia, "cdsItensDesistencia", false},
        {&s.cdsPromoComanda, "cdsPromoComanda", false},
        {&s.cdsVerifAlimentosCanc, "cdsVerifAlimentosCanc", false},
        {&s.cdsProdPromoFidelidade, "cdsProdPromoFidelidade", false},
        {&s.cdsMovCaixaMob, "cdsMovCaixaMob", false},
        {&s.cdsVrSaldConsumi, "cdsVrSaldConsumi", false},
        {&s.cdsSaldo, "cdsSaldo", false},
        {&s.cdsMovFidelidade, "cdsMovFidelidade", false},
        {&s.cdsParamImpCupNF, "cdsParamImpCupNF", true},
        {&s.cdsUltTef, "cdsUltTef", false},
        {&s.cdsVazio, "cdsVazio", false},
        {&s.cdsCanc, "cdsCanc", true},
        {&s.cdsDadosImp, "cdsDadosImp", true},
        {&s.cdsMesasPagasAPP, "cdsMesasPagasAPP", false},
    };
}

void confere(const TfrmGerMesa& s) {
    for (const Esperado& e : conjuntos(s)) {
        SCOPED_TRACE(e.nome);
        EXPECT_EQ(e.cds->name(), QString::fromLatin1(e.nome));
        EXPECT_EQ(e.cds->logChanges(), !e.semRegistro);
    }
}

class ScreenDataSetsTest : public ScreenOnly {};

} // namespace

TEST_F(ScreenDataSetsTest, EachCarriesItsNameAndOnlyTheListedOnesLogNoChanges) {
    confere(screen());
}

TEST_F(ScreenDataSetsTest, LoadingTheTillFilesKeepsEachOnesChangeLog) {
    writeParametros();
    writeOperador(QStringLiteral("0001"), QStringLiteral("Ana"));
    writeDataMovimento(clock.now());
    writeAberturaCaixa();
    screen().InicializaForm();
    ASSERT_TRUE(screen().cdsParametrosKov.active());
    ASSERT_TRUE(screen().cdsValidaAbertura.active());
    ASSERT_TRUE(screen().cdsControleAcess.active());
    confere(screen());
}
