#include "tests/fakes/fake_dialogs.h"

#include "platform/client_dataset.h"
#include "platform/errors.h"
#include "tests/fakes/opening_dataset.h"
#include "tests/fakes/recorded_values.h"

#include <QWidget>

namespace tmk {

namespace {

// Writes element i of an out array, growing it to the ten elements the library uses.
void setElement(QVariantList& list, int i, const QVariant& value) {
    while (list.size() < qMax(10, i + 1)) {
        list.append(QVariant());
    }
    list[i] = value;
}

QVariantList recordedPayment(const RecebimentoArgs& a) {
    QVariantList v{recordedName(a.cdsParametrosKov),
                   a.cdOperAutoriz,
                   recordedName(a.cdsListaComanda),
                   recordedName(a.cdsListaComandaCanc),
                   recordedName(a.cdsMovCaixa),
                   recordedName(a.cdsFamiliaSaldo),
                   recordedName(a.cdsEmprestimoFam),
                   a.cancelarVenda,
                   a.nrCupom,
                   a.outValue10,
                   a.outValue11,
                   a.nrNaoFiscal,
                   a.cdIdConsumidor,
                   a.idTef,
                   a.vrTotalPago,
                   recordedName(a.cdsCliente),
                   recordedName(a.cdsAliqImpFis),
                   recordedName(a.cdsConfTipoRece),
                   recordedName(a.cdsECFCaixa),
                   a.tipoVenda,
                   a.cdCliente,
                   a.cdConsumidor,
                   a.arg23};
    v.append(a.zeros24to32);
    v << a.arg33 << a.senhaCupom << a.arg35 << a.arg36 << a.idPagMobile << a.outValue38
      << a.vrRecebExtra << a.outValue40 << a.outValue41 << a.txProgressoCupom << a.txRecebExtra1
      << a.txRecebExtra2 << a.idFiscalDialogo << a.txImpressaoExtra << recordedName(a.cdsExtConsFid)
      << recordedName(a.cdsPromoComanda);
    return v;
}

} // namespace

QVariantMap openingRow(const QString& nrVendaRest, const QString& nrComanda,
                       const QString& dsComanda, const QString& cdCliente,
                       const QString& cdVendedor, const QString& cdConsumidor) {
    return {{QStringLiteral("NRVENDAREST"), nrVendaRest},
            {QStringLiteral("NRCOMANDA"), nrComanda},
            {QStringLiteral("DSCOMANDA"), dsComanda},
            {QStringLiteral("CDCLIENTE"), cdCliente},
            {QStringLiteral("CDVENDEDOR"), cdVendedor},
            {QStringLiteral("CDCONSUMIDOR"), cdConsumidor}};
}

QVariantList FakeDialogs::record(const QString& name, const QVariantList& args) {
    log_.record(name, args);
    return args;
}

void FakeDialogs::ControleAcess(int codigoAcesso, const QString& cdOperador, QString& resultado) {
    record(QStringLiteral("ControleAcess"), {codigoAcesso, cdOperador, resultado});
    resultado = controleAcess.value(codigoAcesso, QStringLiteral("S"));
}

bool FakeDialogs::VerificaAcesso(int codigoAcesso, const QString& cdOperador,
                                 QString& cdOperAutoriz) {
    const AccessAnswer a = verificaAcesso.next(
        record(QStringLiteral("VerificaAcesso"), {codigoAcesso, cdOperador, cdOperAutoriz}));
    cdOperAutoriz = a.cdOperAutoriz;
    return a.allowed;
}

void FakeDialogs::LogControleAcess(const QString& cdFilial, const QString& cdCaixa,
                                   const QString& cdOperacao, const QString& cdOperador,
                                   const QString& nmOperador, const QString& cdOperAutoriz,
                                   const QString& dsMotivo, const QString& dsMotivoLongo,
                                   const QString& nrVendaRest, const QString& nrComanda,
                                   const QString& dsComanda, const QString& nrMesa,
                                   const QVariant& cdVendedor, const QVariant& nrSeqVenda) {
    record(QStringLiteral("LogControleAcess"),
           {cdFilial, cdCaixa, cdOperacao, cdOperador, nmOperador, cdOperAutoriz, dsMotivo,
            dsMotivoLongo, nrVendaRest, nrComanda, dsComanda, nrMesa, cdVendedor, nrSeqVenda});
}

bool FakeDialogs::TecladoNumerico(QString& valor, const QString& caption, const QString& prompt,
                                  const QString& msgVazio, int maxDigitos, int a6, int a7, int a8,
                                  int a9, int a10) {
    const KeypadAnswer a = tecladoNumerico.next(
        record(QStringLiteral("TecladoNumerico"),
               {valor, caption, prompt, msgVazio, maxDigitos, a6, a7, a8, a9, a10}));
    if (a.confirmed) {
        valor = a.value;
    }
    return a.confirmed;
}

bool FakeDialogs::AberturaMesa(const QString& nrMesa, ClientDataSet& cdsDadosAbertura) {
    const OpeningAnswer a = aberturaMesa.next(
        record(QStringLiteral("AberturaMesa"),
               {nrMesa, recordedName(&cdsDadosAbertura), recordedPacket(cdsDadosAbertura)}));
    if (a.opened) {
        fillOpeningDataSet(cdsDadosAbertura, a.rows);
    }
    return a.opened;
}

bool FakeDialogs::ControleSenhOper(const QVariantList& params, int lastIndex,
                                   QVariantList& retorno) {
    const WaiterAnswer a = controleSenhOper.next(record(
        QStringLiteral("ControleSenhOper"), {QVariant(params), lastIndex, QVariant(retorno)}));
    if (a.confirmed) {
        setElement(retorno, 0, a.cdVendedor);
    }
    return a.confirmed;
}

void FakeDialogs::CriaListReserva(const QString& nrMesa, const QDateTime& primeiroDia,
                                  const QDateTime& ultimoDia) {
    record(QStringLiteral("CriaListReserva"), {nrMesa, primeiroDia, ultimoDia});
}

void FakeDialogs::CriaConsulReserva(const QString& nrResMesa) {
    record(QStringLiteral("CriaConsulReserva"), {nrResMesa});
}

void FakeDialogs::CriaMenuMesa(const QString& cdFilial, const QString& cdLoja,
                               const QString& nrConfTela, int a4) {
    record(QStringLiteral("CriaMenuMesa"), {cdFilial, cdLoja, nrConfTela, a4});
}

bool FakeDialogs::CriaFuncoesFiscais(int a1, int a2, int a3) {
    return criaFuncoesFiscais.next(record(QStringLiteral("CriaFuncoesFiscais"), {a1, a2, a3}));
}

void FakeDialogs::RelFiscais() {
    record(QStringLiteral("RelFiscais"), {});
}

void FakeDialogs::CriaConsultaPreco() {
    record(QStringLiteral("CriaConsultaPreco"), {});
}

void FakeDialogs::AbreGaveta(const QString& idTipoImp, const QString& cdPorta) {
    if (!abreGaveta.next(record(QStringLiteral("AbreGaveta"), {idTipoImp, cdPorta}))) {
        throw AppError(QStringLiteral("Não foi possível abrir a gaveta."));
    }
}

int FakeDialogs::VerificaStatusGaveta(const QString& idTipoImp, const QString& cdPorta) {
    return verificaStatusGaveta.next(
        record(QStringLiteral("VerificaStatusGaveta"), {idTipoImp, cdPorta}));
}

void FakeDialogs::FechaConta(ClientDataSet& cdsParamFechaConta, QVariantList& retorno,
                             const QString& posicaoApp) {
    const AccountClosingAnswer a =
        fechaConta.next(record(QStringLiteral("FechaConta"), {recordedName(&cdsParamFechaConta),
                                                              recordedPacket(cdsParamFechaConta),
                                                              QVariant(retorno), posicaoApp}));
    if (!a.paramFields.isEmpty()) {
        cdsParamFechaConta.edit();
        for (auto it = a.paramFields.cbegin(); it != a.paramFields.cend(); ++it) {
            cdsParamFechaConta.fieldByName(it.key()).setValue(it.value());
        }
        cdsParamFechaConta.post();
    }
    if (!a.retorno.isEmpty()) {
        retorno = a.retorno;
    }
}

void FakeDialogs::ParcialConta(QString& nrMesa) {
    const std::optional<QString> a =
        parcialConta.next(record(QStringLiteral("ParcialConta"), {nrMesa}));
    if (a) {
        nrMesa = *a;
    }
}

void FakeDialogs::CancelaProduto(const QString& nrComanda, const QString& dsComanda,
                                 const QString& tipo, const QString& nrMesa) {
    record(QStringLiteral("CancelaProduto"), {nrComanda, dsComanda, tipo, nrMesa});
}

bool FakeDialogs::TrocaOperadorCaixa(QString& nmOperador) {
    const std::optional<QString> a =
        trocaOperadorCaixa.next(record(QStringLiteral("TrocaOperadorCaixa"), {nmOperador}));
    if (a) {
        nmOperador = *a;
    }
    return a.has_value();
}

void FakeDialogs::CriaInfAdicional(const QVariantList& values, QVariantList& retorno) {
    const QString email = criaInfAdicional.next(
        record(QStringLiteral("CriaInfAdicional"), {QVariant(values), QVariant(retorno)}));
    setElement(retorno, 6, email);
}

void FakeDialogs::PesqConsumidor(const QString& modo, int a2, QString& a3, const QString& a4,
                                 const QString& a5, ClientDataSet& cdsCliente, QString& cdCliente,
                                 QStringList& retornos) {
    const QString erro = pesqConsumidor.next(
        record(QStringLiteral("PesqConsumidor"),
               {modo, a2, a3, a4, a5, recordedName(&cdsCliente), cdCliente, retornos}));
    if (!erro.isEmpty()) {
        throw AppError(erro);
    }
}

void FakeDialogs::AtivaProcesso(QWidget* tela, const QString& aviso, int a3, int a4) {
    record(QStringLiteral("AtivaProcesso"),
           {recordedName(static_cast<const QObject*>(tela)), aviso, a3, a4});
}

void FakeDialogs::DesativaProcesso() {
    record(QStringLiteral("DesativaProcesso"), {});
}

bool FakeDialogs::Recebimento(RecebimentoArgs& args) {
    const PaymentAnswer a =
        recebimento.next(record(QStringLiteral("Recebimento"), recordedPayment(args)));
    if (a.fill) {
        a.fill(args);
    }
    return a.completed;
}

void FakeDialogs::getNumeroSerieNFCe(const QString& cdFilial, const QString& cdCaixa,
                                     QString& serie) {
    serie = numeroSerieNFCe.next(
        record(QStringLiteral("getNumeroSerieNFCe"), {cdFilial, cdCaixa, serie}));
}

void FakeDialogs::getDataEmissNFCe(QString& data) {
    data = dataEmissNFCe.next(record(QStringLiteral("getDataEmissNFCe"), {data}));
}

bool FakeDialogs::SATOnline(const QString& cdFilial, const QString& cdCaixa,
                            const QString& nrSeqVenda, const QString& idUtilSatComp,
                            const QString& cdAtivacaoSat, const QString& dirXmlFiscal,
                            const QString& stIbpt, const QString& stIbptEs, QStringList& answer) {
    const SatAnswer a = satOnline.next(record(
        QStringLiteral("SATOnline"), {cdFilial, cdCaixa, nrSeqVenda, idUtilSatComp, cdAtivacaoSat,
                                      dirXmlFiscal, stIbpt, stIbptEs, answer}));
    answer = a.answer;
    return a.transmitted;
}

void FakeDialogs::Imp_Extrato_SAT_Ger(const QVariantList& values) {
    record(QStringLiteral("Imp_Extrato_SAT_Ger"), {QVariant(values)});
}

void FakeDialogs::DisparaImpressaoNaoFiscal(const QVariantList& values, QVariant& retorno) {
    const QVariant a = disparaImpressaoNaoFiscal.next(
        record(QStringLiteral("DisparaImpressaoNaoFiscal"), {QVariant(values), retorno}));
    if (a.isValid()) {
        retorno = a;
    }
}

void FakeDialogs::AlteraVendaCan(const QVariantList& values, QVariant& retorno,
                                 QVariant& resultado) {
    const SaleCancelAnswer a = alteraVendaCan.next(
        record(QStringLiteral("AlteraVendaCan"), {QVariant(values), retorno, resultado}));
    if (a.retorno.isValid()) {
        retorno = a.retorno;
    }
    resultado = a.resultado;
}

} // namespace tmk
