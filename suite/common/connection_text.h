#pragma once

#include <QMap>
#include <QString>
#include <QStringList>

namespace tmk {

// A connection text: "Key=Value" pairs separated by ';' (keys case-insensitive),
// as in "Provider=QPSQL;Host=127.0.0.1;Port=5432;Database=restaurante;User ID=caixa".
// A value holding ';', quotes or surrounding blanks is written between double quotes,
// an inner quote doubled (Password="a;b""c"); parse reads both quote kinds back.
class ConnectionText {
public:
    static ConnectionText parse(const QString& text);
    QString value(const QString& key) const; // empty when absent
    bool has(const QString& key) const;
    void set(const QString& key, const QString& value);
    // Keys in the order they were first set.
    QStringList keys() const { return order_; }
    QString toString() const;
    // The text for messages and logs: every key but the password.
    QString describe() const;

private:
    QString join(bool withPassword) const;

    QMap<QString, QString> values_; // upper-cased key -> value
    QMap<QString, QString> keys_;   // upper-cased key -> key as written
    QStringList order_;             // keys as written, first-set order
};

} // namespace tmk
