#include "tools/reliability/till_client.h"

#include <QDeadlineTimer>
#include <QJsonArray>
#include <QJsonDocument>
#include <QProcessEnvironment>

namespace tmk::reliability {

TillClient::TillClient(QString program, QString folder, QString logFile)
    : program_(std::move(program))
    , folder_(std::move(folder))
    , log_(std::move(logFile)) {}

TillClient::~TillClient() {
    stop();
}

bool TillClient::start(const QStringList& environment, int ms) {
    stop();
    told.clear();
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.remove(QStringLiteral("TMK_FAILPOINT"));
    for (const QString& e : environment) {
        const qsizetype igual = e.indexOf(QLatin1Char('='));
        env.insert(e.left(igual), e.mid(igual + 1));
    }
    process_.setProcessEnvironment(env);
    process_.setStandardErrorFile(log_, QIODevice::Append);
    process_.start(program_, {QStringLiteral("--pasta=") + folder_});
    if (!process_.waitForStarted(ms)) {
        told << QStringLiteral("O caixa não iniciou: %1").arg(process_.errorString());
        return false;
    }
    const QJsonObject pronto = answer(ms);
    told = messages(pronto);
    return pronto.value(QStringLiteral("pronto")).toBool();
}

void TillClient::send(const QString& line) {
    process_.write((line + QLatin1Char('\n')).toUtf8());
    // Written now, not when this process next waits on this till: two tills asked one
    // after the other get their lines at once.
    process_.waitForBytesWritten(5000);
}

QJsonObject TillClient::answer(int ms) {
    const QDeadlineTimer prazo(ms);
    while (!process_.canReadLine()) {
        if (process_.state() == QProcess::NotRunning) {
            return {};
        }
        if (prazo.hasExpired()) {
            return {};
        }
        process_.waitForReadyRead(int(std::min<qint64>(prazo.remainingTime(), 1000)));
    }
    return QJsonDocument::fromJson(process_.readLine()).object();
}

void TillClient::stop() {
    if (process_.state() == QProcess::NotRunning) {
        return;
    }
    process_.write("sai\n");
    process_.closeWriteChannel();
    if (!process_.waitForFinished(20000)) {
        process_.kill();
        process_.waitForFinished(5000);
    }
}

bool TillClient::killedBySignal() const {
    return process_.state() == QProcess::NotRunning && process_.exitStatus() == QProcess::CrashExit;
}

int TillClient::signal() const {
    return killedBySignal() ? process_.exitCode() : 0;
}

QStringList messages(const QJsonObject& answer) {
    QStringList m;
    for (const QJsonValue& v : answer.value(QStringLiteral("mensagens")).toArray()) {
        m << v.toString();
    }
    return m;
}

} // namespace tmk::reliability
