#include <QCoreApplication>
#include <QLibrary>
#include <QStringList>
#include <gtest/gtest.h>

#ifndef TMK_MODULE_DIR
#error "TMK_MODULE_DIR names the folder of the built module"
#endif

namespace {

// Every data-service operation of the module, by the name other modules call it.
const char* const kOperations[] = {
    "getStatusMesa",
    "getConfigMesa",
    "getAmbientes",
    "getReserva",
    "getUltimaVenda",
    "getRetornaInfoMesa",
    "getRetMesa",
    "getComandaInd",
    "getBuscaComandas",
    "getMesaJuncao",
    "getStatusPosicoes",
    "getMaiorPosicao",
    "getNrPesMesa",
    "getBuscaMesaDlv",
    "getBuscaMesaCmd",
    "getVerifMesaVazia",
    "verificaIDSTLUGARMESA",
    "getVerifNatItens",
    "getMesasPagasAPP",
    "getCaixa",
    "setStatusMesa",
    "setStatusComanda",
    "setNumPesMesa",
    "setLiberaMesa",
    "setStatusPosicao",
    "setDesbloqueiaPosMesasAPP",
    "setLogAcesso",
    "AlteraVrTxServico",
    "setUltMesaAber",
    "CalcVrTotVenda",
    "setVendaBeneficio",
    "getCadBeneficio",
    "getProdPromoFidelidade",
    "getCamposPromoFidelidade",
    "getMovFidelidade",
    "setMovFidelidade",
    "getVrSaldConsumi",
    "getSaldoCred",
    "getMovCaixaMob",
    "setMovCaixaMob",
    "getSenhaCupom",
    "ReiniciaSenhaCupom",
    "GetRecupSenha",
    "GetSenhaCup",
    "getListaComanda",
    "getListaComandaCanc",
    "GetItComandaEst",
    "getObsItens",
    "getObsItensEst",
    "getItensDesistencia",
    "getPromoComanda",
    "getBrinde",
    "getExtConsFid",
    "getVerifAlimentosCanc",
    "getVerificaVenda",
    "GetOrigemVenda",
    "GetCpfCons",
    "GetImpCpfCupom",
    "getCentroCusto",
    "getEmailCons",
    "getCancelaAbertura",
    "setCancelaVendas",
    "setDeletaVendaRest",
};

} // namespace

TEST(ModuleLibrary, ExportsTheEntryTheFlagsAndEveryOperationByName) {
    QLibrary lib(QStringLiteral(TMK_MODULE_DIR "/libtmk00470"));
    ASSERT_TRUE(lib.load()) << lib.errorString().toStdString();
    for (const char* name :
         {"CriaGerenciaMesa", "DefinePastaCaixa", "FinalizaModulo", "frmGerMesa", "rdmGerMesa",
          "boIdCriado", "boClose", "boComanPorPes", "boResultado", "StartTrans", "CommitTrans",
          "RollbackTrans", "getVersaoBanco", "Trunc2"}) {
        EXPECT_NE(lib.resolve(name), nullptr) << name;
    }
    int count = 0;
    for (const char* name : kOperations) {
        EXPECT_NE(lib.resolve(name), nullptr) << name;
        ++count;
    }
    EXPECT_EQ(count, 63);
    // The flags start cleared when the module is loaded.
    EXPECT_FALSE(*reinterpret_cast<bool*>(lib.resolve("boIdCriado")));
    EXPECT_FALSE(*reinterpret_cast<bool*>(lib.resolve("boClose")));
    EXPECT_EQ(*reinterpret_cast<void**>(lib.resolve("frmGerMesa")), nullptr);
}
