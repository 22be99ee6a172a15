#include "platform/errors.h"
#include "platform/service_result.h"
#include "service/totals_benefits.h"
#include "tests/service/service_fixture.h"

#include <QSet>
#include <QSqlQuery>
#include <QUuid>
#include <thread>

using namespace tmk;
using namespace tmk::test;

namespace {

const QString kFilial = QStringLiteral("0001");
const QString kCaixa = QStringLiteral("001");

class TotalsBenefits : public ServiceFixture {
protected:
    void venda(const QString& nrSeqVenda, const QVariantMap& extra = {}) {
        QVariantMap row{{"CDFILIAL", kFilial}, {"CDCAIXA", kCaixa}, {"NRSEQVENDA", nrSeqVenda}};
        for (auto it = extra.cbegin(); it != extra.cend(); ++it) {
            row.insert(it.key(), it.value());
        }
        insert("VENDA", row);
    }
    void itemVenda(const QString& nrSeqVenda, const QString& item, double qt, double preco,
                   const QVariantMap& extra = {}) {
        QVariantMap row{{"CDFILIAL", kFilial},  {"CDCAIXA", kCaixa}, {"NRSEQVENDA", nrSeqVenda},
                        {"NRSEQUITVEND", item}, {"QTPRODVEND", qt},  {"VRUNITVEND", preco}};
        for (auto it = extra.cbegin(); it != extra.cend(); ++it) {
            row.insert(it.key(), it.value());
        }
        insert("ITEMVENDA", row);
    }
    void itemCancelado(const QString& nrSeqVenda, const QString& item, double qt, double preco) {
        insert("ITVENDACAN", {{"CDFILIAL", kFilial},
                              {"CDCAIXA", kCaixa},
                              {"NRSEQVENDA", nrSeqVenda},
                              {"NRSEQITVENDC", item},
                              {"QTPRODVENDC", qt},
                              {"VRUNITVENDC", preco}});
    }
    double totalGravado(const QString& nrSeqVenda) {
        return value("SELECT VRTOTVENDA FROM VENDA WHERE CDFILIAL = :F AND CDCAIXA = :C "
                     "AND NRSEQVENDA = :V",
                     {{"F", kFilial}, {"C", kCaixa}, {"V", nrSeqVenda}})
            .toDouble();
    }
};

// ------------------------------------------------------------------ sale total

TEST_F(TotalsBenefits, SaleTotalTruncatesEachProductToTwoDecimals) {
    venda("1");
    itemVenda("1", "001", 3, 0.333);
    EXPECT_DOUBLE_EQ(CalcVrTotVenda(*dm, kFilial, kCaixa, "1"), 0.99);
    EXPECT_DOUBLE_EQ(totalGravado("1"), 0.99);

    // A decimal price held with a binary tail keeps its last cent (3 x 1.15 is 3.45),
    // and the client price, surcharge and discount enter each item.
    venda("2");
    itemVenda("2", "001", 3, 1.15);
    itemVenda("2", "002", 2, 1.00,
              {{"VRUNITVENDCL", 0.255}, {"VRACRITVEND", 0.5}, {"VRDESITVEND", 0.2}});
    // 3.45 + trunc(2 x 1.255 = 2.51) + 0.5 - 0.2
    EXPECT_NEAR(CalcVrTotVenda(*dm, kFilial, kCaixa, "2"), 6.26, 1e-9);
    EXPECT_NEAR(totalGravado("2"), 6.26, 1e-9);
}

TEST_F(TotalsBenefits, SaleTotalWithoutItemsIsZeroAndCountsCancelledItems) {
    venda("1", {{"VRTOTVENDA", 7.0}});
    EXPECT_DOUBLE_EQ(CalcVrTotVenda(*dm, kFilial, kCaixa, "1"), 0.0);
    EXPECT_DOUBLE_EQ(totalGravado("1"), 0.0);

    venda("2");
    itemVenda("2", "001", 2, 5.00);
    itemCancelado("2", "001", 1, 2.50);
    EXPECT_DOUBLE_EQ(CalcVrTotVenda(*dm, kFilial, kCaixa, "2"), 12.50);
    EXPECT_DOUBLE_EQ(totalGravado("2"), 12.50);
    // Other sales are untouched.
    EXPECT_DOUBLE_EQ(totalGravado("1"), 0.0);
}

TEST_F(TotalsBenefits, SaleTotalLetsAFailurePass) {
    venda("1");
    db->refuse("VENDA", "UPDATE OF VRTOTVENDA", "NEW.NRSEQVENDA = '1'");
    EXPECT_THROW(CalcVrTotVenda(*dm, kFilial, kCaixa, "1"), std::exception);
}

// ------------------------------------------------------------------ benefits

class Benefits : public TotalsBenefits {
protected:
    void beneficio(const QString& nrSeqVenda, const QString& caixa, const QString& seq,
                   const QString& item) {
        insert("MOVBENEFICIOCONS", {{"CDFILIAL", kFilial},
                                    {"CDCAIXA", caixa},
                                    {"NRSEQVENDA", nrSeqVenda},
                                    {"NRSEQBENECONS", seq},
                                    {"NRSEQUITVEND", item}});
    }
    QString campo(const QString& column, const QString& seq) {
        return value(QStringLiteral("SELECT %1 FROM MOVBENEFICIOCONS WHERE NRSEQBENECONS = :S")
                         .arg(column),
                     {{"S", seq}})
            .toString();
    }
    // The restaurant sale 0001234567890: its benefits are keyed 0001 + 2345678.
    const QString nrVendaRest = QStringLiteral("0001234567890");
    const QString chave = QStringLiteral("00012345678");
};

TEST_F(Benefits, BenefitsOfTheTabMoveToTheFiscalSaleAndItsItems) {
    beneficio(chave, "", "1", "12");
    beneficio(chave, "", "2", "99");
    beneficio("00019999999", "", "3", "12");
    venda("500");
    itemVenda("500", "003", 1, 10.0, {{"NRPRODCOMVENIT", "000012"}});

    const QVariant r = setVendaBeneficio(*dm, "500", kFilial, kCaixa, nrVendaRest);
    EXPECT_FALSE(r.isValid()) << serviceFailureMessage(r).toStdString();
    EXPECT_FALSE(dm->inTransaction());

    EXPECT_EQ(campo("NRSEQVENDA", "1"), "500");
    EXPECT_EQ(campo("CDCAIXA", "1"), kCaixa);
    EXPECT_EQ(campo("NRSEQUITVEND", "1"), "003");
    // A tab item that became no fiscal item loses its reference.
    EXPECT_EQ(campo("NRSEQVENDA", "2"), "500");
    EXPECT_EQ(campo("NRSEQUITVEND", "2"), "");
    // A benefit of another key stays where it is.
    EXPECT_EQ(campo("NRSEQVENDA", "3"), "00019999999");
    EXPECT_EQ(campo("CDCAIXA", "3"), "");
    EXPECT_EQ(campo("NRSEQUITVEND", "3"), "12");
}

TEST_F(Benefits, AFailureOnTheItemsKeepsTheCommittedMove) {
    beneficio(chave, "", "1", "1");
    beneficio(chave, "", "2", "2");
    venda("500");
    itemVenda("500", "001", 1, 10.0, {{"NRPRODCOMVENIT", "000001"}});
    itemVenda("500", "002", 1, 10.0, {{"NRPRODCOMVENIT", "000002"}});
    db->refuse("MOVBENEFICIOCONS", "UPDATE OF NRSEQUITVEND", "NEW.NRSEQUITVEND = '002'");

    const QVariant r = setVendaBeneficio(*dm, "500", kFilial, kCaixa, nrVendaRest);
    ASSERT_TRUE(isServiceFailure(r));
    EXPECT_FALSE(serviceFailureMessage(r).isEmpty());
    EXPECT_FALSE(dm->inTransaction());
    // The move of the first step stays; the item references of the second are undone.
    EXPECT_EQ(campo("NRSEQVENDA", "1"), "500");
    EXPECT_EQ(campo("NRSEQVENDA", "2"), "500");
    EXPECT_EQ(campo("NRSEQUITVEND", "1"), "1");
    EXPECT_EQ(campo("NRSEQUITVEND", "2"), "2");
}

// ------------------------------------------------------------------ loyalty

class Loyalty : public TotalsBenefits {
protected:
    void campanha(const QString& cd, const QString& tipo, const QString& filial,
                  const QString& produto, const QString& seqProd) {
        insert("CAMPANHA", {{"CDCAMPANHA", cd},
                            {"IDCAMPANHA", tipo},
                            {"DTINIVIGCAMP", QDateTime(QDate(2024, 1, 1), QTime(0, 0))},
                            {"DTFIMVIGCAMP", QDateTime(QDate(2024, 12, 31), QTime(0, 0))}});
        insert("FILICAMPANHA", {{"CDCAMPANHA", cd}, {"CDFILIAL", filial}});
        insert("PRODCAMPANHA",
               {{"CDCAMPANHA", cd}, {"NRSEQPRODCAMP", seqProd}, {"CDPRODUTO", produto}});
    }
};

TEST_F(Loyalty, CampaignProductsAndTheirBenefitsAreRead) {
    campanha("C1", "C", kFilial, "P1", "10");
    campanha("C2", "X", kFilial, "P1", "20"); // not a loyalty campaign
    campanha("C3", "C", "0002", "P1", "30");  // another branch
    insert("BENEFICIOKOV", {{"NRSEQBENEFICIO", "B1"},
                            {"IDTPBENEFICIO", "D"},
                            {"IDTPATIVABENEFICIO", "2"},
                            {"VRBENEFICIO", 5.5}});
    insert("BENEFICIOCAMP", {{"CDCAMPANHA", "C1"},
                             {"NRSEQPRODCAMP", "10"},
                             {"NRSEQBENEFICIO", "B1"},
                             {"QTBENEFICIOCAMP", 2},
                             {"NRDIASVALBENECAMP", 30}});

    for (const QVariant& r : {getProdPromoFidelidade(*dm, kFilial, "P1"),
                              getCamposPromoFidelidade(*dm, kFilial, "P1")}) {
        const DataPacket p = packetOf(r);
        ASSERT_EQ(p.rowCount(), 1);
        EXPECT_EQ(p.value(0, "CDPRODUTO").toString(), "P1");
        EXPECT_EQ(p.value(0, "NRSEQPRODCAMP").toString(), "10");
    }
    EXPECT_EQ(packetOf(getProdPromoFidelidade(*dm, kFilial, "P2")).rowCount(), 0);

    const DataPacket m = packetOf(getMovFidelidade(*dm, kFilial, "10", "P1"));
    QStringList names;
    for (const QString& n : m.fieldNames()) {
        names << n.toUpper();
    }
    EXPECT_EQ(names,
              QStringList({"CDCAMPANHA", "NRSEQPRODCAMP", "NRSEQBENEFICIO", "IDTPBENEFICIO",
                           "DTINIVIGCAMP", "DTFIMVIGCAMP", "QTBENEFICIOCAMP", "NRDIASVALBENECAMP",
                           "VRBENEFICIO", "QTBENEFICIOCAMP2", "IDTPATIVABENEFICIO"}));
    ASSERT_EQ(m.rowCount(), 1);
    EXPECT_EQ(m.value(0, "QTBENEFICIOCAMP").toLongLong(), 2);
    EXPECT_EQ(m.value(0, "QTBENEFICIOCAMP2").toLongLong(), 2);
    EXPECT_EQ(m.value(0, "NRDIASVALBENECAMP").toLongLong(), 30);
    EXPECT_DOUBLE_EQ(m.value(0, "VRBENEFICIO").toDouble(), 5.5);
    EXPECT_EQ(m.value(0, "DTINIVIGCAMP").toDateTime(), QDateTime(QDate(2024, 1, 1), QTime(0, 0)));
    EXPECT_EQ(packetOf(getMovFidelidade(*dm, kFilial, "20", "P1")).rowCount(), 0);
}

TEST_F(Loyalty, EarnedBenefitsAreRecordedAndCheckedPerConsumer) {
    EXPECT_EQ(getCadBeneficio(*dm, "CLI", "CONS"), QVariant(true));

    const QDateTime inicio(QDate(2024, 5, 10), QTime(14, 30));
    const QVariant r = setMovFidelidade(*dm, "ignorado", "C1", "10", "B1", "CLI", "CONS", "D",
                                        inicio, inicio.addDays(30), 5.5, 2);
    EXPECT_FALSE(r.isValid()) << serviceFailureMessage(r).toStdString();
    EXPECT_EQ(count("MOVBENEFICIOCTR", "CDCLIENTE = 'CLI' AND CDCONSUMIDOR = 'CONS' AND "
                                       "IDIMPTMOVCTR = 'I' AND QTDEBENEFICIO = 2"),
              1);
    EXPECT_DOUBLE_EQ(value("SELECT VRDESBENECONS FROM MOVBENEFICIOCTR").toDouble(), 5.5);
    QSqlQuery dates = sql("SELECT DTINIVALBENECONS, DTFIMVALBENECONS FROM MOVBENEFICIOCTR");
    ASSERT_TRUE(dates.next());
    const auto asDateTime = [](const QVariant& v) {
        return v.metaType().id() == QMetaType::QDateTime
                   ? v.toDateTime()
                   : QDateTime::fromString(v.toString(), "yyyy-MM-dd HH:mm:ss.zzz");
    };
    EXPECT_EQ(asDateTime(dates.value(0)), inicio);
    EXPECT_EQ(asDateTime(dates.value(1)), inicio.addDays(30));

    EXPECT_EQ(getCadBeneficio(*dm, "CLI", "CONS"), QVariant(false));
    EXPECT_EQ(getCadBeneficio(*dm, "CLI", "OUTRO"), QVariant(true));

    // The same benefit twice is refused and reported.
    const QVariant again = setMovFidelidade(*dm, "", "C1", "10", "B1", "CLI", "CONS", "D", inicio,
                                            inicio.addDays(30), 5.5, 2);
    EXPECT_TRUE(isServiceFailure(again));
}

TEST_F(Loyalty, BenefitCheckAnswersFalseOnAFailure) {
    QSqlQuery drop(db->connection());
    ASSERT_TRUE(drop.exec("DROP TABLE MOVBENEFICIOCTR"));
    EXPECT_EQ(getCadBeneficio(*dm, "CLI", "CONS"), QVariant(false));
}

// ------------------------------------------------------------------ consumer balances

TEST_F(TotalsBenefits, ConsumptionOfTheDayAndOfTheMonth) {
    insert("CONSUMIDOR", {{"CDCLIENTE", "CLI"},
                          {"CDCONSUMIDOR", "CONS"},
                          {"VRLIMDEBCONS", 300.0},
                          {"VRMAXDEBCONS", 50.0}});
    const auto dia = [](int d) {
        return QDateTime(QDate(2024, 5, d), QTime(0, 0));
    };
    const auto vendaCons = [&](const QString& nr, const QDateTime& data, const QString& situ,
                               const QString& consumidor) {
        venda(nr, {{"CDCLIENTE", "CLI"},
                   {"CDCONSUMIDOR", consumidor},
                   {"IDSITUVENDA", situ},
                   {"DTENTRVENDA", data}});
    };
    vendaCons("1", dia(15), "O", "CONS");
    itemVenda("1", "001", 2, 10.0, {{"VRACRITVEND", 1.0}, {"VRDESITVEND", 0.5}}); // 20.50
    // An item without surcharge or discount counts in full.
    itemVenda("1", "002", 1, 4.0); // 4.00
    vendaCons("2", dia(3), "O", "CONS");
    itemVenda("2", "001", 1, 7.0, {{"VRACRITVEND", 0.0}, {"VRDESITVEND", 0.0}}); // 7.00
    vendaCons("3", dia(15), "C", "CONS");                                        // cancelled
    itemVenda("3", "001", 1, 100.0, {{"VRACRITVEND", 0.0}, {"VRDESITVEND", 0.0}});
    vendaCons("4", dia(15), "O", "OUTRO"); // another consumer
    itemVenda("4", "001", 1, 100.0, {{"VRACRITVEND", 0.0}, {"VRDESITVEND", 0.0}});
    vendaCons("5", QDateTime(QDate(2024, 4, 30), QTime(0, 0)), "O", "CONS"); // last month
    itemVenda("5", "001", 1, 100.0, {{"VRACRITVEND", 0.0}, {"VRDESITVEND", 0.0}});

    // Only the dates of the arguments count.
    const DataPacket p = packetOf(getVrSaldConsumi(*dm, kFilial, "CLI", "CONS",
                                                   QDateTime(QDate(2024, 5, 1), QTime(8, 0)),
                                                   QDateTime(QDate(2024, 5, 15), QTime(19, 45))));
    ASSERT_EQ(p.rowCount(), 1);
    EXPECT_DOUBLE_EQ(p.value(0, "VRLIMDEBCONS").toDouble(), 300.0);
    EXPECT_DOUBLE_EQ(p.value(0, "VRMAXDEBCONS").toDouble(), 50.0);
    EXPECT_NEAR(p.value(0, "VALCONSUMDIA").toDouble(), 24.5, 1e-9);
    EXPECT_NEAR(p.value(0, "VALCONSUMMES").toDouble(), 31.5, 1e-9);
    EXPECT_EQ(p.fields[p.fieldIndex("VALCONSUMDIA")].type, FieldType::Float);

    // A day without consumption gives no sum.
    const DataPacket vazio =
        packetOf(getVrSaldConsumi(*dm, kFilial, "CLI", "CONS", dia(1), dia(2)));
    ASSERT_EQ(vazio.rowCount(), 1);
    EXPECT_FALSE(vazio.value(0, "VALCONSUMDIA").isValid());
}

TEST_F(TotalsBenefits, CreditBalanceOfAFamily) {
    insert("FAMILIASALDO", {{"CDFAMILISALD", "F1"}, {"NMFAMILISALD", "Refeição"}});
    insert("SALDOCONS", {{"CDCLIENTE", "CLI"},
                         {"CDCONSUMIDOR", "CONS"},
                         {"CDFAMILISALD", "F1"},
                         {"VRSALDCONFAM", 42.75}});
    // A balance of a family that is not registered is not read.
    insert("SALDOCONS", {{"CDCLIENTE", "CLI"},
                         {"CDCONSUMIDOR", "CONS"},
                         {"CDFAMILISALD", "F9"},
                         {"VRSALDCONFAM", 1.0}});
    const DataPacket p = packetOf(getSaldoCred(*dm, "CLI", "CONS", "F1"));
    ASSERT_EQ(p.rowCount(), 1);
    EXPECT_DOUBLE_EQ(p.value(0, "VRSALDCONFAM").toDouble(), 42.75);
    EXPECT_EQ(packetOf(getSaldoCred(*dm, "CLI", "CONS", "F9")).rowCount(), 0);
}

// ------------------------------------------------------------------ app payments

TEST_F(TotalsBenefits, AppPaymentsOfTheTabsAreReadAndOnlyWholeTableOnesTied) {
    const auto mov = [&](const QString& seq, const QString& comanda, const QString& lugar,
                         const QVariant& nrSeqVenda = QVariant()) {
        insert("MOVCAIXAMOB", {{"CDFILIAL", kFilial},
                               {"NRSEQMOVMOB", seq},
                               {"NRVENDAREST", "V1"},
                               {"NRCOMANDA", comanda},
                               {"NRLUGARMESA", lugar},
                               {"IDSTMOV", "1"},
                               {"IDADMTASK", "0"},
                               {"NRSEQVENDA", nrSeqVenda},
                               {"VRMOV", 10.0}});
    };
    mov("1", "0001", "T");
    mov("2", "0002", "00");
    mov("3", "0003", "T");       // a tab not in the list
    mov("4", "0001", "02");      // a seat position
    mov("5", "0002", "T", "77"); // already in a sale
    const QString lista = QStringLiteral("_0001_0002_");

    const DataPacket p = packetOf(getMovCaixaMob(*dm, kFilial, lista));
    QStringList seqs;
    for (int r = 0; r < p.rowCount(); ++r) {
        seqs << p.value(r, "NRSEQMOVMOB").toString();
    }
    seqs.sort();
    EXPECT_EQ(seqs, QStringList({"1", "2"}));
    EXPECT_GE(p.fieldIndex("TXPRIMVIATEF"), 0); // every column of the payment

    const QVariant r = setMovCaixaMob(*dm, kFilial, lista, kCaixa, "900");
    EXPECT_FALSE(r.isValid()) << serviceFailureMessage(r).toStdString();
    EXPECT_EQ(count("MOVCAIXAMOB", "NRSEQVENDA = '900' AND CDCAIXA = '001'"), 2);
    EXPECT_EQ(count("MOVCAIXAMOB", "NRSEQMOVMOB = '1' AND NRSEQVENDA = '900'"), 1);
    // The whole-table payment recorded with '00' is read and tied the same way.
    EXPECT_EQ(count("MOVCAIXAMOB", "NRSEQMOVMOB = '2' AND NRSEQVENDA = '900'"), 1);
    EXPECT_EQ(count("MOVCAIXAMOB", "NRSEQMOVMOB = '3' AND NRSEQVENDA IS NULL"), 1);
    EXPECT_EQ(count("MOVCAIXAMOB", "NRSEQMOVMOB = '5' AND NRSEQVENDA = '77'"), 1);
}

// ------------------------------------------------------------------ order passwords

TEST_F(TotalsBenefits, PasswordsRunPerDayAndRestart) {
    const QDateTime hoje(QDate(2024, 5, 15), QTime(12, 0));
    EXPECT_EQ(getSenhaCupom(*dm, kFilial, hoje), QVariant(QString("1")));
    EXPECT_EQ(getSenhaCupom(*dm, kFilial, hoje.addSecs(3600)), QVariant(QString("2")));
    EXPECT_EQ(getSenhaCupom(*dm, kFilial, hoje.addDays(1)), QVariant(QString("1")));
    EXPECT_EQ(getSenhaCupom(*dm, "0002", hoje), QVariant(QString("1")));
    EXPECT_EQ(count("NOVOCODIGO", "CDCONTADOR = 'VENDADIA000115/05/2024'"), 1);

    // A day without a counter: nothing deleted, success.
    QVariant r = ReiniciaSenhaCupom(*dm, kFilial, "01/01/2024");
    EXPECT_FALSE(r.isValid()) << serviceFailureMessage(r).toStdString();
    EXPECT_EQ(count("NOVOCODIGO"), 3);

    r = ReiniciaSenhaCupom(*dm, kFilial, "15/05/2024");
    EXPECT_FALSE(r.isValid()) << serviceFailureMessage(r).toStdString();
    EXPECT_FALSE(dm->inTransaction());
    EXPECT_EQ(getSenhaCupom(*dm, kFilial, hoje), QVariant(QString("1")));
    // The other day and the other branch go on.
    EXPECT_EQ(getSenhaCupom(*dm, kFilial, hoje.addDays(1)), QVariant(QString("2")));
    EXPECT_EQ(getSenhaCupom(*dm, "0002", hoje), QVariant(QString("2")));

    // A quote in the date is a value, not SQL.
    r = ReiniciaSenhaCupom(*dm, kFilial, "x' OR '1'='1");
    EXPECT_FALSE(isServiceFailure(r));
    EXPECT_EQ(count("NOVOCODIGO"), 3);

    EXPECT_THROW(getSenhaCupom(*dm, kFilial, QDateTime()), AppError);
}

TEST_F(TotalsBenefits, TwoTillsAskingAtOnceNeverGetTheSamePassword) {
    constexpr int perTill = 25;
    const QString connectionText = db->connectionText();
    const QDateTime hoje(QDate(2024, 5, 15), QTime(12, 0));
    QStringList senhas[2];
    QString falhas[2];
    const auto till = [&](int n) {
        try {
            TrdmGerMesa other(QStringLiteral("till-") +
                              QUuid::createUuid().toString(QUuid::WithoutBraces));
            other.connectTo(connectionText);
            for (int i = 0; i < perTill; ++i) {
                senhas[n] << getSenhaCupom(other, kFilial, hoje).toString();
            }
        } catch (const std::exception& e) {
            falhas[n] = exceptionText(e);
        }
    };
    std::thread a(till, 0);
    std::thread b(till, 1);
    a.join();
    b.join();
    ASSERT_EQ(falhas[0], QString());
    ASSERT_EQ(falhas[1], QString());
    QSet<QString> todas;
    for (const QStringList& s : senhas) {
        ASSERT_EQ(s.size(), perTill);
        for (const QString& senha : s) {
            todas.insert(senha);
        }
    }
    EXPECT_EQ(todas.size(), 2 * perTill);
    for (int i = 1; i <= 2 * perTill; ++i) {
        EXPECT_TRUE(todas.contains(QString::number(i))) << i;
    }
}

TEST_F(TotalsBenefits, PasswordsAlreadyGivenToATabOrASale) {
    insert("VENDAREST", {{"CDFILIAL", kFilial}, {"NRVENDAREST", "V1"}, {"NRMESA", "0010"}});
    insert("COMANDAVEN", {{"CDFILIAL", kFilial}, {"NRVENDAREST", "V1"}, {"NRCOMANDA", "0001"}});
    insert("COMANDAVEN", {{"CDFILIAL", kFilial}, {"NRVENDAREST", "V1"}, {"NRCOMANDA", "0002"}});
    const auto item = [&](const QString& comanda, const QString& nr, const QVariant& senha) {
        insert("ITCOMANDAVEN", {{"CDFILIAL", kFilial},
                                {"NRVENDAREST", "V1"},
                                {"NRCOMANDA", comanda},
                                {"NRPRODCOMVEN", nr},
                                {"CDSENHAPED", senha}});
    };
    item("0001", "001", "12");
    item("0001", "002", "15");
    item("0002", "003", "17");
    item("0002", "004", QVariant());

    EXPECT_EQ(GetRecupSenha(*dm, kFilial, "V1", "0001"), QVariant(QString("15")));
    EXPECT_EQ(GetRecupSenha(*dm, kFilial, "V1", "0002"), QVariant(QString("17")));
    EXPECT_EQ(GetRecupSenha(*dm, kFilial, "V1", "0009").toString(), QString());

    // The most recent item of the sale has no password yet.
    EXPECT_EQ(GetSenhaCup(*dm, kFilial, "_0001_").toString(), QString());
    sql("UPDATE ITCOMANDAVEN SET CDSENHAPED = '21' WHERE NRPRODCOMVEN = '004'");
    EXPECT_EQ(GetSenhaCup(*dm, kFilial, "_0001_"), QVariant(QString("21")));
    EXPECT_EQ(GetSenhaCup(*dm, kFilial, "_0009_").toString(), QString());
}

} // namespace
