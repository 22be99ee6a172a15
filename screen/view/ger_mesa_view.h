#pragma once

#include <QDialog>
#include <QHash>
#include <QString>
#include <array>

class QLabel;
class QLineEdit;
class QToolButton;

namespace tmk {

class TfrmGerMesa;
class TBlendedBitBtn;

// The table screen's window: a frameless, modal 800 x 600 window that shows the
// screen logic's model and forwards touches and keys to it. Every widget carries the
// screen's name as its objectName ("tcb17", "sbtAmb03", "lblBuffer", ...).
class TfrmGerMesaView : public QDialog {
    Q_OBJECT

public:
    explicit TfrmGerMesaView(TfrmGerMesa& screen, QWidget* parent = nullptr);

    // Redraws every widget from the model.
    void sincroniza();

protected:
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void reject() override;

private:
    void montaTopo();
    void montaAmbientes();
    void montaMesas();
    void montaComandos();
    void montaRodape();
    void montaImagens();
    TBlendedBitBtn* botaoComando(const QString& name, const QString& caption, int x, int y);

    TfrmGerMesa& screen_;
    std::array<QToolButton*, 48> tcb_{};
    std::array<TBlendedBitBtn*, 12> sbtAmb_{};
    std::array<TBlendedBitBtn*, 12> sbtMesaAPP_{};
    QHash<QString, TBlendedBitBtn*> comandos_;
    QLabel* lblPagMesa_ = nullptr;
    QLabel* lblMensagem_ = nullptr;
    QLineEdit* lblBuffer_ = nullptr;
    QLabel* lblDataHora_ = nullptr;
    QLabel* lblRodape_ = nullptr;
    QLabel* lblCodTela_ = nullptr;
    QLabel* lblTicketMedio_ = nullptr;
    QLabel* lblValTicketMedio_ = nullptr;
    QLabel* lblQuantCupom_ = nullptr;
    QLabel* lblValQuantCupom_ = nullptr;
    QLabel* imgMarca_ = nullptr;
    QLabel* imgLogo_ = nullptr;
    bool closingByScreen_ = false;
};

} // namespace tmk
