#include "suite/sales/sat_update.h"

#include "platform/errors.h"
#include "suite/sales/sales_query.h"

#include <QRegularExpression>

namespace tmk {

namespace {

QString answerValue(const QStringList& answer, const QString& name) {
    for (const QString& line : answer) {
        const qsizetype eq = line.indexOf(QLatin1Char('='));
        if (eq > 0 && line.left(eq).trimmed().compare(name, Qt::CaseInsensitive) == 0) {
            return line.mid(eq + 1).trimmed();
        }
    }
    return {};
}

} // namespace

void recordSatDocument(QSqlDatabase& db, const QString& cdFilial, const QString& cdCaixa,
                       const QString& nrSeqVenda, const QString& nrNotaFiscalCe,
                       const QString& qrCode, const QStringList& satAnswer) {
    QString chave = answerValue(satAnswer, QStringLiteral("chaveConsulta"));
    if (chave.startsWith(QLatin1String("CFe"), Qt::CaseInsensitive)) {
        chave = chave.mid(3);
    }
    if (chave.isEmpty()) {
        throw AppError(QStringLiteral("A resposta do SAT para a venda %1 não tem a chave do CF-e.")
                           .arg(nrSeqVenda));
    }
    static const QRegularExpression serial(QStringLiteral("<nserieSAT>\\s*(\\d+)\\s*</nserieSAT>"));
    const QString serie =
        serial.match(answerValue(satAnswer, QStringLiteral("arqxmlnfce"))).captured(1);
    SalesQuery q(db, QStringLiteral("venda_sat"),
                 QStringLiteral("Não foi possível registrar o CF-e da venda %1.").arg(nrSeqVenda));
    q.bind(QStringLiteral("CDFILIAL"), cdFilial)
        .bind(QStringLiteral("CDCAIXA"), cdCaixa)
        .bind(QStringLiteral("NRSEQVENDA"), nrSeqVenda)
        .bind(QStringLiteral("NRNOTAFISCALCE"), nrNotaFiscalCe.trimmed())
        .bind(QStringLiteral("DSQRCODENFCE"), qrCode)
        .bind(QStringLiteral("NRACESSONFCE"),
              fitted(QStringLiteral("VENDA"), QStringLiteral("NRACESSONFCE"), chave))
        .bind(QStringLiteral("NRSERIESAT"), serie.isEmpty() ? QVariant() : serie)
        .exec();
    if (q.rowsAffected() < 1) {
        throw AppError(QStringLiteral("Venda %1 não encontrada entre as vendas concluídas do caixa "
                                      "%2.")
                           .arg(nrSeqVenda, cdCaixa));
    }
}

} // namespace tmk
