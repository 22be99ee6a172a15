// Close account: gathers the table's open order pads into the account-closing record and
// hands it to the account-closing dialog, which requests the bill. A table picked from the
// app-paid list (NrMesaApp, PosicaoApp) comes without a prompt and skips the status test.
#include "external/common.h"
#include "platform/errors.h"
#include "screen/ger_mesa.h"
#include "service/map_reads.h"

namespace tmk {

namespace {

QList<FieldDef> camposFechaConta() {
    return {{QStringLiteral("boRetornoTela"), FieldType::Boolean, 0},
            {QStringLiteral("stFilialLogin"), FieldType::Text, 4},
            {QStringLiteral("stListaComandas"), FieldType::Text, 1000},
            {QStringLiteral("DSCOMANDA"), FieldType::Text, 50},
            {QStringLiteral("TIPOVENDA"), FieldType::Text, 1},
            {QStringLiteral("stMesaFecha"), FieldType::Text, 50},
            {QStringLiteral("VendProd"), FieldType::Boolean, 0},
            {QStringLiteral("CDCONSUMIDOR"), FieldType::Text, 21}};
}

} // namespace

void TfrmGerMesa::spbFechaClick() {
    VerificaFechamentoDia();
    st.RetCdConsumidor.clear();
    Verifica_Gaveta();
    if (ValidaAberCaixa()) {
        QString nrMesa = st.NrMesaApp;
        if (nrMesa.isEmpty() && !PedeMesa(nrMesa, QStringLiteral("FECHACONTA"))) {
            return;
        }
        carrega(cdsStatusMesaFecha, getStatusMesa(dm(), st.CdFilial, st.CdLoja, st.NrConfTela),
                QStringLiteral("getStatusMesa"), {st.CdFilial, st.CdLoja, st.NrConfTela});
        if (!cdsStatusMesaFecha.locate(QStringLiteral("NRMESA"), nrMesa)) {
            mensagem(msg(QStringLiteral("MESANCAD")), MsgErro);
            abortSilently();
        }
        const QString status = campo(cdsStatusMesaFecha, QStringLiteral("IDSTMESAAUX"));
        const bool emUso = status == QLatin1String("O") || status == QLatin1String("C");
        if (!emUso && st.NrMesaApp.isEmpty()) {
            const bool solicitada = status == QLatin1String("R") || status == QLatin1String("S");
            mensagem(msg(solicitada ? QStringLiteral("MESA_NCONTS") : QStringLiteral("MESA_FREE")),
                     MsgErro);
            abortSilently();
        }
        // What fails from here is told and the footer is still refreshed.
        try {
            carrega(cdsComandaInd, getComandaInd(dm(), nrMesa, st.CdFilial, st.CdLoja),
                    QStringLiteral("getComandaInd"), {nrMesa, st.CdFilial, st.CdLoja});
            QString comandas;
            for (cdsComandaInd.first(); !cdsComandaInd.eof(); cdsComandaInd.next()) {
                comandas += campo(cdsComandaInd, QStringLiteral("NRCOMANDA")) + QLatin1Char('_');
            }
            const QString dsComanda = campo(cdsComandaInd, QStringLiteral("DSCOMANDA"));

            cdsParam_FechaConta.setFieldDefs(camposFechaConta());
            cdsParam_FechaConta.createDataSet();
            cdsParam_FechaConta.append();
            const auto poe = [this](const char* coluna, const QVariant& valor) {
                cdsParam_FechaConta.fieldByName(QString::fromLatin1(coluna)).setValue(valor);
            };
            poe("boRetornoTela", true);
            poe("stFilialLogin", st.CdFilial);
            poe("stListaComandas", comandas);
            poe("DSCOMANDA", dsComanda);
            poe("TIPOVENDA", QStringLiteral("2"));
            poe("stMesaFecha", nrMesa);
            poe("VendProd", false);
            poe("CDCONSUMIDOR", QString());
            cdsParam_FechaConta.post();
            st.VarRetorno = QVariantList(10);
            suite_.dialogs->FechaConta(cdsParam_FechaConta, st.VarRetorno, st.PosicaoApp);

            st.RetCdConsumidor = campo(cdsParam_FechaConta, QStringLiteral("CDCONSUMIDOR"));
            DisparaAtualizacao();
        } catch (const SilentAbort&) {
            // A service failure, already told.
        } catch (const std::exception& e) {
            mensagem(exceptionText(e), MsgErro);
        }
    }
    PreencheRodape();
    Q_EMIT raiseRequested();
}

} // namespace tmk
