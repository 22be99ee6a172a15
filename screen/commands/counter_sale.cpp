// Counter sale: leaves the table screen and asks the host to start a counter sale.
#include "screen/ger_mesa.h"

namespace tmk {

namespace {

// The screen's timers are started again when the command ends, whatever happened.
class TimersRestarted {
public:
    explicit TimersRestarted(TfrmGerMesa& tela)
        : tela_(tela) {}
    ~TimersRestarted() {
        tela_.timDataHora.start();
        tela_.timAtuTicketMed.start();
        tela_.HabilitaTimer();
    }
    TimersRestarted(const TimersRestarted&) = delete;
    TimersRestarted& operator=(const TimersRestarted&) = delete;

private:
    TfrmGerMesa& tela_;
};

} // namespace

void TfrmGerMesa::sbtPedidosClick() {
    const TimersRestarted reinicia(*this);
    if (!ValidaAberCaixa()) {
        return;
    }
    timDataHora.stop();
    timAtuTicketMed.stop();
    DesabilitaTimer();
    Q_EMIT changed();

    st.RetAcao = QStringLiteral("VENDA_CONS");
    st.RetNrVendaRest.clear();
    st.RetDsComanda.clear();
    st.RetCdCliente.clear();
    st.RetNrMesa.clear();
    st.RetNrComanda.clear();
    st.RetCdVendedor.clear();
    st.RetTipoVenda = QStringLiteral("B");
    st.RetCdConsumidor.clear();
    st.RetAbreVenda = false;
    fecha();
}

namespace {

// The counter table is known to the receipt only while its sale is received.
class MesaBalcao {
public:
    MesaBalcao(ScreenState& st, const QString& nrMesa)
        : st_(st) {
        st_.NrMesaBalcao = nrMesa;
    }
    ~MesaBalcao() { st_.NrMesaBalcao.clear(); }
    MesaBalcao(const MesaBalcao&) = delete;
    MesaBalcao& operator=(const MesaBalcao&) = delete;

private:
    ScreenState& st_;
};

} // namespace

bool TfrmGerMesa::RecebeVendaBalcao(const QString& nrMesa) {
    const MesaBalcao balcao(st, nrMesa);
    DesabilitaTimer();
    const bool recebida = BuscaDadosMesa(nrMesa, QString());
    if (st.DisplayOk) {
        suite_.fiscal->LimpaDisplay();
    }
    HabilitaTimer();
    return recebida;
}

} // namespace tmk
