#include "db/schema.h"
#include "platform/client_dataset.h"
#include "platform/database_error.h"
#include "suite/common/db_dialect.h"
#include "suite/sales/sales_statements.h"
#include "suite/sales/suite_sales_service.h"
#include "tests/suite/print_qstring.h"
#include "tests/support/statement_checks.h"
#include "tests/support/test_database.h"

#include <QSqlError>
#include <QSqlQuery>
#include <functional>
#include <gtest/gtest.h>

namespace tmk {
namespace {

using test::TestDatabase;

struct Sale {
    QString filial;
    QString caixa;
    QString loja;
    QDateTime data;
    QString situacao;
    double total;
};

void insertSale(QSqlDatabase& db, int seq, const Sale& s) {
    const db::Table& venda = *db::schema().table(QStringLiteral("VENDA"));
    const DbDialect& dialect = DbDialect::of(db);
    QSqlQuery q(db);
    ASSERT_TRUE(q.prepare(db::insertStatement(venda, {"CDFILIAL", "CDCAIXA", "NRSEQVENDA", "CDLOJA",
                                                      "DTVENDA", "IDSITUVENDA", "VRTOTVENDA"})));
    q.bindValue(":CDFILIAL", s.filial);
    q.bindValue(":CDCAIXA", s.caixa);
    q.bindValue(":NRSEQVENDA", QString::number(seq));
    q.bindValue(":CDLOJA", s.loja);
    q.bindValue(":DTVENDA", dialect.dateTimeValue(s.data));
    q.bindValue(":IDSITUVENDA", s.situacao);
    q.bindValue(":VRTOTVENDA", s.total);
    ASSERT_TRUE(q.exec()) << q.lastError().text().toStdString();
}

class TicketMedio : public test::DatabaseTest {
protected:
    const QDateTime abertura{QDate(2024, 3, 15), QTime(8, 0)};
};

TEST_F(TicketMedio, NoSaleGivesZeroZero) {
    SuiteSalesService sales(database.connection(), "0002");
    EXPECT_EQ(sales.CalcTicketMedio("0001", "0001", abertura), "0-0");
}

TEST_F(TicketMedio, OnlyConcludedSalesOfThisTillSinceTheOpening) {
    QSqlDatabase db = database.connection();
    const QDateTime t = abertura;
    int seq = 0;
    // Counted: 30.00 + 41.00 = 71.00 over 2 sales.
    insertSale(db, ++seq, {"0001", "0002", "0001", t, "O", 30.0});
    insertSale(db, ++seq, {"0001", "0002", "0001", t.addSecs(3600), "O", 41.0});
    // Not counted: cancelled or open, another till, branch or store, before the opening.
    insertSale(db, ++seq, {"0001", "0002", "0001", t.addSecs(60), "C", 500.0});
    insertSale(db, ++seq, {"0001", "0002", "0001", t.addSecs(60), "A", 500.0});
    insertSale(db, ++seq, {"0001", "0003", "0001", t.addSecs(60), "O", 500.0});
    insertSale(db, ++seq, {"0009", "0002", "0001", t.addSecs(60), "O", 500.0});
    insertSale(db, ++seq, {"0001", "0002", "0009", t.addSecs(60), "O", 500.0});
    insertSale(db, ++seq, {"0001", "0002", "0001", t.addMSecs(-1), "O", 500.0});

    SuiteSalesService sales(db, "0002");
    EXPECT_EQ(sales.CalcTicketMedio("0001", "0001", abertura), "35.5-2");
}

TEST_F(TicketMedio, AverageIsRoundedToCents) {
    QSqlDatabase db = database.connection();
    insertSale(db, 1, {"0001", "0002", "0001", abertura, "O", 10.0});
    insertSale(db, 2, {"0001", "0002", "0001", abertura, "O", 10.0});
    insertSale(db, 3, {"0001", "0002", "0001", abertura, "O", 10.01});
    SuiteSalesService sales(db, "0002");
    EXPECT_EQ(sales.CalcTicketMedio("0001", "0001", abertura), "10-3");
    insertSale(db, 4, {"0001", "0002", "0001", abertura, "O", 10.03});
    EXPECT_EQ(sales.CalcTicketMedio("0001", "0001", abertura), "10.01-4");
}

TEST_F(TicketMedio, WithoutCashOpeningNothingIsCounted) {
    QSqlDatabase db = database.connection();
    insertSale(db, 1, {"0001", "0002", "0001", abertura, "O", 10.0});
    SuiteSalesService sales(db, "0002");
    EXPECT_EQ(sales.CalcTicketMedio("0001", "0001", QDateTime()), "0-0");
}

TEST_F(TicketMedio, ADatabaseWithoutSalesTableIsADatabaseError) {
    TestDatabase empty(TestDatabase::Contents::Empty);
    TMK_REQUIRE_DATABASE(empty);
    SuiteSalesService sales(empty.connection(), "0002");
    EXPECT_THROW(sales.CalcTicketMedio("0001", "0001", abertura), DatabaseError);
}

TEST(TicketMedioText, DecimalPointAndNoSeparators) {
    EXPECT_EQ(SuiteSalesService::ticketMedioText(12, 426.0), "35.5-12");
    EXPECT_EQ(SuiteSalesService::ticketMedioText(3, 3000000.0), "1000000-3");
    EXPECT_EQ(SuiteSalesService::ticketMedioText(3, 1.0), "0.33-3");
    EXPECT_EQ(SuiteSalesService::ticketMedioText(2, 0.03), "0.02-2") << "half a cent rounds up";
    EXPECT_EQ(SuiteSalesService::ticketMedioText(0, 0.0), "0-0");
}

TEST(SalesPending, FunctionsNotYetAvailableSaySo) {
    SuiteSalesService sales(QSqlDatabase(), "0002");
    QVariantList list;
    ClientDataSet itens;
    const auto expectUnavailable = [](const std::function<void()>& call, const char* name) {
        try {
            call();
            ADD_FAILURE() << name << " did not refuse";
        } catch (const AppError& e) {
            EXPECT_EQ(e.message(), QStringLiteral("Função %1 ainda não disponível neste caixa.")
                                       .arg(QString::fromLatin1(name)));
        }
    };
    expectUnavailable([&] { sales.setConcluiFechamento({}, QVariantList(47), list); },
                      "setConcluiFechamento");
    expectUnavailable([&] { sales.CalculoIcmsDFederal(itens, 0.0, list); }, "CalculoIcmsDFederal");
    expectUnavailable([&] { sales.AtualizaVendaSat("1", "2", "3", "4", "5", {}); },
                      "AtualizaVendaSat");
    expectUnavailable(
        [&] {
            sales.setLimpaMesaGeral(0, "1", "_1_", "0001", "RES", "1", "1", "", "2", "3", "", true);
        },
        "setLimpaMesaGeral");
    expectUnavailable([&] { sales.setLimpaMesaComanda("1", "_1_", "1", "1", "0001", "RES", "N"); },
                      "setLimpaMesaComanda");
}

TEST(SalesStatements, EveryKindHasTheTextsOfTheLibrary) {
    test::expectLoadsOnEveryKind(salesStatements(), QStringLiteral("ticket_medio"),
                                 QStringLiteral("VENDA"));
}

} // namespace
} // namespace tmk
