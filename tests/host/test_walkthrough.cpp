// One restaurant day at the demo store's till, walked through on the real screens, the
// suite's own dialogs, sales service and simulated devices: every step's checks of the
// database rows, the map and the fiscal and print folders must hold.
#include "db/demo/demo_store.h"
#include "host/table_module.h"
#include "host/walkthrough/day_run.h"
#include "platform/till_folder.h"
#include "tests/support/test_database.h"

#include <QDateTime>
#include <QDir>
#include <QImage>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#ifndef TMK_HOST_DIR
#error "TMK_HOST_DIR names the folder of the built host"
#endif

namespace tmk::test {
namespace {

class RestaurantDay : public DatabaseTest {};

TEST_F(RestaurantDay, EveryStepOfTheDayHoldsOnTheRealScreens) {
    QTemporaryDir till;
    QTemporaryDir fotos;
    ASSERT_TRUE(till.isValid() && fotos.isValid());
    database.writeConexaoIni(till.path());
    setTillFolder(till.path());
    const TillPreparation feito =
        prepareDemoTill(till.path(), QDateTime::currentDateTime(), QStringLiteral("001"));
    ASSERT_TRUE(feito.demoStoreCreated);

    TableModule modulo(QStringLiteral(TMK_HOST_DIR));
    modulo.definePastaCaixa(till.path());
    // TMK_PICTURES=folder keeps the pictures of the steps.
    const QString pasta = qEnvironmentVariable("TMK_PICTURES", fotos.path());
    const walkthrough::DayRun dia = walkthrough::runRestaurantDay(modulo, till.path(), pasta);

    EXPECT_EQ(dia.saida, 0) << "the front office was closed by the operator";
    ASSERT_FALSE(dia.passos.empty());
    int n = 0;
    for (const walkthrough::StepResult& passo : dia.passos) {
        ++n;
        SCOPED_TRACE(passo.nome.toStdString());
        EXPECT_TRUE(passo.feito);
        EXPECT_TRUE(passo.falhas.isEmpty()) << passo.falhas.join(QLatin1Char('\n')).toStdString();
        // Each step is pictured as the operator saw it: the whole screen.
        const QImage foto(passo.foto);
        EXPECT_EQ(foto.size(), QSize(800, 600)) << passo.foto.toStdString();
        EXPECT_TRUE(QFileInfo(passo.foto)
                        .fileName()
                        .startsWith(QStringLiteral("%1-").arg(n, 2, 10, QLatin1Char('0'))));
    }
    EXPECT_TRUE(dia.falhas.isEmpty()) << dia.falhas.join(QLatin1Char('\n')).toStdString();
}

} // namespace
} // namespace tmk::test
