#include "host/walkthrough/day_run.h"

#include "external/common.h"
#include "host/front_office.h"
#include "host/walkthrough/restaurant_day.h"

namespace tmk::walkthrough {

DayRun runRestaurantDay(TableModule& modulo, const QString& pastaCaixa, const QString& pastaFotos) {
    const QString nome = QStringLiteral("walkthrough");
    DayRun run;
    {
        QSqlDatabase banco =
            openConnection(_GetStringConexKov(QString()), nome, DatabaseFile::MustExist);
        Walkthrough dia(restaurantDay(), pastaCaixa, banco, pastaFotos);
        dia.start();
        run.saida = runFrontOffice(modulo);
        run.passos = dia.resultados();
        run.falhas = dia.falhas();
        if (!dia.terminou()) {
            run.falhas << QStringLiteral("A frente de caixa fechou antes do fim do dia.");
        }
        banco.close();
    }
    QSqlDatabase::removeDatabase(nome);
    return run;
}

} // namespace tmk::walkthrough
