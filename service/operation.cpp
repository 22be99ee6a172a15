#include "service/operation.h"

#include "platform/errors.h"

namespace tmk {

QVariant requireSuccess(const QVariant& result) {
    if (isServiceFailure(result)) {
        throw AppError(serviceFailureMessage(result));
    }
    return result;
}

} // namespace tmk
