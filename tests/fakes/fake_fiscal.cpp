#include "tests/fakes/fake_fiscal.h"

namespace tmk {

QVariantList FakeFiscal::record(const QString& name, const QVariantList& args) {
    log_.record(name, args);
    return args;
}

void FakeFiscal::Estado_Gaveta_Imp(const QString& esquema, QString& status) {
    status = estadoGavetaImp.next(record(QStringLiteral("Estado_Gaveta_Imp"), {esquema, status}));
}

bool FakeFiscal::Abre_Gaveta_Imp(const QString& cdPorta, const QString& esquema, bool flag) {
    return abreGavetaImp.next(record(QStringLiteral("Abre_Gaveta_Imp"), {cdPorta, esquema, flag}));
}

bool FakeFiscal::VerificaData(const QString& esquema, QString& retorno, const QString& a3,
                              const QString& dataImp, int a5) {
    const DateCheckAnswer a = verificaData.next(
        record(QStringLiteral("VerificaData"), {esquema, retorno, a3, dataImp, a5}));
    retorno = a.retorno;
    return a.ok;
}

void FakeFiscal::LimpaDisplay() {
    record(QStringLiteral("LimpaDisplay"), {});
}

bool FakeFiscal::FinalizaTransTef(bool confirma) {
    return finalizaTransTef.next(record(QStringLiteral("FinalizaTransTef"), {confirma}));
}

void FakeFiscal::ImprimeCupomTef(const QVariantList& values) {
    record(QStringLiteral("ImprimeCupomTef"), {QVariant(values)});
}

void FakeFiscal::Cancela_Cupom_Imp(const QVariantList& values, QVariant& retorno) {
    const QVariant a = cancelaCupomImp.next(
        record(QStringLiteral("Cancela_Cupom_Imp"), {QVariant(values), retorno}));
    if (a.isValid()) {
        retorno = a;
    }
}

} // namespace tmk
