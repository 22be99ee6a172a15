#include "tests/service/refusal.h"

#include <QSqlError>
#include <QSqlQuery>
#include <gtest/gtest.h>

namespace tmk::test {

namespace {

void run(QSqlDatabase& db, const QString& text) {
    QSqlQuery q(db);
    // Direct execution: DDL cannot be prepared on every server.
    ASSERT_TRUE(q.exec(text)) << text.toStdString() << ": " << q.lastError().text().toStdString();
}

} // namespace

void refuse(QSqlDatabase db, DbKind kind, const QString& table, const QString& event,
            const QString& condition) {
    static int serial = 0;
    const QString name = QStringLiteral("TRG_RECUSA_%1").arg(++serial);
    if (kind == DbKind::PostgreSQL) {
        run(db, QStringLiteral("CREATE OR REPLACE FUNCTION TMK_RECUSA() RETURNS trigger "
                               "LANGUAGE plpgsql AS $$ BEGIN RAISE EXCEPTION "
                               "'recusado pelo teste'; END $$"));
        run(db, QStringLiteral("CREATE TRIGGER %1 BEFORE %2 ON %3 FOR EACH ROW WHEN (%4) "
                               "EXECUTE FUNCTION TMK_RECUSA()")
                    .arg(name, event, table, condition));
    } else {
        run(db, QStringLiteral("CREATE TRIGGER %1 BEFORE %2 ON %3 WHEN %4 BEGIN "
                               "SELECT RAISE(ABORT, 'recusado pelo teste'); END")
                    .arg(name, event, table, condition));
    }
}

} // namespace tmk::test
