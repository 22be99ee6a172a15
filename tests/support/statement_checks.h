#pragma once

#include "suite/common/statement_files.h"

#include <gtest/gtest.h>
#include <initializer_list>

namespace tmk::test {

// A library has every text it needs on each of the kinds: its statements load for the kind,
// and the named statement is there and mentions what it must.
inline void expectLoadsOnEveryKind(const LibraryStatements& library, const QString& statement,
                                   const QString& mentions,
                                   std::initializer_list<DbKind> kinds = {
                                       DbKind::SQLite, DbKind::PostgreSQL, DbKind::SqlServer,
                                       DbKind::Oracle}) {
    for (DbKind kind : kinds) {
        const DbDialect& dialect = DbDialect::forKind(kind);
        SCOPED_TRACE(dialect.name().toStdString());
        const StatementSet* set = nullptr;
        EXPECT_NO_THROW(set = &library.forDialect(dialect));
        if (set) {
            EXPECT_TRUE(set->text(statement).contains(mentions)) << statement.toStdString();
        }
    }
}

} // namespace tmk::test
