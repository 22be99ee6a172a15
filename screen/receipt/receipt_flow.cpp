// The receipt flow of a table whose bill was requested.
#include "external/common.h"
#include "screen/ger_mesa.h"

namespace tmk {

// This till does not receive payment yet: the operator is told so and the table stays as
// it was. The series of coupons per product nature ends here, as an abandoned payment
// ends it.
void TfrmGerMesa::ChamaRecebimento(const QString& /*cdFilial*/, const QString& /*nrVendaRest*/,
                                   const QString& /*listaComandas*/, const QString& /*nrMesa*/,
                                   const QString& /*nrComanda*/, const QString& /*dsComanda*/,
                                   const QString& /*cdNatProduto*/, qint32 /*qtCuponsRestantes*/) {
    st.CupomPorNatureza = false;
    comandoIndisponivel();
}

} // namespace tmk
