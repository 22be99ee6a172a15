// The table map: area buttons, the table buttons of the selected area and page, their
// pictures by table state, join groups, reservations and idle tables.
#include "external/common.h"
#include "platform/errors.h"
#include "platform/filter_expression.h"
#include "platform/service_result.h"
#include "screen/ger_mesa.h"
#include "service/map_reads.h"

#include <QLoggingCategory>
#include <QSet>
#include <vector>

Q_DECLARE_LOGGING_CATEGORY(lcScreen)

namespace tmk {

namespace {

// The number of the button a name gives: the prefix and exactly two digits ("tcb07" is 7);
// 0 for a name of no button ("tcb101", "tcb 1", "tcb7").
int buttonNumber(const QString& buttonName, const QString& prefix) {
    if (buttonName.size() != prefix.size() + 2 || !buttonName.startsWith(prefix)) {
        return 0;
    }
    const QChar tens = buttonName.at(prefix.size());
    const QChar units = buttonName.at(prefix.size() + 1);
    if (tens < QLatin1Char('0') || tens > QLatin1Char('9') || units < QLatin1Char('0') ||
        units > QLatin1Char('9')) {
        return 0;
    }
    return (tens.unicode() - '0') * 10 + (units.unicode() - '0');
}

// The picture of a table state; reserved marks the variant of a table reserved today.
QString pictureFor(const QString& estado, bool reservada, bool ocioso) {
    if (estado == QLatin1String("D")) {
        return reservada ? QStringLiteral("imgLivreR") : QStringLiteral("imgLivre");
    }
    if (estado == QLatin1String("O")) {
        if (ocioso) {
            return reservada ? QStringLiteral("imgSemConsR") : QStringLiteral("imgSemCons");
        }
        return reservada ? QStringLiteral("imgOcupadaR") : QStringLiteral("imgOcupada");
    }
    if (estado.startsWith(QLatin1Char('S'))) {
        return reservada ? QStringLiteral("imgCtaSolR") : QStringLiteral("imgCtaSol");
    }
    if (estado.startsWith(QLatin1Char('R'))) {
        return QStringLiteral("imgRecebendo");
    }
    if (estado.startsWith(QLatin1Char('C'))) {
        return QStringLiteral("imgCtaSolCarDig");
    }
    return {};
}

} // namespace

void TfrmGerMesa::indexaAmbientes() {
    cdsAmbientes.deleteIndexes();
    cdsAmbientes.addIndex(QStringLiteral("idxBotao"), QStringLiteral("NRBUTTON"));
    cdsAmbientes.setIndexName(QStringLiteral("idxBotao"));
}

void TfrmGerMesa::indexaConfigMesa() {
    cdsConfigMesa.setFiltered(false);
    cdsConfigMesa.deleteIndexes();
    cdsConfigMesa.addIndex(QStringLiteral("idxAmbientePagina"),
                           QStringLiteral("NRBUTTONAUX;NRPGCONFTELA"));
    cdsConfigMesa.setIndexName(QStringLiteral("idxAmbientePagina"));
}

void TfrmGerMesa::indexaReserva() {
    cdsReserva.deleteIndexes();
    cdsReserva.addIndex(QStringLiteral("idxReserva"), QStringLiteral("DTRESMESA;HRINIRESMESA"));
    cdsReserva.setIndexName(QStringLiteral("idxReserva"));
}

void TfrmGerMesa::MontaMenuAmbiente() {
    const QStringList contexto{st.CdFiliConfTe, st.NrConfTela};
    carrega(cdsAmbientes, getAmbientes(dm(), st.CdFiliConfTe, st.NrConfTela),
            QStringLiteral("getAmbientes"), contexto);
    indexaAmbientes();
    if (cdsAmbientes.isEmpty()) {
        return;
    }
    carrega(cdsConfigMesa, getConfigMesa(dm(), st.CdFiliConfTe, st.NrConfTela),
            QStringLiteral("getConfigMesa"), contexto);
    indexaConfigMesa();
    for (cdsAmbientes.first(); !cdsAmbientes.eof(); cdsAmbientes.next()) {
        const int n =
            buttonNumber(QStringLiteral("sbtAmb") +
                             cdsAmbientes.fieldByName(QStringLiteral("NRBUTTON")).asString(),
                         QStringLiteral("sbtAmb"));
        if (n < 1 || n > ScreenModel::AreaButtons) {
            continue;
        }
        AreaButtonModel& b = model.sbtAmb[n - 1];
        b.caption = cdsAmbientes.fieldByName(QStringLiteral("DSBUTTON")).asString();
        b.backColor = quint32(cdsAmbientes.fieldByName(QStringLiteral("NRCOLORBACK")).asInteger());
        b.textColor = quint32(cdsAmbientes.fieldByName(QStringLiteral("NRCOLORTEXT")).asInteger());
        const int fonte = int(cdsAmbientes.fieldByName(QStringLiteral("NRFONTETEXT")).asInteger());
        b.fontSize = fonte > 0 ? fonte : 8;
        b.outline = true;
        b.enabled = true;
        b.visible = true;
    }
    if (cdsAmbientes.locate(QStringLiteral("NRBUTTON"), st.NrAmbienteAtual)) {
        st.QtPaginas = cdsAmbientes.fieldByName(QStringLiteral("QTDEMESAS")).asFloat() / 48.0;
    }
    Q_EMIT changed();
}

void TfrmGerMesa::LimpaMenuMesa() {
    for (TableButtonModel& b : model.tcb) {
        b = TableButtonModel{};
    }
    Q_EMIT changed();
}

// What the page needs beyond the table states, read for the whole store at once and
// only when a table of the page needs it: the page costs the same few round trips
// however many tables it shows.
class TfrmGerMesa::LeituraPagina {
public:
    explicit LeituraPagina(TfrmGerMesa& tela)
        : tela_(tela) {}

    // The time of the last order of the table's open sales (a sale counts when its
    // number is part of the table's), else the time its open sale was opened.
    QDateTime ultimoPedido(const QString& mesa) {
        if (!vendasLidas_) {
            leVendas();
        }
        QDateTime ultimo;
        for (const VendaAberta& v : vendas_) {
            if (!v.mesa.isEmpty() && mesa.contains(v.mesa) && v.ultimoPedido.isValid() &&
                (!ultimo.isValid() || v.ultimoPedido > ultimo)) {
                ultimo = v.ultimoPedido;
            }
        }
        if (ultimo.isValid()) {
            return ultimo;
        }
        for (const VendaAberta& v : vendas_) {
            if (v.mesa == mesa) {
                return v.abertura;
            }
        }
        return {};
    }

    // Whether the table belongs to a join group. A failed read is logged and the
    // tables drawn as not joined.
    bool agrupada(const QString& mesa) {
        if (!juncoesLidas_) {
            leJuncoes();
        }
        return agrupadas_.contains(mesa);
    }

private:
    struct VendaAberta {
        QString mesa;
        QDateTime abertura;
        QDateTime ultimoPedido;
    };

    void leVendas() {
        vendasLidas_ = true;
        ScreenState& st = tela_.st;
        ClientDataSet& cds = tela_.cdsUltimaVenda;
        tela_.carrega(cds, getUltimaVendaMesas(tela_.dm(), st.CdFilial, st.CdLoja),
                      QStringLiteral("getUltimaVenda"), {st.CdFilial, st.CdLoja});
        for (cds.first(); !cds.eof(); cds.next()) {
            const Field abertura = cds.fieldByName(QStringLiteral("DTHRABERMESA"));
            const Field ultimo = cds.fieldByName(QStringLiteral("DTULTIMAVENDA"));
            vendas_.push_back({cds.fieldByName(QStringLiteral("NRMESA")).asString(),
                               abertura.isNull() ? QDateTime() : abertura.asDateTime(),
                               ultimo.isNull() ? QDateTime() : ultimo.asDateTime()});
        }
    }

    void leJuncoes() {
        juncoesLidas_ = true;
        ScreenState& st = tela_.st;
        const QVariant resultado = getMesasJuncaoLoja(tela_.dm(), st.CdFilial, st.CdLoja);
        if (isServiceFailure(resultado)) {
            qCWarning(lcScreen) << "getMesasJuncaoLoja failed:" << serviceFailureMessage(resultado);
            return;
        }
        const DataPacket mesas = resultado.value<DataPacket>();
        for (int i = 0; i < mesas.rowCount(); ++i) {
            agrupadas_.insert(mesas.value(i, QStringLiteral("NRMESA")).toString());
        }
    }

    TfrmGerMesa& tela_;
    bool vendasLidas_ = false;
    bool juncoesLidas_ = false;
    std::vector<VendaAberta> vendas_;
    QSet<QString> agrupadas_;
};

void TfrmGerMesa::MontaMenuMesa(bool recarrega) {
    if (recarrega) {
        carrega(cdsConfigMesa, getConfigMesa(dm(), st.CdFiliConfTe, st.NrConfTela),
                QStringLiteral("getConfigMesa"), {st.CdFiliConfTe, st.NrConfTela});
        indexaConfigMesa();
    }
    // The new page is built aside and shown only when complete: a service failure on
    // the way leaves the map as it was.
    std::array<TableButtonModel, ScreenModel::TableButtons> botoes{};
    if (cdsConfigMesa.active()) {
        cdsConfigMesa.setFiltered(false);
        cdsConfigMesa.setFilter(
            QStringLiteral("NRBUTTONAUX = %1 AND NRPGCONFTELA = %2")
                .arg(filterLiteral(st.NrAmbienteAtual), QString::number(st.NrPaginaAtual)));
        cdsConfigMesa.setFiltered(true);
        const bool idle = !st.NrMinSemCons.trimmed().isEmpty();
        LeituraPagina pagina(*this);
        for (cdsConfigMesa.first(); !cdsConfigMesa.eof(); cdsConfigMesa.next()) {
            const int n =
                buttonNumber(QStringLiteral("tcb") +
                                 cdsConfigMesa.fieldByName(QStringLiteral("NRBUTTON")).asString(),
                             QStringLiteral("tcb"));
            if (n < 1 || n > ScreenModel::TableButtons) {
                continue;
            }
            TableButtonModel& b = botoes[n - 1];
            const QString mesa =
                cdsConfigMesa.fieldByName(QStringLiteral("CDIDENTBUTON")).asString();
            b.enabled = true;
            if (cdsStatusMesas.active() &&
                cdsStatusMesas.locate(QStringLiteral("NRMESA"), mesa,
                                      ClientDataSet::LocateOption::CaseInsensitive)) {
                const QString estado =
                    cdsStatusMesas.fieldByName(QStringLiteral("IDSTMESAAUX")).asString();
                const bool ocioso = estado == QLatin1String("O") && idle &&
                                    TempoSemPedido(pagina.ultimoPedido(mesa));
                b.picture = pictureFor(estado, VerificaReserva(mesa), ocioso);
            }
            b.textColor =
                quint32(cdsConfigMesa.fieldByName(QStringLiteral("NRCOLORTEXT")).asInteger());
            const int fonte =
                int(cdsConfigMesa.fieldByName(QStringLiteral("NRFONTETEXT")).asInteger());
            b.fontSize = fonte > 0 ? fonte : 8;
            const QString legenda =
                cdsConfigMesa.fieldByName(QStringLiteral("DSBUTTON")).asString();
            b.caption =
                pagina.agrupada(mesa) ? QLatin1Char('(') + legenda + QLatin1Char(')') : legenda;
        }
    }
    model.tcb = botoes;
    Q_EMIT changed();
}

void TfrmGerMesa::sbtAmb01Click(const QString& buttonName) {
    const QString area = buttonName.right(2);
    if (area == st.NrAmbienteAtual) {
        DisparaAtualizacao();
        return;
    }
    const int n = buttonNumber(buttonName, QStringLiteral("sbtAmb"));
    st.NrPaginaAtual = 1;
    model.lblPagMesa = msg(QStringLiteral("Pagina")) + QStringLiteral("1");
    st.NrAmbienteAtual = area;
    st.IdxAmbienteAtual = area.toInt();
    MontaMenuMesa(false);
    if (cdsAmbientes.active() && cdsAmbientes.locate(QStringLiteral("NRBUTTON"), area)) {
        st.QtPaginas = cdsAmbientes.fieldByName(QStringLiteral("QTDEMESAS")).asFloat() / 48.0;
    }
    if (n >= 1 && n <= ScreenModel::AreaButtons) {
        model.lblMensagem = model.sbtAmb[n - 1].caption;
    }
    Q_EMIT changed();
}

void TfrmGerMesa::sbtVoltaClick() {
    if (st.NrPaginaAtual > 1) {
        --st.NrPaginaAtual;
        model.lblPagMesa = msg(QStringLiteral("Pagina")) + QString::number(st.NrPaginaAtual);
        MontaMenuMesa(false);
    }
}

void TfrmGerMesa::sbtFrenteClick() {
    if (st.NrPaginaAtual < st.QtPaginas) {
        ++st.NrPaginaAtual;
        model.lblPagMesa = msg(QStringLiteral("Pagina")) + QString::number(st.NrPaginaAtual);
        MontaMenuMesa(false);
    }
}

QString TfrmGerMesa::StatusAgrup(const QString& nrMesa) {
    // This read does not pass through the service-result unwrapping: a failure shows
    // no message here and the table is drawn as not joined.
    const QVariant resultado = getMesaJuncao(dm(), st.CdFilial, st.CdLoja, nrMesa);
    if (isServiceFailure(resultado)) {
        qCWarning(lcScreen) << "getMesaJuncao failed for table" << nrMesa << ":"
                            << serviceFailureMessage(resultado);
        if (cdsMesaJuncao.active()) {
            cdsMesaJuncao.emptyDataSet();
        }
        return {};
    }
    cdsMesaJuncao.setData(resultado.value<DataPacket>());
    QString mesas;
    for (cdsMesaJuncao.first(); !cdsMesaJuncao.eof(); cdsMesaJuncao.next()) {
        mesas += cdsMesaJuncao.fieldByName(QStringLiteral("NRMESA")).asString() + QLatin1Char(' ');
    }
    return mesas;
}

bool TfrmGerMesa::VerificaReserva(const QString& nrMesa) {
    return cdsReserva.active() && cdsReserva.locate(QStringLiteral("NRMESA"), nrMesa,
                                                    ClientDataSet::LocateOption::CaseInsensitive);
}

bool TfrmGerMesa::TempoSemPedido(const QDateTime& ultimoPedido) const {
    if (!ultimoPedido.isValid() || ultimoPedido <= QDateTime(QDate(1899, 12, 30), QTime(0, 0))) {
        return false;
    }
    bool ok = false;
    const int minutos = st.NrMinSemCons.trimmed().toInt(&ok);
    if (!ok || minutos < 0) {
        return false;
    }
    // The real time elapsed since the last order, in whole seconds, so that an order
    // placed before midnight is measured correctly.
    const qint64 decorrido = ultimoPedido.secsTo(clock_.now());
    const qint64 limite = qint64(minutos / 60) * 3600 + qint64(minutos % 60) * 60;
    return limite <= decorrido;
}

} // namespace tmk
