// A dataset whose columns of every type are filled from the input, each field read
// as text, integer, float, date-time and boolean: a value a reader cannot give is
// refused with a message, never undefined behaviour.
//
// Input: 8 bytes of an integer, 8 bytes of a float (both in the machine's order), one
// byte choosing the type the text is converted to, then the text (UTF-8).
#include "fuzz/harnesses.h"
#include "platform/client_dataset.h"
#include "platform/errors.h"

#include <QDateTime>
#include <cstring>

namespace tmk::fuzz {

namespace {

const char* const kName = "dataset_fields";

constexpr FieldType kTypes[] = {FieldType::Text, FieldType::Integer, FieldType::Float,
                                FieldType::Boolean, FieldType::DateTime};

QVariant converted(const QVariant& value, FieldType type) {
    try {
        return coerceToFieldType(value, type, QStringLiteral("CAMPO"));
    } catch (const AppError&) {
        return {};
    }
}

void readEveryWay(const Field& f) {
    try {
        (void)f.asString();
    } catch (const AppError&) {
    }
    try {
        (void)f.asInteger();
    } catch (const AppError&) {
    }
    try {
        (void)f.asFloat();
    } catch (const AppError&) {
    }
    try {
        (void)f.asDateTime();
    } catch (const AppError&) {
    }
    try {
        (void)f.asBoolean();
    } catch (const AppError&) {
    }
}

} // namespace

int datasetFields(const std::uint8_t* data, std::size_t size) {
    unsigned char head[17] = {};
    std::memcpy(head, data, size < sizeof head ? size : sizeof head);
    qlonglong integer = 0;
    double real = 0;
    std::memcpy(&integer, head, sizeof integer);
    std::memcpy(&real, head + 8, sizeof real);
    const FieldType chosen = kTypes[head[16] % std::size(kTypes)];
    const QString text = size > sizeof head
                             ? QString::fromUtf8(reinterpret_cast<const char*>(data) + sizeof head,
                                                 qsizetype(size - sizeof head))
                             : QString();

    DataPacket p;
    p.fields = {{QStringLiteral("TX"), FieldType::Text, 0},
                {QStringLiteral("NR"), FieldType::Integer, 0},
                {QStringLiteral("VR"), FieldType::Float, 0},
                {QStringLiteral("BO"), FieldType::Boolean, 0},
                {QStringLiteral("DT"), FieldType::DateTime, 0},
                {QStringLiteral("CV"), chosen, 0}};
    p.rows = {
        {text, integer, real, bool(head[16] & 0x80), converted(text, FieldType::DateTime),
         converted(text, chosen)},
        // The numbers through the other numeric type and through a text column.
        {QString::number(integer), converted(real, FieldType::Integer),
         converted(integer, FieldType::Float), QVariant(), QVariant(), converted(real, chosen)},
    };
    ClientDataSet ds(QStringLiteral("cdsFuzz"));
    try {
        ds.setData(p);
    } catch (const AppError& e) {
        broken(kName, "values already in their column types were refused", e.what());
    }
    for (ds.first(); !ds.eof(); ds.next()) {
        for (int i = 0; i < ds.fieldCount(); ++i) {
            readEveryWay(Field(&ds, i));
        }
    }
    // The numbers written into a column of every type (the text went through the same
    // conversion above), then read every way.
    for (const FieldType type : kTypes) {
        ClientDataSet typed(QStringLiteral("cdsTipado"));
        typed.setFieldDefs({{QStringLiteral("V"), type, 0}});
        typed.createDataSet();
        for (const QVariant& v : {QVariant(integer), QVariant(real)}) {
            typed.append();
            try {
                typed.fieldByName(QStringLiteral("V")).setValue(v);
                typed.post();
            } catch (const AppError&) {
                typed.cancel();
                continue;
            }
            readEveryWay(typed.fieldByName(QStringLiteral("V")));
        }
    }
    return 0;
}

} // namespace tmk::fuzz
