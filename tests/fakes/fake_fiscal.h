#pragma once

#include "external/fiscal.h"
#include "tests/fakes/answers.h"
#include "tests/fakes/call_log.h"

namespace tmk {

// Answer of VerificaData: the result and the out text.
struct DateCheckAnswer {
    bool ok = true;
    QString retorno;
};

// Recording fake of the fiscal device library; out-parameters are recorded with
// their value on entry.
//
// Defaults when nothing is scripted: Estado_Gaveta_Imp reads "" (with drawer type
// "1" the drawer counts as closed, with type "2" as open); Abre_Gaveta_Imp,
// VerificaData and FinalizaTransTef succeed; Cancela_Cupom_Imp leaves retorno as given.
class FakeFiscal : public FiscalDevice {
public:
    explicit FakeFiscal(CallLog& log)
        : log_(log) {}

    // The status texts of successive drawer reads.
    ScriptedAnswers<QString> estadoGavetaImp;
    ScriptedAnswers<bool> abreGavetaImp{true};
    ScriptedAnswers<DateCheckAnswer> verificaData;
    ScriptedAnswers<bool> finalizaTransTef{true};
    // The whole out variant (element 1 = cancelled coupon); invalid leaves it as given.
    ScriptedAnswers<QVariant> cancelaCupomImp;

    void Estado_Gaveta_Imp(const QString& esquema, QString& status) override;
    bool Abre_Gaveta_Imp(const QString& cdPorta, const QString& esquema, bool flag) override;
    bool VerificaData(const QString& esquema, QString& retorno, const QString& a3,
                      const QString& dataImp, int a5) override;
    void LimpaDisplay() override;
    bool FinalizaTransTef(bool confirma) override;
    void ImprimeCupomTef(const QVariantList& values) override;
    void Cancela_Cupom_Imp(const QVariantList& values, QVariant& retorno) override;

private:
    QVariantList record(const QString& name, const QVariantList& args);

    CallLog& log_;
};

} // namespace tmk
