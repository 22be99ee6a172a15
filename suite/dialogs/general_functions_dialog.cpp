#include "suite/dialogs/general_functions_dialog.h"

#include "suite/dialogs/suite_dialogs.h"
#include "suite/dialogs/touch_style.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace tmk {

GeneralFunctionsDialog::GeneralFunctionsDialog(std::function<void()> daySummary, QWidget* parent)
    : QDialog(parent) {
    setObjectName(QStringLiteral("FuncoesGerais"));
    setWindowTitle(QStringLiteral("Funções gerais"));
    setModal(true);
    setMinimumWidth(380);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(
        headerLabel(QStringLiteral("Funções gerais"), QStringLiteral("lblCaption"), this));
    QPushButton* resumo = touchButton(QStringLiteral("Resumo de vendas do dia"),
                                      QStringLiteral("btnResumoDia"), this);
    QPushButton* voltar =
        touchButton(QStringLiteral("Voltar ao mapa de mesas"), QStringLiteral("btnVoltar"), this);
    QPushButton* fecha = touchButton(QStringLiteral("Fechar a frente de caixa"),
                                     QStringLiteral("btnFechaSistema"), this);
    QPalette p = fecha->palette();
    p.setColor(QPalette::ButtonText, QColor(0xA0, 0x20, 0x10));
    fecha->setPalette(p);
    connect(resumo, &QPushButton::clicked, this, [daySummary = std::move(daySummary)] {
        if (daySummary) {
            daySummary();
        }
    });
    connect(voltar, &QPushButton::clicked, this, &QDialog::accept);
    connect(fecha, &QPushButton::clicked, this, [this] { done(ShutDown); });
    layout->addWidget(resumo);
    layout->addWidget(voltar);
    layout->addSpacing(16);
    layout->addWidget(fecha);
}

bool SuiteDialogs::CriaFuncoesFiscais(int /*a1*/, int /*a2*/, int /*a3*/) {
    GeneralFunctionsDialog dialog([this] { RelFiscais(); }, dialogParent());
    return execDialog(dialog) != GeneralFunctionsDialog::ShutDown;
}

} // namespace tmk
