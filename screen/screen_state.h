#pragma once

#include <QDateTime>
#include <QString>
#include <QVariant>
#include <QVariantList>

namespace tmk {

// The table screen's own fields, under the names every part of the screen uses.
struct ScreenState {
    // Identity of the till and the operator.
    QString CdFilial;
    QString CdLoja;
    QString CdCaixa;
    QString IdEsquema;
    QString CdOperador;
    QString NmOperador;
    QString CdOperAutoriz;
    QString IdColetor;
    QString CdFiliConfTe;
    QString NrConfTela;
    QDateTime DataSistema;
    QDateTime DtAberCaixa;
    QDateTime DataMovimento;
    QString ParamEntrada;

    // Switches and settings of the parameter file.
    bool UtilizaImpFis = false;
    bool SistemaLestovenda = false;
    bool SistemaKovNfce = false;
    bool SistemaKovSat = false;
    bool DisplayOk = false;
    bool ErroImpressora = false;
    QString NrMinSemCons;
    QString IdUtlSenhaOper;
    QString IdTipoGaveta;
    QString CdPortaImpFis;
    QString DataImp;
    QString CdCliente;
    QString IdPerTrocaOp;
    QString CdProdConsum;
    QString CdProdConsuf;
    QString CdProdCouver;
    QString IdPaisIntegra;
    QString NrSerieImp;
    int IdTipoImpFis = 0;
    QString DsDirCad;
    QString IdImpCompCupVen;
    QString CdPrefIntgCol;
    QString DsModeloEcfVe;
    QString DsMarcaEcfVe;
    QString EcfImp;
    QString IdExibTicCup;
    QString CdEstadoIbge;
    QString CdInsJurEmpr;
    QString IdAmbTrabNfce;
    QString SgEstadoFili;
    QString IdIntHotel;
    QString IdImpCnpjClie;
    QString IdSenhaCup;
    QString IdObrigFechCaix;
    QString IdConsCampFidel;
    QString IdUtilSatComp;
    QString IdVerGavetaNFis;
    int NrMinSenhaAl = 0;
    QString IdImprCupTefRed;
    QString IdUtilTef;
    QString IdImprTef;
    QString IdEnvCupomEmail;
    QString NrMaxSenhaPed;
    QString DsLogoTela;
    QString IdImpCupMei;
    double VrComisVenda = 0;
    QString IdTipoImpNF1, IdTipoImpNF2, IdTipoImpNF3;
    QString CdPortImpNF1, CdPortImpNF2, CdPortImpNF3;
    QString IdTpVendImpNF1, IdTpVendImpNF2, IdTpVendImpNF3;

    // Access-control codes of the guarded commands.
    int CtAbrirGaveta = 0;
    int CtCancItemGen = 0;
    int CtParcCont = 0;
    int CtCancComanda = 0;
    int CtAltNrPessoa = 0;
    int CtLiberarMesa = 0;
    int CtConsultaPreco = 0;
    int CtTrocaOperador = 0;

    // Derived at initialisation.
    QString TipoDocFiscal;
    QString TipoImpNaoFiscal;
    QString DirXmlFiscal;
    QString CdAtivacaoSat;

    // Map navigation.
    QString NrAmbienteAtual = QStringLiteral("01");
    int IdxAmbienteAtual = 1;
    int NrPaginaAtual = 1;
    double QtPaginas = 0;
    bool PrimeiraAtivacao = false;

    // Result fields handed back by the entry.
    QString RetAcao;
    QString RetNrVendaRest;
    QString RetDsComanda;
    QString RetCdCliente;
    QString RetNrMesa;
    QString RetNrComanda;
    QString RetCdVendedor;
    QString RetTipoVenda;
    QString RetCdConsumidor;
    bool RetAbreVenda = false;

    // Working fields of the commands and the receipt flow.
    QVariantList VarRetorno;
    QString NrMesaApp;
    QString PosicaoApp;
    bool PromoFidelidade = false;
    bool CupomPorNatureza = false;
    QString TxProgressoCupom;
    QString DsEmailCupom;
};

} // namespace tmk
