#include "host/order/order_model.h"

#include "host/order/counter_sale.h"
#include "host/order/order_statements.h"
#include "host/order/pad_writer.h"
#include "platform/errors.h"
#include "platform/service_result.h"
#include "suite/common/statement_run.h"

#include <QSqlQuery>
#include <cmath>

namespace tmk {

namespace {

QString text(const QSqlQuery& q, const char* column) {
    const QVariant v = q.value(QString::fromLatin1(column));
    return v.isNull() ? QString() : v.toString().trimmed();
}

} // namespace

OrderModel::OrderModel(QSqlDatabase db, OrderTill till, OrderRequest request, Now now)
    : db_(std::move(db))
    , till_(std::move(till))
    , request_(std::move(request))
    , now_(now ? std::move(now) : Now([] { return QDateTime::currentDateTime(); }))
    , nrMesa_(request_.nrMesa)
    , dsComanda_(request_.dsComanda)
    , cdVendedor_(request_.cdVendedor) {}

void OrderModel::load() {
    if (request_.balcao()) {
        nrMesa_ = CounterSale(db_, till_).counterTable();
        dsComanda_ = QStringLiteral("Venda balcão");
        partySize_ = 1;
        menu_ = Menu::load(db_, till_.cdFilial, till_.nrConfTela, till_.produtosCobrados);
        sent_.clear();
        return;
    }
    const QVariantMap pad{{QStringLiteral(":P_CDFILIAL"), till_.cdFilial},
                          {QStringLiteral(":P_NRVENDAREST"), request_.nrVendaRest},
                          {QStringLiteral(":P_NRCOMANDA"), request_.nrComanda}};
    QVariantMap heading = pad;
    heading.insert(QStringLiteral(":P_CDVENDEDOR"), cdVendedor_);
    QSqlQuery h = runLibraryStatement(orderStatements(), db_, QStringLiteral("comanda_dados"),
                                      heading, QStringLiteral("Não foi possível ler a comanda."));
    if (!h.next()) {
        throw AppError(QStringLiteral("A comanda %1 da mesa %2 não foi encontrada.")
                           .arg(request_.nrComanda, request_.nrMesa));
    }
    nrMesa_ = text(h, "NRMESA");
    if (dsComanda_.isEmpty()) {
        dsComanda_ = text(h, "DSCOMANDA");
    }
    waiterName_ = text(h, "NMFANVEN");
    consumerName_ = text(h, "NMCONSUMIDOR");
    partySize_ = std::max(1, int(std::lround(h.value(QStringLiteral("NRPESMESAVEN")).toDouble())));
    h.finish();

    menu_ = Menu::load(db_, till_.cdFilial, till_.nrConfTela, till_.produtosCobrados);

    QSqlQuery i = runLibraryStatement(orderStatements(), db_, QStringLiteral("comanda_itens"), pad,
                                      QStringLiteral("Não foi possível ler os itens da comanda."));
    sent_.clear();
    while (i.next()) {
        OrderLine l;
        l.nrProdComVen = text(i, "NRPRODCOMVEN");
        l.cdProduto = text(i, "CDPRODUTO");
        l.caption = text(i, "NMPRODUTO");
        if (l.caption.isEmpty()) {
            l.caption = l.cdProduto;
        }
        l.quantity = int(std::lround(i.value(QStringLiteral("QTPRODCOMVEN")).toDouble()));
        l.price = i.value(QStringLiteral("VRPRECCOMVEN")).toDouble();
        l.position = text(i, "NRLUGARMESA").toInt();
        l.observation = text(i, "TXPRODCOMVEN");
        sent_.append(l);
    }
}

QList<OrderModel::Waiter> OrderModel::waiters() {
    QSqlQuery q = runLibraryStatement(orderStatements(), db_, QStringLiteral("vendedores_ativos"),
                                      {}, QStringLiteral("Não foi possível ler os garçons."));
    QList<Waiter> list;
    while (q.next()) {
        list.append({text(q, "CDVENDEDOR"), text(q, "NMFANVEN")});
    }
    return list;
}

void OrderModel::chooseWaiter(const QString& code) {
    for (const Waiter& w : waiters()) {
        if (w.code == code.trimmed()) {
            cdVendedor_ = w.code;
            waiterName_ = w.shortName;
            return;
        }
    }
    throw AppError(QStringLiteral("Garçom \"%1\" não encontrado entre os garçons ativos.")
                       .arg(code.trimmed()));
}

double OrderModel::linesTotal() const {
    double total = 0;
    for (const OrderLine& l : lines_) {
        total += l.amount();
    }
    return total;
}

double OrderModel::sentTotal() const {
    double total = 0;
    for (const OrderLine& l : sent_) {
        total += l.amount();
    }
    return total;
}

int OrderModel::add(const QString& cdProduto) {
    const MenuProduct* p = menu_.find(cdProduto.trimmed());
    if (!p) {
        throw AppError(QStringLiteral("O produto %1 não está no cardápio desta loja.")
                           .arg(cdProduto.trimmed()));
    }
    if (!p->priced()) {
        throw AppError(
            QStringLiteral("O produto %1 (%2) não tem preço cadastrado e não pode ser pedido.")
                .arg(p->cdProduto, p->caption));
    }
    OrderLine l;
    l.cdProduto = p->cdProduto;
    l.caption = p->caption;
    l.price = *p->price;
    lines_.append(l);
    return int(lines_.size()) - 1;
}

OrderLine& OrderModel::line(int row) {
    if (row < 0 || row >= lines_.size()) {
        throw AppError(QStringLiteral("Selecione um item ainda não enviado."));
    }
    return lines_[row];
}

void OrderModel::setQuantity(int row, int quantity) {
    OrderLine& l = line(row);
    if (quantity < 1 || quantity > kMaxQuantity) {
        throw AppError(QStringLiteral("Quantidade inválida: %1. Informe de 1 a %2.")
                           .arg(quantity)
                           .arg(kMaxQuantity));
    }
    l.quantity = quantity;
}

void OrderModel::setPosition(int row, int position) {
    OrderLine& l = line(row);
    if (position < 1 || position > partySize_) {
        throw AppError(QStringLiteral("Posição inválida: %1. A mesa tem %2 lugar(es); informe de "
                                      "1 a %2.")
                           .arg(position)
                           .arg(partySize_));
    }
    l.position = position;
}

void OrderModel::setObservation(int row, const QString& observation) {
    OrderLine& l = line(row);
    const QString obs = observation.trimmed();
    if (obs.size() > kMaxObservation) {
        throw AppError(QStringLiteral("A observação tem %1 caracteres; o máximo é %2.")
                           .arg(obs.size())
                           .arg(kMaxObservation));
    }
    l.observation = obs;
}

void OrderModel::remove(int row) {
    line(row);
    lines_.removeAt(row);
}

void OrderModel::send() {
    if (lines_.isEmpty()) {
        throw AppError(QStringLiteral("Nenhum item para enviar."));
    }
    if (cdVendedor_.isEmpty()) {
        throw AppError(QStringLiteral("Informe o garçom antes de enviar os itens."));
    }
    const PadKeys pad{till_.cdFilial, till_.cdLoja, request_.nrVendaRest, request_.nrComanda};
    QStringList numbers;
    try {
        numbers = writeToPad(db_, pad, lines_, cdVendedor_, now_());
    } catch (const AppError& e) {
        throw AppError(e.message() +
                       QStringLiteral(" Os itens continuam na tela para enviar de novo."));
    }
    for (int i = 0; i < lines_.size(); ++i) {
        OrderLine l = lines_.at(i);
        l.nrProdComVen = numbers.value(i);
        sent_.append(l);
    }
    lines_.clear();
}

bool OrderModel::pay(const std::function<bool(const QString& nrMesa)>& receive) {
    if (!request_.balcao()) {
        throw AppError(QStringLiteral("Somente a venda balcão é paga na tela de pedidos."));
    }
    if (lines_.isEmpty()) {
        throw AppError(QStringLiteral("Nenhum item para pagar."));
    }
    if (cdVendedor_.isEmpty()) {
        throw AppError(QStringLiteral("Informe o garçom antes de pagar."));
    }
    bool pago = false;
    try {
        pago = CounterSale(db_, till_).pay(lines_, cdVendedor_, now_(), receive);
    } catch (const AppError& e) {
        throw AppError(e.message() +
                       QStringLiteral(" Os itens continuam na tela para pagar de novo."));
    }
    if (pago) {
        lines_.clear();
    }
    return pago;
}

QString OrderModel::leave(const EmptyOpeningRemover& remover) {
    if (request_.balcao() || !sent_.isEmpty() || !remover) {
        return {};
    }
    const QVariant r = remover(till_.cdFilial, till_.cdLoja, nrMesa_);
    return serviceFailureMessage(r);
}

} // namespace tmk
