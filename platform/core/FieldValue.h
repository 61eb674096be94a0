#pragma once

#include <QDateTime>
#include <QString>

#include <variant>

namespace platform {

// A tagged value as it travels between a result set, the connection class's
// parameters and the workbook's cells.
class FieldValue {
public:
    enum class Kind { Empty, Null, Integer, Double, Text, DateTime };

    FieldValue() = default;  // Empty
    FieldValue(int value) : value_(static_cast<qint64>(value)) {}
    FieldValue(qint64 value) : value_(value) {}
    FieldValue(double value) : value_(value) {}
    FieldValue(const QString& value) : value_(value) {}
    FieldValue(const char16_t* value) : value_(QString::fromUtf16(value)) {}
    FieldValue(const QDateTime& value) : value_(value) {}
    static FieldValue null();

    Kind kind() const { return static_cast<Kind>(value_.index()); }
    bool isEmpty() const { return kind() == Kind::Empty; }
    bool isNull() const { return kind() == Kind::Null; }

    // Conversions follow the automation rules: Null raises "invalid use of
    // Null", text that is no number raises "type mismatch".
    qint32 toInt32() const;      // throws RuntimeError
    double toDouble() const;     // throws RuntimeError
    QString toText() const;      // throws RuntimeError
    QDateTime toDateTime() const;  // throws RuntimeError

    // Without throwing: the raw alternatives, for writers that copy values.
    qint64 integer() const { return std::get<qint64>(value_); }
    double floating() const { return std::get<double>(value_); }
    const QString& text() const { return std::get<QString>(value_); }
    const QDateTime& dateTime() const { return std::get<QDateTime>(value_); }

    friend bool operator==(const FieldValue&, const FieldValue&) = default;

private:
    struct NullTag {
        friend bool operator==(NullTag, NullTag) { return true; }
    };
    std::variant<std::monostate, NullTag, qint64, double, QString, QDateTime> value_;
};

// The text form used when a date-time is read back as text.
inline constexpr const char* kDateTimeTextFormat = "yyyy/MM/dd HH:mm:ss";

}  // namespace platform
