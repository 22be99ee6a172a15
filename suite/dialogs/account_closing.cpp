// The bill of a table and its request: the table and its group, its sales and its pads
// change together or not at all.

#include "suite/dialogs/account_closing.h"

#include "external/common.h"
#include "platform/database_error.h"
#include "suite/common/db_failure.h"
#include "suite/devices/fiscal_amounts.h"
#include "suite/dialogs/dialogs_query.h"

#include <QSqlError>
#include <cmath>

namespace tmk {

namespace {

QString key(const char* name) {
    return QString::fromLatin1(name);
}

} // namespace

QStringList Bill::vendas() const {
    QStringList list;
    for (const Pad& p : comandas) {
        if (!list.contains(p.nrVendaRest)) {
            list.append(p.nrVendaRest);
        }
    }
    return list;
}

AccountClosing::AccountClosing(QSqlDatabase db, TillIdentity till, QString nrMesa,
                               QStringList comandas)
    : db_(std::move(db))
    , till_(std::move(till))
    , nrMesa_(std::move(nrMesa))
    , comandas_(std::move(comandas)) {}

AccountClosing AccountClosing::ofTable(QSqlDatabase db, TillIdentity till, const QString& nrMesa) {
    const QVariantMap binds{{key(":P_CDFILIAL"), till.cdFilial},
                            {key(":P_CDLOJA"), till.cdLoja},
                            {key(":P_NRMESA"), nrMesa}};
    const QString failure = QStringLiteral("Não foi possível ler a conta da mesa %1.").arg(nrMesa);
    if (!dialogScalar(db, key("mesa_situacao"), binds, failure).isValid()) {
        throw AppError(QStringLiteral("Mesa %1 não cadastrada.").arg(nrMesa));
    }
    QSqlQuery q = runDialogStatement(db, key("conta_mesa_comandas"), binds, failure);
    QStringList pads;
    while (q.next()) {
        const QString pad = columnText(q, 1);
        if (!pad.isEmpty() && !pads.contains(pad)) {
            pads.append(pad);
        }
    }
    return AccountClosing(std::move(db), std::move(till), nrMesa, pads);
}

QStringList AccountClosing::padList(const QString& lista) {
    QStringList pads;
    for (const QString& part : lista.split(QLatin1Char('_'), Qt::SkipEmptyParts)) {
        const QString pad = part.trimmed();
        if (!pad.isEmpty() && !pads.contains(pad)) {
            pads.append(pad);
        }
    }
    return pads;
}

Bill AccountClosing::bill() {
    Bill b;
    b.nrMesa = nrMesa_;
    const QString failure =
        QStringLiteral("Não foi possível ler os itens da conta da mesa %1.").arg(nrMesa_);
    for (const QString& nrComanda : comandas_) {
        QSqlQuery q = runDialogStatement(db_, key("conta_itens"),
                                         {{key(":P_CDFILIAL"), till_.cdFilial},
                                          {key(":P_CDLOJA"), till_.cdLoja},
                                          {key(":P_NRCOMANDA"), nrComanda}},
                                         failure);
        // A pad may hold items of more than one sale only by damage; each sale's part of
        // it is a pad of the bill of its own.
        QHash<QString, qint64> serviceBase;
        QStringList padSales;
        while (q.next()) {
            const QString venda = columnText(q, 0);
            Bill::Line line;
            line.cdProduto = columnText(q, 1);
            line.descricao = columnText(q, 2);
            if (line.descricao.isEmpty()) {
                line.descricao = line.cdProduto;
            }
            line.unidade = columnText(q, 3);
            line.quantidade = q.value(4).toDouble();
            const double preco = q.value(5).toDouble();
            const double desconto = q.value(6).toDouble();
            const double acrescimo = q.value(7).toDouble();
            if (!(line.quantidade > 0) || preco < 0 || desconto < 0 || acrescimo < 0) {
                throw AppError(QStringLiteral("Item %1 da comanda %2 com valores inválidos: "
                                              "a conta não pode ser fechada.")
                                   .arg(line.cdProduto, nrComanda));
            }
            line.preco = toCents(preco);
            line.total =
                toCents(Trunc2(line.quantidade * preco)) - toCents(desconto) + toCents(acrescimo);
            if (!padSales.contains(venda)) {
                padSales.append(venda);
            }
            if (columnText(q, 8) == QLatin1String("S")) {
                serviceBase[venda] += line.total;
            }
            b.consumacaoMinima = std::max(b.consumacaoMinima, toCents(q.value(9).toDouble()));
            if (!till_.cdProdCouvert.isEmpty() && line.cdProduto == till_.cdProdCouvert) {
                b.couvert += line.total;
            } else {
                b.consumo += line.total;
            }
            bool merged = false;
            for (Bill::Line& l : b.itens) {
                if (l.cdProduto == line.cdProduto && l.preco == line.preco) {
                    l.quantidade += line.quantidade;
                    l.total += line.total;
                    merged = true;
                    break;
                }
            }
            if (!merged) {
                b.itens.append(line);
            }
        }
        for (const QString& venda : padSales) {
            const qint64 taxa = static_cast<qint64>(
                std::floor(double(serviceBase.value(venda)) * till_.taxaServico / 100.0 + 1e-6));
            b.comandas.append({venda, nrComanda, taxa});
            b.taxaServico += taxa;
        }
    }
    b.consumacao = std::max<qint64>(0, b.consumacaoMinima - b.consumo);
    return b;
}

QList<TableOpening::Consumer> AccountClosing::consumers() {
    QSqlQuery q =
        runDialogStatement(db_, key("consumidores"), {},
                           QStringLiteral("Não foi possível ler os consumidores cadastrados."));
    QList<TableOpening::Consumer> list;
    while (q.next()) {
        list.append({columnText(q, 0), columnText(q, 1), columnText(q, 2)});
    }
    return list;
}

QString AccountClosing::nomeFilial() {
    const QString nome =
        dialogScalar(db_, key("nome_filial"), {{key(":P_CDFILIAL"), till_.cdFilial}},
                     QStringLiteral("Não foi possível ler o nome da filial."))
            .toString()
            .trimmed();
    return nome.isEmpty() ? QStringLiteral("Filial %1").arg(till_.cdFilial) : nome;
}

QStringList AccountClosing::groupTables() {
    QStringList tables{nrMesa_};
    const QString failure =
        QStringLiteral("Não foi possível ler a junção da mesa %1.").arg(nrMesa_);
    const QString grupo = dialogScalar(db_, key("juncao_da_mesa"),
                                       {{key(":P_CDFILIAL"), till_.cdFilial},
                                        {key(":P_CDLOJA"), till_.cdLoja},
                                        {key(":P_NRMESA"), nrMesa_}},
                                       failure)
                              .toString()
                              .trimmed();
    if (grupo.isEmpty()) {
        return tables;
    }
    QSqlQuery q = runDialogStatement(db_, key("juncao_mesas"),
                                     {{key(":P_CDFILIAL"), till_.cdFilial},
                                      {key(":P_CDLOJA"), till_.cdLoja},
                                      {key(":P_NRJUNMESA"), grupo}},
                                     failure);
    while (q.next()) {
        const QString mesa = columnText(q, 0);
        if (!tables.contains(mesa)) {
            tables.append(mesa);
        }
    }
    return tables;
}

void AccountClosing::request(const Bill& bill, const QString& cdConsumidor,
                             const QString& cdClienteConsumidor) {
    if (!cdConsumidor.isEmpty() && cdClienteConsumidor.isEmpty()) {
        throw AppError(
            QStringLiteral("Consumidor %1 sem cliente: escolha-o na lista.").arg(cdConsumidor));
    }
    if (!db_.isValid() || !db_.isOpen()) {
        throw DatabaseError(QStringLiteral("Sem conexão com o banco de dados."),
                            QStringLiteral("fecha_conta"), QString(), true);
    }
    if (!db_.transaction()) {
        throwDatabaseError(QStringLiteral("Não foi possível iniciar o fechamento da conta."),
                           QStringLiteral("fecha_conta"), db_, db_.lastError());
    }
    try {
        const QString failure =
            QStringLiteral("Não foi possível solicitar a conta da mesa %1.").arg(nrMesa_);
        const QDateTime agora = QDateTime::currentDateTime();
        for (const QString& mesa : groupTables()) {
            const QVariantMap binds{{key(":P_CDFILIAL"), till_.cdFilial},
                                    {key(":P_CDLOJA"), till_.cdLoja},
                                    {key(":P_NRMESA"), mesa}};
            QSqlQuery status =
                runDialogStatement(db_, key("conta_mesa_solicitada"), binds, failure);
            if (mesa == nrMesa_ && status.numRowsAffected() < 1) {
                throw AppError(QStringLiteral("Mesa %1 não cadastrada.").arg(nrMesa_));
            }
            status.finish();
            QVariantMap stamp = binds;
            stamp.insert(key(":P_AGORA"), agora);
            runDialogStatement(db_, key("conta_venda_solicitada"), stamp, failure);
        }
        if (!cdConsumidor.isEmpty()) {
            for (const QString& venda : bill.vendas()) {
                runDialogStatement(db_, key("conta_consumidor"),
                                   {{key(":P_CDFILIAL"), till_.cdFilial},
                                    {key(":P_NRVENDAREST"), venda},
                                    {key(":P_CDCONSUMIDOR"), cdConsumidor},
                                    {key(":P_CDCLIENTE"), cdClienteConsumidor}},
                                   failure);
            }
        }
        for (const Bill::Pad& pad : bill.comandas) {
            runDialogStatement(db_, key("conta_comanda_solicitada"),
                               {{key(":P_CDFILIAL"), till_.cdFilial},
                                {key(":P_NRVENDAREST"), pad.nrVendaRest},
                                {key(":P_NRCOMANDA"), pad.nrComanda},
                                {key(":P_VRCOMISVENDE"), double(bill.taxaServico) / 100.0}},
                               failure);
        }
        if (!db_.commit()) {
            throwDatabaseError(QStringLiteral("Não foi possível gravar o fechamento da conta."),
                               QStringLiteral("fecha_conta"), db_, db_.lastError());
        }
    } catch (...) {
        db_.rollback();
        throw;
    }
}

PrintDocument AccountClosing::document(const Bill& bill, const TillIdentity& till,
                                       const QString& nomeFilial, const QString& consumidor,
                                       BillKind kind) {
    const bool parcial = kind == BillKind::Partial;
    PrintDocument d;
    d.totaisEmReais = true;
    d.titulo = parcial ? QStringLiteral("CONTA PARCIAL DA MESA %1").arg(bill.nrMesa)
                       : QStringLiteral("CONTA DA MESA %1").arg(bill.nrMesa);
    d.cabecalho << nomeFilial
                << QStringLiteral("Loja %1 - Caixa %2").arg(till.cdLoja, till.cdCaixa);
    for (const Bill::Line& l : bill.itens) {
        d.itens.append({l.descricao, l.quantidade, l.unidade, double(l.preco) / 100.0,
                        double(l.total) / 100.0});
    }
    const auto amount = [](qint64 cents) {
        return double(cents) / 100.0;
    };
    d.totais.append({QStringLiteral("Consumo"), amount(bill.consumo), false});
    if (bill.couvert != 0) {
        d.totais.append({QStringLiteral("Couvert"), amount(bill.couvert), false});
    }
    if (bill.consumacao != 0) {
        d.totais.append({QStringLiteral("Consumação mínima"), amount(bill.consumacao), false});
    }
    d.totais.append({QStringLiteral("Taxa de serviço"), amount(bill.taxaServico), false});
    d.totais.append({QStringLiteral("TOTAL"), amount(bill.total()), true});
    PrintDocument::Section s;
    QStringList pads;
    for (const Bill::Pad& p : bill.comandas) {
        if (!pads.contains(p.nrComanda)) {
            pads.append(p.nrComanda);
        }
    }
    s.linhas.append({QStringLiteral("Mesa"), bill.nrMesa});
    s.linhas.append({QStringLiteral("Comandas"),
                     pads.isEmpty() ? QStringLiteral("nenhuma") : pads.join(QStringLiteral(", "))});
    if (bill.consumacaoMinima != 0) {
        s.linhas.append(
            {QStringLiteral("Consumação mínima da mesa"), reais(bill.consumacaoMinima)});
    }
    if (!consumidor.isEmpty()) {
        s.linhas.append({QStringLiteral("Consumidor"), consumidor});
    }
    s.linhas.append({QStringLiteral("Operador"),
                     till.nmOperador.isEmpty() ? till.cdOperador : till.nmOperador});
    d.secoes.append(s);
    d.rodape << QStringLiteral("Não é documento fiscal.");
    if (parcial) {
        d.rodape << QStringLiteral("Conta parcial: a mesa continua aberta.");
    }
    d.rodape << QStringLiteral("Confira a sua conta antes do pagamento.");
    return d;
}

QString AccountClosing::print(const Bill& bill, const TillIdentity& till, const QString& nomeFilial,
                              const QString& consumidor, const QDateTime& quando, BillKind kind) {
    return printDocument(document(bill, till, nomeFilial, consumidor, kind),
                         kind == BillKind::Partial ? QStringLiteral("Parcial")
                                                   : QStringLiteral("Conta"),
                         bill.nrMesa, quando);
}

} // namespace tmk
