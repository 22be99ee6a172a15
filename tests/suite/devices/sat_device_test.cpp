#include "platform/errors.h"
#include "suite/devices/access_key.h"
#include "suite/devices/sat_device.h"
#include "tests/suite/devices/fiscal_samples.h"
#include "tests/suite/devices/till_folder_fixture.h"
#include "tests/suite/print_qstring.h"

#include <QDir>
#include <functional>

namespace tmk {
namespace {

using devices_test::kActivation;
using devices_test::sampleSale;

// The value of a name in a "name=value" answer list (split at the first '=').
QString valueOf(const QStringList& list, const QString& name) {
    for (const QString& entry : list) {
        if (entry.section(QLatin1Char('='), 0, 0) == name) {
            return entry.mid(name.size() + 1);
        }
    }
    return {};
}

QStringList namesOf(const QStringList& list) {
    QStringList names;
    for (const QString& entry : list) {
        names << entry.section(QLatin1Char('='), 0, 0);
    }
    return names;
}

class SatTest : public devices_test::TillFolderTest {
protected:
    void SetUp() override {
        TillFolderTest::SetUp();
        devices_test::writeCashOpening(QString::fromLatin1(kActivation));
    }
    SimulatedSat sat{[] {
        return QDateTime(QDate(2026, 12, 8), QTime(14, 5, 9));
    }};
    QString folder() const { return path("Dados/XML_NFCe_Sat/0001-001-2026-12-08"); }
    QStringList xmlFiles() const { return QDir(folder()).entryList(QDir::Files); }
};

TEST_F(SatTest, AcceptedSaleAnswersWhatTheFlowReads) {
    write("Dispositivos/SAT-900004019.seq", "122\n");
    const SatAnswer a = sat.enviarDadosVenda(sampleSale(), kActivation, folder());
    ASSERT_TRUE(a.aceito) << a.mensagem.toStdString();
    const QStringList list = a.answerList();
    EXPECT_EQ(namesOf(list), (QStringList{"chaveConsulta", "timeStamp", "valorTotalCFe",
                                          "CPFCNPJValue", "assinaturaQRCODE", "arqxmlnfce"}));
    const QString chave = valueOf(list, "chaveConsulta");
    EXPECT_TRUE(chave.startsWith("CFe"));
    EXPECT_TRUE(isValidAccessKey(chave.mid(3))) << chave.toStdString();
    EXPECT_EQ(chave.mid(3 + 20, 2), "59") << "model";
    EXPECT_EQ(valueOf(list, "timeStamp"), "20261208140509");
    EXPECT_EQ(valueOf(list, "valorTotalCFe"), "299.25");
    EXPECT_EQ(valueOf(list, "CPFCNPJValue"), devices_test::kCpf);
    EXPECT_FALSE(valueOf(list, "assinaturaQRCODE").isEmpty());

    // Read as the receipt flow reads them: six characters five after the first
    // "nCFe", nine characters ten after the first "nserieSAT".
    const QString xml = valueOf(list, "arqxmlnfce");
    EXPECT_EQ(xml.mid(xml.indexOf("nCFe") + 5, 6), "000123");
    EXPECT_EQ(xml.mid(xml.indexOf("nserieSAT") + 10, 9), "900004019");
    EXPECT_TRUE(xml.contains("<nCFe>000123</nCFe>"));
    EXPECT_TRUE(xml.contains("<nserieSAT>900004019</nserieSAT>"));
    EXPECT_FALSE(xml.contains('\n')) << "one line: the answer list holds it as one value";
    EXPECT_EQ(xmlFiles(), QStringList{chave + ".xml"});
    EXPECT_EQ(QString::fromUtf8(read(QDir(tillFolder()).relativeFilePath(a.arquivoXml))), xml);
    EXPECT_EQ(a.documento.qrCodeText(), chave.mid(3) + "|20261208140509|299.25|" +
                                            devices_test::kCpf + "|" +
                                            valueOf(list, "assinaturaQRCODE"));
}

TEST_F(SatTest, SerialNumberOfTheSwitchIsTheOneRead) {
    write("Dispositivos/SAT.ini", "[SAT]\nNumeroSerie=123456789\n");
    const SatAnswer a = sat.enviarDadosVenda(sampleSale(), kActivation, folder());
    ASSERT_TRUE(a.aceito);
    EXPECT_EQ(a.xml.mid(a.xml.indexOf("nserieSAT") + 10, 9), "123456789");
    EXPECT_EQ(a.xml.mid(a.xml.indexOf("nCFe") + 5, 6), "000001");
}

TEST_F(SatTest, DocumentReadsBackAsTheSale) {
    const FiscalSale sale = sampleSale();
    const SatAnswer a = sat.enviarDadosVenda(sale, kActivation, folder());
    const CfeDocument d = readCfeFile(a.arquivoXml);
    EXPECT_EQ(d.chaveConsulta, a.documento.chaveConsulta);
    EXPECT_EQ(d.numeroCfe, "000001");
    EXPECT_EQ(d.assinaturaQrCode, a.documento.assinaturaQrCode);
    EXPECT_EQ(d.qrCodeText(), a.documento.qrCodeText());
    EXPECT_EQ(d.venda.itens.size(), sale.itens.size());
    EXPECT_EQ(d.venda.itens[1].descricao, "CHOPP PILSEN 500ML");
    EXPECT_TRUE(d.venda.itens[2].couvert);
    const FiscalTotals want = fiscalTotals(sale);
    const FiscalTotals got = fiscalTotals(d.venda);
    EXPECT_EQ(got.total, want.total);
    EXPECT_EQ(got.taxaServico, want.taxaServico);
    EXPECT_EQ(got.descontos, want.descontos);
    EXPECT_EQ(got.troco, want.troco);
    EXPECT_EQ(got.tributos, want.tributos);
    EXPECT_EQ(d.venda.cpfConsumidor, sale.cpfConsumidor);
}

TEST_F(SatTest, NumbersNeverRepeatAcrossInstances) {
    QStringList numbers;
    for (int i = 0; i < 3; ++i) {
        SimulatedSat fresh;
        numbers << fresh.enviarDadosVenda(sampleSale(), kActivation, folder()).documento.numeroCfe;
    }
    EXPECT_EQ(numbers, (QStringList{"000001", "000002", "000003"}));
    EXPECT_EQ(xmlFiles().size(), 3);
}

TEST_F(SatTest, RefusalsAnswerAMessageAndUseNoNumber) {
    struct Case {
        const char* what;
        QByteArray switchFile;
        QString activation;
        QString message;
    };
    const QList<Case> cases = {
        {"wrong code", "", "ATIVA-9999",
         "Código de ativação do SAT inválido. Confira o código informado na abertura do caixa."},
        {"empty code", "", "",
         "Código de ativação do SAT inválido. Confira o código informado na "
         "abertura do caixa."},
        {"switch", "[SAT]\nResposta=RECUSAR\nMotivo=SAT bloqueado pela SEFAZ\n", kActivation,
         "SAT bloqueado pela SEFAZ"},
    };
    for (const Case& c : cases) {
        QDir(path("Dispositivos")).removeRecursively();
        if (!c.switchFile.isEmpty()) {
            write("Dispositivos/SAT.ini", c.switchFile);
        }
        const SatAnswer a = sat.enviarDadosVenda(sampleSale(), c.activation, folder());
        EXPECT_FALSE(a.aceito) << c.what;
        EXPECT_EQ(a.answerList(), QStringList{"mensagem=" + c.message}) << c.what;
        EXPECT_TRUE(QDir(path("Dispositivos")).entryList({"*.seq"}, QDir::Files).isEmpty())
            << c.what;
        EXPECT_TRUE(xmlFiles().isEmpty()) << c.what;
    }
}

TEST_F(SatTest, BadInputIsAnErrorAndUsesNoNumber) {
    struct Case {
        const char* what;
        std::function<void()> prepare;
        const char* message;
    };
    const QList<Case> cases = {
        {"malformed switch", [this] { write("Dispositivos/SAT.ini", "[SAT]\nNumeroSerie=12\n"); },
         "NumeroSerie=12"},
        {"unknown answer", [this] { write("Dispositivos/SAT.ini", "[SAT]\nResposta=SIM\n"); },
         "Resposta=SIM"},
        {"no cash opening", [this] { QFile::remove(path("Dados/Cadastros/AberturaCaixa.cds")); },
         "AberturaCaixa.cds não encontrado"},
        {"damaged cipher",
         [this] {
             DataPacket p;
             p.fields = {{"CDATIVACAOSAT", FieldType::Text, 255}};
             p.rows << QVariantList{QStringLiteral("K1:lixo")};
             writeDataPacketFile(path("Dados/Cadastros/AberturaCaixa.cds"), p);
         },
         "Código cifrado inválido"},
        {"folder is a file", [this] { write("Dados/XML_NFCe_Sat/0001-001-2026-12-08", "x"); },
         "Não foi possível gravar o XML do SAT"},
    };
    for (const Case& c : cases) {
        QDir(path("Dispositivos")).removeRecursively();
        QDir(path("Dados")).removeRecursively();
        devices_test::writeCashOpening(QString::fromLatin1(kActivation));
        c.prepare();
        try {
            sat.enviarDadosVenda(sampleSale(), kActivation, folder());
            ADD_FAILURE() << c.what << ": no error";
        } catch (const AppError& e) {
            EXPECT_TRUE(e.message().contains(QString::fromUtf8(c.message)))
                << c.what << ": " << e.message().toStdString();
        }
        EXPECT_TRUE(QDir(path("Dispositivos")).entryList({"*.seq"}, QDir::Files).isEmpty())
            << c.what;
    }
    FiscalSale bad = sampleSale();
    bad.pagamentos.clear();
    EXPECT_THROW(sat.enviarDadosVenda(bad, kActivation, folder()), AppError);
}

} // namespace
} // namespace tmk
