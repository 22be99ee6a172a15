#pragma once

#include "external/dialogs.h"
#include "suite/devices/fiscal_sale.h"

#include <QPointer>
#include <QSqlDatabase>
#include <QVariantMap>
#include <QWidget>
#include <functional>
#include <memory>

class QDialog;
class QMessageBox;

namespace tmk {
class AccessRights;
}

namespace tmk {

class BusyNotice;
class NfceEmitter;
class SatDevice;
class TefTerminal;

// The front-office dialog library on Qt Widgets, with touch-sized dialogs.
//
// ControleAcess, VerificaAcesso (rights and supervisors of AccessRights),
// LogControleAcess (table LOGCONTROLEACESSO), TecladoNumerico, AbreGaveta and
// VerificaStatusGaveta (the simulated drawer); the table dialogs AberturaMesa,
// ControleSenhOper, CriaListReserva, CriaConsulReserva and CriaMenuMesa; the general
// functions CriaFuncoesFiscais, RelFiscais and CriaConsultaPreco; the account closing
// FechaConta (AccountClosingDialog, AccountClosing) and the partial bill ParcialConta
// (PartialBillDialog); the item cancellation CancelaProduto (ItemCancellationDialog,
// ItemCancellation); the operator change TrocaOperadorCaixa (OperatorChange); the
// receipt e-mail CriaInfAdicional; the consumer search PesqConsumidor
// (ConsumerSearchDialog, ConsumerSearch); the fiscal functions getNumeroSerieNFCe,
// getDataEmissNFCe, SATOnline, Imp_Extrato_SAT_Ger and DisparaImpressaoNaoFiscal (the
// simulated devices of suite/devices, printouts as PDF in "Impressoes/"); the payment
// dialog Recebimento, the busy notice AtivaProcesso/DesativaProcesso and the sale
// cancellation AlteraVendaCan.
class SuiteDialogs : public FrontOfficeDialogs {
public:
    // The sale a SAT transmission documents, read from where the concluded sale was
    // stored (branch, till, sale sequence). It throws AppError when the sale cannot be
    // read.
    using FiscalSaleProvider = std::function<FiscalSale(
        const QString& cdFilial, const QString& cdCaixa, const QString& nrSeqVenda)>;

    // db: the restaurant database the dialogs read and write; parent: the window the
    // dialogs are shown over (the active window when none).
    SuiteDialogs(QSqlDatabase db, QWidget* parent = nullptr);
    ~SuiteDialogs() override;

    // Where SATOnline takes the sale from; without one SATOnline refuses with a message.
    void setFiscalSaleProvider(FiscalSaleProvider provider);
    // The devices behind the fiscal functions (simulated ones by default).
    void setNfceEmitter(std::shared_ptr<NfceEmitter> emitter);
    void setSatDevice(std::shared_ptr<SatDevice> sat);
    // The card terminal of the payment dialog (the simulated TEF by default).
    void setTefTerminal(std::shared_ptr<TefTerminal> tef);
    // The box askChoice shows ("boxPergunta"), its answers as big buttons "btnResposta0",
    // "btnResposta1"...
    static std::unique_ptr<QMessageBox>
    buildChoiceBox(const QString& text, const QStringList& answers, QWidget* parent = nullptr);

    // "N" when the operator may not run the command, "S" otherwise. When the rights
    // or operators cannot be read the answer is "S", so that the command can be
    // tried and asks a supervisor (VerificaAcesso); the fault is told once.
    void ControleAcess(int codigoAcesso, const QString& cdOperador, QString& resultado) override;
    // True at once, with the operator as authoriser, when the operator may run the
    // command; otherwise asks a supervisor (code and password): true with the
    // supervisor as authoriser, false (authoriser empty) when cancelled or when no
    // supervisor is recorded. With the rights unreadable every command asks a
    // supervisor; with the operators unreadable it is refused with the fault told.
    bool VerificaAcesso(int codigoAcesso, const QString& cdOperador,
                        QString& cdOperAutoriz) override;
    // One row of LOGCONTROLEACESSO, numbered after the till's last one and stamped
    // with the current date-time. Texts longer than their column are cut to fit, so
    // the record is never lost for a long name. DatabaseError when refused.
    void LogControleAcess(const QString& cdFilial, const QString& cdCaixa,
                          const QString& cdOperacao, const QString& cdOperador,
                          const QString& nmOperador, const QString& cdOperAutoriz,
                          const QString& dsMotivo, const QString& dsMotivoLongo,
                          const QString& nrVendaRest, const QString& nrComanda,
                          const QString& dsComanda, const QString& nrMesa,
                          const QVariant& cdVendedor, const QVariant& nrSeqVenda) override;
    // The keypad of KeypadDialog; true with the digits in valor, false (valor
    // unchanged) when cancelled. The last five arguments are not used.
    bool TecladoNumerico(QString& valor, const QString& caption, const QString& prompt,
                         const QString& msgVazio, int maxDigitos, int a6, int a7, int a8, int a9,
                         int a10) override;

    // The opening of a free table (TableOpeningDialog, TableOpening): true with the new
    // sale's row in cdsDadosAbertura; false when cancelled, when another till took the
    // table meanwhile, or when the dialog could not be made (told). Nothing is written
    // unless it returns true.
    bool AberturaMesa(const QString& nrMesa, ClientDataSet& cdsDadosAbertura) override;
    // The waiter's confirmation of WaiterPasswordCheck, by the mode in params[1]
    // (IDUTLSENHAOPER); params[3] is the table's waiter, offered first. True with the
    // confirmed waiter (possibly empty) in retorno[0]; false when cancelled or after the
    // third wrong password.
    bool ControleSenhOper(const QVariantList& params, int lastIndex,
                          QVariantList& retorno) override;
    // Read-only lists: a table's reservations over some days, and the day of a
    // reservation with it marked (ReservationsDialog).
    void CriaListReserva(const QString& nrMesa, const QDateTime& primeiroDia,
                         const QDateTime& ultimoDia) override;
    void CriaConsulReserva(const QString& nrResMesa) override;
    // Joining tables into a group and separating a group (TableMenuDialog).
    void CriaMenuMesa(const QString& cdFilial, const QString& cdLoja, const QString& nrConfTela,
                      int a4) override;
    // The general functions (GeneralFunctionsDialog): false only when the operator shut
    // the front office down.
    bool CriaFuncoesFiscais(int a1, int a2, int a3) override;
    // Prints the day's summary of the till (DaySummary) into the print folder and tells
    // where; a failure is told.
    void RelFiscais() override;
    // Products with their prices (PriceQueryDialog).
    void CriaConsultaPreco() override;

    // Opens the simulated drawer; AppError when its file cannot be written.
    void AbreGaveta(const QString& idTipoImp, const QString& cdPorta) override;
    // 1 when the simulated drawer is open, 0 otherwise.
    int VerificaStatusGaveta(const QString& idTipoImp, const QString& cdPorta) override;

    void FechaConta(ClientDataSet& cdsParamFechaConta, QVariantList& retorno,
                    const QString& posicaoApp) override;
    // Asks the table on the keypad, shows its partial bill (the pads of the table and of
    // the tables joined with it) and prints it into the print folder ("Parcial"); nrMesa
    // is the table printed, empty when cancelled, refused or not printed. Writes nothing
    // to the database; a table that is not registered or has no open account is told.
    void ParcialConta(QString& nrMesa) override;
    // Lists the pad's items that may be cancelled and cancels the quantity chosen, each
    // time with a supervisor's code and password (right ctCancItemGen of the parameter
    // file); a pad without number or items is told and no dialog is shown.
    void CancelaProduto(const QString& nrComanda, const QString& dsComanda, const QString& tipo,
                        const QString& nrMesa) override;
    // Another operator's code and password ("TrocaOperador"); true once the till's operator
    // file names the new operator, whose name is left in nmOperador.
    bool TrocaOperadorCaixa(QString& nmOperador) override;
    void CriaInfAdicional(const QVariantList& values, QVariantList& retorno) override;
    // The consumers of the clients of cdsCliente (its cursor untouched; every client's when
    // it is empty). In mode "CONSULTA" only "Fechar"; a3, cdCliente and retornos (26
    // texts: ConsumerSearch::retornos) then hold the consumer last chosen, if any;
    // otherwise the one selected with "Selecionar". retornos is always 26 texts.
    void PesqConsumidor(const QString& modo, int a2, QString& a3, const QString& a4,
                        const QString& a5, ClientDataSet& cdsCliente, QString& cdCliente,
                        QStringList& retornos) override;
    // Shows the busy notice (BusyNotice) over the screen with the text, replacing the
    // text of one already shown; DesativaProcesso hides it (nothing when none is shown).
    void AtivaProcesso(QWidget* tela, const QString& aviso, int a3, int a4) override;
    void DesativaProcesso() override;
    // The payment dialog (PaymentDialog on PaymentModel) of the coupon's items
    // (cdsListaComanda) with the app payments of cdsMovCaixa, taking the receipt types
    // of cdsConfTipoRece; cards through the TEF unless the parameter IDUTILTEF is "N".
    // True once the amount due is paid: cdsMovCaixa holds every payment line and the
    // change line, vrTotalPago what was paid (app included), idTef "S" when a card was
    // used, nrNaoFiscal the till's next non-fiscal number ("Dispositivos/NaoFiscal.seq");
    // on a till with a fiscal printer (UTILIZAIMPFIS) the coupon is printed and nrCupom
    // and outValue10 take its number. False when the operator cancels: cancelarVenda is
    // the answer to "Cancelar também a venda?", cdsMovCaixa is left as it came, and the
    // card transactions approved in the dialog are undone. AppError without the item or
    // payment table, or for an account that cannot be valued.
    bool Recebimento(RecebimentoArgs& args) override;
    // The series of the till's NFC-e emitter; AppError when none is configured.
    void getNumeroSerieNFCe(const QString& cdFilial, const QString& cdCaixa,
                            QString& serie) override;
    // The emission date-time as "dd/MM/yyyy HH:mm:ss".
    void getDataEmissNFCe(QString& data) override;
    // Sends the stored sale (from the sale provider) to the SAT, with the two tax texts
    // as its approximate federal and state taxes when they are given. True: answer
    // holds the SAT's values; false: answer holds only "mensagem=<reason>" (wrong
    // activation code, refusal, no sale provider, bad sale, folder not writable).
    bool SATOnline(const QString& cdFilial, const QString& cdCaixa, const QString& nrSeqVenda,
                   const QString& idUtilSatComp, const QString& cdAtivacaoSat,
                   const QString& dirXmlFiscal, const QString& stIbpt, const QString& stIbptEs,
                   QStringList& answer) override;
    // The local extract of a sale: from its CF-e when the fiscal XML folder holds the
    // CF-e of that number and SAT serial, otherwise from the item and payment packets.
    void Imp_Extrato_SAT_Ger(const QVariantList& values) override;
    // Prints "VENDA_NFCe" (the DANFE from the NFC-e XML named by CHAVEACESSONFCe in
    // STDIRSAT), "EXTRATO_SAT" (the extract of the CF-e named by CHAVEACESSONFCe) or
    // "CUPOM" (the plain receipt of the item packet); retorno element 1 = the PDF's
    // path. AppError for another kind or a document that cannot be found.
    void DisparaImpressaoNaoFiscal(const QVariantList& values, QVariant& retorno) override;
    // Cancels the stored sale values[0] of branch values[1] and till values[2]
    // (sale_cancellation.h: the sale, and the app payments and benefits it had taken are
    // released). resultado: nothing on success, a ServiceFailure otherwise; retorno is
    // not changed.
    void AlteraVendaCan(const QVariantList& values, QVariant& retorno,
                        QVariant& resultado) override;

protected:
    // Shows a dialog modally and returns its result; tests drive the dialog instead.
    virtual int execDialog(QDialog& dialog);
    // Tells the operator something (message type of Mensagem) in a message box.
    virtual void showMessage(const QString& text, int tipo);
    // Asks a question with the given answers; the index of the one chosen (-1 when the
    // box was closed without one).
    virtual int askChoice(const QString& text, const QStringList& answers);
    QWidget* dialogParent() const;

private:
    // A text the receipts show that the database holds (a name, a setting); empty when it
    // cannot be read, which is logged and which the receipt can do without.
    QString textoOpcional(const QString& statement, const QVariantMap& binds) const;
    // The branch's name from the database.
    QString nomeFilial(const QString& cdFilial) const;
    // The store's counter-sale table (LOJA.NRMESAPADRAO).
    QString mesaBalcao(const QString& cdFilial, const QString& cdLoja) const;
    // Tells the operator, once for each distinct fault, that the rights could not be
    // read and what that means for the guarded commands.
    void tellFault(const AccessRights& rights);

    QSqlDatabase db_;
    QPointer<QWidget> parent_;
    QString faultTold_;
    FiscalSaleProvider saleProvider_;
    std::shared_ptr<NfceEmitter> nfce_;
    std::shared_ptr<SatDevice> sat_;
    std::shared_ptr<TefTerminal> tef_;
    QPointer<BusyNotice> busy_;
};

} // namespace tmk
