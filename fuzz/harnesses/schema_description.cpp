// The schema description parser: any text is accepted or refused with a message
// naming the line; what it accepts generates the DDL of SQLite and PostgreSQL and a
// fingerprint without failing.
#include "db/schema.h"
#include "fuzz/harnesses.h"
#include "platform/errors.h"

#include <QString>

namespace tmk::fuzz {

namespace {

const char* const kName = "schema_description";

} // namespace

int schemaDescription(const std::uint8_t* data, std::size_t size) {
    const QString text = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    db::Schema schema;
    try {
        schema = db::parseSchema(text);
    } catch (const AppError&) {
        return 0;
    }
    try {
        for (const DbKind kind : {DbKind::SQLite, DbKind::PostgreSQL}) {
            (void)db::ddlStatements(schema, kind);
        }
        (void)db::schemaFingerprint(schema);
        for (const db::Table& t : schema.tables) {
            QStringList columns;
            for (const db::Column& c : t.columns) {
                columns << c.name;
            }
            if (!columns.isEmpty()) {
                (void)db::insertStatement(t, columns);
                if (!t.keyColumns().isEmpty()) {
                    (void)db::selectByKeyStatement(t, columns);
                }
            }
        }
    } catch (const AppError& e) {
        broken(kName, "an accepted description could not be turned into statements", e.what());
    }
    return 0;
}

} // namespace tmk::fuzz
