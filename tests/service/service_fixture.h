#pragma once

#include "platform/data_packet.h"
#include "service/data_module.h"
#include "tests/support/test_database.h"

#include <QSqlDatabase>
#include <QVariantMap>
#include <gtest/gtest.h>
#include <memory>

namespace tmk::test {

// A fresh database of the kind under test with the schema, and the data module
// connected to it.
class ServiceFixture : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // Inserts one row (column -> value) into a table of the schema.
    void insert(const QString& table, const QVariantMap& row);
    // Runs a literal statement on the fixture's own connection; fails the test on error.
    QSqlQuery sql(const QString& text, const QVariantMap& binds = {});
    // Number of rows of a table matching a condition.
    int count(const QString& table, const QString& where = {}, const QVariantMap& binds = {});
    QVariant value(const QString& text, const QVariantMap& binds = {});

    static const DbDialect& dialect() { return TestDatabase::dialect(); }

    std::unique_ptr<TestDatabase> db;
    std::unique_ptr<TrdmGerMesa> dm;
};

// The packet of an operation's result; fails the test when it is a failure.
DataPacket packetOf(const QVariant& result);

} // namespace tmk::test
