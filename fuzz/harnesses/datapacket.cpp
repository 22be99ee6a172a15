// Data-packet files: whatever the reader accepts, the writer writes, and the writer's
// text reads back to the same packet; a second write gives the same bytes.
#include "fuzz/harnesses.h"
#include "platform/datapacket_xml.h"
#include "platform/errors.h"

#include <QByteArray>
#include <QString>

namespace tmk::fuzz {

namespace {

const char* const kName = "datapacket";

QByteArray written(const DataPacket& p, const char* stage) {
    try {
        return dataPacketToXml(p);
    } catch (const AppError& e) {
        broken(kName, stage, e.what());
    }
}

DataPacket readBack(const QByteArray& xml, const char* stage) {
    try {
        return parseDataPacketXml(xml, QStringLiteral("escrito"));
    } catch (const AppError& e) {
        broken(kName, stage, e.what());
    }
}

} // namespace

int dataPacket(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    DataPacket first;
    try {
        first = parseDataPacketXml(bytes, QStringLiteral("entrada"));
    } catch (const AppError&) {
        return 0; // refused with a message: fine
    }
    const QByteArray xml1 = written(first, "a packet that was read could not be written");
    const DataPacket second = readBack(xml1, "the written packet could not be read back");
    if (second.rows != first.rows) {
        broken(kName, "the rows read back differ from the rows read", xml1.constData());
    }
    if (second.fields.size() != first.fields.size()) {
        broken(kName, "the fields read back differ in number");
    }
    for (qsizetype i = 0; i < first.fields.size(); ++i) {
        if (first.fields[i].name != second.fields[i].name ||
            first.fields[i].type != second.fields[i].type) {
            broken(kName, "a field read back differs in name or type", xml1.constData());
        }
    }
    const QByteArray xml2 = written(second, "the packet read back could not be written");
    if (xml2 != xml1) {
        broken(kName, "writing the packet read back gave other bytes", xml2.constData());
    }
    return 0;
}

} // namespace tmk::fuzz
