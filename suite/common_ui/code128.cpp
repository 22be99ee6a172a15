#include "suite/common_ui/code128.h"

#include "platform/errors.h"

namespace tmk::code128 {

namespace {

// Bar and space widths of the values 0..105 (ISO/IEC 15417), bar first.
const char* const widths[106] = {
    "212222", "222122", "222221", "121223", "121322", "131222", "122213", "122312", "132212",
    "221213", "221312", "231212", "112232", "122132", "122231", "113222", "123122", "123221",
    "223211", "221132", "221231", "213212", "223112", "312131", "311222", "321122", "321221",
    "312212", "322112", "322211", "212123", "212321", "232121", "111323", "131123", "131321",
    "112313", "132113", "132311", "211313", "231113", "231311", "112133", "112331", "132131",
    "113123", "113321", "133121", "313121", "211331", "231131", "213113", "213311", "213131",
    "311123", "311321", "331121", "312113", "312311", "332111", "314111", "221411", "431111",
    "111224", "111422", "121124", "121421", "141122", "141221", "112214", "112412", "122114",
    "122411", "142112", "142211", "241211", "221114", "413111", "241112", "134111", "111242",
    "121142", "121241", "114212", "124112", "124211", "411212", "421112", "421211", "212141",
    "214121", "412121", "111143", "111341", "131141", "114113", "114311", "411113", "411311",
    "113141", "114131", "311141", "411131", "211412", "211214", "211232"};
const char* const stopWidths = "2331112";

constexpr int codeC = 99;
constexpr int codeB = 100;
constexpr int startB = 104;
constexpr int startC = 105;
constexpr int stop = 106;

qsizetype digitRun(const QString& text, qsizetype from) {
    qsizetype n = 0;
    while (from + n < text.size() && text.at(from + n).isDigit() &&
           text.at(from + n).unicode() < 128) {
        ++n;
    }
    return n;
}

int pairValue(const QString& text, qsizetype i) {
    return (text.at(i).unicode() - '0') * 10 + (text.at(i + 1).unicode() - '0');
}

void appendWidths(QString& out, const char* w) {
    bool bar = true;
    for (const char* p = w; *p; ++p, bar = !bar) {
        out += QString(*p - '0', bar ? QLatin1Char('1') : QLatin1Char('0'));
    }
}

} // namespace

QList<int> symbols(const QString& text) {
    if (text.isEmpty()) {
        throw AppError(QStringLiteral("Código de barras sem conteúdo."));
    }
    for (const QChar c : text) {
        if (c.unicode() < 32 || c.unicode() > 126) {
            throw AppError(
                QStringLiteral("Caractere inválido para o código de barras: \"%1\".").arg(text));
        }
    }
    QList<int> out;
    const qsizetype n = text.size();
    const qsizetype leading = digitRun(text, 0);
    bool setC = leading >= 4 || (leading == n && n % 2 == 0);
    out << (setC ? startC : startB);
    qsizetype i = 0;
    while (i < n) {
        if (setC) {
            if (digitRun(text, i) >= 2) {
                out << pairValue(text, i);
                i += 2;
            } else {
                out << codeB;
                setC = false;
            }
            continue;
        }
        const qsizetype run = digitRun(text, i);
        if (run >= 4) {
            if (run % 2 != 0) {
                out << text.at(i).unicode() - 32;
                ++i;
            }
            out << codeC;
            setC = true;
            continue;
        }
        out << text.at(i).unicode() - 32;
        ++i;
    }
    int check = out.first();
    for (qsizetype k = 1; k < out.size(); ++k) {
        check += out.at(k) * int(k);
    }
    out << check % 103 << stop;
    return out;
}

QString modules(const QList<int>& values) {
    QString out;
    for (const int v : values) {
        if (v == stop) {
            appendWidths(out, stopWidths);
        } else if (v >= 0 && v < stop) {
            appendWidths(out, widths[v]);
        } else {
            throw AppError(QStringLiteral("Símbolo inválido no código de barras: %1.").arg(v));
        }
    }
    return out;
}

} // namespace tmk::code128
