#include "platform/till_folder.h"
#include "suite/common_ui/suite_common_utility.h"
#include "tests/suite/print_qstring.h"

#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QWidget>
#include <gtest/gtest.h>

namespace tmk {
namespace {

class Trad : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir_.isValid());
        saved_ = tillFolder();
        setTillFolder(dir_.path());
        screen_.setWindowTitle("Gerência de Mesas");
        label_ = new QLabel("Número Mesa", &screen_);
        other_ = new QLabel("TMK00470", &screen_);
        auto* group = new QWidget(&screen_);
        button_ = new QPushButton("Fecha Conta Alt+F", group); // a grandchild
    }
    void TearDown() override { setTillFolder(saved_); }
    void writeTranslation(const QByteArray& content) {
        ASSERT_TRUE(QDir(dir_.path()).mkpath("Dados"));
        QFile f(QDir(dir_.path()).filePath("Dados/Traducao.ini"));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(content);
    }

    QTemporaryDir dir_;
    QString saved_;
    QWidget screen_;
    QLabel* label_ = nullptr;
    QLabel* other_ = nullptr;
    QPushButton* button_ = nullptr;
    SuiteCommonUtility utility_;
};

TEST_F(Trad, WithoutTheFileNothingChanges) {
    utility_.Trad(&screen_);
    EXPECT_EQ(screen_.windowTitle(), "Gerência de Mesas");
    EXPECT_EQ(label_->text(), "Número Mesa");
    EXPECT_EQ(button_->text(), "Fecha Conta Alt+F");
}

TEST_F(Trad, TitleLabelsAndButtonsAreTranslated) {
    writeTranslation("[Outro]\nNúmero Mesa=errado\n[Traducao]\nGerência de Mesas=Table map\n"
                     "Número Mesa = Table number\nFecha Conta Alt+F=Close bill Alt+F\n");
    utility_.Trad(&screen_);
    EXPECT_EQ(screen_.windowTitle(), "Table map");
    EXPECT_EQ(label_->text(), "Table number");
    EXPECT_EQ(button_->text(), "Close bill Alt+F");
    EXPECT_EQ(other_->text(), "TMK00470"); // not in the file
}

TEST_F(Trad, AnEmptyOrForeignGroupChangesNothing) {
    writeTranslation("[Conexao]\nNúmero Mesa=x\n");
    utility_.Trad(&screen_);
    EXPECT_EQ(label_->text(), "Número Mesa");
    utility_.Trad(nullptr); // no screen: nothing to do
}

} // namespace
} // namespace tmk
