#include "host/front_office.h"

#include "host/order_flow.h"
#include "host/table_module.h"

namespace tmk {

int runFrontOffice(TableModule& modulo) {
    for (;;) {
        const QVariantList r = modulo.criaGerenciaMesa(QString());
        const QString acao = r.value(0).toString();
        if (acao == QLatin1String("VENDA_CONS")) {
            abrePedido(modulo, r);
            continue;
        }
        // "FECHA_SISTEMA", or nothing at all when the module could not open.
        return acao == QLatin1String("FECHA_SISTEMA") ? 0 : 1;
    }
}

} // namespace tmk
