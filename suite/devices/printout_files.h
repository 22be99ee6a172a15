#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>

namespace tmk {

// The till's print folder, "Impressoes/" in the till folder.
QString printoutFolder();

// Stores one printout as "Impressoes/<yyyy-MM-dd_HH-mm-ss>_<kind>[_<id>].pdf", so that
// names sort by time and say what they hold; an earlier printout of the same name is
// never overwritten ("_2", "_3"... are added). The file appears whole or not at all.
// AppError naming the folder when it cannot be written. Returns the path.
QString savePrintout(const QByteArray& pdf, const QString& kind, const QString& id,
                     const QDateTime& when);

} // namespace tmk
