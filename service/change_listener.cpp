#include "service/change_listener.h"

#include "external/common.h"
#include "platform/errors.h"
#include "suite/common/change_notice.h"
#include "suite/common/db_dialect.h"

#include <QLoggingCategory>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <QTimer>
#include <memory>

Q_LOGGING_CATEGORY(lcChanges, "tmk.service.changes")

namespace tmk {

// The part of the listener that lives on its thread: the connection, the watchdog and the
// data-version poll are made, used and closed there.
class ChangeWatcher : public QObject {
    Q_OBJECT

public:
    ChangeWatcher(const ChangeListenerSettings& settings, std::atomic<bool>& listening,
                  std::atomic<int>& ignored)
        : s_(settings)
        , listening_(listening)
        , ignored_(ignored) {}

    // On the thread's start.
    void start() {
        try {
            dialect_ = &DbDialect::forConnectionText(s_.connectionText);
        } catch (const AppError& e) {
            qCWarning(lcChanges) << "changes of other tills not followed:" << e.message();
            return;
        }
        if (dialect_->changeWatch() == DbDialect::ChangeWatch::None) {
            qCInfo(lcChanges) << dialect_->name()
                              << "does not tell of changes: the map follows them by its "
                                 "periodic refresh alone";
            return;
        }
        watchdog_ = new QTimer(this);
        watchdog_->setInterval(s_.watchdogMs);
        connect(watchdog_, &QTimer::timeout, this, &ChangeWatcher::watch);
        watchdog_->start();
        if (dialect_->changeWatch() == DbDialect::ChangeWatch::DataVersion) {
            poller_ = new QTimer(this);
            poller_->setInterval(s_.pollMs);
            connect(poller_, &QTimer::timeout, this, &ChangeWatcher::poll);
            poller_->start();
        }
        watch();
    }

    // On the thread's end, still on the thread.
    void stop() {
        if (watchdog_) {
            watchdog_->stop();
        }
        if (poller_) {
            poller_->stop();
        }
        close();
    }

Q_SIGNALS:
    void changed();
    void reconnected();

private:
    void watch() {
        if (db_.isValid() && db_.isOpen() && alive()) {
            return;
        }
        const bool lost = db_.isValid();
        if (lost) {
            qCWarning(lcChanges) << "listening connection lost:" << dialect_->describe(db_);
            close();
        }
        if (!open()) {
            return;
        }
        // The connections to a server that went away are checked before the refresh reads.
        if (wasOpen_) {
            Q_EMIT reconnected();
        }
        // Whatever was committed while nobody listened is known only by reading it again.
        Q_EMIT changed();
        wasOpen_ = true;
    }

    bool alive() {
        if (pollFailed_) {
            return false;
        }
        QSqlQuery ping(db_);
        const bool ok = ping.exec(s_.pingText);
        ping.finish();
        return ok;
    }

    bool open() {
        // The till has just waited for this server in vain: no second wait of its own.
        if (s_.notBefore.isValid() && QDateTime::currentDateTime() < s_.notBefore) {
            return false;
        }
        try {
            db_ = openConnection(s_.connectionText, s_.connectionName);
            SetADODBSession(db_);
            if (dialect_->changeWatch() == DbDialect::ChangeWatch::Notification) {
                if (!dialect_->subscribeToChanges(db_)) {
                    throw AppError(
                        QStringLiteral("o servidor recusou a inscrição no canal %1: %2")
                            .arg(ChangeNotice::channel(), db_.driver()->lastError().text()));
                }
                connect(db_.driver(), &QSqlDriver::notification, this, &ChangeWatcher::notice);
            } else {
                version_ = std::make_unique<QSqlQuery>(db_);
                version_->setForwardOnly(true);
                if (s_.dataVersionText.isEmpty() || !version_->prepare(s_.dataVersionText)) {
                    throw AppError(QStringLiteral("a versão dos dados não pode ser lida: %1")
                                       .arg(version_->lastError().text()));
                }
                pollFailed_ = false;
                if (!readVersion(lastVersion_)) {
                    throw AppError(QStringLiteral("a versão dos dados não pode ser lida: %1")
                                       .arg(version_->lastError().text()));
                }
            }
        } catch (const std::exception& e) {
            // Said once; the watchdog tries again quietly until it opens.
            if (!failing_) {
                qCWarning(lcChanges).noquote()
                    << "listening connection not opened, trying again every" << s_.watchdogMs
                    << "ms:" << exceptionText(e);
            } else {
                qCDebug(lcChanges).noquote()
                    << "listening connection not opened:" << exceptionText(e);
            }
            failing_ = true;
            close();
            return false;
        }
        if (failing_ || wasOpen_) {
            qCInfo(lcChanges) << "listening again for changes of" << s_.cdFilial << s_.cdLoja;
        }
        failing_ = false;
        listening_ = true;
        return true;
    }

    void close() {
        listening_ = false;
        version_.reset();
        if (db_.isValid()) {
            if (db_.driver()) {
                disconnect(db_.driver(), nullptr, this, nullptr);
            }
            db_.close();
        }
        db_ = QSqlDatabase();
        if (QSqlDatabase::contains(s_.connectionName)) {
            QSqlDatabase::removeDatabase(s_.connectionName);
        }
    }

    // Reads the data version and releases the read at once; false when the read failed.
    bool readVersion(qint64& version) {
        const bool ok = version_->exec() && version_->next();
        if (ok) {
            version = version_->value(0).toLongLong();
        }
        version_->finish();
        return ok;
    }

    void poll() {
        if (!version_ || pollFailed_) {
            return;
        }
        qint64 version = 0;
        if (!readVersion(version)) {
            // The watchdog opens the connection again.
            qCDebug(lcChanges) << "data version not read:" << version_->lastError().text();
            pollFailed_ = true;
            return;
        }
        if (version != lastVersion_) {
            lastVersion_ = version;
            Q_EMIT changed();
        }
    }

    void notice(const QString& name, QSqlDriver::NotificationSource /*source*/,
                const QVariant& payload) {
        if (name != ChangeNotice::channel()) {
            return;
        }
        const QString text = payload.toString();
        const auto notice = ChangeNotice::parse(text);
        if (!notice) {
            ++ignored_;
            qCDebug(lcChanges).noquote() << "not a change notice, ignored:" << text.left(200);
            return;
        }
        if (!notice->concerns(s_.cdFilial, s_.cdLoja)) {
            ++ignored_;
            qCDebug(lcChanges).noquote() << "notice of another store ignored:" << text;
            return;
        }
        Q_EMIT changed();
    }

    const ChangeListenerSettings s_;
    std::atomic<bool>& listening_;
    std::atomic<int>& ignored_;
    const DbDialect* dialect_ = nullptr;
    QTimer* watchdog_ = nullptr;
    QTimer* poller_ = nullptr;
    QSqlDatabase db_;
    std::unique_ptr<QSqlQuery> version_;
    qint64 lastVersion_ = -1;
    bool pollFailed_ = false;
    bool failing_ = false;
    bool wasOpen_ = false;
};

ChangeListener::ChangeListener(ChangeListenerSettings settings, QObject* parent)
    : QObject(parent)
    , settings_(std::move(settings)) {
    watcher_ = new ChangeWatcher(settings_, listening_, ignored_);
    watcher_->moveToThread(&thread_);
    connect(&thread_, &QThread::started, watcher_, &ChangeWatcher::start);
    // Emitted on the ending thread: the connection is closed where it was made.
    connect(&thread_, &QThread::finished, watcher_, &ChangeWatcher::stop, Qt::DirectConnection);
    connect(watcher_, &ChangeWatcher::changed, this, &ChangeListener::changed,
            Qt::QueuedConnection);
    connect(watcher_, &ChangeWatcher::reconnected, this, &ChangeListener::reconnected,
            Qt::QueuedConnection);
    thread_.setObjectName(QStringLiteral("escuta-mudancas"));
    thread_.start();
}

ChangeListener::~ChangeListener() {
    thread_.quit();
    thread_.wait();
    delete watcher_;
}

} // namespace tmk

#include "change_listener.moc"
