#include "platform/data_packet.h"

#include "platform/errors.h"

#include <QLocale>
#include <QRegularExpression>
#include <cmath>
#include <limits>

namespace tmk {

QString fieldTypeName(FieldType type) {
    switch (type) {
    case FieldType::Text:
        return QStringLiteral("texto");
    case FieldType::Integer:
        return QStringLiteral("inteiro");
    case FieldType::Float:
        return QStringLiteral("real");
    case FieldType::Boolean:
        return QStringLiteral("lógico");
    case FieldType::DateTime:
        return QStringLiteral("data e hora");
    }
    return {};
}

namespace {

[[noreturn]] void badValue(const QVariant& value, FieldType type, const QString& fieldName) {
    throw AppError(QStringLiteral("Valor \"%1\" inválido para o campo %2 (%3).")
                       .arg(value.toString(), fieldName, fieldTypeName(type)));
}

// A float that is a whole number within 64 bits, as that integer.
bool wholeNumber(double d, qlonglong& out) {
    // 2^63 is exactly representable; anything at or beyond it does not fit.
    if (!std::isfinite(d) || d >= 9223372036854775808.0 || d < -9223372036854775808.0 ||
        d != std::trunc(d)) {
        return false;
    }
    out = qlonglong(d);
    return true;
}

QDateTime parseDateTimeText(const QString& text) {
    static const char* const formats[] = {
        "yyyy-MM-dd HH:mm:ss.zzz", "yyyy-MM-dd HH:mm:ss", "yyyy-MM-ddTHH:mm:ss.zzz",
        "yyyy-MM-ddTHH:mm:ss",     "yyyy-MM-dd HH:mm",    "yyyy-MM-dd",
        "dd/MM/yyyy HH:mm:ss",     "dd/MM/yyyy HH:mm",    "dd/MM/yyyy"};
    const QString t = text.trimmed();
    for (const char* f : formats) {
        QDateTime dt = QDateTime::fromString(t, QString::fromLatin1(f));
        if (dt.isValid()) {
            return dt;
        }
    }
    // Fractions beyond milliseconds (SQLite strftime %f gives three digits; other
    // sources may give more).
    static const QRegularExpression longFraction(
        QStringLiteral("^(\\d{4}-\\d{2}-\\d{2}[ T]\\d{2}:\\d{2}:\\d{2})\\.(\\d{3})\\d+$"));
    const auto m = longFraction.match(t);
    if (m.hasMatch()) {
        return parseDateTimeText(m.captured(1) + QLatin1Char('.') + m.captured(2));
    }
    return {};
}

} // namespace

QVariant coerceToFieldType(const QVariant& value, FieldType type, const QString& fieldName) {
    if (!value.isValid() || value.isNull()) {
        return {};
    }
    const int id = value.metaType().id();
    const bool isText = id == QMetaType::QString || id == QMetaType::QByteArray;
    if (isText && type != FieldType::Text && value.toString().trimmed().isEmpty()) {
        return {};
    }
    switch (type) {
    case FieldType::Text:
        if (id == QMetaType::Double || id == QMetaType::Float) {
            return QString::number(value.toDouble(), 'g', 15);
        }
        if (id == QMetaType::QDateTime) {
            return value.toDateTime().toString(QStringLiteral("dd/MM/yyyy HH:mm:ss"));
        }
        if (id == QMetaType::QDate) {
            return value.toDate().toString(QStringLiteral("dd/MM/yyyy"));
        }
        return value.toString();
    case FieldType::Integer: {
        bool ok = false;
        qlonglong v = 0;
        if (isText) {
            v = value.toString().trimmed().toLongLong(&ok);
            if (!ok) {
                const double d = value.toString().trimmed().toDouble(&ok);
                ok = ok && wholeNumber(d, v);
            }
        } else if (id == QMetaType::Bool) {
            v = value.toBool() ? 1 : 0;
            ok = true;
        } else if (id == QMetaType::LongLong || id == QMetaType::Int || id == QMetaType::UInt ||
                   id == QMetaType::Short || id == QMetaType::UShort || id == QMetaType::Long ||
                   id == QMetaType::Char || id == QMetaType::SChar || id == QMetaType::UChar) {
            v = value.toLongLong(&ok);
        } else if (id == QMetaType::ULongLong || id == QMetaType::ULong) {
            const qulonglong u = value.toULongLong(&ok);
            ok = ok && u <= qulonglong(std::numeric_limits<qlonglong>::max());
            v = qlonglong(u);
        } else {
            const double d = value.toDouble(&ok);
            ok = ok && wholeNumber(d, v);
        }
        if (!ok) {
            badValue(value, type, fieldName);
        }
        return v;
    }
    case FieldType::Float: {
        bool ok = false;
        double v = 0;
        if (isText) {
            QString t = value.toString().trimmed();
            v = t.toDouble(&ok);
            if (!ok) {
                v = QLocale().toDouble(t, &ok);
            }
        } else {
            v = value.toDouble(&ok);
        }
        if (!ok) {
            badValue(value, type, fieldName);
        }
        return v;
    }
    case FieldType::Boolean: {
        if (id == QMetaType::Bool) {
            return value.toBool();
        }
        if (isText) {
            const QString t = value.toString().trimmed().toUpper();
            if (t == QLatin1String("TRUE") || t == QLatin1String("T") || t == QLatin1String("S") ||
                t == QLatin1String("1")) {
                return true;
            }
            if (t == QLatin1String("FALSE") || t == QLatin1String("F") || t == QLatin1String("N") ||
                t == QLatin1String("0")) {
                return false;
            }
            badValue(value, type, fieldName);
        }
        bool ok = false;
        const qlonglong n = value.toLongLong(&ok);
        if (!ok) {
            badValue(value, type, fieldName);
        }
        return n != 0;
    }
    case FieldType::DateTime: {
        if (id == QMetaType::QDateTime) {
            return value.toDateTime();
        }
        if (id == QMetaType::QDate) {
            return value.toDate().startOfDay();
        }
        if (isText) {
            QDateTime dt = parseDateTimeText(value.toString());
            if (!dt.isValid()) {
                badValue(value, type, fieldName);
            }
            return dt;
        }
        badValue(value, type, fieldName);
    }
    }
    return {};
}

int DataPacket::fieldIndex(const QString& name) const {
    for (int i = 0; i < fields.size(); ++i) {
        if (fields[i].name.compare(name, Qt::CaseInsensitive) == 0) {
            return i;
        }
    }
    return -1;
}

QVariant DataPacket::value(int row, const QString& field) const {
    const int col = fieldIndex(field);
    if (row < 0 || row >= rows.size() || col < 0 || col >= rows[row].size()) {
        return {};
    }
    return rows[row][col];
}

QStringList DataPacket::fieldNames() const {
    QStringList names;
    names.reserve(fields.size());
    for (const auto& f : fields) {
        names << f.name;
    }
    return names;
}

} // namespace tmk
