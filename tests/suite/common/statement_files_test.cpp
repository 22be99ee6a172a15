// The statement loader every library uses: which text runs on each kind, and what it
// refuses when it loads.

#include "suite/common/common_resources.h"
#include "suite/common/statement_files.h"
#include "tests/suite/print_qstring.h"
#include "tests/support/app_error_of.h"
#include "tests/support/statement_checks.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace tmk {
namespace {

using test::appErrorOf;

// A library's statement folder written by the test.
class Folder {
public:
    Folder() { EXPECT_TRUE(dir_.isValid()); }
    void add(const char* kind, const char* name, const char* text) {
        const QString folder = dir_.filePath(QString::fromLatin1(kind));
        QDir().mkpath(folder);
        QFile f(QDir(folder).filePath(QString::fromLatin1(name) + QStringLiteral(".sql")));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(text);
    }
    StatementFiles files() const { return StatementFiles(dir_.path()); }

private:
    QTemporaryDir dir_;
};

const DbDialect& dialect(DbKind kind) {
    return DbDialect::forKind(kind);
}

TEST(StatementFiles, NamesAndTextsOfAKind) {
    Folder folder;
    folder.add("sqlite", "b_segunda", "  SELECT 2\n\n");
    folder.add("sqlite", "a_primeira", "SELECT 1");
    folder.add("postgresql", "a_primeira", "SELECT 1");
    const StatementFiles files = folder.files();
    EXPECT_EQ(files.names(DbKind::SQLite), (QStringList{"a_primeira", "b_segunda"}));
    EXPECT_EQ(files.text(DbKind::SQLite, "b_segunda"), "SELECT 2");
    EXPECT_TRUE(files.text(DbKind::PostgreSQL, "b_segunda").isEmpty());
    EXPECT_TRUE(files.names(DbKind::Oracle).isEmpty());
}

// Which text each kind runs: its own, the SQL Server one on Oracle, never the fallback for a
// statement that needs a text of its own, and an optional one only where it is written.
TEST(StatementSet, EachKindRunsItsOwnTextOrItsFallback) {
    Folder folder;
    for (const char* kind : {"sqlite", "postgresql", "mssql"}) {
        folder.add(kind, "comum", "SELECT 'comum'");
        folder.add(kind, "guardada", "SELECT 'guardada'");
    }
    folder.add("oracle", "guardada", "SELECT 'guardada' FROM DUAL");
    folder.add("postgresql", "opcional", "SET x TO 1");
    const StatementNeeds needs{{"comum", "guardada"}, {"guardada"}, {"opcional"}};

    struct Case {
        DbKind kind;
        const char* comum;
        const char* guardada;
        bool opcional;
    };
    const Case cases[] = {
        {DbKind::SQLite, "SELECT 'comum'", "SELECT 'guardada'", false},
        {DbKind::PostgreSQL, "SELECT 'comum'", "SELECT 'guardada'", true},
        {DbKind::SqlServer, "SELECT 'comum'", "SELECT 'guardada'", false},
        {DbKind::Oracle, "SELECT 'comum'", "SELECT 'guardada' FROM DUAL", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(dialect(c.kind).name().toStdString());
        const StatementSet set(folder.files(), dialect(c.kind), needs, "do teste");
        EXPECT_EQ(set.text("comum"), QString::fromLatin1(c.comum));
        EXPECT_EQ(set.text("guardada"), QString::fromLatin1(c.guardada));
        EXPECT_EQ(set.contains("opcional"), c.opcional);
        EXPECT_EQ(&set.dialect(), &dialect(c.kind));
    }
}

TEST(StatementSet, AMissingTextIsNamedWithTheKindWhenTheLibraryLoads) {
    Folder folder;
    folder.add("mssql", "um", "SELECT 1");
    folder.add("mssql", "dois", "SELECT 2");
    folder.add("sqlite", "um", "SELECT 1");
    folder.add("sqlite", "dois", "   \n"); // an empty file is no text
    folder.add("oracle", "um", "SELECT 1 FROM DUAL");
    const StatementNeeds needs{{"um", "dois"}, {"um"}, {}};
    EXPECT_EQ(appErrorOf([&] {
                  StatementSet(folder.files(), dialect(DbKind::SQLite), needs,
                               "da biblioteca de teste");
              }),
              "Faltam textos SQLite nas instruções da biblioteca de teste: dois.");
    EXPECT_EQ(appErrorOf([&] {
                  StatementSet(folder.files(), dialect(DbKind::PostgreSQL), needs, "do teste");
              }),
              "Faltam textos PostgreSQL nas instruções do teste: um, dois.");
    EXPECT_EQ(StatementSet::missing(folder.files(), dialect(DbKind::Oracle), needs), QStringList());
    // "um" needs an Oracle text of its own: without it the SQL Server text does not stand in.
    const StatementNeeds ownDois{{"um", "dois"}, {"dois"}, {}};
    EXPECT_EQ(StatementSet::missing(folder.files(), dialect(DbKind::Oracle), ownDois),
              QStringList{"dois"});
}

TEST(StatementSet, AFileThatNamesNoStatementIsRefused) {
    Folder folder;
    folder.add("sqlite", "um", "SELECT 1");
    folder.add("sqlite", "umm", "SELECT 1");
    const StatementNeeds needs{{"um"}, {}, {}};
    EXPECT_EQ(StatementSet::unknown(folder.files(), dialect(DbKind::SQLite), needs),
              QStringList{"umm"});
    EXPECT_EQ(appErrorOf([&] {
                  StatementSet(folder.files(), dialect(DbKind::SQLite), needs, "do teste");
              }),
              "As instruções do teste têm textos SQLite sem instrução correspondente: umm.");
}

TEST(StatementSet, AskingForAStatementTheLibraryDoesNotHaveNamesIt) {
    Folder folder;
    folder.add("sqlite", "um", "SELECT 1");
    const StatementSet set(folder.files(), dialect(DbKind::SQLite), {{"um"}, {}, {}}, "do teste");
    EXPECT_EQ(set.names(), QStringList{"um"});
    EXPECT_EQ(appErrorOf([&] { set.text("dois"); }),
              "A instrução dois não existe nas instruções do teste para SQLite.");
}

TEST(LibraryStatements, EachKindIsLoadedOnceAndCheckedWhenFirstAskedFor) {
    Folder folder;
    folder.add("sqlite", "um", "SELECT 1");
    const LibraryStatements library(folder.files().root(), "do teste", {{"um"}, {}, {}});
    const StatementSet& first = library.forDialect(dialect(DbKind::SQLite));
    EXPECT_EQ(&library.forDialect(dialect(DbKind::SQLite)), &first);
    EXPECT_EQ(appErrorOf([&] { library.forDialect(dialect(DbKind::PostgreSQL)); }),
              "Faltam textos PostgreSQL nas instruções do teste: um.");
}

// The common library's own statements are complete for every kind, the till's time zone
// only where the session follows it.
TEST(LibraryStatements, TheCommonLibraryHasEveryTextOfEveryKind) {
    test::expectLoadsOnEveryKind(commonStatements(), "prx_codigo", "NOVOCODIGO");
    for (DbKind kind : {DbKind::SQLite, DbKind::PostgreSQL, DbKind::SqlServer, DbKind::Oracle}) {
        const DbDialect& d = dialect(kind);
        EXPECT_EQ(commonStatements().forDialect(d).contains("session_timezone"),
                  d.followsTillTimeZone())
            << d.name().toStdString();
    }
}

// Qt finds placeholders without knowing comments: a comment that leaves a quote open or names
// a parameter is found, with its line; texts and quoted names are not comments.
TEST(CommentFault, QuotesLeftOpenAndParameterNamesInComments) {
    struct Caso {
        const char* text;
        int line; // 0: nothing to refuse
        const char* what;
    };
    const Caso casos[] = {
        {"SELECT 1 -- it's the first\nFROM T WHERE A = :P_A", 1, "aspas sem par (')"},
        {"SELECT 1\nFROM T\n/* the owner's\n   name */ WHERE A = :P_A", 3, "aspas sem par (')"},
        {"SELECT 1\n/* one\n   two's */ FROM T", 3, "aspas sem par (')"},
        {"-- \"aberto\nSELECT :P_A", 1, "aspas sem par (\")"},
        {"-- `aberto\nSELECT :P_A", 1, "aspas sem par (`)"},
        {"-- [opcional\nSELECT :P_A", 1, "aspas sem par ([)"},
        {"SELECT 1 -- binds :P_CDFILIAL\n", 1, "o nome de parâmetro :P_CDFILIAL"},
        {"SELECT 1\n\n-- after 10:30\n", 3, "o nome de parâmetro :30"},
        {"SELECT 'a\nb' -- it's\n", 2, "aspas sem par (')"},
        // Clean: quotes that close within their comment, texts and names holding "--".
        {"-- the tab list (\"_0001_0002_\")\nSELECT :P_A", 0, ""},
        {"-- [opcional] e 'citado'\nSELECT :P_A", 0, ""},
        {"SELECT 'it''s -- no comment' FROM T WHERE A = :P_A", 0, ""},
        {"SELECT \"A--B\" FROM T -- a::int and \"x:y\"", 0, ""},
        {"SELECT '/* no comment' FROM T WHERE A = :P_A -- end", 0, ""},
        {"SELECT 1 --", 0, ""},
        {"", 0, ""},
    };
    for (const Caso& c : casos) {
        const auto fault = commentFault(QString::fromUtf8(c.text));
        if (c.line == 0) {
            EXPECT_FALSE(fault.has_value()) << c.text << " -> " << fault->what.toStdString();
            continue;
        }
        ASSERT_TRUE(fault.has_value()) << c.text;
        EXPECT_EQ(fault->line, c.line) << c.text;
        EXPECT_EQ(fault->what, QString::fromUtf8(c.what)) << c.text;
    }
}

TEST(StatementSet, ACommentQtWouldMisreadIsRefusedWhenTheLibraryLoads) {
    Folder folder;
    folder.add("sqlite", "boa", "-- the list (\"_0001_\")\nSELECT :P_A");
    folder.add("sqlite", "ruim", "SELECT A\n  FROM T -- the owner's table\n WHERE B = :P_B");
    EXPECT_EQ(appErrorOf([&] {
                  StatementSet(folder.files(), dialect(DbKind::SQLite), {{"boa", "ruim"}, {}, {}},
                               "do teste");
              }),
              "A instrução ruim das instruções do teste (texto SQLite) tem, na linha 2, um "
              "comentário com aspas sem par ('): o Qt lê aspas e parâmetros também nos "
              "comentários. Corrija o comentário.");
    // An optional text is checked as well.
    EXPECT_TRUE(appErrorOf([&] {
                    StatementSet(folder.files(), dialect(DbKind::SQLite), {{"boa"}, {}, {"ruim"}},
                                 "do teste");
                }).contains("A instrução ruim das instruções do teste"));
}

// Every statement file of the project reads the same to Qt and to its database.
TEST(CommentFault, NoStatementFileOfTheProjectHasOne) {
    const QDir root(QStringLiteral(TMK_SOURCE_DIR));
    int checked = 0;
    QDirIterator it(root.path(), {QStringLiteral("*.sql")}, QDir::Files,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        const QString relative = root.relativeFilePath(path);
        if (relative.startsWith(QLatin1String("build")) || relative.startsWith(QLatin1Char('.'))) {
            continue;
        }
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::ReadOnly)) << relative.toStdString();
        const auto fault = commentFault(QString::fromUtf8(f.readAll()));
        EXPECT_FALSE(fault.has_value())
            << relative.toStdString() << ":" << fault->line << ": " << fault->what.toStdString();
        ++checked;
    }
    EXPECT_GT(checked, 300);
}

TEST(SplitStatements, OneStatementPerSemicolonAtTheEndOfALine) {
    const std::pair<const char*, QStringList> cases[] = {
        {"SELECT 1", {"SELECT 1"}},
        {"-- comentário\nPRAGMA a = 1;\n\nPRAGMA b = 2;\n", {"PRAGMA a = 1", "PRAGMA b = 2"}},
        {"SELECT 'a;b'\n  FROM T;\nSELECT 2", {"SELECT 'a;b'\nFROM T", "SELECT 2"}},
        {"-- só comentário\n\n", {}},
        {";\nSELECT 3;", {"SELECT 3"}},
    };
    for (const auto& [script, expected] : cases) {
        EXPECT_EQ(splitStatements(QString::fromUtf8(script)), expected) << script;
    }
}

} // namespace
} // namespace tmk
