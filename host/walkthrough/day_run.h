#pragma once

#include "host/walkthrough/walkthrough.h"

#include <QString>
#include <QStringList>
#include <vector>

namespace tmk {

class TableModule;

namespace walkthrough {

struct DayRun {
    int saida = 1; // the front office's exit code
    std::vector<StepResult> passos;
    QStringList falhas;
};

// Runs the restaurant day on the till of the folder through the front office and the
// table module given, writing one picture per step into pastaFotos (none when empty).
// The checks read the till's database through a connection of their own. AppError when
// that database cannot be opened.
DayRun runRestaurantDay(TableModule& modulo, const QString& pastaCaixa,
                        const QString& pastaFotos = {});

} // namespace walkthrough
} // namespace tmk
