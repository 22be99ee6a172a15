#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVariantList>

class QWidget;

namespace tmk {

class ClientDataSet;

// The 48 arguments of the payment dialog, in call order. Members marked "in/out"
// are passed by reference: the dialog may change them and the caller reads them back.
struct RecebimentoArgs {
    ClientDataSet* cdsParametrosKov = nullptr;    // 1
    QString cdOperAutoriz;                        // 2 in/out
    ClientDataSet* cdsListaComanda = nullptr;     // 3 in/out
    ClientDataSet* cdsListaComandaCanc = nullptr; // 4 in/out
    ClientDataSet* cdsMovCaixa = nullptr;         // 5 in/out: the payments
    ClientDataSet* cdsFamiliaSaldo = nullptr;     // 6 in/out
    ClientDataSet* cdsEmprestimoFam = nullptr;    // 7 in/out
    bool cancelarVenda = false;                   // 8 in/out
    QString nrCupom;                              // 9 in/out (holds the table on entry)
    QString outValue10;                           // 10 in/out
    QString outValue11;                           // 11 in/out
    QString nrNaoFiscal;                          // 12 in/out
    QString cdIdConsumidor;                       // 13 in/out
    QString idTef;                                // 14 in/out
    double vrTotalPago = 0;                       // 15 in/out (app payments on entry)
    ClientDataSet* cdsCliente = nullptr;          // 16
    ClientDataSet* cdsAliqImpFis = nullptr;       // 17
    ClientDataSet* cdsConfTipoRece = nullptr;     // 18
    ClientDataSet* cdsECFCaixa = nullptr;         // 19
    QString tipoVenda;                            // 20 "RES"
    QString cdCliente;                            // 21
    QString cdConsumidor;                         // 22
    QString arg23;                                // 23 "N"
    QVariantList zeros24to32;                     // 24-32 nine empty values
    QString arg33;                                // 33 "M"
    QString senhaCupom;                           // 34
    QVariant arg35;                               // 35 0
    QVariant arg36;                               // 36 0
    QString idPagMobile;                          // 37
    QString outValue38;                           // 38 in/out
    QVariant vrRecebExtra;                        // 39 in/out
    int outValue40 = 0;                           // 40 in/out
    QString outValue41;                           // 41 in/out
    QString txProgressoCupom;                     // 42
    QString txRecebExtra1;                        // 43 in/out
    QString txRecebExtra2;                        // 44 in/out
    QString idFiscalDialogo;                      // 45 in/out
    QString txImpressaoExtra;                     // 46 in/out
    ClientDataSet* cdsExtConsFid = nullptr;       // 47 in/out
    ClientDataSet* cdsPromoComanda = nullptr;     // 48 in/out
};

// The front-office dialog library: the dialogs every sales screen of the suite
// shares. Arguments follow the library's call order; references are out-values.
class FrontOfficeDialogs {
public:
    virtual ~FrontOfficeDialogs() = default;

    // Access control. resultado "N" means the operator may not use the command.
    virtual void ControleAcess(int codigoAcesso, const QString& cdOperador, QString& resultado) = 0;
    // true: the command may run; cdOperAutoriz receives the authorising operator.
    virtual bool VerificaAcesso(int codigoAcesso, const QString& cdOperador,
                                QString& cdOperAutoriz) = 0;
    // Stores one access-log record of fourteen values.
    virtual void LogControleAcess(const QString& cdFilial, const QString& cdCaixa,
                                  const QString& cdOperacao, const QString& cdOperador,
                                  const QString& nmOperador, const QString& cdOperAutoriz,
                                  const QString& dsMotivo, const QString& dsMotivoLongo,
                                  const QString& nrVendaRest, const QString& nrComanda,
                                  const QString& dsComanda, const QString& nrMesa,
                                  const QVariant& cdVendedor, const QVariant& nrSeqVenda) = 0;

    // Numeric keypad: true when a value was confirmed into valor.
    virtual bool TecladoNumerico(QString& valor, const QString& caption, const QString& prompt,
                                 const QString& msgVazio, int maxDigitos, int a6, int a7, int a8,
                                 int a9, int a10) = 0;

    // Table opening: true when the table was opened; cdsDadosAbertura then holds
    // NRVENDAREST, NRCOMANDA, DSCOMANDA, CDCLIENTE, CDVENDEDOR, CDCONSUMIDOR.
    virtual bool AberturaMesa(const QString& nrMesa, ClientDataSet& cdsDadosAbertura) = 0;
    // Waiter password: params has 4 values, retorno 0..9; element 0 = confirmed waiter.
    virtual bool ControleSenhOper(const QVariantList& params, int lastIndex,
                                  QVariantList& retorno) = 0;

    virtual void CriaListReserva(const QString& nrMesa, const QDateTime& primeiroDia,
                                 const QDateTime& ultimoDia) = 0;
    virtual void CriaConsulReserva(const QString& nrResMesa) = 0;
    virtual void CriaMenuMesa(const QString& cdFilial, const QString& cdLoja,
                              const QString& nrConfTela, int a4) = 0;
    // false: the operator shut the front office down from the dialog.
    virtual bool CriaFuncoesFiscais(int a1, int a2, int a3) = 0;
    virtual void RelFiscais() = 0;
    virtual void CriaConsultaPreco() = 0;

    virtual void AbreGaveta(const QString& idTipoImp, const QString& cdPorta) = 0;
    // 1 = the drawer is open.
    virtual int VerificaStatusGaveta(const QString& idTipoImp, const QString& cdPorta) = 0;

    virtual void FechaConta(ClientDataSet& cdsParamFechaConta, QVariantList& retorno,
                            const QString& posicaoApp) = 0;
    // Prints the partial bill; nrMesa receives the table it printed.
    virtual void ParcialConta(QString& nrMesa) = 0;
    virtual void CancelaProduto(const QString& nrComanda, const QString& dsComanda,
                                const QString& tipo, const QString& nrMesa) = 0;
    // Operator change. True when another operator signed in: the till's operator file then
    // holds the new operator and the name is left in nmOperador; false (nothing changed)
    // when the operator gave up.
    virtual bool TrocaOperadorCaixa(QString& nmOperador) = 0;
    // values has 14 elements; retorno 0..9, element 6 = confirmed e-mail.
    virtual void CriaInfAdicional(const QVariantList& values, QVariantList& retorno) = 0;
    // Consumer search; the 26 further texts are out-values.
    virtual void PesqConsumidor(const QString& modo, int a2, QString& a3, const QString& a4,
                                const QString& a5, ClientDataSet& cdsCliente, QString& cdCliente,
                                QStringList& retornos) = 0;

    virtual void AtivaProcesso(QWidget* tela, const QString& aviso, int a3, int a4) = 0;
    virtual void DesativaProcesso() = 0;

    // Payment dialog: true = payment completed, false = abandoned.
    virtual bool Recebimento(RecebimentoArgs& args) = 0;
    virtual void getNumeroSerieNFCe(const QString& cdFilial, const QString& cdCaixa,
                                    QString& serie) = 0;
    virtual void getDataEmissNFCe(QString& data) = 0;
    // answer is a list of "name=value" texts.
    virtual bool SATOnline(const QString& cdFilial, const QString& cdCaixa,
                           const QString& nrSeqVenda, const QString& idUtilSatComp,
                           const QString& cdAtivacaoSat, const QString& dirXmlFiscal,
                           const QString& stIbpt, const QString& stIbptEs, QStringList& answer) = 0;
    virtual void Imp_Extrato_SAT_Ger(const QVariantList& values) = 0; // 22 values
    virtual void DisparaImpressaoNaoFiscal(const QVariantList& values, QVariant& retorno) = 0;
    // Cancels a sale in the database (8 values). resultado is a service result: nothing
    // on success, a ServiceFailure with the message on failure.
    virtual void AlteraVendaCan(const QVariantList& values, QVariant& retorno,
                                QVariant& resultado) = 0;
};

} // namespace tmk
