// The table module: its single screen, the data module and the suite's stand-ins.
#include "external/common.h"
#include "package/exports.h"
#include "package/suite_runtime.h"
#include "platform/clock.h"
#include "platform/errors.h"
#include "platform/till_folder.h"
#include "screen/view/entry.h"
#include "service/data_module.h"

#include <memory>

tmk::TfrmGerMesa* frmGerMesa = nullptr;
bool boIdCriado = false;
bool boClose = false;
bool boComanPorPes = false;
bool boResultado = false;

namespace {

// The process-wide data module, created on first use. A server that is down leaves
// the module configured: its operations report the failure and reconnect by themselves.
tmk::TrdmGerMesa& dataModule() {
    if (!rdmGerMesa) {
        auto dm = std::make_unique<tmk::TrdmGerMesa>();
        try {
            dm->connect();
        } catch (const tmk::AppError&) {
            if (!dm->configured()) {
                throw;
            }
        }
        rdmGerMesa = dm.release();
    }
    return *rdmGerMesa;
}

tmk::ModuloGerMesa& modulo() {
    static const tmk::Clock clock;
    static tmk::SuiteRuntime suite;
    static tmk::ModuloGerMesa instance(suite.libraries(), dataModule, clock);
    suite.attach(instance);
    return instance;
}

} // namespace

void CriaGerenciaMesa(const QVariantList& params, int lastIndex, QVariantList& result) {
    tmk::ModuloGerMesa& m = modulo();
    m.CriaGerenciaMesa(params, lastIndex, result);
    frmGerMesa = m.frmGerMesa();
    boIdCriado = m.boIdCriado;
}

void DefinePastaCaixa(const QString& folder) {
    tmk::setTillFolder(folder);
}
