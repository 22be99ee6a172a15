// The cancellation of ordered items: the whole item, or a part of it split into a line of
// its own, written together or not at all.

#include "suite/dialogs/item_cancellation.h"

#include "external/common.h"
#include "platform/database_error.h"
#include "platform/errors.h"
#include "suite/common/db_failure.h"
#include "suite/devices/fiscal_amounts.h"
#include "suite/dialogs/dialogs_log.h"
#include "suite/dialogs/dialogs_query.h"

#include <QRegularExpression>
#include <QSqlError>
#include <algorithm>
#include <cmath>

namespace tmk {

namespace {

QString key(const char* name) {
    return QString::fromLatin1(name);
}

double fromMilli(qint64 milesimos) {
    return double(milesimos) / 1000.0;
}

// The share of an amount that goes with part of the quantity, truncated to the cent.
double share(double amount, qint64 part, qint64 whole) {
    if (amount == 0 || whole <= 0) {
        return 0;
    }
    return Trunc2(amount * double(part) / double(whole));
}

} // namespace

ItemCancellation::ItemCancellation(QSqlDatabase db, TillIdentity till, QString nrComanda,
                                   QString nrMesa)
    : db_(std::move(db))
    , till_(std::move(till))
    , nrComanda_(std::move(nrComanda))
    , nrMesa_(std::move(nrMesa)) {}

QList<ItemCancellation::Item> ItemCancellation::items() {
    QSqlQuery q = runDialogStatement(
        db_, key("cancela_itens"),
        {{key(":P_CDFILIAL"), till_.cdFilial},
         {key(":P_CDLOJA"), till_.cdLoja},
         {key(":P_NRCOMANDA"), nrComanda_}},
        QStringLiteral("Não foi possível ler os itens da comanda %1.").arg(nrComanda_));
    QList<Item> list;
    while (q.next()) {
        Item i;
        i.nrVendaRest = columnText(q, 0);
        i.nrProdComVen = columnText(q, 1);
        i.cdProduto = columnText(q, 2);
        i.descricao = columnText(q, 3);
        i.unidade = columnText(q, 4);
        i.milesimos = qRound64(q.value(5).toDouble() * 1000.0);
        i.preco = q.value(6).toDouble();
        i.desconto = q.value(7).toDouble();
        i.acrescimo = q.value(8).toDouble();
        i.nrLugarMesa = columnText(q, 9);
        list.append(i);
    }
    return list;
}

std::optional<qint64> ItemCancellation::parseQuantity(const QString& text) {
    static const QRegularExpression form(QStringLiteral("^(\\d{1,6})(?:[,.](\\d{1,3}))?$"));
    const QRegularExpressionMatch m = form.match(text.trimmed());
    if (!m.hasMatch()) {
        return std::nullopt;
    }
    const QString decimals = m.captured(2).leftJustified(3, QLatin1Char('0'));
    return m.captured(1).toLongLong() * 1000 + decimals.toLongLong();
}

QString ItemCancellation::quantityProblem(const Item& item, const std::optional<qint64>& milesimos,
                                          const QString& typed) {
    if (typed.trimmed().isEmpty()) {
        return QStringLiteral("Informe a quantidade a cancelar.");
    }
    if (!milesimos) {
        return QStringLiteral("Quantidade inválida: \"%1\".").arg(typed.trimmed());
    }
    if (*milesimos <= 0) {
        return QStringLiteral("A quantidade a cancelar deve ser maior que zero.");
    }
    if (*milesimos > item.milesimos) {
        return QStringLiteral("A quantidade a cancelar (%1) é maior que a do item (%2).")
            .arg(brQuantity(fromMilli(*milesimos)), brQuantity(fromMilli(item.milesimos)));
    }
    return {};
}

QString ItemCancellation::nextItemNumber(const Item& item, const QString& failure) {
    QSqlQuery q = runDialogStatement(
        db_, key("cancela_maior_item"),
        {{key(":P_CDFILIAL"), till_.cdFilial}, {key(":P_NRVENDAREST"), item.nrVendaRest}}, failure);
    // Numbers are compared as numbers (a text that is none is passed over); the next one
    // keeps the width of the widest, six digits at least.
    qlonglong highest = 0;
    int width = 6;
    while (q.next()) {
        const QString number = columnText(q, 0);
        bool ok = false;
        const qlonglong n = number.toLongLong(&ok);
        if (ok && n > highest) {
            highest = n;
        }
        width = std::max(width, int(number.size()));
    }
    const QString next = QString::number(highest + 1).rightJustified(width, QLatin1Char('0'));
    if (next.size() > 10) {
        throw AppError(QStringLiteral("A numeração dos itens da venda %1 chegou ao fim.")
                           .arg(item.nrVendaRest));
    }
    return next;
}

void ItemCancellation::cancel(const Item& item, qint64 milesimos, const QString& cdSupervisor,
                              const QDateTime& quando) {
    const QString problem = quantityProblem(item, milesimos, brQuantity(fromMilli(milesimos)));
    if (!problem.isEmpty()) {
        throw AppError(problem);
    }
    if (cdSupervisor.trimmed().isEmpty()) {
        throw AppError(QStringLiteral("O cancelamento precisa da autorização de um supervisor."));
    }
    if (!db_.isValid() || !db_.isOpen()) {
        throw DatabaseError(QStringLiteral("Sem conexão com o banco de dados."),
                            key("cancela_item"), QString(), true);
    }
    const QString failure = QStringLiteral("Não foi possível cancelar o item %1 da comanda %2.")
                                .arg(item.descricao, nrComanda_);
    if (!db_.transaction()) {
        throwDatabaseError(failure, key("cancela_item"), db_, db_.lastError());
    }
    try {
        const QVariantMap itemKey{{key(":P_CDFILIAL"), till_.cdFilial},
                                  {key(":P_NRVENDAREST"), item.nrVendaRest},
                                  {key(":P_NRCOMANDA"), nrComanda_},
                                  {key(":P_NRPRODCOMVEN"), item.nrProdComVen},
                                  {key(":P_QTLIDA"), fromMilli(item.milesimos)}};
        QSqlQuery claim = runDialogStatement(db_, key("cancela_trava_comanda"),
                                             {{key(":P_CDFILIAL"), till_.cdFilial},
                                              {key(":P_NRVENDAREST"), item.nrVendaRest},
                                              {key(":P_NRCOMANDA"), nrComanda_}},
                                             failure);
        if (claim.numRowsAffected() < 1) {
            throw AppError(QStringLiteral("A comanda %1 não existe mais; nada foi cancelado.")
                               .arg(nrComanda_));
        }
        claim.finish();
        const QVariantMap who{{key(":P_CDOPERADOR"), till_.cdOperador},
                              {key(":P_CDSUPERVISOR"), cdSupervisor.trimmed()},
                              {key(":P_AGORA"), quando}};
        const auto changed = [&item](QSqlQuery& q) {
            if (q.numRowsAffected() != 1) {
                throw AppError(QStringLiteral("O item %1 foi alterado em outro caixa. Confira a "
                                              "lista e tente de novo.")
                                   .arg(item.descricao));
            }
            q.finish();
        };
        if (milesimos == item.milesimos) {
            QVariantMap binds = itemKey;
            binds.insert(who);
            QSqlQuery q = runDialogStatement(db_, key("cancela_item"), binds, failure);
            changed(q);
        } else {
            const QString novo = nextItemNumber(item, failure);
            const double descParte = share(item.desconto, milesimos, item.milesimos);
            const double acrParte = share(item.acrescimo, milesimos, item.milesimos);
            QVariantMap resto = itemKey;
            resto.insert(key(":P_QTRESTO"), fromMilli(item.milesimos - milesimos));
            resto.insert(key(":P_VRDESCRESTO"), item.desconto - descParte);
            resto.insert(key(":P_VRACRRESTO"), item.acrescimo - acrParte);
            QSqlQuery q = runDialogStatement(db_, key("cancela_item_resto"), resto, failure);
            changed(q);
            QVariantMap parte = itemKey;
            parte.remove(key(":P_QTLIDA"));
            parte.insert(who);
            parte.insert(key(":P_NRNOVO"), novo);
            parte.insert(key(":P_QTCANCELADA"), fromMilli(milesimos));
            parte.insert(key(":P_VRDESCPARTE"), descParte);
            parte.insert(key(":P_VRACRPARTE"), acrParte);
            QSqlQuery insert = runDialogStatement(db_, key("cancela_item_parte"), parte, failure);
            changed(insert);
        }
        if (!db_.commit()) {
            throwDatabaseError(failure, key("cancela_item"), db_, db_.lastError());
        }
    } catch (...) {
        db_.rollback();
        throw;
    }
    qCInfo(lcSuiteDialogs).noquote()
        << "item" << item.nrProdComVen << "of pad" << nrComanda_
        << "cancelled:" << brQuantity(fromMilli(milesimos)) << "by" << till_.cdOperador
        << "authorised by" << cdSupervisor.trimmed();
}

} // namespace tmk
