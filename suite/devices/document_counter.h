#pragma once

#include <QString>

namespace tmk {

// A numbering sequence of a simulated device ("Dispositivos/<name>.seq" in the till
// folder, holding the last number given as decimal text). Numbers never repeat: the
// next number is written (atomically, under a lock file shared by every instance and
// process of the till) before it is handed out, so a crash after that loses at most
// one number and never gives one twice.
class DocumentCounter {
public:
    // name: the file's base name ("NFCe-001"); maximum: the largest number the
    // document's numbering allows.
    DocumentCounter(QString name, qint64 maximum);

    // The next number. AppError naming the file when it cannot be read, holds
    // anything but a number, cannot be written, or the numbering is exhausted.
    qint64 next();
    // The last number given (0 when none yet); AppError as above for a damaged file.
    qint64 last() const;

    QString path() const;

private:
    qint64 readLast() const;

    QString name_;
    qint64 maximum_;
};

} // namespace tmk
