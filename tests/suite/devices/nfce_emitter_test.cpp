#include "platform/errors.h"
#include "suite/devices/access_key.h"
#include "suite/devices/document_counter.h"
#include "suite/devices/nfce_emitter.h"
#include "suite/devices/xml_tree.h"
#include "tests/suite/devices/fiscal_samples.h"
#include "tests/suite/devices/till_folder_fixture.h"
#include "tests/suite/print_qstring.h"

#include <QCryptographicHash>
#include <QDir>
#include <QSet>
#include <functional>

namespace tmk {
namespace {

using devices_test::sampleSale;

class NfceEmitterTest : public devices_test::TillFolderTest {
protected:
    SimulatedNfceEmitter emitter{[] {
        return QDateTime(QDate(2026, 12, 8), QTime(14, 5, 10));
    }};
    QString folder() const { return path("Dados/XML_NFCe_Sat/0001-001-2026-12-08"); }
    QStringList xmlFiles() const { return QDir(folder()).entryList(QDir::Files); }
};

TEST_F(NfceEmitterTest, AuthorisedDocumentIsWrittenUnderItsKey) {
    const NfceAuthorisation a = emitter.emitir(sampleSale(), folder());
    EXPECT_EQ(a.situacao, NfceStatus::Autorizada);
    EXPECT_EQ(a.statusText(), "AUTORIZADA");
    EXPECT_EQ(a.numero, 1);
    EXPECT_EQ(a.serie, "1");
    ASSERT_EQ(a.chave.size(), 44);
    EXPECT_TRUE(isValidAccessKey(a.chave));
    EXPECT_EQ(a.chave.left(34), "3526121234567800019565001000000001")
        << "state, year and month, CNPJ, model, series and number";
    EXPECT_EQ(a.chave.mid(34, 1), "1") << "normal emission";
    EXPECT_EQ(a.protocolo.size(), 15);
    EXPECT_EQ(a.retornoProtAut(), a.protocolo);
    QVariantList retorno;
    a.writeTo(retorno);
    EXPECT_EQ(retorno, (QVariantList{QVariant(), a.chave, a.qrCode, a.protocolo, QVariant(),
                                     QVariant(), QVariant(), QVariant(), QVariant(), QVariant()}));
    EXPECT_EQ(xmlFiles(), QStringList{a.chave + ".xml"});
    EXPECT_EQ(a.arquivoXml, QDir(folder()).filePath(a.chave + ".xml"));

    const QString xml = QString::fromUtf8(readWholeFile(a.arquivoXml));
    for (const char* part :
         {"<infNFe Id=\"NFe", "<mod>65</mod>", "<nNF>1</nNF>", "<tpAmb>2</tpAmb>",
          "<xProd>PICANHA NA CHAPA</xProd>", "<qCom>0.4550</qCom>", "<vProd>274.55</vProd>",
          "<vDesc>2.50</vDesc>", "<vNF>299.25</vNF>", "<vTotTrib>71.22</vTotTrib>",
          "<tPag>03</tPag>", "<tBand>01</tBand>", "<cAut>654321</cAut>", "<tPag>01</tPag>",
          "<vPag>200.00</vPag>", "<vTroco>50.75</vTroco>", "<CPF>52998224725</CPF>",
          "<cStat>100</cStat>",
          "<infCpl>Tributos aproximados: Federal R$ 30,12, Estadual R$ 41,10"}) {
        EXPECT_TRUE(xml.contains(QString::fromUtf8(part))) << part;
    }
    EXPECT_TRUE(xml.contains("<nProt>" + a.protocolo + "</nProt>"));
    EXPECT_TRUE(xml.contains("<chNFe>" + a.chave + "</chNFe>"));
    EXPECT_TRUE(xml.contains("<qrCode><![CDATA[" + a.qrCode + "]]></qrCode>"));
}

TEST_F(NfceEmitterTest, QrCodeCarriesKeyEnvironmentAndHash) {
    const NfceAuthorisation a = emitter.emitir(sampleSale(), folder());
    const QString prefix = "https://nfce.sefaz-simulada.invalid/sp/qrcode?p=" + a.chave + "|2|2|1|";
    ASSERT_TRUE(a.qrCode.startsWith(prefix)) << a.qrCode.toStdString();
    const QString hash = a.qrCode.mid(prefix.size());
    const QString signedPart =
        a.qrCode.mid(a.qrCode.indexOf("p=") + 2, prefix.size() - 1 - a.qrCode.indexOf("p=") - 2);
    EXPECT_EQ(hash,
              QString::fromLatin1(QCryptographicHash::hash(
                                      (signedPart + "CSC-SIMULADO-0000000000000000000000").toUtf8(),
                                      QCryptographicHash::Sha1)
                                      .toHex())
                  .toUpper());
    EXPECT_EQ(a.urlConsulta, "https://nfce.sefaz-simulada.invalid/sp/consulta");
}

TEST_F(NfceEmitterTest, DocumentReadsBackAsTheSale) {
    const FiscalSale sale = sampleSale();
    const NfceAuthorisation a = emitter.emitir(sale, folder());
    const NfceDocument d = readNfceFile(a.arquivoXml);
    EXPECT_EQ(d.autorizacao.chave, a.chave);
    EXPECT_EQ(d.autorizacao.protocolo, a.protocolo);
    EXPECT_EQ(d.autorizacao.qrCode, a.qrCode);
    EXPECT_EQ(d.autorizacao.situacao, NfceStatus::Autorizada);
    EXPECT_EQ(d.autorizacao.dataEmissao, sale.dataEmissao);
    EXPECT_EQ(d.venda.emitente.cnpj, sale.emitente.cnpj);
    EXPECT_EQ(d.venda.emitente.nome, sale.emitente.nome);
    EXPECT_EQ(d.venda.emitente.siglaUf, "SP");
    EXPECT_EQ(d.venda.cpfConsumidor, sale.cpfConsumidor);
    EXPECT_EQ(d.venda.nrSeqVenda, sale.nrSeqVenda);
    ASSERT_EQ(d.venda.itens.size(), sale.itens.size());
    for (int n = 0; n < sale.itens.size(); ++n) {
        const FiscalItem& want = sale.itens.at(n);
        const FiscalItem& got = d.venda.itens.at(n);
        EXPECT_EQ(got.codigo, want.codigo);
        EXPECT_EQ(got.descricao, want.descricao);
        EXPECT_DOUBLE_EQ(got.quantidade, want.quantidade);
        EXPECT_DOUBLE_EQ(got.valorTotal, want.valorTotal);
        EXPECT_DOUBLE_EQ(got.desconto, want.desconto);
        EXPECT_DOUBLE_EQ(got.acrescimo, want.acrescimo) << "line " << n;
        EXPECT_EQ(got.tipoImposto, want.tipoImposto);
        EXPECT_DOUBLE_EQ(got.aliquota, want.aliquota);
        EXPECT_EQ(got.couvert, want.couvert);
    }
    const FiscalTotals want = fiscalTotals(sale);
    const FiscalTotals got = fiscalTotals(d.venda);
    EXPECT_EQ(got.total, want.total);
    EXPECT_EQ(got.taxaServico, want.taxaServico);
    EXPECT_EQ(got.troco, want.troco);
    EXPECT_EQ(got.tributos, want.tributos);
    ASSERT_EQ(d.venda.pagamentos.size(), 2);
    EXPECT_EQ(d.venda.pagamentos[0].tipo, FiscalPaymentKind::CartaoCredito);
    EXPECT_EQ(d.venda.pagamentos[0].bandeira, "VISA");
    EXPECT_EQ(d.venda.senha, "0042");
    EXPECT_EQ(d.venda.mesa, "0007");
}

TEST_F(NfceEmitterTest, ConsumerIdentifiedByCnpj) {
    FiscalSale sale = sampleSale();
    sale.cpfConsumidor = "11222333000181";
    const NfceAuthorisation a = emitter.emitir(sale, folder());
    EXPECT_TRUE(
        QString::fromUtf8(readWholeFile(a.arquivoXml)).contains("<CNPJ>11222333000181</CNPJ>"));
    EXPECT_EQ(readNfceFile(a.arquivoXml).venda.cpfConsumidor, "11222333000181");
    sale.cpfConsumidor = "11222333000182";
    EXPECT_THROW(emitter.emitir(sale, folder()), AppError);
}

TEST_F(NfceEmitterTest, ServiceChargeSpreadsOverTheLinesWithoutLosingACent) {
    FiscalSale sale = sampleSale();
    sale.itens[0].acrescimo = 1.00;
    sale.pagamentos[1].valor += 1.00;
    const QList<qint64> shares = spreadOverItems(2720, sale.itens);
    qint64 sum = 0;
    for (qint64 s : shares) {
        sum += s;
    }
    EXPECT_EQ(sum, 2720);
    const NfceDocument d = readNfceFile(emitter.emitir(sale, folder()).arquivoXml);
    EXPECT_DOUBLE_EQ(d.venda.itens[0].acrescimo, 1.00);
    EXPECT_EQ(fiscalTotals(d.venda).total, fiscalTotals(sale).total);
}

TEST_F(NfceEmitterTest, SwitchChoosesTheAnswer) {
    write("Dispositivos/NFCe.ini", "[NFCe]\nResposta=contingencia\n");
    const NfceAuthorisation c = emitter.emitir(sampleSale(), folder());
    EXPECT_EQ(c.situacao, NfceStatus::Contingencia);
    EXPECT_EQ(c.statusText(), "CONTIGENCIA_SP");
    EXPECT_EQ(c.retornoProtAut(), "CONTIGENCIA_SP");
    QVariantList retorno(10);
    c.writeTo(retorno);
    EXPECT_EQ(retorno.value(3).toString(), "CONTIGENCIA_SP");
    EXPECT_EQ(c.chave.mid(34, 1), "9") << "offline contingency emission";
    EXPECT_TRUE(isValidAccessKey(c.chave));
    EXPECT_TRUE(c.protocolo.isEmpty());
    const QString xml = QString::fromUtf8(readWholeFile(c.arquivoXml));
    EXPECT_TRUE(xml.contains("<tpEmis>9</tpEmis>"));
    EXPECT_FALSE(xml.contains("<protNFe"));
    EXPECT_EQ(readNfceFile(c.arquivoXml).autorizacao.situacao, NfceStatus::Contingencia);

    write("Dispositivos/NFCe.ini",
          "; SEFAZ fora do ar\n[NFCe]\nResposta=REJEITADA\nMotivo=Rejeição 778: NCM inexistente\n");
    const NfceAuthorisation r = emitter.emitir(sampleSale(), folder());
    EXPECT_EQ(r.situacao, NfceStatus::Rejeitada);
    EXPECT_EQ(r.statusText(), "REJEITADA");
    EXPECT_EQ(r.motivo, "Rejeição 778: NCM inexistente");
    EXPECT_TRUE(r.retornoProtAut().isEmpty());
    EXPECT_TRUE(r.arquivoXml.isEmpty());
    EXPECT_EQ(xmlFiles().size(), 1) << "a rejected document leaves no file";
    EXPECT_EQ(r.numero, 2) << "its number is used up";

    write("Dispositivos/NFCe.ini", "[NFCe]\nResposta=AUTORIZADA\n");
    EXPECT_EQ(emitter.emitir(sampleSale(), folder()).numero, 3);
    EXPECT_EQ(xmlFiles().size(), 2);
}

TEST_F(NfceEmitterTest, NumbersNeverRepeatAcrossInstances) {
    QStringList keys;
    QList<qint64> numbers;
    for (int i = 0; i < 3; ++i) {
        SimulatedNfceEmitter fresh; // as after a restart
        const NfceAuthorisation a = fresh.emitir(sampleSale(), folder());
        numbers << a.numero;
        keys << a.chave;
    }
    EXPECT_EQ(numbers, (QList<qint64>{1, 2, 3}));
    EXPECT_EQ(read("Dispositivos/NFCe-001.seq"), "3\n");
    EXPECT_EQ(QSet<QString>(keys.begin(), keys.end()).size(), 3);
    FiscalSale other = sampleSale();
    other.serie = "7";
    EXPECT_EQ(emitter.emitir(other, folder()).numero, 1) << "each series counts on its own";
}

TEST_F(NfceEmitterTest, DamagedCounterIsNeverStartedAgain) {
    write("Dispositivos/NFCe-001.seq", "12x\n");
    try {
        emitter.emitir(sampleSale(), folder());
        FAIL() << "no error";
    } catch (const AppError& e) {
        EXPECT_TRUE(e.message().contains("NFCe-001.seq")) << e.message().toStdString();
        EXPECT_TRUE(e.message().contains("danificado"));
    }
    EXPECT_EQ(read("Dispositivos/NFCe-001.seq"), "12x\n");
    EXPECT_TRUE(xmlFiles().isEmpty());
}

TEST_F(NfceEmitterTest, BadInputUsesNoNumberAndWritesNothing) {
    struct Case {
        const char* what;
        QByteArray switchFile; // empty: none
        std::function<void(FiscalSale&)> spoil;
        bool folderIsAFile;
        const char* message;
    };
    const auto none = [](FiscalSale&) {
    };
    const QList<Case> cases = {
        {"unknown answer", "[NFCe]\nResposta=TALVEZ\n", none, false, "Resposta=TALVEZ"},
        {"unknown key", "[NFCe]\nResposa=AUTORIZADA\n", none, false, "chave \"Resposa\""},
        {"not key=value", "[NFCe]\nAUTORIZADA\n", none, false, "linha 2"},
        {"other group", "[SAT]\nResposta=AUTORIZADA\n", none, false, "grupo [SAT]"},
        {"unclosed group", "[NFCe\nResposta=AUTORIZADA\n", none, false, "linha 1"},
        {"bad series", "", [](FiscalSale& s) { s.serie = "1000"; }, false, "inválida"},
        {"invalid sale", "", [](FiscalSale& s) { s.troco = 10; }, false, "Venda inválida"},
        {"folder is a file", "", none, true, "Não foi possível gravar o XML da NFC-e"},
    };
    for (const Case& c : cases) {
        QDir(path("Dispositivos")).removeRecursively();
        QDir(path("Dados")).removeRecursively();
        if (!c.switchFile.isEmpty()) {
            write("Dispositivos/NFCe.ini", c.switchFile);
        }
        if (c.folderIsAFile) {
            write("Dados/XML_NFCe_Sat/0001-001-2026-12-08", "not a folder");
        }
        FiscalSale sale = sampleSale();
        c.spoil(sale);
        try {
            emitter.emitir(sale, folder());
            ADD_FAILURE() << c.what << ": no error";
        } catch (const AppError& e) {
            EXPECT_TRUE(e.message().contains(QString::fromUtf8(c.message)))
                << c.what << ": " << e.message().toStdString();
        }
        EXPECT_TRUE(QDir(path("Dispositivos")).entryList({"*.seq"}, QDir::Files).isEmpty())
            << c.what << ": a number was used";
        EXPECT_TRUE(QDir(folder()).entryList(QDir::Files).isEmpty()) << c.what;
    }
}

TEST_F(NfceEmitterTest, SeriesOfTheTill) {
    EXPECT_EQ(emitter.serie("0001", "001"), "1");
    EXPECT_EQ(emitter.serie("0001", "012"), "12");
    EXPECT_THROW(emitter.serie("0001", "CX1"), AppError);
    write("Dispositivos/NFCe.ini", "[NFCe]\nSerie=005\n");
    EXPECT_EQ(emitter.serie("0001", "CX1"), "5");
    EXPECT_EQ(emitter.dataEmissao(), QDateTime(QDate(2026, 12, 8), QTime(14, 5, 10)));
}

} // namespace
} // namespace tmk
