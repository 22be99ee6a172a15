#include "platform/errors.h"
#include "suite/devices/nfce_emitter.h"
#include "suite/devices/sat_device.h"
#include "suite/devices/tef_terminal.h"
#include "suite/dialogs/suite_dialogs.h"
#include "tests/suite/devices/fiscal_samples.h"
#include "tests/suite/dialogs/cadastre_files.h"
#include "tests/suite/print_qstring.h"

#include <QRegularExpression>

namespace tmk {
namespace {

using devices_test::kActivation;
using devices_test::pdfText;
using devices_test::sampleSale;

QString valueOf(const QStringList& list, const QString& name) {
    for (const QString& entry : list) {
        if (entry.section(QLatin1Char('='), 0, 0) == name) {
            return entry.mid(name.size() + 1);
        }
    }
    return {};
}

DataPacket paramRecord(const QString& chave, const QString& dir, const QString& senhaMesa) {
    DataPacket p;
    p.fields = {{"NRNAOFISCAL", FieldType::Text, 20}, {"NRSEQVENDA", FieldType::Text, 15},
                {"TOTALPAGO", FieldType::Float, 0},   {"CHAVEACESSONFCe", FieldType::Text, 60},
                {"STDIRSAT", FieldType::Text, 255},   {"SENHACUPOM", FieldType::Text, 40}};
    p.rows << QVariantList{"000321", "000000000000042", 299.25, chave, dir, senhaMesa};
    return p;
}

DataPacket itemPacket() {
    DataPacket p;
    p.fields = {{"CDFILIAL", FieldType::Text, 4},      {"NRMESA", FieldType::Text, 4},
                {"CDPRODUTO", FieldType::Text, 20},    {"NMPRODUTO", FieldType::Text, 60},
                {"QTPRODCOMVEN", FieldType::Float, 0}, {"VRPRECCOMVEN", FieldType::Float, 0},
                {"VRTXSERVICO", FieldType::Float, 0}};
    p.rows << QVariantList{"0001", "0007", "10001", "PICANHA NA CHAPA", 2.0, 89.90, 17.98};
    return p;
}

QVariantList printRequest(const QString& kind, const DataPacket& param) {
    return {false,
            kind,
            QVariant(),
            QVariant::fromValue(itemPacket()),
            QVariant(),
            QVariant::fromValue(param),
            QStringLiteral("Volte sempre!")};
}

class FiscalDialogs : public dialogs_test::CadastreTest {
protected:
    void SetUp() override {
        CadastreTest::SetUp();
        devices_test::writeTillParameters();
        devices_test::writeCashOpening(QString::fromLatin1(kActivation));
        dialogs.setFiscalSaleProvider([this](const QString& f, const QString& c, const QString& n) {
            asked << f + "/" + c + "/" + n;
            FiscalSale s = sampleSale();
            s.emitente = {};
            return s;
        });
    }
    QString folder() const { return path("Dados/XML_NFCe_Sat/0001-001-2026-12-08"); }
    SuiteDialogs dialogs{QSqlDatabase()};
    QStringList asked;
};

TEST_F(FiscalDialogs, SeriesAndEmissionDateOfTheNfce) {
    QString serie;
    dialogs.getNumeroSerieNFCe("0001", "001", serie);
    EXPECT_EQ(serie, "1");
    QString data;
    dialogs.getDataEmissNFCe(data);
    EXPECT_TRUE(
        QRegularExpression("^\\d\\d/\\d\\d/\\d{4} \\d\\d:\\d\\d:\\d\\d$").match(data).hasMatch())
        << data.toStdString();
    writeText("Dispositivos/NFCe.ini", "[NFCe]\nSerie=abc\n");
    EXPECT_THROW(dialogs.getNumeroSerieNFCe("0001", "001", serie), AppError);
}

TEST_F(FiscalDialogs, SatOnlineSendsTheStoredSale) {
    QStringList answer{"old=1"};
    ASSERT_TRUE(dialogs.SATOnline("0001", "001", "000000000000042", "N", kActivation, folder(),
                                  "12,34", "5.60", answer))
        << answer.join('\n').toStdString();
    EXPECT_EQ(asked, QStringList{"0001/001/000000000000042"});
    EXPECT_EQ(answer.size(), 6) << "the old answer is replaced";
    const QString xml = valueOf(answer, "arqxmlnfce");
    EXPECT_EQ(xml.mid(xml.indexOf("nCFe") + 5, 6), "000001");
    EXPECT_EQ(xml.mid(xml.indexOf("nserieSAT") + 10, 9), "900004019");
    EXPECT_TRUE(xml.contains("<CNPJ>12345678000195</CNPJ>")) << "issuer from the till's parameters";
    EXPECT_TRUE(xml.contains("<vCFeLei12741>17.94</vCFeLei12741>")) << "the till's tax texts";
    EXPECT_EQ(valueOf(answer, "valorTotalCFe"), "299.25");
}

TEST_F(FiscalDialogs, SatOnlineRefusalsComeAsAMessage) {
    struct Case {
        const char* what;
        std::function<void()> prepare;
        QString activation;
        QString ibpt;
        const char* message;
    };
    const QList<Case> cases = {
        {"wrong code", [] {}, "0000", "", "Código de ativação do SAT inválido."},
        {"no provider", [this] { dialogs.setFiscalSaleProvider({}); }, kActivation, "",
         "não pode ser enviada ao SAT"},
        {"sale not found",
         [this] {
             dialogs.setFiscalSaleProvider(
                 [](const QString&, const QString&, const QString& n) -> FiscalSale {
                     throw AppError("Venda " + n + " não encontrada.");
                 });
         },
         kActivation, "", "Venda 000000000000042 não encontrada."},
        {"bad tax text", [] {}, kActivation, "doze", "tributos aproximados federais inválido"},
        {"malformed switch", [this] { writeText("Dispositivos/SAT.ini", "Resposta=SIM\n"); },
         kActivation, "", "SAT.ini"},
        {"folder is a file", [this] { writeText("Dados/XML_NFCe_Sat/0001-001-2026-12-08", "x"); },
         kActivation, "", "Não foi possível gravar o XML do SAT"},
    };
    for (const Case& c : cases) {
        SetUp();
        c.prepare();
        QStringList answer;
        EXPECT_FALSE(dialogs.SATOnline("0001", "001", "000000000000042", "N", c.activation,
                                       folder(), c.ibpt, "", answer))
            << c.what;
        ASSERT_EQ(answer.size(), 1) << c.what;
        EXPECT_TRUE(answer[0].startsWith("mensagem=")) << c.what;
        EXPECT_TRUE(answer[0].contains(QString::fromUtf8(c.message)))
            << c.what << ": " << answer[0].toStdString();
        QFile::remove(path("Dispositivos/SAT.ini"));
        QFile::remove(path("Dados/XML_NFCe_Sat/0001-001-2026-12-08"));
    }
}

TEST_F(FiscalDialogs, DanfeOfTheAuthorisedNfce) {
    SimulatedNfceEmitter emitter;
    const NfceAuthorisation a = emitter.emitir(sampleSale(), folder());
    QVariant retorno;
    dialogs.DisparaImpressaoNaoFiscal(
        printRequest("VENDA_NFCe", paramRecord(a.chave, folder(), "0042 Mesa: 0007")), retorno);
    const QString pdf = retorno.toList().value(1).toString();
    ASSERT_TRUE(pdf.contains("_NFCe_000000001")) << pdf.toStdString();
    const QString text = pdfText(pdf);
    EXPECT_TRUE(text.contains("SENHA: 0042"));
    EXPECT_TRUE(text.contains("Mesa: 0007"));
    EXPECT_TRUE(text.contains("Volte sempre!"));
    EXPECT_TRUE(text.contains("299,25"));
}

TEST_F(FiscalDialogs, ExtractOfTheCfe) {
    QStringList answer;
    ASSERT_TRUE(dialogs.SATOnline("0001", "001", "42", "N", kActivation, folder(), "", "", answer));
    QVariant retorno;
    dialogs.DisparaImpressaoNaoFiscal(
        printRequest("EXTRATO_SAT",
                     paramRecord(valueOf(answer, "chaveConsulta"), folder(), " Mesa: 0007")),
        retorno);
    const QString text = pdfText(retorno.toList().value(1).toString());
    EXPECT_TRUE(text.contains("Extrato No. 000001"));
    EXPECT_FALSE(text.contains("SENHA:")) << "no password given";
    EXPECT_TRUE(text.contains("Mesa: 0007"));
}

TEST_F(FiscalDialogs, PlainReceiptFromThePackets) {
    QVariant retorno;
    dialogs.DisparaImpressaoNaoFiscal(printRequest("CUPOM", paramRecord({}, {}, {})), retorno);
    const QString pdf = retorno.toList().value(1).toString();
    EXPECT_TRUE(pdf.contains("_Cupom_000321")) << pdf.toStdString();
    const QString text = pdfText(pdf);
    for (const char* part : {"CUPOM NÃO FISCAL", "CNPJ: 12.345.678/0001-95", "PICANHA NA CHAPA",
                             "179,80", "Taxa de serviço R$", "197,78", "Total pago R$", "299,25"}) {
        EXPECT_TRUE(text.contains(QString::fromUtf8(part))) << part;
    }
}

TEST_F(FiscalDialogs, PrintRequestsThatCannotBeServed) {
    QVariant retorno;
    EXPECT_THROW(
        dialogs.DisparaImpressaoNaoFiscal(printRequest("OUTRO", paramRecord({}, {}, {})), retorno),
        AppError);
    try {
        dialogs.DisparaImpressaoNaoFiscal(
            printRequest("VENDA_NFCe", paramRecord("3526", folder(), {})), retorno);
        ADD_FAILURE() << "a missing document was printed";
    } catch (const AppError& e) {
        EXPECT_TRUE(e.message().contains("XML da NFC-e 3526 não encontrado"))
            << e.message().toStdString();
    }
    EXPECT_FALSE(retorno.isValid());
    EXPECT_TRUE(devices_test::filesIn("Impressoes").isEmpty());
}

TEST_F(FiscalDialogs, LocalExtractFromThePacketsOrTheCfe) {
    DataPacket pagamentos;
    pagamentos.fields = {{"IDTIPORECE", FieldType::Text, 1},
                         {"NMTIPORECE", FieldType::Text, 60},
                         {"VRMOVIVEND", FieldType::Float, 0}};
    pagamentos.rows << QVariantList{"4", "Dinheiro", 200.0};
    QVariantList values(22);
    values[0] = "000000000000042";
    values[2] = "2";
    values[5] = folder();
    values[8] = "3,00";
    values[9] = "08/12/2026 14:05:09";
    values[13] = QVariant::fromValue(itemPacket());
    values[14] = QVariant::fromValue(pagamentos);
    values[15] = "0042";
    values[16] = "Saldo Final: R$ 12,50";
    values[18] = "1,50";
    values[20] = "0001";
    values[21] = "001";
    dialogs.Imp_Extrato_SAT_Ger(values);
    QStringList files = devices_test::filesIn("Impressoes");
    ASSERT_EQ(files.size(), 1);
    QString text = pdfText(path("Impressoes/" + files[0]));
    for (const char* part :
         {"PICANHA NA CHAPA", "197,78", "Dinheiro", "Troco R$", "2,22", "R$ 4,50", "SENHA: 0042",
          "Saldo Final: R$ 12,50", "08/12/2026 14:05:09", "EMITIDA EM AMBIENTE DE HOMOLOGAÇÃO"}) {
        EXPECT_TRUE(text.contains(QString::fromUtf8(part))) << part;
    }

    QStringList answer;
    ASSERT_TRUE(dialogs.SATOnline("0001", "001", "42", "N", kActivation, folder(), "", "", answer));
    values[6] = "000001";
    values[7] = "900004019";
    dialogs.Imp_Extrato_SAT_Ger(values);
    files = devices_test::filesIn("Impressoes");
    ASSERT_EQ(files.size(), 2);
    text = pdfText(path("Impressoes/" + files[1]));
    EXPECT_TRUE(text.contains("Extrato No. 000001")) << "printed from the CF-e of that number";
    EXPECT_TRUE(text.contains("SALADA DO BUFE POR QUILO"));
}

} // namespace
} // namespace tmk
