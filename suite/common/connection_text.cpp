#include "suite/common/connection_text.h"

namespace tmk {

namespace {

bool isPasswordKey(const QString& upperKey) {
    return upperKey == QLatin1String("PASSWORD") || upperKey == QLatin1String("PWD");
}

QString quoted(const QString& value) {
    const bool plain = !value.contains(QLatin1Char(';')) && !value.contains(QLatin1Char('"')) &&
                       !value.contains(QLatin1Char('\'')) && value == value.trimmed();
    if (plain) {
        return value;
    }
    QString q = value;
    q.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + q + QLatin1Char('"');
}

} // namespace

ConnectionText ConnectionText::parse(const QString& text) {
    ConnectionText c;
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n) {
        const qsizetype eq = text.indexOf(QLatin1Char('='), i);
        const qsizetype semi = text.indexOf(QLatin1Char(';'), i);
        if (eq < 0 || (semi >= 0 && semi < eq)) {
            // A part without "=" carries no value: skip it.
            if (semi < 0) {
                break;
            }
            i = semi + 1;
            continue;
        }
        const QString key = text.mid(i, eq - i).trimmed();
        qsizetype j = eq + 1;
        while (j < n && text.at(j).isSpace()) {
            ++j;
        }
        QString value;
        if (j < n && (text.at(j) == QLatin1Char('"') || text.at(j) == QLatin1Char('\''))) {
            const QChar quote = text.at(j);
            ++j;
            while (j < n) {
                if (text.at(j) == quote) {
                    if (j + 1 < n && text.at(j + 1) == quote) {
                        value += quote;
                        j += 2;
                        continue;
                    }
                    ++j;
                    break;
                }
                value += text.at(j++);
            }
            const qsizetype end = text.indexOf(QLatin1Char(';'), j);
            i = end < 0 ? n : end + 1;
        } else {
            const qsizetype end = text.indexOf(QLatin1Char(';'), j);
            value = text.mid(j, end < 0 ? -1 : end - j).trimmed();
            i = end < 0 ? n : end + 1;
        }
        if (!key.isEmpty()) {
            c.set(key, value);
        }
    }
    return c;
}

QString ConnectionText::value(const QString& key) const {
    return values_.value(key.trimmed().toUpper());
}

bool ConnectionText::has(const QString& key) const {
    return values_.contains(key.trimmed().toUpper());
}

void ConnectionText::set(const QString& key, const QString& value) {
    const QString upper = key.trimmed().toUpper();
    if (!values_.contains(upper)) {
        order_ << key.trimmed();
        keys_.insert(upper, key.trimmed());
    }
    values_.insert(upper, value);
}

QString ConnectionText::join(bool withPassword) const {
    QStringList parts;
    for (const QString& key : order_) {
        const QString upper = key.toUpper();
        if (!withPassword && isPasswordKey(upper)) {
            continue;
        }
        parts << key + QLatin1Char('=') + quoted(values_.value(upper));
    }
    return parts.join(QLatin1Char(';'));
}

QString ConnectionText::toString() const {
    return join(true);
}

QString ConnectionText::describe() const {
    return join(false);
}

} // namespace tmk
