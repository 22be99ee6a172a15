// Notices of change between tills: what a payload must hold to be one, and which tills it
// concerns.

#include "suite/common/change_notice.h"
#include "tests/suite/print_qstring.h"

#include <gtest/gtest.h>

namespace tmk {
namespace {

TEST(ChangeNotice, PayloadsThatAreNotices) {
    struct Case {
        const char* payload;
        const char* filial;
        const char* loja;
        const char* tabela;
        const char* mesa;
    };
    const Case cases[] = {
        {R"({"filial":"0001","loja":"0002","tabela":"MESA","mesa":"0012"})", "0001", "0002", "MESA",
         "0012"},
        // The store or table number a statement could not tell comes as null.
        {R"({"filial":"0001","loja":null,"tabela":"MOVCAIXAMOB","mesa":null})", "0001", "",
         "MOVCAIXAMOB", ""},
        // Missing members are as null; members the notice does not know are left aside.
        {R"({"filial":"0003"})", "0003", "", "", ""},
        {R"( {"filial":"0001","loja":"0001","tabela":"VENDAREST","outro":7} )", "0001", "0001",
         "VENDAREST", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.payload);
        const auto n = ChangeNotice::parse(QString::fromUtf8(c.payload));
        ASSERT_TRUE(n.has_value());
        EXPECT_EQ(n->filial, QString::fromLatin1(c.filial));
        EXPECT_EQ(n->loja, QString::fromLatin1(c.loja));
        EXPECT_EQ(n->tabela, QString::fromLatin1(c.tabela));
        EXPECT_EQ(n->mesa, QString::fromLatin1(c.mesa));
    }
}

TEST(ChangeNotice, MalformedPayloadsAreRefused) {
    const QString tooLong = QStringLiteral("{\"filial\":\"0001\",\"tabela\":\"") +
                            QString(ChangeNotice::kMaxPayload, QLatin1Char('x')) +
                            QStringLiteral("\"}");
    const QString cases[] = {
        QString(),
        QStringLiteral("MESA"),
        QStringLiteral("0001;0001;MESA"),
        QStringLiteral("{\"filial\":\"0001\""),                // cut short
        QStringLiteral("[\"0001\",\"0001\"]"),                 // not an object
        QStringLiteral("\"0001\""),                            // a bare text
        QStringLiteral("{\"loja\":\"0001\"}"),                 // no branch
        QStringLiteral("{\"filial\":\"\",\"loja\":\"0001\"}"), // empty branch
        QStringLiteral("{\"filial\":1,\"loja\":\"0001\"}"),    // branch as a number
        QStringLiteral("{\"filial\":\"0001\",\"loja\":[\"0001\"]}"),
        QStringLiteral("{\"filial\":\"0001\",\"mesa\":12}"),
        QStringLiteral("{\"filial\":\"0001\",\"tabela\":{}}"),
        tooLong,
    };
    for (const QString& payload : cases) {
        SCOPED_TRACE(payload.left(80).toStdString());
        EXPECT_FALSE(ChangeNotice::parse(payload).has_value());
    }
}

TEST(ChangeNotice, ConcernsTheTillsOfItsBranchAndStore) {
    struct Case {
        const char* filial;
        const char* loja;
        bool concerns;
    };
    const ChangeNotice daLoja{QStringLiteral("0001"), QStringLiteral("0002"),
                              QStringLiteral("MESA"), QStringLiteral("0012")};
    const Case casos[] = {
        {"0001", "0002", true},
        {"0001", "0001", false}, // another store of the branch
        {"0002", "0002", false}, // the same store number in another branch
        {"0001 ", "0002", false},
    };
    for (const Case& c : casos) {
        SCOPED_TRACE(std::string(c.filial) + "/" + c.loja);
        EXPECT_EQ(daLoja.concerns(QString::fromLatin1(c.filial), QString::fromLatin1(c.loja)),
                  c.concerns);
    }
    // Without a store it concerns every store of its branch, and no other branch.
    const ChangeNotice semLoja{QStringLiteral("0001"), {}, QStringLiteral("MOVCAIXAMOB"), {}};
    EXPECT_TRUE(semLoja.concerns(QStringLiteral("0001"), QStringLiteral("0001")));
    EXPECT_TRUE(semLoja.concerns(QStringLiteral("0001"), QStringLiteral("0007")));
    EXPECT_FALSE(semLoja.concerns(QStringLiteral("0002"), QStringLiteral("0001")));
}

TEST(ChangeNotice, ItsPayloadReadsBackAndStaysSmall) {
    const ChangeNotice n{QStringLiteral("0001"), QStringLiteral("0001"),
                         QStringLiteral("ITCOMANDAVEN"), QStringLiteral("0101")};
    const auto back = ChangeNotice::parse(n.payload());
    ASSERT_TRUE(back.has_value());
    EXPECT_EQ(back->filial, n.filial);
    EXPECT_EQ(back->loja, n.loja);
    EXPECT_EQ(back->tabela, n.tabela);
    EXPECT_EQ(back->mesa, n.mesa);
    EXPECT_LT(n.payload().size(), 120);
    // The channel a driver subscribes to keeps its case only in lower case.
    EXPECT_EQ(ChangeNotice::channel(), ChangeNotice::channel().toLower());
}

} // namespace
} // namespace tmk
