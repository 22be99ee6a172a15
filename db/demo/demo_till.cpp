// Preparing the demo till at start: its database, its local files, its store.
#include "db/demo/demo_store.h"
#include "db/schema.h"
#include "external/common.h"
#include "platform/errors.h"
#include "platform/till_folder.h"
#include "suite/common/connection_text.h"
#include "suite/common/db_dialect.h"

#include <QDir>
#include <QFile>
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
    PreparationConnection(const QString& connectionText, DatabaseFile file)
        : db_(openConnection(connectionText, kConnectionName, file)) {}
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

// The SQLite file a connection text names (relative names are in the till folder);
// empty for any other kind and for a database in memory.
QString sqliteFileOf(const QString& connectionText) {
    if (DbDialect::forConnectionText(connectionText).hasServer()) {
        return {};
    }
    const QString file =
        ConnectionText::parse(connectionText).value(QStringLiteral("Data Source")).trimmed();
    if (file.isEmpty() || file == QLatin1String(":memory:")) {
        return {};
    }
    return QFileInfo(file).isAbsolute() ? file : tillPath(file);
}

[[noreturn]] void lost(const QString& database, const QString& state) {
    throw TillDatabaseLost(
        QStringLiteral("O banco de dados do caixa (%1) %2, mas este caixa já foi preparado "
                       "(a pasta tem o PARAMETROSKOV.CDS): o histórico da loja pode ter sido "
                       "perdido. Nada foi criado. Restaure o banco de dados a partir de uma "
                       "cópia de segurança; para começar do zero com a loja de demonstração, "
                       "apague o banco de dados e o PARAMETROSKOV.CDS.")
            .arg(database, state));
}

// Removes an SQLite file (and its journals) that a failed first preparation created,
// so that the next start prepares the folder again instead of finding an empty file.
class CreatedSqliteFile {
public:
    explicit CreatedSqliteFile(QString file)
        : file_(std::move(file)) {}
    ~CreatedSqliteFile() {
        if (file_.isEmpty()) {
            return;
        }
        for (const char* suffix : {"", "-journal", "-wal", "-shm"}) {
            QFile::remove(file_ + QString::fromLatin1(suffix));
        }
        qCWarning(lcDemo).noquote() << "removed the database file of a failed preparation:"
                                    << QDir::toNativeSeparators(file_);
    }
    CreatedSqliteFile(const CreatedSqliteFile&) = delete;
    CreatedSqliteFile& operator=(const CreatedSqliteFile&) = delete;
    void keep() { file_.clear(); }

private:
    QString file_;
};

TillPreparation prepare(const QString& tillFolder, const QDateTime& now, const QString& cdCaixa) {
    TillPreparation done;
    const bool firstTime =
        !QFileInfo::exists(QDir(tillFolder).filePath(QStringLiteral("PARAMETROSKOV.CDS")));
    const QString text = _GetStringConexKov(QString());
    const QString sqliteFile = sqliteFileOf(text);
    bool newSqliteFile = false;
    if (!sqliteFile.isEmpty()) {
        const QFileInfo info(sqliteFile);
        const QString shown = QDir::toNativeSeparators(sqliteFile);
        // A file of 0 bytes holds no database: a new one in a folder prepared for the
        // first time, a lost one in a folder prepared before.
        if (info.exists() && info.isFile() && info.size() == 0 && !firstTime) {
            lost(shown, QStringLiteral("está vazio (0 bytes)"));
        }
        if (!info.exists()) {
            if (!firstTime) {
                lost(shown, QStringLiteral("não existe"));
            }
            newSqliteFile = true;
        }
    }

    // The database first: when it cannot be opened the folder stays untouched.
    CreatedSqliteFile created(newSqliteFile ? sqliteFile : QString());
    QDateTime abertura;
    {
        PreparationConnection connection(text, newSqliteFile ? DatabaseFile::MayCreate
                                                             : DatabaseFile::MustExist);
        QSqlDatabase& db = connection.db();
        SetADODBSession(db);
        const QString database = sqliteFile.isEmpty() ? ConnectionText::parse(text).describe()
                                                      : QDir::toNativeSeparators(sqliteFile);
        if (!db::schemaPresent(db)) {
            if (!firstTime) {
                lost(database, QStringLiteral("não tem as tabelas do sistema"));
            }
            db::ensureSchema(db);
            done.schemaCreated = true;
        } else {
            db::ensureSchema(db); // checks the version of the schema found
        }
        if (!databaseHasBranch(db)) {
            if (!firstTime) {
                lost(database, QStringLiteral("não tem nenhuma filial cadastrada"));
            }
            createDemoDatabase(db, now);
            done.demoStoreCreated = true;
        }
        if (firstTime) {
            abertura = tillCashOpening(db, cdCaixa);
        }
    }
    if (firstTime) {
        done.filesWritten = writeDemoTillFiles(tillFolder, now, cdCaixa, abertura);
    }
    created.keep();
    return done;
}

} // namespace

TillPreparation prepareDemoTill(const QString& tillFolder, const QDateTime& now,
                                const QString& cdCaixa) {
    if (tillFolder.trimmed().isEmpty()) {
        throw AppError(QStringLiteral("A pasta do caixa não foi informada."));
    }
    checkDemoTill(cdCaixa);
    const TillFolderScope scope(tillFolder);
    try {
        return prepare(tillFolder, now, cdCaixa);
    } catch (const TillDatabaseLost& e) {
        qCWarning(lcDemo).noquote() << e.message();
        throw;
    } catch (const AppError& e) {
        throw AppError(QStringLiteral("Não foi possível preparar o caixa de demonstração: %1")
                           .arg(e.message()));
    }
}

} // namespace tmk
