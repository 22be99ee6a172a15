#include "platform/client_dataset.h"
#include "platform/errors.h"
#include "platform/service_result.h"
#include "tests/fakes/fake_suite.h"

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

using namespace tmk;

namespace {

const QString kS = QStringLiteral("S");
const QString kN = QStringLiteral("N");

void notice(FakeSuite& s, const QString& text) {
    s.common.Mensagem(text, {}, kN, kN, MsgInformacao, {}, QStringLiteral("E1"), 0, nullptr);
}

bool question(FakeSuite& s, const QString& text) {
    return s.common.Mensagem(text, {}, kN, kS, MsgPergunta, {}, QStringLiteral("E1"), 0, nullptr);
}

} // namespace

TEST(FakeSuiteLog, KeepsOneOrderAcrossTheFourLibraries) {
    FakeSuite s;
    notice(s, QStringLiteral("Mesa liberada"));
    s.dialogs.LogControleAcess(
        QStringLiteral("F1"), QStringLiteral("001"), QStringLiteral("LIB_MES"),
        QStringLiteral("OP"), QStringLiteral("Ana"), QStringLiteral("SUP"), QStringLiteral("curto"),
        QStringLiteral("longo"), QStringLiteral("V1"), QStringLiteral("_0001_"),
        QStringLiteral("C1"), QStringLiteral("0007"), 0, 0);
    s.fiscal.LimpaDisplay();
    s.sales.CalcTicketMedio(QStringLiteral("F1"), QStringLiteral("L1"), QDateTime());
    notice(s, QStringLiteral("Fim"));

    EXPECT_EQ(s.names(), (QStringList{"Mensagem", "LogControleAcess", "LimpaDisplay",
                                      "CalcTicketMedio", "Mensagem"}));
    EXPECT_LT(s.log.indexOf("Mensagem"), s.log.indexOf("LogControleAcess"));
    EXPECT_EQ(s.count("Mensagem"), 2);
    EXPECT_EQ(s.last("Mensagem").text(0), QStringLiteral("Fim"));
    EXPECT_EQ(s.calls("Mensagem").first().text(0), QStringLiteral("Mesa liberada"));

    const RecordedCall log = s.last("LogControleAcess");
    ASSERT_EQ(log.args.size(), 14);
    EXPECT_EQ(log.text(2), QStringLiteral("LIB_MES"));
    EXPECT_EQ(log.text(5), QStringLiteral("SUP"));
    EXPECT_EQ(log.text(11), QStringLiteral("0007"));
    EXPECT_FALSE(log.arg(14).isValid());

    // Asking for a call that never happened is a test failure, not a silent empty value.
    EXPECT_NONFATAL_FAILURE(s.last("Recebimento"), "no call of Recebimento");

    s.clear();
    EXPECT_TRUE(s.names().isEmpty());
    EXPECT_EQ(s.count("Mensagem"), 0);

    const SuiteLibraries libs = s.libraries();
    EXPECT_EQ(libs.dialogs, &s.dialogs);
    EXPECT_EQ(libs.fiscal, &s.fiscal);
    EXPECT_EQ(libs.sales, &s.sales);
    EXPECT_EQ(libs.common, &s.common);
}

TEST(FakeSuiteAnswers, QueuedAnswersComeFirstThenTheDefault) {
    FakeSuite s;
    s.dialogs.tecladoNumerico.push(KeypadAnswer::typed(QStringLiteral("12")));
    const QString caption = QStringLiteral("Consultar Reserva");
    QString value = QStringLiteral("antes");
    EXPECT_TRUE(s.dialogs.TecladoNumerico(value, caption, QStringLiteral("Informe"),
                                          QStringLiteral("Vazio"), 4, 0, 0, 0, 0, 0));
    EXPECT_EQ(value, QStringLiteral("12"));
    // Queue used up: the keypad counts as cancelled and the value stays.
    EXPECT_FALSE(s.dialogs.TecladoNumerico(value, caption, QStringLiteral("Informe"),
                                           QStringLiteral("Vazio"), 4, 0, 0, 0, 0, 0));
    EXPECT_EQ(value, QStringLiteral("12"));
    const RecordedCall keypad = s.last("TecladoNumerico");
    EXPECT_EQ(keypad.text(0), QStringLiteral("12")); // out value as it came in
    EXPECT_EQ(keypad.text(1), caption);
    EXPECT_EQ(keypad.arg(4).toInt(), 4);
    EXPECT_EQ(keypad.args.size(), 10);

    // Only questions take the yes/no answers; notices leave the queue alone, and a
    // question with nothing scripted is answered no.
    s.common.mensagem.push(true).push(false);
    notice(s, QStringLiteral("aviso"));
    EXPECT_TRUE(question(s, QStringLiteral("primeira")));
    EXPECT_FALSE(question(s, QStringLiteral("segunda")));
    EXPECT_EQ(s.common.mensagem.pending(), 0);
    EXPECT_FALSE(question(s, QStringLiteral("terceira")));
    EXPECT_EQ(s.count("Mensagem"), 4);

    // Drawer reads give successive status texts, then the empty default.
    s.fiscal.estadoGavetaImp.push(QStringLiteral("00")).push(QStringLiteral("01"));
    QString status;
    for (const char* expected : {"00", "01", ""}) {
        s.fiscal.Estado_Gaveta_Imp(QStringLiteral("E1"), status);
        EXPECT_EQ(status, QString::fromLatin1(expected));
    }

    // A callback decides once the queue is empty.
    s.dialogs.verificaAcesso.push({false, {}});
    s.dialogs.verificaAcesso.setCallback([](const QVariantList& args) {
        return AccessAnswer{args.value(0).toInt() == 7, QStringLiteral("SUP")};
    });
    QString autoriz = QStringLiteral("velho");
    EXPECT_FALSE(s.dialogs.VerificaAcesso(7, QStringLiteral("OP"), autoriz));
    EXPECT_TRUE(autoriz.isEmpty());
    EXPECT_TRUE(s.dialogs.VerificaAcesso(7, QStringLiteral("OP"), autoriz));
    EXPECT_EQ(autoriz, QStringLiteral("SUP"));
    EXPECT_FALSE(s.dialogs.VerificaAcesso(8, QStringLiteral("OP"), autoriz));

    // ControleAcess refuses only the listed codes.
    s.dialogs.controleAcess.insert(31, kN);
    QString r;
    s.dialogs.ControleAcess(31, QStringLiteral("OP"), r);
    EXPECT_EQ(r, kN);
    s.dialogs.ControleAcess(32, QStringLiteral("OP"), r);
    EXPECT_EQ(r, kS);
}

TEST(FakeSuiteAnswers, UnscriptedSaleConclusionFails) {
    FakeSuite s;
    QVariantList retorno;
    const QVariant first = s.sales.setConcluiFechamento({}, {}, retorno);
    EXPECT_TRUE(isServiceFailure(first));

    s.sales.concluiFechamento.push(
        {QStringLiteral("000123"), {QVariant(), QStringLiteral("CHAVE"), QStringLiteral("QR")}});
    const QVariant second = s.sales.setConcluiFechamento({}, {1, 2}, retorno);
    EXPECT_EQ(second.toString(), QStringLiteral("000123"));
    EXPECT_EQ(retorno.value(1).toString(), QStringLiteral("CHAVE"));
    EXPECT_EQ(s.last("setConcluiFechamento").arg(1).toList().size(), 2);
}

TEST(FakeCommonMensagemMetodo, FailureIsShownThenAbortsSilently) {
    FakeSuite s;
    const QVariant failed = serviceFailure(QStringLiteral("Banco de dados indisponível"));
    EXPECT_THROW(s.common.MensagemMetodo(failed, true, 0, QStringLiteral("getStatusMesa"),
                                         QStringLiteral("Cli_Tmk00470"),
                                         QStringLiteral("F1-L1-0007"), QStringLiteral("E1")),
                 SilentAbort);
    EXPECT_EQ(s.names(), (QStringList{"MensagemMetodo", "Mensagem"}));
    const RecordedCall shown = s.last("Mensagem");
    EXPECT_EQ(shown.text(0), QStringLiteral("Banco de dados indisponível"));
    EXPECT_EQ(shown.arg(4).toInt(), int(MsgErro));
    EXPECT_EQ(shown.text(6), QStringLiteral("E1"));
    EXPECT_EQ(shown.text(9), QStringLiteral("getStatusMesa"));
    EXPECT_EQ(shown.text(10), QStringLiteral("Cli_Tmk00470"));
    EXPECT_EQ(shown.text(11), QStringLiteral("F1-L1-0007"));
    EXPECT_TRUE(isServiceFailure(s.last("MensagemMetodo").arg(0)));
}

TEST(FakeCommonMensagemMetodo, SuccessIsHandedBackUnchanged) {
    FakeSuite s;
    DataPacket packet;
    packet.fields = {{QStringLiteral("NRMESA"), FieldType::Text, 4}};
    packet.rows = {{QStringLiteral("0007")}};
    for (int mode : {0, 7, 10}) {
        const QVariant back = s.common.MensagemMetodo(
            QVariant::fromValue(packet), true, mode, QStringLiteral("getStatusMesa"),
            QStringLiteral("Cli_Tmk00470"), QStringLiteral("F1"), QStringLiteral("E1"));
        EXPECT_EQ(back.value<DataPacket>(), packet) << "mode " << mode;
    }
    EXPECT_EQ(
        s.common.MensagemMetodo(QVariant(3), true, 7, QStringLiteral("setX"), {}, {}, {}).toInt(),
        3);
    EXPECT_EQ(s.count("Mensagem"), 0);
    EXPECT_EQ(s.count("MensagemMetodo"), 4);
    EXPECT_EQ(s.calls("MensagemMetodo").at(1).arg(2).toInt(), 7);
}

TEST(FakeDialogsOutValues, WaiterPasswordAndOpeningDialog) {
    FakeSuite s;
    QVariantList retorno;
    const QVariantList params{QStringLiteral("E1"), QStringLiteral("L"), true,
                              QStringLiteral("V9")};
    EXPECT_FALSE(s.dialogs.ControleSenhOper(params, 3, retorno)); // unscripted: cancelled
    EXPECT_TRUE(retorno.isEmpty());
    s.dialogs.controleSenhOper.push({true, QStringLiteral("V2")});
    EXPECT_TRUE(s.dialogs.ControleSenhOper(params, 3, retorno));
    ASSERT_EQ(retorno.size(), 10);
    EXPECT_EQ(retorno.at(0).toString(), QStringLiteral("V2"));
    EXPECT_EQ(s.last("ControleSenhOper").arg(0).toList(), params);

    // A dataset without structure gets the six columns and the scripted row.
    ClientDataSet dados(QStringLiteral("cdsDadosAbertura"));
    EXPECT_FALSE(s.dialogs.AberturaMesa(QStringLiteral("0007"), dados)); // unscripted
    EXPECT_FALSE(dados.active());
    s.dialogs.aberturaMesa.push(OpeningAnswer::openedWith(
        openingRow(QStringLiteral("V100"), QStringLiteral("C1"), QStringLiteral("Mesa 7"),
                   QStringLiteral("CLI"), QStringLiteral("W3"), QStringLiteral("CON"))));
    EXPECT_TRUE(s.dialogs.AberturaMesa(QStringLiteral("0007"), dados));
    ASSERT_EQ(dados.recordCount(), 1);
    EXPECT_EQ(dados.fieldByName(QStringLiteral("NRVENDAREST")).asString(), QStringLiteral("V100"));
    EXPECT_EQ(dados.fieldByName(QStringLiteral("NRCOMANDA")).asString(), QStringLiteral("C1"));
    EXPECT_EQ(dados.fieldByName(QStringLiteral("DSCOMANDA")).asString(), QStringLiteral("Mesa 7"));
    EXPECT_EQ(dados.fieldByName(QStringLiteral("CDCLIENTE")).asString(), QStringLiteral("CLI"));
    EXPECT_EQ(dados.fieldByName(QStringLiteral("CDVENDEDOR")).asString(), QStringLiteral("W3"));
    EXPECT_EQ(dados.fieldByName(QStringLiteral("CDCONSUMIDOR")).asString(), QStringLiteral("CON"));

    // A second opening replaces the former rows; the log holds the table as it came in.
    s.dialogs.aberturaMesa.push(
        OpeningAnswer::openedWith({{QStringLiteral("NRVENDAREST"), QStringLiteral("V200")}}));
    EXPECT_TRUE(s.dialogs.AberturaMesa(QStringLiteral("0008"), dados));
    EXPECT_EQ(dados.recordCount(), 1);
    EXPECT_EQ(dados.fieldByName(QStringLiteral("NRVENDAREST")).asString(), QStringLiteral("V200"));
    EXPECT_TRUE(dados.fieldByName(QStringLiteral("CDVENDEDOR")).isNull());
    const RecordedCall opening = s.last("AberturaMesa");
    EXPECT_EQ(opening.text(0), QStringLiteral("0008"));
    EXPECT_EQ(opening.text(1), QStringLiteral("cdsDadosAbertura"));
    EXPECT_EQ(opening.arg(2).value<DataPacket>().value(0, QStringLiteral("NRVENDAREST")).toString(),
              QStringLiteral("V100"));
}

TEST(FakeDialogsRecording, PaymentDialogRecordsItsFortyEightValues) {
    FakeSuite s;
    ClientDataSet movCaixa(QStringLiteral("cdsMovCaixa"));
    RecebimentoArgs args;
    args.cdsMovCaixa = &movCaixa;
    args.nrCupom = QStringLiteral("0007");
    args.tipoVenda = QStringLiteral("RES");
    args.zeros24to32 = QVariantList(9, 0);
    args.arg33 = QStringLiteral("M");
    args.txProgressoCupom = QStringLiteral("Imprimindo cupom 1 de 2");
    EXPECT_FALSE(s.dialogs.Recebimento(args)); // unscripted: abandoned

    s.dialogs.recebimento.push({true, [](RecebimentoArgs& a) {
                                    a.nrCupom = QStringLiteral("123");
                                }});
    EXPECT_TRUE(s.dialogs.Recebimento(args));
    EXPECT_EQ(args.nrCupom, QStringLiteral("123"));

    const RecordedCall call = s.last("Recebimento");
    ASSERT_EQ(call.args.size(), 48);
    EXPECT_EQ(call.text(4), QStringLiteral("cdsMovCaixa")); // argument 5
    EXPECT_EQ(call.text(8), QStringLiteral("0007"));        // argument 9, as it came in
    EXPECT_EQ(call.text(19), QStringLiteral("RES"));        // argument 20
    EXPECT_EQ(call.text(32), QStringLiteral("M"));          // argument 33
    EXPECT_EQ(call.text(41), QStringLiteral("Imprimindo cupom 1 de 2")); // argument 42
}
