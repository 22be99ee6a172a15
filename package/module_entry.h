#pragma once

#include "external/suite.h"
#include "package/wait_cursor.h"
#include "screen/ger_mesa.h"

#include <QVariantList>
#include <functional>
#include <memory>

namespace tmk {

class TfrmGerMesaView;

// The table module's entry and the single screen it keeps for the life of the module.
class ModuloGerMesa {
public:
    ModuloGerMesa(SuiteLibraries suite, TfrmGerMesa::DataModuleProvider dataModule,
                  const Clock& clock);
    ~ModuloGerMesa();

    // Shows the table screen modally and copies its ten result fields into result
    // (elements 0 to 9). It runs through the event entry: any error is shown as an error
    // box and the call returns normally, result left as it was.
    void CriaGerenciaMesa(const QVariantList& params, int lastIndex, QVariantList& result);

    // The counter sale the host took on the counter table, received through the screen's
    // receipt flow (TfrmGerMesa::RecebeVendaBalcao) under the event entry; false when the
    // screen was never opened or an error was shown.
    bool RecebeVendaBalcao(const QString& nrMesa);

    TfrmGerMesa* frmGerMesa() const { return screen_.get(); }
    TfrmGerMesaView* janela() const { return view_.get(); }

    // How the screen is shown; tests replace it to drive the screen without a loop.
    std::function<void(TfrmGerMesaView&)> showModal;

    bool boIdCriado = false;
    bool boClose = false;

private:
    void mostra(const QVariantList& params, int lastIndex, QVariantList& result,
                WaitCursor& ampulheta);
    void mostraErro(const QString& texto);

    SuiteLibraries suite_;
    TfrmGerMesa::DataModuleProvider dataModule_;
    const Clock& clock_;
    std::unique_ptr<TfrmGerMesa> screen_;
    std::unique_ptr<TfrmGerMesaView> view_;
};

} // namespace tmk
