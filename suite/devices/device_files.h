#pragma once

#include <QByteArray>
#include <QString>

namespace tmk {

// Path of a file of the simulated devices: "Dispositivos/<name>" in the till folder.
QString deviceFilePath(const QString& name);

// Writes a device file atomically (the folder is created when missing). False, with
// a log line naming the file and the reason, when it cannot be written; the old
// contents then stay intact.
bool writeDeviceFile(const QString& name, const QByteArray& contents);

// A folder named by the till's settings: absolute as given, or relative to the till
// folder ("\Dados\XML_NFCe_Sat\..." too); backslashes become slashes.
QString resolveTillFolder(const QString& folder);

// Creates the folder when missing and checks that a file can be created in it.
// AppError "Não foi possível gravar <what> na pasta <folder>: ..." otherwise.
void requireWritableFolder(const QString& folder, const QString& what);

// Writes a file atomically (a temporary file renamed over the target). AppError naming
// the file and the reason when it cannot; the target is then left as it was.
void writeFileAtomically(const QString& path, const QByteArray& contents);

} // namespace tmk
