#pragma once

#include "suite/dialogs/till_identity.h"

#include <QDateTime>
#include <QList>
#include <QPair>
#include <QSqlDatabase>
#include <QString>

namespace tmk {

// The day's summary of a till (RelFiscais): its sales since the cash opening, concluded
// and cancelled, and what was received, by receipt type.
struct DaySummary {
    QDateTime abertura;
    int concluidas = 0;
    double produtos = 0;    // VRTOTVENDA of the concluded sales
    double taxaServico = 0; // VRTXSEVENDA of the concluded sales
    int canceladas = 0;
    double valorCanceladas = 0;
    QList<QPair<QString, double>> recebimentos; // receipt type, amount
    double troco = 0;

    double total() const { return produtos + taxaServico; }

    // Reads the till's sales since its cash opening (till.dtAberCaixa). AppError when the
    // till has no cash opening; DatabaseError when the sales cannot be read.
    static DaySummary read(QSqlDatabase db, const TillIdentity& till);
    // Prints it as an 80 mm receipt into the till's print folder ("Resumo"); returns the
    // PDF's path. AppError when the folder cannot be written.
    QString print(const TillIdentity& till, const QString& nomeFilial,
                  const QDateTime& quando = {}) const;
};

} // namespace tmk
