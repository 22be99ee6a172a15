#include "screen/screen_model.h"

namespace tmk {

const QStringList& ScreenModel::commandButtonNames() {
    static const QStringList names = {
        QStringLiteral("sbtFuncoes"),       QStringLiteral("sbtMenu"),
        QStringLiteral("sbpTeclado"),       QStringLiteral("spbFecha"),
        QStringLiteral("sbpParcial"),       QStringLiteral("sbtPedidos"),
        QStringLiteral("sbtReserva"),       QStringLiteral("sbtNPessoas"),
        QStringLiteral("sbtLiberarMesa"),   QStringLiteral("sbtCancelaItem"),
        QStringLiteral("sbtCancAbertura"),  QStringLiteral("sbtTrocaOperador"),
        QStringLiteral("sbtConsultaPreco"), QStringLiteral("sbtConsultaCons"),
        QStringLiteral("lblSair"),
    };
    return names;
}

QString ScreenModel::tableButtonName(int number) {
    return QStringLiteral("tcb%1").arg(number, 2, 10, QLatin1Char('0'));
}

QString ScreenModel::areaButtonName(int number) {
    return QStringLiteral("sbtAmb%1").arg(number, 2, 10, QLatin1Char('0'));
}

} // namespace tmk
