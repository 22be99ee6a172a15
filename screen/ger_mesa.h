#pragma once

#include "external/suite.h"
#include "platform/client_dataset.h"
#include "platform/clock.h"
#include "screen/screen_datasets.h"
#include "screen/screen_model.h"
#include "screen/screen_state.h"

#include <QObject>
#include <QPoint>
#include <QSize>
#include <QStringList>
#include <QTimer>
#include <functional>

namespace tmk {

class TrdmGerMesa;

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

    // ---- Keys and the screen's general commands (screen/keyboard.cpp).
    void FormKeyDown(int key, Qt::KeyboardModifiers modifiers, const QString& text);
    void lblSairClick();
    void comandoClicado(const QString& botao);

    // ---- Table selection (screen/selection.cpp).

    // ---- Operation log (screen/operation_log.cpp).

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

    // ---- Receipt e-mail (screen/commands/receipt_email.cpp).
    // Sets the receipt's e-mail address and sending state on every row of cdsListaComanda.
    void relacionaEmailVenda();

    // ---- Receipt flow (screen/receipt/receipt_flow.cpp).

    // ---- Account loading and preparation (screen/receipt/account_preparation.cpp).

    // ---- Payment dialog and sale conclusion (screen/receipt/conclusion.cpp).

    // ---- Fiscal document, table clearing and printouts (screen/receipt/fiscal_document.cpp).

    // ---- Failure, cancellation and clean-up of a receipt (screen/receipt/receipt_failure.cpp).

    // ---- App-paid tables (screen/mobile/app_paid_tables.cpp).

    // ---- Mobile payment insertion (screen/mobile/mobile_payment.cpp).

    // ---- Consumer consultation (screen/mobile/consumer_query.cpp).
    void sbtConsultaConsClick();

Q_SIGNALS:
    void changed();        // the model changed: redraw
    void closeRequested(); // an operation closed the screen
    void closed();         // FormClose ran
    void raiseRequested(); // bring the window and the application to the front

private:
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
    // The table commands a button or key runs; false for a name that is none of them.
    bool comandoDeMesa(const QString& botao);
    // The same for a key; true when the key was one of theirs.
    bool teclaDeComando(int key, Qt::KeyboardModifiers modifiers);

    // screen/conventions.cpp
    // A column of the current row of a dataset as text; empty when the dataset is empty
    // or has no such column.
    static QString campo(ClientDataSet& cds, const QString& coluna);

    // screen/commands/release.cpp
    void liberaPosicoes(const QString& mesaDigitada);
    void registraLiberacao(const QString& nrMesa);

    SuiteLibraries suite_;
    DataModuleProvider dataModule_;
    const Clock& clock_;
    TrdmGerMesa* dm_ = nullptr;
    int busy_ = 0;
};

} // namespace tmk
