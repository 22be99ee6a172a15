#include "suite/dialogs/receipt_email_dialog.h"

#include "external/common.h"
#include "suite/dialogs/suite_dialogs.h"
#include "suite/dialogs/touch_style.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QVBoxLayout>

namespace tmk {

ReceiptEmailDialog::ReceiptEmailDialog(const QString& endereco, Notice notice, QWidget* parent)
    : QDialog(parent)
    , notice_(std::move(notice)) {
    setObjectName(QStringLiteral("InfAdicional"));
    setWindowTitle(QStringLiteral("Informações adicionais"));
    setModal(true);
    setMinimumWidth(520);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(headerLabel(QStringLiteral("Envio do cupom por e-mail"),
                                  QStringLiteral("lblCaption"), this));
    auto* info = new QLabel(
        QStringLiteral("Confirme o e-mail do consumidor, ou deixe em branco para não enviar."),
        this);
    info->setObjectName(QStringLiteral("lblInfo"));
    info->setWordWrap(true);
    info->setFont(sizedFont(info->font(), 11));
    layout->addWidget(info);
    email_ = new QLineEdit(endereco.trimmed(), this);
    email_->setObjectName(QStringLiteral("edtEmail"));
    email_->setPlaceholderText(QStringLiteral("nome@dominio.com.br"));
    email_->setMaxLength(100);
    email_->setFont(sizedFont(email_->font(), kTouchFontPoints));
    email_->setMinimumHeight(44);
    layout->addWidget(email_);
    auto* botoes = new QHBoxLayout;
    QPushButton* confirma =
        touchButton(QStringLiteral("Confirmar"), QStringLiteral("btnConfirma"), this);
    QPushButton* cancela =
        touchButton(QStringLiteral("Cancelar"), QStringLiteral("btnCancela"), this);
    botoes->addWidget(confirma);
    botoes->addWidget(cancela);
    layout->addLayout(botoes);
    connect(confirma, &QPushButton::clicked, this, &ReceiptEmailDialog::confirma);
    connect(email_, &QLineEdit::returnPressed, this, &ReceiptEmailDialog::confirma);
    connect(cancela, &QPushButton::clicked, this, &QDialog::reject);
}

bool ReceiptEmailDialog::enderecoValido(const QString& texto) {
    static const QRegularExpression forma(QStringLiteral(R"(^[^@\s]+@[^@\s.]+(\.[^@\s.]+)+$)"));
    return forma.match(texto.trimmed()).hasMatch();
}

void ReceiptEmailDialog::confirma() {
    const QString texto = email_->text().trimmed();
    if (!texto.isEmpty() && !enderecoValido(texto)) {
        if (notice_) {
            notice_(QStringLiteral("E-mail inválido: informe um endereço como "
                                   "nome@dominio.com.br, ou deixe em branco."),
                    MsgAviso);
        }
        email_->setFocus();
        return;
    }
    endereco_ = texto;
    accept();
}

void SuiteDialogs::CriaInfAdicional(const QVariantList& valores, QVariantList& retorno) {
    while (retorno.size() < 10) {
        retorno.append(QVariant());
    }
    ReceiptEmailDialog dialog(
        valores.value(12).toString(),
        [this](const QString& text, int tipo) { showMessage(text, tipo); }, dialogParent());
    // Given up: no address was confirmed, so none is handed back.
    retorno[6] = execDialog(dialog) == QDialog::Accepted ? dialog.endereco() : QString();
}

} // namespace tmk
