#pragma once

#include "platform/db_kind.h"

#include <QDateTime>
#include <QString>
#include <QVariant>

namespace tmk::db {

// SQLite keeps date-times as text, always in the form "yyyy-MM-dd HH:mm:ss.zzz"
// ("2024-03-15 13:45:30.123"; dates are that form at midnight). The schema rejects any
// other text in a date-time column, so that MAX, MIN, ORDER BY and comparisons stay
// right: every bind goes through these functions and every SQLite statement that
// computes a date-time writes the same form (strftime('%Y-%m-%d %H:%M:%f', ...)).
// PostgreSQL keeps TIMESTAMP(3) and binds QDateTime values directly.
inline constexpr char kStoredDateTimeFormat[] = "yyyy-MM-dd HH:mm:ss.zzz";

// The stored text of a date-time; a null text for an invalid date-time.
QString storedDateTimeText(const QDateTime& value);
// A stored text read back; invalid when the text is not in the stored form.
QDateTime parseStoredDateTime(const QString& text);
// The value to bind for a date-time parameter or column of the kind: the stored text
// on SQLite, the date-time itself elsewhere; a null value for an invalid date-time.
QVariant dateTimeBindValue(DbKind kind, const QDateTime& value);

} // namespace tmk::db
