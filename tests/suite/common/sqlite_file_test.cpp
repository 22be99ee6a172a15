// An SQLite database that cannot serve the till says why, in the message and in the log, and
// the database of a till prepared before is never created by opening it.

#include "external/common.h"
#include "platform/database_error.h"
#include "platform/errors.h"
#include "suite/common/db_dialect.h"
#include "tests/suite/common/log_capture.h"
#include "tests/suite/print_qstring.h"
#include "tests/support/app_error_of.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <fcntl.h>
#include <functional>
#include <gtest/gtest.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <unistd.h>

namespace tmk {
namespace {

using test::appErrorOf;
using test::LogCapture;

QString textOf(const QString& file) {
    return QStringLiteral("Provider=QSQLITE;Data Source=") + file;
}

// A connection of the test, closed and removed when it goes.
class Connection {
public:
    Connection(const QString& file, const QString& name,
               DatabaseFile mode = DatabaseFile::MayCreate)
        : name_(name)
        , db_(openConnection(textOf(file), name, mode)) {}
    ~Connection() {
        db_.close();
        db_ = QSqlDatabase();
        QSqlDatabase::removeDatabase(name_);
    }
    QSqlDatabase& db() { return db_; }

private:
    QString name_;
    QSqlDatabase db_;
};

// A database of a few hundred pages, in the form the till leaves it (WAL).
void makeDatabase(const QString& file) {
    Connection c(file, QStringLiteral("criacao"));
    SetADODBSession(c.db());
    QSqlQuery q(c.db());
    ASSERT_TRUE(q.exec(QStringLiteral("CREATE TABLE T (A INTEGER, B TEXT)")));
    ASSERT_TRUE(q.exec(QStringLiteral("WITH RECURSIVE N(I) AS (SELECT 1 UNION ALL SELECT I + 1 "
                                      "FROM N WHERE I < 3000) INSERT INTO T SELECT I, "
                                      "printf('%0200d', I) FROM N")));
    ASSERT_TRUE(q.exec(QStringLiteral("PRAGMA wal_checkpoint(TRUNCATE)")));
}

bool writeBytes(const QString& path, const QByteArray& bytes) {
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size();
}

// Makes a file that nobody writes, root included (root ignores permissions, not the immutable
// flag), and gives it back as it was when it goes.
class ReadOnlyFile {
public:
    explicit ReadOnlyFile(const QString& file)
        : file_(file) {
        if (geteuid() != 0) {
            ok_ = QFile::setPermissions(file_,
                                        QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther);
            return;
        }
        ok_ = setImmutable(true);
    }
    ~ReadOnlyFile() {
        if (geteuid() != 0) {
            QFile::setPermissions(file_, QFile::ReadOwner | QFile::WriteOwner);
        } else if (ok_) {
            setImmutable(false);
        }
    }
    bool ok() const { return ok_; }

private:
    bool setImmutable(bool on) {
        const int fd = ::open(QFile::encodeName(file_).constData(), O_RDONLY);
        if (fd < 0) {
            return false;
        }
        int flags = 0;
        bool done = ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
        flags = on ? (flags | FS_IMMUTABLE_FL) : (flags & ~FS_IMMUTABLE_FL);
        done = done && ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
        ::close(fd);
        return done;
    }
    QString file_;
    bool ok_ = false;
};

// Holds the write lock of a database from another connection while it lives.
class WriteLock {
public:
    explicit WriteLock(const QString& file)
        : connection_(file, QStringLiteral("trava")) {
        QSqlQuery q(connection_.db());
        ok_ = q.exec(QStringLiteral("BEGIN IMMEDIATE"));
    }
    ~WriteLock() { QSqlQuery(connection_.db()).exec(QStringLiteral("ROLLBACK")); }
    bool ok() const { return ok_; }

private:
    Connection connection_;
    bool ok_ = false;
};

TEST(SqliteFile, ADatabaseThatCannotServeTheTillSaysWhyInTheMessageAndTheLog) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString file = dir.filePath(QStringLiteral("tmk.db"));
    const QString shown = QDir::toNativeSeparators(file);
    struct Caso {
        const char* name;
        std::function<void()> spoil; // makes the file as the case needs, before it opens
        std::function<std::shared_ptr<void>()> hold; // held while the session is prepared
        QString reason;
    };
    const Caso casos[] = {
        {"lixo",
         [&] {
             QByteArray bytes(100000, '\0');
             QRandomGenerator gen(20);
             for (char& b : bytes) {
                 b = char(gen.bounded(256));
             }
             ASSERT_TRUE(writeBytes(file, bytes));
         },
         nullptr, QStringLiteral("o arquivo %1 não é um banco de dados SQLite").arg(shown)},
        {"cortado ao meio",
         [&] {
             makeDatabase(file);
             QFile f(file);
             ASSERT_GT(f.size(), 200000);
             ASSERT_TRUE(f.resize(f.size() / 2));
         },
         nullptr, QStringLiteral("o arquivo %1 está danificado").arg(shown)},
        {"bloqueado", [&] { makeDatabase(file); },
         [&]() -> std::shared_ptr<void> {
             auto lock = std::make_shared<WriteLock>(file);
             EXPECT_TRUE(lock->ok());
             return lock;
         },
         QStringLiteral("o arquivo %1 está bloqueado por outro processo").arg(shown)},
        {"somente leitura", [&] { makeDatabase(file); },
         [&]() -> std::shared_ptr<void> {
             auto readOnly = std::make_shared<ReadOnlyFile>(file);
             EXPECT_TRUE(readOnly->ok()) << "the file could not be made read-only here";
             return readOnly;
         },
         QStringLiteral("o arquivo %1 é somente leitura (ou a pasta dele não permite gravar)")
             .arg(shown)},
    };
    for (const Caso& c : casos) {
        SCOPED_TRACE(c.name);
        for (const char* suffix : {"", "-wal", "-shm", "-journal"}) {
            QFile::remove(file + QLatin1String(suffix));
        }
        c.spoil();
        const std::shared_ptr<void> held = c.hold ? c.hold() : nullptr;
        const LogCapture log;
        QString message = QStringLiteral("(no error)");
        bool leftOpen = false;
        try {
            Connection connection(file, QStringLiteral("caixa"), DatabaseFile::MustExist);
            try {
                SetADODBSession(connection.db());
            } catch (const std::exception&) {
                leftOpen = connection.db().isOpen();
                throw;
            }
        } catch (const DatabaseError& e) {
            EXPECT_FALSE(e.connectionLost());
            message = e.message();
        } catch (const AppError& e) {
            message = e.message();
        }
        const QString expected =
            QStringLiteral("Não foi possível preparar a sessão do banco de dados SQLite: ") +
            c.reason + QLatin1Char('.');
        EXPECT_EQ(message, expected);
        EXPECT_FALSE(leftOpen) << "a connection without its session is closed";
        EXPECT_GE(log.find(expected), 0) << log.lines().join('\n').toStdString();
    }
}

TEST(SqliteFile, ADatabaseThatMustExistIsNeverCreatedByOpeningIt) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString file = dir.filePath(QStringLiteral("caixa/tmk.db"));
    const QString shown = QDir::toNativeSeparators(file);
    EXPECT_EQ(appErrorOf([&] {
                  Connection c(file, QStringLiteral("existente"), DatabaseFile::MustExist);
              }),
              QStringLiteral("Não foi possível conectar ao banco de dados SQLite no arquivo %1: "
                             "o arquivo %1 não existe.")
                  .arg(shown));
    EXPECT_FALSE(QFileInfo::exists(file));
    EXPECT_FALSE(QSqlDatabase::contains(QStringLiteral("existente")));

    // Made where it may be; then opened where it must exist, through a name a URI would
    // otherwise read ('#', '?', '%' and a blank).
    const QString odd = dir.filePath(QStringLiteral("caixa #1?/a%20b c.db"));
    makeDatabase(odd);
    ASSERT_TRUE(QFileInfo::exists(odd));
    {
        Connection c(odd, QStringLiteral("existente"), DatabaseFile::MustExist);
        SetADODBSession(c.db());
        EXPECT_EQ(DbDialect::of(c.db()).describe(c.db()),
                  QStringLiteral("SQLite no arquivo %1").arg(QDir::toNativeSeparators(odd)));
        QSqlQuery q(c.db());
        ASSERT_TRUE(q.exec(QStringLiteral("SELECT COUNT(*) FROM T")) && q.next());
        EXPECT_EQ(q.value(0).toInt(), 3000);
        // The session's check that the file can be written leaves nothing behind.
        ASSERT_TRUE(
            q.exec(QStringLiteral("SELECT COUNT(*) FROM sqlite_master WHERE name <> 'T'")) &&
            q.next());
        EXPECT_EQ(q.value(0).toInt(), 0);
        // Reopened as the data module does after a loss: still the file, never a new one.
        c.db().close();
        ASSERT_TRUE(QFile::remove(odd));
        QFile::remove(odd + QStringLiteral("-wal"));
        QFile::remove(odd + QStringLiteral("-shm"));
        EXPECT_TRUE(appErrorOf([&] { TryConnect(c.db()); })
                        .endsWith(QStringLiteral(": o arquivo %1 não existe.")
                                      .arg(QDir::toNativeSeparators(odd))));
        EXPECT_FALSE(QFileInfo::exists(odd));
    }
}

} // namespace
} // namespace tmk
