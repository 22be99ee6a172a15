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

QString ScreenModel::appPaidButtonName(int number) {
    return QStringLiteral("sbtMesaAPP%1").arg(number);
}

int ScreenModel::appPaidButtonNumber(const QString& name) {
    const QLatin1String prefixo("sbtMesaAPP");
    if (!name.startsWith(prefixo)) {
        return 0;
    }
    bool ok = false;
    const int n = name.mid(prefixo.size()).toInt(&ok);
    return ok && n >= 1 && n <= AppPaidButtons && appPaidButtonName(n) == name ? n : 0;
}

} // namespace tmk
