#include "suite/devices/simulated_fiscal_device.h"

#include "platform/errors.h"
#include "suite/devices/device_files.h"
#include "suite/devices/devices_log.h"
#include "suite/devices/simulated_drawer.h"

namespace tmk {

namespace {

[[noreturn]] void notAvailable(const char* function) {
    throw AppError(QStringLiteral("Função %1 ainda não disponível neste caixa.")
                       .arg(QString::fromLatin1(function)));
}

} // namespace

SimulatedFiscalDevice::SimulatedFiscalDevice(Clock clock)
    : clock_(clock ? std::move(clock) : Clock([] { return QDateTime::currentDateTime(); })) {}

void SimulatedFiscalDevice::Estado_Gaveta_Imp(const QString& /*esquema*/, QString& status) {
    status = simulatedDrawerStatus();
}

bool SimulatedFiscalDevice::Abre_Gaveta_Imp(const QString& cdPorta, const QString& /*esquema*/,
                                            bool /*flag*/) {
    qCInfo(lcSuiteDevices).noquote() << "opening the drawer of the fiscal printer on" << cdPorta;
    return abrirGavetaSimulada();
}

bool SimulatedFiscalDevice::VerificaData(const QString& /*esquema*/, QString& retorno,
                                         const QString& /*a3*/, const QString& /*dataImp*/,
                                         int /*a5*/) {
    retorno = clock_().date().toString(QStringLiteral("dd/MM/yyyy"));
    return true;
}

void SimulatedFiscalDevice::LimpaDisplay() {
    writeDeviceFile(QStringLiteral("Display.txt"), QByteArray("\n"));
}

bool SimulatedFiscalDevice::FinalizaTransTef(bool /*confirma*/) {
    notAvailable("FinalizaTransTef");
}

void SimulatedFiscalDevice::ImprimeCupomTef(const QVariantList& /*values*/) {
    notAvailable("ImprimeCupomTef");
}

void SimulatedFiscalDevice::Cancela_Cupom_Imp(const QVariantList& /*values*/,
                                              QVariant& /*retorno*/) {
    notAvailable("Cancela_Cupom_Imp");
}

} // namespace tmk
