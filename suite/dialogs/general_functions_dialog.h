#pragma once

#include <QDialog>
#include <functional>

namespace tmk {

// The general functions (CriaFuncoesFiscais): "btnResumoDia" prints the day's summary
// (the action given), "btnVoltar" goes back to the map and "btnFechaSistema" shuts the
// front office down (the dialog ends with ShutDown).
class GeneralFunctionsDialog : public QDialog {
    Q_OBJECT

public:
    static constexpr int ShutDown = 2;

    GeneralFunctionsDialog(std::function<void()> daySummary, QWidget* parent = nullptr);
};

} // namespace tmk
