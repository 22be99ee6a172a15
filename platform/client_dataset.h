#pragma once

#include "platform/data_packet.h"

#include <QFlags>
#include <QHash>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <memory>
#include <optional>

namespace tmk {

class ClientDataSet;
class FilterExpression;

// Accessor of one column of the current record of a dataset. Reads return the
// type's neutral value for a null (empty text, 0, 0.0, false, invalid date-time).
class Field {
public:
    Field(ClientDataSet* dataSet, int index)
        : dataSet_(dataSet)
        , index_(index) {}

    const QString& name() const;
    FieldType type() const;
    int size() const;
    int index() const { return index_; }

    QVariant value() const; // the stored value; invalid when null
    bool isNull() const;
    QString asString() const;
    qlonglong asInteger() const;
    double asFloat() const;
    QDateTime asDateTime() const;
    bool asBoolean() const;

    // Writes into the record being edited or appended; converts to the column type
    // (AppError when it cannot). Outside edit or insert state throws AppError.
    void setValue(const QVariant& value);
    void clear() { setValue(QVariant()); }

private:
    // Throws AppError naming the field, the dataset and the file it was loaded from.
    [[noreturn]] void cannotRead(const QVariant& v, const QString& what) const;

    ClientDataSet* dataSet_;
    int index_;
};

// The in-memory table: named, typed columns, a cursor, indexes, a filter, and
// the XML data-packet file format.
//
// On a closed dataset navigation, field reads, edits, locate and emptyDataSet
// throw AppError naming the dataset and the operation; the structure calls,
// data() and saveToFile() work, recordCount() and recNo() give 0, eof() and bof()
// give true. Navigating, locating or changing index or filter while a record is
// being edited or appended posts it first; close() and setData() drop it.
// Indexes and the filter are settings of the dataset: they stay in force when
// new data is loaded, and loading a structure that lacks their fields throws.
class ClientDataSet {
public:
    enum class State { Inactive, Browse, Edit, Insert };

    enum class LocateOption { CaseInsensitive = 1, PartialKey = 2 };
    Q_DECLARE_FLAGS(LocateOptions, LocateOption)

    enum class IndexOption { CaseInsensitive = 1, Descending = 2 };
    Q_DECLARE_FLAGS(IndexOptions, IndexOption)

    explicit ClientDataSet(QString name = {});
    ~ClientDataSet();
    ClientDataSet(const ClientDataSet&) = delete;
    ClientDataSet& operator=(const ClientDataSet&) = delete;

    const QString& name() const { return name_; }

    // Structure. createDataSet opens an empty table with the field definitions.
    // setFieldDefs closes the dataset and drops its rows; duplicate or empty
    // names throw AppError.
    void setFieldDefs(const QList<FieldDef>& defs);
    const QList<FieldDef>& fieldDefs() const { return defs_; }
    int fieldCount() const { return int(defs_.size()); }
    void createDataSet();
    void open();  // opens with the current structure and rows
    void close(); // leaves rows and structure in place, cursor inactive
    bool active() const { return state_ != State::Inactive; }
    State state() const { return state_; }

    // Change log: kept as a flag only (edits always apply to the rows directly).
    void setLogChanges(bool on) { logChanges_ = on; }
    bool logChanges() const { return logChanges_; }

    // The whole table as a data packet (filter and index ignored, insertion order),
    // and loading one (replaces structure and rows, opens, cursor on the first row).
    DataPacket data() const;
    void setData(const DataPacket& packet);

    // Navigation over the visible records (filter and index applied), with the
    // classic flags: first() sets bof, last() sets eof; next() on the last record
    // sets eof and prior() on the first sets bof, the cursor staying where it is.
    // An empty view has eof and bof both true.
    void first();
    void last();
    void next();
    void prior();
    bool eof() const;
    bool bof() const;
    int recordCount() const; // visible records
    int recNo() const;       // 1-based position of the cursor; 0 when empty
    bool isEmpty() const { return recordCount() == 0; }

    // Fields of the current record. fieldByName throws AppError naming the field
    // and the dataset when it does not exist; findField returns nothing instead.
    Field fieldByName(const QString& name);
    std::optional<Field> findField(const QString& name);
    int fieldIndex(const QString& name) const; // -1 when absent; letter case ignored
    QVariant value(const QString& field) const;
    QVariant valueAt(int fieldIndex) const;

    // Editing. append starts a new empty record (Insert state); edit puts the
    // current record into Edit state (on an empty view it appends instead); post
    // stores it and returns to Browse; cancel drops the pending changes; remove
    // deletes the current record (while appending it cancels).
    // After post the record takes its place in the index and the cursor follows
    // it; a record that no longer passes the filter leaves the view and the
    // cursor stays at the same position, on the next record (eof when none), so
    // "while (!eof()) { edit(); ...; post(); }" visits every filtered record.
    // After remove the cursor is on the next record, or the previous one when
    // the last was removed. Field reads in Edit or Insert state see the pending
    // values.
    void append();
    void edit();
    void post();
    void cancel();
    void remove();
    void emptyDataSet();
    void setFieldValue(int fieldIndex, const QVariant& value);

    // Moves to the first visible record whose fields (names separated by ';')
    // equal the values (one value, or a QVariantList with one value per field).
    // Returns false and leaves the cursor where it was when nothing matches.
    bool locate(const QString& fields, const QVariant& values, LocateOptions options = {});

    // Indexes. addIndex defines a named index on fields separated by ';'; the
    // descending fields (subset, ';'-separated) sort downwards when the
    // Descending option is not given for the whole index. setIndexName makes one
    // current; setIndexFieldNames orders by the fields ascending without a name.
    // An empty name or field list returns to insertion order.
    void addIndex(const QString& indexName, const QString& fields, IndexOptions options = {},
                  const QString& descFields = {});
    void deleteIndexes();
    void setIndexName(const QString& indexName);
    void setIndexFieldNames(const QString& fields);
    QString indexName() const { return indexName_; }
    QString indexFieldNames() const;

    // Filters: a text such as "CDPRODUTO = 'X' AND IDCONFIGPROD <> 'CON'". The text is
    // parsed when the filter takes effect; a bad expression throws AppError naming it.
    void setFilter(const QString& expression);
    const QString& filter() const { return filterText_; }
    void setFiltered(bool on);
    bool filtered() const { return filtered_; }

    // XML data-packet files (DATAPACKET Version="2.0"). A missing, malformed,
    // truncated or mistyped file throws AppError naming the file and the fault
    // and leaves the dataset as it was. saveToFile writes the stored rows (not a
    // pending edit) atomically.
    void loadFromFile(const QString& path);
    void saveToFile(const QString& path) const;
    // The file the rows were last loaded from; empty once they come from elsewhere
    // (setData, setFieldDefs, createDataSet). Errors reading a field's value name it.
    const QString& fileName() const { return fileName_; }

private:
    friend class Field;
    struct IndexDef {
        QString name;
        QStringList fields;
        IndexOptions options;
        QStringList descFields;
    };
    struct SortKey {
        int field = 0;
        FieldType type = FieldType::Text;
        bool descending = false;
        bool caseInsensitive = false;
    };
    // What a structure needs besides its definitions; built before anything is
    // replaced so that a failure leaves the dataset as it was.
    struct Prepared {
        QHash<QString, int> fieldHash;
        std::shared_ptr<FilterExpression> filter;
        QList<SortKey> sortKeys;
    };

    QString label() const;
    void requireActive(const QString& operation) const;
    void requireBrowse(); // posts a pending edit (classic implicit post)
    QHash<QString, int> hashFields(const QList<FieldDef>& defs) const; // checks the names
    Prepared prepare(const QList<FieldDef>& defs) const;
    void commitStructure(Prepared prepared);
    QList<SortKey> resolveIndex(const IndexDef& index, const QList<FieldDef>& defs,
                                const QHash<QString, int>& hash) const;
    void applyIndex(const std::optional<IndexDef>& index, const QString& indexName);
    void rebuildView(int keepRow = -1);
    void placeRow(int row, int fallbackPos);
    void positionAt(int pos);
    bool rowVisible(int row) const;
    bool rowLess(int a, int b) const;
    int currentRow() const;                      // index into rows_, -1 when none
    int resolveField(const QString& name) const; // throws when absent
    static int lookupField(const QHash<QString, int>& hash, const QString& name);

    QString name_;
    QList<FieldDef> defs_;
    QHash<QString, int> fieldHash_; // upper-cased name -> column
    QList<QVariantList> rows_;
    QList<int> view_; // visible rows, in index order (ties in row order)
    int cursor_ = 0;  // position in view_; stays on the last record at eof
    bool bof_ = true;
    bool eofFlag_ = true;
    State state_ = State::Inactive;
    QVariantList buffer_; // record being edited or appended
    int editRow_ = -1;    // row under edit
    struct Position {
        int cursor = 0;
        bool bof = true;
        bool eof = true;
    } beforeInsert_;
    bool logChanges_ = true;

    QList<IndexDef> indexes_;
    QString indexName_;
    std::optional<IndexDef> activeIndex_;
    QList<SortKey> sortKeys_;

    QString fileName_;

    QString filterText_;
    bool filtered_ = false;
    std::shared_ptr<FilterExpression> filterExpr_;
};

Q_DECLARE_OPERATORS_FOR_FLAGS(ClientDataSet::LocateOptions)
Q_DECLARE_OPERATORS_FOR_FLAGS(ClientDataSet::IndexOptions)

} // namespace tmk
