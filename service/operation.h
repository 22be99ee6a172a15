#pragma once

#include "external/common.h"
#include "platform/service_result.h"
#include "service/data_module.h"

#include <QVariant>
#include <exception>

namespace tmk {

// The error convention of every data-service operation: the body's result on
// success; on any exception the open transaction (if any) is rolled back and the
// result is the converted failure text as a ServiceFailure.
template <typename Body>
QVariant runOperation(TrdmGerMesa& dm, Body&& body) {
    try {
        return body();
    } catch (const std::exception& e) {
        dm.RollbackTrans();
        return serviceFailure(ADOExceptionMessage(e, dm.adcGerMesa(), QString()));
    }
}

// Unwraps the result of an operation called by another one: a failure becomes an
// exception again, so the caller's own convention applies.
QVariant requireSuccess(const QVariant& result);

} // namespace tmk
