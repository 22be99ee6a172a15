#pragma once

#include <QJsonObject>
#include <QProcess>
#include <QString>
#include <QStringList>

namespace tmk::reliability {

// A till process (reliability_till) seen from a harness: started on a till folder, asked
// one operation at a time, its answers read as JSON lines; its error output goes to a log
// file of the work folder.
class TillClient {
public:
    TillClient(QString program, QString folder, QString logFile);
    ~TillClient();
    TillClient(const TillClient&) = delete;
    TillClient& operator=(const TillClient&) = delete;

    // Starts the till (with more environment, e.g. a failpoint) and waits for its map.
    // False when it did not show it within the time (what it said is in `told`).
    bool start(const QStringList& environment = {}, int ms = 60000);
    // Sends one operation ("mesa 0201", "atualiza").
    void send(const QString& line);
    // The answer to the operation sent; empty when the process ended (or the time ran
    // out) before answering.
    QJsonObject answer(int ms = 120000);
    void stop();

    bool running() const { return process_.state() != QProcess::NotRunning; }
    // The process ended by a signal; its number (SIGKILL 9, SIGSEGV 11, SIGABRT 6).
    bool killedBySignal() const;
    int signal() const;
    QStringList told;

private:
    QString program_;
    QString folder_;
    QString log_;
    QProcess process_;
};

// The operator's messages of an answer.
QStringList messages(const QJsonObject& answer);

} // namespace tmk::reliability
