#include "external/common.h"
#include "platform/errors.h"

#include <QByteArray>
#include <gtest/gtest.h>

namespace tmk {
namespace {

QString invalidMessage(const QString& cifrado, int chave) {
    try {
        Uncripto(cifrado, chave);
    } catch (const AppError& e) {
        return e.message();
    }
    return QStringLiteral("(no error)");
}

TEST(Cipher, RoundTrip) {
    const QStringList values = {"123456789", "", "ação ç ñ 😀", QString(1000, QLatin1Char('x'))};
    for (const QString& v : values) {
        const QString c = Cripto(v, 42);
        EXPECT_TRUE(c.startsWith("K1:"));
        EXPECT_FALSE(c.contains(v) && !v.isEmpty());
        EXPECT_EQ(Uncripto(c, 42), v);
    }
}

TEST(Cipher, SameValueGivesDifferentTexts) {
    EXPECT_NE(Cripto("codigo-sat", 7), Cripto("codigo-sat", 7));
}

TEST(Cipher, WrongKeyIsDetected) {
    const QString c = Cripto("12345678", 10);
    EXPECT_EQ(invalidMessage(c, 11), "Código cifrado inválido.");
    EXPECT_EQ(invalidMessage(c, -10), "Código cifrado inválido.");
}

TEST(Cipher, DamagedTextIsDetected) {
    const QString c = Cripto("12345678", 3);
    QByteArray raw = QByteArray::fromBase64(c.mid(3).toLatin1());
    for (int i : {0, int(raw.size()) / 2, int(raw.size()) - 1}) {
        QByteArray bad = raw;
        bad[i] = char(bad[i] ^ 0x01);
        EXPECT_EQ(invalidMessage("K1:" + QString::fromLatin1(bad.toBase64()), 3),
                  "Código cifrado inválido.")
            << "byte " << i;
    }
    EXPECT_EQ(invalidMessage(c.left(c.size() - 4), 3), "Código cifrado inválido.");
    EXPECT_EQ(invalidMessage("K2" + c.mid(2), 3), "Código cifrado inválido.");
    EXPECT_EQ(invalidMessage("12345678", 3), "Código cifrado inválido."); // a clear value
    EXPECT_EQ(invalidMessage("K1:@@@", 3), "Código cifrado inválido.");
    EXPECT_EQ(invalidMessage("K1:", 3), "Código cifrado inválido.");
}

TEST(Cipher, NothingStoredDecipheresToNothing) {
    EXPECT_EQ(Uncripto("", 5), "");
    EXPECT_EQ(Uncripto("  ", 5), "");
}

} // namespace
} // namespace tmk
