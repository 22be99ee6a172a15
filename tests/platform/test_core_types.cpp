#include "platform/data_packet.h"
#include "platform/errors.h"
#include "platform/event_entry.h"
#include "platform/service_result.h"
#include "platform/till_folder.h"

#include <gtest/gtest.h>
#include <limits>
#include <optional>

using namespace tmk;

TEST(ServiceResult, FailureIsNeverATextResult) {
    const QVariant failed = serviceFailure(QStringLiteral("Falha de conexão"));
    const QVariant text = QStringLiteral("Falha de conexão");
    EXPECT_TRUE(isServiceFailure(failed));
    EXPECT_FALSE(isServiceFailure(text));
    EXPECT_FALSE(isServiceFailure(QVariant()));
    EXPECT_EQ(serviceFailureMessage(failed), QStringLiteral("Falha de conexão"));
    EXPECT_TRUE(serviceFailureMessage(text).isEmpty());
    // A packet result is no failure either.
    EXPECT_FALSE(isServiceFailure(QVariant::fromValue(DataPacket{})));
}

TEST(DataPacket, FieldLookupIgnoresCaseAndMissingValuesAreNull) {
    DataPacket p;
    p.fields = {{QStringLiteral("NRMESA"), FieldType::Text, 4},
                {QStringLiteral("QTDEMESAS"), FieldType::Integer, 0}};
    p.rows = {{QStringLiteral("0001"), 3LL}};
    EXPECT_EQ(p.fieldIndex(QStringLiteral("nrmesa")), 0);
    EXPECT_EQ(p.fieldIndex(QStringLiteral("NRLUGARMESA")), -1);
    EXPECT_EQ(p.value(0, QStringLiteral("QtdeMesas")).toLongLong(), 3);
    EXPECT_FALSE(p.value(1, QStringLiteral("NRMESA")).isValid());
    EXPECT_FALSE(p.value(0, QStringLiteral("XX")).isValid());
    EXPECT_EQ(p.fieldNames(), (QStringList{QStringLiteral("NRMESA"), QStringLiteral("QTDEMESAS")}));
}

TEST(CoerceToFieldType, ConvertsDatabaseTextsToColumnTypes) {
    const QString f = QStringLiteral("F");
    EXPECT_EQ(coerceToFieldType(QStringLiteral("2024-03-15 13:45:30.123"), FieldType::DateTime, f)
                  .toDateTime(),
              QDateTime(QDate(2024, 3, 15), QTime(13, 45, 30, 123)));
    EXPECT_EQ(coerceToFieldType(QStringLiteral("2024-03-15T13:45:30"), FieldType::DateTime, f)
                  .toDateTime(),
              QDateTime(QDate(2024, 3, 15), QTime(13, 45, 30)));
    EXPECT_EQ(
        coerceToFieldType(QStringLiteral("2024-03-15 13:45:30.123456"), FieldType::DateTime, f)
            .toDateTime(),
        QDateTime(QDate(2024, 3, 15), QTime(13, 45, 30, 123)));
    EXPECT_EQ(coerceToFieldType(QDate(2024, 3, 15), FieldType::DateTime, f).toDateTime(),
              QDateTime(QDate(2024, 3, 15), QTime(0, 0)));
    EXPECT_DOUBLE_EQ(coerceToFieldType(QStringLiteral("12.5"), FieldType::Float, f).toDouble(),
                     12.5);
    EXPECT_EQ(coerceToFieldType(QStringLiteral("7"), FieldType::Integer, f).toLongLong(), 7);
    EXPECT_EQ(coerceToFieldType(3.0, FieldType::Integer, f).toLongLong(), 3);
    EXPECT_TRUE(coerceToFieldType(QStringLiteral("S"), FieldType::Boolean, f).toBool());
    EXPECT_FALSE(coerceToFieldType(QStringLiteral("FALSE"), FieldType::Boolean, f).toBool());
    EXPECT_EQ(coerceToFieldType(12.5, FieldType::Text, f).toString(), QStringLiteral("12.5"));
    // Empty texts and nulls are null for every non-text type; text keeps "".
    EXPECT_FALSE(coerceToFieldType(QString(), FieldType::Float, f).isValid());
    EXPECT_FALSE(coerceToFieldType(QStringLiteral(" "), FieldType::DateTime, f).isValid());
    EXPECT_FALSE(coerceToFieldType(QVariant(), FieldType::Text, f).isValid());
}

TEST(CoerceToFieldType, RejectsValuesThatAreNotOfTheType) {
    const QString f = QStringLiteral("VRMOV");
    EXPECT_THROW(coerceToFieldType(QStringLiteral("doze"), FieldType::Float, f), AppError);
    EXPECT_THROW(coerceToFieldType(QStringLiteral("1.5"), FieldType::Integer, f), AppError);
    EXPECT_THROW(coerceToFieldType(QStringLiteral("32/13/2024"), FieldType::DateTime, f), AppError);
    EXPECT_THROW(coerceToFieldType(QStringLiteral("talvez"), FieldType::Boolean, f), AppError);
    try {
        coerceToFieldType(QStringLiteral("doze"), FieldType::Float, f);
    } catch (const AppError& e) {
        EXPECT_TRUE(e.message().contains(QStringLiteral("VRMOV")));
        EXPECT_TRUE(e.message().contains(QStringLiteral("doze")));
    }
}

TEST(EventEntry, SilentAbortEndsQuietlyAndOtherErrorsAreReported) {
    QStringList shown;
    auto report = [&](const QString& m) {
        shown << m;
    };
    EXPECT_FALSE(runEventEntry([] { abortSilently(); }, report));
    EXPECT_TRUE(shown.isEmpty());

    EXPECT_FALSE(
        runEventEntry([] { throw AppError(QStringLiteral("Mesa não encontrada.")); }, report));
    ASSERT_EQ(shown.size(), 1);
    EXPECT_EQ(shown[0], QStringLiteral("Mesa não encontrada."));

    EXPECT_FALSE(runEventEntry([] { throw std::runtime_error("disk full"); }, report));
    EXPECT_EQ(shown.value(1), QStringLiteral("disk full"));

    bool ran = false;
    EXPECT_TRUE(runEventEntry([&] { ran = true; }, report));
    EXPECT_TRUE(ran);
    EXPECT_EQ(shown.size(), 2);
}

TEST(EventEntry, AFailingReporterDoesNotEscape) {
    EXPECT_NO_THROW(runEventEntry([] { throw AppError(QStringLiteral("x")); },
                                  [](const QString&) { throw std::runtime_error("box failed"); }));
}

TEST(TillFolder, BackslashPathsMapUnderTheFolder) {
    setTillFolder(QStringLiteral("/tmp/caixa01"));
    EXPECT_EQ(tillPath(QStringLiteral("\\Dados\\Cadastros\\AliqImpFis.cds")),
              QStringLiteral("/tmp/caixa01/Dados/Cadastros/AliqImpFis.cds"));
    EXPECT_EQ(tillPath(QStringLiteral("\\PARAMETROSKOV.CDS")),
              QStringLiteral("/tmp/caixa01/PARAMETROSKOV.CDS"));
    EXPECT_EQ(tillPath(QStringLiteral("Dados/x.cds")), QStringLiteral("/tmp/caixa01/Dados/x.cds"));
}

TEST(CoerceToFieldType, IntegersOnlyFromWholeNumbersThatFit64Bits) {
    const QString f = QStringLiteral("NRORDEM");
    const struct {
        QVariant value;
        std::optional<qlonglong> expected; // nothing: refused
    } cases[] = {
        {std::numeric_limits<double>::quiet_NaN(), {}},
        {std::numeric_limits<double>::infinity(), {}},
        {-std::numeric_limits<double>::infinity(), {}},
        {1e300, {}},
        {9223372036854775808.0, {}}, // 2^63
        {-9223372036854775808.0, std::numeric_limits<qlonglong>::min()},
        {1.5, {}},
        {-3.0, -3},
        {QStringLiteral("1e19"), {}},
        {QStringLiteral("nan"), {}},
        {QStringLiteral("1e3"), 1000},
        {QVariant::fromValue(std::numeric_limits<qlonglong>::max()),
         std::numeric_limits<qlonglong>::max()},
        {QVariant::fromValue(std::numeric_limits<qlonglong>::min()),
         std::numeric_limits<qlonglong>::min()},
        {QVariant::fromValue(std::numeric_limits<qulonglong>::max()), {}},
        {QVariant::fromValue(qulonglong(42)), 42},
        {QVariant::fromValue(-7), -7},
    };
    for (const auto& c : cases) {
        const std::string shown = c.value.toString().toStdString();
        if (c.expected) {
            EXPECT_EQ(coerceToFieldType(c.value, FieldType::Integer, f).toLongLong(), *c.expected)
                << shown;
        } else {
            EXPECT_THROW(coerceToFieldType(c.value, FieldType::Integer, f), AppError) << shown;
        }
    }
}
