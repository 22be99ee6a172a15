#include "platform/errors.h"
#include "suite/devices/simulated_drawer.h"
#include "suite/devices/simulated_fiscal_device.h"
#include "tests/suite/devices/till_folder_fixture.h"
#include "tests/suite/print_qstring.h"

#include <QFileInfo>

namespace tmk {
namespace {

using devices_test::TillFolderTest;

QString status(FiscalDevice& device) {
    QString s = QStringLiteral("??");
    device.Estado_Gaveta_Imp(QStringLiteral("002"), s);
    return s;
}

// The drawer guard of the table screen: open with type "1" when the status is "00";
// with type "2" when a second read is not "00".
bool guardSeesOpen(FiscalDevice& device, const QString& tipoGaveta) {
    const QString first = status(device);
    if (first == QLatin1String("00") && tipoGaveta == QLatin1String("1")) {
        return true;
    }
    return status(device) != QLatin1String("00") && tipoGaveta == QLatin1String("2");
}

using SimulatedDrawer = TillFolderTest;

TEST_F(SimulatedDrawer, NoFileMeansClosed) {
    SimulatedFiscalDevice device;
    EXPECT_FALSE(QFileInfo::exists(simulatedDrawerFile()));
    EXPECT_FALSE(simulatedDrawerOpen());
    EXPECT_EQ(status(device), "01");
    EXPECT_FALSE(guardSeesOpen(device, "1"));
}

TEST_F(SimulatedDrawer, OpenAndCloseRoundTripThroughTheFile) {
    SimulatedFiscalDevice device;
    EXPECT_TRUE(device.Abre_Gaveta_Imp(QStringLiteral("COM1"), QStringLiteral("002"), true));
    EXPECT_EQ(simulatedDrawerFile(), path("Dispositivos/Gaveta.ini"));
    EXPECT_EQ(read("Dispositivos/Gaveta.ini"), "[Gaveta]\nAberta=S\n");
    EXPECT_TRUE(simulatedDrawerOpen());
    EXPECT_EQ(status(device), "00");
    EXPECT_TRUE(guardSeesOpen(device, "1"));

    EXPECT_TRUE(fecharGavetaSimulada());
    EXPECT_EQ(read("Dispositivos/Gaveta.ini"), "[Gaveta]\nAberta=N\n");
    EXPECT_FALSE(simulatedDrawerOpen());
    EXPECT_EQ(status(device), "01");
    EXPECT_FALSE(guardSeesOpen(device, "1"));
}

TEST_F(SimulatedDrawer, FileWrittenByHandIsRead) {
    write("Dispositivos/Gaveta.ini", "; gaveta do caixa\r\n[gaveta]\r\naberta = s\r\n");
    EXPECT_TRUE(simulatedDrawerOpen());
    write("Dispositivos/Gaveta.ini", "[Gaveta]\nAberta=talvez\n");
    EXPECT_FALSE(simulatedDrawerOpen()) << "an unknown value is taken as closed";
    write("Dispositivos/Gaveta.ini", "[Outra]\nAberta=S\n");
    EXPECT_FALSE(simulatedDrawerOpen()) << "the key belongs to group [Gaveta]";
}

TEST_F(SimulatedDrawer, TypeTwoSensorReportsTheOtherWayRound) {
    write("Dispositivos/Gaveta.ini", "[Gaveta]\nAberta=N\nTipo=2\n");
    SimulatedFiscalDevice device;
    EXPECT_EQ(status(device), "00");
    EXPECT_FALSE(guardSeesOpen(device, "2"));
    ASSERT_TRUE(abrirGavetaSimulada());
    EXPECT_EQ(read("Dispositivos/Gaveta.ini"), "[Gaveta]\nAberta=S\nTipo=2\n")
        << "opening keeps the sensor setting";
    EXPECT_EQ(status(device), "01");
    EXPECT_TRUE(guardSeesOpen(device, "2"));
}

TEST_F(SimulatedDrawer, OpeningFailsWhenTheFileCannotBeWritten) {
    write("Dispositivos", "not a folder"); // the device folder cannot be made
    SimulatedFiscalDevice device;
    EXPECT_FALSE(device.Abre_Gaveta_Imp(QStringLiteral("COM1"), QStringLiteral("002"), true));
    EXPECT_FALSE(abrirGavetaImpressoraNaoFiscal(QStringLiteral("1"), QStringLiteral("LPT1")));
    EXPECT_FALSE(fecharGavetaSimulada());
    EXPECT_EQ(read("Dispositivos"), "not a folder");
}

TEST_F(SimulatedDrawer, UnreadableFileIsAnErrorNamingIt) {
    QDir().mkpath(path("Dispositivos/Gaveta.ini")); // a folder where the file should be
    SimulatedFiscalDevice device;
    try {
        status(device);
        FAIL() << "no error";
    } catch (const AppError& e) {
        EXPECT_TRUE(e.message().contains("Gaveta.ini")) << e.message().toStdString();
    }
}

TEST_F(SimulatedDrawer, NonFiscalPrinterReachesTheSameDrawer) {
    EXPECT_FALSE(gavetaImpressoraNaoFiscalAberta(QStringLiteral("1"), QStringLiteral("LPT1")));
    EXPECT_TRUE(abrirGavetaImpressoraNaoFiscal(QStringLiteral("1"), QStringLiteral("LPT1")));
    EXPECT_TRUE(gavetaImpressoraNaoFiscalAberta(QStringLiteral("7"), QStringLiteral("COM3")));
    SimulatedFiscalDevice device;
    EXPECT_EQ(status(device), "00");
}

using SimulatedPrinter = TillFolderTest;

TEST_F(SimulatedPrinter, DateIsTheMachineClock) {
    SimulatedFiscalDevice device([] { return QDateTime(QDate(2024, 3, 5), QTime(23, 59)); });
    QString retorno;
    EXPECT_TRUE(
        device.VerificaData(QStringLiteral("002"), retorno, QString(), QStringLiteral("S"), 1));
    EXPECT_EQ(retorno, "05/03/2024");

    SimulatedFiscalDevice machine;
    EXPECT_TRUE(machine.VerificaData(QStringLiteral("002"), retorno, QString(), QString(), 1));
    EXPECT_EQ(retorno, QDate::currentDate().toString("dd/MM/yyyy"));
}

TEST_F(SimulatedPrinter, ClearingTheDisplayLeavesOneEmptyLine) {
    write("Dispositivos/Display.txt", "Mesa 0012  R$ 35,50\n");
    SimulatedFiscalDevice device;
    device.LimpaDisplay();
    EXPECT_EQ(read("Dispositivos/Display.txt"), "\n");
}

TEST_F(SimulatedPrinter, ClearingAnUnwritableDisplayIsNoError) {
    write("Dispositivos", "not a folder");
    SimulatedFiscalDevice device;
    EXPECT_NO_THROW(device.LimpaDisplay());
}

TEST_F(SimulatedPrinter, FiscalFunctionsOnAFreshTill) {
    SimulatedFiscalDevice device;
    EXPECT_TRUE(device.FinalizaTransTef(true)) << "nothing pending is no error";
    EXPECT_TRUE(device.FinalizaTransTef(false));
    EXPECT_NO_THROW(device.ImprimeCupomTef(QVariantList(12)));
    EXPECT_FALSE(QFileInfo::exists(path("Impressoes"))) << "no card receipt to print";
    QVariant retorno;
    try {
        device.Cancela_Cupom_Imp(QVariantList(7), retorno);
        ADD_FAILURE() << "a coupon was cancelled on a printer that printed none";
    } catch (const AppError& e) {
        EXPECT_EQ(e.message(), "Não há cupom para cancelar na impressora fiscal.");
    }
    EXPECT_FALSE(retorno.isValid());
}

} // namespace
} // namespace tmk
