#include "tests/fakes/fake_common.h"

#include "platform/errors.h"
#include "platform/service_result.h"
#include "tests/fakes/recorded_values.h"

namespace tmk {

FakeCommon::FakeCommon(CallLog& log)
    : log_(log) {
    uncripto.setCallback([](const QVariantList& args) {
        return QStringLiteral("clear:") + args.value(0).toString();
    });
}

bool FakeCommon::Mensagem(const QString& texto, const QString& a2, const QString& a3,
                          const QString& pergunta, int tipo, const QString& a6,
                          const QString& esquema, int a8, ClientDataSet* tabela) {
    const QVariantList args{texto, a2, a3, pergunta, tipo, a6, esquema, a8, recordedName(tabela)};
    log_.record(QStringLiteral("Mensagem"), args);
    return pergunta == QLatin1String("S") && mensagem.next(args);
}

QVariant FakeCommon::MensagemMetodo(const QVariant& resultado, bool a2, int modo,
                                    const QString& metodo, const QString& unidade,
                                    const QString& contexto, const QString& esquema) {
    log_.record(QStringLiteral("MensagemMetodo"),
                {resultado, a2, modo, metodo, unidade, contexto, esquema});
    if (isServiceFailure(resultado)) {
        log_.record(QStringLiteral("Mensagem"),
                    {serviceFailureMessage(resultado), QString(), QStringLiteral("N"),
                     QStringLiteral("N"), int(MsgErro), QString(), esquema, 0, QString(), metodo,
                     unidade, contexto});
        abortSilently();
    }
    return resultado;
}

QString FakeCommon::MontaRodapeGeral(bool utilizaImpFis, const QString& codigoTela,
                                     const QString& flag) {
    log_.record(QStringLiteral("MontaRodapeGeral"), {utilizaImpFis, codigoTela, flag});
    return codigoTela + QLatin1Char('|') +
           (utilizaImpFis ? QStringLiteral("ECF") : QStringLiteral("SEM_ECF")) + QLatin1Char('|') +
           flag;
}

void FakeCommon::Trad(QObject* tela) {
    log_.record(QStringLiteral("Trad"), {recordedName(tela)});
}

QString FakeCommon::Uncripto(const QString& cifrado, int chave) {
    const QVariantList args{cifrado, chave};
    log_.record(QStringLiteral("Uncripto"), args);
    return uncripto.next(args);
}

QString FakeCommon::CriaCodBarra(const QString& chaveAcesso, const QString& dirXmlFiscal) {
    const QVariantList args{chaveAcesso, dirXmlFiscal};
    log_.record(QStringLiteral("CriaCodBarra"), args);
    return criaCodBarra.next(args);
}

} // namespace tmk
