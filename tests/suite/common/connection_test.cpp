#include "external/common.h"
#include "platform/database_error.h"
#include "platform/errors.h"
#include "platform/till_folder.h"
#include "suite/common/connection_text.h"
#include "suite/common/db_dialect.h"
#include "suite/common/ini_file.h"
#include "tests/suite/print_qstring.h"
#include "tests/support/app_error_of.h"

#include <QDir>
#include <QFile>
#include <QSqlDatabase>
#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>

namespace tmk {
namespace {

using test::appErrorOf;

class TillFolder : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dir_.isValid());
        saved_ = tillFolder();
        setTillFolder(dir_.path());
    }
    void TearDown() override { setTillFolder(saved_); }
    void write(const QString& name, const QByteArray& content) {
        QFile f(QDir(dir_.path()).filePath(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(content);
    }
    QTemporaryDir dir_;
    QString saved_;
};

TEST(ConnectionText, ParsesPairsWithoutLetterCase) {
    const auto c = ConnectionText::parse(
        "Provider=QPSQL; Host = 10.0.0.5 ;port=5433;;Database=restaurante;User ID=caixa;lixo");
    EXPECT_EQ(c.value("PROVIDER"), "QPSQL");
    EXPECT_EQ(c.value("host"), "10.0.0.5");
    EXPECT_EQ(c.value("Port"), "5433");
    EXPECT_EQ(c.value("user id"), "caixa");
    EXPECT_FALSE(c.has("lixo"));
    EXPECT_EQ(c.keys(), QStringList({"Provider", "Host", "port", "Database", "User ID"}));
}

TEST(ConnectionText, QuotesValuesThatNeedIt) {
    ConnectionText c;
    c.set("Provider", "QPSQL");
    c.set("Password", "a;b\"c");
    c.set("User ID", " dono ");
    const QString text = c.toString();
    EXPECT_EQ(text, "Provider=QPSQL;Password=\"a;b\"\"c\";User ID=\" dono \"");
    const auto back = ConnectionText::parse(text);
    EXPECT_EQ(back.value("Password"), "a;b\"c");
    EXPECT_EQ(back.value("User ID"), " dono ");
    EXPECT_EQ(ConnectionText::parse("Password='x;y';Host=h").value("password"), "x;y");
    EXPECT_EQ(ConnectionText::parse("Password=x=y").value("password"), "x=y");
}

TEST(ConnectionText, DescriptionHidesThePassword) {
    const auto c = ConnectionText::parse("Provider=QPSQL;Host=h;Password=segredo;PWD=outro");
    EXPECT_FALSE(c.describe().contains("segredo"));
    EXPECT_FALSE(c.describe().contains("outro"));
    EXPECT_TRUE(c.describe().contains("Host=h"));
}

TEST(IniFile, GroupsAndKeysWithoutLetterCase) {
    const IniFile ini = IniFile::fromText("; comentário\n[conexao]\nData Source = a,b ;c\n"
                                          "# outro\n[Outra]\nX=1\n[CONEXAO]\nport=1\nPort=2\n");
    EXPECT_EQ(ini.value("Conexao", "data source"), "a,b ;c"); // commas and ';' kept
    EXPECT_EQ(ini.value("Conexao", "PORT"), "2");
    EXPECT_EQ(ini.group("conexao").size(), 3);
    EXPECT_EQ(ini.value("Outra", "x"), "1");
    EXPECT_EQ(ini.value("Nenhum", "x"), "");
}

TEST_F(TillFolder, DefaultConnectionIsTheTillsSQLiteFile) {
    const QString text = _GetStringConexKov("");
    EXPECT_EQ(text, "Provider=QSQLITE;Data Source=" + QDir(dir_.path()).filePath("tmk.db"));
    EXPECT_EQ(DbDialect::forConnectionText(text).kind(), DbKind::SQLite);
}

TEST_F(TillFolder, ConnectionFromTheSettingsFile) {
    write("Conexao.ini", "[Conexao]\r\nUser ID=caixa\r\nPassword=se;gre\"do\r\nProvider=QPSQL\r\n"
                         "Host=192.168.0.10\r\nPort=5432\r\nDatabase=restaurante\r\n");
    const QString text = _GetStringConexKov("");
    EXPECT_TRUE(text.startsWith("Provider=QPSQL;Host=192.168.0.10;Port=5432;"
                                "Database=restaurante;User ID=caixa;Password="))
        << text.toStdString();
    const auto c = ConnectionText::parse(text);
    EXPECT_EQ(c.value("Password"), "se;gre\"do");
    EXPECT_EQ(DbDialect::forConnectionText(text).kind(), DbKind::PostgreSQL);
}

TEST_F(TillFolder, SettingsFileWithoutProviderOrWithAnUnknownOne) {
    write("Conexao.ini", "[Conexao]\nHost=x\n");
    EXPECT_TRUE(appErrorOf([] {
                    _GetStringConexKov("");
                }).contains("não indica o provedor do banco de dados (Provider)"));
    write("Conexao.ini", "[Conexao]\nProvider=Access\n");
    EXPECT_TRUE(appErrorOf([] {
                    _GetStringConexKov("");
                }).contains("Provedor de banco de dados desconhecido"));
}

TEST_F(TillFolder, SQLiteFileRelativeToTheTillFolderAndItsFolderCreated) {
    const QString name = QStringLiteral("conexao-relativa");
    {
        QSqlDatabase db = openConnection("Provider=QSQLITE;Data Source=banco/novo/tmk.db", name);
        EXPECT_TRUE(db.isOpen());
        EXPECT_EQ(db.databaseName(), QDir(dir_.path()).filePath("banco/novo/tmk.db"));
        EXPECT_EQ(DbDialect::of(db).kind(), DbKind::SQLite);
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
    EXPECT_TRUE(QFile::exists(QDir(dir_.path()).filePath("banco/novo")));
}

TEST(OpenConnection, PostgreSQLServerDownNamesItWithoutThePassword) {
    const QString message = appErrorOf([] {
        openConnection("Provider=QPSQL;Host=127.0.0.1;Port=1;Database=restaurante;User ID=caixa;"
                       "Password=segredo123",
                       "conexao-recusada");
    });
    EXPECT_TRUE(message.startsWith("Não foi possível conectar ao banco de dados PostgreSQL em "
                                   "127.0.0.1:1 (banco restaurante): "))
        << message.toStdString();
    EXPECT_GT(message.size(), 90); // the driver's own text follows
    EXPECT_FALSE(message.contains("segredo123"));
    EXPECT_FALSE(QSqlDatabase::contains("conexao-recusada"));
}

TEST(OpenConnection, BadPortAndMissingFile) {
    EXPECT_EQ(appErrorOf([] { openConnection("Provider=QPSQL;Host=h;Port=abc", "x"); }),
              "Porta inválida na conexão com o banco de dados PostgreSQL: \"abc\".");
    EXPECT_EQ(appErrorOf([] { openConnection("Provider=QSQLITE", "x"); }),
              "A conexão SQLite não indica o arquivo do banco.");
}

TEST(OpenConnection, MissingQtDriverIsNamed) {
    if (QSqlDatabase::isDriverAvailable("QODBC")) {
        GTEST_SKIP() << "the ODBC driver is installed here";
    }
    const QString message = appErrorOf([] {
        openConnection("Provider=SQLOLEDB.1;Data Source=srv01;Initial Catalog=rest;"
                       "User ID=sa;Password=x",
                       "odbc");
    });
    EXPECT_EQ(message, "O driver QODBC do Qt não está instalado: não é possível conectar ao "
                       "banco de dados SQL Server em srv01.");
}

} // namespace
} // namespace tmk
