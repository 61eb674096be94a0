#pragma once

// Internal to the platform library, as OdbcHandle.h.

#include "OdbcHandle.h"

#include <vector>

namespace platform {

// Storage for one bound parameter. The driver reads the value from here when
// the statement runs, so it stays put meanwhile; the text keeps a terminator.
struct ParameterBuffer {
    SQLLEN indicator = 0;
    SQLINTEGER int32 = 0;
    SQLBIGINT int64 = 0;
    double floating = 0.0;
    std::vector<SQLWCHAR> text;
    SQL_TIMESTAMP_STRUCT timestamp{};
};

// How one parameter is bound: its types and where its buffer holds it.
struct Binding {
    SQLSMALLINT cType = SQL_C_CHAR;
    SQLSMALLINT sqlType = SQL_VARCHAR;
    SQLULEN columnSize = 1;
    SQLSMALLINT digits = 0;
    SQLPOINTER data = nullptr;
    SQLLEN dataLength = 0;
    SQLLEN* indicator = nullptr;
    bool operator==(const Binding&) const = default;
};

// A statement kept prepared, with the buffers its parameters are bound to and
// the bindings last made, so that a run binds again only what moved.
struct PreparedStatement {
    OdbcHandle handle;
    std::vector<ParameterBuffer> buffers;
    std::vector<Binding> bound;
};

// What a statement was made for: its text, its time-out, which some drivers
// build into what they prepare, and the declared types of its parameters.
struct StatementKey {
    QString text;
    qint32 timeoutSeconds = 0;
    QString parameterTypes;
    bool operator==(const StatementKey&) const = default;
};

// The statements one login keeps prepared. A text runs directly the first
// time; run again on the same login, it is prepared and kept, so that a query
// repeated for every object costs the server one execution each, while a
// query run once costs neither a prepare nor an unprepare. A few of each are
// held, the oldest going first.
class PreparedStatements {
public:
    PreparedStatement* find(const StatementKey& key);  // null when none is kept
    // Whether the key ran before on this login; from now on it has.
    bool noteRun(const StatementKey& key);
    PreparedStatement& keep(const StatementKey& key, OdbcHandle statement, std::size_t parameters);
    void drop(const StatementKey& key) noexcept;
    // Frees them all; statements must go before their login logs off.
    void clear() noexcept;

private:
    struct Kept {
        StatementKey key;
        PreparedStatement statement;
    };

    static constexpr std::size_t kKept = 4;
    static constexpr std::size_t kRemembered = 8;

    std::vector<StatementKey> ranOnce_;
    std::vector<Kept> kept_;
};

// A logged-on driver connection with the environment it was made in; members
// are freed in reverse order: statements, connection, environment.
struct OdbcLogin {
    OdbcHandle environment;
    OdbcHandle connection;
    PreparedStatements prepared;
};

}  // namespace platform
