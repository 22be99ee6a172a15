#include "screen/view/ger_mesa_view.h"

#include "external/widgets.h"
#include "screen/ger_mesa.h"
#include "screen/view/status_pictures.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QRegularExpressionValidator>
#include <QScreen>
#include <QTimer>
#include <QToolButton>

namespace tmk {

namespace {

// Geometry of the window (800 x 600), in pixels.
constexpr int kMargin = 14;
constexpr int kTableW = 67, kTableH = 54, kTableGap = 4, kGridTop = 192;
constexpr int kAreaW = 103, kAreaH = 35, kAreaGap = 4, kAreaTop = 48;
constexpr int kCmdW = 57, kCmdH = 50, kCmdStep = 56, kCmdTop = 45, kCmdLeft = 668, kCmdRight = 731;
const QColor kAccent(0xCC, 0x5B, 0x2C);

QFont arial(int points, bool bold = false) {
    QFont f(QStringLiteral("Arial"));
    f.setPointSize(points);
    f.setBold(bold);
    return f;
}

QLabel* label(QWidget* parent, const QString& name, const QString& text, const QRect& geometry,
              int points = 8, bool bold = false) {
    auto* l = new QLabel(text, parent);
    l->setObjectName(name);
    l->setGeometry(geometry);
    l->setFont(arial(points, bold));
    return l;
}

struct CommandSpec {
    const char* name;
    const char* caption;
};

// The command buttons, in two columns, from the top.
const CommandSpec kCommands[] = {
    {"sbtFuncoes", "Funções Gerais F9"},           {"sbtMenu", "Funções Operac. Alt+O"},
    {"sbpTeclado", "Digita Mesa Alt+T"},           {"spbFecha", "Fecha Conta Alt+F"},
    {"sbpParcial", "Imprime Parcial Alt+P"},       {"sbtPedidos", "Venda Balcão Alt+B"},
    {"sbtReserva", "Consulta Reserva Alt+R"},      {"sbtNPessoas", "Altera Nr. Pessoas Alt+A"},
    {"sbtLiberarMesa", "Libera Mesa/Pos Alt+L"},   {"sbtCancelaItem", "Cancela Produto Alt+I"},
    {"sbtCancAbertura", "Cancela Abertura Alt+M"}, {"sbtTrocaOperador", "Troca Operador F4"},
    {"sbtConsultaPreco", "Consulta Preço F5"},     {"sbtConsultaCons", "Consulta Cons. Alt+C"},
};

} // namespace

TfrmGerMesaView::TfrmGerMesaView(TfrmGerMesa& screen, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint)
    , screen_(screen) {
    setObjectName(QStringLiteral("frmGerMesa"));
    setModal(true);
    setFixedSize(800, 600);
    setAutoFillBackground(true);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(0xF4, 0xF1, 0xEC));
    setPalette(pal);
    setFont(arial(8));

    montaTopo();
    montaAmbientes();
    montaMesas();
    montaComandos();
    montaRodape();
    montaImagens();

    connect(&screen_, &TfrmGerMesa::changed, this, &TfrmGerMesaView::sincroniza);
    connect(&screen_, &TfrmGerMesa::closeRequested, this, [this] {
        closingByScreen_ = true;
        accept();
    });
    connect(&screen_, &TfrmGerMesa::raiseRequested, this, [this] {
        raise();
        activateWindow();
    });
    sincroniza();
}

void TfrmGerMesaView::montaTopo() {
    imgMarca_ = label(this, QStringLiteral("imgMarca"), QString(), QRect(kMargin, 4, 120, 36));
    lblMensagem_ =
        label(this, QStringLiteral("lblMensagem"), QString(), QRect(140, 6, 400, 30), 14, true);
    lblMensagem_->setAlignment(Qt::AlignCenter);
    QPalette p = lblMensagem_->palette();
    p.setColor(QPalette::WindowText, kAccent);
    lblMensagem_->setPalette(p);
    imgLogo_ = label(this, QStringLiteral("imgLogo"), QString(), QRect(560, 4, 90, 36));
    imgLogo_->setAlignment(Qt::AlignCenter);
    auto* sair = botaoComando(QStringLiteral("lblSair"), QStringLiteral("SAIR"), kCmdRight, 4);
    sair->setFixedSize(kCmdW, 34);
    sair->setFaceColor(kAccent);
    sair->setFont(arial(10, true));
}

void TfrmGerMesaView::montaAmbientes() {
    auto* fundo = new TBlendedShape(this);
    fundo->setObjectName(QStringLiteral("shpAmbientes"));
    fundo->setGeometry(kMargin - 6, kAreaTop - 6, 6 * kAreaW + 5 * kAreaGap + 12,
                       2 * kAreaH + kAreaGap + 12);
    fundo->lower();
    for (int i = 0; i < 12; ++i) {
        auto* b = new TBlendedBitBtn(this);
        b->setObjectName(ScreenModel::areaButtonName(i + 1));
        b->setGeometry(kMargin + (i % 6) * (kAreaW + kAreaGap),
                       kAreaTop + (i / 6) * (kAreaH + kAreaGap), kAreaW, kAreaH);
        b->setRadius(12);
        b->setVisible(false);
        connect(b, &QAbstractButton::clicked, this, [this, name = b->objectName()] {
            screen_.evento([this, name] { screen_.sbtAmb01Click(name); });
        });
        sbtAmb_[i] = b;
    }
    // The strip of tables paid through the app: built hidden, filled by its own command.
    for (int i = 0; i < 12; ++i) {
        auto* b = new TBlendedBitBtn(QStringLiteral("Mesa\r\n0001(99)"), this);
        b->setObjectName(QStringLiteral("sbtMesaAPP%1").arg(i + 1));
        b->setGeometry(kMargin + i * 53, 151, 50, 35);
        b->setFaceColor(QColor(0x80, 0x80, 0x80));
        b->setTextColor(Qt::white);
        b->setFont(arial(8));
        b->setRadius(8);
        b->setVisible(false);
        sbtMesaAPP_[i] = b;
    }
}

void TfrmGerMesaView::montaMesas() {
    for (int i = 0; i < 48; ++i) {
        auto* b = new QToolButton(this);
        b->setObjectName(ScreenModel::tableButtonName(i + 1));
        b->setGeometry(kMargin + (i % 8) * (kTableW + kTableGap),
                       kGridTop + (i / 8) * (kTableH + kTableGap), kTableW, kTableH);
        b->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
        b->setAutoRaise(true);
        b->setIconSize(QSize(32, 32));
        b->setFont(arial(8));
        b->setFocusPolicy(Qt::NoFocus);
        b->setEnabled(false);
        connect(b, &QAbstractButton::clicked, this, [this, name = b->objectName()] {
            screen_.evento([this, name] { screen_.tcb01Click(name); });
        });
        tcb_[i] = b;
    }
    auto* volta = new TBlendedBitBtn(QStringLiteral("▲"), this);
    volta->setObjectName(QStringLiteral("sbtVolta"));
    volta->setGeometry(594, 250, 50, 50);
    volta->setRadius(25);
    volta->setFaceColor(kAccent);
    volta->setFont(arial(14, true));
    connect(volta, &QAbstractButton::clicked, this,
            [this] { screen_.evento([this] { screen_.sbtVoltaClick(); }); });
    lblPagMesa_ =
        label(this, QStringLiteral("lblPagMesa"), QString(), QRect(584, 330, 76, 20), 8, true);
    lblPagMesa_->setAlignment(Qt::AlignCenter);
    auto* frente = new TBlendedBitBtn(QStringLiteral("▼"), this);
    frente->setObjectName(QStringLiteral("sbtFrente"));
    frente->setGeometry(594, 380, 50, 50);
    frente->setRadius(25);
    frente->setFaceColor(kAccent);
    frente->setFont(arial(14, true));
    connect(frente, &QAbstractButton::clicked, this,
            [this] { screen_.evento([this] { screen_.sbtFrenteClick(); }); });
}

TBlendedBitBtn* TfrmGerMesaView::botaoComando(const QString& name, const QString& caption, int x,
                                              int y) {
    auto* b = new TBlendedBitBtn(caption, this);
    b->setObjectName(name);
    b->setGeometry(x, y, kCmdW, kCmdH);
    b->setRadius(8);
    b->setFaceColor(kAccent);
    b->setTextColor(Qt::white);
    // Three short lines fit a 57 x 50 button at 7 points.
    b->setFont(arial(7, true));
    comandos_.insert(name, b);
    connect(b, &QAbstractButton::clicked, this,
            [this, name] { screen_.evento([this, name] { screen_.comandoClicado(name); }); });
    return b;
}

void TfrmGerMesaView::montaComandos() {
    auto* fundo = new TBlendedShape(this);
    fundo->setObjectName(QStringLiteral("shpComandos"));
    fundo->setGeometry(kCmdLeft - 6, kCmdTop - 6, 2 * kCmdW + (kCmdRight - kCmdLeft - kCmdW) + 12,
                       7 * kCmdStep + kCmdH + 12);
    fundo->lower();
    int i = 0;
    for (const CommandSpec& c : kCommands) {
        const int x = (i % 2 == 0) ? kCmdLeft : kCmdRight;
        const int y = kCmdTop + (i / 2) * kCmdStep;
        auto* b = botaoComando(QString::fromLatin1(c.name), QString::fromUtf8(c.caption), x, y);
        if (c.name == std::string_view("sbtConsultaCons")) {
            // The consumer consultation has its own place, at the foot of the column.
            b->move(kCmdRight, kCmdTop + 7 * kCmdStep);
            b->setToolTip(QStringLiteral("Consulta Consumidor"));
        }
        ++i;
    }
}

void TfrmGerMesaView::montaRodape() {
    label(this, QStringLiteral("lblNumeroMesa"), QStringLiteral("Número Mesa"),
          QRect(kCmdLeft, 495, 120, 16), 8, true);
    lblBuffer_ = new QLineEdit(this);
    lblBuffer_->setObjectName(QStringLiteral("lblBuffer"));
    lblBuffer_->setGeometry(690, 513, 87, 19);
    lblBuffer_->setMaxLength(4);
    lblBuffer_->setFont(arial(9, true));
    lblBuffer_->setReadOnly(true); // typed keys reach the screen first
    lblBuffer_->installEventFilter(this);

    lblTicketMedio_ =
        label(this, QStringLiteral("lblTicketMedio"), QStringLiteral("Ticket Médio dia por Loja -"),
              QRect(kMargin, 544, 170, 16));
    lblValTicketMedio_ = label(this, QStringLiteral("lblValTicketMedio"), QString(),
                               QRect(186, 544, 90, 16), 8, true);
    lblQuantCupom_ =
        label(this, QStringLiteral("lblQuantCupom"),
              QStringLiteral("Cupons Concluídos do dia por loja - "), QRect(284, 544, 200, 16));
    lblValQuantCupom_ = label(this, QStringLiteral("lblValQuantCupom"), QString(),
                              QRect(486, 544, 90, 16), 8, true);
    lblRodape_ =
        label(this, QStringLiteral("lblRodape"), QString(), QRect(kMargin, 562, 640, 16), 8);
    lblCodTela_ =
        label(this, QStringLiteral("lblCodTela"), QString(), QRect(kMargin, 580, 400, 14), 7);
    QPalette grey = lblCodTela_->palette();
    grey.setColor(QPalette::WindowText, QColor(0x80, 0x80, 0x80));
    lblCodTela_->setPalette(grey);
    lblDataHora_ =
        label(this, QStringLiteral("lblDataHora"), QString(), QRect(590, 580, 200, 16), 8, true);
    lblDataHora_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
}

void TfrmGerMesaView::montaImagens() {
    // Hidden picture holders whose images the table buttons take.
    for (const QString& name : statusPictureNames()) {
        auto* img = new QLabel(this);
        img->setObjectName(name);
        img->setPixmap(screenPicture(name));
        img->setVisible(false);
    }
    for (const char* name : {"imgLestovenda", "ImgKovNFCe", "imgVendaro", "imgLogoPadrao"}) {
        auto* img = new QLabel(this);
        img->setObjectName(QString::fromLatin1(name));
        img->setPixmap(screenPicture(QString::fromLatin1(name)));
        img->setVisible(false);
    }
}

void TfrmGerMesaView::sincroniza() {
    const ScreenModel& m = screen_.model;
    for (int i = 0; i < 48; ++i) {
        const TableButtonModel& t = m.tcb[size_t(i)];
        QToolButton* b = tcb_[size_t(i)];
        b->setText(t.caption);
        b->setIcon(t.picture.isEmpty() ? QIcon() : QIcon(screenPicture(t.picture)));
        b->setProperty("picture", t.picture);
        b->setEnabled(t.enabled);
        QFont f = arial(t.fontSize > 0 ? t.fontSize : 8);
        b->setFont(f);
        QPalette p = b->palette();
        const QColor text = colorFromNumber(t.textColor);
        p.setColor(QPalette::ButtonText, text.isValid() ? text : QColor(Qt::black));
        b->setPalette(p);
    }
    for (int i = 0; i < 12; ++i) {
        const AreaButtonModel& a = m.sbtAmb[size_t(i)];
        TBlendedBitBtn* b = sbtAmb_[size_t(i)];
        b->setText(a.caption);
        const QColor face = colorFromNumber(a.backColor);
        const QColor text = colorFromNumber(a.textColor);
        if (face.isValid()) {
            b->setFaceColor(face);
        }
        if (text.isValid()) {
            b->setTextColor(text);
        }
        b->setFont(arial(a.fontSize > 0 ? a.fontSize : 8, true));
        b->setOutline(a.outline);
        b->setEnabled(a.enabled);
        b->setVisible(a.visible);
    }
    for (auto it = comandos_.cbegin(); it != comandos_.cend(); ++it) {
        const auto c = m.commands.value(it.key());
        it.value()->setEnabled(c.enabled);
        it.value()->setVisible(c.visible);
    }
    lblPagMesa_->setText(m.lblPagMesa);
    lblMensagem_->setText(m.lblMensagem);
    lblBuffer_->setText(m.lblBuffer);
    lblDataHora_->setText(m.lblDataHora);
    lblRodape_->setText(m.lblRodape);
    lblCodTela_->setText(m.lblCodTela);
    lblValTicketMedio_->setText(m.lblValTicketMedio);
    lblValQuantCupom_->setText(m.lblValQuantCupom);
    for (QLabel* l : {lblTicketMedio_, lblValTicketMedio_, lblQuantCupom_, lblValQuantCupom_}) {
        l->setVisible(m.ticketPanelVisible);
    }
    imgMarca_->setPixmap(screenPicture(m.brandPicture));
    imgLogo_->setPixmap(m.logoFile.isEmpty() ? QPixmap()
                                             : QPixmap(m.logoFile)
                                                   .scaled(imgLogo_->size(), Qt::KeepAspectRatio,
                                                           Qt::SmoothTransformation));
    if (!m.windowTitle.isEmpty()) {
        setWindowTitle(m.windowTitle);
    }
}

void TfrmGerMesaView::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (QScreen* s = screen()) {
        move(s->geometry().topLeft() + TfrmGerMesa::posicaoJanela(s->geometry().size(), size()));
    }
    setWindowIcon(QApplication::windowIcon());
    lblBuffer_->setFocus();
    QTimer::singleShot(0, this, [this] {
        screen_.FormActivate();
        setProperty("mapaPronto", true);
    });
}

void TfrmGerMesaView::changeEvent(QEvent* event) {
    QDialog::changeEvent(event);
    if (event->type() == QEvent::ActivationChange && isActiveWindow()) {
        update();
    }
}

void TfrmGerMesaView::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    const Qt::KeyboardModifiers mods = event->modifiers();
    const QString text = event->text();
    screen_.evento([this, key, mods, text] { screen_.FormKeyDown(key, mods, text); });
    event->accept();
}

bool TfrmGerMesaView::eventFilter(QObject* watched, QEvent* event) {
    if (watched == lblBuffer_ && event->type() == QEvent::KeyPress) {
        keyPressEvent(static_cast<QKeyEvent*>(event));
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void TfrmGerMesaView::reject() {
    // Esc belongs to the screen's key table; the window closes only when the screen
    // asks for it.
    if (closingByScreen_) {
        QDialog::reject();
    }
}

} // namespace tmk
