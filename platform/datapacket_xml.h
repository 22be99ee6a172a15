#pragma once

#include "platform/data_packet.h"

#include <QByteArray>
#include <QString>

namespace tmk {

// The XML data-packet file format of the till's local files:
//
//   <?xml version="1.0" standalone="yes"?>
//   <DATAPACKET Version="2.0"><METADATA><FIELDS>
//     <FIELD attrname="CDFILIAL" fieldtype="string" WIDTH="4"/>...
//   </FIELDS><PARAMS/></METADATA>
//   <ROWDATA><ROW CDFILIAL="0001" .../>...</ROWDATA></DATAPACKET>
//
// One attribute per non-null value; a null value has no attribute. Written
// types: "string" (with WIDTH), "i4" or "i8", "r8", "boolean" ("TRUE"/"FALSE"),
// "dateTime" (yyyyMMddTHH:mm:sszzz). Read besides: "string.uni", "i1", "i2",
// "ui1", "ui2", "ui4", "r4", "fixed", "fixedFMT", "date" (yyyyMMdd), "time"
// (HH:mm:sszzz, on 30/12/1899) and "SQLdateTime". Files are written in UTF-8.
// Read besides: UTF-8 with a byte-order mark, UTF-16 with a byte-order mark or with
// the encoding declared in the prolog, any encoding the prolog declares, and Latin-1
// for a file without a declaration that is not valid UTF-8. The codes of the store
// (isKeyCodeColumn) are text columns: declared with another type, the file is
// refused, and such a packet is never written.
// A "RowState" attribute of a row (a change-log mark) is ignored unless a
// column carries that name.

// Reads a file. Throws AppError naming the file and the fault when the file
// cannot be read, is malformed or truncated, has an unknown field type, or a
// value that does not fit its column.
DataPacket readDataPacketFile(const QString& path);

// Writes a file atomically (the old file stays intact on any failure). Throws
// AppError naming the file when a value cannot be represented or the file
// cannot be written.
void writeDataPacketFile(const QString& path, const DataPacket& packet);

// The same format in memory; `sourceName` names the data in error messages.
DataPacket parseDataPacketXml(const QByteArray& xml, const QString& sourceName);
QByteArray dataPacketToXml(const DataPacket& packet, const QString& targetName = {});

} // namespace tmk
