#include "host/front_office.h"

#include "host/table_module.h"

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>

namespace tmk {

// Until the order screen exists, the host shows what it was asked to open.
void abreVenda(const QVariantList& r) {
    const QStringList nomes = {QStringLiteral("Ação"),       QStringLiteral("Venda"),
                               QStringLiteral("Comanda"),    QStringLiteral("Cliente"),
                               QStringLiteral("Mesa"),       QStringLiteral("Nº comanda"),
                               QStringLiteral("Vendedor"),   QStringLiteral("Tipo de venda"),
                               QStringLiteral("Consumidor"), QStringLiteral("Abre venda")};
    QString texto = QStringLiteral("Tela de pedidos:\n\n");
    for (int i = 0; i < 10; ++i) {
        texto += nomes[i] + QStringLiteral(": ") + r.value(i).toString() + QLatin1Char('\n');
    }
    QMessageBox box(QMessageBox::Information, QApplication::applicationName(), texto,
                    QMessageBox::Ok);
    box.setObjectName(QStringLiteral("TelaPedidos"));
    box.button(QMessageBox::Ok)->setObjectName(QStringLiteral("btnOK"));
    box.exec();
}

int runFrontOffice(TableModule& modulo) {
    for (;;) {
        const QVariantList r = modulo.criaGerenciaMesa(QString());
        const QString acao = r.value(0).toString();
        if (acao == QLatin1String("VENDA_CONS")) {
            abreVenda(r);
            continue;
        }
        // "FECHA_SISTEMA", or nothing at all when the module could not open.
        return acao == QLatin1String("FECHA_SISTEMA") ? 0 : 1;
    }
}

} // namespace tmk
