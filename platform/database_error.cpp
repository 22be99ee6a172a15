#include "platform/database_error.h"

namespace tmk {

DatabaseError::DatabaseError(QString message, QString statement, QString driverText,
                             bool connectionLost)
    : AppError(std::move(message))
    , statement_(std::move(statement))
    , driverText_(std::move(driverText))
    , connectionLost_(connectionLost) {}

} // namespace tmk
