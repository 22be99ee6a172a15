// A PostgreSQL server that accepts the connection and never answers: the till says at once
// that it waits, gives up after one bounded attempt with a clear message, and does not wait
// for it again right away.

#include "external/common.h"
#include "suite/common/db_dialect.h"
#include "tests/suite/common/log_capture.h"
#include "tests/suite/print_qstring.h"
#include "tests/support/app_error_of.h"

#include <QSqlDatabase>
#include <QTcpServer>
#include <QTcpSocket>
#include <gtest/gtest.h>
#include <memory>
#include <vector>

namespace tmk {
namespace {

using test::appErrorOf;
using test::LogCapture;

// Listens on loopback, takes every connection and never says a word.
class SilentServer {
public:
    SilentServer() { ok_ = server_.listen(QHostAddress::LocalHost, 0); }
    bool ok() const { return ok_; }
    quint16 port() const { return server_.serverPort(); }
    // The connections made so far (the kernel accepts them while the test is blocked).
    int connections() {
        server_.waitForNewConnection(200);
        while (QTcpSocket* s = server_.nextPendingConnection()) {
            taken_.emplace_back(s);
        }
        return int(taken_.size());
    }

private:
    QTcpServer server_;
    std::vector<std::unique_ptr<QTcpSocket>> taken_;
    bool ok_ = false;
};

TEST(ServerWait, ASilentServerIsWaitedForOnceWithinItsLimitAndSaidSo) {
    SilentServer server;
    ASSERT_TRUE(server.ok());
    const QString text =
        QStringLiteral("Provider=QPSQL;Host=127.0.0.1;Port=%1;Database=restaurante;"
                       "User ID=caixa;Password=x")
            .arg(server.port());
    const QString described =
        QStringLiteral("PostgreSQL em 127.0.0.1:%1 (banco restaurante)").arg(server.port());
    const int limit = DbDialect::forKind(DbKind::PostgreSQL).answerTimeout();
    ASSERT_GT(limit, 0);
    ASSERT_LE(limit, 10) << "a till waits a few seconds, not more";

    const LogCapture log;
    const QString first = appErrorOf([&] { openConnection(text, QStringLiteral("silencio")); });
    EXPECT_EQ(first, QStringLiteral("Não foi possível conectar ao banco de dados %1: o servidor "
                                    "não respondeu em %2 s.")
                         .arg(described, QString::number(limit)));
    EXPECT_EQ(server.connections(), 1);
    // The log said it was waiting before it said it failed.
    const int waiting = log.find(
        QStringLiteral("waiting up to %1 s for the database server %2").arg(limit).arg(described));
    const int failed = log.find(QStringLiteral("connection failed:"));
    EXPECT_GE(waiting, 0) << log.lines().join('\n').toStdString();
    EXPECT_GT(failed, waiting) << log.lines().join('\n').toStdString();

    // Every other attempt of the next seconds fails at once, without a new connection: the
    // connection text opened again, and a configured connection tried again.
    const QString again = appErrorOf([&] { openConnection(text, QStringLiteral("silencio")); });
    EXPECT_TRUE(again.startsWith(QStringLiteral("Não foi possível conectar ao banco de dados "
                                                "%1: o servidor não respondeu em %2 s; nova "
                                                "tentativa a partir das ")
                                     .arg(described, QString::number(limit))))
        << again.toStdString();
    {
        QSqlDatabase db = configureConnection(text, QStringLiteral("silencio2"));
        EXPECT_TRUE(appErrorOf([&] { TryConnect(db); }).contains("nova tentativa a partir das"));
    }
    QSqlDatabase::removeDatabase(QStringLiteral("silencio2"));
    EXPECT_EQ(server.connections(), 1);
    for (const QString& message : {first, again}) {
        EXPECT_FALSE(message.contains(QStringLiteral("***")));
    }
}

// The password never reaches a message, and nothing else of the message is altered: the
// message is the same whatever the password, even one that appears in the driver's text.
TEST(ServerWait, ThePasswordNeitherReachesNorAltersAMessage) {
    const auto messageWith = [](const QString& password) {
        return appErrorOf([&] {
            openConnection(QStringLiteral("Provider=QPSQL;Host=127.0.0.1;Port=1;Database="
                                          "restaurante;User ID=caixa;Password=\"%1\"")
                               .arg(password),
                           QStringLiteral("recusada"));
        });
    };
    const QString plain = messageWith(QStringLiteral("segredo123"));
    ASSERT_TRUE(plain.startsWith(QStringLiteral("Não foi possível conectar ao banco de dados "
                                                "PostgreSQL em 127.0.0.1:1 (banco restaurante): ")))
        << plain.toStdString();
    EXPECT_TRUE(plain.contains(QStringLiteral("refused"))) << plain.toStdString();
    for (const char* password : {"x", "e", "o", "127.0.0.1", "refused", "1", "Não"}) {
        EXPECT_EQ(messageWith(QString::fromUtf8(password)), plain) << password;
    }
}

} // namespace
} // namespace tmk
