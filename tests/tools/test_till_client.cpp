// What the harnesses read from a till process and from their command line: a till that
// answers, one that dies by a signal (counted as killed only for SIGKILL), one that never
// shows its map, and the options a harness refuses.
#include "platform/errors.h"
#include "tools/reliability/harness_options.h"
#include "tools/reliability/till_client.h"

#include <QFile>
#include <QTemporaryDir>
#include <csignal>
#include <gtest/gtest.h>

namespace tmk::reliability {
namespace {

// A stand-in for reliability_till: a shell script that shows its map (or not) and then
// treats each line as the script says.
QString tillScript(const QTemporaryDir& dir, const QString& body) {
    const QString path = dir.filePath(QStringLiteral("caixa.sh"));
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(QStringLiteral("#!/bin/sh\n%1\n").arg(body).toUtf8());
    f.close();
    f.setPermissions(f.permissions() | QFileDevice::ExeOwner);
    return path;
}

TEST(TillClient, AnswersDeathsAndSilencesAreToldApart) {
    struct Caso {
        const char* nome;
        const char* script;
        bool pronto;
        bool respondeu;
        int sinal; // the process ended by this signal (0: it did not)
    };
    const Caso casos[] = {
        {"answers",
         "echo '{\"pronto\":true}'; read l; echo '{\"recebida\":true,\"mensagens\":[\"x\"]}'; read "
         "l",
         true, true, 0},
        {"killed", "echo '{\"pronto\":true}'; read l; kill -KILL $$", true, false, SIGKILL},
        {"aborted", "echo '{\"pronto\":true}'; read l; kill -ABRT $$", true, false, SIGABRT},
        {"exits", "echo '{\"pronto\":true}'; read l; exit 0", true, false, 0},
        {"no map", "echo '{\"pronto\":false,\"mensagens\":[\"banco fora\"]}'", false, false, 0},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.nome);
        QTemporaryDir dir;
        TillClient caixa(tillScript(dir, QString::fromUtf8(c.script)), dir.path(),
                         dir.filePath(QStringLiteral("caixa.log")));
        ASSERT_EQ(caixa.start({}, 10000), c.pronto);
        if (!c.pronto) {
            EXPECT_EQ(caixa.told, QStringList{QStringLiteral("banco fora")});
            continue;
        }
        caixa.send(QStringLiteral("mesa 0201"));
        const QJsonObject r = caixa.answer(10000);
        EXPECT_EQ(!r.isEmpty(), c.respondeu);
        if (c.respondeu) {
            EXPECT_TRUE(r.value(QStringLiteral("recebida")).toBool());
            EXPECT_EQ(messages(r), QStringList{QStringLiteral("x")});
            EXPECT_TRUE(caixa.running());
        } else {
            EXPECT_FALSE(caixa.running());
            EXPECT_EQ(caixa.killedBySignal(), c.sinal != 0);
            EXPECT_EQ(caixa.signal(), c.sinal);
        }
    }
}

TEST(HarnessOptions, MissingOrMalformedOptionsAreRefusedInPortuguese) {
    QTemporaryDir dir;
    const QString work = QStringLiteral("--work=") + dir.filePath(QStringLiteral("w"));
    const QString conexao = QStringLiteral("--connection=Provider=QSQLITE;Data Source=x.db");
    struct Caso {
        QStringList args;
        const char* erro; // nullptr: accepted
    };
    const Caso casos[] = {
        {{conexao, work}, nullptr},
        {{conexao, work, QStringLiteral("--trials=25"), QStringLiteral("--points=after_sale")},
         nullptr},
        {{work}, "Informe o banco"},
        {{conexao}, "Informe o banco"},
        {{conexao, work, QStringLiteral("--trials=0")}, "Número de tentativas inválido: 0."},
        {{conexao, work, QStringLiteral("--trials=dez")}, "Número de tentativas inválido: dez."},
        {{conexao, work, QStringLiteral("--rounds=3")}, "Opção desconhecida: --rounds=3."},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.args.join(QLatin1Char(' ')).toStdString());
        try {
            const HarnessOptions o =
                harnessOptions(QStringList{QStringLiteral("harness")} + c.args, 7);
            EXPECT_EQ(c.erro, nullptr);
            EXPECT_EQ(o.trials, c.args.size() > 2 ? 25 : 7);
        } catch (const AppError& e) {
            ASSERT_NE(c.erro, nullptr) << e.message().toStdString();
            EXPECT_TRUE(e.message().startsWith(QString::fromUtf8(c.erro)))
                << e.message().toStdString();
        }
    }
}

} // namespace
} // namespace tmk::reliability
