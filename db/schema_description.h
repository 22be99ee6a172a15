#pragma once

#include "platform/data_packet.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace tmk::db {

// A column of the schema description. A text column has its width as size; a long
// text ("memo") is a Text column of size 0. Key columns are always not null.
struct Column {
    QString name;
    FieldType type = FieldType::Text;
    int size = 0;
    bool key = false;
    bool notNull = false;

    bool isMemo() const { return type == FieldType::Text && size == 0; }
    FieldDef fieldDef() const { return {name, type, size}; }
};

struct Table {
    QString name;
    QList<Column> columns;

    // The primary key, in the order the columns are listed; empty for a keyless table.
    QStringList keyColumns() const;
    // The column of that name (letter case ignored), or nullptr.
    const Column* column(const QString& name) const;
};

struct Index {
    QString name;
    QString table;
    QStringList columns;
};

struct Schema {
    int version = 0;
    QList<Table> tables;
    QList<Index> indexes;
    // Columns that statements compute and no table stores, typed for the data packets.
    QList<Column> results;

    const Table* table(const QString& name) const; // letter case ignored; nullptr if absent
};

// Parses the line format of db/schema.txt. Throws AppError naming the line of the
// first fault: unknown keyword or type, text without width, bad or too long name,
// duplicate table, column or index, a column name typed differently in two places,
// an index over an unknown table or column, a missing version.
Schema parseSchema(const QString& text);

// Names of tables, columns, indexes and keys are at most this long (the shortest
// limit of the database kinds the statements are written for).
inline constexpr int kMaxNameLength = 30;

} // namespace tmk::db
