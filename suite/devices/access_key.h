#pragma once

#include <QDate>
#include <QString>

namespace tmk {

// Check digit of a fiscal access key: modulo 11 over the digits with weights 2 to 9
// repeated from the right; 0 when the remainder is 0 or 1, otherwise 11 - remainder.
int accessKeyCheckDigit(const QString& digits);

// True for 44 digits whose last one is the check digit of the other 43.
bool isValidAccessKey(const QString& key);

// The parts of an NFC-e (model 65) access key.
struct NfceKeyParts {
    QString codigoUf;    // 2 digits
    QDate emissao;       // year and month used
    QString cnpj;        // 14 digits
    int serie = 0;       // 0..999
    qint64 numero = 0;   // 1..999999999
    int tipoEmissao = 1; // 1 normal, 9 offline contingency
    int codigo = 0;      // random code, 8 digits (0..99999999)
};

// cUF + AAMM + CNPJ + "65" + series (3) + number (9) + emission type + code (8) + DV.
QString nfceAccessKey(const NfceKeyParts& parts);

// The parts of a CF-e SAT (model 59) access key.
struct CfeKeyParts {
    QString codigoUf;
    QDate emissao;
    QString cnpj;
    QString numeroSerieSat; // 9 digits
    int numeroCfe = 0;      // 1..999999
    int codigo = 0;         // 6 digits
};

// cUF + AAMM + CNPJ + "59" + SAT serial (9) + CF-e number (6) + code (6) + DV.
QString cfeAccessKey(const CfeKeyParts& parts);

// "3526 1212 3456 ..." : the key in groups of four, as printed.
QString groupedAccessKey(const QString& key);

// Brazilian tax ids with their check digits.
bool isValidCpf(const QString& cpf);   // 11 digits, not all equal
bool isValidCnpj(const QString& cnpj); // 14 digits, not all equal
// "123.456.789-09" and "12.345.678/0001-95" (the text unchanged when not 11/14 digits).
QString formattedCpf(const QString& cpf);
QString formattedCnpj(const QString& cnpj);

} // namespace tmk
