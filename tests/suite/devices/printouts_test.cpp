#include "platform/errors.h"
#include "suite/devices/nfce_emitter.h"
#include "suite/devices/printout_files.h"
#include "suite/devices/printouts.h"
#include "suite/devices/sat_device.h"
#include "tests/suite/devices/fiscal_samples.h"
#include "tests/suite/devices/till_folder_fixture.h"
#include "tests/suite/print_qstring.h"

#include <QDir>

namespace tmk {
namespace {

using devices_test::decodeQrCodes;
using devices_test::pdfText;
using devices_test::renderFirstPage;
using devices_test::sampleSale;

const QString kHomologacao =
    QStringLiteral("EMITIDA EM AMBIENTE DE HOMOLOGAÇÃO - SEM VALOR FISCAL");

class PrintoutTest : public devices_test::TillFolderTest {
protected:
    static QDateTime at() { return QDateTime(QDate(2026, 12, 8), QTime(14, 5, 9)); }
    QString xmlFolder() const { return path("Dados/XML_NFCe_Sat/0001-001-2026-12-08"); }
    PrintoutExtras extras() const {
        PrintoutExtras e;
        e.senhaMesa = QStringLiteral("0042 Mesa: 0007");
        e.textoExtra = QStringLiteral("Volte sempre!");
        e.quando = at();
        return e;
    }
    NfceDocument authorised(const QString& ambiente = QStringLiteral("2")) {
        SimulatedNfceEmitter emitter(at);
        return readNfceFile(emitter.emitir(sampleSale(ambiente), xmlFolder()).arquivoXml);
    }
};

TEST_F(PrintoutTest, DanfeHoldsTheSaleAndAScannableQrCode) {
    const NfceDocument d = authorised();
    const QString pdf = printNfceDanfe(d, extras());
    EXPECT_EQ(pdf, path("Impressoes/2026-12-08_14-05-09_NFCe_000000001.pdf"));
    const QString text = pdfText(pdf);
    for (const char* part : {"Restaurante Bom Sabor",
                             "CNPJ: 12.345.678/0001-95",
                             "PICANHA NA CHAPA",
                             "179,80",
                             "CHOPP PILSEN 500ML",
                             "-2,50",
                             "COUVERT ARTISTICO",
                             "0,455 KG x 59,90",
                             "27,25",
                             "Taxa de serviço R$",
                             "27,20",
                             "299,25",
                             "Cartão de Crédito VISA",
                             "150,00",
                             "Troco R$",
                             "50,75",
                             "CONSUMIDOR - CPF 529.982.247-25",
                             "NFC-e nº 000000001 Série 001",
                             "Emissão: 08/12/2026 14:05:09",
                             "Protocolo de autorização:",
                             "Tributos totais incidentes aproximados: R$ 71,22",
                             "SENHA: 0042",
                             "Mesa: 0007",
                             "Volte sempre!"}) {
        EXPECT_TRUE(text.contains(QString::fromUtf8(part))) << part << "\n" << text.toStdString();
    }
    EXPECT_TRUE(text.contains(d.autorizacao.protocolo));
    EXPECT_TRUE(text.contains(d.autorizacao.chave.left(4) + " " + d.autorizacao.chave.mid(4, 4)));
    EXPECT_EQ(devices_test::pdfPages(pdf), 1);
    EXPECT_EQ(decodeQrCodes(renderFirstPage(pdf, path("danfe"))), d.autorizacao.qrCode);
}

TEST_F(PrintoutTest, HomologationNoticeOnlyInEnvironmentTwo) {
    struct Case {
        const char* ambiente;
        bool notice;
    };
    for (const Case c : {Case{"2", true}, Case{"1", false}}) {
        QDir(path("Impressoes")).removeRecursively();
        const QString text =
            pdfText(printNfceDanfe(authorised(QString::fromLatin1(c.ambiente)), extras()));
        EXPECT_EQ(text.contains(kHomologacao), c.notice) << "environment " << c.ambiente;
        EXPECT_TRUE(text.contains("PICANHA NA CHAPA"));
    }
}

TEST_F(PrintoutTest, ContingencyDanfeSaysSo) {
    write("Dispositivos/NFCe.ini", "[NFCe]\nResposta=CONTINGENCIA\n");
    SimulatedNfceEmitter emitter(at);
    const NfceDocument d = readNfceFile(emitter.emitir(sampleSale(), xmlFolder()).arquivoXml);
    const QString pdf = printNfceDanfe(d, extras());
    const QString text = pdfText(pdf);
    EXPECT_TRUE(text.contains("EMITIDA EM CONTINGÊNCIA"));
    EXPECT_FALSE(text.contains("Protocolo de autorização"));
    EXPECT_EQ(decodeQrCodes(renderFirstPage(pdf, path("danfe"))), d.autorizacao.qrCode);
}

TEST_F(PrintoutTest, SatExtractHoldsTheSaleAndItsQrCode) {
    devices_test::writeCashOpening(QString::fromLatin1(devices_test::kActivation));
    SimulatedSat sat(at);
    const SatAnswer a = sat.enviarDadosVenda(sampleSale(), devices_test::kActivation, xmlFolder());
    const QString pdf = printSatExtract(readCfeFile(a.arquivoXml), extras());
    EXPECT_TRUE(pdf.endsWith("2026-12-08_14-05-09_ExtratoSAT_000001.pdf"));
    const QString text = pdfText(pdf);
    for (const char* part :
         {"Extrato No. 000001", "CUPOM FISCAL ELETRÔNICO - SAT", "SAT No. 900004019",
          "PICANHA NA CHAPA", "299,25", "50,75", "R$ 71,22", "SENHA: 0042"}) {
        EXPECT_TRUE(text.contains(QString::fromUtf8(part))) << part;
    }
    EXPECT_TRUE(text.contains(kHomologacao));
    EXPECT_EQ(decodeQrCodes(renderFirstPage(pdf, path("extrato"))), a.documento.qrCodeText());
}

TEST_F(PrintoutTest, ConsumerLineOfTheReceipts) {
    struct Case {
        const char* id;
        const char* line;
    };
    for (const Case c : {Case{"", "CONSUMIDOR NÃO IDENTIFICADO"},
                         Case{"52998224725", "CONSUMIDOR - CPF 529.982.247-25"},
                         Case{"11222333000181", "CONSUMIDOR - CNPJ 11.222.333/0001-81"}}) {
        NfceDocument d = authorised();
        d.venda.cpfConsumidor = QString::fromLatin1(c.id);
        EXPECT_TRUE(pdfText(printNfceDanfe(d, extras())).contains(QString::fromUtf8(c.line)))
            << c.line;
    }
}

TEST_F(PrintoutTest, PlainReceiptWithoutPayments) {
    PlainReceipt r;
    r.venda = sampleSale();
    r.venda.pagamentos.clear();
    r.numero = QStringLiteral("000321");
    r.totalPago = 299.25;
    const QString pdf = printPlainReceipt(r, extras());
    EXPECT_TRUE(pdf.endsWith("2026-12-08_14-05-09_Cupom_000321.pdf"));
    const QString text = pdfText(pdf);
    for (const char* part :
         {"CUPOM NÃO FISCAL", "Nº 000321", "Mesa 0007", "SALADA DO BUFE POR QUILO",
          "VALOR A PAGAR R$", "299,25", "Total pago R$"}) {
        EXPECT_TRUE(text.contains(QString::fromUtf8(part))) << part;
    }
    EXPECT_FALSE(text.contains(kHomologacao));
}

TEST_F(PrintoutTest, GenericDocumentForBillsAndReports) {
    PrintDocument bill;
    bill.titulo = QStringLiteral("CONTA DA MESA 0007");
    bill.cabecalho = {QStringLiteral("Restaurante Bom Sabor")};
    bill.itens = {{QStringLiteral("PICANHA NA CHAPA"), 2, QStringLiteral("UN"), 89.90, 179.80},
                  {QStringLiteral("CHOPP PILSEN 500ML"), 3, QStringLiteral("UN"), 12.50, 37.50}};
    bill.totais = {{QStringLiteral("Subtotal"), 217.30, false},
                   {QStringLiteral("Serviço 10%"), 21.73, false},
                   {QStringLiteral("Total"), 239.03, true}};
    bill.secoes = {{QStringLiteral("Pessoas"),
                    {{QStringLiteral("Por pessoa (2)"), QStringLiteral("R$ 119,51")}}}};
    bill.rodape = {QStringLiteral("Não é documento fiscal")};
    const QString pdf = printDocument(bill, QStringLiteral("Conta"), QStringLiteral("0007"), at());
    EXPECT_TRUE(pdf.endsWith("2026-12-08_14-05-09_Conta_0007.pdf"));
    const QString text = pdfText(pdf);
    for (const char* part :
         {"CONTA DA MESA 0007", "08/12/2026 14:05:09", "2 UN x 89,90", "179,80", "Serviço 10%",
          "239,03", "Por pessoa (2)", "R$ 119,51", "Não é documento fiscal"}) {
        EXPECT_TRUE(text.contains(QString::fromUtf8(part))) << part;
    }
}

TEST_F(PrintoutTest, LongReceiptContinuesOnMorePages) {
    PrintDocument report;
    report.titulo = QStringLiteral("RESUMO DO DIA");
    for (int i = 1; i <= 400; ++i) {
        report.itens.append({QStringLiteral("PRODUTO %1").arg(i), 1, QStringLiteral("UN"), 1, 1});
    }
    const QString pdf = printDocument(report, QStringLiteral("Resumo"), {}, at());
    EXPECT_GT(devices_test::pdfPages(pdf), 1);
    const QString text = pdfText(pdf);
    EXPECT_TRUE(text.contains("PRODUTO 1\n") || text.contains("PRODUTO 1 "));
    EXPECT_TRUE(text.contains("PRODUTO 400"));
}

TEST_F(PrintoutTest, EarlierPrintoutsAreNeverOverwritten) {
    const NfceDocument d = authorised();
    const QStringList paths = {printNfceDanfe(d, extras()), printNfceDanfe(d, extras()),
                               printNfceDanfe(d, extras())};
    EXPECT_EQ(devices_test::filesIn("Impressoes"),
              (QStringList{"2026-12-08_14-05-09_NFCe_000000001.pdf",
                           "2026-12-08_14-05-09_NFCe_000000001_2.pdf",
                           "2026-12-08_14-05-09_NFCe_000000001_3.pdf"}));
    EXPECT_EQ(QSet<QString>(paths.begin(), paths.end()).size(), 3);
    EXPECT_EQ(savePrintout("%PDF-1.4 x", "Teste", "a/b c", at()),
              path("Impressoes/2026-12-08_14-05-09_Teste_a-b-c.pdf"))
        << "an id never leaves the folder";
}

TEST_F(PrintoutTest, PrintFolderThatCannotBeWritten) {
    write("Impressoes", "not a folder");
    try {
        printNfceDanfe(authorised(), extras());
        FAIL() << "no error";
    } catch (const AppError& e) {
        EXPECT_TRUE(e.message().startsWith("Não foi possível gravar a impressão na pasta"))
            << e.message().toStdString();
        EXPECT_TRUE(e.message().contains("Impressoes"));
    }
    EXPECT_EQ(read("Impressoes"), "not a folder");
}

TEST_F(PrintoutTest, NothingHalfWrittenIsLeftInThePrintFolder) {
    printNfceDanfe(authorised(), extras());
    const QStringList all =
        QDir(path("Impressoes")).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot);
    EXPECT_EQ(all, QStringList{"2026-12-08_14-05-09_NFCe_000000001.pdf"});
}

} // namespace
} // namespace tmk
