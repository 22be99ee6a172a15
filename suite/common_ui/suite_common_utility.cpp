#include "suite/common_ui/suite_common_utility.h"

#include "platform/errors.h"
#include "platform/service_result.h"

#include <QAbstractButton>
#include <QApplication>
#include <QLoggingCategory>
#include <QMessageBox>
#include <QPushButton>

Q_LOGGING_CATEGORY(lcSuiteCommonUi, "tmk.suite.common.ui", QtWarningMsg)

namespace tmk {

namespace {

QMessageBox::Icon iconOf(int tipo) {
    switch (tipo) {
    case MsgPergunta:
        return QMessageBox::Question;
    case MsgAviso:
        return QMessageBox::Warning;
    case MsgErro:
        return QMessageBox::Critical;
    default:
        return QMessageBox::Information;
    }
}

bool isYes(const QString& flag) {
    return flag.trimmed().compare(QLatin1String("S"), Qt::CaseInsensitive) == 0;
}

QPushButton* touchButton(QMessageBox& box, const QString& caption, QMessageBox::ButtonRole role,
                         const char* name) {
    QPushButton* b = box.addButton(caption, role);
    b->setObjectName(QString::fromLatin1(name));
    b->setMinimumSize(120, 48);
    return b;
}

} // namespace

std::unique_ptr<QMessageBox> SuiteCommonUtility::buildMessageBox(const QString& texto,
                                                                 const QString& pergunta, int tipo,
                                                                 QWidget* parent) {
    auto box = std::make_unique<QMessageBox>(parent);
    box->setObjectName(QStringLiteral("Mensagem"));
    box->setIcon(iconOf(tipo));
    box->setWindowTitle(QGuiApplication::applicationDisplayName());
    // Plain text: a message that carries data typed or stored elsewhere is never markup.
    box->setTextFormat(Qt::PlainText);
    QString text = texto;
    text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    box->setText(text);
    QFont font = box->font();
    font.setPointSize(14);
    box->setFont(font);
    if (isYes(pergunta)) {
        QPushButton* yes = touchButton(*box, QStringLiteral("Sim"), QMessageBox::YesRole, "btnSim");
        QPushButton* no = touchButton(*box, QStringLiteral("Não"), QMessageBox::NoRole, "btnNao");
        box->setDefaultButton(yes);
        box->setEscapeButton(no);
    } else {
        QPushButton* ok = touchButton(*box, QStringLiteral("OK"), QMessageBox::AcceptRole, "btnOK");
        box->setDefaultButton(ok);
        box->setEscapeButton(ok);
    }
    return box;
}

bool SuiteCommonUtility::answeredYes(const QMessageBox& box) {
    const QAbstractButton* clicked = box.clickedButton();
    return clicked && clicked->objectName() == QLatin1String("btnSim");
}

void SuiteCommonUtility::showMessageBox(QMessageBox& box) {
    box.exec();
}

bool SuiteCommonUtility::Mensagem(const QString& texto, const QString& /*a2*/,
                                  const QString& /*a3*/, const QString& pergunta, int tipo,
                                  const QString& /*a6*/, const QString& /*esquema*/, int /*a8*/,
                                  ClientDataSet* /*tabela*/) {
    auto box = buildMessageBox(texto, pergunta, tipo, QApplication::activeWindow());
    showMessageBox(*box);
    return isYes(pergunta) ? answeredYes(*box) : true;
}

QVariant SuiteCommonUtility::MensagemMetodo(const QVariant& resultado, bool /*a2*/, int modo,
                                            const QString& metodo, const QString& unidade,
                                            const QString& contexto, const QString& esquema) {
    if (!isServiceFailure(resultado)) {
        return resultado;
    }
    const QString failure = serviceFailureMessage(resultado);
    qCWarning(lcSuiteCommonUi).noquote()
        << "service failure in" << metodo << "(" << unidade << ", mode" << modo << ", context"
        << contexto << "):" << failure;
    QString text =
        failure.trimmed().isEmpty() ? QStringLiteral("Falha no serviço de dados.") : failure;
    text += QStringLiteral("\n\nOperação: ") + metodo;
    text += QStringLiteral("\nUnidade: ") + unidade;
    if (!contexto.trimmed().isEmpty()) {
        text += QStringLiteral("\nContexto: ") + contexto;
    }
    Mensagem(text, QString(), QStringLiteral("N"), QStringLiteral("N"), MsgErro, QString(), esquema,
             0, nullptr);
    abortSilently();
}

QString SuiteCommonUtility::MontaRodapeGeral(bool utilizaImpFis, const QString& codigoTela,
                                             const QString& flag) {
    QStringList parts;
    if (!codigoTela.trimmed().isEmpty()) {
        parts << codigoTela.trimmed();
    }
    if (isYes(flag)) {
        parts << QStringLiteral("v") + QStringLiteral(TMK_PRODUCT_VERSION);
    }
    if (utilizaImpFis) {
        parts << QStringLiteral("ECF");
    }
    return parts.join(QStringLiteral(" - "));
}

QString SuiteCommonUtility::Uncripto(const QString& cifrado, int chave) {
    return tmk::Uncripto(cifrado, chave);
}

} // namespace tmk
