#include "platform/client_dataset.h"
#include "platform/errors.h"

#include <QDateTime>
#include <cmath>

namespace tmk {

namespace {

bool isNullValue(const QVariant& v) {
    return !v.isValid() || v.isNull();
}

const QDate& dayZero() {
    static const QDate zero(1899, 12, 30);
    return zero;
}

double daysOf(const QDateTime& dt) {
    return double(dt.date().toJulianDay() - dayZero().toJulianDay()) +
           dt.time().msecsSinceStartOfDay() / 86400000.0;
}

// Date-times are days since 30/12/1899, from 01/01/0001 to 31/12/9999 inclusive.
constexpr double kFirstDay = -693593.0;
constexpr double kEndOfLastDay = 2958466.0;

bool daysInRange(double days) {
    return std::isfinite(days) && days >= kFirstDay && days < kEndOfLastDay;
}

// Only for days in range.
QDateTime dateTimeOfDays(double days) {
    double whole = std::floor(days);
    qint64 ms = qRound64((days - whole) * 86400000.0);
    if (ms >= 86400000) {
        whole += 1;
        ms -= 86400000;
    }
    return QDateTime(dayZero().addDays(qint64(whole)), QTime::fromMSecsSinceStartOfDay(int(ms)));
}

QString floatText(double d) {
    if (d == 0) {
        return QStringLiteral("0");
    }
    // Fifteen significant digits: exact for every value typed or stored with up
    // to fifteen digits, without the binary noise of sums (0.1 + 0.2 reads 0.3).
    QString s = QString::number(d, 'g', 15);
    if (s.contains(QLatin1Char('e'))) {
        s = QString::number(d, 'f', QLocale::FloatingPointShortest);
    }
    return s;
}

} // namespace

const QString& Field::name() const {
    if (index_ < 0 || index_ >= dataSet_->defs_.size()) {
        throw AppError(QStringLiteral("Campo %1 inexistente no conjunto de dados %2.")
                           .arg(index_)
                           .arg(dataSet_->label()));
    }
    return dataSet_->defs_[index_].name;
}

FieldType Field::type() const {
    name(); // checks the index
    return dataSet_->defs_[index_].type;
}

int Field::size() const {
    name();
    return dataSet_->defs_[index_].size;
}

QVariant Field::value() const {
    return dataSet_->valueAt(index_);
}

bool Field::isNull() const {
    return isNullValue(value());
}

namespace {

// A float as its shortest exact text, for messages (never in exponent form, so a
// huge number of days reads as the number it is).
QString numberText(const QVariant& v) {
    if (v.metaType().id() == QMetaType::Double) {
        return QString::number(v.toDouble(), 'f', QLocale::FloatingPointShortest);
    }
    return v.toString();
}

} // namespace

void Field::cannotRead(const QVariant& v, const QString& what) const {
    const QString& file = dataSet_->fileName();
    const QString dataSet =
        file.isEmpty() ? dataSet_->label()
                       : QStringLiteral("%1 (arquivo \"%2\")").arg(dataSet_->label(), file);
    throw AppError(QStringLiteral("Campo %1 do conjunto de dados %2: valor \"%3\" %4.")
                       .arg(name(), dataSet, v.toString(), what));
}

QString Field::asString() const {
    const QVariant v = value();
    if (isNullValue(v)) {
        return {};
    }
    switch (type()) {
    case FieldType::Text:
        return v.toString();
    case FieldType::Integer:
        return QString::number(v.toLongLong());
    case FieldType::Float:
        return floatText(v.toDouble());
    case FieldType::DateTime:
        return v.toDateTime().toString(QStringLiteral("dd/MM/yyyy HH:mm:ss"));
    case FieldType::Boolean:
        return v.toBool() ? QStringLiteral("True") : QStringLiteral("False");
    }
    return {};
}

qlonglong Field::asInteger() const {
    const QVariant v = value();
    if (isNullValue(v)) {
        return 0;
    }
    auto fromDouble = [&](double d) {
        // 2^63 is exactly representable; anything at or beyond it does not fit.
        if (!std::isfinite(d) || d >= 9223372036854775808.0 || d < -9223372036854775808.0) {
            cannotRead(v, QStringLiteral("não cabe em um número inteiro"));
        }
        return qlonglong(d); // truncates toward zero
    };
    switch (type()) {
    case FieldType::Integer:
        return v.toLongLong();
    case FieldType::Float:
        return fromDouble(v.toDouble());
    case FieldType::Boolean:
        return v.toBool() ? 1 : 0;
    case FieldType::Text: {
        const QString t = v.toString().trimmed();
        if (t.isEmpty()) {
            return 0;
        }
        bool ok = false;
        const qlonglong n = t.toLongLong(&ok);
        if (ok) {
            return n;
        }
        const double d = t.toDouble(&ok);
        if (!ok) {
            cannotRead(v, QStringLiteral("não é um número"));
        }
        return fromDouble(d);
    }
    case FieldType::DateTime:
        break;
    }
    cannotRead(v, QStringLiteral("não é um número"));
}

double Field::asFloat() const {
    const QVariant v = value();
    if (isNullValue(v)) {
        return 0.0;
    }
    switch (type()) {
    case FieldType::Integer:
        return double(v.toLongLong());
    case FieldType::Float:
        return v.toDouble();
    case FieldType::Boolean:
        return v.toBool() ? 1.0 : 0.0;
    case FieldType::DateTime:
        return daysOf(v.toDateTime());
    case FieldType::Text: {
        QString t = v.toString().trimmed();
        if (t.isEmpty()) {
            return 0.0;
        }
        bool ok = false;
        double d = t.toDouble(&ok);
        if (!ok && !t.contains(QLatin1Char('.'))) {
            d = QString(t).replace(QLatin1Char(','), QLatin1Char('.')).toDouble(&ok);
        }
        if (!ok || !std::isfinite(d)) {
            cannotRead(v, QStringLiteral("não é um número"));
        }
        return d;
    }
    }
    return 0.0;
}

QDateTime Field::asDateTime() const {
    const QVariant v = value();
    if (isNullValue(v)) {
        return {};
    }
    switch (type()) {
    case FieldType::DateTime:
        return v.toDateTime();
    case FieldType::Integer:
    case FieldType::Float: {
        const double days = type() == FieldType::Integer ? double(v.toLongLong()) : v.toDouble();
        if (!daysInRange(days)) {
            cannotRead(numberText(v),
                       QStringLiteral("não é uma data e hora entre 01/01/0001 e 31/12/9999"));
        }
        return dateTimeOfDays(days);
    }
    case FieldType::Text:
        try {
            return coerceToFieldType(v, FieldType::DateTime, name()).toDateTime();
        } catch (const AppError&) {
        }
        break;
    case FieldType::Boolean:
        break;
    }
    cannotRead(v, QStringLiteral("não é uma data e hora"));
}

bool Field::asBoolean() const {
    const QVariant v = value();
    if (isNullValue(v)) {
        return false;
    }
    switch (type()) {
    case FieldType::Boolean:
        return v.toBool();
    case FieldType::Integer:
        return v.toLongLong() != 0;
    case FieldType::Float:
        return v.toDouble() != 0.0;
    case FieldType::Text:
        if (v.toString().trimmed().isEmpty()) {
            return false;
        }
        try {
            return coerceToFieldType(v, FieldType::Boolean, name()).toBool();
        } catch (const AppError&) {
        }
        break;
    case FieldType::DateTime:
        break;
    }
    cannotRead(v, QStringLiteral("não é um valor lógico"));
}

void Field::setValue(const QVariant& value) {
    dataSet_->setFieldValue(index_, value);
}

} // namespace tmk
