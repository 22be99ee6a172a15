#pragma once

#include <QDateTime>
#include <QString>
#include <QVariant>
#include <QVariantList>

namespace tmk {

// The table screen's own fields, under the names every part of the screen uses. They are
// grouped in parts a reader takes in at once; ScreenState joins the parts, so every field
// is reached as st.CdFilial, st.NrAmbienteAtual, st.RetAcao, ...

// The till's configuration: what the parameter and cadastre files say about this till,
// its printers and switches, and the settings derived from them at initialisation.
struct TillConfiguration {
    // Identity of the till.
    QString CdFilial;
    QString CdLoja;
    QString CdCaixa;
    QString IdEsquema;
    QString IdColetor;
    QString CdFiliConfTe;
    QString NrConfTela;

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
};

// Who works at the till and on which business day, and what the entry was called with.
struct OperatorAndDay {
    QString CdOperador;
    QString NmOperador;
    QString CdOperAutoriz;
    QDateTime DataSistema;
    QDateTime DtAberCaixa;
    QDateTime DataMovimento;
    QString ParamEntrada;
};

// Where the operator stands on the map.
struct MapNavigation {
    QString NrAmbienteAtual = QStringLiteral("01");
    int IdxAmbienteAtual = 1;
    int NrPaginaAtual = 1;
    double QtPaginas = 0;
    bool PrimeiraAtivacao = false;
};

// The ten values the entry hands back to the host, in the order it copies them.
struct ResultFields {
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
};

// Working values of the commands, the receipt flow and the app-paid tables. They live
// until overwritten; only the parts that say so clear them.
struct ReceiptValues {
    // What the dialog library hands back (waiter password, account closing, fiscal calls).
    QVariantList VarRetorno;

    // Coupons per product nature and their progress text.
    bool CupomPorNatureza = false;
    QString TxProgressoCupom;

    // Account preparation: the consumer's document on the coupon and loyalty products.
    QString IdImpCpfCupom;
    bool PromoFidelidade = false;
    QString NrSeqProdCamp;

    // Sale conclusion: approximate taxes, the fiscal number and date, the balance line
    // and the benefit of a campaign.
    QString StIbpt;
    QString StIbptEs;
    QString NrSerieNfce;
    QString DtEmissNfce;
    QString TxSaldoFinal;
    int QtBeneficioCamp = 0;
    int NrDiasValBeneCamp = 0;

    // Out-values of the payment dialog.
    QString IdFiscalDialogo;
    QString TxRecebExtra1;
    QString TxRecebExtra2;
    QString TxImpressaoExtra;
    double VrRecebExtra = 0;

    // The fiscal document.
    QString ChaveAcessoNfce;
    QString QrCodeNfce;
    QString ProtAutNfce;
    QString NrNotaFiscalCe;
    QString NrSerieSat;
    bool SatOnlineOk = false;

    // The receipt e-mail address.
    QString DsEmailCupom;

    // The table this till holds in "R" between the coupons of a series per product nature;
    // empty when it holds none.
    QString NrMesaEmRecebimento;

    // The store's counter table while the counter sale the host took on it is received;
    // empty otherwise (the map never shows that table).
    QString NrMesaBalcao;

    // The table and position picked from the app-paid list.
    QString NrMesaApp;
    QString PosicaoApp;
};

struct ScreenState : TillConfiguration,
                     OperatorAndDay,
                     MapNavigation,
                     ResultFields,
                     ReceiptValues {};

} // namespace tmk
