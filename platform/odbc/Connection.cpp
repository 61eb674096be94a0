#include "Connection.h"

#include "ObjectErrors.h"
#include "PreparedStatements.h"

#include <chrono>
#include <utility>
#include <vector>

namespace platform {

namespace {

using Clock = std::chrono::steady_clock;

struct ParkedLogin {
    QString connectionString;
    std::unique_ptr<OdbcLogin> login;
    Clock::time_point parkedAt;
};

// The logins parked by the PooledRuns alive; empty whenever none is.
struct Pool {
    int runs = 0;
    std::vector<ParkedLogin> parked;
};

Pool& pool()
{
    static Pool instance;
    return instance;
}

SQLRETURN disconnect(OdbcLogin& login) noexcept
{
    login.prepared.clear();
    return SQLDisconnect(login.connection.get());
}

// The handles go whatever the driver says: a login that failed to log off
// cleanly is of no further use.
void logOff(std::unique_ptr<OdbcLogin> login) noexcept
{
    disconnect(*login);
}

void logOffParked() noexcept
{
    for (ParkedLogin& parked : std::exchange(pool().parked, {}))
        logOff(std::move(parked.login));
}

// The driver's own view; for some drivers that is a ping, for others what the
// last exchange showed.
bool isAlive(const OdbcLogin& login) noexcept
{
    SQLUINTEGER dead = SQL_CD_TRUE;
    const SQLRETURN ret = SQLGetConnectAttrW(login.connection.get(), SQL_ATTR_CONNECTION_DEAD, &dead, 0, nullptr);
    return SQL_SUCCEEDED(ret) && dead == SQL_CD_FALSE;
}

// The login parked last for the connection string that is still alive; dead
// ones found on the way are dropped.
std::unique_ptr<OdbcLogin> takeParked(const QString& connectionString)
{
    std::vector<ParkedLogin>& parked = pool().parked;
    for (std::size_t i = parked.size(); i-- > 0;) {
        if (parked[i].connectionString != connectionString)
            continue;
        std::unique_ptr<OdbcLogin> login = std::move(parked[i].login);
        const bool trusted = Clock::now() - parked[i].parkedAt < PooledRun::kTrustedAfterUse;
        parked.erase(parked.begin() + static_cast<std::ptrdiff_t>(i));
        if (trusted || isAlive(*login))
            return login;
        logOff(std::move(login));
    }
    return nullptr;
}

std::unique_ptr<OdbcLogin> logOn(const QString& connectionString)  // throws RuntimeError
{
    // What is still parked was made for another string; logging it off keeps
    // the logins held to the connections open.
    logOffParked();
    auto login = std::make_unique<OdbcLogin>();
    login->environment = OdbcHandle(SQL_HANDLE_ENV, nullptr);
    login->environment.check(SQLSetEnvAttr(login->environment.get(), SQL_ATTR_ODBC_VERSION,
        reinterpret_cast<SQLPOINTER>(SQL_OV_ODBC3), 0));
    login->connection = OdbcHandle(SQL_HANDLE_DBC, login->environment.get());
    login->connection.check(SQLSetConnectAttrW(login->connection.get(), SQL_ATTR_LOGIN_TIMEOUT,
        reinterpret_cast<SQLPOINTER>(static_cast<SQLULEN>(Connection::kLoginTimeoutSeconds)), 0));
    // The string goes to the driver as composed; SQLWCHAR is UTF-16, as QString.
    login->connection.check(SQLDriverConnectW(login->connection.get(), nullptr,
        const_cast<SQLWCHAR*>(toSqlWide(connectionString)), SQL_NTS, nullptr, 0, nullptr, SQL_DRIVER_NOPROMPT));
    return login;
}

}  // namespace

Connection::Connection() = default;

Connection::~Connection()
{
    // Left open, say by a failed run: nobody knows what the login was in the
    // middle of, so it is not parked.
    if (login_)
        logOff(std::move(login_));
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
    login_ = takeParked(connectionString_);
    if (!login_)
        login_ = logOn(connectionString_);
}

void Connection::close()
{
    if (!isOpen())
        throwObjectClosed();
    auto login = std::move(login_);
    // Every command closes its cursor once its rows are read, so a parked
    // login holds no pending result, only the statements it keeps prepared.
    if (pool().runs > 0) {
        pool().parked.push_back({connectionString_, std::move(login), Clock::now()});
        return;
    }
    login->connection.check(disconnect(*login));
}

PooledRun::PooledRun()
{
    ++pool().runs;
}

PooledRun::~PooledRun()
{
    if (--pool().runs == 0)
        logOffParked();
}

}  // namespace platform
