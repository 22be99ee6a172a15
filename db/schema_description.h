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
    int since = 1; // the schema version that added the column to an existing table

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
    int since = 1; // the schema version that added the index to existing databases
};

// A trigger that runs after rows of a table are inserted, updated or deleted. Its body
// is a list of statements written for every kind alike: NOVAS names the rows written
// (insert, update), ANTIGAS the rows as they were (update, delete), AGORA the current
// local date-time and UMA_HORA_ATRAS one hour before it. An update trigger names the
// columns whose change fires it.
struct Trigger {
    enum class Event { Insert, Update, Delete };
    QString name;
    QString table;
    Event event = Event::Insert;
    QStringList columns; // update triggers only
    QStringList statements;
};

// The tills are told of every statement that inserts, deletes or updates rows of a table
// (ChangeNotice, suite/common/change_notice.h): one notice per branch and store the
// statement touched, naming the table number when it touched one. An update counts when it
// changes one of the named columns or a column that places the row (key, branch, store,
// table number, the key of its parent); without named columns every update counts. A
// table that lacks the store or the table number finds them in its parent row (`in`
// PARENT, joined on the parent's key, which the table carries). The kind's dialect decides
// whether triggers raise the notices (a server) or the tills watch the database otherwise.
struct Notification {
    QString table;
    QStringList columns; // empty: every update
    QString parent;      // empty: none

    // The names of its triggers, one per event: "TN_" + table + "_INS" / "_UPD" / "_DEL".
    QString triggerName(Trigger::Event event) const;
    // The columns a notice is made of.
    static QString branchColumn() { return QStringLiteral("CDFILIAL"); }
    static QString storeColumn() { return QStringLiteral("CDLOJA"); }
    static QString tableNumberColumn() { return QStringLiteral("NRMESA"); }
};

struct Schema {
    int version = 0;
    QList<Table> tables;
    QList<Index> indexes;
    QList<Trigger> triggers;
    QList<Notification> notifications;
    // Columns that statements compute and no table stores, typed for the data packets.
    QList<Column> results;

    const Table* table(const QString& name) const; // letter case ignored; nullptr if absent
    // The description as it stood at an earlier version: without the columns and indexes
    // added later.
    Schema at(int earlierVersion) const;
};

// Parses the line format of db/schema.txt. Throws AppError naming the line of the
// first fault: unknown keyword or type, text without width, bad or too long name,
// duplicate table, column, index or trigger, a column name typed differently in two
// places, an index or trigger over an unknown table or column, a trigger without
// statements or naming rows its event does not have, a notification of a table without
// a branch, without a store it or its parent carries, or named twice, a missing version.
Schema parseSchema(const QString& text);

// Names of tables, columns, indexes and keys are at most this long (the shortest
// limit of the database kinds the statements are written for).
inline constexpr int kMaxNameLength = 30;

} // namespace tmk::db
