#include "platform/data_packet.h"
#include "platform/errors.h"
#include "platform/service_result.h"
#include "suite/common_ui/suite_common_utility.h"
#include "tests/suite/print_qstring.h"

#include <QApplication>
#include <QFontInfo>
#include <QMessageBox>
#include <QPushButton>
#include <gtest/gtest.h>

namespace tmk {
namespace {

QStringList captions(const QMessageBox& box) {
    QStringList out;
    for (QAbstractButton* b : box.buttons()) {
        out << b->text();
    }
    out.sort();
    return out;
}

// Records every box instead of showing it, and answers with the named button.
class RecordingUtility : public SuiteCommonUtility {
public:
    struct Shown {
        QString text;
        QMessageBox::Icon icon;
        QStringList buttons;
    };
    QList<Shown> shown;
    QString answer; // object name of the button to press, empty: none

protected:
    void showMessageBox(QMessageBox& box) override {
        shown.append({box.text(), box.icon(), captions(box)});
        if (!answer.isEmpty()) {
            auto* b = box.findChild<QPushButton*>(answer);
            ASSERT_NE(b, nullptr) << answer.toStdString();
            b->click();
        }
    }
};

TEST(MessageBox, IconPerType) {
    const std::pair<int, QMessageBox::Icon> cases[] = {{MsgInformacao, QMessageBox::Information},
                                                       {MsgPergunta, QMessageBox::Question},
                                                       {MsgAviso, QMessageBox::Warning},
                                                       {MsgErro, QMessageBox::Critical},
                                                       {9, QMessageBox::Information}};
    for (const auto& [tipo, icon] : cases) {
        EXPECT_EQ(SuiteCommonUtility::buildMessageBox("x", "N", tipo)->icon(), icon) << tipo;
    }
}

TEST(MessageBox, QuestionHasSimAndNaoNoticeHasOk) {
    auto question = SuiteCommonUtility::buildMessageBox("Deseja sair do sistema?", "S", 1);
    EXPECT_EQ(captions(*question), QStringList({"Não", "Sim"}));
    EXPECT_EQ(question->defaultButton()->text(), "Sim");
    EXPECT_EQ(question->escapeButton()->text(), "Não");
    auto notice = SuiteCommonUtility::buildMessageBox("Mesa liberada com sucesso.", "N", 0);
    EXPECT_EQ(captions(*notice), QStringList({"OK"}));
}

TEST(MessageBox, ReadableOnATouchTill) {
    QApplication::setApplicationDisplayName("Frente de Caixa");
    auto box =
        SuiteCommonUtility::buildMessageBox("A Posição 01 esta\r\nDeseja <b>liberar</b>?", "S", 1);
    EXPECT_EQ(box->windowTitle(), "Frente de Caixa");
    EXPECT_EQ(box->text(), "A Posição 01 esta\nDeseja <b>liberar</b>?");
    EXPECT_EQ(box->textFormat(), Qt::PlainText); // texts are never markup
    EXPECT_GE(box->font().pointSize(), 14);
    for (QAbstractButton* b : box->buttons()) {
        EXPECT_GE(b->minimumHeight(), 48);
    }
    EXPECT_FALSE(QFontInfo(box->font()).family().isEmpty());
}

TEST(Mensagem, AnswerOfAQuestion) {
    RecordingUtility u;
    u.answer = "btnSim";
    EXPECT_TRUE(u.Mensagem("Deseja sair do sistema?", "", "N", "S", 1, "", "002", 0, nullptr));
    u.answer = "btnNao";
    EXPECT_FALSE(u.Mensagem("Deseja sair do sistema?", "", "N", "S", 1, "", "002", 0, nullptr));
    u.answer.clear(); // closed without a choice: not a yes
    EXPECT_FALSE(u.Mensagem("Deseja sair do sistema?", "", "N", "S", 1, "", "002", 0, nullptr));
    ASSERT_EQ(u.shown.size(), 3);
    EXPECT_EQ(u.shown.at(0).icon, QMessageBox::Question);
}

TEST(Mensagem, NoticeShowsOneBox) {
    RecordingUtility u;
    u.answer = "btnOK";
    u.Mensagem("O caixa 001 não está aberto.", "", "N", "N", 0, "", "002", 0, nullptr);
    ASSERT_EQ(u.shown.size(), 1);
    EXPECT_EQ(u.shown.at(0).text, "O caixa 001 não está aberto.");
    EXPECT_EQ(u.shown.at(0).buttons, QStringList({"OK"}));
}

TEST(MensagemMetodo, SuccessIsHandedBackUnchangedInEveryMode) {
    DataPacket packet;
    packet.fields = {{"NRMESA", FieldType::Text, 4}};
    packet.rows = {{QString("0001")}};
    const QVariant values[] = {QVariant::fromValue(packet), QVariant(QString("MES_JUN")),
                               QVariant(true), QVariant()};
    for (int modo : {0, 7, 10}) {
        for (const QVariant& v : values) {
            RecordingUtility u;
            const QVariant back =
                u.MensagemMetodo(v, true, modo, "getStatusMesa", "Cli_Tmk00470", "1-1-1", "002");
            EXPECT_EQ(back, v);
            EXPECT_EQ(back.metaType(), v.metaType());
            EXPECT_TRUE(u.shown.isEmpty());
        }
    }
}

TEST(MensagemMetodo, FailureIsShownAsAnErrorThenTheCommandEndsQuietly) {
    for (int modo : {0, 7, 10}) {
        RecordingUtility u;
        u.answer = "btnOK";
        const QVariant failure =
            serviceFailure("Sem conexão com o banco de dados.\nadqStatusMesa: no connection");
        EXPECT_THROW(u.MensagemMetodo(failure, true, modo, "getStatusMesa", "Cli_Tmk00470",
                                      "01-02-0003", "002"),
                     SilentAbort);
        ASSERT_EQ(u.shown.size(), 1);
        const auto& box = u.shown.at(0);
        EXPECT_EQ(box.icon, QMessageBox::Critical);
        EXPECT_EQ(box.text, "Sem conexão com o banco de dados.\nadqStatusMesa: no connection\n\n"
                            "Operação: getStatusMesa\nUnidade: Cli_Tmk00470\n"
                            "Contexto: 01-02-0003");
    }
}

TEST(MensagemMetodo, FailureWithoutContextOrText) {
    RecordingUtility u;
    EXPECT_THROW(
        u.MensagemMetodo(serviceFailure(""), true, 0, "getVersaoBanco", "Cli_Tmk00470", "", "002"),
        SilentAbort);
    ASSERT_EQ(u.shown.size(), 1);
    EXPECT_EQ(u.shown.at(0).text,
              "Falha no serviço de dados.\n\nOperação: getVersaoBanco\nUnidade: Cli_Tmk00470");
}

TEST(MontaRodapeGeral, ScreenCodeVersionAndFiscalPrinter) {
    SuiteCommonUtility u;
    EXPECT_EQ(u.MontaRodapeGeral(true, "TMK00470", "S"), "TMK00470 - v1.0 - ECF");
    EXPECT_EQ(u.MontaRodapeGeral(false, "TMK00470", "S"), "TMK00470 - v1.0");
    EXPECT_EQ(u.MontaRodapeGeral(false, "TMK00470", "N"), "TMK00470");
    EXPECT_EQ(u.MontaRodapeGeral(true, "TMK00470", "N"), "TMK00470 - ECF");
}

TEST(Uncripto, DeciphersWhatCriptoEnciphered) {
    SuiteCommonUtility u;
    EXPECT_EQ(u.Uncripto(Cripto("ativacao-123", 8), 8), "ativacao-123");
    EXPECT_THROW(u.Uncripto(Cripto("ativacao-123", 8), 9), AppError);
}

} // namespace
} // namespace tmk
