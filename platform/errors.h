#pragma once

#include <QByteArray>
#include <QString>
#include <exception>

namespace tmk {

// An error the operator may read: its text is Portuguese and complete.
class AppError : public std::exception {
public:
    explicit AppError(QString message);
    const QString& message() const { return message_; }
    const char* what() const noexcept override { return utf8_.constData(); }

private:
    QString message_;
    QByteArray utf8_;
};

// Ends the running command quietly: every event entry swallows it without a message.
class SilentAbort : public std::exception {
public:
    const char* what() const noexcept override { return "silent abort"; }
};

[[noreturn]] void abortSilently();

// The readable text of any exception caught as std::exception.
QString exceptionText(const std::exception& e);

} // namespace tmk
