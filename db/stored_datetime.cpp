#include "db/stored_datetime.h"

namespace tmk::db {

QString storedDateTimeText(const QDateTime& value) {
    if (!value.isValid()) {
        return {};
    }
    return value.toString(QString::fromLatin1(kStoredDateTimeFormat));
}

QDateTime parseStoredDateTime(const QString& text) {
    return QDateTime::fromString(text, QString::fromLatin1(kStoredDateTimeFormat));
}

QVariant dateTimeBindValue(DbKind kind, const QDateTime& value) {
    if (kind == DbKind::SQLite) {
        return value.isValid() ? QVariant(storedDateTimeText(value))
                               : QVariant(QMetaType::fromType<QString>());
    }
    return value.isValid() ? QVariant(value) : QVariant(QMetaType::fromType<QDateTime>());
}

} // namespace tmk::db
