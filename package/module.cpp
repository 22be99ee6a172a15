// The table module: its single screen, the data module and the suite's stand-ins.
#include "external/common.h"
#include "package/exports.h"
#include "package/module_entry.h"
#include "package/suite_runtime.h"
#include "platform/clock.h"
#include "platform/errors.h"
#include "platform/till_folder.h"
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

// The module's objects live from the first entry call until FinalizaModulo, so that
// windows and connections go before the host's application object does.
struct Instancia {
    tmk::Clock clock;
    tmk::SuiteRuntime suite;
    tmk::ModuloGerMesa modulo{suite.libraries(), dataModule, clock};
};
std::unique_ptr<Instancia>& instancia() {
    static std::unique_ptr<Instancia> i;
    return i;
}

tmk::ModuloGerMesa& modulo() {
    if (!instancia()) {
        instancia() = std::make_unique<Instancia>();
    }
    instancia()->suite.attach(instancia()->modulo);
    return instancia()->modulo;
}

} // namespace

void CriaGerenciaMesa(const QVariantList& params, int lastIndex, QVariantList& result) {
    tmk::ModuloGerMesa& m = modulo();
    m.CriaGerenciaMesa(params, lastIndex, result);
    frmGerMesa = m.frmGerMesa();
    boIdCriado = m.boIdCriado;
}

bool RecebeVendaBalcao(const QString& nrMesa) {
    return instancia() && instancia()->modulo.RecebeVendaBalcao(nrMesa);
}

void DefinePastaCaixa(const QString& folder) {
    tmk::setTillFolder(folder);
}

void FinalizaModulo() {
    instancia().reset();
    frmGerMesa = nullptr;
    delete rdmGerMesa;
    rdmGerMesa = nullptr;
}
