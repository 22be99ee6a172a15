#include "external/common.h"
#include "platform/errors.h"

#include <QByteArray>
#include <QCryptographicHash>
#include <QMessageAuthenticationCode>
#include <QRandomGenerator>
#include <QStringDecoder>
#include <QtEndian>

// Enciphered values: "K1:" + base64(nonce | cipher text | tag).
// The key number derives a 256-bit key; a SHA-256 counter keystream over the UTF-8
// bytes hides the value, and an HMAC-SHA-256 tag over version, nonce and cipher
// text detects a wrong key or a damaged text. Clear values are never logged.

namespace tmk {

namespace {

constexpr char prefix[] = "K1:";
constexpr int nonceSize = 12;
constexpr int tagSize = 16;

QByteArray bigEndian32(quint32 v) {
    QByteArray b(4, '\0');
    qToBigEndian(v, b.data());
    return b;
}

QByteArray derivedKey(int chave, const char* purpose) {
    QCryptographicHash h(QCryptographicHash::Sha256);
    h.addData(QByteArrayView("tmk-cipher-v1/"));
    h.addData(QByteArrayView(purpose));
    h.addData(bigEndian32(quint32(chave)));
    return h.result();
}

QByteArray keystreamXor(const QByteArray& data, const QByteArray& key, const QByteArray& nonce) {
    QByteArray out = data;
    quint32 block = 0;
    for (qsizetype pos = 0; pos < out.size(); ++block) {
        QCryptographicHash h(QCryptographicHash::Sha256);
        h.addData(key);
        h.addData(nonce);
        h.addData(bigEndian32(block));
        const QByteArray stream = h.result();
        for (qsizetype i = 0; i < stream.size() && pos < out.size(); ++i, ++pos) {
            out[pos] = char(out.at(pos) ^ stream.at(i));
        }
    }
    return out;
}

QByteArray tagOf(int chave, const QByteArray& nonce, const QByteArray& body) {
    QMessageAuthenticationCode mac(QCryptographicHash::Sha256, derivedKey(chave, "mac"));
    mac.addData(QByteArray(prefix));
    mac.addData(nonce);
    mac.addData(body);
    return mac.result().left(tagSize);
}

bool sameBytes(const QByteArray& a, const QByteArray& b) {
    if (a.size() != b.size()) {
        return false;
    }
    unsigned char diff = 0;
    for (qsizetype i = 0; i < a.size(); ++i) {
        diff |= static_cast<unsigned char>(a.at(i) ^ b.at(i));
    }
    return diff == 0;
}

[[noreturn]] void invalidCipher() {
    throw AppError(QStringLiteral("Código cifrado inválido."));
}

} // namespace

QString Cripto(const QString& claro, int chave) {
    QByteArray nonce(nonceSize, '\0');
    QRandomGenerator::system()->generate(nonce.begin(), nonce.end());
    const QByteArray body = keystreamXor(claro.toUtf8(), derivedKey(chave, "stream"), nonce);
    const QByteArray packed = nonce + body + tagOf(chave, nonce, body);
    return QString::fromLatin1(prefix) + QString::fromLatin1(packed.toBase64());
}

QString Uncripto(const QString& cifrado, int chave) {
    const QString text = cifrado.trimmed();
    if (text.isEmpty()) {
        return {};
    }
    if (!text.startsWith(QLatin1String(prefix))) {
        invalidCipher();
    }
    const auto decoded = QByteArray::fromBase64Encoding(
        text.mid(int(sizeof(prefix)) - 1).toLatin1(), QByteArray::AbortOnBase64DecodingErrors);
    if (!decoded || decoded.decoded.size() < nonceSize + tagSize) {
        invalidCipher();
    }
    const QByteArray& packed = decoded.decoded;
    const QByteArray nonce = packed.left(nonceSize);
    const QByteArray body = packed.mid(nonceSize, packed.size() - nonceSize - tagSize);
    if (!sameBytes(packed.right(tagSize), tagOf(chave, nonce, body))) {
        invalidCipher();
    }
    const QByteArray clear = keystreamXor(body, derivedKey(chave, "stream"), nonce);
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString value = utf8.decode(clear);
    if (utf8.hasError()) {
        invalidCipher();
    }
    return value;
}

} // namespace tmk
