#include "FieldValue.h"

#include "ObjectErrors.h"
#include "RuntimeError.h"

#include <cmath>
#include <limits>

namespace platform {

namespace {

[[noreturn]] void throwInvalidNull()
{
    throw RuntimeError(error_number::kInvalidUseOfNull, QStringLiteral("Null の使い方が不正です。"));
}

[[noreturn]] void throwTypeMismatch()
{
    throw RuntimeError(error_number::kTypeMismatch, QStringLiteral("型が一致しません。"));
}

qint32 checkedInt32(double value)
{
    const double rounded = std::nearbyint(value);  // banker's rounding, as CLng
    if (!(rounded >= std::numeric_limits<qint32>::min() && rounded <= std::numeric_limits<qint32>::max()))
        throwOverflow();
    return static_cast<qint32>(rounded);
}

}  // namespace

FieldValue FieldValue::null()
{
    FieldValue v;
    v.value_ = NullTag{};
    return v;
}

qint32 FieldValue::toInt32() const
{
    switch (kind()) {
    case Kind::Empty:
        return 0;
    case Kind::Null:
        throwInvalidNull();
    case Kind::Integer: {
        const qint64 v = integer();
        if (v < std::numeric_limits<qint32>::min() || v > std::numeric_limits<qint32>::max())
            throwOverflow();
        return static_cast<qint32>(v);
    }
    case Kind::Double:
        return checkedInt32(floating());
    case Kind::Text: {
        bool ok = false;
        const double v = text().trimmed().toDouble(&ok);
        if (!ok)
            throwTypeMismatch();
        return checkedInt32(v);
    }
    case Kind::DateTime:
        throwTypeMismatch();
    }
    throwTypeMismatch();
}

double FieldValue::toDouble() const
{
    switch (kind()) {
    case Kind::Empty:
        return 0.0;
    case Kind::Null:
        throwInvalidNull();
    case Kind::Integer:
        return static_cast<double>(integer());
    case Kind::Double:
        return floating();
    case Kind::Text: {
        bool ok = false;
        const double v = text().trimmed().toDouble(&ok);
        if (!ok)
            throwTypeMismatch();
        return v;
    }
    case Kind::DateTime:
        throwTypeMismatch();
    }
    throwTypeMismatch();
}

QString FieldValue::toText() const
{
    switch (kind()) {
    case Kind::Empty:
        return {};
    case Kind::Null:
        throwInvalidNull();
    case Kind::Integer:
        return QString::number(integer());
    case Kind::Double:
        return QString::number(floating(), 'g', 15);
    case Kind::Text:
        return text();
    case Kind::DateTime:
        return dateTime().toString(QLatin1StringView(kDateTimeTextFormat));
    }
    return {};
}

QDateTime FieldValue::toDateTime() const
{
    if (kind() == Kind::DateTime)
        return dateTime();
    if (kind() == Kind::Null)
        throwInvalidNull();
    if (kind() == Kind::Text) {
        const QDateTime parsed = QDateTime::fromString(text(), QLatin1StringView(kDateTimeTextFormat));
        if (parsed.isValid())
            return parsed;
    }
    throwTypeMismatch();
}

}  // namespace platform
