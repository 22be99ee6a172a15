// Preparing the demo till at start: its database, its local files, its store.
#include "db/demo/demo_store.h"
#include "db/schema.h"
#include "external/common.h"
#include "platform/errors.h"
#include "platform/till_folder.h"

#include <QDir>
#include <QFileInfo>
#include <QLoggingCategory>

Q_DECLARE_LOGGING_CATEGORY(lcDemo)

namespace tmk {

namespace {

const QString kConnectionName = QStringLiteral("tmk_preparo_demo");

// Makes the given folder the till folder while the till is prepared (the connection
// settings and the default SQLite file are found through it).
class TillFolderScope {
public:
    explicit TillFolderScope(const QString& folder)
        : previous_(tillFolder()) {
        setTillFolder(folder);
    }
    ~TillFolderScope() { setTillFolder(previous_); }
    TillFolderScope(const TillFolderScope&) = delete;
    TillFolderScope& operator=(const TillFolderScope&) = delete;

private:
    QString previous_;
};

// The connection of the preparation, closed and removed however it ends.
class PreparationConnection {
public:
    PreparationConnection()
        : db_(openConnection(_GetStringConexKov(QString()), kConnectionName)) {}
    ~PreparationConnection() {
        db_.close();
        db_ = QSqlDatabase();
        QSqlDatabase::removeDatabase(kConnectionName);
    }
    PreparationConnection(const PreparationConnection&) = delete;
    PreparationConnection& operator=(const PreparationConnection&) = delete;

    QSqlDatabase& db() { return db_; }

private:
    QSqlDatabase db_;
};

} // namespace

bool prepareDemoTill(const QString& tillFolder, const QDateTime& now) {
    if (tillFolder.trimmed().isEmpty()) {
        throw AppError(QStringLiteral("A pasta do caixa não foi informada."));
    }
    const TillFolderScope scope(tillFolder);
    bool created = false;
    try {
        // The database first: when it cannot be opened the folder stays untouched.
        PreparationConnection connection;
        QSqlDatabase& db = connection.db();
        SetADODBSession(db);
        db::ensureSchema(db);
        if (!QFileInfo::exists(QDir(tillFolder).filePath(QStringLiteral("PARAMETROSKOV.CDS")))) {
            writeDemoTillFiles(tillFolder, now);
            created = true;
            qCInfo(lcDemo) << "demo till files written in" << tillFolder;
        }
        if (!databaseHasBranch(db)) {
            createDemoDatabase(db, now);
            created = true;
        }
    } catch (const AppError& e) {
        throw AppError(QStringLiteral("Não foi possível preparar o caixa de demonstração: %1")
                           .arg(e.message()));
    }
    return created;
}

} // namespace tmk
