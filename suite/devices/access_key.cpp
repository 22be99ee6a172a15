#include "suite/devices/access_key.h"

#include "platform/errors.h"

namespace tmk {

namespace {

bool allDigits(const QString& text) {
    for (const QChar c : text) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9')) {
            return false;
        }
    }
    return !text.isEmpty();
}

QString padded(qint64 value, int width) {
    return QStringLiteral("%1").arg(value, width, 10, QLatin1Char('0'));
}

QString yymm(const QDate& date) {
    return date.toString(QStringLiteral("yyMM"));
}

void requireDigits(const QString& what, const QString& value, int size) {
    if (value.size() != size || !allDigits(value)) {
        throw AppError(QStringLiteral("Chave de acesso: %1 \"%2\" deve ter %3 dígitos.")
                           .arg(what, value)
                           .arg(size));
    }
}

void requireRange(const QString& what, qint64 value, qint64 low, qint64 high) {
    if (value < low || value > high) {
        throw AppError(QStringLiteral("Chave de acesso: %1 %2 fora do intervalo de %3 a %4.")
                           .arg(what)
                           .arg(value)
                           .arg(low)
                           .arg(high));
    }
}

// Weighted sum for the CPF/CNPJ check digits.
int taxIdDigit(const QString& digits, const QList<int>& weights) {
    int sum = 0;
    for (int i = 0; i < weights.size(); ++i) {
        sum += digits.at(i).digitValue() * weights.at(i);
    }
    const int r = sum % 11;
    return r < 2 ? 0 : 11 - r;
}

bool allSame(const QString& digits) {
    return digits.count(digits.at(0)) == digits.size();
}

} // namespace

int accessKeyCheckDigit(const QString& digits) {
    int sum = 0;
    int weight = 2;
    for (qsizetype i = digits.size() - 1; i >= 0; --i) {
        sum += digits.at(i).digitValue() * weight;
        weight = weight == 9 ? 2 : weight + 1;
    }
    const int r = sum % 11;
    return (r == 0 || r == 1) ? 0 : 11 - r;
}

bool isValidAccessKey(const QString& key) {
    return key.size() == 44 && allDigits(key) &&
           accessKeyCheckDigit(key.left(43)) == key.at(43).digitValue();
}

QString nfceAccessKey(const NfceKeyParts& p) {
    requireDigits(QStringLiteral("o código da UF"), p.codigoUf, 2);
    requireDigits(QStringLiteral("o CNPJ"), p.cnpj, 14);
    if (!p.emissao.isValid()) {
        throw AppError(QStringLiteral("Chave de acesso: data de emissão inválida."));
    }
    requireRange(QStringLiteral("série"), p.serie, 0, 999);
    requireRange(QStringLiteral("número"), p.numero, 1, 999999999);
    requireRange(QStringLiteral("tipo de emissão"), p.tipoEmissao, 1, 9);
    requireRange(QStringLiteral("código numérico"), p.codigo, 0, 99999999);
    const QString body = p.codigoUf + yymm(p.emissao) + p.cnpj + QStringLiteral("65") +
                         padded(p.serie, 3) + padded(p.numero, 9) + QString::number(p.tipoEmissao) +
                         padded(p.codigo, 8);
    return body + QString::number(accessKeyCheckDigit(body));
}

QString cfeAccessKey(const CfeKeyParts& p) {
    requireDigits(QStringLiteral("o código da UF"), p.codigoUf, 2);
    requireDigits(QStringLiteral("o CNPJ"), p.cnpj, 14);
    requireDigits(QStringLiteral("o número de série do SAT"), p.numeroSerieSat, 9);
    if (!p.emissao.isValid()) {
        throw AppError(QStringLiteral("Chave de acesso: data de emissão inválida."));
    }
    requireRange(QStringLiteral("número do CF-e"), p.numeroCfe, 1, 999999);
    requireRange(QStringLiteral("código numérico"), p.codigo, 0, 999999);
    const QString body = p.codigoUf + yymm(p.emissao) + p.cnpj + QStringLiteral("59") +
                         p.numeroSerieSat + padded(p.numeroCfe, 6) + padded(p.codigo, 6);
    return body + QString::number(accessKeyCheckDigit(body));
}

QString groupedAccessKey(const QString& key) {
    QStringList groups;
    for (qsizetype i = 0; i < key.size(); i += 4) {
        groups << key.mid(i, 4);
    }
    return groups.join(QLatin1Char(' '));
}

bool isValidCpf(const QString& cpf) {
    if (cpf.size() != 11 || !allDigits(cpf) || allSame(cpf)) {
        return false;
    }
    return taxIdDigit(cpf, {10, 9, 8, 7, 6, 5, 4, 3, 2}) == cpf.at(9).digitValue() &&
           taxIdDigit(cpf, {11, 10, 9, 8, 7, 6, 5, 4, 3, 2}) == cpf.at(10).digitValue();
}

bool isValidCnpj(const QString& cnpj) {
    if (cnpj.size() != 14 || !allDigits(cnpj) || allSame(cnpj)) {
        return false;
    }
    return taxIdDigit(cnpj, {5, 4, 3, 2, 9, 8, 7, 6, 5, 4, 3, 2}) == cnpj.at(12).digitValue() &&
           taxIdDigit(cnpj, {6, 5, 4, 3, 2, 9, 8, 7, 6, 5, 4, 3, 2}) == cnpj.at(13).digitValue();
}

QString formattedCpf(const QString& cpf) {
    if (cpf.size() != 11) {
        return cpf;
    }
    return cpf.left(3) + QLatin1Char('.') + cpf.mid(3, 3) + QLatin1Char('.') + cpf.mid(6, 3) +
           QLatin1Char('-') + cpf.mid(9);
}

QString formattedCnpj(const QString& cnpj) {
    if (cnpj.size() != 14) {
        return cnpj;
    }
    return cnpj.left(2) + QLatin1Char('.') + cnpj.mid(2, 3) + QLatin1Char('.') + cnpj.mid(5, 3) +
           QLatin1Char('/') + cnpj.mid(8, 4) + QLatin1Char('-') + cnpj.mid(12);
}

} // namespace tmk
