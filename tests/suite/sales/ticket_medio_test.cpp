#include "db/schema.h"
#include "platform/client_dataset.h"
#include "platform/database_error.h"
#include "platform/service_result.h"
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

// Without a database every function says so in Portuguese: the service results as a
// failure value, the approximate taxes (a plain number) as an exception.
TEST(SalesWithoutDatabase, EveryFunctionSaysSo) {
    SuiteSalesService sales(QSqlDatabase(), "0002");
    QVariantList list(10);
    const QString semConexao = QStringLiteral("Sem conexão com o banco de dados.");
    const std::pair<const char*, std::function<QVariant()>> calls[] = {
        {"AtualizaVendaSat",
         [&] {
             return sales.AtualizaVendaSat("1", "2", "3", "4", "5", {"chaveConsulta=CFe1"});
         }},
        {"setLimpaMesaGeral",
         [&] {
             return sales.setLimpaMesaGeral(0, "1", "_1_", "0001", "RES", "1", "1", "", "2", "3",
                                            "", true);
         }},
        {"setLimpaMesaComanda",
         [&] {
             return sales.setLimpaMesaComanda("1", "_1_", "1", "1", "0001", "RES", "N");
         }},
    };
    for (const auto& [name, call] : calls) {
        const QVariant r = call();
        ASSERT_TRUE(isServiceFailure(r)) << name;
        EXPECT_TRUE(serviceFailureMessage(r).startsWith(semConexao))
            << name << ": " << serviceFailureMessage(r).toStdString();
    }
    ClientDataSet itens;
    DataPacket p;
    p.fields = {{"CDPRODUTO", FieldType::Text, 20},
                {"QTPRODCOMVEN", FieldType::Float, 0},
                {"VRPRECCOMVEN", FieldType::Float, 0}};
    p.rows << QVariantList{"10001", 1.0, 10.0};
    itens.setData(p);
    try {
        sales.CalculoIcmsDFederal(itens, 0.0, list);
        ADD_FAILURE() << "CalculoIcmsDFederal did not refuse";
    } catch (const AppError& e) {
        EXPECT_EQ(e.message(), semConexao);
    }
}

TEST(SalesStatements, EveryKindHasTheTextsOfTheLibrary) {
    test::expectLoadsOnEveryKind(salesStatements(), QStringLiteral("ticket_medio"),
                                 QStringLiteral("VENDA"));
    // The sale conclusion, its document, the settlement and the cancellation.
    for (const auto& [statement, mentions] :
         {std::pair{"venda_fechamento", "CDCHAVEFECHA"}, std::pair{"ins_venda", "VENDA"},
          std::pair{"ins_mov_caixa", "CDNSUHOSTTEF"}, std::pair{"venda_nfce", "NRPROTAUTNFCE"},
          std::pair{"quita_itens_cupom", "ITEMVENDA"}, std::pair{"libera_mesa", "MESA"},
          std::pair{"libera_pagamentos_app", "MOVCAIXAMOB"},
          std::pair{"libera_beneficios", "NRPRODCOMVENIT"}}) {
        test::expectLoadsOnEveryKind(salesStatements(), QString::fromLatin1(statement),
                                     QString::fromLatin1(mentions));
    }
}

} // namespace
} // namespace tmk
