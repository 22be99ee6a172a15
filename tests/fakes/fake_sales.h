#pragma once

#include "external/sales.h"
#include "platform/service_result.h"
#include "tests/fakes/answers.h"
#include "tests/fakes/call_log.h"

namespace tmk {

// Answer of setConcluiFechamento: the service result (the new NRSEQVENDA or a
// failure) and, when not empty, the out array that replaces retorno.
struct ConclusionAnswer {
    QVariant result;
    QVariantList retorno;
};

// Answer of CalculoIcmsDFederal: the result and the federal and state tax totals
// put into elements 0 and 2 of retorno.
struct TaxAnswer {
    double result = 0;
    QString federal = QStringLiteral("0");
    QString estadual = QStringLiteral("0");
};

// Recording fake of the shared sales service. Tables are recorded by name (the
// list of setConcluiFechamento as one QStringList), out-parameters with their
// value on entry.
//
// Defaults when nothing is scripted: setConcluiFechamento fails (a service failure
// naming the missing answer), so an unscripted sale never looks concluded; the
// other service results are an empty success; CalcTicketMedio gives "0-0".
class FakeSales : public SalesService {
public:
    explicit FakeSales(CallLog& log)
        : log_(log) {}

    ScriptedAnswers<ConclusionAnswer> concluiFechamento{ConclusionAnswer{
        serviceFailure(QStringLiteral("Nenhuma resposta programada para setConcluiFechamento.")),
        {}}};
    ScriptedAnswers<QVariant> vendaConcluida{QVariant(QStringList())}; // none stored
    ScriptedAnswers<TaxAnswer> calculoIcmsDFederal;
    ScriptedAnswers<QVariant> atualizaVendaSat;
    ScriptedAnswers<QVariant> limpaMesaGeral;
    ScriptedAnswers<QVariant> limpaMesaComanda;
    ScriptedAnswers<QString> calcTicketMedio{QStringLiteral("0-0")};

    QVariant setConcluiFechamento(const QList<ClientDataSet*>& tables, const QVariantList& values,
                                  QVariantList& retorno) override;
    QVariant getVendaConcluida(const QString& cdFilial, const QString& cdCaixa,
                               const QString& nrVendaRest, const QString& listaComandas,
                               ClientDataSet& itens) override;
    double CalculoIcmsDFederal(ClientDataSet& itens, double a2, QVariantList& retorno) override;
    QVariant AtualizaVendaSat(const QString& cdFilial, const QString& cdCaixa,
                              const QString& nrSeqVenda, const QString& nrNotaFiscalCe,
                              const QString& qrCode, const QStringList& satAnswer) override;
    QVariant setLimpaMesaGeral(int modo, const QString& nrVendaRest, const QString& listaComandas,
                               const QString& nrMesa, const QString& tipo, const QString& cdFilial,
                               const QString& cdLoja, const QString& a8, const QString& cdCaixa,
                               const QString& nrSeqVenda, const QString& a11, bool a12) override;
    QVariant setLimpaMesaComanda(const QString& cdFilial, const QString& listaComandas,
                                 const QString& cdLoja, const QString& nrVendaRest,
                                 const QString& nrMesa, const QString& tipo,
                                 const QString& flag) override;
    QString CalcTicketMedio(const QString& cdFilial, const QString& cdLoja,
                            const QDateTime& dtAberCaixa) override;

private:
    QVariantList record(const QString& name, const QVariantList& args);

    CallLog& log_;
};

} // namespace tmk
