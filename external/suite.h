#pragma once

#include "external/common.h"
#include "external/dialogs.h"
#include "external/fiscal.h"
#include "external/sales.h"

namespace tmk {

// The suite's libraries as the screen receives them: the host hands it the real
// stand-ins, tests hand it recording fakes.
struct SuiteLibraries {
    FrontOfficeDialogs* dialogs = nullptr;
    FiscalDevice* fiscal = nullptr;
    SalesService* sales = nullptr;
    CommonUtility* common = nullptr;
};

} // namespace tmk
