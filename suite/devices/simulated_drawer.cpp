#include "suite/devices/simulated_drawer.h"

#include "suite/common/ini_file.h"
#include "suite/devices/device_files.h"
#include "suite/devices/devices_log.h"

#include <QFileInfo>

namespace tmk {

namespace {

const QString kFileName = QStringLiteral("Gaveta.ini");
const QString kGroup = QStringLiteral("Gaveta");

struct DrawerFile {
    bool open = false;
    QString tipo;
};

DrawerFile readDrawer() {
    const QString path = simulatedDrawerFile();
    if (!QFileInfo::exists(path)) {
        return {};
    }
    const IniFile ini = IniFile::load(path);
    const QString aberta = ini.value(kGroup, QStringLiteral("Aberta")).trimmed().toUpper();
    if (!aberta.isEmpty() && aberta != QLatin1String("S") && aberta != QLatin1String("N")) {
        qCWarning(lcSuiteDevices).noquote()
            << "drawer file" << path << "holds Aberta=" << aberta << "; taken as closed";
    }
    return {aberta == QLatin1String("S"), ini.value(kGroup, QStringLiteral("Tipo")).trimmed()};
}

bool writeDrawer(bool open) {
    QString tipo;
    try {
        tipo = readDrawer().tipo;
    } catch (const std::exception&) {
        // An unreadable file is replaced; its sensor setting cannot be kept.
    }
    QByteArray text = "[Gaveta]\nAberta=";
    text += open ? "S\n" : "N\n";
    if (!tipo.isEmpty()) {
        text += "Tipo=" + tipo.toUtf8() + "\n";
    }
    return writeDeviceFile(kFileName, text);
}

} // namespace

QString simulatedDrawerFile() {
    return deviceFilePath(kFileName);
}

bool simulatedDrawerOpen() {
    return readDrawer().open;
}

QString simulatedDrawerStatus() {
    const DrawerFile d = readDrawer();
    const bool inverted = d.tipo == QLatin1String("2");
    return d.open != inverted ? QStringLiteral("00") : QStringLiteral("01");
}

bool abrirGavetaSimulada() {
    return writeDrawer(true);
}

bool fecharGavetaSimulada() {
    return writeDrawer(false);
}

bool abrirGavetaImpressoraNaoFiscal(const QString& idTipoImp, const QString& cdPorta) {
    qCInfo(lcSuiteDevices).noquote()
        << "opening the drawer of the non-fiscal printer" << idTipoImp << "on" << cdPorta;
    return abrirGavetaSimulada();
}

bool gavetaImpressoraNaoFiscalAberta(const QString& /*idTipoImp*/, const QString& /*cdPorta*/) {
    return simulatedDrawerOpen();
}

} // namespace tmk
