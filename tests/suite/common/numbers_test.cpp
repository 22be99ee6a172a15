#include "external/common.h"
#include "suite/common/decimal_text.h"

#include <QLocale>
#include <clocale>
#include <cmath>
#include <gtest/gtest.h>
#include <limits>

namespace tmk {
namespace {

TEST(Trunc2, CasesOfTheMoneyRoutine) {
    EXPECT_EQ(Trunc2(0.0009), 0.0);
    EXPECT_EQ(Trunc2(-0.0009), 0.0);
    EXPECT_EQ(Trunc2(12), 12.0);
    EXPECT_EQ(Trunc2(12.349), 12.34);
    EXPECT_EQ(Trunc2(-12.349), -12.34);
    EXPECT_EQ(Trunc2(1.0099999), 1.01);
    EXPECT_EQ(Trunc2(3.1), 3.1);
    EXPECT_EQ(Trunc2(2.0099999999), 2.01);
    EXPECT_EQ(Trunc2(-2.0099999999), -2.01);
}

TEST(Trunc2, BinaryTailsNeverCostACent) {
    EXPECT_EQ(Trunc2(0.1 + 0.2), 0.3); // 0.30000000000000004
    EXPECT_EQ(Trunc2(1.15 * 100 / 100), 1.15);
    EXPECT_EQ(Trunc2(4.35 * 3), 13.05); // 13.049999999999999
    EXPECT_EQ(Trunc2(19.99), 19.99);
    EXPECT_EQ(Trunc2(0.999999), 1.0); // "9999" right after ".99"
    EXPECT_EQ(Trunc2(-0.0099999), -0.01);
    EXPECT_EQ(Trunc2(9.9999999), 10.0);
    EXPECT_EQ(Trunc2(1.00999), 1.00); // only three nines: truncated
    EXPECT_EQ(Trunc2(1.009), 1.00);
}

TEST(Trunc2, LimitsAndUnusualValues) {
    EXPECT_EQ(Trunc2(0.001), 0.0);
    EXPECT_EQ(Trunc2(0.0105), 0.01);
    EXPECT_EQ(Trunc2(-0.005), 0.0);
    EXPECT_FALSE(std::signbit(Trunc2(-0.005))); // no negative zero
    EXPECT_EQ(Trunc2(1e20), 1e20);              // exponent form when printed the usual way
    EXPECT_EQ(Trunc2(-1.5e16), -1.5e16);
    EXPECT_EQ(Trunc2(123456789012.345), 123456789012.34);
    EXPECT_EQ(Trunc2(1e-5), 0.0);
    EXPECT_TRUE(std::isnan(Trunc2(std::numeric_limits<double>::quiet_NaN())));
    EXPECT_EQ(Trunc2(std::numeric_limits<double>::infinity()),
              std::numeric_limits<double>::infinity());
}

TEST(Trunc2, DoesNotDependOnTheMachineLocale) {
    const QLocale saved;
    QLocale::setDefault(QLocale(QLocale::Portuguese, QLocale::Brazil));
    const char* c = std::setlocale(LC_NUMERIC, "pt_BR.UTF-8");
    EXPECT_EQ(Trunc2(12.349), 12.34);
    EXPECT_EQ(Trunc2(2.0099999999), 2.01);
    EXPECT_EQ(RoundDec(2.675, 2), 2.68);
    if (c) {
        std::setlocale(LC_NUMERIC, "C");
    }
    QLocale::setDefault(saved);
}

TEST(DecimalText, ShortestPlainText) {
    EXPECT_EQ(shortestDecimalText(12.349), "12.349");
    EXPECT_EQ(shortestDecimalText(-12.349), "-12.349");
    EXPECT_EQ(shortestDecimalText(2.0), "2");
    EXPECT_EQ(shortestDecimalText(0.0), "0");
    EXPECT_EQ(shortestDecimalText(0.1 + 0.2), "0.3");
    EXPECT_EQ(shortestDecimalText(1e20), "100000000000000000000");
    EXPECT_EQ(shortestDecimalText(1e-5), "0.00001");
    EXPECT_EQ(shortestDecimalText(-2.5e-7), "-0.00000025");
    EXPECT_EQ(shortestDecimalText(2.0099999999), "2.0099999999");
    EXPECT_EQ(shortestDecimalText(1234567.125), "1234567.125");
}

TEST(RoundDec, HalfAwayFromZeroOnTheDecimalValue) {
    EXPECT_EQ(RoundDec(2.675, 2), 2.68); // binary 2.67499999...
    EXPECT_EQ(RoundDec(-2.675, 2), -2.68);
    EXPECT_EQ(RoundDec(1.005, 2), 1.01);
    EXPECT_EQ(RoundDec(2.5, 0), 3.0);
    EXPECT_EQ(RoundDec(-2.5, 0), -3.0);
    EXPECT_EQ(RoundDec(0.5, 0), 1.0);
    EXPECT_EQ(RoundDec(9.995, 2), 10.0);
    EXPECT_EQ(RoundDec(12.344, 2), 12.34);
    EXPECT_EQ(RoundDec(12.3, 2), 12.3);
    EXPECT_EQ(RoundDec(1.23456, 4), 1.2346);
    EXPECT_EQ(RoundDec(-0.004, 2), 0.0);
    EXPECT_FALSE(std::signbit(RoundDec(-0.004, 2)));
    EXPECT_EQ(RoundDec(1234.5, -2), 1200.0);
    EXPECT_EQ(RoundDec(1250, -2), 1300.0);
    EXPECT_EQ(RoundDec(49, -2), 0.0);
    EXPECT_EQ(RoundDec(50, -2), 100.0);
    EXPECT_EQ(RoundDec(1e20, 2), 1e20);
}

TEST(DecimalText, RoundingCarriesThroughNines) {
    EXPECT_EQ(roundDecimalText("99.995", 2), "100.00");
    EXPECT_EQ(roundDecimalText("-0.5", 0), "-1");
    EXPECT_EQ(roundDecimalText("0.004", 2), "0.00");
    EXPECT_EQ(roundDecimalText("7", 2), "7");
}

} // namespace
} // namespace tmk
