#pragma once

#include <QString>

#include <stdexcept>

namespace platform {

// The one error every platform component raises: a number and a description,
// plus the SQLSTATE when the database driver gave one. Callers that trap
// errors report them as failureText().
class RuntimeError : public std::runtime_error {
public:
    RuntimeError(qint32 number, const QString& description, const QString& sqlState = {});

    qint32 number() const { return number_; }
    const QString& description() const { return description_; }
    const QString& sqlState() const { return sqlState_; }

    // "number:description", the number in signed decimal, nothing in between.
    QString failureText() const;

private:
    qint32 number_;
    QString description_;
    QString sqlState_;
};

// Numbers of the errors the program raises itself, kept to the values users
// of the original automation interfaces know.
namespace error_number {
inline constexpr qint32 kOverflow = 6;
inline constexpr qint32 kSubscriptOutOfRange = 9;
inline constexpr qint32 kTypeMismatch = 13;
inline constexpr qint32 kObjectVariableNotSet = 91;
inline constexpr qint32 kInvalidUseOfNull = 94;
inline constexpr qint32 kCannotCreateObject = 429;
inline constexpr qint32 kApplicationDefined = 1004;
inline constexpr qint32 kInvalidArgument = 3001;
inline constexpr qint32 kNoCurrentRecord = 3021;
inline constexpr qint32 kItemNotFound = 3265;
inline constexpr qint32 kObjectClosed = 3704;
inline constexpr qint32 kObjectOpen = 3705;
inline constexpr qint32 kConnectionUnusable = 3709;
inline constexpr qint32 kGenericFailure = -2147467259;  // E_FAIL
}  // namespace error_number

}  // namespace platform
