#pragma once

#include <QList>
#include <QSqlDatabase>
#include <QString>
#include <QStringList>

namespace tmk {

// Join groups of a store's tables (JUNCAOMESA, MESAJUNCAO): joining tables into a new
// group and separating a group. A table is in one group at most; the map shows the
// tables of a group with their captions in parentheses.
class TableJoins {
public:
    struct Table {
        QString nrMesa;
        QString nome;
        QString estado; // IDSTMESAAUX
        QString grupo;  // NRJUNMESA; empty when not joined
    };
    static constexpr int kGroupDigits = 10;

    TableJoins(QSqlDatabase db, QString cdFilial, QString cdLoja, QString cdOperador);

    // The active tables of the screen configuration (the store's default table left out),
    // by number. DatabaseError when they cannot be read.
    QList<Table> tables(const QString& nrConfTela);
    // Joins the tables into a new group, in one transaction, and returns its number.
    // AppError for fewer than two tables, a table that is not active, or one that is
    // already in a group (also when another till joined it meanwhile); nothing is then
    // written.
    QString join(const QStringList& mesas);
    // Separates the whole group of a table, in one transaction, and returns its tables.
    // AppError when the table is in no group.
    QStringList separate(const QString& nrMesa);

private:
    QSqlDatabase db_;
    QString cdFilial_;
    QString cdLoja_;
    QString cdOperador_;
};

} // namespace tmk
