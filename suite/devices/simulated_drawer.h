#pragma once

#include <QString>

namespace tmk {

// The simulated cash drawer of the till: one drawer, whose state is the file
// "Dispositivos/Gaveta.ini" of the till folder:
//
//   [Gaveta]
//   Aberta=S          S open, N closed; a missing file or key means closed
//   Tipo=2            optional: the sensor of a type "2" drawer (see below)
//
// The fiscal printer and the non-fiscal printers all reach this same drawer.
//
// Status convention of the simulated printer (Estado_Gaveta_Imp): "00" when the
// drawer is open and "01" when it is closed, which is what a till configured with
// drawer type "1" expects. A till configured with drawer type "2" reads the status
// the other way round ("00" closed); for it, write Tipo=2 and the simulated printer
// reports "00" closed and "01" open.

// Path of the drawer file in the till folder.
QString simulatedDrawerFile();

// True when the drawer is open. Throws AppError naming the file when it exists but
// cannot be read.
bool simulatedDrawerOpen();

// The printer's status text of the drawer, per the convention above.
QString simulatedDrawerStatus();

// Opens the drawer (writes the file). False, with a log line, when the file cannot be
// written; the drawer then stays as it was.
bool abrirGavetaSimulada();

// Closes the drawer, as the person at the till pushing it shut. False, with a log
// line, when the file cannot be written.
bool fecharGavetaSimulada();

// The drawer wired to a non-fiscal printer (type and port of that printer): the
// same simulated drawer, whatever printer it hangs on.
bool abrirGavetaImpressoraNaoFiscal(const QString& idTipoImp, const QString& cdPorta);
bool gavetaImpressoraNaoFiscalAberta(const QString& idTipoImp, const QString& cdPorta);

} // namespace tmk
