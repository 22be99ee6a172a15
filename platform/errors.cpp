#include "platform/errors.h"

namespace tmk {

AppError::AppError(QString message)
    : message_(std::move(message))
    , utf8_(message_.toUtf8()) {}

void abortSilently() {
    throw SilentAbort();
}

QString exceptionText(const std::exception& e) {
    if (const auto* app = dynamic_cast<const AppError*>(&e)) {
        return app->message();
    }
    return QString::fromUtf8(e.what());
}

} // namespace tmk
