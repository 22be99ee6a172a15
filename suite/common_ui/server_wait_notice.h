#pragma once

#include <QString>
#include <memory>

class QLabel;

namespace tmk {

// The notice a till shows while it waits for its database server: a small window in the
// middle of the screen, painted as soon as it is made and gone with it. Making it processes
// the events already waiting (not the user's input), so use it where no screen is running.
class ServerWaitNotice {
public:
    ServerWaitNotice(const QString& server, int seconds);
    ~ServerWaitNotice();
    ServerWaitNotice(const ServerWaitNotice&) = delete;
    ServerWaitNotice& operator=(const ServerWaitNotice&) = delete;

    // "Aguardando o servidor de banco de dados PostgreSQL em ..., por até 5 s..."
    static QString text(const QString& server, int seconds);
    QLabel& window() { return *window_; }

private:
    std::unique_ptr<QLabel> window_;
};

} // namespace tmk
