#include "suite/dialogs/reservations.h"

#include "suite/common/db_dialect.h"
#include "suite/dialogs/dialogs_query.h"

#include <QDateTime>
#include <algorithm>

namespace tmk {

Reservations::Reservations(QSqlDatabase db, QString cdFilial, QString cdLoja)
    : db_(std::move(db))
    , cdFilial_(std::move(cdFilial))
    , cdLoja_(std::move(cdLoja)) {}

QString Reservations::hora(const QString& hhmm) {
    const QString t = hhmm.trimmed();
    const bool digits = std::all_of(t.cbegin(), t.cend(), [](QChar c) {
        return c >= QLatin1Char('0') && c <= QLatin1Char('9');
    });
    if (t.size() == 4 && digits) {
        return t.left(2) + QLatin1Char(':') + t.right(2);
    }
    return t;
}

QList<Reservations::Row> Reservations::read(const QString& statement, const QVariantMap& binds) {
    QVariantMap all = binds;
    all.insert(QStringLiteral(":P_CDFILIAL"), cdFilial_);
    all.insert(QStringLiteral(":P_CDLOJA"), cdLoja_);
    QSqlQuery q = runDialogStatement(db_, statement, all,
                                     QStringLiteral("Não foi possível ler as reservas da loja."));
    const DbDialect& dialect = DbDialect::of(db_);
    QList<Row> rows;
    while (q.next()) {
        Row r;
        r.numero = columnText(q, 0);
        r.data = dialect.readDateTime(q.value(1)).date();
        r.inicio = hora(columnText(q, 2));
        r.fim = hora(columnText(q, 3));
        r.mesa = columnText(q, 4);
        r.cliente = columnText(q, 5);
        r.telefone = columnText(q, 6);
        r.pessoas = q.value(7).toInt();
        const QString st = columnText(q, 8);
        r.situacao = st == QLatin1String("P") ? QStringLiteral("Pendente") : st;
        r.observacao = columnText(q, 9);
        rows.append(r);
    }
    return rows;
}

QList<Reservations::Row> Reservations::ofTable(const QString& nrMesa, const QDate& primeiro,
                                               const QDate& ultimo) {
    return read(QStringLiteral("reservas_mesa"),
                {{QStringLiteral(":P_NRMESA"), nrMesa},
                 {QStringLiteral(":P_DE"), primeiro.startOfDay()},
                 {QStringLiteral(":P_ATE"), ultimo.addDays(1).startOfDay()}});
}

QList<Reservations::Row> Reservations::ofDay(const QDate& dia) {
    return read(QStringLiteral("reservas_dia"),
                {{QStringLiteral(":P_DE"), dia.startOfDay()},
                 {QStringLiteral(":P_ATE"), dia.addDays(1).startOfDay()}});
}

std::optional<QDate> Reservations::dayOf(const QString& nrResMesa) {
    const QVariant v =
        dialogScalar(db_, QStringLiteral("reserva_dia"),
                     {{QStringLiteral(":P_CDFILIAL"), cdFilial_},
                      {QStringLiteral(":P_CDLOJA"), cdLoja_},
                      {QStringLiteral(":P_NRRESMESA"), nrResMesa.trimmed()}},
                     QStringLiteral("Não foi possível ler a reserva %1.").arg(nrResMesa));
    const QDateTime d = DbDialect::of(db_).readDateTime(v);
    if (!d.isValid()) {
        return std::nullopt;
    }
    return d.date();
}

} // namespace tmk
