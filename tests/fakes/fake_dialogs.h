#pragma once

#include "external/dialogs.h"
#include "tests/fakes/answers.h"
#include "tests/fakes/call_log.h"

#include <QHash>
#include <QList>
#include <QVariantMap>
#include <functional>
#include <optional>

namespace tmk {

// Answer of VerificaAcesso: allowed, and the authoriser written into cdOperAutoriz.
struct AccessAnswer {
    bool allowed = false;
    QString cdOperAutoriz;
};

// Answer of TecladoNumerico: confirmed with a value, or cancelled.
struct KeypadAnswer {
    bool confirmed = false;
    QString value;

    static KeypadAnswer typed(const QString& value) { return {true, value}; }
    static KeypadAnswer cancelled() { return {}; }
};

// Answer of AberturaMesa: opened, and the rows (column -> value) the dialog leaves
// in cdsDadosAbertura.
struct OpeningAnswer {
    bool opened = false;
    QList<QVariantMap> rows;

    static OpeningAnswer openedWith(const QVariantMap& row) { return {true, {row}}; }
    static OpeningAnswer cancelled() { return {}; }
};
// One cdsDadosAbertura row of a new sale.
QVariantMap openingRow(const QString& nrVendaRest, const QString& nrComanda,
                       const QString& dsComanda, const QString& cdCliente,
                       const QString& cdVendedor, const QString& cdConsumidor);

// Answer of ControleSenhOper: confirmed, and the waiter code put into element 0.
struct WaiterAnswer {
    bool confirmed = false;
    QString cdVendedor;
};

// Answer of FechaConta: values written into the current row of the parameter table
// (e.g. CDCONSUMIDOR) and, when not empty, the out array that replaces retorno.
struct AccountClosingAnswer {
    QVariantMap paramFields;
    QVariantList retorno;
};

// Answer of Recebimento: completed or abandoned; fill sets the out-values.
struct PaymentAnswer {
    bool completed = false;
    std::function<void(RecebimentoArgs&)> fill;
};

// Answer of SATOnline: transmitted, and the "name=value" answer list.
struct SatAnswer {
    bool transmitted = false;
    QStringList answer;
};

// Answer of AlteraVendaCan: the out variant (left as given when invalid) and the
// out service result.
struct SaleCancelAnswer {
    QVariant retorno;
    QVariant resultado;
};

// Recording fake of the front-office dialogs. Every call is recorded under its
// function name with its arguments in call order; out-parameters are recorded with
// the value they had on entry, datasets by name (AberturaMesa and FechaConta add a
// DataPacket copy right after the name), widgets by objectName, and Recebimento
// with its 48 values in order (datasets by name, 24-32 spread out).
//
// Defaults when nothing is scripted: access refused (VerificaAcesso) but the
// ControleAcess out text "S"; keypad, opening dialog and waiter password cancelled;
// payment abandoned; SAT not transmitted; drawer closed (0) and opening when asked;
// CriaFuncoesFiscais true; other out-values left as given.
class FakeDialogs : public FrontOfficeDialogs {
public:
    explicit FakeDialogs(CallLog& log)
        : log_(log) {}

    // ControleAcess out text per access code; codes not listed get "S".
    QHash<int, QString> controleAcess;
    ScriptedAnswers<AccessAnswer> verificaAcesso;
    ScriptedAnswers<KeypadAnswer> tecladoNumerico;
    ScriptedAnswers<OpeningAnswer> aberturaMesa;
    ScriptedAnswers<WaiterAnswer> controleSenhOper;
    ScriptedAnswers<bool> criaFuncoesFiscais{true};
    ScriptedAnswers<int> verificaStatusGaveta{0};
    // false: AbreGaveta fails with an AppError, as a drawer that does not open.
    ScriptedAnswers<bool> abreGaveta{true};
    ScriptedAnswers<AccountClosingAnswer> fechaConta;
    ScriptedAnswers<std::optional<QString>> parcialConta; // nrMesa out
    // The new operator's name when one signed in; nothing: the dialog was given up.
    ScriptedAnswers<std::optional<QString>> trocaOperadorCaixa;
    ScriptedAnswers<QString> criaInfAdicional; // e-mail, element 6
    // A text here makes the consumer search fail with it (AppError); empty: it runs.
    ScriptedAnswers<QString> pesqConsumidor;
    ScriptedAnswers<PaymentAnswer> recebimento;
    ScriptedAnswers<QString> numeroSerieNFCe;
    ScriptedAnswers<QString> dataEmissNFCe;
    ScriptedAnswers<SatAnswer> satOnline{
        SatAnswer{false, {QStringLiteral("mensagem=Sem resposta")}}};
    ScriptedAnswers<QVariant> disparaImpressaoNaoFiscal;
    ScriptedAnswers<SaleCancelAnswer> alteraVendaCan;

    void ControleAcess(int codigoAcesso, const QString& cdOperador, QString& resultado) override;
    bool VerificaAcesso(int codigoAcesso, const QString& cdOperador,
                        QString& cdOperAutoriz) override;
    void LogControleAcess(const QString& cdFilial, const QString& cdCaixa,
                          const QString& cdOperacao, const QString& cdOperador,
                          const QString& nmOperador, const QString& cdOperAutoriz,
                          const QString& dsMotivo, const QString& dsMotivoLongo,
                          const QString& nrVendaRest, const QString& nrComanda,
                          const QString& dsComanda, const QString& nrMesa,
                          const QVariant& cdVendedor, const QVariant& nrSeqVenda) override;
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
    void AbreGaveta(const QString& idTipoImp, const QString& cdPorta) override;
    int VerificaStatusGaveta(const QString& idTipoImp, const QString& cdPorta) override;
    void FechaConta(ClientDataSet& cdsParamFechaConta, QVariantList& retorno,
                    const QString& posicaoApp) override;
    void ParcialConta(QString& nrMesa) override;
    void CancelaProduto(const QString& nrComanda, const QString& dsComanda, const QString& tipo,
                        const QString& nrMesa) override;
    bool TrocaOperadorCaixa(QString& nmOperador) override;
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
    void AlteraVendaCan(const QVariantList& values, QVariant& retorno,
                        QVariant& resultado) override;

private:
    QVariantList record(const QString& name, const QVariantList& args);

    CallLog& log_;
};

} // namespace tmk
