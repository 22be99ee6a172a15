#pragma once

#include <QString>

namespace tmk {

// The till folder holds the till's local files (parameter file, cadastre files,
// database, device spools). It is the executable's folder unless the host names
// another one.
QString tillFolder();
void setTillFolder(const QString& folder);

// Maps a path of the till's own notation ("\Dados\Cadastros\AliqImpFis.cds") to the
// same names under the till folder.
QString tillPath(const QString& relativePath);

} // namespace tmk
