// Partial bill: the partial-bill dialog asks the table and prints its bill; the screen
// records the printout in the access log.
#include "screen/ger_mesa.h"
#include "service/map_reads.h"

namespace tmk {

void TfrmGerMesa::sbpParcialClick() {
    Verifica_Gaveta();
    if (!VerificaAcesso(st.CtParcCont) || !ValidaAberCaixa()) {
        return;
    }
    QString nrMesa;
    suite_.dialogs->ParcialConta(nrMesa);
    // A cancelled dialog printed nothing: nothing to record.
    if (nrMesa.trimmed().isEmpty()) {
        return;
    }
    carrega(cdsInfoMesa, getRetornaInfoMesa(dm(), st.CdFilial, st.CdLoja, nrMesa),
            QStringLiteral("getRetornaInfoMesa"), {st.CdFilial, st.CdLoja, nrMesa});
    gravaLogAcesso(QStringLiteral("PAR_CNT"), msg(QStringLiteral("Mot_Par_Cnt1")),
                   msg(QStringLiteral("Mot_Par_Cnt")) + QLatin1Char(' ') + nrMesa,
                   campo(cdsInfoMesa, QStringLiteral("NRVENDAREST")),
                   campo(cdsInfoMesa, QStringLiteral("NRCOMANDA")),
                   campo(cdsInfoMesa, QStringLiteral("DSCOMANDA")), nrMesa);
}

} // namespace tmk
