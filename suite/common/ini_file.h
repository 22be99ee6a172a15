#pragma once

#include <QList>
#include <QPair>
#include <QString>

namespace tmk {

// A small settings file: "[Group]" lines and "key=value" lines, UTF-8. Group and key
// names are compared without letter case; values are taken as written (trimmed, never
// split at commas). Lines starting with ';' or '#' are comments.
class IniFile {
public:
    // Reads the file; throws AppError naming it when it cannot be read.
    static IniFile load(const QString& path);
    static IniFile fromText(const QString& text);

    // The pairs of a group, in file order (later duplicates follow earlier ones).
    QList<QPair<QString, QString>> group(const QString& name) const;
    QString value(const QString& group, const QString& key) const; // last one wins

private:
    struct Entry {
        QString group;
        QString key;
        QString value;
    };
    QList<Entry> entries_;
};

} // namespace tmk
