// LogControleAcess: the access-log record of a guarded command.

#include "db/schema.h"
#include "external/common.h"
#include "suite/common/db_failure.h"
#include "suite/dialogs/dialogs_log.h"
#include "suite/dialogs/dialogs_statements.h"
#include "suite/dialogs/suite_dialogs.h"

#include <QSqlError>
#include <QSqlQuery>

namespace tmk {

namespace {

// A text cut to the width of its column (memo columns have none).
QVariant fitted(const QString& column, const QString& text) {
    const db::Table* table = db::schema().table(QStringLiteral("LOGCONTROLEACESSO"));
    const db::Column* c = table ? table->column(column) : nullptr;
    if (c && c->size > 0 && text.size() > c->size) {
        qCWarning(lcSuiteDialogs).noquote()
            << "access log:" << column << "cut to" << c->size << "characters";
        return text.left(c->size);
    }
    return text;
}

// A waiter or sale sequence: its text, or null when none was given.
QVariant optionalText(const QString& column, const QVariant& value) {
    if (!value.isValid() || value.isNull()) {
        return QVariant(QMetaType::fromType<QString>());
    }
    return fitted(column, value.toString());
}

} // namespace

void SuiteDialogs::LogControleAcess(const QString& cdFilial, const QString& cdCaixa,
                                    const QString& cdOperacao, const QString& cdOperador,
                                    const QString& nmOperador, const QString& cdOperAutoriz,
                                    const QString& dsMotivo, const QString& dsMotivoLongo,
                                    const QString& nrVendaRest, const QString& nrComanda,
                                    const QString& dsComanda, const QString& nrMesa,
                                    const QVariant& cdVendedor, const QVariant& nrSeqVenda) {
    const QString name = QStringLiteral("log_controle_acess");
    const QString failure = QStringLiteral("Não foi possível gravar o registro de controle de "
                                           "acesso da operação %1.")
                                .arg(cdOperacao);
    const StatementSet& statements = dialogsStatements().of(db_);
    QSqlQuery q(db_);
    if (!q.prepare(statements.text(name))) {
        throwDatabaseError(failure, name, db_, q.lastError());
    }
    const std::pair<const char*, QString> texts[] = {
        {"CDFILIAL", cdFilial},       {"CDCAIXA", cdCaixa},
        {"CDOPERACAO", cdOperacao},   {"CDOPERADOR", cdOperador},
        {"NMOPERADOR", nmOperador},   {"CDOPERAUTORIZ", cdOperAutoriz},
        {"DSMOTIVO", dsMotivo},       {"DSMOTIVODET", dsMotivoLongo},
        {"NRVENDAREST", nrVendaRest}, {"DSLISTACOMANDA", nrComanda},
        {"DSCOMANDA", dsComanda},     {"NRMESA", nrMesa},
    };
    for (const auto& [column, text] : texts) {
        const QString c = QString::fromLatin1(column);
        q.bindValue(QStringLiteral(":P_") + c, fitted(c, text));
    }
    q.bindValue(QStringLiteral(":P_CDVENDEDOR"),
                optionalText(QStringLiteral("CDVENDEDOR"), cdVendedor));
    q.bindValue(QStringLiteral(":P_NRSEQVENDA"),
                optionalText(QStringLiteral("NRSEQVENDA"), nrSeqVenda));
    q.bindValue(QStringLiteral(":P_DTHRLOG"),
                statements.dialect().dateTimeValue(QDateTime::currentDateTime()));
    if (!q.exec()) {
        throwDatabaseError(failure, name, db_, q.lastError());
    }
}

} // namespace tmk
