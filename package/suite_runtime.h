#pragma once

#include "external/suite.h"

#include <QSqlDatabase>
#include <memory>

namespace tmk {

class ModuloGerMesa;
class SuiteCommonUtility;
class SuiteDialogs;
class SimulatedFiscalDevice;
class SuiteSalesService;

// The real stand-ins of the suite's libraries as the module uses them: one database
// connection of their own, the sales service built for the till once the screen knows it.
class SuiteRuntime {
public:
    SuiteRuntime();
    ~SuiteRuntime();

    SuiteLibraries libraries();
    // Called at each entry: reopens the suite's connection when it was lost.
    void attach(ModuloGerMesa& modulo);

private:
    class TillSales;

    QSqlDatabase db_;
    std::unique_ptr<SuiteCommonUtility> common_;
    std::unique_ptr<SuiteDialogs> dialogs_;
    std::unique_ptr<SimulatedFiscalDevice> fiscal_;
    std::unique_ptr<SalesService> sales_;
    ModuloGerMesa* modulo_ = nullptr;
};

} // namespace tmk
