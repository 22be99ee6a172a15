#include "platform/errors.h"
#include "platform/service_result.h"
#include "suite/sales/sale_cancellation.h"
#include "suite/sales/stored_sale.h"
#include "suite/sales/suite_sales_service.h"
#include "tests/suite/print_qstring.h"
#include "tests/suite/sales/sale_fixture.h"

namespace tmk::sales_test {
namespace {

class SaleRecords : public SaleStore {
protected:
    void SetUp() override {
        SaleStore::SetUp();
        if (HasFatalFailure() || IsSkipped()) {
            return;
        }
        sales = std::make_unique<SuiteSalesService>(db(), kCaixa);
        sales->setClock([this] { return agora; });
    }

    QString concluir() {
        QVariantList retorno(10);
        const QVariant r = sales->setConcluiFechamento(
            tabelas(itens7(), pagamentos({{"4", 237.38}}), cancelados7()), valores(), retorno);
        EXPECT_FALSE(isServiceFailure(r)) << serviceFailureMessage(r).toStdString();
        return r.toString();
    }

    std::unique_ptr<SuiteSalesService> sales;
};

// ------------------------------------------------------------------ cancellation

TEST_F(SaleRecords, CancellingASaleReleasesItsAppPaymentsAndBenefits) {
    const QString nr = concluir();
    // The app payment and the benefit the sale had taken, and others it had not.
    for (const auto& [seq, venda, caixa] : {std::tuple{"1", nr, QString(kCaixa)},
                                            std::tuple{"2", QStringLiteral("999"), QString(kCaixa)},
                                            std::tuple{"3", nr, QStringLiteral("002")}}) {
        insert("MOVCAIXAMOB", {{"CDFILIAL", kFilial},
                               {"NRSEQMOVMOB", seq},
                               {"NRVENDAREST", "000100000007"},
                               {"NRMESA", "0007"},
                               {"NRCOMANDA", "000101"},
                               {"NRLUGARMESA", "T"},
                               {"CDCAIXA", caixa},
                               {"NRSEQVENDA", venda},
                               {"IDSTMOV", "1"},
                               {"IDADMTASK", "0"},
                               {"VRMOV", 50.0}});
    }
    insert("MOVBENEFICIOCONS", {{"CDFILIAL", kFilial},
                                {"CDCAIXA", kCaixa},
                                {"NRSEQVENDA", nr},
                                {"NRSEQBENECONS", "1"},
                                {"NRSEQUITVEND", "002"}});

    QSqlDatabase c = db();
    cancelStoredSale(c, kFilial, kCaixa, nr);

    EXPECT_EQ(value("SELECT IDSITUVENDA FROM VENDA WHERE NRSEQVENDA = :N", {{"N", nr}}).toString(),
              "C");
    const QList<QVariantMap> app =
        rows("SELECT NRSEQMOVMOB, NRSEQVENDA, CDCAIXA FROM MOVCAIXAMOB ORDER BY NRSEQMOVMOB");
    ASSERT_EQ(app.size(), 3);
    EXPECT_TRUE(app[0]["NRSEQVENDA"].isNull());
    EXPECT_TRUE(app[0]["CDCAIXA"].isNull());
    EXPECT_EQ(app[1]["NRSEQVENDA"].toString(), "999") << "another sale's payment";
    EXPECT_EQ(app[2]["NRSEQVENDA"].toString(), nr) << "another till's payment";
    // The benefit is keyed by the restaurant sale again (the branch and characters 5 to
    // 11 of 000100000007), on the tab item it came from.
    const QVariantMap b = rows("SELECT NRSEQVENDA, NRSEQUITVEND FROM MOVBENEFICIOCONS").value(0);
    EXPECT_EQ(b["NRSEQVENDA"].toString(), "00010000000");
    EXPECT_EQ(b["NRSEQUITVEND"].toString(), "000002");

    // Cancelling it again changes nothing.
    EXPECT_NO_THROW(cancelStoredSale(c, kFilial, kCaixa, nr));
    EXPECT_EQ(count("SELECT COUNT(*) FROM MOVCAIXAMOB WHERE NRSEQVENDA IS NULL"), 1);
}

TEST_F(SaleRecords, CancellingIsAllOrNothing) {
    const QString nr = concluir();
    QSqlDatabase c = db();
    EXPECT_THROW(cancelStoredSale(c, kFilial, kCaixa, "4242"), AppError);
    insert("MOVCAIXAMOB", {{"CDFILIAL", kFilial},
                           {"NRSEQMOVMOB", "1"},
                           {"CDCAIXA", kCaixa},
                           {"NRSEQVENDA", nr},
                           {"IDSTMOV", "1"}});
    refuse("MOVCAIXAMOB", "UPDATE OF NRSEQVENDA", "1 = 1");
    EXPECT_THROW(cancelStoredSale(c, kFilial, kCaixa, nr), AppError);
    EXPECT_EQ(value("SELECT IDSITUVENDA FROM VENDA WHERE NRSEQVENDA = :N", {{"N", nr}}).toString(),
              "O");
}

// ------------------------------------------------------------------ SAT

TEST_F(SaleRecords, TheSatDocumentIsRecordedOnTheSale) {
    const QString nr = concluir();
    const QString chave = QStringLiteral("35261212345678000195590009000040190001234561");
    const QStringList answer{
        QStringLiteral("chaveConsulta=CFe") + chave, QStringLiteral("timeStamp=20261208140509"),
        QStringLiteral("arqxmlnfce=<CFe><ide><nCFe>000123</nCFe><nserieSAT>900004019</nserieSAT>"
                       "</ide></CFe>")};
    const QVariant r = sales->AtualizaVendaSat(kFilial, kCaixa, nr, "000123", "qr-text", answer);
    ASSERT_FALSE(isServiceFailure(r)) << serviceFailureMessage(r).toStdString();
    const QVariantMap v =
        rows("SELECT NRNOTAFISCALCE, NRACESSONFCE, DSQRCODENFCE, NRSERIESAT, IDSTATUSNFCE FROM "
             "VENDA WHERE NRSEQVENDA = :N",
             {{"N", nr}})
            .value(0);
    EXPECT_EQ(v["NRNOTAFISCALCE"].toString(), "000123");
    EXPECT_EQ(v["NRACESSONFCE"].toString(), chave);
    EXPECT_EQ(v["DSQRCODENFCE"].toString(), "qr-text");
    EXPECT_EQ(v["NRSERIESAT"].toString(), "900004019");
    EXPECT_EQ(v["IDSTATUSNFCE"].toString(), "S");

    for (const auto& [sale, list, message] :
         {std::tuple{QStringLiteral("4242"), answer, "Venda 4242 não encontrada"},
          std::tuple{nr, QStringList{"timeStamp=1"}, "não tem a chave do CF-e"}}) {
        const QVariant bad = sales->AtualizaVendaSat(kFilial, kCaixa, sale, "1", "q", list);
        ASSERT_TRUE(isServiceFailure(bad)) << message;
        EXPECT_TRUE(serviceFailureMessage(bad).contains(QString::fromUtf8(message)))
            << serviceFailureMessage(bad).toStdString();
    }
}

// The stored sale as the SAT would send it.
TEST_F(SaleRecords, TheStoredSaleIsTheFiscalSaleOfTheCoupon) {
    const QString nr = concluir();
    QSqlDatabase c = db();
    const FiscalSale s = storedFiscalSale(c, kFilial, kCaixa, nr);
    EXPECT_EQ(s.nrSeqVenda, nr);
    EXPECT_EQ(s.emitente.cnpj, "12345678000195");
    EXPECT_EQ(s.emitente.nome, "Restaurante Teste");
    ASSERT_EQ(s.itens.size(), 3);
    EXPECT_EQ(s.itens[0].descricao, "PICANHA NA CHAPA");
    EXPECT_EQ(s.itens[0].ncm, "02013000");
    EXPECT_EQ(s.itens[0].tipoImposto, "T");
    EXPECT_TRUE(s.itens[2].couvert);
    EXPECT_NEAR(s.taxaServico, 21.58, 0.001);
    ASSERT_EQ(s.pagamentos.size(), 1);
    EXPECT_NEAR(s.pagamentos[0].valor, 237.38, 0.001);
    EXPECT_EQ(s.mesa, "0007");
    EXPECT_EQ(s.senha, "42");
    EXPECT_NO_THROW(validateFiscalSale(s));
    EXPECT_THROW(storedFiscalSale(c, kFilial, kCaixa, "4242"), AppError);
}

// ------------------------------------------------------------------ approximate taxes

TEST_F(SaleRecords, ApproximateTaxesComeFromTheProductsRates) {
    struct Case {
        const char* what;
        const char* produto;
        double qt;
        double preco;
        const char* tipo;
        double aliq;
        const char* federal;
        const char* estadual;
    };
    const Case cases[] = {
        // 179,80 x 13,45% = 24,1831; x 18% = 32,364
        {"both rates", "10001", 2, 89.90, "T", 18, "24.18", "32.36"},
        // 21,00 x 10%; substitution without a state rate: none
        {"federal only", "20001", 3, 7.00, "F", 0, "2.10", "0.00"},
        // no rates: the ICMS rate of the line stands for the state's
        {"ICMS fallback", "10002", 1, 32.00, "T", 18, "0.00", "5.76"},
        // ISS line without rates
        {"service", "90003", 1, 15.00, "S", 5, "0.00", "0.00"},
    };
    for (const Case& c : cases) {
        DataPacket p = itens7();
        p.rows = {p.rows.first()};
        QVariantList& row = p.rows.first();
        row[p.fieldIndex("CDPRODUTO")] = QString::fromLatin1(c.produto);
        row[p.fieldIndex("QTPRODCOMVEN")] = c.qt;
        row[p.fieldIndex("VRPRECCOMVEN")] = c.preco;
        row[p.fieldIndex("IDTPIMPOSFIS")] = QString::fromLatin1(c.tipo);
        row[p.fieldIndex("VRPEALIMPFIS")] = c.aliq;
        ClientDataSet itens;
        itens.setData(p);
        QVariantList retorno;
        const double total = sales->CalculoIcmsDFederal(itens, 0.0, retorno);
        ASSERT_EQ(retorno.size(), 3) << c.what;
        EXPECT_EQ(retorno[0].toString(), QString::fromLatin1(c.federal)) << c.what;
        EXPECT_EQ(retorno[1].toString(), "0.00") << c.what;
        EXPECT_EQ(retorno[2].toString(), QString::fromLatin1(c.estadual)) << c.what;
        EXPECT_NEAR(total, retorno[0].toString().toDouble() + retorno[2].toString().toDouble(),
                    0.001)
            << c.what;
    }
    // The whole account: the sums are rounded once.
    ClientDataSet itens;
    itens.setData(itens7());
    QVariantList retorno;
    sales->CalculoIcmsDFederal(itens, 0.0, retorno);
    EXPECT_EQ(retorno[0].toString(), "26.28");
    EXPECT_EQ(retorno[2].toString(), "32.36");
}

TEST_F(SaleRecords, AnAccountThatCannotBeValuedIsRefused) {
    DataPacket p = itens7();
    p.rows[0][p.fieldIndex("QTPRODCOMVEN")] = 0.0;
    ClientDataSet itens;
    itens.setData(p);
    QVariantList retorno;
    try {
        sales->CalculoIcmsDFederal(itens, 0.0, retorno);
        ADD_FAILURE() << "a quantity of zero was taken";
    } catch (const AppError& e) {
        EXPECT_TRUE(e.message().contains("quantidade inválida")) << e.message().toStdString();
    }
}

} // namespace
} // namespace tmk::sales_test
