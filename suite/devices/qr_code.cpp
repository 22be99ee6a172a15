#include "suite/devices/qr_code.h"

#include "platform/errors.h"

#include <memory>
#include <qrencode.h>

namespace tmk {

QrMatrix encodeQrCode(const QString& text) {
    const QByteArray bytes = text.toUtf8();
    if (bytes.isEmpty()) {
        throw AppError(QStringLiteral("Texto do QR code vazio."));
    }
    std::unique_ptr<QRcode, void (*)(QRcode*)> code(
        QRcode_encodeData(int(bytes.size()),
                          reinterpret_cast<const unsigned char*>(bytes.constData()), 0,
                          QR_ECLEVEL_M),
        QRcode_free);
    if (!code) {
        throw AppError(
            QStringLiteral("Não foi possível gerar o QR code (%1 caracteres).").arg(bytes.size()));
    }
    QrMatrix m;
    m.size = code->width;
    m.dark.reserve(m.size * m.size);
    for (int i = 0; i < m.size * m.size; ++i) {
        m.dark << ((code->data[i] & 1) != 0);
    }
    return m;
}

} // namespace tmk
