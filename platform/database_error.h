#pragma once

#include "platform/errors.h"

namespace tmk {

// A statement or connection that the database refused. The message is for the
// operator; statement and driver text are for the converted failure text and the log.
// Bound values are never part of it.
class DatabaseError : public AppError {
public:
    DatabaseError(QString message, QString statement, QString driverText,
                  bool connectionLost = false);
    const QString& statement() const { return statement_; }
    const QString& driverText() const { return driverText_; }
    bool connectionLost() const { return connectionLost_; }

private:
    QString statement_;
    QString driverText_;
    bool connectionLost_;
};

} // namespace tmk
