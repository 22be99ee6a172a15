#pragma once

#include <QString>
#include <QVariant>
#include <QVariantList>

namespace tmk {

// The fiscal device library: fiscal printer, card payments (TEF), cash drawer and
// customer display.
class FiscalDevice {
public:
    virtual ~FiscalDevice() = default;

    // status "00" marks the drawer state the drawer guard tests.
    virtual void Estado_Gaveta_Imp(const QString& esquema, QString& status) = 0;
    // true: the drawer opened.
    virtual bool Abre_Gaveta_Imp(const QString& cdPorta, const QString& esquema, bool flag) = 0;
    // false stops the general functions.
    virtual bool VerificaData(const QString& esquema, QString& retorno, const QString& a3,
                              const QString& dataImp, int a5) = 0;
    virtual void LimpaDisplay() = 0;
    // true confirms the pending card transactions, false undoes them.
    virtual bool FinalizaTransTef(bool confirma) = 0;
    virtual void ImprimeCupomTef(const QVariantList& values) = 0; // 12 values
    // 7 values; retorno element 1 = cancelled coupon number.
    virtual void Cancela_Cupom_Imp(const QVariantList& values, QVariant& retorno) = 0;
};

} // namespace tmk
