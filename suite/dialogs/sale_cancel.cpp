// AlteraVendaCan: the cancellation of a stored sale, as the sales service does it.

#include "external/common.h"
#include "platform/service_result.h"
#include "suite/dialogs/dialogs_log.h"
#include "suite/dialogs/suite_dialogs.h"
#include "suite/sales/sale_cancellation.h"

namespace tmk {

void SuiteDialogs::AlteraVendaCan(const QVariantList& values, QVariant& /*retorno*/,
                                  QVariant& resultado) {
    const QString nrSeqVenda = values.value(0).toString().trimmed();
    const QString cdFilial = values.value(1).toString().trimmed();
    const QString cdCaixa = values.value(2).toString().trimmed();
    if (nrSeqVenda.isEmpty() || cdFilial.isEmpty() || cdCaixa.isEmpty()) {
        resultado = serviceFailure(QStringLiteral("Venda, filial ou caixa não informados para o "
                                                  "cancelamento da venda."));
        return;
    }
    try {
        cancelStoredSale(db_, cdFilial, cdCaixa, nrSeqVenda);
        qCInfo(lcSuiteDialogs).noquote()
            << "sale" << nrSeqVenda << "cancelled (" << values.value(7).toString()
            << "), authorised by" << values.value(6).toString();
        resultado = QVariant();
    } catch (const std::exception& e) {
        resultado = serviceFailure(ADOExceptionMessage(e, db_, QString()));
    }
}

} // namespace tmk
