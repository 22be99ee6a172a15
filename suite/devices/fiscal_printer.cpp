#include "suite/devices/fiscal_printer.h"

#include "platform/errors.h"
#include "suite/devices/device_files.h"
#include "suite/devices/device_switch.h"
#include "suite/devices/devices_log.h"
#include "suite/devices/document_counter.h"
#include "suite/devices/fiscal_amounts.h"
#include "suite/devices/printout_files.h"
#include "suite/devices/printout_sections.h"

#include <QDir>

namespace tmk {

namespace {

const QString kFile = QStringLiteral("ImpressoraFiscal.ini");
const QString kAberto = QStringLiteral("ABERTO");
const QString kFechado = QStringLiteral("FECHADO");
const QString kCancelado = QStringLiteral("CANCELADO");

struct PrinterState {
    QString ultimo;
    QString situacao;
};

PrinterState readState() {
    const DeviceSwitch sw =
        DeviceSwitch::load(kFile, QStringLiteral("ImpressoraFiscal"),
                           {QStringLiteral("UltimoCupom"), QStringLiteral("Situacao")});
    PrinterState s;
    s.ultimo = sw.value(QStringLiteral("UltimoCupom"));
    s.situacao = s.ultimo.isEmpty() ? QString()
                                    : sw.choice(QStringLiteral("Situacao"),
                                                {kAberto, kFechado, kCancelado}, kFechado);
    return s;
}

void writeState(const PrinterState& s) {
    const QByteArray text = "[ImpressoraFiscal]\nUltimoCupom=" + s.ultimo.toUtf8() +
                            "\nSituacao=" + s.situacao.toUtf8() + "\n";
    if (!writeDeviceFile(kFile, text)) {
        throw AppError(QStringLiteral("Não foi possível gravar o estado da impressora fiscal em "
                                      "%1.")
                           .arg(QDir::toNativeSeparators(deviceFilePath(kFile))));
    }
}

} // namespace

SimulatedFiscalPrinter::SimulatedFiscalPrinter(Clock clock)
    : clock_(clock ? std::move(clock) : Clock([] { return QDateTime::currentDateTime(); })) {}

QString SimulatedFiscalPrinter::stateFile() {
    return deviceFilePath(kFile);
}

QString SimulatedFiscalPrinter::cupomAberto() const {
    const PrinterState s = readState();
    return s.situacao == kAberto ? s.ultimo : QString();
}

QString SimulatedFiscalPrinter::ultimoCupom() const {
    return readState().ultimo;
}

QString SimulatedFiscalPrinter::situacaoUltimoCupom() const {
    return readState().situacao;
}

QString SimulatedFiscalPrinter::abrirCupom() {
    const PrinterState current = readState();
    if (current.situacao == kAberto) {
        throw AppError(QStringLiteral("Já existe um cupom aberto na impressora fiscal (COO %1).")
                           .arg(current.ultimo));
    }
    DocumentCounter coo(QStringLiteral("ECF-COO"), 999999);
    const QString number = QStringLiteral("%1").arg(coo.next(), 6, 10, QLatin1Char('0'));
    writeState({number, kAberto});
    qCInfo(lcSuiteDevices).noquote() << "fiscal printer: coupon" << number << "opened";
    return number;
}

QString SimulatedFiscalPrinter::fecharCupom(const FiscalSale& sale) {
    const PrinterState current = readState();
    if (current.situacao != kAberto) {
        throw AppError(QStringLiteral("Não há cupom aberto na impressora fiscal."));
    }
    validateFiscalSale(sale);
    ReceiptLayout r;
    printIssuer(r, sale.emitente);
    r.separator();
    r.columns(brDateTime(clock_()), QStringLiteral("COO: ") + current.ultimo);
    r.centred(QStringLiteral("CUPOM FISCAL"), ReceiptLayout::title());
    r.separator();
    printItems(r, sale.itens);
    printTotals(r, sale);
    r.space(1);
    printPayments(r, sale);
    r.separator();
    printApproximateTaxes(r, sale);
    const QString path =
        savePrintout(r.toPdf(QStringLiteral("Cupom fiscal %1").arg(current.ultimo)),
                     QStringLiteral("CupomFiscal"), current.ultimo, clock_());
    writeState({current.ultimo, kFechado});
    return path;
}

QString SimulatedFiscalPrinter::cancelarCupom() {
    const PrinterState current = readState();
    if (current.ultimo.isEmpty() || current.situacao == kCancelado) {
        throw AppError(QStringLiteral("Não há cupom para cancelar na impressora fiscal."));
    }
    // The print folder is checked before the state changes, so that a cancellation is
    // recorded and printed together.
    requireWritableFolder(printoutFolder(), QStringLiteral("a impressão"));
    writeState({current.ultimo, kCancelado});
    ReceiptLayout r;
    r.columns(brDateTime(clock_()), QStringLiteral("COO: ") + current.ultimo);
    r.centred(QStringLiteral("CUPOM FISCAL CANCELADO"), ReceiptLayout::title());
    r.centred(QStringLiteral("COO do cupom cancelado: ") + current.ultimo);
    savePrintout(r.toPdf(QStringLiteral("Cancelamento %1").arg(current.ultimo)),
                 QStringLiteral("CancelamentoCupom"), current.ultimo, clock_());
    qCInfo(lcSuiteDevices).noquote() << "fiscal printer: coupon" << current.ultimo << "cancelled";
    return current.ultimo;
}

} // namespace tmk
