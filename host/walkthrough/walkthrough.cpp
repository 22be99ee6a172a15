#include "host/walkthrough/walkthrough.h"

#include "platform/database_error.h"
#include "platform/errors.h"
#include "suite/common/db_dialect.h"
#include "suite/common/statement_files.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QDirIterator>
#include <QImage>
#include <QLineEdit>
#include <QLoggingCategory>
#include <QMessageBox>
#include <QPainter>
#include <QSpinBox>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QTimer>

Q_LOGGING_CATEGORY(lcWalkthrough, "tmk.walkthrough")

namespace tmk::walkthrough {

namespace {

constexpr int kTiqueMs = 15;
// Windows closed without an answer in one step beyond which the day is given up.
constexpr int kFechadasDemais = 8;

const LibraryStatements& consultas() {
    static const LibraryStatements statements(
        QStringLiteral(":/host/walkthrough/sql"), QStringLiteral("do roteiro do dia"),
        {{QStringLiteral("mesa"), QStringLiteral("venda_aberta"), QStringLiteral("itens_mesa"),
          QStringLiteral("juncao_mesa"), QStringLiteral("vendas_mesa"),
          QStringLiteral("pagamentos_venda"), QStringLiteral("log_acesso"),
          QStringLiteral("pagamentos_app"), QStringLiteral("posicao_bloqueada")},
         {},
         {}});
    return statements;
}

QString nomeDaJanela(const QWidget* w) {
    if (const auto* box = qobject_cast<const QMessageBox*>(w)) {
        return QStringLiteral("%1 (\"%2\")").arg(w->objectName(), box->text().simplified());
    }
    return w->objectName().isEmpty() ? QString::fromLatin1(w->metaObject()->className())
                                     : w->objectName();
}

// A window the operator sees: shown, and neither a menu nor a tip.
bool naTela(const QWidget* w) {
    return w->isVisible() && w->isWindow() && w->windowType() != Qt::Popup &&
           w->windowType() != Qt::ToolTip;
}

// The window the operator works on: the modal one, else the one visible window that is not
// modal (a dialog shown without modality still waits for its answer).
QWidget* janelaNoTopo() {
    if (QWidget* modal = QApplication::activeModalWidget()) {
        return modal;
    }
    QWidget* unica = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (naTela(w)) {
            if (unica) {
                return QApplication::activeWindow();
            }
            unica = w;
        }
    }
    return unica;
}

// The windows on screen, by object name, for a step that stopped.
QString janelasVisiveis() {
    QStringList nomes;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (naTela(w)) {
            nomes << nomeDaJanela(w);
        }
    }
    nomes.sort();
    return nomes.isEmpty() ? QStringLiteral("nenhuma") : nomes.join(QStringLiteral(", "));
}

QWidget* telaDoMapa() {
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w->objectName() == QLatin1String("frmGerMesa")) {
            return w;
        }
    }
    return nullptr;
}

// A window on screen besides the map.
QWidget* outraJanela() {
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (naTela(w) && w != telaDoMapa()) {
            return w;
        }
    }
    return nullptr;
}

} // namespace

QWidget& controle(QWidget& janela, const QString& nome) {
    auto* w = janela.findChild<QWidget*>(nome);
    if (!w) {
        throw StepAborted(
            QStringLiteral("%1 não tem o controle %2.").arg(janela.objectName(), nome));
    }
    if (!w->isVisibleTo(&janela) || !w->isEnabled()) {
        throw StepAborted(QStringLiteral("O controle %1 de %2 não está disponível.")
                              .arg(nome, janela.objectName()));
    }
    return *w;
}

void toca(QWidget& janela, const QString& botao) {
    auto* b = qobject_cast<QAbstractButton*>(&controle(janela, botao));
    if (!b) {
        throw StepAborted(
            QStringLiteral("%1 de %2 não é um botão.").arg(botao, janela.objectName()));
    }
    b->click();
}

void escreve(QWidget& janela, const QString& campo, const QString& texto) {
    auto* e = qobject_cast<QLineEdit*>(&controle(janela, campo));
    if (!e) {
        throw StepAborted(
            QStringLiteral("%1 de %2 não é um campo.").arg(campo, janela.objectName()));
    }
    e->setFocus();
    e->clear();
    e->insert(texto);
}

void poe(QWidget& janela, const QString& campo, int valor) {
    auto* s = qobject_cast<QSpinBox*>(&controle(janela, campo));
    if (!s) {
        throw StepAborted(
            QStringLiteral("%1 de %2 não é um campo numérico.").arg(campo, janela.objectName()));
    }
    if (valor < s->minimum() || valor > s->maximum()) {
        throw StepAborted(QStringLiteral("%1 de %2 não aceita %3 (de %4 a %5).")
                              .arg(campo, janela.objectName())
                              .arg(valor)
                              .arg(s->minimum())
                              .arg(s->maximum()));
    }
    s->setValue(valor);
}

void digita(QWidget& janela, const QString& texto) {
    for (const QChar c : texto) {
        toca(janela,
             c == QLatin1Char(',') ? QStringLiteral("btnVirgula") : QStringLiteral("btn") + c);
    }
}

Walkthrough::Walkthrough(std::vector<Step> passos, QString pastaCaixa, QSqlDatabase banco,
                         QString pastaFotos)
    : passos_(std::move(passos))
    , pastaCaixa_(std::move(pastaCaixa))
    , banco_(std::move(banco))
    , pastaFotos_(std::move(pastaFotos)) {
    for (const Step& p : passos_) {
        StepResult r;
        r.nome = p.nome;
        r.titulo = p.titulo;
        resultados_.push_back(r);
    }
    if (!pastaFotos_.isEmpty()) {
        QDir().mkpath(pastaFotos_);
    }
}

Walkthrough::~Walkthrough() = default;

void Walkthrough::definePrazos(qint64 prazoMs, qint64 estranhaMs) {
    prazoMs_ = prazoMs;
    estranhaMs_ = estranhaMs;
}

void Walkthrough::start() {
    semProgresso_.start();
    agenda();
}

QStringList Walkthrough::falhas() const {
    QStringList todas;
    for (const StepResult& r : resultados_) {
        if (!r.feito) {
            todas << QStringLiteral("%1: não foi feito.").arg(r.nome);
        }
        for (const QString& f : r.falhas) {
            todas << QStringLiteral("%1: %2").arg(r.nome, f);
        }
    }
    return todas;
}

void Walkthrough::agenda() {
    // A fresh timer for every tick, so that the ticks go on inside the modal loops that a
    // step opens from a tick.
    QTimer::singleShot(kTiqueMs, this, [this] { tique(); });
}

void Walkthrough::quandoAparecer(const QString& janela, std::function<void(QWidget&)> resposta) {
    respostas_.push_back({janela, std::move(resposta)});
}

void Walkthrough::responde(const QString& texto, const QString& botao, bool comFoto) {
    quandoAparecer(QStringLiteral("Mensagem"), [this, texto, botao, comFoto](QWidget& w) {
        const auto* box = qobject_cast<QMessageBox*>(&w);
        const QString visto = box ? box->text() : QString();
        if (visto.simplified() != texto.simplified()) {
            falha(QStringLiteral("Mensagem \"%1\" em vez de \"%2\".")
                      .arg(visto.simplified(), texto.simplified()));
        }
        if (comFoto) {
            foto();
        }
        toca(w, botao);
    });
}

void Walkthrough::falha(const QString& texto) {
    qCWarning(lcWalkthrough).noquote()
        << (atual_ >= 0 ? passos_[size_t(atual_)].nome : QString()) << texto;
    if (atual_ >= 0) {
        resultados_[size_t(atual_)].falhas << texto;
    } else if (!resultados_.empty()) {
        resultados_.front().falhas << texto;
    }
}

bool Walkthrough::confere(bool ok, const QString& oQue) {
    if (!ok) {
        falha(oQue);
    }
    return ok;
}

void Walkthrough::igual(const QVariant& visto, const QVariant& esperado, const QString& oQue) {
    bool mesmo = false;
    if (esperado.typeId() == QMetaType::Double || esperado.typeId() == QMetaType::Int) {
        mesmo = qAbs(visto.toDouble() - esperado.toDouble()) < 0.005;
    } else {
        mesmo = visto.toString().trimmed() == esperado.toString().trimmed();
    }
    confere(mesmo, QStringLiteral("%1: \"%2\" em vez de \"%3\".")
                       .arg(oQue, visto.toString(), esperado.toString()));
}

QList<QVariantMap> Walkthrough::linhas(const QString& consulta, const QVariantMap& params) {
    const DbDialect& dialeto = DbDialect::of(banco_);
    const QString texto = consultas().forDialect(dialeto).text(consulta);
    QSqlQuery q(banco_);
    q.setForwardOnly(true);
    if (!q.prepare(texto)) {
        throw DatabaseError(
            QStringLiteral("Não foi possível preparar a consulta %1.").arg(consulta), texto,
            q.lastError().text());
    }
    for (auto it = params.cbegin(); it != params.cend(); ++it) {
        const QVariant& v = it.value();
        q.bindValue(QStringLiteral(":") + it.key(),
                    v.typeId() == QMetaType::QDateTime ? dialeto.dateTimeValue(v.toDateTime()) : v);
    }
    if (!q.exec()) {
        throw DatabaseError(
            QStringLiteral("Não foi possível executar a consulta %1.").arg(consulta), texto,
            q.lastError().text());
    }
    QList<QVariantMap> todas;
    while (q.next()) {
        QVariantMap linha;
        const QSqlRecord r = q.record();
        for (int i = 0; i < r.count(); ++i) {
            linha.insert(dialeto.columnName(r.fieldName(i)).toUpper(), q.value(i));
        }
        todas << linha;
    }
    return todas;
}

QVariantMap Walkthrough::linha(const QString& consulta, const QVariantMap& params) {
    const QList<QVariantMap> todas = linhas(consulta, params);
    return todas.isEmpty() ? QVariantMap() : todas.first();
}

QStringList Walkthrough::arquivos(const QString& pasta) const {
    QStringList lista;
    QDirIterator it(QDir(pastaCaixa_).filePath(pasta), QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        lista << it.next();
    }
    return lista;
}

QStringList Walkthrough::novosArquivos(const QString& pasta, const QString& contem) const {
    QStringList novos;
    const QSet<QString> antes = arquivosAntes_.value(pasta);
    for (const QString& arquivo : arquivos(pasta)) {
        if (!antes.contains(arquivo) && QFileInfo(arquivo).fileName().contains(contem)) {
            novos << QDir(pastaCaixa_).relativeFilePath(arquivo);
        }
    }
    novos.sort();
    return novos;
}

QWidget& Walkthrough::mapa() const {
    QWidget* tela = telaDoMapa();
    if (!tela || !tela->isVisible()) {
        throw StepAborted(QStringLiteral("O mapa de mesas não está aberto."));
    }
    return *tela;
}

QAbstractButton& Walkthrough::mesaNoMapa(const QString& legenda) const {
    QWidget& tela = mapa();
    for (int i = 1; i <= 48; ++i) {
        auto* b = tela.findChild<QAbstractButton*>(
            QStringLiteral("tcb%1").arg(i, 2, 10, QLatin1Char('0')));
        if (!b || !b->isEnabled()) {
            continue;
        }
        QString texto = b->text();
        texto.remove(QLatin1Char('(')).remove(QLatin1Char(')'));
        if (texto.trimmed() == legenda) {
            return *b;
        }
    }
    throw StepAborted(QStringLiteral("A mesa %1 não está na página do mapa.").arg(legenda));
}

void Walkthrough::confereMesa(const QString& legenda, const QString& imagem, bool junta) {
    try {
        const QAbstractButton& b = mesaNoMapa(legenda);
        igual(b.property("picture"), imagem,
              QStringLiteral("Figura da mesa %1 no mapa").arg(legenda));
        const QString legendaEsperada = junta ? QStringLiteral("(%1)").arg(legenda) : legenda;
        igual(b.text(), legendaEsperada, QStringLiteral("Legenda da mesa %1 no mapa").arg(legenda));
    } catch (const StepAborted& e) {
        falha(QString::fromStdString(e.what()));
    }
}

void Walkthrough::foto() {
    QWidget* tela = telaDoMapa();
    const bool comMapa = tela && tela->isVisible();
    QImage imagem(comMapa ? tela->size() : QSize(800, 600), QImage::Format_ARGB32);
    imagem.fill(QColor(0x40, 0x40, 0x40));
    QPainter p(&imagem);
    const QPoint origem = comMapa ? tela->pos() : QPoint();
    if (comMapa) {
        p.drawPixmap(0, 0, tela->grab());
    }
    // The windows over the map, the one on top last.
    QWidget* topo = QApplication::activeModalWidget();
    QList<QWidget*> janelas;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w != tela && w != topo && w->isVisible() && qobject_cast<QDialog*>(w)) {
            janelas << w;
        }
    }
    if (topo && topo != tela && topo->isVisible()) {
        janelas << topo;
    }
    for (QWidget* w : janelas) {
        QPoint onde = comMapa ? w->pos() - origem
                              : QPoint((imagem.width() - w->width()) / 2,
                                       (imagem.height() - w->height()) / 2);
        if (!imagem.rect().contains(QRect(onde, w->size()))) {
            onde = QPoint(std::max(0, (imagem.width() - w->width()) / 2),
                          std::max(0, (imagem.height() - w->height()) / 2));
        }
        p.drawPixmap(onde, w->grab());
    }
    p.end();
    fotoTirada_ = true;
    gravaFoto(imagem);
}

void Walkthrough::gravaFoto(const QImage& imagem) {
    if (pastaFotos_.isEmpty() || atual_ < 0) {
        return;
    }
    StepResult& r = resultados_[size_t(atual_)];
    const QString arquivo =
        QDir(pastaFotos_)
            .filePath(
                QStringLiteral("%1-%2.png").arg(atual_ + 1, 2, 10, QLatin1Char('0')).arg(r.nome));
    if (!imagem.save(arquivo, "PNG")) {
        falha(QStringLiteral("Não foi possível gravar a figura %1.").arg(arquivo));
        return;
    }
    r.foto = arquivo;
}

void Walkthrough::abandona(const QString& motivo) {
    if (!abandonado_) {
        abandonado_ = true;
        falha(motivo);
    }
}

void Walkthrough::fechaJanela(QWidget* janela, const QString& motivo, bool forcada) {
    falha(motivo);
    if (++fechadasNoPasso_ > kFechadasDemais) {
        abandona(
            QStringLiteral("Janelas demais fechadas sem resposta: o resto do dia não é feito."));
    }
    if (auto* box = qobject_cast<QMessageBox*>(janela)) {
        // The answer that gives up: "Não" or a rejecting button, else the one of Esc.
        for (QAbstractButton* b : box->buttons()) {
            const QMessageBox::ButtonRole papel = box->buttonRole(b);
            if (papel == QMessageBox::NoRole || papel == QMessageBox::RejectRole ||
                b->text() == QLatin1String("Não")) {
                b->click();
                return;
            }
        }
        if (QAbstractButton* b = box->escapeButton()) {
            b->click();
            return;
        }
        box->done(QMessageBox::No);
    } else if (auto* dialog = qobject_cast<QDialog*>(janela)) {
        // Given up, a window goes without the questions its Esc may ask.
        if (forcada) {
            dialog->done(QDialog::Rejected);
        } else {
            dialog->reject();
        }
    } else {
        janela->close();
    }
}

bool Walkthrough::atende(QWidget* modal) {
    if (respostas_.empty() || !modal || modal->objectName() != respostas_.front().janela) {
        return false;
    }
    Resposta r = std::move(respostas_.front());
    respostas_.pop_front();
    semProgresso_.restart();
    estranha_.clear();
    try {
        r.acao(*modal);
    } catch (const std::exception& e) {
        // The window is closed so that the step unwinds; what it expected goes with it.
        respostas_.clear();
        fechaJanela(modal, QString::fromStdString(e.what()));
    }
    return true;
}

QString Walkthrough::janelaDeRepouso() const {
    const int proximo = atual_ + 1;
    return proximo < int(passos_.size()) ? passos_[size_t(proximo)].inicio
                                         : QStringLiteral("frmGerMesa");
}

bool Walkthrough::emRepouso(QWidget* modal) {
    // The window the next step starts on, on top and seen so at two ticks in a row (the map
    // finishes its activation just after it is shown, and only then is it drawn).
    const QString janela = janelaDeRepouso();
    const bool nela =
        modal && modal->objectName() == janela &&
        (janela != QLatin1String("frmGerMesa") || modal->property("mapaPronto").toBool());
    const bool firme = nela && repouso_ == modal;
    repouso_ = nela ? modal : nullptr;
    return firme;
}

void Walkthrough::tique() {
    if (terminou_) {
        return;
    }
    agenda();
    QWidget* modal = janelaNoTopo();
    if (pendente_ && !abandonado_ && relogioPasso_.elapsed() > passoMs_) {
        abandona(QStringLiteral("O passo %1 não terminou em %2 s; janelas na tela: %3. O resto "
                                "do dia não é feito.")
                     .arg(passos_[size_t(atual_)].nome)
                     .arg(passoMs_ / 1000.0)
                     .arg(janelasVisiveis()));
    }
    if (abandonado_ && !fechando_) {
        // Every window is closed until the map is left alone; then the front office is closed.
        respostas_.clear();
        QWidget* aberta = modal && modal != telaDoMapa() ? modal : outraJanela();
        if (aberta) {
            fechaJanela(aberta, QStringLiteral("Fechada: %1.").arg(nomeDaJanela(aberta)), true);
        } else if (modal && modal == telaDoMapa() && modal->property("mapaPronto").toBool()) {
            fechaOCaixa();
        }
        return;
    }
    if (atende(modal)) {
        return;
    }
    const bool repouso = emRepouso(modal);
    if (modal && !repouso && modal->objectName() != QLatin1String("frmGerMesa") &&
        modal->objectName() != janelaDeRepouso()) {
        // A window nobody expects: recorded, then closed.
        if (estranha_ != modal) {
            estranha_ = modal;
            estranhaDesde_.start();
        } else if (estranhaDesde_.elapsed() > (respostas_.empty() ? estranhaMs_ : prazoMs_)) {
            const QString esperada =
                respostas_.empty()
                    ? QString()
                    : QStringLiteral(" (esperava %1)").arg(respostas_.front().janela);
            fechaJanela(
                modal,
                QStringLiteral("Janela inesperada: %1%2.").arg(nomeDaJanela(modal), esperada));
        }
        return;
    }
    if (rodando_ || !repouso) {
        return;
    }
    if (!respostas_.empty()) {
        if (semProgresso_.elapsed() > prazoMs_) {
            QStringList faltaram;
            for (const Resposta& r : respostas_) {
                faltaram << r.janela;
            }
            respostas_.clear();
            falha(QStringLiteral("Não apareceu: %1.").arg(faltaram.join(QStringLiteral(", "))));
        }
        return;
    }
    emRepousoSemRespostas();
}

void Walkthrough::emRepousoSemRespostas() {
    if (pendente_) {
        encerraPasso();
    }
    if (fechando_) {
        return;
    }
    if (atual_ + 1 < int(passos_.size())) {
        iniciaPasso();
    } else {
        fechaOCaixa();
    }
}

void Walkthrough::iniciaPasso() {
    ++atual_;
    const Step& passo = passos_[size_t(atual_)];
    rodando_ = true;
    pendente_ = true;
    fotoTirada_ = false;
    fechadasNoPasso_ = 0;
    inicioPasso_ = QDateTime::currentDateTime();
    relogioPasso_.start();
    semProgresso_.restart();
    arquivosAntes_.clear();
    for (const QString& pasta : {QStringLiteral("Impressoes"), QStringLiteral("Dados")}) {
        const QStringList lista = arquivos(pasta);
        arquivosAntes_.insert(pasta, QSet<QString>(lista.cbegin(), lista.cend()));
    }
    try {
        if (passo.faz) {
            passo.faz(*this);
        }
    } catch (const std::exception& e) {
        falha(QString::fromStdString(e.what()));
    }
    rodando_ = false;
    semProgresso_.restart();
}

void Walkthrough::encerraPasso() {
    pendente_ = false;
    const Step& passo = passos_[size_t(atual_)];
    try {
        if (passo.confere) {
            passo.confere(*this);
        }
    } catch (const std::exception& e) {
        falha(QString::fromStdString(e.what()));
    }
    if (!fotoTirada_) {
        foto();
    }
    StepResult& r = resultados_[size_t(atual_)];
    r.feito = true;
    r.ms = relogioPasso_.elapsed();
}

void Walkthrough::fechaOCaixa() {
    // The day ends: the front office is closed from the general functions.
    fechando_ = true;
    quandoAparecer(QStringLiteral("FuncoesGerais"),
                   [](QWidget& w) { toca(w, QStringLiteral("btnFechaSistema")); });
    try {
        toca(mapa(), QStringLiteral("sbtFuncoes"));
    } catch (const std::exception& e) {
        falha(QString::fromStdString(e.what()));
    }
    terminou_ = true;
}

} // namespace tmk::walkthrough
