#include "tests/service/service_fixture.h"

#include "platform/service_result.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QUuid>

namespace tmk::test {

void ServiceFixture::SetUp() {
    db = std::make_unique<TestDatabase>();
    TMK_REQUIRE_DATABASE(*db);
    dm = std::make_unique<TrdmGerMesa>(QStringLiteral("dm-") +
                                       QUuid::createUuid().toString(QUuid::WithoutBraces));
    dm->connectTo(db->connectionText());
}

void ServiceFixture::TearDown() {
    dm.reset();
    db.reset();
}

namespace {
// Date-times go in as the dialect binds them, as the data module does.
QVariant bindable(const QSqlDatabase& db, const QVariant& v) {
    if (v.metaType().id() == QMetaType::QDateTime) {
        return DbDialect::of(db).dateTimeValue(v.toDateTime());
    }
    return v;
}
} // namespace

void ServiceFixture::insert(const QString& table, const QVariantMap& row) {
    QStringList columns, marks;
    for (auto it = row.cbegin(); it != row.cend(); ++it) {
        columns << it.key();
        marks << QLatin1Char(':') + it.key();
    }
    QSqlQuery q(db->connection());
    ASSERT_TRUE(
        q.prepare(QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                      .arg(table, columns.join(QLatin1Char(',')), marks.join(QLatin1Char(',')))))
        << q.lastError().text().toStdString();
    for (auto it = row.cbegin(); it != row.cend(); ++it) {
        q.bindValue(QLatin1Char(':') + it.key(), bindable(db->connection(), it.value()));
    }
    ASSERT_TRUE(q.exec()) << table.toStdString() << ": " << q.lastError().text().toStdString();
}

QSqlQuery ServiceFixture::sql(const QString& text, const QVariantMap& binds) {
    QSqlQuery q(db->connection());
    if (binds.isEmpty()) {
        // Statements without values run directly: PostgreSQL cannot prepare DDL.
        EXPECT_TRUE(q.exec(text)) << text.toStdString() << ": "
                                  << q.lastError().text().toStdString();
        return q;
    }
    EXPECT_TRUE(q.prepare(text)) << text.toStdString() << ": "
                                 << q.lastError().text().toStdString();
    for (auto it = binds.cbegin(); it != binds.cend(); ++it) {
        q.bindValue(QLatin1Char(':') + it.key(), bindable(db->connection(), it.value()));
    }
    EXPECT_TRUE(q.exec()) << text.toStdString() << ": " << q.lastError().text().toStdString();
    return q;
}

int ServiceFixture::count(const QString& table, const QString& where, const QVariantMap& binds) {
    QSqlQuery q = sql(QStringLiteral("SELECT COUNT(*) FROM ") + table +
                          (where.isEmpty() ? QString() : QStringLiteral(" WHERE ") + where),
                      binds);
    return q.next() ? q.value(0).toInt() : -1;
}

QVariant ServiceFixture::value(const QString& text, const QVariantMap& binds) {
    QSqlQuery q = sql(text, binds);
    return q.next() ? q.value(0) : QVariant();
}

DataPacket packetOf(const QVariant& result) {
    EXPECT_FALSE(isServiceFailure(result)) << serviceFailureMessage(result).toStdString();
    EXPECT_EQ(result.metaType(), QMetaType::fromType<DataPacket>());
    return result.value<DataPacket>();
}

} // namespace tmk::test
