// Timers, the map refresh, the footer and the average-ticket panel.
#include "platform/errors.h"
#include "screen/ger_mesa.h"
#include "service/map_reads.h"

#include <QLocale>

namespace tmk {

void TfrmGerMesa::HabilitaTimer() {
    timConexao.start();
    agendaAtualizacao();
}

void TfrmGerMesa::DesabilitaTimer() {
    timConexao.stop();
}

void TfrmGerMesa::DisparaAtualizacao() {
    const QString unidade = QStringLiteral("Cli_Qzv10040");
    // Whatever other tills changed until now is read here.
    mudancaPendente_ = false;
    ultimaAtualizacao_.start();
    // A map whose layout could not be read when the screen opened (database down) is
    // built as soon as the database answers again.
    if (st.PrimeiraAtivacao && !cdsAmbientes.active()) {
        MontaMenuAmbiente();
        if (model.lblMensagem.isEmpty()) {
            model.lblMensagem = model.sbtAmb[0].caption;
        }
    }
    carrega(cdsStatusMesas, getStatusMesa(dm(), st.CdFilial, st.CdLoja, st.NrConfTela),
            QStringLiteral("getStatusMesa"), {st.CdFilial, st.CdLoja, st.NrConfTela}, unidade);
    carrega(cdsReserva, getReserva(dm(), st.CdFilial, st.CdLoja), QStringLiteral("getReserva"),
            {st.CdFilial, st.CdLoja}, unidade);
    indexaReserva();
    MontaMenuMesa(false);
    // The strip of app payments follows the map: a new payment shows, one taken into a
    // sale goes.
    MontaListaMesasPagasAPP();
}

namespace {

// The locale's short date and its time with seconds, without the time zone that Qt's long
// time format carries ("08/12/2026 14:05:09" in pt_BR).
QString dataHora(const QLocale& locale, const QDateTime& agora) {
    const QString longa = locale.timeFormat(QLocale::LongFormat);
    QString hora;
    bool citado = false; // inside a quoted text of the format
    for (const QChar c : longa) {
        if (c == QLatin1Char('\'')) {
            citado = !citado;
        }
        if (citado || c != QLatin1Char('t')) {
            hora += c;
        }
    }
    return locale.toString(agora, locale.dateFormat(QLocale::ShortFormat) + QLatin1Char(' ') +
                                      hora.simplified());
}

} // namespace

void TfrmGerMesa::timDataHoraTimer() {
    model.lblDataHora = dataHora(QLocale(), clock_.now());
    Q_EMIT changed();
}

void TfrmGerMesa::PreencheRodape() {
    model.lblRodape = msg(QStringLiteral("FILIAL")) + QStringLiteral(": ") + st.CdFilial +
                      QStringLiteral(" - ") + msg(QStringLiteral("Loja")) + QStringLiteral(": ") +
                      st.CdLoja + QStringLiteral(" - ") + msg(QStringLiteral("Caixa")) +
                      QStringLiteral(": ") + st.CdCaixa + QStringLiteral(" - ") + st.NmOperador;
    model.lblCodTela = suite_.common->MontaRodapeGeral(st.UtilizaImpFis, QStringLiteral("TMK00470"),
                                                       QStringLiteral("S"));
    if (st.IdExibTicCup != QLatin1String("S")) {
        model.ticketPanelVisible = false;
        Q_EMIT changed();
        return;
    }
    model.ticketPanelVisible = true;
    AtualizaTicketMedio();
}

namespace {

double numero(const QString& texto) {
    bool ok = false;
    const double valor = QLocale::c().toDouble(texto.trimmed(), &ok);
    if (!ok) {
        throw AppError(QStringLiteral("\"%1\" não é um valor numérico válido.").arg(texto));
    }
    return valor;
}

} // namespace

void TfrmGerMesa::AtualizaTicketMedio() {
    const QString texto = suite_.sales->CalcTicketMedio(st.CdFilial, st.CdLoja, st.DtAberCaixa);
    const int traco = texto.indexOf(QLatin1Char('-'));
    const QString media = traco < 0 ? texto : texto.left(traco);
    const QString quantidade = traco < 0 ? QString() : texto.mid(traco + 1);
    // The machine's decimal separator, no thousands separator ("0.00" and "0.000").
    QLocale locale;
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    if (!media.trimmed().isEmpty()) {
        model.lblValTicketMedio = QStringLiteral("R$ ") + locale.toString(numero(media), 'f', 2);
    }
    if (!quantidade.trimmed().isEmpty()) {
        model.lblValQuantCupom = locale.toString(numero(quantidade), 'f', 3);
    }
    Q_EMIT changed();
}

QDate TfrmGerMesa::PrimeiroDiaMes(const QDate& data) {
    return QDate(data.year(), data.month(), 1);
}

} // namespace tmk
