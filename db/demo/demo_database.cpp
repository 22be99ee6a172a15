#include "db/demo/demo_catalogue.h"
#include "db/demo/demo_store.h"
#include "db/demo/demo_store_builder.h"
#include "db/schema.h"
#include "platform/database_error.h"
#include "platform/errors.h"
#include "suite/common/statement_files.h"

#include <QLoggingCategory>
#include <QSqlError>
#include <QSqlQuery>

Q_LOGGING_CATEGORY(lcDemo, "tmk.demo")

namespace tmk {

namespace {

// The demo store's statements, for the kinds it is made on.
const LibraryStatements& demoStatements() {
    static const LibraryStatements statements(
        QStringLiteral(":/db/demo/sql"), QStringLiteral("da loja de demonstração"),
        {{QStringLiteral("count_branches"), QStringLiteral("till_opening")}, {}, {}});
    return statements;
}

qlonglong branchCount(QSqlDatabase& db, const DbDialect& dialect) {
    const QString text =
        demoStatements().forDialect(dialect).text(QStringLiteral("count_branches"));
    QSqlQuery q(db);
    q.setForwardOnly(true);
    if (!q.exec(text) || !q.next()) {
        throw DatabaseError(QStringLiteral("Não foi possível verificar as filiais do banco de "
                                           "dados."),
                            text, q.lastError().text());
    }
    const qlonglong n = q.value(0).toLongLong();
    q.finish();
    return n;
}

const DbDialect& supportedDialect(QSqlDatabase& db) {
    if (!db.isValid() || !db.isOpen()) {
        throw DatabaseError(QStringLiteral("A conexão com o banco de dados não está aberta."),
                            QString(), db.lastError().text(), true);
    }
    const DbDialect& dialect = DbDialect::of(db);
    if (!dialect.createsSchema()) {
        throw AppError(QStringLiteral("A loja de demonstração é criada apenas em SQLite e "
                                      "PostgreSQL, não em %1.")
                           .arg(dialect.name()));
    }
    return dialect;
}

} // namespace

QDateTime tillCashOpening(QSqlDatabase& db, const QString& cdCaixa) {
    const DbDialect& dialect = supportedDialect(db);
    const QString text = demoStatements().forDialect(dialect).text(QStringLiteral("till_opening"));
    QSqlQuery q(db);
    q.setForwardOnly(true);
    if (!q.prepare(text)) {
        throw DatabaseError(
            QStringLiteral("Não foi possível ler a abertura do caixa %1.").arg(cdCaixa), text,
            q.lastError().text());
    }
    q.bindValue(QStringLiteral(":P_CDFILIAL"), QString::fromLatin1(demo::kFilial));
    q.bindValue(QStringLiteral(":P_CDCAIXA"), cdCaixa);
    if (!q.exec()) {
        throw DatabaseError(
            QStringLiteral("Não foi possível ler a abertura do caixa %1.").arg(cdCaixa), text,
            q.lastError().text());
    }
    const QDateTime opening = q.next() ? dialect.readDateTime(q.value(0)) : QDateTime();
    q.finish();
    return opening;
}

bool databaseHasBranch(QSqlDatabase& db) {
    return branchCount(db, supportedDialect(db)) > 0;
}

void createDemoDatabase(QSqlDatabase& db, const QDateTime& now) {
    const DbDialect& dialect = supportedDialect(db);
    if (!now.isValid()) {
        throw AppError(QStringLiteral("Data inválida para a loja de demonstração."));
    }
    if (!db::schemaPresent(db)) {
        throw AppError(QStringLiteral("O banco de dados não tem as tabelas do sistema: a loja de "
                                      "demonstração não foi criada."));
    }
    if (branchCount(db, dialect) > 0) {
        throw AppError(QStringLiteral("O banco de dados já tem filiais cadastradas: a loja de "
                                      "demonstração só é criada em um banco vazio."));
    }
    if (!db.transaction()) {
        throw DatabaseError(QStringLiteral("Não foi possível iniciar a criação da loja de "
                                           "demonstração."),
                            QString(), db.lastError().text());
    }
    // The builder's statements are freed after the rollback, not inside the failed
    // transaction.
    demo::DemoStoreBuilder builder(db, now);
    try {
        builder.build();
        if (!db.commit()) {
            throw DatabaseError(QStringLiteral("Não foi possível concluir a criação da loja de "
                                               "demonstração. Nada foi gravado."),
                                QString(), db.lastError().text());
        }
    } catch (const DatabaseError& e) {
        db.rollback();
        qCWarning(lcDemo) << "demo store rolled back:" << e.statement() << e.driverText();
        throw;
    } catch (...) {
        db.rollback();
        throw;
    }
    qCInfo(lcDemo) << "demo store created on" << dialect.name();
}

} // namespace tmk
