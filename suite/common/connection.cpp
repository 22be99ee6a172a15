#include "external/common.h"
#include "platform/errors.h"
#include "suite/common/common_log.h"
#include "suite/common/common_resources.h"
#include "suite/common/connection_text.h"
#include "suite/common/db_dialect.h"
#include "suite/common/db_failure.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QMutex>
#include <QSqlError>
#include <QThread>
#include <QVariantMap>

namespace tmk {

namespace {

// After a server did not answer, the attempts of the next seconds fail at once instead of
// blocking the till again: the host's preparation, the module's connections and the first
// operations of the screen are one attempt together.
constexpr int kRetryAfterSeconds = 10;

// Servers that did not answer (by description) and when each may be tried again. On the
// application's thread they are kept on the application object, which every copy of this
// library in the process (the host's and the module's) shares.
constexpr char kUnansweredProperty[] = "tmkServidoresSemResposta";
QMutex unansweredMutex;
QVariantMap& unansweredHere() {
    static QVariantMap servers;
    return servers;
}

bool onApplicationThread() {
    const QCoreApplication* app = QCoreApplication::instance();
    return app && QThread::currentThread() == app->thread();
}

QDateTime retryMoment(const QString& server) {
    if (onApplicationThread()) {
        return QCoreApplication::instance()
            ->property(kUnansweredProperty)
            .toMap()
            .value(server)
            .toDateTime();
    }
    const QMutexLocker lock(&unansweredMutex);
    return unansweredHere().value(server).toDateTime();
}

void setRetryMoment(const QString& server, const QDateTime& moment) {
    const auto update = [&](QVariantMap& servers) {
        if (moment.isValid()) {
            servers.insert(server, moment);
        } else {
            servers.remove(server);
        }
    };
    if (onApplicationThread()) {
        QCoreApplication* app = QCoreApplication::instance();
        QVariantMap servers = app->property(kUnansweredProperty).toMap();
        update(servers);
        app->setProperty(kUnansweredProperty, servers);
        return;
    }
    const QMutexLocker lock(&unansweredMutex);
    update(unansweredHere());
}

// Why an open failed: the dialect's reason, or the driver's own text.
QString reasonOf(const QSqlDatabase& db, const DbDialect& dialect) {
    const QSqlError error = db.lastError();
    const QString reason = dialect.failureReason(db, error);
    return reason.isEmpty() ? error.text() : reason + QLatin1Char('.');
}

} // namespace

bool openDatabase(QSqlDatabase& db, QString& failure) {
    const DbDialect& dialect = DbDialect::of(db);
    const int timeout = dialect.answerTimeout();
    if (timeout <= 0) {
        if (db.open()) {
            return true;
        }
        failure = reasonOf(db, dialect);
        return false;
    }
    const QString server = dialect.describe(db);
    const QDateTime retry = retryMoment(server);
    if (retry.isValid() && QDateTime::currentDateTime() < retry) {
        failure = QStringLiteral("o servidor não respondeu em %1 s; nova tentativa a partir das "
                                 "%2.")
                      .arg(QString::number(timeout), retry.toString(QStringLiteral("HH:mm:ss")));
        qCWarning(lcSuiteCommon).noquote()
            << "not waiting again for the database server" << server << "before" << retry.time();
        return false;
    }
    qCWarning(lcSuiteCommon).noquote()
        << "waiting up to" << timeout << "s for the database server" << server;
    QElapsedTimer waited;
    waited.start();
    if (db.open()) {
        setRetryMoment(server, {});
        return true;
    }
    // libpq's own words, or a wait as long as the limit (its clock counts whole seconds).
    const bool unanswered =
        db.lastError().text().contains(QLatin1String("timeout expired"), Qt::CaseInsensitive) ||
        waited.elapsed() >= qint64(timeout - 1) * 1000;
    if (!unanswered) {
        failure = reasonOf(db, dialect);
        return false;
    }
    setRetryMoment(server, QDateTime::currentDateTime().addSecs(kRetryAfterSeconds));
    failure = QStringLiteral("o servidor não respondeu em %1 s.").arg(timeout);
    return false;
}

QDateTime serverRetryMoment(const QString& connectionText) {
    const DbDialect& dialect = DbDialect::forConnectionText(connectionText);
    if (dialect.answerTimeout() <= 0) {
        return {};
    }
    return retryMoment(dialect.describe(ConnectionText::parse(connectionText)));
}

// The common library's statements of the dialect are checked before the connection is made.
QSqlDatabase configureConnection(const QString& connectionText, const QString& connectionName,
                                 DatabaseFile file) {
    const DbDialect& dialect = DbDialect::forConnectionText(connectionText);
    commonStatements().forDialect(dialect);
    return dialect.configure(ConnectionText::parse(connectionText), connectionName, file);
}

// The message is made of what is not secret: the dialect's description of the database (never
// the password) and the reason or the driver's text.
QSqlDatabase openConnection(const QString& connectionText, const QString& connectionName,
                            DatabaseFile file) {
    const DbDialect& dialect = DbDialect::forConnectionText(connectionText);
    const ConnectionText c = ConnectionText::parse(connectionText);
    QSqlDatabase db = configureConnection(connectionText, connectionName, file);
    QString failure;
    if (!openDatabase(db, failure)) {
        const QString driverText = db.lastError().text();
        db = QSqlDatabase();
        QSqlDatabase::removeDatabase(connectionName);
        qCWarning(lcSuiteCommon).noquote()
            << "connection failed:" << c.describe() << "-" << failure << "-" << driverText;
        throw AppError(QStringLiteral("Não foi possível conectar ao banco de dados %1: %2")
                           .arg(dialect.describe(c), failure));
    }
    return db;
}

} // namespace tmk
