// Tables paid through the mobile app: the strip of pending app payments above the map and
// what a touch on one of its buttons does. A whole table paid is dispatched as a touch on
// the map; a paid seat has its account closed for that seat, and a table whose sale is
// left without items has its tab cleaned and is freed.
#include "external/common.h"
#include "platform/errors.h"
#include "screen/command_table.h"
#include "screen/ger_mesa.h"
#include "service/map_reads.h"
#include "service/state_updates.h"

#include <QRegularExpression>

namespace tmk {

namespace {

const QString kUnidade = QStringLiteral("Cli_Tmk00470");

// The position of a payment of the whole table. The app records it as "T"; some payments
// carry "00", and every read of the app payments takes that as the whole table too.
bool mesaInteira(const QString& nrLugarMesa) {
    const QString lugar = nrLugarMesa.trimmed();
    return lugar.isEmpty() || lugar == QLatin1String("T") || lugar == QLatin1String("00");
}

QString texto(ClientDataSet& cds, const char* coluna) {
    if (!cds.active() || cds.isEmpty()) {
        return {};
    }
    return cds.fieldByName(QString::fromLatin1(coluna)).asString().trimmed();
}

// The touched button is disabled while its command runs; afterwards it is enabled again
// and the table and position picked are cleared, however the command ends.
class BotaoAppOcupado {
public:
    BotaoAppOcupado(TfrmGerMesa& tela, int botao)
        : tela_(tela)
        , botao_(botao) {
        tela_.model.sbtMesaAPP[size_t(botao_ - 1)].enabled = false;
        Q_EMIT tela_.changed();
    }
    ~BotaoAppOcupado() {
        tela_.model.sbtMesaAPP[size_t(botao_ - 1)].enabled = true;
        tela_.st.NrMesaApp.clear();
        tela_.st.PosicaoApp.clear();
        Q_EMIT tela_.changed();
    }
    BotaoAppOcupado(const BotaoAppOcupado&) = delete;
    BotaoAppOcupado& operator=(const BotaoAppOcupado&) = delete;

private:
    TfrmGerMesa& tela_;
    int botao_;
};

// A table number as the operator reads it: "0012" -> "12".
QString semZeros(const QString& nrMesa) {
    QString mesa = nrMesa.trimmed();
    mesa.remove(QRegularExpression(QStringLiteral("^0+(?=.)")));
    return mesa;
}

} // namespace

QString TfrmGerMesa::legendaMesaApp(const QString& nrMesa, const QString& nrLugarMesa) {
    QString legenda = QStringLiteral("Mesa ") + semZeros(nrMesa);
    if (!mesaInteira(nrLugarMesa)) {
        legenda += QStringLiteral(" (") + nrLugarMesa.trimmed() + QLatin1Char(')');
    }
    return legenda;
}

void TfrmGerMesa::MontaListaMesasPagasAPP() {
    // A failed read is shown and ends the rebuild here: the strip keeps what it showed.
    const QVariant pacote = suite_.common->MensagemMetodo(
        getMesasPagasAPP(dm(), st.CdFilial), true, 0, QStringLiteral("getMesasPagasAPP"), kUnidade,
        st.CdFilial, QStringLiteral("002"));
    if (pacote.metaType() != QMetaType::fromType<DataPacket>()) {
        throw AppError(QStringLiteral("A operação getMesasPagasAPP não devolveu um pacote de "
                                      "dados."));
    }
    cdsMesasPagasAPP.setData(pacote.value<DataPacket>());
    for (AppPaidButtonModel& b : model.sbtMesaAPP) {
        b.caption.clear();
        b.enabled = false;
        b.visible = false;
    }
    // Button n shows the payment of LINHA n. Rows are looked at one by one, whatever
    // their order, so a payment among the twelve most recent is never left out.
    for (cdsMesasPagasAPP.first(); !cdsMesasPagasAPP.eof(); cdsMesasPagasAPP.next()) {
        const qlonglong linha = cdsMesasPagasAPP.fieldByName(QStringLiteral("LINHA")).asInteger();
        if (linha < 1 || linha > ScreenModel::AppPaidButtons) {
            continue;
        }
        AppPaidButtonModel& b = model.sbtMesaAPP[size_t(linha - 1)];
        b.caption = legendaMesaApp(texto(cdsMesasPagasAPP, "NRMESA"),
                                   texto(cdsMesasPagasAPP, "NRLUGARMESA"));
        b.enabled = true;
        b.visible = true;
    }
    Q_EMIT changed();
}

void TfrmGerMesa::sbtMesaAPP1Click(const QString& buttonName) {
    const int botao = ScreenModel::appPaidButtonNumber(buttonName);
    if (botao == 0) {
        return;
    }
    const AppPaidButtonModel& b = model.sbtMesaAPP[size_t(botao - 1)];
    if (!b.visible || !b.enabled) {
        return; // hidden, or its command is still running
    }
    const BotaoAppOcupado ocupado(*this, botao);
    if (st.ErroImpressora) {
        mensagem(msg(QStringLiteral("ERRO_IMPRESSORA")), MsgErro);
        return;
    }
    Verifica_Gaveta();
    if (!ValidaAberCaixa()) {
        return;
    }
    const QString legenda = model.sbtMesaAPP[size_t(botao - 1)].caption;
    if (legenda.isEmpty()) {
        return;
    }
    const int parentese = legenda.indexOf(QLatin1Char('('));
    st.NrMesaApp = Ajusta(SoNumerosStr(parentese < 0 ? legenda : legenda.left(parentese)), 4);
    st.PosicaoApp = parentese < 0 ? QStringLiteral("T") : legenda.mid(parentese + 1, 2);
    if (mesaInteira(st.PosicaoApp)) {
        st.PosicaoApp = QStringLiteral("T");
    }
    confereValorApp(botao);
    if (st.PosicaoApp == QLatin1String("T")) {
        recebeMesaApp();
    } else {
        fechaLugarApp();
    }
}

// A payment the app recorded without an amount cannot be taken: the operator is told, and
// nothing changes.
void TfrmGerMesa::confereValorApp(int botao) {
    if (!cdsMesasPagasAPP.active() || !cdsMesasPagasAPP.locate(QStringLiteral("LINHA"), botao)) {
        return;
    }
    const double valor = cdsMesasPagasAPP.fieldByName(QStringLiteral("VRMOV")).asFloat();
    if (!(valor > 0)) {
        mensagem(QStringLiteral("O pagamento da %1 feito pelo aplicativo está sem valor e não "
                                "pode ser recebido. Confira o pagamento no aplicativo.")
                     .arg(legendaMesaApp(st.NrMesaApp, st.PosicaoApp)),
                 MsgAviso);
        abortSilently();
    }
}

void TfrmGerMesa::recebeMesaApp() {
    const int fechamentos = vezesFechada();
    ControleMesa(st.NrMesaApp);
    if (vezesFechada() != fechamentos) {
        return; // the screen closed: the next initialisation draws the map
    }
    DisparaAtualizacao();
    PreencheRodape();
}

void TfrmGerMesa::fechaLugarApp() {
    const QString nrMesa = st.NrMesaApp;
    const QString lugar = st.PosicaoApp;
    // Only a table whose bill can be closed: the close-account command's own messages
    // otherwise, and nothing changes.
    carrega(cdsStatusMesas, getStatusMesa(dm(), st.CdFilial, st.CdLoja, st.NrConfTela),
            QStringLiteral("getStatusMesa"), {st.CdFilial, st.CdLoja, st.NrConfTela});
    if (!cdsStatusMesas.locate(QStringLiteral("NRMESA"), nrMesa,
                               ClientDataSet::LocateOption::CaseInsensitive)) {
        mensagem(msg(QStringLiteral("MESANCAD")), MsgErro);
        return;
    }
    const QString estado = texto(cdsStatusMesas, "IDSTMESAAUX");
    if (estado.startsWith(QLatin1Char('R'))) {
        mensagem(msg(QStringLiteral("MESA_NCONTS")), MsgErro);
        return;
    }
    if (!estado.startsWith(QLatin1Char('O')) && !estado.startsWith(QLatin1Char('C')) &&
        !estado.startsWith(QLatin1Char('S'))) {
        mensagem(msg(QStringLiteral("MESA_FREE")), MsgErro);
        return;
    }
    // The seat paid must be a seat of the table's open sale.
    const QStringList chave{st.CdFilial, st.CdLoja, nrMesa};
    carrega(cdsInfoMesa, getRetornaInfoMesa(dm(), st.CdFilial, st.CdLoja, nrMesa),
            QStringLiteral("getRetornaInfoMesa"), chave);
    cdsInfoMesa.first();
    const QString venda = texto(cdsInfoMesa, "NRVENDAREST");
    bool noLugar = false;
    if (!venda.isEmpty()) {
        const DataPacket lugares =
            servico(getLugaresVenda(dm(), st.CdFilial, st.CdLoja, venda),
                    QStringLiteral("getLugaresVenda"), {st.CdFilial, st.CdLoja, venda})
                .value<DataPacket>();
        for (int r = 0; r < lugares.rowCount() && !noLugar; ++r) {
            noLugar = lugares.value(r, QStringLiteral("NRLUGARMESA")).toString().trimmed() == lugar;
        }
    }
    if (!noLugar) {
        mensagem(QStringLiteral("O lugar %1 não tem pedidos na mesa %2: o pagamento feito pelo "
                                "aplicativo não pode ser fechado. Confira a mesa e o pagamento.")
                     .arg(lugar, semZeros(nrMesa)),
                 MsgAviso);
        return;
    }

    // The close-account command, as if its button had been pressed: it takes the table
    // and position picked here instead of asking for a table.
    const CommandRoute* fecha = routeForButton("spbFecha");
    if (!fecha) {
        throw AppError(QStringLiteral("O comando de fechamento de conta não está disponível."));
    }
    (this->*fecha->comando)();
    limpaMesaApp();
}

// After a seat was closed: a table whose sale has no item left has its tab cleaned and is
// freed, and the map shows it.
void TfrmGerMesa::limpaMesaApp() {
    const QString nrMesa = st.NrMesaApp;
    carrega(cdsInfoMesa, getRetornaInfoMesa(dm(), st.CdFilial, st.CdLoja, nrMesa),
            QStringLiteral("getRetornaInfoMesa"), {st.CdFilial, st.CdLoja, nrMesa});
    cdsInfoMesa.first();
    st.RetNrVendaRest = texto(cdsInfoMesa, "NRVENDAREST");
    st.RetNrComanda = texto(cdsInfoMesa, "NRCOMANDA");
    if (st.RetNrVendaRest.isEmpty()) {
        return; // no open sale left: nothing to clean
    }
    // A database failure here passes as an error: the table is then left as it is.
    const bool vazia = getVerifMesaVazia(dm(), st.CdFilial, st.CdLoja, st.RetNrVendaRest);
    if (!vazia) {
        return;
    }
    // Every tab of the sale is closed with it.
    QString lista;
    for (cdsInfoMesa.first(); !cdsInfoMesa.eof(); cdsInfoMesa.next()) {
        if (texto(cdsInfoMesa, "NRVENDAREST") == st.RetNrVendaRest) {
            lista += QLatin1Char('_') + texto(cdsInfoMesa, "NRCOMANDA");
        }
    }
    lista += QLatin1Char('_');
    servico(suite_.sales->setLimpaMesaComanda(st.CdFilial, lista, st.CdLoja, st.RetNrVendaRest,
                                              nrMesa, QStringLiteral("RES"), QStringLiteral("N")),
            QStringLiteral("setLimpaMesaComanda"), {st.CdFilial, lista, st.RetNrVendaRest});
    servico(setLiberaMesaVazia(dm(), st.CdFilial, st.CdLoja, nrMesa),
            QStringLiteral("setLiberaMesaVazia"), {st.CdFilial, st.CdLoja, nrMesa});
    DisparaAtualizacao();
    PreencheRodape();
}

} // namespace tmk
