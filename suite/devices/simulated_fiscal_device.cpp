#include "suite/devices/simulated_fiscal_device.h"

#include "platform/errors.h"
#include "suite/devices/device_files.h"
#include "suite/devices/devices_log.h"
#include "suite/devices/printouts.h"
#include "suite/devices/sale_packets.h"
#include "suite/devices/simulated_drawer.h"

namespace tmk {

SimulatedFiscalDevice::SimulatedFiscalDevice(Clock clock)
    : clock_(clock ? std::move(clock) : Clock([] { return QDateTime::currentDateTime(); }))
    , tef_(clock_)
    , printer_(clock_) {}

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

bool SimulatedFiscalDevice::FinalizaTransTef(bool confirma) {
    const int count = confirma ? tef_.confirmarPendentes() : tef_.desfazerPendentes();
    qCInfo(lcSuiteDevices).noquote()
        << (confirma ? "confirmed" : "undid") << count << "pending card transactions";
    return true;
}

void SimulatedFiscalDevice::ImprimeCupomTef(const QVariantList& values) {
    const auto text = [&values](int i) {
        return i < values.size() ? values.at(i).toString().trimmed().toUpper() : QString();
    };
    if (text(11) == QLatin1String("N")) {
        return;
    }
    const DataPacket listed = packetOf(values.value(0));
    QList<TefTransaction> chosen;
    if (!listed.isEmpty() && listed.fieldIndex(QStringLiteral("CDNSUTEF")) >= 0) {
        QStringList nsus;
        for (int n = 0; n < listed.rowCount(); ++n) {
            nsus << listed.value(n, QStringLiteral("CDNSUTEF")).toString().trimmed();
        }
        for (const TefTransaction& t : tef_.transacoes()) {
            if (nsus.contains(t.nsu) && !t.viaCliente.isEmpty() &&
                t.situacao != TefTransaction::State::Desfeita) {
                chosen << t;
            }
        }
    } else {
        chosen = tef_.paraImpressao();
    }
    if (chosen.isEmpty()) {
        qCInfo(lcSuiteDevices).noquote() << "no card receipt to print";
        return;
    }
    printCardReceipts(chosen, text(4) == QLatin1String("S"), clock_());
    QStringList printed;
    for (const TefTransaction& t : chosen) {
        printed << t.nsu;
    }
    tef_.marcarImpressas(printed);
}

void SimulatedFiscalDevice::Cancela_Cupom_Imp(const QVariantList& /*values*/, QVariant& retorno) {
    const QString number = printer_.cancelarCupom();
    QVariantList out = retorno.toList();
    while (out.size() < 10) {
        out.append(QVariant());
    }
    out[1] = number;
    retorno = out;
}

} // namespace tmk
