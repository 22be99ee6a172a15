// Table and position release: reopens a table whose bill was requested, frees a table left
// being received by another till, and reopens single seat positions whose bill was
// requested.
#include "external/common.h"
#include "platform/errors.h"
#include "screen/ger_mesa.h"
#include "service/map_reads.h"
#include "service/state_updates.h"

namespace tmk {

void TfrmGerMesa::sbtLiberarMesaClick() {
    Verifica_Gaveta();
    if (!ValidaAberCaixa() || !VerificaAcesso(st.CtLiberarMesa)) {
        return;
    }
    QString digitada;
    if (!TecladoNumerico(digitada, QStringLiteral("LIBERAR"), QStringLiteral("INF_MESA"),
                         QStringLiteral("MESANINF"), 4)) {
        return;
    }
    const QString nrMesa = Ajusta(digitada, 4);
    const QStringList chave{st.CdFilial, st.CdLoja, nrMesa};
    carrega(cdsMesa, getStatusMesa(dm(), st.CdFilial, st.CdLoja, st.NrConfTela),
            QStringLiteral("getStatusMesa"), {st.CdFilial, st.CdLoja, st.NrConfTela});
    if (!cdsMesa.locate(QStringLiteral("NRMESA"), nrMesa)) {
        mensagem(msg(QStringLiteral("MESANCAD")), MsgErro);
        return;
    }
    const QString status = campo(cdsMesa, QStringLiteral("IDSTMESAAUX"));
    const auto lePosicoes = [&] {
        carrega(cdsPosicoes, getStatusPosicoes(dm(), st.CdFilial, st.CdLoja, nrMesa),
                QStringLiteral("getStatusPosicoes"), chave, QStringLiteral("Cli_Tmk00470"),
                QStringLiteral("002"));
    };

    bool mudouStatus = false;
    if (status == QLatin1String("R")) {
        if (!mensagem(msg(QStringLiteral("MESA_TRAVADA"), {nrMesa}), MsgPergunta, true)) {
            return;
        }
        // Back to bill requested only while the receipt is still marked: a till that
        // finished it meanwhile is not undone.
        const bool aindaRecebendo =
            servico(setStatusMesaSe(dm(), st.CdFilial, st.CdLoja, nrMesa, QStringLiteral("R"),
                                    QStringLiteral("S")),
                    QStringLiteral("setStatusMesaSe"), chave)
                .toBool();
        if (!aindaRecebendo) {
            DisparaAtualizacao();
            mensagem(QStringLiteral("A mesa %1 não está mais sendo recebida; nada foi alterado.")
                         .arg(nrMesa),
                     MsgInformacao);
            return;
        }
        mudouStatus = true;
        lePosicoes();
    } else {
        lePosicoes();
        if (status == QLatin1String("S")) {
            servico(setStatusMesa(dm(), st.CdFilial, st.CdLoja, nrMesa, QStringLiteral("O")),
                    QStringLiteral("setStatusMesa"), chave);
            servico(setStatusComanda(dm(), st.CdFilial, st.CdLoja, nrMesa),
                    QStringLiteral("setStatusComanda"), chave);
            mudouStatus = true;
        } else if (cdsPosicoes.isEmpty()) {
            const QString recusa = status == QLatin1String("D") ? QStringLiteral("MESA_LIVRE")
                                   : (status == QLatin1String("O") || status == QLatin1String("C"))
                                       ? QStringLiteral("MESA_ABERTA")
                                       : QStringLiteral("MESA_NCONTS");
            mensagem(msg(recusa), MsgErro);
            return;
        }
    }

    DisparaAtualizacao();
    if (cdsPosicoes.isEmpty()) {
        mensagem(msg(QStringLiteral("Mesa_LIB")), MsgInformacao);
        registraLiberacao(nrMesa);
        return;
    }
    if (mudouStatus) {
        registraLiberacao(nrMesa);
    }
    liberaPosicoes(digitada);
}

void TfrmGerMesa::registraLiberacao(const QString& nrMesa) {
    carrega(cdsInfoMesa, getRetornaInfoMesa(dm(), st.CdFilial, st.CdLoja, nrMesa),
            QStringLiteral("getRetornaInfoMesa"), {st.CdFilial, st.CdLoja, nrMesa});
    gravaLogAcesso(QStringLiteral("LIB_MES"), msg(QStringLiteral("Mot_Lib_Mes1")),
                   msg(QStringLiteral("Mot_Lib_Mes")) + QLatin1Char(' ') + nrMesa,
                   campo(cdsInfoMesa, QStringLiteral("NRVENDAREST")),
                   campo(cdsInfoMesa, QStringLiteral("NRCOMANDA")),
                   campo(cdsInfoMesa, QStringLiteral("DSCOMANDA")), nrMesa);
}

void TfrmGerMesa::liberaPosicoes(const QString& mesaDigitada) {
    QStringList posicoes;
    for (cdsPosicoes.first(); !cdsPosicoes.eof(); cdsPosicoes.next()) {
        posicoes << campo(cdsPosicoes, QStringLiteral("NRLUGARMESA"));
    }
    const QString inicio = posicoes.size() == 1 ? QStringLiteral("A Posição %1 esta")
                                                : QStringLiteral("As Posições %1 estão");
    const QString pergunta =
        inicio.arg(posicoes.join(QStringLiteral(", "))) +
        QStringLiteral(" com a Conta Solicitada na Mesa %1.").arg(mesaDigitada) +
        QStringLiteral("\r\nDeseja liberar alguma Posição?");
    if (!mensagem(pergunta, MsgPergunta, true)) {
        return;
    }
    QString digitada;
    if (!suite_.dialogs->TecladoNumerico(digitada, QStringLiteral("Liberar Posição"),
                                         QStringLiteral("Informe o numero da Posição"),
                                         QStringLiteral("Posição deve ser informada."), 2, 0, 0, 0,
                                         0, 0)) {
        return;
    }
    const QString posicao = Ajusta(digitada.trimmed(), 2);
    if (!cdsPosicoes.locate(QStringLiteral("NRLUGARMESA"), posicao)) {
        mensagem(QStringLiteral("Operação bloqueada. Posição Invalida"), MsgErro);
        return;
    }
    const QString nrMesa = campo(cdsPosicoes, QStringLiteral("NRMESA"));
    servico(setStatusPosicao(dm(), st.CdFilial, st.CdLoja, posicao, nrMesa, QStringLiteral("O")),
            QStringLiteral("setStatusPosicao"), {st.CdFilial, st.CdLoja, posicao, nrMesa});
    mensagem(QStringLiteral("Posição liberada com sucesso."), MsgInformacao);
}

} // namespace tmk
