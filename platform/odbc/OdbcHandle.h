#pragma once

// Internal to the platform library: the ODBC headers stay out of the public ones.

#include <QString>

#include <sql.h>
#include <sqlext.h>

namespace platform {

static_assert(sizeof(SQLWCHAR) == sizeof(char16_t), "the driver manager must use 16-bit wide characters");

inline const SQLWCHAR* toSqlWide(const QString& text)
{
    return reinterpret_cast<const SQLWCHAR*>(text.utf16());
}

inline QString fromSqlWide(const SQLWCHAR* text, qsizetype length)
{
    return QString::fromUtf16(reinterpret_cast<const char16_t*>(text), length);
}

// Owns one ODBC handle and frees it; move-only.
class OdbcHandle {
public:
    OdbcHandle() = default;
    OdbcHandle(SQLSMALLINT type, SQLHANDLE parent);  // throws RuntimeError
    ~OdbcHandle() { reset(); }

    OdbcHandle(OdbcHandle&& other) noexcept;
    OdbcHandle& operator=(OdbcHandle&& other) noexcept;
    OdbcHandle(const OdbcHandle&) = delete;
    OdbcHandle& operator=(const OdbcHandle&) = delete;

    SQLHANDLE get() const { return handle_; }
    explicit operator bool() const { return handle_ != nullptr; }
    void reset();

    // Turns a failed return code into the driver's first diagnostic record.
    void check(SQLRETURN ret) const;  // throws RuntimeError

private:
    SQLSMALLINT type_ = 0;
    SQLHANDLE handle_ = nullptr;
};

// The driver's first diagnostic record on the handle: its native code (or the
// generic failure code when the driver gives none), message and SQLSTATE.
[[noreturn]] void throwDiagnostics(SQLSMALLINT type, SQLHANDLE handle);  // throws RuntimeError

}  // namespace platform
