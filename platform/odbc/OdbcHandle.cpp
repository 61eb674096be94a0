#include "OdbcHandle.h"

#include "RuntimeError.h"

#include <utility>
#include <vector>

namespace platform {

OdbcHandle::OdbcHandle(SQLSMALLINT type, SQLHANDLE parent) : type_(type)
{
    const SQLRETURN ret = SQLAllocHandle(type, parent, &handle_);
    if (!SQL_SUCCEEDED(ret)) {
        handle_ = nullptr;
        if (parent != nullptr)
            throwDiagnostics(type == SQL_HANDLE_DBC ? SQL_HANDLE_ENV : SQL_HANDLE_DBC, parent);
        throw RuntimeError(error_number::kGenericFailure,
            QStringLiteral("ODBC ドライバー マネージャーを初期化できません。"));
    }
}

OdbcHandle::OdbcHandle(OdbcHandle&& other) noexcept
    : type_(other.type_), handle_(std::exchange(other.handle_, nullptr))
{
}

OdbcHandle& OdbcHandle::operator=(OdbcHandle&& other) noexcept
{
    if (this != &other) {
        reset();
        type_ = other.type_;
        handle_ = std::exchange(other.handle_, nullptr);
    }
    return *this;
}

void OdbcHandle::reset()
{
    if (handle_ != nullptr)
        SQLFreeHandle(type_, std::exchange(handle_, nullptr));
}

void OdbcHandle::check(SQLRETURN ret) const
{
    if (!SQL_SUCCEEDED(ret) && ret != SQL_NO_DATA)
        throwDiagnostics(type_, handle_);
}

void throwDiagnostics(SQLSMALLINT type, SQLHANDLE handle)
{
    SQLWCHAR state[6] = {};
    SQLINTEGER native = 0;
    std::vector<SQLWCHAR> message(SQL_MAX_MESSAGE_LENGTH);
    SQLSMALLINT length = 0;
    SQLRETURN ret = SQLGetDiagRecW(type, handle, 1, state, &native, message.data(),
        static_cast<SQLSMALLINT>(message.size()), &length);
    if (ret == SQL_SUCCESS_WITH_INFO && length >= static_cast<SQLSMALLINT>(message.size())) {
        message.resize(static_cast<std::size_t>(length) + 1);
        ret = SQLGetDiagRecW(type, handle, 1, state, &native, message.data(),
            static_cast<SQLSMALLINT>(message.size()), &length);
    }
    if (!SQL_SUCCEEDED(ret))
        throw RuntimeError(error_number::kGenericFailure, QStringLiteral("エラーを特定できません"));
    const qsizetype shown = std::min<qsizetype>(length, static_cast<qsizetype>(message.size()) - 1);
    throw RuntimeError(native != 0 ? native : error_number::kGenericFailure,
        fromSqlWide(message.data(), shown), fromSqlWide(state, 5));
}

}  // namespace platform
