// The conventions every command uses: the data-service call and its MensagemMetodo
// unwrapping, the numeric keypad, the access-log record and the catalogue messages.
#include "external/common.h"
#include "platform/errors.h"
#include "screen/ger_mesa.h"

namespace tmk {

QString TfrmGerMesa::msg(const QString& key, const QStringList& args) const {
    QString text = msgPadrao().Msg(key);
    for (const QString& arg : args) {
        const int at = text.indexOf(QStringLiteral("%s"));
        if (at < 0) {
            break;
        }
        text.replace(at, 2, arg);
    }
    return text;
}

bool TfrmGerMesa::mensagem(const QString& texto, int tipo, bool pergunta) {
    return suite_.common->Mensagem(texto, QString(), QStringLiteral("N"),
                                   pergunta ? QStringLiteral("S") : QStringLiteral("N"), tipo,
                                   QString(), st.IdEsquema, 0, nullptr);
}

QVariant TfrmGerMesa::servico(const QVariant& resultado, const QString& operacao,
                              const QStringList& contexto, int modo, const QString& unidade,
                              const QString& esquema) {
    return suite_.common->MensagemMetodo(resultado, true, modo, operacao, unidade,
                                         contexto.join(QLatin1Char('-')),
                                         esquema.isEmpty() ? st.IdEsquema : esquema);
}

void TfrmGerMesa::carrega(ClientDataSet& cds, const QVariant& resultado, const QString& operacao,
                          const QStringList& contexto, const QString& unidade,
                          const QString& esquema) {
    const QVariant valor = servico(resultado, operacao, contexto, 0, unidade, esquema);
    if (valor.metaType() != QMetaType::fromType<DataPacket>()) {
        throw AppError(
            QStringLiteral("A operação %1 não devolveu um pacote de dados.").arg(operacao));
    }
    cds.setData(valor.value<DataPacket>());
}

QString TfrmGerMesa::campo(ClientDataSet& cds, const QString& coluna) {
    if (!cds.active() || cds.fieldIndex(coluna) < 0) {
        return {};
    }
    return cds.value(coluna).toString();
}

bool TfrmGerMesa::TecladoNumerico(QString& valor, const QString& captionKey,
                                  const QString& promptKey, const QString& msgVazioKey,
                                  int maxDigitos) {
    valor.clear();
    return suite_.dialogs->TecladoNumerico(valor, msg(captionKey), msg(promptKey), msg(msgVazioKey),
                                           maxDigitos, 0, 0, 0, 0, 0);
}

bool TfrmGerMesa::PedeMesa(QString& nrMesa, const QString& captionKey) {
    QString valor;
    if (!TecladoNumerico(valor, captionKey, QStringLiteral("INF_MESA"), QStringLiteral("MESANINF"),
                         4)) {
        return false;
    }
    nrMesa = Ajusta(valor, 4);
    return true;
}

void TfrmGerMesa::gravaLogAcesso(const QString& cdOperacao, const QString& dsMotivo,
                                 const QString& dsMotivoLongo, const QString& nrVendaRest,
                                 const QString& nrComanda, const QString& dsComanda,
                                 const QString& nrMesa, const QVariant& cdVendedor,
                                 const QVariant& nrSeqVenda) {
    suite_.dialogs->LogControleAcess(
        st.CdFilial, st.CdCaixa, cdOperacao, st.CdOperador, st.NmOperador, st.CdOperAutoriz,
        dsMotivo, dsMotivoLongo, nrVendaRest, nrComanda, dsComanda, nrMesa, cdVendedor, nrSeqVenda);
}

} // namespace tmk
