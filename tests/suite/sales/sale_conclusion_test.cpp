#include "platform/service_result.h"
#include "suite/devices/nfce_emitter.h"
#include "suite/sales/suite_sales_service.h"
#include "tests/suite/devices/fiscal_samples.h"
#include "tests/suite/print_qstring.h"
#include "tests/suite/sales/sale_fixture.h"

#include <QDir>
#include <QFile>
#include <functional>

namespace tmk::sales_test {
namespace {

class Conclusion : public SaleStore {
protected:
    void SetUp() override {
        SaleStore::SetUp();
        if (HasFatalFailure() || IsSkipped()) {
            return;
        }
        sales = std::make_unique<SuiteSalesService>(db(), kCaixa);
        sales->setClock([this] { return agora; });
        sales->setFiscalXmlFolder(fiscalFolder());
    }

    // Concludes table 0007 paid 137,38 by card and 150,00 in cash with 50,00 change.
    QVariant concluir(const QString& tipoDoc = QStringLiteral("E")) {
        return sales->setConcluiFechamento(
            tabelas(itens7(), pagamentos({{"1", 137.38, "000017"}, {"4", 150.00}, {"S", 50.00}}),
                    cancelados7()),
            valores(tipoDoc), retorno);
    }

    void switchNfce(const QByteArray& text) {
        QDir().mkpath(QDir(tillFolder()).filePath("Dispositivos"));
        QFile f(QDir(tillFolder()).filePath("Dispositivos/NFCe.ini"));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(text);
    }

    QStringList fiscalFiles() const {
        return QDir(fiscalFolder()).entryList({"*.xml"}, QDir::Files, QDir::Name);
    }

    std::unique_ptr<SuiteSalesService> sales;
    QVariantList retorno = QVariantList(10);
};

TEST_F(Conclusion, StoresExactlyTheRowsOfTheSaleWithTotalsThatAddUp) {
    const QVariant r = concluir();
    ASSERT_FALSE(isServiceFailure(r)) << serviceFailureMessage(r).toStdString();
    const QString nr = r.toString();
    ASSERT_FALSE(nr.isEmpty());

    const QList<QVariantMap> venda = rows(
        "SELECT CDLOJA, NRVENDAREST, NRMESA, IDSITUVENDA, VRTOTVENDA, VRTXSEVENDA, VRDESCVENDA, "
        "CDCLIENTE, CDCCUSCLIE, CDVENDEDOR, NRCOMANDAVND, CDSENHAPED, NRVENDAEXT, DTVENDA, "
        "DTENTRVENDA, DTABERTUR, IDSTATUSNFCE, CDCHAVEFECHA FROM VENDA WHERE NRSEQVENDA = :N",
        {{"N", nr}});
    ASSERT_EQ(venda.size(), 1);
    const QVariantMap& v = venda.first();
    EXPECT_EQ(v["IDSITUVENDA"].toString(), "O");
    EXPECT_EQ(v["NRVENDAREST"].toString(), "000100000007");
    EXPECT_EQ(v["NRMESA"].toString(), "0007");
    EXPECT_EQ(v["CDLOJA"].toString(), "0001");
    EXPECT_EQ(v["CDCLIENTE"].toString(), "000001");
    EXPECT_EQ(v["CDCCUSCLIE"].toString(), "CC1");
    EXPECT_EQ(v["CDVENDEDOR"].toString(), "002");
    EXPECT_EQ(v["NRCOMANDAVND"].toString(), "000101");
    EXPECT_EQ(v["CDSENHAPED"].toString(), "42");
    EXPECT_EQ(v["NRVENDAEXT"].toString(), "000321");
    EXPECT_TRUE(v["IDSTATUSNFCE"].isNull()) << "no NFC-e on this till";
    EXPECT_EQ(v["CDCHAVEFECHA"].toString().size(), 40);
    EXPECT_DOUBLE_EQ(v["VRTOTVENDA"].toDouble(), 215.80);
    EXPECT_DOUBLE_EQ(v["VRTXSEVENDA"].toDouble(), 21.58);
    EXPECT_DOUBLE_EQ(v["VRDESCVENDA"].toDouble(), 0.0);

    const QList<QVariantMap> itens =
        rows("SELECT NRSEQUITVEND, CDPRODUTO, QTPRODVEND, VRUNITVEND, NRORDITCUPFIS, "
             "NRPRODCOMVENIT, IDCONFIGPROD, VRALIQIMPR FROM ITEMVENDA WHERE NRSEQVENDA = :N "
             "ORDER BY NRSEQUITVEND",
             {{"N", nr}});
    ASSERT_EQ(itens.size(), 3);
    const QStringList produtos{"10001", "20001", "90003"};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(itens[i]["NRSEQUITVEND"].toString(), QStringLiteral("00%1").arg(i + 1));
        EXPECT_EQ(itens[i]["NRORDITCUPFIS"].toString(), QStringLiteral("0000%1").arg(i + 1));
        EXPECT_EQ(itens[i]["CDPRODUTO"].toString(), produtos[i]);
        EXPECT_EQ(itens[i]["NRPRODCOMVENIT"].toString(), QStringLiteral("00000%1").arg(i + 1));
    }
    EXPECT_EQ(itens[2]["IDCONFIGPROD"].toString(), "CAR");
    EXPECT_DOUBLE_EQ(itens[0]["VRALIQIMPR"].toDouble(), 18.0);

    const QList<QVariantMap> canc =
        rows("SELECT NRSEQITVENDC, CDPRODUTO, NRORDITCUPFISCA, CDSUPERVISOR FROM ITVENDACAN "
             "WHERE NRSEQVENDA = :N",
             {{"N", nr}});
    ASSERT_EQ(canc.size(), 1);
    EXPECT_EQ(canc[0]["NRSEQITVENDC"].toString(), "001");
    EXPECT_EQ(canc[0]["NRORDITCUPFISCA"].toString(), "00004") << "numbered after the items";
    EXPECT_EQ(canc[0]["CDSUPERVISOR"].toString(), "0099");

    const QList<QVariantMap> mov =
        rows("SELECT NRSEQUMOVI, IDTIPOMOVIVE, IDTIPORECE, VRMOVIVEND, CDNSUTEF, DTMOVIMCAIXA "
             "FROM MOVCAIXA WHERE NRSEQVENDA = :N ORDER BY NRSEQUMOVI",
             {{"N", nr}});
    ASSERT_EQ(mov.size(), 3);
    EXPECT_EQ(mov[0]["NRSEQUMOVI"].toString(), "0001");
    EXPECT_EQ(mov[0]["CDNSUTEF"].toString(), "000017");
    EXPECT_EQ(mov[2]["IDTIPOMOVIVE"].toString(), "S");
    double entradas = 0;
    double troco = 0;
    for (const QVariantMap& m : mov) {
        (m["IDTIPOMOVIVE"].toString() == "S" ? troco : entradas) += m["VRMOVIVEND"].toDouble();
        EXPECT_FALSE(m["DTMOVIMCAIXA"].isNull());
    }
    // Items + service charge = payments - change.
    EXPECT_NEAR(v["VRTOTVENDA"].toDouble() + v["VRTXSEVENDA"].toDouble(), entradas - troco, 0.001);
    EXPECT_EQ(
        footprint(),
        QStringLiteral("VENDA=1 ITEMVENDA=3 ITVENDACAN=1 MOVCAIXA=3 contador=%1").arg(nr.toInt()));
}

TEST_F(Conclusion, ConcludingTheSameCouponAgainWritesNothingAndGivesTheSameSale) {
    const QVariant first = concluir();
    ASSERT_FALSE(isServiceFailure(first)) << serviceFailureMessage(first).toStdString();
    const QString before = footprint();
    const QVariant again = concluir();
    ASSERT_FALSE(isServiceFailure(again)) << serviceFailureMessage(again).toStdString();
    EXPECT_EQ(again.toString(), first.toString());
    EXPECT_EQ(footprint(), before);
}

TEST_F(Conclusion, AnotherCouponOfTheAccountIsAnotherSale) {
    const QVariant first = concluir();
    ASSERT_FALSE(isServiceFailure(first)) << serviceFailureMessage(first).toStdString();
    // The drinks of the same account, as a coupon of their own.
    DataPacket bebidas = itens7();
    bebidas.rows = {bebidas.rows.at(1)};
    bebidas.rows[0][bebidas.fieldIndex("VRTXSERVICO")] = 2.10;
    const QVariant second = sales->setConcluiFechamento(
        tabelas(bebidas, pagamentos({{"4", 23.10}})), valores(), retorno);
    ASSERT_FALSE(isServiceFailure(second)) << serviceFailureMessage(second).toStdString();
    EXPECT_NE(second.toString(), first.toString());
    EXPECT_EQ(count("SELECT COUNT(*) FROM VENDA"), 2);
}

TEST_F(Conclusion, PaymentsThatDoNotCloseTheTotalAreRefusedAndNothingIsWritten) {
    const QString before = footprint();
    const QVariant r = sales->setConcluiFechamento(tabelas(itens7(), pagamentos({{"4", 200.00}})),
                                                   valores(), retorno);
    ASSERT_TRUE(isServiceFailure(r));
    EXPECT_TRUE(serviceFailureMessage(r).contains("não fecham o total da venda (R$ 237,38)"))
        << serviceFailureMessage(r).toStdString();
    EXPECT_EQ(footprint(), before);
}

TEST_F(Conclusion, BadInputIsAPortugueseFailure) {
    struct Case {
        const char* what;
        std::function<QVariant()> call;
        const char* message;
    };
    const Case cases[] = {
        {"few values",
         [&] {
             return sales->setConcluiFechamento(tabelas(itens7(), pagamentos({})), QVariantList(12),
                                                retorno);
         },
         "esperadas 13 tabelas e 47 valores"},
        {"no tables", [&] { return sales->setConcluiFechamento({}, valores(), retorno); },
         "esperadas 13 tabelas"},
        {"no items",
         [&] {
             DataPacket vazio = itens7();
             vazio.rows.clear();
             return sales->setConcluiFechamento(tabelas(vazio, pagamentos({})), valores(), retorno);
         },
         "não tem itens"},
        {"no cash opening",
         [&] {
             QVariantList v = valores();
             v[1] = QVariant();
             return sales->setConcluiFechamento(tabelas(itens7(), pagamentos({})), v, retorno);
         },
         "abertura do caixa inválida"},
        {"negative payment",
         [&] {
             return sales->setConcluiFechamento(
                 tabelas(itens7(), pagamentos({{"4", 300.0}, {"4", -62.62}})), valores(), retorno);
         },
         "Valor inválido na linha 2 dos pagamentos"},
    };
    const QString before = footprint();
    for (const Case& c : cases) {
        const QVariant r = c.call();
        ASSERT_TRUE(isServiceFailure(r)) << c.what;
        EXPECT_TRUE(serviceFailureMessage(r).contains(QString::fromUtf8(c.message)))
            << c.what << ": " << serviceFailureMessage(r).toStdString();
    }
    EXPECT_EQ(footprint(), before);
}

// The database refuses a statement in the middle of the sale: nothing of it stays.
struct DatabaseFault {
    const char* what;
    const char* table;
    const char* condition; // nullptr: the table is dropped
};

class ConclusionDatabaseFault : public Conclusion,
                                public ::testing::WithParamInterface<DatabaseFault> {};

TEST_P(ConclusionDatabaseFault, LeavesNoRowOfTheSale) {
    const DatabaseFault& f = GetParam();
    const QString before = footprint();
    if (f.condition) {
        refuse(f.table, "INSERT", f.condition);
    } else {
        exec(QStringLiteral("DROP TABLE %1").arg(f.table));
    }
    const QVariant r = concluir();
    ASSERT_TRUE(isServiceFailure(r));
    EXPECT_TRUE(serviceFailureMessage(r).startsWith("Não foi possível gravar a venda."))
        << serviceFailureMessage(r).toStdString();
    if (f.condition) {
        EXPECT_EQ(footprint(), before);
    } else {
        for (const char* t : {"VENDA", "ITEMVENDA", "ITVENDACAN"}) {
            EXPECT_EQ(count(QStringLiteral("SELECT COUNT(*) FROM %1").arg(t)), 0) << t;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Faults, ConclusionDatabaseFault,
    ::testing::Values(DatabaseFault{"an item", "ITEMVENDA", "NEW.NRSEQUITVEND = '002'"},
                      DatabaseFault{"the cancelled item", "ITVENDACAN", "1 = 1"},
                      DatabaseFault{"the change line", "MOVCAIXA", "NEW.IDTIPOMOVIVE = 'S'"},
                      DatabaseFault{"a dropped table", "MOVCAIXA", nullptr}),
    [](const ::testing::TestParamInfo<DatabaseFault>& i) { return std::to_string(i.index); });

TEST_F(Conclusion, WithoutADatabaseNothingIsStoredAndTheOperatorIsTold) {
    QSqlDatabase gone = QSqlDatabase::addDatabase("QSQLITE", "tmk_sales_gone");
    gone.setDatabaseName(QDir(tillFolder()).filePath("nao/existe/tmk.db"));
    {
        SuiteSalesService offline(gone, kCaixa);
        const QVariant r = offline.setConcluiFechamento(
            tabelas(itens7(), pagamentos({{"1", 137.38, "1"}, {"4", 100.0}})), valores("N"),
            retorno);
        ASSERT_TRUE(isServiceFailure(r));
        EXPECT_TRUE(serviceFailureMessage(r).startsWith("Sem conexão com o banco de dados."))
            << serviceFailureMessage(r).toStdString();
    }
    gone = QSqlDatabase();
    QSqlDatabase::removeDatabase("tmk_sales_gone");
    EXPECT_TRUE(fiscalFiles().isEmpty()) << "no NFC-e without a stored sale";
}

// ------------------------------------------------------------------ NFC-e

TEST_F(Conclusion, AnNfceTillIssuesTheDocumentAfterTheSaleAndRecordsIt) {
    const QVariant r = concluir("N");
    ASSERT_FALSE(isServiceFailure(r)) << serviceFailureMessage(r).toStdString();
    const QString chave = retorno.value(1).toString();
    EXPECT_EQ(chave.size(), 44);
    EXPECT_TRUE(retorno.value(2).toString().contains(chave)) << "the QR text names the key";
    EXPECT_EQ(retorno.value(3).toString().size(), 15) << "the protocol";
    EXPECT_EQ(fiscalFiles(), QStringList{chave + ".xml"});
    const QVariantMap v = rows("SELECT NRACESSONFCE, DSQRCODENFCE, NRPROTAUTNFCE, IDSTATUSNFCE, "
                               "NRNOTAFISCALCE, NRSERIENFCE FROM VENDA WHERE NRSEQVENDA = :N",
                               {{"N", r.toString()}})
                              .value(0);
    EXPECT_EQ(v["NRACESSONFCE"].toString(), chave);
    EXPECT_EQ(v["IDSTATUSNFCE"].toString(), "A");
    EXPECT_EQ(v["NRPROTAUTNFCE"].toString(), retorno.value(3).toString());
    EXPECT_EQ(v["NRSERIENFCE"].toString(), "1");
    // The document holds the sale as stored.
    const NfceDocument d = readNfceFile(QDir(fiscalFolder()).filePath(chave + ".xml"));
    EXPECT_EQ(d.venda.nrSeqVenda, r.toString());
    EXPECT_EQ(d.venda.itens.size(), 3);
    EXPECT_NEAR(d.venda.troco, 50.00, 0.001);
    EXPECT_NEAR(d.venda.taxaServico, 21.58, 0.001);
    EXPECT_NEAR(d.venda.tributosFederais, 26.28, 0.001);
    EXPECT_NEAR(d.venda.tributosEstaduais, 32.36, 0.001);

    // Again: the same sale and the same document, never a second one.
    QVariantList second(10);
    const QVariant again = sales->setConcluiFechamento(
        tabelas(itens7(), pagamentos({{"1", 137.38, "000017"}, {"4", 150.00}, {"S", 50.00}}),
                cancelados7()),
        valores("N"), second);
    ASSERT_FALSE(isServiceFailure(again)) << serviceFailureMessage(again).toStdString();
    EXPECT_EQ(again.toString(), r.toString());
    EXPECT_EQ(second.mid(1, 3), retorno.mid(1, 3));
    EXPECT_EQ(fiscalFiles().size(), 1);
}

TEST_F(Conclusion, ContingencyIsTheStatusTheFlowReads) {
    switchNfce("[NFCe]\nResposta=CONTINGENCIA\n");
    const QVariant r = concluir("N");
    ASSERT_FALSE(isServiceFailure(r)) << serviceFailureMessage(r).toStdString();
    EXPECT_EQ(retorno.value(3).toString(), "CONTIGENCIA_SP");
    EXPECT_EQ(retorno.value(1).toString().size(), 44);
    EXPECT_EQ(value("SELECT IDSTATUSNFCE FROM VENDA").toString(), "C");
}

struct DocumentFault {
    const char* what;
    int kind; // 0 rejected, 1 malformed switch, 2 fiscal folder not writable
    const char* message;
    const char* status;
};

class ConclusionDocumentFault : public Conclusion,
                                public ::testing::WithParamInterface<DocumentFault> {};

TEST_P(ConclusionDocumentFault, CancelsTheSaleUntilTheFaultIsMended) {
    const DocumentFault& f = GetParam();
    if (f.kind == 0) {
        switchNfce("[NFCe]\nResposta=REJEITADA\nMotivo=Rejeição 778: NCM inexistente\n");
    } else if (f.kind == 1) {
        switchNfce("[NFCe]\nResposta AUTORIZADA\n");
    } else {
        QFile file(fiscalFolder()); // a file where the folder should be
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    const QVariant r = concluir("N");
    ASSERT_TRUE(isServiceFailure(r));
    const QString message = serviceFailureMessage(r);
    EXPECT_TRUE(message.contains(QString::fromUtf8(f.message))) << message.toStdString();
    EXPECT_TRUE(message.contains("A venda foi cancelada")) << message.toStdString();
    const QVariantMap v = rows("SELECT IDSITUVENDA, IDSTATUSNFCE FROM VENDA").value(0);
    EXPECT_EQ(v["IDSITUVENDA"].toString(), "C");
    EXPECT_EQ(v["IDSTATUSNFCE"].toString(), QString::fromLatin1(f.status));
    EXPECT_TRUE(retorno.value(1).toString().isEmpty());

    // Once the fault is mended, the table is received again as a new sale with its
    // document.
    QFile::remove(fiscalFolder());
    QFile::remove(QDir(tillFolder()).filePath("Dispositivos/NFCe.ini"));
    const QVariant again = concluir("N");
    ASSERT_FALSE(isServiceFailure(again)) << serviceFailureMessage(again).toStdString();
    EXPECT_NE(again.toString(),
              value("SELECT NRSEQVENDA FROM VENDA WHERE IDSITUVENDA = 'C'").toString());
    EXPECT_EQ(count("SELECT COUNT(*) FROM VENDA WHERE IDSITUVENDA = 'O'"), 1);
    EXPECT_EQ(retorno.value(1).toString().size(), 44);
}

INSTANTIATE_TEST_SUITE_P(
    Faults, ConclusionDocumentFault,
    ::testing::Values(DocumentFault{"rejected", 0, "rejeitada: Rejeição 778: NCM inexistente", "R"},
                      DocumentFault{"malformed switch", 1, "NFCe.ini", "P"},
                      DocumentFault{"fiscal folder not writable", 2, "Não foi possível gravar",
                                    "P"}),
    [](const ::testing::TestParamInfo<DocumentFault>& i) { return std::to_string(i.index); });

// The document was issued but the database refused to record it: the next conclusion
// of the account finds it in the fiscal folder instead of issuing a second one.
TEST_F(Conclusion, AnIssuedDocumentNotRecordedIsFoundAgain) {
    refuse("VENDA", "UPDATE OF NRACESSONFCE", "1 = 1");
    const QVariant r = concluir("N");
    ASSERT_TRUE(isServiceFailure(r));
    EXPECT_TRUE(serviceFailureMessage(r).contains("foi emitida, mas não foi possível"))
        << serviceFailureMessage(r).toStdString();
    ASSERT_EQ(fiscalFiles().size(), 1);
    const QString chave = fiscalFiles().first().left(44);
    EXPECT_EQ(value("SELECT IDSTATUSNFCE FROM VENDA").toString(), "P");

    const QString trigger = value(kind() == DbKind::PostgreSQL
                                      ? "SELECT tgname FROM pg_trigger WHERE NOT tgisinternal AND "
                                        "UPPER(tgname) LIKE 'TRG_RECUSA%'"
                                      : "SELECT name FROM sqlite_master WHERE type = 'trigger' AND "
                                        "name LIKE 'TRG_RECUSA%'")
                                .toString();
    exec(kind() == DbKind::PostgreSQL ? QStringLiteral("DROP TRIGGER %1 ON VENDA").arg(trigger)
                                      : QStringLiteral("DROP TRIGGER %1").arg(trigger));
    const QVariant again = concluir("N");
    ASSERT_FALSE(isServiceFailure(again)) << serviceFailureMessage(again).toStdString();
    EXPECT_EQ(retorno.value(1).toString(), chave);
    EXPECT_EQ(fiscalFiles().size(), 1);
    EXPECT_EQ(value("SELECT IDSTATUSNFCE FROM VENDA").toString(), "A");
}

} // namespace
} // namespace tmk::sales_test
