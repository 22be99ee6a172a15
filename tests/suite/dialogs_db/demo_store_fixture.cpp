#include "tests/suite/dialogs_db/demo_store_fixture.h"

#include "db/demo/demo_catalogue.h"
#include "db/demo/demo_store.h"
#include "platform/errors.h"
#include "platform/till_folder.h"

#include <QAbstractButton>
#include <QSqlError>
#include <QSqlQuery>

namespace tmk::dialogs_test {

namespace {

bool prepared(QSqlQuery& q, const QString& sql, const QVariantMap& binds) {
    if (!q.prepare(sql)) {
        ADD_FAILURE() << sql.toStdString() << ": " << q.lastError().text().toStdString();
        return false;
    }
    for (auto it = binds.cbegin(); it != binds.cend(); ++it) {
        q.bindValue(it.key(), it.value());
    }
    if (!q.exec()) {
        ADD_FAILURE() << sql.toStdString() << ": " << q.lastError().text().toStdString();
        return false;
    }
    return true;
}

} // namespace

void DemoStoreTest::SetUp() {
    DatabaseTest::SetUp();
    if (HasFatalFailure() || IsSkipped()) {
        return;
    }
    ASSERT_TRUE(till_.isValid());
    setTillFolder(till_.path());
    now_ = QDateTime::currentDateTime();
    QSqlDatabase db = database.connection();
    try {
        createDemoDatabase(db, now_);
        writeDemoTillFiles(till_.path(), now_);
    } catch (const AppError& e) {
        FAIL() << e.message().toStdString();
    }
}

TillIdentity DemoStoreTest::demoTill() {
    return TillIdentity::read();
}

QString DemoStoreTest::text(const QString& select, const QVariantMap& binds) {
    QSqlQuery q(database.connection());
    if (!prepared(q, select, binds) || !q.next() || q.value(0).isNull()) {
        return {};
    }
    return q.value(0).toString().trimmed();
}

qlonglong DemoStoreTest::count(const QString& select, const QVariantMap& binds) {
    return text(select, binds).toLongLong();
}

void DemoStoreTest::exec(const QString& statement, const QVariantMap& binds) {
    QSqlQuery q(database.connection());
    if (binds.isEmpty()) {
        // Run directly: definitions cannot be prepared on every server.
        EXPECT_TRUE(q.exec(statement))
            << statement.toStdString() << ": " << q.lastError().text().toStdString();
        return;
    }
    prepared(q, statement, binds);
}

QStringList DemoStoreTest::column(const QString& select, const QVariantMap& binds) {
    QSqlQuery q(database.connection());
    QStringList values;
    if (prepared(q, select, binds)) {
        while (q.next()) {
            values << q.value(0).toString().trimmed();
        }
    }
    return values;
}

QString DemoStoreTest::freeTable(const QStringList& besides) {
    const QStringList free =
        column(QStringLiteral("SELECT NRMESA FROM MESA M WHERE CDFILIAL = :F AND CDLOJA = :L "
                              "AND IDSTMESA = 'A' AND IDSTMESAAUX = 'D' AND NRMESA <> :PADRAO "
                              "AND NOT EXISTS (SELECT 1 FROM MESAJUNCAO J WHERE J.CDFILIAL = "
                              "M.CDFILIAL AND J.CDLOJA = M.CDLOJA AND J.NRMESA = M.NRMESA) "
                              "AND NOT EXISTS (SELECT 1 FROM VENDAREST V WHERE V.CDFILIAL = "
                              "M.CDFILIAL AND V.NRMESA = M.NRMESA AND V.DTHRFECHMESA IS NULL) "
                              "ORDER BY NRMESA"),
               {{QStringLiteral(":F"), QString::fromLatin1(demo::kFilial)},
                {QStringLiteral(":L"), QString::fromLatin1(demo::kLoja)},
                {QStringLiteral(":PADRAO"), QString::fromLatin1(demo::kMesaPadrao)}});
    for (const QString& nr : free) {
        if (!besides.contains(nr)) {
            return nr;
        }
    }
    ADD_FAILURE() << "the demo store has no free table left";
    return {};
}

int ScriptedDialogs::execDialog(QDialog& dialog) {
    dialogsShown << dialog.objectName();
    dialog.setResult(QDialog::Rejected);
    if (script) {
        script(dialog);
    }
    return dialog.result();
}

void click(QWidget& parent, const char* objectName) {
    auto* b = parent.findChild<QAbstractButton*>(QString::fromLatin1(objectName));
    ASSERT_NE(b, nullptr) << objectName;
    b->click();
}

} // namespace tmk::dialogs_test
