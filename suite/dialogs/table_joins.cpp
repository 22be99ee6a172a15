#include "suite/dialogs/table_joins.h"

#include "external/common.h"
#include "platform/database_error.h"
#include "platform/errors.h"
#include "suite/common/db_failure.h"
#include "suite/dialogs/dialogs_log.h"
#include "suite/dialogs/dialogs_query.h"

#include <QDateTime>
#include <QSqlError>

namespace tmk {

namespace {

// Runs body in one transaction of the connection: committed when it returns, rolled back
// when it throws.
template <typename Body>
auto inTransaction(QSqlDatabase& db, const QString& what, Body&& body) {
    if (!db.isValid() || !db.isOpen()) {
        throw DatabaseError(QStringLiteral("Sem conexão com o banco de dados."), what, QString(),
                            true);
    }
    if (!db.transaction()) {
        throwDatabaseError(QStringLiteral("Não foi possível iniciar a gravação."), what, db,
                           db.lastError());
    }
    try {
        auto result = body();
        if (!db.commit()) {
            throwDatabaseError(QStringLiteral("Não foi possível gravar a junção de mesas."), what,
                               db, db.lastError());
        }
        return result;
    } catch (...) {
        db.rollback();
        throw;
    }
}

} // namespace

TableJoins::TableJoins(QSqlDatabase db, QString cdFilial, QString cdLoja, QString cdOperador)
    : db_(std::move(db))
    , cdFilial_(std::move(cdFilial))
    , cdLoja_(std::move(cdLoja))
    , cdOperador_(std::move(cdOperador)) {}

QList<TableJoins::Table> TableJoins::tables(const QString& nrConfTela) {
    QSqlQuery q = runDialogStatement(db_, QStringLiteral("mesas_juncao"),
                                     {{QStringLiteral(":P_CDFILIAL"), cdFilial_},
                                      {QStringLiteral(":P_CDLOJA"), cdLoja_},
                                      {QStringLiteral(":P_NRCONFTELA"), nrConfTela}},
                                     QStringLiteral("Não foi possível ler as mesas da loja."));
    QList<Table> list;
    while (q.next()) {
        list.append({columnText(q, 0), columnText(q, 1), columnText(q, 2), columnText(q, 3)});
    }
    return list;
}

QString TableJoins::join(const QStringList& mesas) {
    QStringList unicas;
    for (const QString& m : mesas) {
        if (!m.trimmed().isEmpty() && !unicas.contains(m.trimmed())) {
            unicas << m.trimmed();
        }
    }
    if (unicas.size() < 2) {
        throw AppError(QStringLiteral("Escolha pelo menos duas mesas para juntar."));
    }
    unicas.sort();
    // The highest group number in use is only a floor for the counter, so it is read
    // before the transaction; the transaction then starts by writing (the counter), so
    // that a till joining at the same moment waits for this one instead of failing.
    const QVariant maior =
        dialogScalar(db_, QStringLiteral("juncao_maior"),
                     {{QStringLiteral(":P_CDFILIAL"), cdFilial_},
                      {QStringLiteral(":P_CDLOJA"), cdLoja_},
                      {QStringLiteral(":P_DE"), QString(kGroupDigits, QLatin1Char('0'))},
                      {QStringLiteral(":P_ATE"), QString(kGroupDigits, QLatin1Char('9'))}},
                     QStringLiteral("Não foi possível ler a numeração das junções de mesas."));
    bool ok = false;
    const qlonglong piso = maior.toString().trimmed().toLongLong(&ok);
    return inTransaction(db_, QStringLiteral("juncao_inclui_mesa"), [&] {
        const qlonglong n = TdtmKovProxCodigo(db_).PrxCodigo(
            QStringLiteral("JUNCAOMESA") + cdFilial_ + cdLoja_, ok ? piso : 0);
        const QString grupo = Ajusta(QString::number(n), kGroupDigits);
        const QString failure = QStringLiteral("Não foi possível juntar as mesas.");
        runDialogStatement(db_, QStringLiteral("juncao_cria"),
                           {{QStringLiteral(":P_CDFILIAL"), cdFilial_},
                            {QStringLiteral(":P_CDLOJA"), cdLoja_},
                            {QStringLiteral(":P_NRJUNMESA"), grupo},
                            {QStringLiteral(":P_DTHRJUNMESA"), QDateTime::currentDateTime()},
                            {QStringLiteral(":P_CDOPERADOR"), cdOperador_}},
                           failure);
        for (const QString& mesa : unicas) {
            QSqlQuery q = runDialogStatement(db_, QStringLiteral("juncao_inclui_mesa"),
                                             {{QStringLiteral(":P_CDFILIAL"), cdFilial_},
                                              {QStringLiteral(":P_CDLOJA"), cdLoja_},
                                              {QStringLiteral(":P_NRJUNMESA"), grupo},
                                              {QStringLiteral(":P_NRMESA"), mesa}},
                                             failure);
            if (q.numRowsAffected() != 1) {
                throw AppError(QStringLiteral("A mesa %1 não pode ser juntada: ela já está em "
                                              "outra junção ou não está ativa. Nada foi gravado.")
                                   .arg(mesa));
            }
        }
        qCInfo(lcSuiteDialogs).noquote()
            << "tables" << unicas.join(QLatin1Char(' ')) << "joined as group" << grupo;
        return grupo;
    });
}

QStringList TableJoins::separate(const QString& nrMesa) {
    const QString failure = QStringLiteral("Não foi possível separar as mesas.");
    const QString grupo = dialogScalar(db_, QStringLiteral("juncao_da_mesa"),
                                       {{QStringLiteral(":P_CDFILIAL"), cdFilial_},
                                        {QStringLiteral(":P_CDLOJA"), cdLoja_},
                                        {QStringLiteral(":P_NRMESA"), nrMesa}},
                                       failure)
                              .toString()
                              .trimmed();
    if (grupo.isEmpty()) {
        throw AppError(QStringLiteral("A mesa %1 não está junta a outras.").arg(nrMesa));
    }
    const QVariantMap chave{{QStringLiteral(":P_CDFILIAL"), cdFilial_},
                            {QStringLiteral(":P_CDLOJA"), cdLoja_},
                            {QStringLiteral(":P_NRJUNMESA"), grupo}};
    QStringList mesas;
    QSqlQuery q = runDialogStatement(db_, QStringLiteral("juncao_mesas"), chave, failure);
    while (q.next()) {
        mesas << columnText(q, 0);
    }
    q.finish();
    // Only writes inside the transaction: a till separating the same group at the same
    // moment waits and then removes nothing.
    inTransaction(db_, QStringLiteral("juncao_remove"), [&] {
        runDialogStatement(db_, QStringLiteral("juncao_remove_mesas"), chave, failure);
        runDialogStatement(db_, QStringLiteral("juncao_remove"), chave, failure);
        return true;
    });
    qCInfo(lcSuiteDialogs).noquote()
        << "group" << grupo << "separated:" << mesas.join(QLatin1Char(' '));
    return mesas;
}

} // namespace tmk
