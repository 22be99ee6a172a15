// The day's summary of a till: the concluded and cancelled sales since its cash opening,
// what they received, and the PDF printed with those totals.

#include "external/common.h"
#include "platform/database_error.h"
#include "platform/errors.h"
#include "platform/till_folder.h"
#include "suite/devices/fiscal_amounts.h"
#include "suite/dialogs/day_summary.h"
#include "tests/suite/devices/fiscal_samples.h"
#include "tests/suite/dialogs_db/demo_store_fixture.h"
#include "tests/suite/print_qstring.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

namespace tmk {
namespace {

using dialogs_test::DemoStoreTest;
using dialogs_test::ScriptedDialogs;
using test::TestDatabase;

class DaySummaryTest : public DemoStoreTest {
protected:
    void SetUp() override {
        DemoStoreTest::SetUp();
        if (HasFatalFailure() || IsSkipped()) {
            return;
        }
        abertura = QDateTime(now_.date().addDays(-1), QTime(8, 0));
        till = {QStringLiteral("0001"),
                QStringLiteral("0001"),
                QStringLiteral("777"),
                QStringLiteral("000001"),
                abertura,
                QStringLiteral("0001"),
                QStringLiteral("Ana Lima"),
                0,
                {}};
        // Till 777 of the demo store: two concluded sales and one cancelled since its
        // opening; one concluded before it; one of the same number on another store.
        venda("0001", "777", "1", "O", 100.00, 10.00, abertura.addSecs(3600));
        venda("0001", "777", "2", "O", 50.50, 5.05, abertura.addSecs(7200));
        venda("0001", "777", "3", "C", 30.00, 0, abertura.addSecs(9000));
        venda("0001", "777", "4", "O", 999.00, 99.00, abertura.addSecs(-60));
        venda("0002", "777", "1", "O", 888.00, 88.00, abertura.addSecs(3600));
        movimento("777", "1", "1", "E", "Dinheiro", 120.00);
        movimento("777", "1", "2", "S", "Troco", 10.00);
        movimento("777", "2", "1", "E", "Cartão de crédito", 55.55);
        movimento("777", "3", "1", "E", "Dinheiro", 30.00);
        movimento("777", "4", "1", "E", "Dinheiro", 1098.00);
    }
    void venda(const char* loja, const char* caixa, const char* seq, const char* situacao,
               double total, double servico, const QDateTime& quando) {
        exec(QStringLiteral("INSERT INTO VENDA (CDFILIAL, CDCAIXA, NRSEQVENDA, CDLOJA, "
                            "IDSITUVENDA, VRTOTVENDA, VRTXSEVENDA, DTVENDA) VALUES ('0001', :C, "
                            ":S, :L, :I, :T, :X, :D)"),
             {{QStringLiteral(":C"), QString::fromLatin1(caixa)},
              {QStringLiteral(":S"), QString::fromLatin1(seq) + QString::fromLatin1(loja)},
              {QStringLiteral(":L"), QString::fromLatin1(loja)},
              {QStringLiteral(":I"), QString::fromLatin1(situacao)},
              {QStringLiteral(":T"), total},
              {QStringLiteral(":X"), servico},
              {QStringLiteral(":D"), TestDatabase::dialect().dateTimeValue(quando)}});
    }
    void movimento(const char* caixa, const char* seq, const char* n, const char* tipo,
                   const char* nome, double valor) {
        exec(QStringLiteral("INSERT INTO MOVCAIXA (CDFILIAL, CDCAIXA, NRSEQVENDA, NRSEQUMOVI, "
                            "IDTIPOMOVIVE, NMTIPORECE, VRMOVIVEND) VALUES ('0001', :C, :S, :N, "
                            ":T, :M, :V)"),
             {{QStringLiteral(":C"), QString::fromLatin1(caixa)},
              {QStringLiteral(":S"), QString::fromLatin1(seq) + QStringLiteral("0001")},
              {QStringLiteral(":N"), QString::fromLatin1(n)},
              {QStringLiteral(":T"), QString::fromLatin1(tipo)},
              {QStringLiteral(":M"), QString::fromUtf8(nome)},
              {QStringLiteral(":V"), valor}});
    }

    QDateTime abertura;
    TillIdentity till;
};

TEST_F(DaySummaryTest, TotalsOfTheTillSinceItsOpening) {
    const DaySummary s = DaySummary::read(database.connection(), till);
    EXPECT_EQ(s.abertura, abertura);
    EXPECT_EQ(s.concluidas, 2);
    EXPECT_NEAR(s.produtos, 150.50, 1e-9);
    EXPECT_NEAR(s.taxaServico, 15.05, 1e-9);
    EXPECT_NEAR(s.total(), 165.55, 1e-9);
    EXPECT_EQ(s.canceladas, 1);
    EXPECT_NEAR(s.valorCanceladas, 30.00, 1e-9);
    ASSERT_EQ(s.recebimentos.size(), 2);
    EXPECT_EQ(s.recebimentos[0].first, QString::fromUtf8("Cartão de crédito"));
    EXPECT_NEAR(s.recebimentos[0].second, 55.55, 1e-9);
    EXPECT_EQ(s.recebimentos[1].first, "Dinheiro");
    EXPECT_NEAR(s.recebimentos[1].second, 120.00, 1e-9);
    EXPECT_NEAR(s.troco, 10.00, 1e-9);
}

TEST_F(DaySummaryTest, ThePdfHoldsTheTotals) {
    const DaySummary s = DaySummary::read(database.connection(), till);
    const QString pdf =
        s.print(till, QStringLiteral("Sabor da Casa"), QDateTime(now_.date(), QTime(23, 0)));
    ASSERT_TRUE(QFileInfo(pdf).isFile()) << pdf.toStdString();
    EXPECT_EQ(QFileInfo(pdf).absolutePath(), QFileInfo(tillPath("Impressoes")).absoluteFilePath());
    EXPECT_TRUE(QFileInfo(pdf).fileName().contains("Resumo_777"));
    // One line each, the label and its value as printed.
    const QString text = devices_test::pdfText(pdf).simplified();
    for (const char* expected :
         {"RESUMO DE VENDAS DO DIA", "Sabor da Casa", "Filial 0001 - Loja 0001 - Caixa 777",
          "Produtos 150,50", "Taxa de serviço 15,05", "TOTAL VENDIDO R$ 165,55", "Concluídas 2",
          "Ticket médio R$ 75,25", "Canceladas 1", "Valor cancelado R$ 30,00",
          "Cartão de crédito R$ 55,55", "Dinheiro R$ 120,00", "Troco - R$ 10,00",
          "Operador: Ana Lima", "Documento sem valor fiscal"}) {
        EXPECT_TRUE(text.contains(QString::fromUtf8(expected))) << expected << "\n"
                                                                << text.toStdString();
    }
    EXPECT_FALSE(text.contains("999,00"));
    EXPECT_FALSE(text.contains("888,00"));
}

TEST_F(DaySummaryTest, FailuresAreToldInPortuguese) {
    struct Case {
        const char* name;
        std::function<void(TillIdentity&, QSqlDatabase&)> fault;
        const char* message;
    };
    const Case cases[] = {
        {"no cash opening", [](TillIdentity& t, QSqlDatabase&) { t.dtAberCaixa = {}; },
         "O caixa 777 não tem abertura registrada: não há resumo do dia a imprimir."},
        {"database gone", [](TillIdentity&, QSqlDatabase& db) { db.close(); },
         "Sem conexão com o banco de dados."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TillIdentity t = till;
        QSqlDatabase caixa = database.openAnother(QStringLiteral("caixa"));
        c.fault(t, caixa);
        try {
            DaySummary::read(caixa, t);
            ADD_FAILURE() << "read";
        } catch (const AppError& e) {
            EXPECT_EQ(e.message(), QString::fromUtf8(c.message));
        }
    }
    // The print folder cannot be made.
    QFile blocker(tillPath(QStringLiteral("Impressoes")));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    EXPECT_THROW(DaySummary::read(database.connection(), till).print(till, {}), AppError);
}

// RelFiscais on the demo till: printed where it says, with the demo day's totals.
TEST_F(DaySummaryTest, RelFiscaisPrintsAndTellsWhere) {
    ScriptedDialogs dialogs(database.connection());
    dialogs.RelFiscais();
    ASSERT_EQ(dialogs.told.size(), 1);
    EXPECT_EQ(dialogs.told[0].second, MsgInformacao) << dialogs.told[0].first.toStdString();
    const QRegularExpressionMatch m =
        QRegularExpression(QStringLiteral("^Resumo de vendas do dia impresso em (.+\\.pdf)\\.$"))
            .match(dialogs.told[0].first);
    ASSERT_TRUE(m.hasMatch()) << dialogs.told[0].first.toStdString();
    const DaySummary s = DaySummary::read(database.connection(), demoTill());
    EXPECT_GT(s.concluidas, 0);
    const QString text = devices_test::pdfText(m.captured(1)).simplified();
    EXPECT_TRUE(text.contains("Sabor da Casa")) << text.toStdString();
    EXPECT_TRUE(text.contains("Concluídas " + QString::number(s.concluidas))) << text.toStdString();
    EXPECT_TRUE(text.contains("TOTAL VENDIDO R$ " + brAmount(toCents(s.total()))))
        << text.toStdString();

    // Without the till's files it is told, nothing printed.
    ASSERT_TRUE(QFile::remove(tillPath(QStringLiteral("PARAMETROSKOV.CDS"))));
    dialogs.told.clear();
    dialogs.RelFiscais();
    ASSERT_EQ(dialogs.told.size(), 1);
    EXPECT_EQ(dialogs.told[0].second, MsgErro);
    EXPECT_TRUE(dialogs.told[0].first.contains("PARAMETROSKOV.CDS"));
}

} // namespace
} // namespace tmk
