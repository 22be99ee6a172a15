#include "external/common.h"
#include "platform/errors.h"
#include "platform/till_folder.h"
#include "suite/common/connection_text.h"
#include "suite/common/db_dialect.h"
#include "suite/common/ini_file.h"

#include <QDir>
#include <QFileInfo>

namespace tmk {

namespace {

// The keys of the settings file, in the order they are written into the text.
const char* const knownKeys[] = {"Provider", "Data Source",     "Host",    "Port",
                                 "Database", "Initial Catalog", "User ID", "Password"};

QString defaultConnectionText() {
    ConnectionText c;
    c.set(QStringLiteral("Provider"), QStringLiteral("QSQLITE"));
    c.set(QStringLiteral("Data Source"), QDir(tillFolder()).filePath(QStringLiteral("tmk.db")));
    return c.toString();
}

} // namespace

// The settings file is "Conexao.ini" of the till folder, group [Conexao]; another
// file name (relative to the till folder) may be given. Without the file the till
// uses the SQLite database "tmk.db" of its folder.
QString _GetStringConexKov(const QString& a1) {
    const QString name = a1.trimmed().isEmpty() ? QStringLiteral("Conexao.ini") : a1.trimmed();
    const QString path = QFileInfo(name).isAbsolute() ? name : tillPath(name);
    if (!QFileInfo::exists(path)) {
        return defaultConnectionText();
    }
    const IniFile ini = IniFile::load(path);
    const auto pairs = ini.group(QStringLiteral("Conexao"));
    ConnectionText c;
    for (const char* key : knownKeys) {
        const QString k = QString::fromLatin1(key);
        const QString v = ini.value(QStringLiteral("Conexao"), k);
        if (!v.isEmpty()) {
            c.set(k, v);
        }
    }
    for (const auto& [key, value] : pairs) {
        if (!c.has(key) && !value.isEmpty()) {
            c.set(key, ini.value(QStringLiteral("Conexao"), key));
        }
    }
    if (c.value(QStringLiteral("Provider")).isEmpty()) {
        throw AppError(QStringLiteral("O arquivo %1 não indica o provedor do banco de dados "
                                      "(Provider) no grupo [Conexao].")
                           .arg(QDir::toNativeSeparators(path)));
    }
    const QString text = c.toString();
    DbDialect::forConnectionText(text); // an unknown provider is reported here, naming it
    return text;
}

} // namespace tmk
