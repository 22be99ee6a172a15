#pragma once

#include "platform/db_kind.h"

#include <QSqlDatabase>
#include <QString>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace tmk::suite_test {

// The database kind of this run (TMK_DB_KIND: "sqlite" by default, or "postgresql").
DbKind runKind();

// A fresh database of the run's kind for one test: a temporary SQLite file, or a
// database of its own on the PostgreSQL server of TMK_TEST_PG (created here, dropped
// at the end of the run). Tests open it through its connection text.
class DbFixture : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // The connection text of the test's database.
    const QString& connectionText() const { return connectionText_; }
    // Opens a connection (session prepared) under a name of this test.
    QSqlDatabase open(const QString& suffix = QStringLiteral("main"));
    QString connectionName(const QString& suffix) const;
    // Runs a literal statement of the test's own set-up; fails the test if refused.
    void exec(QSqlDatabase& db, const QString& sql);

private:
    QTemporaryDir dir_;
    QString connectionText_;
    QString prefix_;
};

} // namespace tmk::suite_test
