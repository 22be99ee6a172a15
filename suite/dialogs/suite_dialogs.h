#pragma once

#include "external/dialogs.h"

#include <QPointer>
#include <QSqlDatabase>
#include <QWidget>

class QDialog;

namespace tmk {
class AccessRights;
}

namespace tmk {

// The front-office dialog library on Qt Widgets, with touch-sized dialogs.
//
// Working: ControleAcess, VerificaAcesso (rights and supervisors of AccessRights),
// LogControleAcess (table LOGCONTROLEACESSO), TecladoNumerico, AbreGaveta and
// VerificaStatusGaveta (the simulated drawer). Every other function throws AppError
// saying it is not available on this till yet.
class SuiteDialogs : public FrontOfficeDialogs {
public:
    // db: the restaurant database the dialogs read and write; parent: the window the
    // dialogs are shown over (the active window when none).
    SuiteDialogs(QSqlDatabase db, QWidget* parent = nullptr);

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

    bool AberturaMesa(const QString& nrMesa, ClientDataSet& cdsDadosAbertura) override;
    bool ControleSenhOper(const QVariantList& params, int lastIndex,
                          QVariantList& retorno) override;
    void CriaListReserva(const QString& nrMesa, const QDateTime& primeiroDia,
                         const QDateTime& ultimoDia) override;
    void CriaConsulReserva(const QString& nrResMesa) override;
    void CriaMenuMesa(const QString& cdFilial, const QString& cdLoja, const QString& nrConfTela,
                      int a4) override;
    bool CriaFuncoesFiscais(int a1, int a2, int a3) override;
    void RelFiscais() override;
    void CriaConsultaPreco() override;

    // Opens the simulated drawer; AppError when its file cannot be written.
    void AbreGaveta(const QString& idTipoImp, const QString& cdPorta) override;
    // 1 when the simulated drawer is open, 0 otherwise.
    int VerificaStatusGaveta(const QString& idTipoImp, const QString& cdPorta) override;

    void FechaConta(ClientDataSet& cdsParamFechaConta, QVariantList& retorno,
                    const QString& posicaoApp) override;
    void ParcialConta(QString& nrMesa) override;
    void CancelaProduto(const QString& nrComanda, const QString& dsComanda, const QString& tipo,
                        const QString& nrMesa) override;
    void TrocaOperadorCaixa(QString& nmOperador) override;
    void CriaInfAdicional(const QVariantList& values, QVariantList& retorno) override;
    void PesqConsumidor(const QString& modo, int a2, QString& a3, const QString& a4,
                        const QString& a5, ClientDataSet& cdsCliente, QString& cdCliente,
                        QStringList& retornos) override;
    void AtivaProcesso(QWidget* tela, const QString& aviso, int a3, int a4) override;
    void DesativaProcesso() override;
    bool Recebimento(RecebimentoArgs& args) override;
    void getNumeroSerieNFCe(const QString& cdFilial, const QString& cdCaixa,
                            QString& serie) override;
    void getDataEmissNFCe(QString& data) override;
    bool SATOnline(const QString& cdFilial, const QString& cdCaixa, const QString& nrSeqVenda,
                   const QString& idUtilSatComp, const QString& cdAtivacaoSat,
                   const QString& dirXmlFiscal, const QString& stIbpt, const QString& stIbptEs,
                   QStringList& answer) override;
    void Imp_Extrato_SAT_Ger(const QVariantList& values) override;
    void DisparaImpressaoNaoFiscal(const QVariantList& values, QVariant& retorno) override;
    void AlteraVendaCan(const QVariantList& values, QVariant& retorno, QString& resultado) override;

protected:
    // Shows a dialog modally and returns its result; tests drive the dialog instead.
    virtual int execDialog(QDialog& dialog);
    // Tells the operator something (message type of Mensagem) in a message box.
    virtual void showMessage(const QString& text, int tipo);
    QWidget* dialogParent() const;

private:
    // Tells the operator, once for each distinct fault, that the rights could not be
    // read and what that means for the guarded commands.
    void tellFault(const AccessRights& rights);

    QSqlDatabase db_;
    QPointer<QWidget> parent_;
    QString faultTold_;
};

} // namespace tmk
