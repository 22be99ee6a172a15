#include "tests/scan/splice_scan.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <gtest/gtest.h>

#ifndef TMK_SOURCE_DIR
#error "TMK_SOURCE_DIR names the root of the sources"
#endif

using namespace tmk::scan;

namespace {

QList<Finding> scan(const char* code) {
    return scanSource(QStringLiteral("x.cpp"), QString::fromUtf8(code));
}

QString readAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

} // namespace

TEST(SpliceScan, JoinedValuesAreFound) {
    const struct {
        const char* code;
        const char* reason;
    } cases[] = {
        {"cds.setFilter(\"CDPRODUTO = '\" + codigo + \"'\");", "filterLiteral: codigo"},
        {"cds.setFilter(QStringLiteral(\"NRMESA = '%1'\").arg(mesa));", "filterLiteral: mesa"},
        {"cds.setFilter(QStringLiteral(\"A = %1 AND B = %2\").arg(filterLiteral(a)).arg(2));",
         "encadeado"},
        {"QString filtro = QStringLiteral(\"CDFILIAL = \") + st.CdFilial;", "filterLiteral: st"},
        {"filter += QLatin1String(\" AND X = \") % valor;", "filterLiteral: valor"},
        {"q.exec(QStringLiteral(\"DELETE FROM MESA WHERE NRMESA = \") + nrMesa);", "nrMesa"},
        {"q.exec(QString::asprintf(\"SELECT * FROM X WHERE A = %d\", n));", "parâmetros: n"},
        {"const QString text = QStringLiteral(\"SELECT A FROM T WHERE B = '%1'\").arg(b);",
         "parâmetros: b"},
        {"q.prepare(\"UPDATE MESA SET IDSTATUS = '\" + status + \"' WHERE 1 = 1\");", "status"},
        {"statement = statement.arg(nome);", "parâmetros: nome"},
        {"QString sql = \"select\"; sql += x;", "parâmetros: x"},
        {"auto s = QStringLiteral(\"INSERT INTO T (A) VALUES (%1)\").arg(QString::number(n))\n"
         "    .arg(x);",
         "encadeado"},
    };
    for (const auto& c : cases) {
        const QList<Finding> found = scan(c.code);
        ASSERT_EQ(found.size(), 1) << c.code;
        EXPECT_TRUE(found[0].reason.contains(QString::fromUtf8(c.reason)))
            << c.code << " -> " << found[0].reason.toStdString();
        EXPECT_EQ(found[0].file, "x.cpp");
        EXPECT_EQ(found[0].line, 1);
    }
}

TEST(SpliceScan, BoundQuotedAndConstantPiecesPass) {
    const char* const cases[] = {
        "cds.setFilter(QStringLiteral(\"CDPRODUTO = \") + filterLiteral(codigo));",
        "cds.setFilter(QStringLiteral(\"A = %1 AND B = %2\")"
        ".arg(filterLiteral(a), QString::number(page)));",
        "cds.setFilter(QStringLiteral(\"IDTIPORECE = '1' OR IDTIPORECE = '2'\"));",
        "cds.setFilter(filtro);",
        "q.prepare(catalogue.text(name)); q.bindValue(\":P_NRMESA\", nrMesa); q.exec();",
        "q.exec(QStringLiteral(\"SELECT 1 FROM X WHERE A = \") + QString::number(7));",
        "throw AppError(QStringLiteral(\"Mesa %1 não encontrada.\").arg(mesa).arg(x));",
        "const QString msg = QStringLiteral(\"Erro na instrução %1\").arg(statementName);",
        "// q.exec(\"SELECT \" + x);\n",
        "/* cds.setFilter(\"A = \" + b); */",
        "// statement-scan: names from the schema description, not values\n"
        "const QString ddl = QStringLiteral(\"CREATE TABLE %1 (%2)\").arg(t.name, columns);",
        "const QString ddl = QStringLiteral(\"CREATE INDEX %1 ON %2\")\n"
        "    .arg(ix.name, table); // statement-scan: names of the schema",
        "dialog.exec(); box.exec();",
    };
    for (const char* code : cases) {
        const QList<Finding> found = scan(code);
        EXPECT_TRUE(found.isEmpty()) << code << " -> " << found.value(0).reason.toStdString();
    }
}

TEST(SpliceScan, AMarkerWithoutAReasonDoesNotCount) {
    EXPECT_EQ(scan("// statement-scan:\n"
                   "const QString ddl = QStringLiteral(\"DROP TABLE %1\").arg(t.name);")
                  .size(),
              1);
}

TEST(SpliceScan, TheAllowListNamesFileAndCode) {
    const QList<Allowed> list = parseAllowList(
        QStringLiteral("# comment\n\nscreen/a.cpp | \"A = '%1'\"\n  b.cpp|x . arg ( y )  \nbad\n"));
    ASSERT_EQ(list.size(), 2);
    EXPECT_EQ(list[0].file, "screen/a.cpp");
    EXPECT_EQ(list[0].snippet, "\"A = '%1'\"");
    EXPECT_EQ(list[1].file, "b.cpp");
    EXPECT_EQ(list[1].snippet, "x . arg ( y )");
}

// Every C++ source of the product, scanned: a finding not in the allow-list fails.
TEST(SpliceScan, TheProductJoinsNoValueIntoAStatementOrAFilter) {
    const QDir root(QStringLiteral(TMK_SOURCE_DIR));
    const QList<Allowed> allowed =
        parseAllowList(readAll(root.filePath(QStringLiteral("tests/scan/allowed_splices.txt"))));
    QList<bool> used(allowed.size(), false);
    int files = 0;
    for (const char* folder : {"platform", "external", "suite", "db", "service", "screen",
                               "package", "host", "bench", "fuzz", "tools"}) {
        QDirIterator it(root.filePath(QString::fromLatin1(folder)),
                        {QStringLiteral("*.cpp"), QStringLiteral("*.h")}, QDir::Files,
                        QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString path = it.next();
            const QString relative = root.relativeFilePath(path);
            ++files;
            for (const Finding& f : scanSource(relative, readAll(path))) {
                bool let = false;
                for (int a = 0; a < allowed.size(); ++a) {
                    if (allowed[a].file == relative && f.code.contains(allowed[a].snippet)) {
                        used[a] = true;
                        let = true;
                    }
                }
                if (!let) {
                    ADD_FAILURE() << relative.toStdString() << ":" << f.line << ": "
                                  << f.reason.toStdString() << "\n    " << f.code.toStdString();
                }
            }
        }
    }
    EXPECT_GT(files, 100) << "the sources were not found under " << TMK_SOURCE_DIR;
    for (int a = 0; a < allowed.size(); ++a) {
        if (!used[a]) {
            // Not a failure: the code may be mended before the list is.
            std::cout << "allowed_splices.txt: the entry for " << allowed[a].file.toStdString()
                      << " no longer matches anything; remove it.\n";
        }
    }
}
