#include "suite/devices/fiscal_issuer.h"

#include "platform/datapacket_xml.h"
#include "platform/errors.h"
#include "platform/till_folder.h"

#include <QDir>
#include <QFileInfo>

namespace tmk {

FiscalIssuer readTillIssuer() {
    const QString path = tillPath(QStringLiteral("PARAMETROSKOV.CDS"));
    if (!QFileInfo::exists(path)) {
        throw AppError(QStringLiteral("Arquivo de parâmetros do caixa %1 não encontrado.")
                           .arg(QDir::toNativeSeparators(path)));
    }
    const DataPacket p = readDataPacketFile(path);
    const auto text = [&p](const char* column) {
        return p.value(0, QString::fromLatin1(column)).toString().trimmed();
    };
    FiscalIssuer issuer;
    for (const QChar c : text("CDINSJUREMPR")) {
        if (c.isDigit()) {
            issuer.cnpj += c;
        }
    }
    issuer.codigoUf = text("CDESTADOIBGE");
    issuer.siglaUf = text("SGESTADOFILI").toUpper();
    issuer.ambiente = text("IDAMBTRABNFCE");
    return issuer;
}

} // namespace tmk
