#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

namespace tmk {

// The module matrix of a QR code (libqrencode, error correction level M, 8-bit mode
// over the UTF-8 text).
struct QrMatrix {
    int size = 0;     // modules per side
    QList<bool> dark; // size x size, row by row

    bool at(int x, int y) const { return dark.at(y * size + x); }
};

// AppError for an empty text or one too long for a QR code.
QrMatrix encodeQrCode(const QString& text);

} // namespace tmk
