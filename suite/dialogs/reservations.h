#pragma once

#include <QDate>
#include <QList>
#include <QSqlDatabase>
#include <QString>
#include <optional>

namespace tmk {

// The reservations of a store, read only: those of a table over some days, and those of a
// day (the reservation consulted among them).
class Reservations {
public:
    struct Row {
        QString numero;
        QDate data;
        QString inicio; // "19:30"
        QString fim;
        QString mesa;
        QString cliente;
        QString telefone;
        int pessoas = 0;
        QString situacao; // "Pendente" for "P", the letter otherwise
        QString observacao;
    };

    Reservations(QSqlDatabase db, QString cdFilial, QString cdLoja);

    // Ordered by day and start; DatabaseError when they cannot be read.
    QList<Row> ofTable(const QString& nrMesa, const QDate& primeiro, const QDate& ultimo);
    QList<Row> ofDay(const QDate& dia);
    // The day of a reservation; nothing when there is no such reservation.
    std::optional<QDate> dayOf(const QString& nrResMesa);

    // "1930" -> "19:30"; other texts are kept.
    static QString hora(const QString& hhmm);

private:
    QList<Row> read(const QString& statement, const QVariantMap& binds);

    QSqlDatabase db_;
    QString cdFilial_;
    QString cdLoja_;
};

} // namespace tmk
