// Receipt e-mail: decides, for every item row of the account, to which address the
// electronic receipt goes and in which state that sending is ("U" not used on this till,
// "A" an address is set, "N" none given).
#include "screen/ger_mesa.h"
#include "service/account_lists.h"

namespace tmk {

namespace {

void marcaLinhas(ClientDataSet& itens, const QString& email, const QString& situacao) {
    for (itens.first(); !itens.eof(); itens.next()) {
        itens.edit();
        itens.fieldByName(QStringLiteral("DSEMAILENVCUPOM")).setValue(email);
        itens.fieldByName(QStringLiteral("IDSITENVCUPOM")).setValue(situacao);
        itens.post();
    }
}

} // namespace

void TfrmGerMesa::relacionaEmailVenda() {
    cdsListaComanda.first();
    if (st.IdEnvCupomEmail != QLatin1String("S")) {
        marcaLinhas(cdsListaComanda, st.DsEmailCupom, QStringLiteral("U"));
        return;
    }
    st.DsEmailCupom = getEmailCons(dm(), campo(cdsListaComanda, QStringLiteral("CDCLIENTE")),
                                   campo(cdsListaComanda, QStringLiteral("CDCONSUMIDOR")))
                          .toString();
    st.VarRetorno = QVariantList(10);
    QVariantList valores;
    for (int i = 0; i < 6; ++i) {
        valores << QString();
    }
    valores << st.IdEsquema;
    for (int i = 0; i < 4; ++i) {
        valores << QString();
    }
    valores << QStringLiteral("S") << st.DsEmailCupom << QStringLiteral("S");
    suite_.dialogs->CriaInfAdicional(valores, st.VarRetorno);
    // An address of blanks only is no address.
    st.DsEmailCupom = st.VarRetorno.value(6).toString().trimmed();
    marcaLinhas(cdsListaComanda, st.DsEmailCupom,
                st.DsEmailCupom.isEmpty() ? QStringLiteral("N") : QStringLiteral("A"));
}

} // namespace tmk
