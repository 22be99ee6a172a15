#include "suite/common/connection_text.h"

#include <QStringList>

namespace tmk {

ConnectionText ConnectionText::parse(const QString& text) {
    ConnectionText c;
    const QStringList parts = text.split(QLatin1Char(';'), Qt::SkipEmptyParts);
    for (const QString& part : parts) {
        const int eq = part.indexOf(QLatin1Char('='));
        if (eq <= 0) {
            continue;
        }
        c.set(part.left(eq).trimmed(), part.mid(eq + 1).trimmed());
    }
    return c;
}

QString ConnectionText::value(const QString& key) const { return values_.value(key.toUpper()); }

bool ConnectionText::has(const QString& key) const { return values_.contains(key.toUpper()); }

void ConnectionText::set(const QString& key, const QString& value) {
    values_.insert(key.toUpper(), value);
    keys_.insert(key.toUpper(), key);
}

QString ConnectionText::toString() const {
    QStringList parts;
    for (auto it = values_.cbegin(); it != values_.cend(); ++it) {
        parts << keys_.value(it.key()) + QLatin1Char('=') + it.value();
    }
    return parts.join(QLatin1Char(';'));
}

QString ConnectionText::describe() const {
    QStringList parts;
    for (auto it = values_.cbegin(); it != values_.cend(); ++it) {
        if (it.key() == QLatin1String("PASSWORD") || it.key() == QLatin1String("PWD")) {
            continue;
        }
        parts << keys_.value(it.key()) + QLatin1Char('=') + it.value();
    }
    return parts.join(QLatin1Char(';'));
}

} // namespace tmk
