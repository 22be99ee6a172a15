#pragma once

#include "external/suite.h"
#include "platform/client_dataset.h"
#include "platform/clock.h"
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

// The table screen: its state, datasets, message catalogue, timers and the logic of
// initialisation, the table map, refresh and footer, and the command guards. It draws
// nothing itself: the window (TfrmGerMesaView) shows its model and forwards events.
class TfrmGerMesa : public QObject {
    Q_OBJECT

public:
    // dataModule returns the process-wide data module, creating and connecting it on
    // first use.
    using DataModuleProvider = std::function<TrdmGerMesa&()>;

    TfrmGerMesa(SuiteLibraries suite, DataModuleProvider dataModule, const Clock& clock,
                QObject* parent = nullptr);
    ~TfrmGerMesa() override;

    ScreenState st;
    ScreenModel model;

    // Datasets of the screen.
    ClientDataSet cdsParametrosKov{QStringLiteral("cdsParametrosKov")};
    ClientDataSet cdsCliente{QStringLiteral("cdsCliente")};
    ClientDataSet cdsAliqImpFis{QStringLiteral("cdsAliqImpFis")};
    ClientDataSet cdsConfTipoRece{QStringLiteral("cdsConfTipoRece")};
    ClientDataSet cdsECFCaixa{QStringLiteral("cdsECFCaixa")};
    ClientDataSet cdsAberturaCaixa{QStringLiteral("cdsAberturaCaixa")};
    ClientDataSet cdsValidaAbertura{QStringLiteral("cdsValidaAbertura")};
    ClientDataSet cdsControleAcess{QStringLiteral("cdsControleAcess")};
    ClientDataSet cdsDataMovimento{QStringLiteral("cdsDataMovimento")};
    ClientDataSet cdsStatusMesas{QStringLiteral("cdsStatusMesas")};
    ClientDataSet cdsReserva{QStringLiteral("cdsReserva")};
    ClientDataSet cdsAmbientes{QStringLiteral("cdsAmbientes")};
    ClientDataSet cdsConfigMesa{QStringLiteral("cdsConfigMesa")};
    ClientDataSet cdsUltimaVenda{QStringLiteral("cdsUltimaVenda")};
    ClientDataSet cdsMesaJuncao{QStringLiteral("cdsMesaJuncao")};
    ClientDataSet cdsListaComanda{QStringLiteral("cdsListaComanda")};
    ClientDataSet cdsMovCaixa{QStringLiteral("cdsMovCaixa")};
    ClientDataSet cdsListaComandaCanc{QStringLiteral("cdsListaComandaCanc")};
    ClientDataSet cdsFamiliaSaldo{QStringLiteral("cdsFamiliaSaldo")};
    ClientDataSet cdsEmprestimoFam{QStringLiteral("cdsEmprestimoFam")};
    ClientDataSet cdsItComandaEst{QStringLiteral("cdsItComandaEst")};

    QTimer timDataHora;
    QTimer timConexao;
    QTimer timAtuTicketMed;

    // Lifecycle.
    void FormCreate();
    void InicializaForm();
    void FormActivate();
    void FormClose();
    void ControlaHabilitacao();
    void LimpaCDS();

    // Table map.
    void MontaMenuAmbiente();
    void MontaMenuMesa(bool recarrega);
    void LimpaMenuMesa();
    void sbtAmb01Click(const QString& buttonName);
    void sbtVoltaClick();
    void sbtFrenteClick();
    QString StatusAgrup(const QString& nrMesa);
    bool VerificaReserva(const QString& nrMesa);
    bool TempoSemPedido(const QDateTime& ultimoPedido) const;

    // Timers, refresh and footer.
    void HabilitaTimer();
    void DesabilitaTimer();
    void DisparaAtualizacao();
    void PreencheRodape();
    void AtualizaTicketMedio();
    void timDataHoraTimer();
    static QDate PrimeiroDiaMes(const QDate& data);

    // Keys and the screen's own commands.
    void FormKeyDown(int key, Qt::KeyboardModifiers modifiers, const QString& text);
    void lblSairClick();
    void comandoClicado(const QString& botao);

    // Command guards and conventions shared by every command.
    void Verifica_Gaveta();       // drawer guard: aborts silently when the drawer is open
    bool ValidaAberCaixa();       // cash-register guard: false after its messages
    void VerificaFechamentoDia(); // business-day guard: aborts silently after its message
    bool VerificaAcesso(int codigoAcesso);
    // Numeric keypad; false when cancelled. Table numbers come back as Ajusta(value, 4).
    bool TecladoNumerico(QString& valor, const QString& captionKey, const QString& promptKey,
                         const QString& msgVazioKey, int maxDigitos);
    bool PedeMesa(QString& nrMesa, const QString& captionKey);
    // The data-service call convention: MensagemMetodo with the operation's name, the
    // unit label, the context (the key values joined by "-") and the scheme.
    QVariant servico(const QVariant& resultado, const QString& operacao,
                     const QStringList& contexto, int modo = 0,
                     const QString& unidade = QStringLiteral("Cli_Tmk00470"));
    // The same for a packet, loaded into a dataset.
    void carrega(ClientDataSet& cds, const QVariant& resultado, const QString& operacao,
                 const QStringList& contexto,
                 const QString& unidade = QStringLiteral("Cli_Tmk00470"));
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

    // Event entry: runs a handler; a silent abort ends it quietly, any other error is
    // shown as an error box and the screen stays usable.
    bool evento(const std::function<void()>& handler);
    // A timer tick: skipped while a command (or its message box) is running.
    void tick(const std::function<void()>& handler);
    bool ocupado() const { return busy_ > 0; }
    // Closes the screen (the entry then returns to the host).
    void fecha();

    // Window position for a screen size: centred, truncated toward zero.
    static QPoint posicaoJanela(const QSize& tela, const QSize& janela);

    TrdmGerMesa& dm();
    const SuiteLibraries& suite() const { return suite_; }
    const Clock& clock() const { return clock_; }

Q_SIGNALS:
    void changed();        // the model changed: redraw
    void closeRequested(); // an operation closed the screen
    void closed();         // FormClose ran
    void raiseRequested(); // bring the window and the application to the front

private:
    void carregaParametros();
    void carregaArquivosCadastro();
    void carregaOperadorEData();
    bool carregaArquivo(ClientDataSet& cds, const QString& relativePath);
    void posicionaJanela();
    void setCommand(const QString& name, bool enabled, bool visible = true);
    void avancaAmbiente(int passo);
    void indexaAmbientes();
    void indexaConfigMesa();
    void indexaReserva();
    QString acesso(int codigo);

    SuiteLibraries suite_;
    DataModuleProvider dataModule_;
    const Clock& clock_;
    TrdmGerMesa* dm_ = nullptr;
    int busy_ = 0;
};

} // namespace tmk
