#pragma once

// Sales, till files and readers of printouts shared by the fiscal device tests.

#include "external/common.h"
#include "platform/datapacket_xml.h"
#include "platform/till_folder.h"
#include "suite/devices/fiscal_sale.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace tmk::devices_test {

inline constexpr char kCnpj[] = "12345678000195";
inline constexpr char kCpf[] = "52998224725";
inline constexpr char kActivation[] = "ATIVA-1234";

// A table's sale: four lines (one discounted, one weighed, the cover charge), a
// service charge, a card and a cash payment with change, and the consumer's CPF.
//   products 179,80 + 37,50 + 30,00 + 27,25 = 274,55; discount 2,50; service 27,20
//   total 299,25; paid 150,00 + 200,00 = 350,00; change 50,75.
inline FiscalSale sampleSale(const QString& ambiente = QStringLiteral("2")) {
    FiscalSale s;
    s.emitente = {QString::fromLatin1(kCnpj), QStringLiteral("Restaurante Bom Sabor"),
                  QStringLiteral("35"), QStringLiteral("SP"), ambiente};
    s.cdFilial = QStringLiteral("0001");
    s.cdCaixa = QStringLiteral("001");
    s.nrSeqVenda = QStringLiteral("000000000000042");
    s.serie = QStringLiteral("1");
    s.dataEmissao = QDateTime(QDate(2026, 12, 8), QTime(14, 5, 9));
    FiscalItem picanha;
    picanha.codigo = QStringLiteral("10001");
    picanha.descricao = QStringLiteral("PICANHA NA CHAPA");
    picanha.ncm = QStringLiteral("02013000");
    picanha.quantidade = 2;
    picanha.valorUnitario = 89.90;
    picanha.valorTotal = 179.80;
    picanha.tipoImposto = QStringLiteral("T");
    picanha.aliquota = 18;
    FiscalItem chopp;
    chopp.codigo = QStringLiteral("20001");
    chopp.descricao = QStringLiteral("CHOPP PILSEN 500ML");
    chopp.quantidade = 3;
    chopp.valorUnitario = 12.50;
    chopp.valorTotal = 37.50;
    chopp.desconto = 2.50;
    chopp.tipoImposto = QStringLiteral("F");
    FiscalItem couvert;
    couvert.codigo = QStringLiteral("90003");
    couvert.descricao = QStringLiteral("COUVERT ARTISTICO");
    couvert.quantidade = 2;
    couvert.valorUnitario = 15.00;
    couvert.valorTotal = 30.00;
    couvert.tipoImposto = QStringLiteral("S");
    couvert.aliquota = 5;
    couvert.couvert = true;
    FiscalItem salada;
    salada.codigo = QStringLiteral("30010");
    salada.descricao = QStringLiteral("SALADA DO BUFE POR QUILO");
    salada.unidade = QStringLiteral("KG");
    salada.quantidade = 0.455;
    salada.valorUnitario = 59.90;
    salada.valorTotal = 27.25;
    salada.tipoImposto = QStringLiteral("T");
    salada.aliquota = 18;
    s.itens = {picanha, chopp, couvert, salada};
    s.taxaServico = 27.20;
    FiscalPayment card;
    card.tipo = FiscalPaymentKind::CartaoCredito;
    card.descricao = QStringLiteral("Crédito Visa");
    card.valor = 150.00;
    card.bandeira = QStringLiteral("VISA");
    card.nsu = QStringLiteral("000017");
    card.autorizacao = QStringLiteral("654321");
    FiscalPayment cash;
    cash.tipo = FiscalPaymentKind::Dinheiro;
    cash.descricao = QStringLiteral("Dinheiro");
    cash.valor = 200.00;
    s.pagamentos = {card, cash};
    s.troco = 50.75;
    s.cpfConsumidor = QString::fromLatin1(kCpf);
    s.tributosFederais = 30.12;
    s.tributosEstaduais = 41.10;
    s.senha = QStringLiteral("0042");
    s.mesa = QStringLiteral("0007");
    return s;
}

// The till's parameter file with the issuer's columns.
inline void writeTillParameters(const QString& ambiente = QStringLiteral("2")) {
    DataPacket p;
    p.fields = {{QStringLiteral("CDINSJUREMPR"), FieldType::Text, 18},
                {QStringLiteral("CDESTADOIBGE"), FieldType::Text, 2},
                {QStringLiteral("SGESTADOFILI"), FieldType::Text, 2},
                {QStringLiteral("IDAMBTRABNFCE"), FieldType::Text, 1}};
    p.rows << QVariantList{QStringLiteral("12.345.678/0001-95"), QStringLiteral("35"),
                           QStringLiteral("sp"), ambiente};
    writeDataPacketFile(tillPath(QStringLiteral("PARAMETROSKOV.CDS")), p);
}

// The till's cash opening with the SAT activation code enciphered.
inline void writeCashOpening(const QString& activation) {
    DataPacket p;
    p.fields = {{QStringLiteral("CDFILIAL"), FieldType::Text, 4},
                {QStringLiteral("CDATIVACAOSAT"), FieldType::Text, 255}};
    p.rows << QVariantList{QStringLiteral("0001"), Cripto(activation, kChaveCodigoAtivacaoSat)};
    QDir().mkpath(tillPath(QStringLiteral("Dados/Cadastros")));
    writeDataPacketFile(tillPath(QStringLiteral("Dados/Cadastros/AberturaCaixa.cds")), p);
}

// Runs a tool; its standard output, or a failed expectation naming it.
inline QByteArray runTool(const QString& program, const QStringList& args) {
    QProcess p;
    p.start(program, args);
    if (!p.waitForFinished(60000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
        ADD_FAILURE() << program.toStdString()
                      << " failed: " << p.readAllStandardError().toStdString();
        return {};
    }
    return p.readAllStandardOutput();
}

// The text of a PDF as pdftotext reads it (columns kept).
inline QString pdfText(const QString& pdf) {
    return QString::fromUtf8(runTool(QStringLiteral("pdftotext"),
                                     {QStringLiteral("-layout"), pdf, QStringLiteral("-")}));
}

// The number of pages of a PDF (pdfinfo).
inline int pdfPages(const QString& pdf) {
    const QString info = QString::fromUtf8(runTool(QStringLiteral("pdfinfo"), {pdf}));
    for (const QString& line : info.split(QLatin1Char('\n'))) {
        if (line.startsWith(QStringLiteral("Pages:"))) {
            return line.mid(6).trimmed().toInt();
        }
    }
    return 0;
}

// The first page rendered at 300 dpi; its path.
inline QString renderFirstPage(const QString& pdf, const QString& prefix) {
    runTool(QStringLiteral("pdftoppm"),
            {QStringLiteral("-r"), QStringLiteral("300"), QStringLiteral("-png"),
             QStringLiteral("-f"), QStringLiteral("1"), QStringLiteral("-l"), QStringLiteral("1"),
             QStringLiteral("-singlefile"), pdf, prefix});
    return prefix + QStringLiteral(".png");
}

// What the QR codes of a picture decode to (zbarimg), one per line.
inline QString decodeQrCodes(const QString& png) {
    return QString::fromUtf8(runTool(QStringLiteral("zbarimg"),
                                     {QStringLiteral("--raw"), QStringLiteral("-q"), png}))
        .trimmed();
}

// The files of a folder of the till, sorted by name.
inline QStringList filesIn(const QString& relative) {
    return QDir(tillPath(relative)).entryList(QDir::Files, QDir::Name);
}

} // namespace tmk::devices_test
