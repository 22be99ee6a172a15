// What happened at the demo store today: the cash opening, the open tables with their
// tabs and items, the join group, the reservations, the app payments and the sales
// already concluded.
#include "db/demo/demo_catalogue.h"
#include "db/demo/demo_store_builder.h"
#include "external/common.h"
#include "platform/errors.h"

#include <algorithm>

namespace tmk::demo {

namespace {

QString s(const char* text) {
    return QString::fromUtf8(text);
}

QVariant optional(const QDateTime& dt) {
    return dt.isValid() ? QVariant(dt) : QVariant();
}

QString digits(int n, int width) {
    return QStringLiteral("%1").arg(n, width, 10, QLatin1Char('0'));
}

double withServiceCharge(double amount) {
    return Trunc2(amount * (100.0 + kTaxaServico) / 100.0);
}

QString money(double v) {
    return QString::number(v, 'f', 2).replace(QLatin1Char('.'), QLatin1Char(','));
}

} // namespace

DemoStoreBuilder::DemoStoreBuilder(QSqlDatabase& db, const QDateTime& now)
    : rows_(db)
    , db_(db)
    , now_(now)
    , opening_(cashOpening(now)) {}

QDateTime DemoStoreBuilder::cashOpening(const QDateTime& now) {
    QDateTime start = now;
    start.setTime(QTime(0, 0));
    QDateTime opening = now.addSecs(-4 * 3600);
    opening.setTime(QTime(opening.time().hour(), opening.time().minute()));
    return std::max(opening, start);
}

QDateTime DemoStoreBuilder::today() const {
    QDateTime start = now_;
    start.setTime(QTime(0, 0));
    return start;
}

void DemoStoreBuilder::build() {
    branchAndStore();
    people();
    products();
    screenLayout();
    tables();
    accessRights();
    cashOpeningRow();
    openSales();
    joinGroup();
    reservations();
    appPayments();
    concludedSales();
}

QString DemoStoreBuilder::nextVendaRest() {
    // The branch followed by seven digits: the benefits of an open tab are keyed by
    // the branch and characters 5 to 11 of the sale.
    return s(kFilial) + digits(++vendaRestSeq_, 7);
}

QString DemoStoreBuilder::nextComanda() {
    return digits(++comandaSeq_, 6);
}

const DemoStoreBuilder::Tab& DemoStoreBuilder::tabOf(const QString& nrMesa) const {
    const auto it = openTabs_.constFind(nrMesa);
    if (it == openTabs_.cend()) {
        throw AppError(
            QStringLiteral("A mesa %1 da loja de demonstração não tem venda aberta.").arg(nrMesa));
    }
    return *it;
}

DemoStoreBuilder::Tab
DemoStoreBuilder::writeTableSale(const QString& nrMesa, const QString& waiter, int party,
                                 const QDateTime& opened, const QDateTime& closed,
                                 const QDateTime& billRequested, const QString& tabState,
                                 const std::vector<Item>& items, const QString& paidSeat) {
    Tab tab{nextVendaRest(), nextComanda()};
    rows_.insert(QStringLiteral("VENDAREST"),
                 {{QStringLiteral("CDFILIAL"), s(kFilial)},
                  {QStringLiteral("NRVENDAREST"), tab.nrVendaRest},
                  {QStringLiteral("CDLOJA"), s(kLoja)},
                  {QStringLiteral("NRMESA"), nrMesa},
                  {QStringLiteral("CDCAIXA"), s(kCaixa)},
                  {QStringLiteral("CDVENDEDOR"), waiter},
                  {QStringLiteral("CDOPERADOR"), s(kOperators[0].code)},
                  {QStringLiteral("CDCLIENTE"), s(kClients[0].code)},
                  {QStringLiteral("NRPESMESAVEN"), double(party)},
                  {QStringLiteral("NRPOSICAOMESA"), double(party)},
                  {QStringLiteral("DTHRABERMESA"), opened},
                  {QStringLiteral("DTHRFECHMESA"), optional(closed)},
                  {QStringLiteral("DTHRMESAFECH"), optional(billRequested)},
                  {QStringLiteral("VRCONSUMAMIN"), 0.0}});
    // Once the bill is requested the tab holds its service charge (on the items that pay
    // it), which the receipt charges and the app payments include.
    double serviceBase = 0.0;
    for (const Item& item : items) {
        const Product& p = product(item.product);
        serviceBase += p.serviceCharge ? Trunc2(item.quantity * p.price) : 0.0;
    }
    const QVariant serviceCharge =
        billRequested.isValid() ? QVariant(Trunc2(serviceBase * kTaxaServico / 100.0)) : QVariant();
    rows_.insert(QStringLiteral("COMANDAVEN"), {{QStringLiteral("CDFILIAL"), s(kFilial)},
                                                {QStringLiteral("NRVENDAREST"), tab.nrVendaRest},
                                                {QStringLiteral("NRCOMANDA"), tab.nrComanda},
                                                {QStringLiteral("CDLOJA"), s(kLoja)},
                                                {QStringLiteral("DSCOMANDA"), s("RES_") + nrMesa},
                                                {QStringLiteral("IDSTCOMANDA"), tabState},
                                                {QStringLiteral("VRDESCOMANDA"), 0.0},
                                                {QStringLiteral("VRCOMISVENDE"), serviceCharge},
                                                {QStringLiteral("VRACRCOMANDA"), 0.0}});
    int n = 0;
    for (const Item& item : items) {
        const double price = product(item.product).price;
        const QString seat = s(item.seat);
        rows_.insert(QStringLiteral("ITCOMANDAVEN"),
                     {{QStringLiteral("CDFILIAL"), s(kFilial)},
                      {QStringLiteral("NRVENDAREST"), tab.nrVendaRest},
                      {QStringLiteral("NRCOMANDA"), tab.nrComanda},
                      {QStringLiteral("NRPRODCOMVEN"), digits(++n, 6)},
                      {QStringLiteral("CDLOJA"), s(kLoja)},
                      {QStringLiteral("CDPRODUTO"), s(item.product)},
                      {QStringLiteral("QTPRODCOMVEN"), item.quantity},
                      {QStringLiteral("VRPRECCOMVEN"), price},
                      {QStringLiteral("VRPRECCLCOMVEN"), 0.0},
                      {QStringLiteral("VRDESCCOMVEN"), 0.0},
                      {QStringLiteral("VRACRCOMVEN"), 0.0},
                      {QStringLiteral("IDSTPRCOMVEN"), s("1")},
                      {QStringLiteral("IDPRODREFIL"), s("N")},
                      {QStringLiteral("QTITEMREFIL"), 0.0},
                      {QStringLiteral("NRLUGARMESA"), seat},
                      {QStringLiteral("IDSTLUGARMESA"), seat == paidSeat ? s("P") : s("O")},
                      {QStringLiteral("DTHRINCOMVEN"), ago(item.minutesAgo)},
                      {QStringLiteral("CDVENDEDOR"), waiter},
                      {QStringLiteral("IDPRODPRODUZ"), s("S")}});
        const double amount = item.quantity * price;
        tab.total += amount;
        seatTotals_[nrMesa + QLatin1Char('|') + seat] += amount;
    }
    tab.total = Trunc2(tab.total);
    return tab;
}

void DemoStoreBuilder::openSales() {
    for (const OpenSale& sale : demo::openSales()) {
        const QString nrMesa = s(sale.table);
        QString paidSeat;
        for (const AppPayment& p : demo::appPayments()) {
            if (nrMesa == QLatin1String(p.table) && QLatin1String(p.seat) != QLatin1String("T")) {
                paidSeat = s(p.seat);
            }
        }
        const QDateTime bill =
            sale.billRequestedMinutesAgo >= 0 ? ago(sale.billRequestedMinutesAgo) : QDateTime();
        // A table whose bill was requested has its tab in closing ("2").
        const QString tabState = QLatin1String(sale.state) == QLatin1String("O") ? s("1") : s("2");
        openTabs_.insert(nrMesa, writeTableSale(nrMesa, s(sale.waiter), sale.party,
                                                ago(sale.openedMinutesAgo), QDateTime(), bill,
                                                tabState, sale.items, paidSeat));
    }
}

void DemoStoreBuilder::joinGroup() {
    rows_.insert(QStringLiteral("JUNCAOMESA"),
                 {{QStringLiteral("CDFILIAL"), s(kFilial)},
                  {QStringLiteral("CDLOJA"), s(kLoja)},
                  {QStringLiteral("NRJUNMESA"), s(kNrJuncao)},
                  {QStringLiteral("DTHRJUNMESA"), ago(55)},
                  {QStringLiteral("CDOPERADOR"), s(kOperators[0].code)}});
    for (const char* table : joinedTables()) {
        rows_.insert(QStringLiteral("MESAJUNCAO"), {{QStringLiteral("CDFILIAL"), s(kFilial)},
                                                    {QStringLiteral("CDLOJA"), s(kLoja)},
                                                    {QStringLiteral("NRJUNMESA"), s(kNrJuncao)},
                                                    {QStringLiteral("NRMESA"), s(table)}});
    }
}

void DemoStoreBuilder::reservations() {
    for (const Reservation& r : demo::reservations()) {
        rows_.insert(QStringLiteral("RESERVAMESA"),
                     {{QStringLiteral("CDFILIAL"), s(kFilial)},
                      {QStringLiteral("CDLOJA"), s(kLoja)},
                      {QStringLiteral("NRRESMESA"), s(r.number)},
                      {QStringLiteral("DTRESMESA"), today().addDays(r.dayOffset)},
                      {QStringLiteral("HRINIRESMESA"), s(r.from)},
                      {QStringLiteral("HRFINRESMESA"), s(r.to)},
                      {QStringLiteral("IDSTRESMESA"), s(r.status)},
                      {QStringLiteral("NMCLIRESMESA"), s(r.name)},
                      {QStringLiteral("NRTELRESMESA"), s(r.phone)},
                      {QStringLiteral("NRPESRESMESA"), r.people}});
        rows_.insert(QStringLiteral("MESARESERVA"), {{QStringLiteral("CDFILIAL"), s(kFilial)},
                                                     {QStringLiteral("CDLOJA"), s(kLoja)},
                                                     {QStringLiteral("NRRESMESA"), s(r.number)},
                                                     {QStringLiteral("NRMESA"), s(r.table)}});
    }
}

void DemoStoreBuilder::appPayments() {
    int n = 0;
    for (const AppPayment& p : demo::appPayments()) {
        ++n;
        const QString nrMesa = s(p.table);
        const Tab& tab = tabOf(nrMesa);
        const bool wholeTable = QLatin1String(p.seat) == QLatin1String("T");
        const double amount = withServiceCharge(
            wholeTable ? tab.total : seatTotals_.value(nrMesa + QLatin1Char('|') + s(p.seat)));
        const QString nsu = digits(480000 + n, 6);
        const QString authorisation = QStringLiteral("A%1").arg(digits(7310 + n, 5));
        const QString card = QStringLiteral("************%1").arg(digits(4100 + n * 37, 4));
        const QString receipt =
            QStringLiteral("PAGAMENTO PELO APLICATIVO\n%1\nMESA %2 %3\nVALOR R$ %4\nNSU %5 AUT %6")
                .arg(s(p.brand), nrMesa,
                     wholeTable ? QStringLiteral("MESA INTEIRA")
                                : QStringLiteral("POSICAO %1").arg(s(p.seat)),
                     money(amount), nsu, authorisation);
        rows_.insert(
            QStringLiteral("MOVCAIXAMOB"),
            {{QStringLiteral("CDFILIAL"), s(kFilial)},
             {QStringLiteral("NRSEQMOVMOB"), s(p.number)},
             {QStringLiteral("NRVENDAREST"), tab.nrVendaRest},
             {QStringLiteral("NRMESA"), nrMesa},
             {QStringLiteral("NRCOMANDA"), tab.nrComanda},
             {QStringLiteral("NRLUGARMESA"), s(p.seat)},
             {QStringLiteral("IDSTMOV"), s("1")},
             {QStringLiteral("IDADMTASK"), s("0")},
             {QStringLiteral("IDUTILTXSERV"), s("S")},
             {QStringLiteral("VRMOV"), amount},
             {QStringLiteral("DTHRINCMOV"), ago(p.minutesAgo)},
             {QStringLiteral("CDTIPORECE"), s(kTipoReceAplicativo)},
             {QStringLiteral("DSBANDEIRA"), s(p.brand)},
             {QStringLiteral("CDNSUTEFMOB"), nsu},
             {QStringLiteral("NRCARTBANCO"), card},
             {QStringLiteral("NRAUTORIZATEF"), authorisation},
             {QStringLiteral("TXPRIMVIATEF"), receipt + QStringLiteral("\nVIA CLIENTE")},
             {QStringLiteral("TXSEGVIATEF"), receipt + QStringLiteral("\nVIA ESTABELECIMENTO")}});
    }
}

void DemoStoreBuilder::cashOpeningRow() {
    for (const char* caixa : kCaixas) {
        rows_.insert(QStringLiteral("TURCAIXA"),
                     {{QStringLiteral("CDFILIAL"), s(kFilial)},
                      {QStringLiteral("CDCAIXA"), s(caixa)},
                      {QStringLiteral("DTABERCAIX"), opening_},
                      {QStringLiteral("CDOPERABER"), s(kOperators[0].code)}});
    }
}

void DemoStoreBuilder::concludedSales() {
    const auto& sales = demo::concludedSales();
    const qint64 span = std::max<qint64>(opening_.secsTo(now_), 60);
    TdtmKovProxCodigo nextCode(db_);
    int k = 0;
    for (const ConcludedSale& sale : sales) {
        ++k;
        // Spread over the time since the cash opening; a table sale sat for up to 45
        // minutes before it closed, never before the opening.
        const QDateTime closed = opening_.addSecs(span * k / qint64(sales.size() + 1));
        const QDateTime opened = closed.addSecs(-std::min<qint64>(45 * 60, span * k / 12));
        const bool atTable = sale.table != nullptr;
        const QString nrMesa = atTable ? s(sale.table) : QString();
        Tab tab;
        if (atTable) {
            std::vector<Item> items;
            const int orderedAgo = int(opened.addSecs(300).secsTo(now_) / 60);
            for (const SoldItem& i : sale.items) {
                items.push_back({i.product, i.quantity, "01", orderedAgo});
            }
            tab = writeTableSale(nrMesa, s(sale.waiter), sale.party, opened, closed,
                                 closed.addSecs(-300), s("4"), items, QString());
        }
        // The till's own counter numbers its sales, so the next sale it concludes
        // takes the number after these.
        const QString nrSeqVenda =
            nextCode.PrxPedidoVenda(s(kFilial), s(kCaixa), 1, QStringLiteral("DEMO"));
        double total = 0.0;
        int n = 0;
        for (const SoldItem& i : sale.items) {
            const Product& p = product(i.product);
            const Tax& t = tax(p.tax);
            ++n;
            rows_.insert(QStringLiteral("ITEMVENDA"),
                         {{QStringLiteral("CDFILIAL"), s(kFilial)},
                          {QStringLiteral("CDCAIXA"), s(kCaixa)},
                          {QStringLiteral("NRSEQVENDA"), nrSeqVenda},
                          {QStringLiteral("NRSEQUITVEND"), digits(n, 3)},
                          {QStringLiteral("CDLOJA"), s(kLoja)},
                          {QStringLiteral("CDPRODUTO"), s(p.code)},
                          {QStringLiteral("QTPRODVEND"), i.quantity},
                          {QStringLiteral("VRUNITVEND"), p.price},
                          {QStringLiteral("VRUNITVENDCL"), 0.0},
                          {QStringLiteral("VRDESITVEND"), 0.0},
                          {QStringLiteral("VRACRITVEND"), 0.0},
                          {QStringLiteral("CDORDALIQIMPR"), s(t.printerCode)},
                          {QStringLiteral("VRALIQIMPR"), t.rate},
                          {QStringLiteral("NRORDITCUPFIS"), digits(n, 3)},
                          {QStringLiteral("NRPRODCOMVENIT"),
                           atTable ? QVariant(digits(n, 6)) : QVariant()}});
            total += Trunc2(i.quantity * p.price);
        }
        total = Trunc2(total);
        const double service = atTable ? Trunc2(total * kTaxaServico / 100.0) : 0.0;
        rows_.insert(
            QStringLiteral("VENDA"),
            {{QStringLiteral("CDFILIAL"), s(kFilial)},
             {QStringLiteral("CDCAIXA"), s(kCaixa)},
             {QStringLiteral("NRSEQVENDA"), nrSeqVenda},
             {QStringLiteral("CDLOJA"), s(kLoja)},
             {QStringLiteral("CDFILIALTUR"), s(kFilial)},
             {QStringLiteral("CDCAIXATUR"), s(kCaixa)},
             {QStringLiteral("NRVENDAREST"), atTable ? QVariant(tab.nrVendaRest) : QVariant()},
             {QStringLiteral("CDEMPRESA"), s(kEmpresa)},
             {QStringLiteral("CDCLIENTE"), s(kClients[0].code)},
             {QStringLiteral("CDVENDEDOR"), s(sale.waiter)},
             {QStringLiteral("CDOPERADOR"), s(kOperators[0].code)},
             {QStringLiteral("NRMESA"), atTable ? QVariant(nrMesa) : QVariant()},
             {QStringLiteral("NRCOMANDAVND"), atTable ? QVariant(tab.nrComanda) : QVariant()},
             {QStringLiteral("DSCOMANDAVND"), atTable ? QVariant(s("RES_") + nrMesa) : QVariant()},
             {QStringLiteral("NRPESMESAVENDA"), double(sale.party)},
             {QStringLiteral("DTVENDA"), closed},
             {QStringLiteral("DTFECHAVENDA"), closed},
             {QStringLiteral("DTENTRVENDA"), today()},
             {QStringLiteral("DTABERTUR"), opening_},
             {QStringLiteral("IDSITUVENDA"), s("O")},
             {QStringLiteral("IDTIPOVENDA"), atTable ? s("M") : s("B")},
             {QStringLiteral("IDTPFORPGVEN"), s("V")},
             {QStringLiteral("VRTOTVENDA"), total},
             {QStringLiteral("VRDESCVENDA"), 0.0},
             {QStringLiteral("VRTXSEVENDA"), service}});
        const ReceiptType& r = receiptType(sale.receiptType);
        rows_.insert(QStringLiteral("MOVCAIXA"),
                     {{QStringLiteral("CDFILIAL"), s(kFilial)},
                      {QStringLiteral("CDCAIXA"), s(kCaixa)},
                      {QStringLiteral("NRSEQVENDA"), nrSeqVenda},
                      {QStringLiteral("NRSEQUMOVI"), digits(1, 4)},
                      {QStringLiteral("IDTIPOMOVIVE"), s("E")},
                      {QStringLiteral("DSMOVIVEND"), s(r.name)},
                      {QStringLiteral("CDTIPORECE"), s(r.code)},
                      {QStringLiteral("NMTIPORECE"), s(r.name)},
                      {QStringLiteral("IDTIPORECE"), s(r.kind)},
                      {QStringLiteral("CDBANCARTCR"), s(r.brand)},
                      {QStringLiteral("VRMOVIVEND"), Trunc2(total + service)},
                      {QStringLiteral("DTHRINCMOV"), closed},
                      {QStringLiteral("DTMOVIMCAIXA"), today()},
                      {QStringLiteral("CDCLIENTE"), s(kClients[0].code)},
                      {QStringLiteral("QTPARCRECEB"), 1.0}});
    }
}

void DemoStoreBuilder::accessRights() {
    for (const AccessRight& r : kAccessRights) {
        rows_.insert(QStringLiteral("DIREITOACESSO"),
                     {{QStringLiteral("CDOPERADOR"), s(r.operatorCode)},
                      {QStringLiteral("CDACESSO"), r.accessCode},
                      {QStringLiteral("IDPERMITE"), s(r.allowed)}});
    }
}

} // namespace tmk::demo
