#include "tests/fakes/fake_sales.h"

#include "tests/fakes/recorded_values.h"

namespace tmk {

QVariantList FakeSales::record(const QString& name, const QVariantList& args) {
    log_.record(name, args);
    return args;
}

QVariant FakeSales::setConcluiFechamento(const QList<ClientDataSet*>& tables,
                                         const QVariantList& values, QVariantList& retorno) {
    QStringList names;
    for (const ClientDataSet* table : tables) {
        names.append(recordedName(table));
    }
    const QVariantList args = record(QStringLiteral("setConcluiFechamento"),
                                     {names, QVariant(values), QVariant(retorno)});
    const ConclusionAnswer a = concluiFechamento.next(args);
    if (!a.retorno.isEmpty()) {
        retorno = a.retorno;
    }
    return a.result;
}

QVariant FakeSales::getVendaConcluida(const QString& cdFilial, const QString& cdCaixa,
                                      const QString& nrVendaRest, const QString& listaComandas,
                                      ClientDataSet& itens) {
    return vendaConcluida.next(
        record(QStringLiteral("getVendaConcluida"),
               {cdFilial, cdCaixa, nrVendaRest, listaComandas, recordedName(&itens)}));
}

double FakeSales::CalculoIcmsDFederal(ClientDataSet& itens, double a2, QVariantList& retorno) {
    const TaxAnswer a = calculoIcmsDFederal.next(record(
        QStringLiteral("CalculoIcmsDFederal"), {recordedName(&itens), a2, QVariant(retorno)}));
    while (retorno.size() < 3) {
        retorno.append(QVariant());
    }
    retorno[0] = a.federal;
    retorno[2] = a.estadual;
    return a.result;
}

QVariant FakeSales::AtualizaVendaSat(const QString& cdFilial, const QString& cdCaixa,
                                     const QString& nrSeqVenda, const QString& nrNotaFiscalCe,
                                     const QString& qrCode, const QStringList& satAnswer) {
    return atualizaVendaSat.next(
        record(QStringLiteral("AtualizaVendaSat"),
               {cdFilial, cdCaixa, nrSeqVenda, nrNotaFiscalCe, qrCode, satAnswer}));
}

QVariant FakeSales::setLimpaMesaGeral(int modo, const QString& nrVendaRest,
                                      const QString& listaComandas, const QString& nrMesa,
                                      const QString& tipo, const QString& cdFilial,
                                      const QString& cdLoja, const QString& a8,
                                      const QString& cdCaixa, const QString& nrSeqVenda,
                                      const QString& a11, bool a12) {
    return limpaMesaGeral.next(record(QStringLiteral("setLimpaMesaGeral"),
                                      {modo, nrVendaRest, listaComandas, nrMesa, tipo, cdFilial,
                                       cdLoja, a8, cdCaixa, nrSeqVenda, a11, a12}));
}

QVariant FakeSales::setLimpaMesaComanda(const QString& cdFilial, const QString& listaComandas,
                                        const QString& cdLoja, const QString& nrVendaRest,
                                        const QString& nrMesa, const QString& tipo,
                                        const QString& flag) {
    return limpaMesaComanda.next(
        record(QStringLiteral("setLimpaMesaComanda"),
               {cdFilial, listaComandas, cdLoja, nrVendaRest, nrMesa, tipo, flag}));
}

QString FakeSales::CalcTicketMedio(const QString& cdFilial, const QString& cdLoja,
                                   const QDateTime& dtAberCaixa) {
    return calcTicketMedio.next(
        record(QStringLiteral("CalcTicketMedio"), {cdFilial, cdLoja, dtAberCaixa}));
}

} // namespace tmk
