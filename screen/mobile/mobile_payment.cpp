// The payments guests made in the mobile app become the first payment lines of the sale.
#include "external/common.h"
#include "platform/errors.h"
#include "screen/ger_mesa.h"
#include "screen/receipt/receipt_run.h"
#include "service/account_lists.h"

namespace tmk {

namespace {

// The payment list of a sale, as the payment dialog and the sale conclusion read it.
QList<FieldDef> camposMovCaixa() {
    static const char* const textos[] = {
        "CDFILIAL",      "NRSEQUMOVI",     "IDTIPOMOVIVE",    "DSMOVIVEND",    "NRSEQVENDA",
        "CDTIPORECE",    "NRCONTRAVALE",   "CDTIPOTROCO",     "NMTIPORECE",    "NRORDTROCO",
        "CDCLIENTE",     "CDCONSUMIDOR",   "CDAGECHEQVEN",    "CDBANCHEQVEN",  "CDCNTCHEQVEN",
        "NRCHEQUEVEND",  "DSIMPFISCAL",    "IDTIPORECE",      "CDFPIMPFIS",    "NRCARTBANCO",
        "CDBANCARTCR",   "CDTIPORECEORIG", "CDCCUSCLIE",      "CDNSUHOSTTEF",  "NMTIPORECEORIG",
        "CDNATPRODUTO",  "TXPRIMVIATEF",   "TXSEGVIATEF",     "NRCONTROLTEF",  "NMBANDTEF",
        "NRAUTORIZATEF", "IDFILAPAGMFE",   "CDAUTORIZMFE",    "CDBINCARTMFE",  "NMINSTFINMFE",
        "CDPAGAMENMFE",  "CDNSUTEF",       "CDINTRESGSALDO",  "IDTIPORESGATE", "CDCNPJRESGSALDO",
        "IDTRANSAME",    "IDTRANSAMECAPT", "CDCONSRESGSALDO", "DSCARTDIGITAL", "CDRESGSALDO",
        "CDINSTCAR"};
    static const char* const datas[] = {"DTHRINCMOV", "DTDEPCHEQUE", "DTDEPCHEQVEN",
                                        "DTMOVIMCAIXA"};
    static const char* const valores[] = {"VRMOVIVEND", "VRMOVIVEOUT", "VRCOTINDOUT", "QTPARCRECEB",
                                          "VRSALDORESTCP"};
    QList<FieldDef> campos;
    for (const char* c : textos) {
        campos.append({QString::fromLatin1(c), FieldType::Text, 0});
    }
    for (const char* c : datas) {
        campos.append({QString::fromLatin1(c), FieldType::DateTime, 0});
    }
    for (const char* c : valores) {
        campos.append({QString::fromLatin1(c), FieldType::Float, 0});
    }
    return campos;
}

// The configured receipt type of a code; false when this till has none.
bool localizaTipo(ClientDataSet& tipos, const QString& cdTipoRece) {
    for (tipos.first(); !tipos.eof(); tipos.next()) {
        if (tipos.fieldByName(QStringLiteral("CDTIPORECE")).asString().trimmed() ==
            cdTipoRece.trimmed()) {
            return true;
        }
    }
    return false;
}

// The first card type (credit "1" or debit "2") that charges the brand; the brand is
// compared as a value.
bool localizaBandeira(ClientDataSet& tipos, const QString& bandeira) {
    for (tipos.first(); !tipos.eof(); tipos.next()) {
        const QString id = tipos.fieldByName(QStringLiteral("IDTIPORECE")).asString().trimmed();
        if ((id == QLatin1String("1") || id == QLatin1String("2")) &&
            tipos.fieldByName(QStringLiteral("CDBANCARTCR")).asString().trimmed() == bandeira) {
            return true;
        }
    }
    return false;
}

} // namespace

void TfrmGerMesa::InserePagamentoMobile(double& total) {
    cdsMovCaixa.close();
    cdsMovCaixa.setFieldDefs(camposMovCaixa());
    cdsMovCaixa.createDataSet();
    total = 0;
    if (!cdsMovCaixaMob.active()) {
        return;
    }
    if (!cdsConfTipoRece.active()) {
        throw AppError(msg(QStringLiteral("TIPO_RECE_APP"), {QString()}));
    }
    const QString cdCliente = campo(cdsListaComanda, "CDCLIENTE");
    const QString cdConsumidor = campo(cdsListaComanda, "CDCONSUMIDOR");
    // Every app payment is checked before any line is made: an unknown type is an error
    // before the dialog opens, not a line of an arbitrary type.
    for (cdsMovCaixaMob.first(); !cdsMovCaixaMob.eof(); cdsMovCaixaMob.next()) {
        const QString tipo = campo(cdsMovCaixaMob, "CDTIPORECE");
        if (!localizaTipo(cdsConfTipoRece, tipo)) {
            throw AppError(msg(QStringLiteral("TIPO_RECE_APP"), {tipo}));
        }
    }
    const QString centroCusto =
        cdsMovCaixaMob.isEmpty() ? QString() : getCentroCusto(dm(), cdCliente, cdConsumidor);
    for (cdsMovCaixaMob.first(); !cdsMovCaixaMob.eof(); cdsMovCaixaMob.next()) {
        const auto app = [this](const char* c) {
            return cdsMovCaixaMob.fieldByName(QString::fromLatin1(c)).value();
        };
        localizaTipo(cdsConfTipoRece, campo(cdsMovCaixaMob, "CDTIPORECE"));
        QString tipoOrig = campo(cdsConfTipoRece, "CDTIPORECE");
        QString nomeOrig = cdsConfTipoRece.fieldByName(QStringLiteral("NMTIPORECE")).asString();
        const QString bandeira =
            cdsMovCaixaMob.fieldByName(QStringLiteral("DSBANDEIRA")).asString().left(10).trimmed();
        if (!bandeira.isEmpty() && !localizaBandeira(cdsConfTipoRece, bandeira)) {
            // No card type charges that brand: the app's own type, no original type.
            localizaTipo(cdsConfTipoRece, campo(cdsMovCaixaMob, "CDTIPORECE"));
            tipoOrig.clear();
            nomeOrig.clear();
        }
        const auto tipo = [this](const char* c) {
            return cdsConfTipoRece.fieldByName(QString::fromLatin1(c)).value();
        };
        cdsMovCaixa.append();
        const auto put = [this](const char* c, const QVariant& v) {
            cdsMovCaixa.fieldByName(QString::fromLatin1(c)).setValue(v);
        };
        put("CDFILIAL", app("CDFILIAL"));
        put("CDNSUHOSTTEF", app("CDNSUTEFMOB"));
        put("VRMOVIVEND", app("VRMOV"));
        put("DTHRINCMOV", app("DTHRINCMOV"));
        put("IDTIPOMOVIVE", QStringLiteral("E"));
        for (const char* c : {"CDTIPORECE", "NMTIPORECE", "IDTIPORECE", "CDTIPOTROCO", "NRORDTROCO",
                              "DSIMPFISCAL", "CDFPIMPFIS"}) {
            put(c, tipo(c));
        }
        put("VRMOVIVEOUT", 0.0);
        put("VRCOTINDOUT", 0.0);
        put("DTMOVIMCAIXA", QDateTime(clock().today(), QTime(0, 0)));
        put("CDCLIENTE", cdCliente);
        put("CDCONSUMIDOR", cdConsumidor);
        put("CDCCUSCLIE", centroCusto);
        put("NRCARTBANCO", app("NRCARTBANCO"));
        put("QTPARCRECEB", 1.0);
        put("CDBANCARTCR", bandeira);
        put("CDTIPORECEORIG", tipoOrig);
        put("NMTIPORECEORIG", nomeOrig);
        put("DSMOVIVEND", QStringLiteral("PAGAMENTO MOBILE"));
        put("TXPRIMVIATEF", app("TXPRIMVIATEF"));
        put("TXSEGVIATEF", app("TXSEGVIATEF"));
        for (const char* c :
             {"CDCNPJRESGSALDO", "CDINTRESGSALDO", "IDTRANSAME", "IDTRANSAMECAPT"}) {
            put(c, QString());
        }
        put("IDTIPORESGATE", QStringLiteral("N"));
        put("VRSALDORESTCP", 0.0);
        put("NRAUTORIZATEF", app("NRAUTORIZATEF"));
        cdsMovCaixa.post();
        total += cdsMovCaixaMob.fieldByName(QStringLiteral("VRMOV")).asFloat();
    }
    cdsMovCaixa.first();
}

} // namespace tmk
