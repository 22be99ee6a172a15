#include "platform/errors.h"
#include "suite/devices/access_key.h"
#include "tests/suite/print_qstring.h"

#include <gtest/gtest.h>

namespace tmk {
namespace {

// Worked by hand: the 43 digits 3526121234567800019565001000000123112345678 weighted
// 2,3,...,9,2,3... from the right add up to 656; 656 = 59 x 11 + 7; DV = 11 - 7 = 4.
TEST(AccessKey, NfceKeyMatchesTheKeyWorkedByHand) {
    const QString key = nfceAccessKey({QStringLiteral("35"), QDate(2026, 12, 8),
                                       QStringLiteral("12345678000195"), 1, 123, 1, 12345678});
    EXPECT_EQ(key, "35261212345678000195650010000001231123456784");
    EXPECT_EQ(key.size(), 44);
    EXPECT_TRUE(isValidAccessKey(key));
    EXPECT_EQ(key.mid(20, 2), "65") << "model";
    EXPECT_EQ(key.mid(22, 3), "001") << "series";
    EXPECT_EQ(key.mid(25, 9), "000000123") << "number";
    EXPECT_EQ(key.mid(34, 1), "1") << "emission type";
}

TEST(AccessKey, CheckDigitIsZeroWhenTheRemainderIsZeroOrOne) {
    struct Case {
        int code;
        int remainder; // of the weighted sum, worked out beside the test
    };
    // sums 506 (46 x 11 + 0), 518 (47 x 11 + 1), 507 (46 x 11 + 1), 517 (47 x 11 + 0)
    for (const Case c : {Case{3, 0}, Case{9, 1}, Case{12, 1}, Case{17, 0}}) {
        const QString key = nfceAccessKey({QStringLiteral("35"), QDate(2026, 12, 8),
                                           QStringLiteral("12345678000195"), 1, 123, 1, c.code});
        EXPECT_EQ(key.right(1), "0") << "code " << c.code << " remainder " << c.remainder;
        EXPECT_TRUE(isValidAccessKey(key));
    }
}

TEST(AccessKey, CfeKeyMatchesTheKeyWorkedByHand) {
    // 3526121234567800019559900004019000123123456: sum 764 = 69 x 11 + 5; DV 6.
    const QString key =
        cfeAccessKey({QStringLiteral("35"), QDate(2026, 12, 1), QStringLiteral("12345678000195"),
                      QStringLiteral("900004019"), 123, 123456});
    EXPECT_EQ(key, "35261212345678000195599000040190001231234566");
    EXPECT_TRUE(isValidAccessKey(key));
}

TEST(AccessKey, ValidityIsCheckedOnEveryDigit) {
    const QString good = "35261212345678000195650010000001231123456784";
    EXPECT_TRUE(isValidAccessKey(good));
    for (int i = 0; i < good.size(); ++i) {
        QString bad = good;
        bad[i] = QChar('0' + (good.at(i).digitValue() + 1) % 10);
        EXPECT_FALSE(isValidAccessKey(bad)) << "digit " << i << " changed";
    }
    EXPECT_FALSE(isValidAccessKey(good.left(43)));
    EXPECT_FALSE(isValidAccessKey(good.left(43) + "X"));
}

TEST(AccessKey, PartsOutOfRangeAreRefused) {
    const NfceKeyParts ok{
        QStringLiteral("35"), QDate(2026, 12, 8), QStringLiteral("12345678000195"), 1, 123, 1, 0};
    struct Case {
        const char* what;
        NfceKeyParts parts;
    };
    NfceKeyParts uf = ok;
    uf.codigoUf = "3";
    NfceKeyParts cnpj = ok;
    cnpj.cnpj = "1234567800019X";
    NfceKeyParts serie = ok;
    serie.serie = 1000;
    NfceKeyParts numero = ok;
    numero.numero = 0;
    NfceKeyParts grande = ok;
    grande.numero = 1000000000;
    NfceKeyParts data = ok;
    data.emissao = QDate();
    for (const Case& c :
         {Case{"uf", uf}, Case{"cnpj", cnpj}, Case{"serie", serie}, Case{"numero", numero},
          Case{"numero grande", grande}, Case{"data", data}}) {
        EXPECT_THROW(nfceAccessKey(c.parts), AppError) << c.what;
    }
    EXPECT_NO_THROW(nfceAccessKey(ok));
}

TEST(AccessKey, GroupedInFours) {
    EXPECT_EQ(groupedAccessKey("35261212345678000195650010000001231123456784"),
              "3526 1212 3456 7800 0195 6500 1000 0001 2311 2345 6784");
}

TEST(TaxIds, CpfAndCnpjCheckDigits) {
    struct Case {
        const char* id;
        bool valid;
    };
    for (const Case c :
         {Case{"52998224725", true}, Case{"11144477735", true}, Case{"52998224726", false},
          Case{"11111111111", false}, Case{"5299822472", false}, Case{"5299822472a", false}}) {
        EXPECT_EQ(isValidCpf(QString::fromLatin1(c.id)), c.valid) << c.id;
    }
    for (const Case c :
         {Case{"12345678000195", true}, Case{"11222333000181", true}, Case{"12345678000196", false},
          Case{"00000000000000", false}, Case{"1234567800019", false}}) {
        EXPECT_EQ(isValidCnpj(QString::fromLatin1(c.id)), c.valid) << c.id;
    }
    EXPECT_EQ(formattedCpf("52998224725"), "529.982.247-25");
    EXPECT_EQ(formattedCnpj("12345678000195"), "12.345.678/0001-95");
}

} // namespace
} // namespace tmk
