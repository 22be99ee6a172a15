#pragma once

#include "platform/errors.h"

#include <QString>
#include <functional>

namespace tmk::test {

// The message of the AppError a call throws; "(no error)" when it throws none.
inline QString appErrorOf(const std::function<void()>& call) {
    try {
        call();
    } catch (const AppError& e) {
        return e.message();
    }
    return QStringLiteral("(no error)");
}

} // namespace tmk::test
