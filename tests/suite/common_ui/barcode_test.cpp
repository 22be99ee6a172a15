#include "platform/errors.h"
#include "platform/till_folder.h"
#include "suite/common_ui/code128.h"
#include "suite/common_ui/suite_common_utility.h"
#include "tests/suite/print_qstring.h"

#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace tmk {
namespace {

TEST(Code128, SymbolsAndCheckOfKnownTexts) {
    // Check = (start + sum of position * value) mod 103, worked out by hand.
    EXPECT_EQ(code128::symbols("12345678"), QList<int>({105, 12, 34, 56, 78, 47, 106}));
    EXPECT_EQ(code128::symbols("AB12345"), QList<int>({104, 33, 34, 17, 99, 23, 45, 7, 106}));
    EXPECT_EQ(code128::symbols("12A"), QList<int>({104, 17, 18, 33, 50, 106}));
    EXPECT_EQ(code128::symbols("1234A"), QList<int>({105, 12, 34, 100, 33, 102, 106}));
}

TEST(Code128, ModulesOfTheStandardPatterns) {
    // Start C, value 0 and stop as printed in the symbology's table.
    EXPECT_EQ(code128::modules({105}), "11010011100");
    EXPECT_EQ(code128::modules({0}), "11011001100");
    EXPECT_EQ(code128::modules({104}), "11010010000");
    EXPECT_EQ(code128::modules({106}), "1100011101011");
    const QString all = code128::modules(code128::symbols("Mesa 12 - R$ 35,50"));
    EXPECT_EQ((all.size() - 13) % 11, 0);
    EXPECT_TRUE(all.endsWith("1100011101011"));
}

TEST(Code128, RefusesWhatItCannotEncode) {
    EXPECT_THROW(code128::symbols(""), AppError);
    EXPECT_THROW(code128::symbols(QString::fromUtf8("ação")), AppError);
    EXPECT_THROW(code128::symbols("a\tb"), AppError);
    EXPECT_THROW(code128::modules({107}), AppError);
}

TEST(CriaCodBarra, WritesThePictureOfTheAccessKey) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString key = "35240312345678000190650010000001231000001234";
    ASSERT_EQ(key.size(), 44);
    SuiteCommonUtility u;
    const QString folder = dir.filePath("Dados\\XML_NFCe_Sat\\1-001-2024-03-15\\");
    const QString path = u.CriaCodBarra(key, folder);
    EXPECT_TRUE(path.startsWith(dir.filePath("Dados/XML_NFCe_Sat/1-001-2024-03-15")));
    EXPECT_TRUE(path.endsWith(".png"));

    QImage image(path);
    ASSERT_FALSE(image.isNull());
    const QList<int> symbols = code128::symbols(key);
    EXPECT_EQ(symbols.size(), 1 + 22 + 1 + 1); // start C, 22 digit pairs, check, stop
    const QString expected = code128::modules(symbols);
    // Read the middle row back into modules: 2 pixels each, 10 blank modules each side.
    const int row = image.height() / 2;
    QString read;
    for (int x = 0; x < image.width(); x += 2) {
        read += qGray(image.pixel(x, row)) < 128 ? QLatin1Char('1') : QLatin1Char('0');
    }
    EXPECT_EQ(read, QString(10, '0') + expected + QString(10, '0'));
    EXPECT_FALSE(QFileInfo::exists(path + ".tmp"));
}

TEST(CriaCodBarra, RelativeFolderIsInTheTillFolderAndBadKeysAreRefused) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString saved = tillFolder();
    setTillFolder(dir.path());
    SuiteCommonUtility u;
    const QString path = u.CriaCodBarra("12345678", "Dados/XML");
    EXPECT_EQ(QFileInfo(path).absolutePath(), QDir(dir.path()).filePath("Dados/XML"));
    EXPECT_THROW(u.CriaCodBarra("", "Dados/XML"), AppError);
    setTillFolder(saved);
}

} // namespace
} // namespace tmk
