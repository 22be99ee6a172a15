#pragma once

#include "external/suite.h"
#include "platform/client_dataset.h"
#include "platform/clock.h"
#include "screen/screen_datasets.h"
#include "screen/screen_model.h"
#include "screen/screen_state.h"

#include <QElapsedTimer>
#include <QObject>
#include <QPoint>
#include <QSize>
#include <QStringList>
#include <QTimer>
#include <functional>

namespace tmk {

class TrdmGerMesa;
struct RecebimentoEmCurso;
class DevolveMesa;

// The table screen: its state, datasets, message catalogue, timers and the logic of every
// command. It draws nothing itself: the window (TfrmGerMesaView) shows its model and
// forwards events.
//
// The methods are declared by the file that defines them, so this list is the table of
// contents of screen/, screen/commands/, screen/receipt/ and screen/mobile/.
class TfrmGerMesa : public QObject, public ScreenDataSets {
    Q_OBJECT

public:
    // dataModule returns the process-wide data module, creating and connecting it on
    // first use.
    using DataModuleProvider = std::function<TrdmGerMesa&()>;

    ScreenState st;
    ScreenModel model;

    QTimer timDataHora;
    QTimer timConexao;
    QTimer timAtuTicketMed;

    // ---- The screen object (screen/ger_mesa.cpp): construction, the data module and the
    // event entry.
    TfrmGerMesa(SuiteLibraries suite, DataModuleProvider dataModule, const Clock& clock,
                QObject* parent = nullptr);
    ~TfrmGerMesa() override;
    TrdmGerMesa& dm();
    const SuiteLibraries& suite() const { return suite_; }
    const Clock& clock() const { return clock_; }
    // Event entry: runs a handler; a silent abort ends it quietly, any other error is
    // shown as an error box and the screen stays usable.
    bool evento(const std::function<void()>& handler);
    // A timer tick: skipped while a command (or its message box) is running.
    void tick(const std::function<void()>& handler);
    // Closes the screen (the entry then returns to the host).
    void fecha();

    // ---- Lifecycle (screen/screen_init.cpp).
    void FormCreate();
    void InicializaForm();
    void FormActivate();
    void FormClose();
    void ControlaHabilitacao();
    void LimpaCDS();
    // Window position for a screen size: centred, truncated toward zero.
    static QPoint posicaoJanela(const QSize& tela, const QSize& janela);

    // ---- Table map (screen/table_map.cpp).
    void MontaMenuAmbiente();
    void MontaMenuMesa(bool recarrega);
    void LimpaMenuMesa();
    void sbtAmb01Click(const QString& buttonName);
    void sbtVoltaClick();
    void sbtFrenteClick();
    QString StatusAgrup(const QString& nrMesa);
    bool VerificaReserva(const QString& nrMesa);
    bool TempoSemPedido(const QDateTime& ultimoPedido) const;

    // ---- Timers, refresh and footer (screen/refresh_footer.cpp).
    void HabilitaTimer();
    void DesabilitaTimer();
    void DisparaAtualizacao();
    void PreencheRodape();
    void AtualizaTicketMedio();
    void timDataHoraTimer();
    static QDate PrimeiroDiaMes(const QDate& data);

    // ---- Following the other tills (screen/change_refresh.cpp).
    // Follows the changes other tills commit to the map of the till's branch and store,
    // through the data service's listener; the periodic refresh goes on as before.
    void SegueMudancas();
    // Another till committed a change: the map is refreshed at most once per
    // kIntervaloMudancas ms, never while a command (or one of its message boxes) runs but
    // right after it, and only while the refresh timer runs (a table dialog stops it; the
    // refresh then comes when it starts again).
    void MudancaNotificada();
    static constexpr int kIntervaloMudancas = 250;

    // ---- Keys and the typed table number (screen/keyboard.cpp).
    // A key reaches the screen before the focused control: a key of the command table
    // (screen/command_table.cpp) runs its command, a letter or digit typed without Alt
    // goes into the typed-number buffer (four characters at most).
    void FormKeyDown(int key, Qt::KeyboardModifiers modifiers, const QString& text);
    // A command button touched: the command its row of the command table names.
    void comandoClicado(const QString& botao);
    void apagaDigito();      // Backspace, Delete: the buffer's last character goes
    void AbreMesaDigitada(); // Enter: the typed table
    void ambienteSeguinte(); // Up: the next area (1..16, round)
    void ambienteAnterior(); // Down: the previous area

    // ---- The screen's general commands (screen/general_commands.cpp).
    void lblSairClick();
    void sbtFuncoesClick();
    void sbtMenuClick();
    void sbtConsultaPrecoClick();
    void AbreGaveta();        // F12: opens the cash drawer
    void RelatoriosFiscais(); // F1: the fiscal reports

    // ---- Command routing (screen/command_table.cpp).
    // The answer of a command this till does not offer yet.
    void comandoIndisponivel();

    // ---- Table selection (screen/selection.cpp).
    // A table button touched: the table it shows goes to ControleMesa.
    void tcb01Click(const QString& buttonName);
    // What the table needs: refused, opened, continued after the waiter's password, or
    // received.
    void ControleMesa(const QString& nrMesa);
    // Receives a table: one receipt for the account, or one per product nature. False when
    // an error ended it (shown); the map is refreshed in every case.
    bool BuscaDadosMesa(const QString& nrMesa, const QString& naoUsado);
    void sbtReservaClick();
    // How many times the screen was closed since it was made: a command that sees it
    // change knows that it closed the screen.
    int vezesFechada() const { return fechamentos_; }

    // ---- Operation log (screen/operation_log.cpp).
    // One access-log record per kind of orphan record the sale clean-up removed (its
    // answer's flags, largest first).
    void geraLog(int resposta, const QString& nrMesa);

    // ---- Conventions every command uses (screen/conventions.cpp).
    // The data-service call: MensagemMetodo with the operation's name, the unit label, the
    // context (the key values joined by "-") and the scheme.
    // An empty esquema means IdEsquema.
    QVariant servico(const QVariant& resultado, const QString& operacao,
                     const QStringList& contexto, int modo = 0,
                     const QString& unidade = QStringLiteral("Cli_Tmk00470"),
                     const QString& esquema = {});
    // The same for a packet, loaded into a dataset.
    void carrega(ClientDataSet& cds, const QVariant& resultado, const QString& operacao,
                 const QStringList& contexto,
                 const QString& unidade = QStringLiteral("Cli_Tmk00470"),
                 const QString& esquema = {});
    // Numeric keypad; false when cancelled.
    bool TecladoNumerico(QString& valor, const QString& captionKey, const QString& promptKey,
                         const QString& msgVazioKey, int maxDigitos);
    // A table number from the keypad, as Ajusta(value, 4); false when cancelled.
    bool PedeMesa(QString& nrMesa, const QString& captionKey);
    // The access-log record of a command.
    void gravaLogAcesso(const QString& cdOperacao, const QString& dsMotivo,
                        const QString& dsMotivoLongo, const QString& nrVendaRest = {},
                        const QString& nrComanda = {}, const QString& dsComanda = {},
                        const QString& nrMesa = {}, const QVariant& cdVendedor = 0,
                        const QVariant& nrSeqVenda = 0);
    // Catalogue text of a key, with "%s" placeholders filled in order.
    QString msg(const QString& key, const QStringList& args = {}) const;
    // Shows a catalogue message; for type 1 questions with pergunta true, returns the answer.
    bool mensagem(const QString& texto, int tipo, bool pergunta = false);

    // ---- Command guards (screen/commands/guards.cpp).
    void Verifica_Gaveta();       // drawer guard: aborts silently when the drawer is open
    bool ValidaAberCaixa();       // cash-register guard: false after its messages
    void VerificaFechamentoDia(); // business-day guard: aborts silently after its message
    bool VerificaAcesso(int codigoAcesso);

    // ---- Party size (screen/commands/party_size.cpp).
    void sbtNPessoasClick();

    // ---- Table and position release (screen/commands/release.cpp).
    void sbtLiberarMesaClick();

    // ---- Close account (screen/commands/close_account.cpp).
    // Also the close of a table picked from the app-paid list: NrMesaApp and PosicaoApp set.
    void spbFechaClick();

    // ---- Partial bill (screen/commands/partial_bill.cpp).
    void sbpParcialClick();

    // ---- Typed table number (screen/commands/typed_table.cpp).
    void sbpTecladoClick();

    // ---- Item cancellation (screen/commands/item_cancel.cpp).
    void sbtCancelaItemClick();

    // ---- Opening cancellation (screen/commands/opening_cancel.cpp).
    void sbtCancAberturaClick();
    void CancelaAbertura();

    // ---- Operator change (screen/commands/operator_change.cpp).
    void sbtTrocaOperadorClick();

    // ---- Counter sale (screen/commands/counter_sale.cpp).
    void sbtPedidosClick();
    // Receives the counter sale the host took on the store's counter table (its bill
    // requested) through the receipt flow of a table; false when an error interrupted it.
    // Whether the sale was concluded is read from the table's sale afterwards.
    bool RecebeVendaBalcao(const QString& nrMesa);

    // ---- Receipt e-mail (screen/commands/receipt_email.cpp).
    // Sets the receipt's e-mail address and sending state on every row of cdsListaComanda.
    void relacionaEmailVenda();

    // ---- Receipt flow (screen/receipt/receipt_flow.cpp).
    // Receives payment for one table whose bill was requested, one coupon. Virtual so that
    // a test can stand in for the whole flow.
    virtual void ChamaRecebimento(const QString& cdFilial, const QString& nrVendaRest,
                                  const QString& listaComandas, const QString& nrMesa,
                                  const QString& nrComanda, const QString& dsComanda,
                                  const QString& cdNatProduto, qint32 qtCuponsRestantes);

    // The success path of a verified sale: card transactions confirmed, the service charge
    // left for the other natures, the table settled, the receipts printed.
    void concluiRecebimento(RecebimentoEmCurso& r, DevolveMesa& mesa);
    // The pads of the coupon's account (sale, pad): the first item's, then every other pad
    // of the table and its join group that the account lists.
    QList<QPair<QString, QString>> comandasDaConta(const RecebimentoEmCurso& r);

    // ---- Claiming the table (screen/receipt/table_claim.cpp).
    // The table's state decides: "S" is claimed for this till in one conditional update
    // that records the till; "R" is accepted for the later coupons of this till's own
    // series, and when the claim is this till's own, left by a receipt that did not end
    // (the till stopped midway); otherwise the operator is told ("Mesa_Rec", the till
    // holding the table "Mesa_Rec_Caixa", "Mesa_N_Sol") and the flow ends with the silent
    // abort.
    void reservaMesa(RecebimentoEmCurso& r);
    // True when this till stored the coupon's sale already (a receipt that stopped after
    // the sale): the operator is told and the sale is finished without charging again.
    bool vendaJaGravada(RecebimentoEmCurso& r);

    // ---- Account loading and preparation (screen/receipt/account_preparation.cpp).
    void carregaConta(RecebimentoEmCurso& r);
    void preparaConta(RecebimentoEmCurso& r);
    // The service charge of the items of one nature (each amount truncated to cents).
    static double totalNatureza(ClientDataSet& itens);
    // A pick-up password beyond the maximum restarts the day's sequence (as numbers).
    static bool senhaAcimaDoMaximo(const QString& senha, const QString& maximo);

    // ---- Payment dialog and sale conclusion (screen/receipt/conclusion.cpp).
    // The payment dialog under the busy notice; true when the payment was completed.
    bool abreRecebimento(RecebimentoEmCurso& r);
    // Stores the sale once: setConcluiFechamento, the access log, the app payments tied
    // to it, the credit balance line.
    void gravaVenda(RecebimentoEmCurso& r);
    // Benefits and loyalty of the stored sale, once.
    void lancaBeneficios(RecebimentoEmCurso& r);
    // Asks the data service whether the sale is stored: "S" at once or after up to three
    // more checks two seconds apart; an AppError otherwise.
    void verificaVenda(RecebimentoEmCurso& r);

    // ---- Fiscal document, table clearing and printouts (screen/receipt/fiscal_document.cpp).
    // NFC-e or SAT of the stored sale, once.
    void emiteDocumentoFiscal(RecebimentoEmCurso& r);
    // Settles the table after a recorded sale; a failure is shown and may be retried.
    // False when the operator gave up (the table then goes back to "S").
    bool liquidaMesa(RecebimentoEmCurso& r);
    // The receipts of a verified sale; a failure is shown as a warning.
    void imprimeRecebimento(RecebimentoEmCurso& r);
    void PreencheParamImpCupNF(const QString& cdIdConsumidor, const QString& nrNaoFiscal,
                               const QString& nrSeqVenda, const QString& senhaCupom,
                               double vrTotalPago);
    // nCFe and nserieSAT of the SAT's XML answer; an AppError when either is missing.
    static void leDocumentoSat(const QString& xml, QString& nrNotaFiscalCe, QString& nrSerieSat);

    // ---- Failure, cancellation and clean-up of a receipt (screen/receipt/receipt_failure.cpp).
    void abandonaRecebimento(RecebimentoEmCurso& r, DevolveMesa& mesa);
    // Undoes a sale that did not end recorded: the coupon on the fiscal printer, the sale
    // and what it took (app payments, benefits), the card transactions not confirmed.
    void desfazVenda(RecebimentoEmCurso& r);
    void ApagaCdsVenda_CdsItensCancelados();

    // ---- App-paid tables (screen/mobile/app_paid_tables.cpp).
    // Rebuilds the strip from the pending app payments: button n shows the payment of
    // LINHA n (1 the most recent); the others are hidden. A failed read leaves the strip as
    // it was.
    void MontaListaMesasPagasAPP();
    // A strip button touched: a whole table paid goes to ControleMesa, a paid seat to the
    // close-account command for that table and seat, and a table left without items is
    // cleaned and freed.
    void sbtMesaAPP1Click(const QString& buttonName);
    // The caption of a payment: "Mesa 12", or "Mesa 12 (03)" for a seat.
    static QString legendaMesaApp(const QString& nrMesa, const QString& nrLugarMesa);

    // ---- Mobile payment insertion (screen/mobile/mobile_payment.cpp).
    // Rebuilds cdsMovCaixa from the table's app payments (cdsMovCaixaMob); total receives
    // their sum. An app payment whose receipt type this till does not know is an AppError.
    void InserePagamentoMobile(double& total);

    // ---- Consumer consultation (screen/mobile/consumer_query.cpp).
    void sbtConsultaConsClick();

Q_SIGNALS:
    void changed();        // the model changed: redraw
    void closeRequested(); // an operation closed the screen
    void closed();         // FormClose ran
    void raiseRequested(); // bring the window and the application to the front

private:
    // screen/table_map.cpp: the page-wide reads of MontaMenuMesa
    class LeituraPagina;

    // screen/ger_mesa.cpp
    void setCommand(const QString& name, bool enabled, bool visible = true);

    // screen/screen_init.cpp
    void criaModuloDeDados();
    void configuraCaixa();
    void voltaAoPrimeiroAmbiente();
    void carregaParametros();
    void carregaArquivosCadastro();
    void carregaOperadorEData();
    // The signed-in operator's code and name from the till's operator file, when it exists.
    void carregaOperador();
    bool carregaArquivo(ClientDataSet& cds, const QString& relativePath);
    QString acesso(int codigo);

    // screen/table_map.cpp
    void indexaAmbientes();
    void indexaConfigMesa();
    void indexaReserva();

    // screen/keyboard.cpp
    void avancaAmbiente(int passo);

    // screen/mobile/app_paid_tables.cpp
    void recebeMesaApp();
    void fechaLugarApp();
    void confereValorApp(int botao);
    void limpaMesaApp();

    // screen/conventions.cpp
    // A column of the current row of a dataset as text; empty when the dataset is empty
    // or has no such column.
    static QString campo(ClientDataSet& cds, const QString& coluna);

    // screen/commands/release.cpp
    void liberaPosicoes(const QString& mesaDigitada);
    void registraLiberacao(const QString& nrMesa);

    // screen/selection.cpp
    void abreMesa(const QString& nrMesa);
    void continuaMesa(const QString& nrMesa);
    void recebeMesa(const QString& nrMesa);
    // The tabs of cdsBuscaComandas as one list: "_0001_0002_"; empty without tabs.
    QString listaComandas();
    // The sale clean-up of a table selected for ordering, and its operation log.
    void limpaVendaRest(const QString& nrMesa, const QString& status);

    // screen/change_refresh.cpp
    void agendaAtualizacao();
    void atualizaPorMudanca();

    SuiteLibraries suite_;
    DataModuleProvider dataModule_;
    const Clock& clock_;
    TrdmGerMesa* dm_ = nullptr;
    int busy_ = 0;
    QTimer timMudanca_;               // the refresh a notified change asks for
    QElapsedTimer ultimaAtualizacao_; // since the last map refresh started
    bool mudancaPendente_ = false;    // a notified change the map does not show yet
    int fechamentos_ = 0;
};

// Keeps the map's periodic refresh off while a table dialog or the receipt flow runs, and
// turns it on again when the command ends, however it ends (the silent abort and errors
// included), unless the command closed the screen: the next initialisation turns it on
// then (screen/refresh_pause.cpp).
class PausaAtualizacao {
public:
    explicit PausaAtualizacao(TfrmGerMesa& tela);
    ~PausaAtualizacao();
    PausaAtualizacao(const PausaAtualizacao&) = delete;
    PausaAtualizacao& operator=(const PausaAtualizacao&) = delete;

private:
    TfrmGerMesa& tela_;
    int fechamentos_;
};

} // namespace tmk
