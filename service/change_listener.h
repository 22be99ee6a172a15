#pragma once

#include <QDateTime>
#include <QObject>
#include <QString>
#include <QThread>
#include <atomic>

namespace tmk {

class ChangeWatcher;

// What the listener is given by the data module.
struct ChangeListenerSettings {
    QString connectionText;  // the till's database
    QString connectionName;  // the Qt name of the listener's own connection
    QString pingText;        // the liveness question of the kind
    QString dataVersionText; // the data version question, on a kind that watches it
    QString cdFilial;        // the branch and store whose changes count
    QString cdLoja;
    int watchdogMs = 2000; // how often the connection is checked (and reopened)
    int pollMs = 250;      // how often the data version is read
    QDateTime notBefore;   // a server that just did not answer is not tried before then
};

// Listens for the changes other tills commit to the map of one branch and store, on a
// connection and a thread (with its event loop) of its own, so that nothing waits behind
// the screen's statements and the screen never waits for it.
//
// How it listens is the dialect's (DbDialect::changeWatch): subscribed to the server's
// notices, each one checked for the branch and store (another store's, or one that is not
// a notice, is ignored and logged at debug level); or reading the shared file's data
// version, released after every read so that it never holds a lock. A watchdog checks the
// connection; a connection that was lost (a server restart ends a subscription without a
// word) or could not be opened is opened again on a later check, quietly after the first
// warning. Every time the watch starts, changes it may have missed count as one change.
class ChangeListener : public QObject {
    Q_OBJECT

public:
    explicit ChangeListener(ChangeListenerSettings settings, QObject* parent = nullptr);
    ~ChangeListener() override;
    ChangeListener(const ChangeListener&) = delete;
    ChangeListener& operator=(const ChangeListener&) = delete;

    const ChangeListenerSettings& settings() const { return settings_; }
    // True while its connection is open and watching.
    bool listening() const { return listening_.load(); }
    // Notices ignored since it started: of another branch or store, or not a notice.
    int ignored() const { return ignored_.load(); }

Q_SIGNALS:
    // A change of the branch and store was committed by another connection, or the watch
    // (re)started: the map should be refreshed. Delivered on the listener's own thread
    // affinity (the thread that made it), queued.
    void changed();
    // The listener's connection was lost and is open again: the server may have restarted,
    // so other connections to it may be gone too.
    void reconnected();

private:
    ChangeListenerSettings settings_;
    std::atomic<bool> listening_{false};
    std::atomic<int> ignored_{0};
    QThread thread_;
    ChangeWatcher* watcher_ = nullptr;
};

} // namespace tmk
