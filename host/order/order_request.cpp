#include "host/order/order_request.h"

#include "platform/client_dataset.h"
#include "platform/errors.h"
#include "platform/till_folder.h"

#include <QFileInfo>

namespace tmk {

OrderRequest OrderRequest::fromResult(const QVariantList& r) {
    auto text = [&](int i) {
        return r.value(i).toString().trimmed();
    };
    OrderRequest o;
    o.nrVendaRest = text(1);
    o.dsComanda = text(2);
    o.cdCliente = text(3);
    o.nrMesa = text(4);
    o.nrComanda = text(5);
    o.cdVendedor = text(6);
    o.tipoVenda = text(7);
    o.cdConsumidor = text(8);
    o.abreVenda = r.value(9).toBool();
    return o;
}

OrderTill OrderTill::read() {
    const QString arquivo = tillPath(QStringLiteral("PARAMETROSKOV.CDS"));
    if (!QFileInfo::exists(arquivo)) {
        throw AppError(
            QStringLiteral("Arquivo de parâmetros do caixa \"%1\" não encontrado.").arg(arquivo));
    }
    ClientDataSet p(QStringLiteral("cdsParametrosKov"));
    p.loadFromFile(arquivo);
    p.first();
    auto text = [&](const char* column) {
        const int i = p.fieldIndex(QString::fromLatin1(column));
        return i < 0 || p.isEmpty() ? QString() : p.valueAt(i).toString().trimmed();
    };
    OrderTill t;
    t.cdFilial = text("CDFILIAL");
    t.cdLoja = text("CDLOJA");
    t.cdCaixa = text("CDCAIXA");
    t.nrConfTela = text("NRCONFTELA");
    t.idUtlSenhaOper = text("IDUTLSENHAOPER");
    for (const char* column : {"CDPRODCONSUM", "CDPRODCONSUF", "CDPRODCOUVER"}) {
        if (!text(column).isEmpty()) {
            t.produtosCobrados << text(column);
        }
    }
    if (t.cdFilial.isEmpty() || t.cdLoja.isEmpty() || t.nrConfTela.isEmpty()) {
        throw AppError(QStringLiteral("O arquivo de parâmetros \"%1\" não informa a filial, a loja "
                                      "e a configuração de tela do caixa.")
                           .arg(arquivo));
    }
    return t;
}

} // namespace tmk
