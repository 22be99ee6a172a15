// The demo store's registers: branch, store, till, sales parameters, people,
// products with their tax rates, and the screen configuration with its tables.
#include "db/demo/demo_catalogue.h"
#include "db/demo/demo_store_builder.h"
#include "external/common.h"

namespace tmk::demo {

namespace {

QString s(const char* text) {
    return QString::fromUtf8(text);
}

QString twoDigits(int n) {
    return QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0'));
}

// Table buttons: dark text on a light face, 8 points (the map's 67 x 54 buttons).
constexpr int kCorTextoMesa = 0x00000000;
constexpr int kCorFundoMesa = 0x00F0F0F0;
constexpr int kFonteMesa = 8;

} // namespace

void DemoStoreBuilder::branchAndStore() {
    rows_.insert(QStringLiteral("FILIAL"), {{QStringLiteral("CDFILIAL"), s(kFilial)},
                                            {QStringLiteral("NMFILIAL"), s("Sabor da Casa")},
                                            {QStringLiteral("CDEMPRESA"), s(kEmpresa)}});
    rows_.insert(QStringLiteral("LOJA"), {{QStringLiteral("CDFILIAL"), s(kFilial)},
                                          {QStringLiteral("CDLOJA"), s(kLoja)},
                                          {QStringLiteral("NMLOJA"), s("Sabor da Casa - Centro")},
                                          {QStringLiteral("NRMESAPADRAO"), s(kMesaPadrao)}});
    for (const char* caixa : kCaixas) {
        rows_.insert(QStringLiteral("CAIXA"), {{QStringLiteral("CDFILIAL"), s(kFilial)},
                                               {QStringLiteral("CDCAIXA"), s(caixa)},
                                               {QStringLiteral("CDLOJA"), s(kLoja)},
                                               {QStringLiteral("NMCAIXA"), s("Caixa ") + s(caixa)},
                                               {QStringLiteral("IDTIPOGAVETA"), s("1")},
                                               {QStringLiteral("IDPERTROCAOP"), s("S")}});
    }
    rows_.insert(QStringLiteral("PARAVEND"), {{QStringLiteral("CDFILIAL"), s(kFilial)},
                                              {QStringLiteral("NRMAXPESMES"), 20},
                                              {QStringLiteral("IDORIGVENDA"), s("CAIXA")},
                                              {QStringLiteral("CDTABEPREC"), s("001")},
                                              {QStringLiteral("IDALTPRECO"), s("N")},
                                              {QStringLiteral("IDUTSUBTCONS"), s("N")},
                                              {QStringLiteral("CDCLIENTE"), s(kClients[0].code)}});
}

void DemoStoreBuilder::people() {
    for (const Operator& op : kOperators) {
        // The passwords live in the till's operator file (enciphered); the database
        // keeps no password of the demo.
        rows_.insert(QStringLiteral("OPERADOR"), {{QStringLiteral("CDOPERADOR"), s(op.code)},
                                                  {QStringLiteral("NMOPERADOR"), s(op.name)},
                                                  {QStringLiteral("IDATIVOOPER"), s("S")}});
    }
    for (const Waiter& w : kWaiters) {
        rows_.insert(QStringLiteral("VENDEDOR"),
                     {{QStringLiteral("CDVENDEDOR"), s(w.code)},
                      {QStringLiteral("NMFANVEN"), s(w.shortName)},
                      {QStringLiteral("NMVENDEDOR"), s(w.name)},
                      {QStringLiteral("CDSENHAVEN"), Cripto(s(w.password), kChaveSenhaVendedor)},
                      {QStringLiteral("IDATIVOVEN"), s("S")}});
    }
    for (const Consumer& c : kConsumers) {
        rows_.insert(QStringLiteral("CONSUMIDOR"),
                     {{QStringLiteral("CDCLIENTE"), s(c.client)},
                      {QStringLiteral("CDCONSUMIDOR"), s(c.code)},
                      {QStringLiteral("NMCONSUMIDOR"), s(c.name)},
                      {QStringLiteral("CDEXCONSUMID"), s(c.code).right(4)},
                      {QStringLiteral("CDIDCONSUMID"), s(c.code)},
                      {QStringLiteral("NRCPFRESPCON"), s(c.cpf)},
                      {QStringLiteral("IDIMPCPFCUPOM"), s("S")},
                      {QStringLiteral("CDCCUSCLIE"), s("ADM")},
                      {QStringLiteral("IDSITCONSUMI"), s("1")},
                      {QStringLiteral("DSEMAILCONS"), s(c.email)},
                      {QStringLiteral("VRLIMDEBCONS"), c.dailyLimit},
                      {QStringLiteral("VRMAXDEBCONS"), c.monthlyLimit}});
    }
    rows_.insert(QStringLiteral("FAMILIASALDO"), {{QStringLiteral("CDFAMILISALD"), s("01")},
                                                  {QStringLiteral("NMFAMILISALD"), s("Refeição")}});
    rows_.insert(QStringLiteral("SALDOCONS"),
                 {{QStringLiteral("CDCLIENTE"), s(kConsumers[0].client)},
                  {QStringLiteral("CDCONSUMIDOR"), s(kConsumers[0].code)},
                  {QStringLiteral("CDFAMILISALD"), s("01")},
                  {QStringLiteral("VRSALDCONFAM"), 150.0}});
}

void DemoStoreBuilder::products() {
    for (const Tax& t : kTaxes) {
        rows_.insert(QStringLiteral("IMPOSTO"), {{QStringLiteral("CDIMPOSTO"), s(t.code)},
                                                 {QStringLiteral("NMIMPOSTO"), s(t.name)},
                                                 {QStringLiteral("IDTPIMPOSFIS"), s(t.kind)}});
    }
    int barcode = 1;
    for (const Product& p : kProducts) {
        const bool food = QLatin1String(p.nature) == QLatin1String(kNaturezaAlimentos);
        rows_.insert(QStringLiteral("PRODUTO"),
                     {{QStringLiteral("CDPRODUTO"), s(p.code)},
                      {QStringLiteral("NMPRODUTO"), s(p.name)},
                      {QStringLiteral("NMPRODIMPFIS"), s(p.fiscalName)},
                      {QStringLiteral("SGUNIDADE"), s(p.unit)},
                      {QStringLiteral("CDBARPRODUTO"),
                       QStringLiteral("78900000%1").arg(barcode++, 5, 10, QLatin1Char('0'))},
                      {QStringLiteral("CDCLASFISC"), s(p.ncm)},
                      {QStringLiteral("CDARVPROD"), food ? s("0101") : s("0201")},
                      {QStringLiteral("IDCOBTXSERV"), p.serviceCharge ? s("S") : s("N")},
                      {QStringLiteral("IDPRODIMPFIS"), s("S")},
                      {QStringLiteral("VRPRECPROD"), p.price},
                      {QStringLiteral("VRPETRIBFED"), p.federalTaxes},
                      {QStringLiteral("VRPETRIBEST"), p.stateTaxes}});
        rows_.insert(QStringLiteral("ALIQIMPFIS"),
                     {{QStringLiteral("CDFILIAL"), s(kFilial)},
                      {QStringLiteral("CDPRODUTO"), s(p.code)},
                      {QStringLiteral("CDIMPOSTO"), s(p.tax)},
                      {QStringLiteral("VRPEALIMPFIS"), tax(p.tax).rate}});
        if (food && p.serviceCharge) {
            rows_.insert(QStringLiteral("FAMSALDOPROD"),
                         {{QStringLiteral("CDFILIAL"), s(kFilial)},
                          {QStringLiteral("CDPRODUTO"), s(p.code)},
                          {QStringLiteral("CDFAMILISALD"), s("01")}});
        }
    }
}

void DemoStoreBuilder::screenLayout() {
    rows_.insert(QStringLiteral("CONFTELA"), {{QStringLiteral("CDFILIAL"), s(kFilial)},
                                              {QStringLiteral("NRCONFTELA"), s(kConfTela)},
                                              {QStringLiteral("CDLOJA"), s(kLoja)},
                                              {QStringLiteral("NMCONFTELA"), s("Mapa de mesas")}});
    const QVariantMap button{{QStringLiteral("CDFILIAL"), s(kFilial)},
                             {QStringLiteral("NRCONFTELA"), s(kConfTela)}};
    // Area buttons: page 1, no parent button.
    for (const Area& a : areas()) {
        QVariantMap row = button;
        row.insert(QStringLiteral("IDTPBUTTON"), s("4"));
        row.insert(QStringLiteral("NRBUTTONAUX"), QStringLiteral(""));
        row.insert(QStringLiteral("NRPGCONFTELA"), 1);
        row.insert(QStringLiteral("NRBUTTON"), s(a.button));
        row.insert(QStringLiteral("DSBUTTON"), s(a.caption));
        row.insert(QStringLiteral("CDIDENTBUTON"), s(a.button));
        row.insert(QStringLiteral("NRCOLORTEXT"), a.textColour);
        row.insert(QStringLiteral("NRCOLORBACK"), a.backColour);
        row.insert(QStringLiteral("NRFONTETEXT"), a.fontSize);
        rows_.insert(QStringLiteral("ITMENUCONFTE"), row);
    }
    // Table buttons of each area, 48 to a page; the store's default table also has a
    // button (on the Bar's last position), which the map never shows.
    auto tableButton = [&](const QString& area, int page, int position, const QString& nrMesa,
                           const QString& caption) {
        QVariantMap row = button;
        row.insert(QStringLiteral("IDTPBUTTON"), s("3"));
        row.insert(QStringLiteral("NRBUTTONAUX"), area);
        row.insert(QStringLiteral("NRPGCONFTELA"), page);
        row.insert(QStringLiteral("NRBUTTON"), twoDigits(position));
        row.insert(QStringLiteral("DSBUTTON"), caption);
        row.insert(QStringLiteral("CDIDENTBUTON"), nrMesa);
        row.insert(QStringLiteral("NRCOLORTEXT"), kCorTextoMesa);
        row.insert(QStringLiteral("NRCOLORBACK"), kCorFundoMesa);
        row.insert(QStringLiteral("NRFONTETEXT"), kFonteMesa);
        row.insert(QStringLiteral("IDTPBUTONAUX"), s("4"));
        row.insert(QStringLiteral("NRPGCONFTAUX"), 1);
        rows_.insert(QStringLiteral("ITMENUCONFTE"), row);
    };
    for (const Area& a : areas()) {
        for (int i = 0; i < a.tables; ++i) {
            const int n = a.firstTable + i;
            tableButton(s(a.button), i / kMesasPorPagina + 1, i % kMesasPorPagina + 1,
                        tableNumber(n), tableCaption(n));
        }
    }
    tableButton(s("03"), 1, kMesasPorPagina, s(kMesaPadrao), s("Balcão"));
    // The order screen's groups: one button per nature, captioning its product buttons.
    for (const auto& [nature, caption] :
         {std::pair{kNaturezaAlimentos, "Pratos"}, std::pair{kNaturezaBebidas, "Bebidas"}}) {
        QVariantMap row = button;
        row.insert(QStringLiteral("IDTPBUTTON"), s("2"));
        row.insert(QStringLiteral("NRBUTTONAUX"), QStringLiteral(""));
        row.insert(QStringLiteral("NRPGCONFTELA"), 1);
        row.insert(QStringLiteral("NRBUTTON"), s(nature));
        row.insert(QStringLiteral("DSBUTTON"), s(caption));
        row.insert(QStringLiteral("CDIDENTBUTON"), s(nature));
        row.insert(QStringLiteral("NRCOLORTEXT"), kCorTextoMesa);
        row.insert(QStringLiteral("NRCOLORBACK"), kCorFundoMesa);
        row.insert(QStringLiteral("NRFONTETEXT"), kFonteMesa);
        rows_.insert(QStringLiteral("ITMENUCONFTE"), row);
    }
    // Product buttons by nature; the item lists take a product's nature from them.
    int food = 0;
    int drinks = 0;
    for (const Product& p : kProducts) {
        const bool isFood = QLatin1String(p.nature) == QLatin1String(kNaturezaAlimentos);
        QVariantMap row = button;
        row.insert(QStringLiteral("IDTPBUTTON"), s("1"));
        row.insert(QStringLiteral("NRBUTTONAUX"), s(p.nature));
        row.insert(QStringLiteral("NRPGCONFTELA"), 1);
        row.insert(QStringLiteral("NRBUTTON"), twoDigits(isFood ? ++food : ++drinks));
        row.insert(QStringLiteral("DSBUTTON"), s(p.name));
        row.insert(QStringLiteral("CDIDENTBUTON"), s(p.code));
        row.insert(QStringLiteral("NRCOLORTEXT"), kCorTextoMesa);
        row.insert(QStringLiteral("NRCOLORBACK"), isFood ? 0x00C0E0FF : 0x00FFE0C0);
        row.insert(QStringLiteral("NRFONTETEXT"), kFonteMesa);
        row.insert(QStringLiteral("CDNATPRODUTO"), s(p.nature));
        rows_.insert(QStringLiteral("ITMENUCONFTE"), row);
    }
}

void DemoStoreBuilder::tables() {
    auto mesa = [&](const QString& nrMesa, const QString& name, const QString& room,
                    const QString& state) {
        rows_.insert(QStringLiteral("MESA"), {{QStringLiteral("CDFILIAL"), s(kFilial)},
                                              {QStringLiteral("CDLOJA"), s(kLoja)},
                                              {QStringLiteral("NRMESA"), nrMesa},
                                              {QStringLiteral("NMMESA"), name},
                                              {QStringLiteral("CDSALA"), room},
                                              {QStringLiteral("IDSTMESA"), s("A")},
                                              {QStringLiteral("IDSTMESAAUX"), state}});
    };
    for (const Area& a : areas()) {
        for (int i = 0; i < a.tables; ++i) {
            const int n = a.firstTable + i;
            mesa(tableNumber(n), QStringLiteral("Mesa %1").arg(tableCaption(n)), s(a.button),
                 tableState(tableNumber(n)));
        }
    }
    mesa(s(kMesaPadrao), s("Balcão"), s("03"), s("D"));
}

} // namespace tmk::demo
