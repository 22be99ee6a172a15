#include "suite/devices/nfce_emitter.h"

#include "platform/errors.h"
#include "suite/devices/access_key.h"
#include "suite/devices/device_files.h"
#include "suite/devices/device_switch.h"
#include "suite/devices/devices_log.h"
#include "suite/devices/document_counter.h"
#include "suite/devices/fiscal_amounts.h"

#include <QDir>
#include <QRandomGenerator>

namespace tmk {

namespace {

const QString kFile = QStringLiteral("NFCe.ini");
const QString kGroup = QStringLiteral("NFCe");
const QString kAutorizada = QStringLiteral("AUTORIZADA");
const QString kContingencia = QStringLiteral("CONTINGENCIA");
const QString kRejeitada = QStringLiteral("REJEITADA");

DeviceSwitch loadSwitch() {
    return DeviceSwitch::load(kFile, kGroup,
                              {QStringLiteral("Resposta"), QStringLiteral("Motivo"),
                               QStringLiteral("Serie"), QStringLiteral("UrlQrCode"),
                               QStringLiteral("UrlConsulta"), QStringLiteral("IdCsc"),
                               QStringLiteral("Csc")});
}

int seriesNumber(const QString& text, const QString& source) {
    bool ok = false;
    const int n = text.trimmed().toInt(&ok);
    if (!ok || n < 0 || n > 999) {
        throw AppError(QStringLiteral("Série da NFC-e \"%1\" inválida (%2): use um número de 0 a "
                                      "999.")
                           .arg(text, source));
    }
    return n;
}

NfceQrSettings qrSettings(const DeviceSwitch& sw, const QString& uf) {
    const QString base = QStringLiteral("https://nfce.sefaz-simulada.invalid/") + uf.toLower();
    NfceQrSettings s;
    s.urlQrCode = sw.value(QStringLiteral("UrlQrCode"), base + QStringLiteral("/qrcode"));
    s.urlConsulta = sw.value(QStringLiteral("UrlConsulta"), base + QStringLiteral("/consulta"));
    s.idCsc = sw.value(QStringLiteral("IdCsc"), QStringLiteral("000001"));
    s.csc = sw.value(QStringLiteral("Csc"), QStringLiteral("CSC-SIMULADO-0000000000000000000000"));
    return s;
}

QString protocolNumber(const QString& codigoUf, const QDateTime& when) {
    const quint64 tail = QRandomGenerator::global()->bounded(Q_UINT64_C(10000000000));
    return QStringLiteral("1") + codigoUf + when.toString(QStringLiteral("yy")) +
           QStringLiteral("%1").arg(tail, 10, 10, QLatin1Char('0'));
}

} // namespace

SimulatedNfceEmitter::SimulatedNfceEmitter(Clock clock)
    : clock_(clock ? std::move(clock) : Clock([] { return QDateTime::currentDateTime(); })) {}

QString SimulatedNfceEmitter::switchFile() {
    return deviceFilePath(kFile);
}

QString SimulatedNfceEmitter::serie(const QString& /*cdFilial*/, const QString& cdCaixa) {
    const DeviceSwitch sw = loadSwitch();
    if (sw.contains(QStringLiteral("Serie"))) {
        return QString::number(seriesNumber(sw.value(QStringLiteral("Serie")), sw.path()));
    }
    return QString::number(
        seriesNumber(cdCaixa, QStringLiteral("caixa %1; informe Serie= em %2")
                                  .arg(cdCaixa, QDir::toNativeSeparators(sw.path()))));
}

QDateTime SimulatedNfceEmitter::dataEmissao() {
    QDateTime now = clock_();
    now.setTime(QTime(now.time().hour(), now.time().minute(), now.time().second()));
    return now;
}

NfceAuthorisation SimulatedNfceEmitter::emitir(const FiscalSale& sale,
                                               const QString& dirXmlFiscal) {
    // Everything that can refuse the sale comes before a number is used.
    validateFiscalSale(sale);
    const int series = seriesNumber(sale.serie, QStringLiteral("venda %1").arg(sale.nrSeqVenda));
    const DeviceSwitch sw = loadSwitch();
    const QString resposta = sw.choice(QStringLiteral("Resposta"),
                                       {kAutorizada, kContingencia, kRejeitada}, kAutorizada);
    if (dirXmlFiscal.trimmed().isEmpty()) {
        throw AppError(QStringLiteral("Pasta do XML fiscal não informada para a NFC-e."));
    }
    const QString folder = resolveTillFolder(dirXmlFiscal);
    if (resposta != kRejeitada) {
        requireWritableFolder(folder, QStringLiteral("o XML da NFC-e"));
    }

    NfceAuthorisation a;
    a.serie = QString::number(series);
    a.dataEmissao = sale.dataEmissao.isValid() ? sale.dataEmissao : dataEmissao();
    a.dataEmissao.setTime(QTime(a.dataEmissao.time().hour(), a.dataEmissao.time().minute(),
                                a.dataEmissao.time().second())); // the document keeps seconds
    a.tipoEmissao = resposta == kContingencia ? 9 : 1;
    DocumentCounter counter(QStringLiteral("NFCe-%1").arg(series, 3, 10, QLatin1Char('0')),
                            999999999);
    a.numero = counter.next();
    const int codigo = int(QRandomGenerator::global()->bounded(100000000));
    a.chave = nfceAccessKey({sale.emitente.codigoUf, a.dataEmissao.date(), sale.emitente.cnpj,
                             series, a.numero, a.tipoEmissao, codigo});
    const NfceQrSettings qr = qrSettings(sw, sale.emitente.siglaUf);
    a.urlConsulta = qr.urlConsulta;

    if (resposta == kRejeitada) {
        a.situacao = NfceStatus::Rejeitada;
        a.motivo = sw.value(QStringLiteral("Motivo"),
                            QStringLiteral("Rejeição: documento recusado pela SEFAZ simulada"));
        qCInfo(lcSuiteDevices).noquote()
            << "NFC-e" << a.numero << "of series" << a.serie << "rejected:" << a.motivo;
        return a;
    }
    a.situacao = resposta == kContingencia ? NfceStatus::Contingencia : NfceStatus::Autorizada;
    if (a.situacao == NfceStatus::Autorizada) {
        a.dataAutorizacao = clock_();
        a.protocolo = protocolNumber(sale.emitente.codigoUf, a.dataAutorizacao);
        a.motivo = QStringLiteral("Autorizado o uso da NF-e");
    } else {
        a.motivo = QStringLiteral("Emitida em contingência off-line");
    }
    // The QR code of an offline document carries the digest of the document itself,
    // which does not depend on the QR code: compute it from a first rendering.
    const QByteArray digest = nfceDigest(nfceXml(sale, a, codigo));
    a.qrCode = nfceQrCodeText(qr, a.chave, sale.emitente.ambiente, a.dataEmissao,
                              fiscalTotals(sale).total, digest, a.tipoEmissao);
    a.arquivoXml = QDir(folder).filePath(a.chave + QStringLiteral(".xml"));
    try {
        writeFileAtomically(a.arquivoXml, nfceXml(sale, a, codigo));
    } catch (const AppError& e) {
        throw AppError(e.message() + QStringLiteral(" O número %1 da série %2 da NFC-e ficou sem "
                                                    "uso.")
                                         .arg(a.numero)
                                         .arg(a.serie));
    }
    return a;
}

} // namespace tmk
