#pragma once

#include <QDateTime>
#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QSet>
#include <QSqlDatabase>
#include <QString>
#include <QStringList>
#include <QVariantMap>
#include <deque>
#include <functional>
#include <stdexcept>
#include <vector>

class QAbstractButton;
class QWidget;

namespace tmk::walkthrough {

class Walkthrough;

// One step of the day: what the operator does, starting on a window at rest (the table map
// unless another is named), and what must hold once the front office is at rest again.
struct Step {
    QString nome;   // its picture's name, without the number ("abertura-mesa")
    QString titulo; // what the operator does, in one line
    std::function<void(Walkthrough&)> faz;
    std::function<void(Walkthrough&)> confere;
    QString inicio = QStringLiteral("frmGerMesa"); // the window the step starts on
};

struct StepResult {
    QString nome;
    QString titulo;
    bool feito = false;
    QStringList falhas;
    QString foto; // the picture written, when a folder was given
    qint64 ms = 0;
};

// Ends the running step at once: a window that did not come, a control that is missing.
class StepAborted : public std::runtime_error {
public:
    explicit StepAborted(const QString& texto)
        : std::runtime_error(texto.toStdString()) {}
};

// Walks the front office through a list of steps as an operator would: it follows the
// windows the application shows, starts each step when the table map is at rest, answers
// the dialogs a step expects (found by their object names) and records every check that
// fails. After the last step it closes the front office from the general functions.
// Everything runs on the application's thread, inside whatever modal loop is running.
class Walkthrough : public QObject {
public:
    // pastaFotos: where the pictures of the steps are written ("01-mapa-inicial.png" ...),
    // none when empty; banco: an open connection to the till's database for the checks;
    // pastaCaixa: the till folder whose fiscal and print folders are looked at.
    Walkthrough(std::vector<Step> passos, QString pastaCaixa, QSqlDatabase banco,
                QString pastaFotos = {});
    ~Walkthrough() override;

    // Starts following the windows; the front office is then run as usual.
    void start();
    // How long a window may wait for its answer and a step for the window it expects, and
    // how long a window nobody expects stays before it is recorded and closed.
    void definePrazos(qint64 prazoMs, qint64 estranhaMs);
    // How long a whole step may take: past it the step fails naming the windows on screen,
    // they are closed and the rest of the day is not walked.
    void definePrazoDoPasso(qint64 passoMs) { passoMs_ = passoMs; }
    bool terminou() const { return terminou_; }
    const std::vector<StepResult>& resultados() const { return resultados_; }
    // Every failure, each preceded by the name of its step; a step that never ran is one.
    QStringList falhas() const;

    // For the steps. The answer to the next window of that object name to come on top;
    // answers are given in the order they were asked for.
    void quandoAparecer(const QString& janela, std::function<void(QWidget&)> resposta);
    // The answer to the next message box: its text must be the one given (a failure
    // otherwise) and the button is touched ("btnOK", "btnSim", "btnNao", "btnResposta0"...),
    // after the step's picture when asked for.
    void responde(const QString& texto, const QString& botao = QStringLiteral("btnOK"),
                  bool comFoto = false);
    // The step's picture: the screen as the operator sees it now, the window on top
    // included. Without one, the step is pictured at rest after it.
    void foto();
    void falha(const QString& texto);
    // Records a failure unless ok; returns ok.
    bool confere(bool ok, const QString& oQue);
    void igual(const QVariant& visto, const QVariant& esperado, const QString& oQue);

    // The checks' reads: the first row of a statement of the walkthrough's catalogue
    // (empty when none) and all its rows.
    QVariantMap linha(const QString& consulta, const QVariantMap& params = {});
    QList<QVariantMap> linhas(const QString& consulta, const QVariantMap& params = {});
    // Files of a folder of the till ("Impressoes", "Dados/XML_NFCe_Sat") whose names hold
    // the text and that came during the running step.
    QStringList novosArquivos(const QString& pasta, const QString& contem = {}) const;
    QString pastaCaixa() const { return pastaCaixa_; }

    // The table map, and the button that shows a table (by its caption, without the
    // brackets of a join); StepAborted when not on the page the map shows.
    QWidget& mapa() const;
    QAbstractButton& mesaNoMapa(const QString& legenda) const;
    // Looks at a table on the map: its picture and caption.
    void confereMesa(const QString& legenda, const QString& imagem, bool junta = false);
    // When the step started.
    QDateTime inicioDoPasso() const { return inicioPasso_; }

private:
    struct Resposta {
        QString janela;
        std::function<void(QWidget&)> acao;
    };

    void agenda();
    void tique();
    bool atende(QWidget* modal);
    bool emRepouso(QWidget* modal);
    QString janelaDeRepouso() const;
    void emRepousoSemRespostas();
    void iniciaPasso();
    void encerraPasso();
    void fechaOCaixa();
    void fechaJanela(QWidget* janela, const QString& motivo, bool forcada = false);
    void abandona(const QString& motivo);
    QStringList arquivos(const QString& pasta) const;
    void gravaFoto(const QImage& imagem);

    std::vector<Step> passos_;
    std::vector<StepResult> resultados_;
    QString pastaCaixa_;
    QSqlDatabase banco_;
    QString pastaFotos_;
    std::deque<Resposta> respostas_;
    int atual_ = -1;          // the step that ran last
    bool rodando_ = false;    // its action is on the stack
    bool pendente_ = false;   // it ran and is not yet checked
    bool fotoTirada_ = false; // it has its picture
    bool fechando_ = false;
    int fechadasNoPasso_ = 0; // windows the running step left to be closed
    bool abandonado_ = false; // too many: the rest of the day is not walked
    bool terminou_ = false;
    QDateTime inicioPasso_;
    QElapsedTimer relogioPasso_;
    QElapsedTimer semProgresso_;
    QPointer<QWidget> repouso_; // the window seen at rest at the last tick
    QPointer<QWidget> estranha_;
    QElapsedTimer estranhaDesde_;
    QMap<QString, QSet<QString>> arquivosAntes_;
    qint64 prazoMs_ = 15000;
    qint64 estranhaMs_ = 1500;
    qint64 passoMs_ = 60000;
};

// The buttons and fields of a window, found by object name; StepAborted when missing,
// hidden or disabled.
QWidget& controle(QWidget& janela, const QString& nome);
void toca(QWidget& janela, const QString& botao);
void escreve(QWidget& janela, const QString& campo, const QString& texto);
// Sets a number field (a spin box) as the operator would with its arrows.
void poe(QWidget& janela, const QString& campo, int valor);
// Touches the keys "btn0".."btn9" (and "btnVirgula" for a comma) of a keypad for each
// character of the text.
void digita(QWidget& janela, const QString& texto);

} // namespace tmk::walkthrough
