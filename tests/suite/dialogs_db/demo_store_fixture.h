#pragma once

#include "suite/dialogs/suite_dialogs.h"
#include "suite/dialogs/till_identity.h"
#include "tests/support/test_database.h"

#include <QDialog>
#include <QList>
#include <QPair>
#include <QSqlDatabase>
#include <QTemporaryDir>
#include <QVariantMap>
#include <functional>

namespace tmk::dialogs_test {

// A test on the demo store of the run's database kind, with the demo till's files in a
// till folder of its own.
class DemoStoreTest : public test::DatabaseTest {
protected:
    void SetUp() override;

    // The demo till as the dialogs read it from its files.
    static TillIdentity demoTill();

    // One value of a query on the test's own connection ("" for none or null).
    QString text(const QString& select, const QVariantMap& binds = {});
    qlonglong count(const QString& select, const QVariantMap& binds = {});
    // Runs a change (directly when it binds nothing); fails the test when it is refused.
    void exec(const QString& statement, const QVariantMap& binds = {});
    // Every value of the first column.
    QStringList column(const QString& select, const QVariantMap& binds = {});

    // A free active table of the demo store outside any join group, other than those
    // given.
    QString freeTable(const QStringList& besides = {});

    QDateTime now_;
    QTemporaryDir till_;
};

// The dialog library with each dialog driven by a script instead of shown, and what the
// operator would have been told recorded.
class ScriptedDialogs : public SuiteDialogs {
public:
    explicit ScriptedDialogs(QSqlDatabase db)
        : SuiteDialogs(std::move(db), nullptr) {}

    std::function<void(QDialog&)> script;
    QStringList dialogsShown;
    QList<QPair<QString, int>> told;

protected:
    int execDialog(QDialog& dialog) override;
    void showMessage(const QString& text, int tipo) override { told.append({text, tipo}); }
};

// Clicks the named button of a dialog; fails the test when there is none.
void click(QWidget& parent, const char* objectName);

} // namespace tmk::dialogs_test
