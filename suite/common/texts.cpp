#include "external/common.h"

namespace tmk {

// Right-aligned in the width, filled with "0" on the left. Surrounding blanks are
// dropped first; a text longer than the width is kept whole so no digit is lost.
QString Ajusta(const QString& texto, int largura) {
    const QString t = texto.trimmed();
    if (largura <= 0 || t.size() >= largura) {
        return t;
    }
    return QString(largura - t.size(), QLatin1Char('0')) + t;
}

// A text of blanks only counts as empty, as an empty field typed with spaces would.
bool EmptyString(const QString& texto) {
    return texto.trimmed().isEmpty();
}

QString SoNumerosStr(const QString& texto) {
    QString digits;
    digits.reserve(texto.size());
    for (const QChar c : texto) {
        if (c >= QLatin1Char('0') && c <= QLatin1Char('9')) {
            digits.append(c);
        }
    }
    return digits;
}

// "0012" -> "12". A number made only of zeros keeps one ("0000" -> "0"), so a
// table or position 0 still has a caption; an empty text stays empty.
QString RemoveZerosEsqStr(const QString& texto) {
    const QString t = texto.trimmed();
    qsizetype i = 0;
    while (i < t.size() && t.at(i) == QLatin1Char('0')) {
        ++i;
    }
    if (i == t.size()) {
        return t.isEmpty() ? QString() : QStringLiteral("0");
    }
    return t.mid(i);
}

} // namespace tmk
