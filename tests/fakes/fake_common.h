#pragma once

#include "external/common.h"
#include "tests/fakes/answers.h"
#include "tests/fakes/call_log.h"

namespace tmk {

// Recording fake of the interactive part of the common utility library.
//
// Mensagem is recorded as (text, a2, a3, ask flag, type, a6, scheme, a8, table name).
// Only yes/no questions (ask flag "S") take an answer from mensagem; with nothing
// scripted a question is answered no. MensagemMetodo records its seven arguments and
// hands a success back unchanged; a ServiceFailure is shown: recorded next as a
// "Mensagem" of type 3 with the failure text, followed at indices 9 to 11 by the
// operation, unit and context, and then SilentAbort is thrown.
// MontaRodapeGeral returns "<screen code>|ECF|<flag>" ("SEM_ECF" without fiscal
// printer); Uncripto returns "clear:" + the input unless scripted; CriaCodBarra
// returns "" unless scripted.
class FakeCommon : public CommonUtility {
public:
    explicit FakeCommon(CallLog& log);

    ScriptedAnswers<bool> mensagem{false};
    ScriptedAnswers<QString> uncripto;
    ScriptedAnswers<QString> criaCodBarra;

    bool Mensagem(const QString& texto, const QString& a2, const QString& a3,
                  const QString& pergunta, int tipo, const QString& a6, const QString& esquema,
                  int a8, ClientDataSet* tabela) override;
    QVariant MensagemMetodo(const QVariant& resultado, bool a2, int modo, const QString& metodo,
                            const QString& unidade, const QString& contexto,
                            const QString& esquema) override;
    QString MontaRodapeGeral(bool utilizaImpFis, const QString& codigoTela,
                             const QString& flag) override;
    void Trad(QObject* tela) override;
    QString Uncripto(const QString& cifrado, int chave) override;
    QString CriaCodBarra(const QString& chaveAcesso, const QString& dirXmlFiscal) override;

private:
    CallLog& log_;
};

} // namespace tmk
