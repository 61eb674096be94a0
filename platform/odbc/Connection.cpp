#include "Connection.h"

#include "OdbcHandle.h"
#include "ObjectErrors.h"

namespace platform {

Connection::Connection() = default;

Connection::~Connection()
{
    if (connection_)
        SQLDisconnect(connection_->get());
}

void Connection::setConnectionString(const QString& text)
{
    if (isOpen())
        throwObjectOpen();
    connectionString_ = text;
}

void Connection::open()
{
    if (isOpen())
        throwObjectOpen();
    if (!environment_) {
        auto environment = std::make_unique<OdbcHandle>(SQL_HANDLE_ENV, nullptr);
        environment->check(SQLSetEnvAttr(environment->get(), SQL_ATTR_ODBC_VERSION,
            reinterpret_cast<SQLPOINTER>(SQL_OV_ODBC3), 0));
        environment_ = std::move(environment);
    }
    auto connection = std::make_unique<OdbcHandle>(SQL_HANDLE_DBC, environment_->get());
    connection->check(SQLSetConnectAttrW(connection->get(), SQL_ATTR_LOGIN_TIMEOUT,
        reinterpret_cast<SQLPOINTER>(static_cast<SQLULEN>(kLoginTimeoutSeconds)), 0));
    // The string goes to the driver as composed; SQLWCHAR is UTF-16, as QString.
    connection->check(SQLDriverConnectW(connection->get(), nullptr,
        const_cast<SQLWCHAR*>(toSqlWide(connectionString_)), SQL_NTS,
        nullptr, 0, nullptr, SQL_DRIVER_NOPROMPT));
    connection_ = std::move(connection);
}

void Connection::close()
{
    if (!isOpen())
        throwObjectClosed();
    // The handle goes whatever the driver says: a connection that failed to
    // close cleanly is of no further use.
    auto connection = std::move(connection_);
    connection->check(SQLDisconnect(connection->get()));
}

}  // namespace platform
