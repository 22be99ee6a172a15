#pragma once

#include "platform/db_kind.h"

#include <QSqlDatabase>
#include <QString>

namespace tmk::test {

// Makes the database refuse a change, so a test can make a statement fail in the middle
// of an operation: a trigger raises an error before every row of the event ("INSERT",
// "DELETE", "UPDATE OF COLUMN") on the table that meets the condition (written with
// NEW.COL or OLD.COL). Fails the test when the trigger cannot be made.
void refuse(QSqlDatabase db, DbKind kind, const QString& table, const QString& event,
            const QString& condition);

} // namespace tmk::test
