// Party size: changes the number of people at an occupied table, between 1 and the
// branch's limit, and never below the highest seat position already ordered on it.
#include "external/common.h"
#include "platform/errors.h"
#include "screen/ger_mesa.h"
#include "service/map_reads.h"
#include "service/state_updates.h"

namespace tmk {

namespace {

// A party size typed on the keypad: at most three digits; nothing else is a number here.
int tamanhoDaMesa(const QString& texto) {
    bool ok = false;
    const QString t = texto.trimmed();
    const int n = t.size() <= 3 ? t.toInt(&ok) : 0;
    return ok ? n : 0;
}

// A seat position as a number; a position that is not a number counts as none.
int posicao(const QString& texto) {
    bool ok = false;
    const int n = texto.trimmed().toInt(&ok);
    return ok ? n : 0;
}

} // namespace

void TfrmGerMesa::sbtNPessoasClick() {
    Verifica_Gaveta();
    if (!VerificaAcesso(st.CtAltNrPessoa) || !ValidaAberCaixa()) {
        return;
    }
    QString nrMesa;
    if (!PedeMesa(nrMesa, QStringLiteral("NRPESSOA"))) {
        return;
    }
    carrega(cdsStatusMesas, getStatusMesa(dm(), st.CdFilial, st.CdLoja, st.NrConfTela),
            QStringLiteral("getStatusMesa"), {st.CdFilial, st.CdLoja, st.NrConfTela});
    QString maiorPosicao = servico(getMaiorPosicao(dm(), st.CdFilial, nrMesa, st.CdLoja),
                                   QStringLiteral("getMaiorPosicao"), {st.CdFilial, nrMesa})
                               .toString();

    if (!cdsStatusMesas.locate(QStringLiteral("NRMESA"), nrMesa)) {
        mensagem(msg(QStringLiteral("MESA_NCAD")), MsgInformacao);
        return;
    }
    const QString status = campo(cdsStatusMesas, QStringLiteral("IDSTMESAAUX"));
    const QString recusa = status == QLatin1String("D")   ? QStringLiteral("MESA_FREE")
                           : status == QLatin1String("S") ? QStringLiteral("MESA_SOLI")
                           : status == QLatin1String("R") ? QStringLiteral("MESA_RECE")
                                                          : QString();
    if (!recusa.isEmpty()) {
        mensagem(msg(recusa), MsgInformacao);
        return;
    }

    QString digitado;
    if (!TecladoNumerico(digitado, QStringLiteral("NRPESSOA"), QStringLiteral("INF_NRPESSOA"),
                         QStringLiteral("PESSOAINF"), 3)) {
        return;
    }
    const int pessoas = tamanhoDaMesa(digitado);
    if (pessoas < 1) {
        mensagem(msg(QStringLiteral("InfoQtde_INV")), MsgInformacao);
        return;
    }
    if (maiorPosicao.isEmpty()) {
        maiorPosicao = QStringLiteral("0");
    }
    carrega(cdsNrPesMesa, getNrPesMesa(dm(), st.CdFilial), QStringLiteral("getNrPesMesa"),
            {st.CdFilial}, QStringLiteral("Cli_Tmk00620"));
    const QString limiteTexto = campo(cdsNrPesMesa, QStringLiteral("NRMAXPESMES")).trimmed();
    const int limite = limiteTexto.isEmpty() ? 0 : posicao(limiteTexto);
    if (limite > 0 && limite < pessoas) {
        mensagem(msg(QStringLiteral("NrPessoas_Maior")), MsgInformacao);
        return;
    }
    if (pessoas < posicao(maiorPosicao)) {
        mensagem(msg(QStringLiteral("QTD_POS")), MsgInformacao);
        return;
    }

    servico(setNumPesMesa(dm(), st.CdFilial, st.CdLoja, nrMesa, double(pessoas)),
            QStringLiteral("setNumPesMesa"), {st.CdFilial, st.CdLoja, nrMesa});
    carrega(cdsInfoMesa, getRetornaInfoMesa(dm(), st.CdFilial, st.CdLoja, nrMesa),
            QStringLiteral("getRetornaInfoMesa"), {st.CdFilial, st.CdLoja, nrMesa});
    gravaLogAcesso(QStringLiteral("ALT_PES"), msg(QStringLiteral("Mot_Alt_Pes1")),
                   msg(QStringLiteral("Mot_Alt_Pes")) + QLatin1Char(' ') + nrMesa,
                   campo(cdsInfoMesa, QStringLiteral("NRVENDAREST")),
                   campo(cdsInfoMesa, QStringLiteral("NRCOMANDA")),
                   campo(cdsInfoMesa, QStringLiteral("DSCOMANDA")), nrMesa);
    DisparaAtualizacao();
    mensagem(msg(QStringLiteral("NrPes_Alt")), MsgInformacao);
}

} // namespace tmk
