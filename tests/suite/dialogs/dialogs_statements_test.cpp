#include "suite/dialogs/dialogs_statements.h"
#include "tests/suite/print_qstring.h"

#include <gtest/gtest.h>

namespace tmk {
namespace {

// The drivers find named parameters by scanning the whole text, comments included: a
// lone apostrophe in a comment ("the waiter's") opens a literal that hides every
// parameter after it, and the statement then fails with a parameter count mismatch.
TEST(DialogsStatements, CommentsNeverOpenALiteral) {
    for (const DbKind kind :
         {DbKind::SQLite, DbKind::PostgreSQL, DbKind::SqlServer, DbKind::Oracle}) {
        const StatementSet& set = dialogsStatements().forDialect(DbDialect::forKind(kind));
        for (const QString& name : set.names()) {
            int quotes = 0;
            for (const QString& line : set.text(name).split(QLatin1Char('\n'))) {
                if (line.trimmed().startsWith(QLatin1String("--"))) {
                    quotes += line.count(QLatin1Char('\''));
                }
            }
            EXPECT_EQ(quotes % 2, 0) << name.toStdString() << " ("
                                     << DbDialect::forKind(kind).name().toStdString() << ")";
        }
    }
}

} // namespace
} // namespace tmk
