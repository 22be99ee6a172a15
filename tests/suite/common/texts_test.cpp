#include "external/common.h"

#include <gtest/gtest.h>

namespace tmk {
namespace {

TEST(Ajusta, RightAlignsWithZeros) {
    EXPECT_EQ(Ajusta("1", 4), "0001");
    EXPECT_EQ(Ajusta("12", 4), "0012");
    EXPECT_EQ(Ajusta("0012", 4), "0012");
    EXPECT_EQ(Ajusta("", 4), "0000");
    EXPECT_EQ(Ajusta(" 7 ", 2), "07"); // blanks around a typed number dropped
}

TEST(Ajusta, NeverLosesDigitsOfALongerText) {
    EXPECT_EQ(Ajusta("12345", 4), "12345");
    EXPECT_EQ(Ajusta("123", 0), "123");
    EXPECT_EQ(Ajusta("123", -1), "123");
}

TEST(EmptyString, BlanksCountAsEmpty) {
    EXPECT_TRUE(EmptyString(""));
    EXPECT_TRUE(EmptyString(QString()));
    EXPECT_TRUE(EmptyString("   "));
    EXPECT_TRUE(EmptyString("\t\n"));
    EXPECT_FALSE(EmptyString(" a "));
    EXPECT_FALSE(EmptyString("0"));
}

TEST(SoNumerosStr, KeepsOnlyDigits) {
    EXPECT_EQ(SoNumerosStr("12.345.678/0001-90"), "12345678000190");
    EXPECT_EQ(SoNumerosStr("Mesa 07"), "07");
    EXPECT_EQ(SoNumerosStr("abc"), "");
    EXPECT_EQ(SoNumerosStr(QString::fromUtf8("١٢3")),
              "3"); // other scripts' digits are not digits here
}

TEST(RemoveZerosEsqStr, DropsLeadingZeros) {
    EXPECT_EQ(RemoveZerosEsqStr("0012"), "12");
    EXPECT_EQ(RemoveZerosEsqStr("1200"), "1200");
    EXPECT_EQ(RemoveZerosEsqStr("0000"), "0");
    EXPECT_EQ(RemoveZerosEsqStr("0"), "0");
    EXPECT_EQ(RemoveZerosEsqStr(""), "");
    EXPECT_EQ(RemoveZerosEsqStr("00A1"), "A1");
    EXPECT_EQ(RemoveZerosEsqStr(" 005 "), "5");
}

TEST(Iif, ChoosesByTheCondition) {
    EXPECT_EQ(iif<QString>(true, "S", "N"), "S");
    EXPECT_EQ(iif<QString>(false, "S", "N"), "N");
    EXPECT_EQ(iif(false, 1, 2), 2);
}

} // namespace
} // namespace tmk
