#pragma once

#include <QDateTime>
#include <QList>
#include <QMetaType>
#include <QString>
#include <QVariant>

namespace tmk {

// Column types of a data packet and of a client dataset. Values are held as
// QString (Text), qlonglong (Integer), double (Float), bool (Boolean) and
// QDateTime (DateTime); an invalid QVariant is a null value.
enum class FieldType { Text, Integer, Float, Boolean, DateTime };

QString fieldTypeName(FieldType type);

struct FieldDef {
    QString name;
    FieldType type = FieldType::Text;
    int size = 0; // width of a text column; 0 when not given

    bool operator==(const FieldDef&) const = default;
};

// Converts a value to the representation of a column type. A null or empty
// input gives a null value; a value that cannot be converted throws AppError.
QVariant coerceToFieldType(const QVariant& value, FieldType type, const QString& fieldName);

// The self-describing record set that read operations return and client
// datasets load: column definitions and rows of values in column order.
struct DataPacket {
    QList<FieldDef> fields;
    QList<QVariantList> rows;

    // Index of a column by name, letter case ignored; -1 when absent.
    int fieldIndex(const QString& name) const;
    int rowCount() const { return int(rows.size()); }
    bool isEmpty() const { return rows.isEmpty(); }
    // Value of a column in a row; null when the row or column does not exist.
    QVariant value(int row, const QString& field) const;
    QStringList fieldNames() const;

    bool operator==(const DataPacket&) const = default;
};

} // namespace tmk

Q_DECLARE_METATYPE(tmk::DataPacket)
