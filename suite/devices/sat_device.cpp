#include "suite/devices/sat_device.h"

#include "external/common.h"
#include "platform/datapacket_xml.h"
#include "platform/errors.h"
#include "platform/till_folder.h"
#include "suite/devices/access_key.h"
#include "suite/devices/device_files.h"
#include "suite/devices/device_switch.h"
#include "suite/devices/devices_log.h"
#include "suite/devices/document_counter.h"
#include "suite/devices/fiscal_amounts.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QMessageAuthenticationCode>
#include <QRandomGenerator>
#include <QRegularExpression>

namespace tmk {

namespace {

const QString kFile = QStringLiteral("SAT.ini");
const QString kAceitar = QStringLiteral("ACEITAR");
const QString kRecusar = QStringLiteral("RECUSAR");
const QString kSerieDefault = QStringLiteral("900004019");

DeviceSwitch loadSwitch() {
    return DeviceSwitch::load(
        kFile, QStringLiteral("SAT"),
        {QStringLiteral("Resposta"), QStringLiteral("Motivo"), QStringLiteral("NumeroSerie")});
}

QString serialOf(const DeviceSwitch& sw) {
    static const QRegularExpression nineDigits(QStringLiteral("^\\d{9}$"));
    const QString serial = sw.value(QStringLiteral("NumeroSerie"), kSerieDefault);
    if (!nineDigits.match(serial).hasMatch()) {
        throw AppError(QStringLiteral("Arquivo de configuração %1 inválido: NumeroSerie=%2; "
                                      "use 9 dígitos.")
                           .arg(QDir::toNativeSeparators(sw.path()), serial));
    }
    return serial;
}

SatAnswer refused(const QString& why) {
    SatAnswer a;
    a.aceito = false;
    a.mensagem = why;
    qCInfo(lcSuiteDevices).noquote() << "SAT refused the sale:" << why;
    return a;
}

// The till's activation code, deciphered; an empty text when none is recorded.
QString tillActivationCode() {
    const QString path = tillPath(QStringLiteral("Dados/Cadastros/AberturaCaixa.cds"));
    if (!QFileInfo::exists(path)) {
        throw AppError(QStringLiteral("Arquivo de abertura do caixa %1 não encontrado: o código "
                                      "de ativação do SAT não pode ser conferido.")
                           .arg(QDir::toNativeSeparators(path)));
    }
    const DataPacket p = readDataPacketFile(path);
    if (p.fieldIndex(QStringLiteral("CDATIVACAOSAT")) < 0 || p.isEmpty()) {
        return {};
    }
    try {
        return Uncripto(p.value(0, QStringLiteral("CDATIVACAOSAT")).toString(),
                        kChaveCodigoAtivacaoSat);
    } catch (const AppError& e) {
        throw AppError(QStringLiteral("Código de ativação do SAT do arquivo %1: %2")
                           .arg(QDir::toNativeSeparators(path), e.message()));
    }
}

QString signature(const CfeDocument& d) {
    QMessageAuthenticationCode mac(QCryptographicHash::Sha256, d.numeroSerieSat.toLatin1());
    mac.addData(d.chave().toLatin1());
    mac.addData(d.timeStamp().toLatin1());
    mac.addData(xmlAmount(fiscalTotals(d.venda).total).toLatin1());
    mac.addData(d.venda.cpfConsumidor.toLatin1());
    return QString::fromLatin1(mac.result().toBase64());
}

} // namespace

QStringList SatAnswer::answerList() const {
    if (!aceito) {
        return {QStringLiteral("mensagem=") + mensagem};
    }
    return {
        QStringLiteral("chaveConsulta=") + documento.chaveConsulta,
        QStringLiteral("timeStamp=") + documento.timeStamp(),
        QStringLiteral("valorTotalCFe=") + xmlAmount(fiscalTotals(documento.venda).total),
        QStringLiteral("CPFCNPJValue=") + documento.venda.cpfConsumidor,
        QStringLiteral("assinaturaQRCODE=") + documento.assinaturaQrCode,
        QStringLiteral("arqxmlnfce=") + xml,
    };
}

SimulatedSat::SimulatedSat(Clock clock)
    : clock_(clock ? std::move(clock) : Clock([] { return QDateTime::currentDateTime(); })) {}

QString SimulatedSat::switchFile() {
    return deviceFilePath(kFile);
}

QString SimulatedSat::numeroSerie() {
    return serialOf(loadSwitch());
}

SatAnswer SimulatedSat::enviarDadosVenda(const FiscalSale& sale, const QString& codigoAtivacao,
                                         const QString& dirXmlFiscal) {
    validateFiscalSale(sale);
    const DeviceSwitch sw = loadSwitch();
    const QString serial = serialOf(sw);
    const QString resposta = sw.choice(QStringLiteral("Resposta"), {kAceitar, kRecusar}, kAceitar);

    const QString stored = tillActivationCode();
    if (stored.isEmpty()) {
        return refused(QStringLiteral("SAT não ativado: nenhum código de ativação cadastrado na "
                                      "abertura do caixa."));
    }
    if (codigoAtivacao != stored) {
        return refused(QStringLiteral("Código de ativação do SAT inválido. Confira o código "
                                      "informado na abertura do caixa."));
    }
    if (resposta == kRecusar) {
        return refused(sw.value(QStringLiteral("Motivo"),
                                QStringLiteral("SAT recusou a venda: equipamento em manutenção.")));
    }
    if (dirXmlFiscal.trimmed().isEmpty()) {
        throw AppError(QStringLiteral("Pasta do XML fiscal não informada para o SAT."));
    }
    const QString folder = resolveTillFolder(dirXmlFiscal);
    requireWritableFolder(folder, QStringLiteral("o XML do SAT"));

    SatAnswer a;
    a.aceito = true;
    CfeDocument& d = a.documento;
    d.venda = sale;
    d.numeroSerieSat = serial;
    d.numeroCaixa = sale.cdCaixa.right(3).rightJustified(3, QLatin1Char('0'));
    QDateTime when = sale.dataEmissao.isValid() ? sale.dataEmissao : clock_();
    when.setTime(QTime(when.time().hour(), when.time().minute(), when.time().second()));
    d.dataEmissao = when;
    d.venda.dataEmissao = when;
    DocumentCounter counter(QStringLiteral("SAT-") + serial, 999999);
    const int numero = int(counter.next());
    d.numeroCfe = QStringLiteral("%1").arg(numero, 6, 10, QLatin1Char('0'));
    const int codigo = int(QRandomGenerator::global()->bounded(1000000));
    d.chaveConsulta =
        QStringLiteral("CFe") + cfeAccessKey({sale.emitente.codigoUf, when.date(),
                                              sale.emitente.cnpj, serial, numero, codigo});
    d.assinaturaQrCode = signature(d);
    const QByteArray xml = cfeXml(d, codigo);
    a.xml = QString::fromUtf8(xml);
    a.arquivoXml = QDir(folder).filePath(d.chaveConsulta + QStringLiteral(".xml"));
    try {
        writeFileAtomically(a.arquivoXml, xml);
    } catch (const AppError& e) {
        throw AppError(
            e.message() +
            QStringLiteral(" O CF-e %1 do SAT %2 ficou sem uso.").arg(d.numeroCfe, serial));
    }
    return a;
}

} // namespace tmk
