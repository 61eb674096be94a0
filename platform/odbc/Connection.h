#pragma once

#include <QString>

#include <chrono>
#include <memory>

namespace platform {

struct OdbcLogin;

// Where result sets keep their cursor. Every result set of this layer is read
// whole when it opens, so both give a set that can be rewound; the setting is
// kept because callers state it.
enum class CursorLocation : qint16 { Server = 2, Client = 3 };

// One database connection through the ODBC driver manager, described by a
// driver connection string ("driver=...;server=...;...").
class Connection {
public:
    Connection();
    ~Connection();  // disconnects when still open
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    const QString& connectionString() const { return connectionString_; }
    void setConnectionString(const QString& text);  // throws RuntimeError when open

    // Connects with the connection string, waiting at most the login time-out;
    // during a PooledRun it takes a parked login of the same string instead.
    void open();  // throws RuntimeError
    // Logs off; during a PooledRun it parks the login for the next open().
    void close();  // throws RuntimeError when not open
    bool isOpen() const { return login_ != nullptr; }

    CursorLocation cursorLocation() const { return cursorLocation_; }
    void setCursorLocation(CursorLocation location) { cursorLocation_ = location; }

    static constexpr int kLoginTimeoutSeconds = 15;

private:
    friend class Command;

    QString connectionString_;
    CursorLocation cursorLocation_ = CursorLocation::Server;
    std::unique_ptr<OdbcLogin> login_;  // set while connected
};

// One document run, during which connections are reused: a closed Connection
// parks its login, and the next open() with the same connection string takes
// it instead of logging on again, so a run of many queries costs as many
// logins as it holds connections at once. When the run ends, every parked
// login is logged off; outside a run every open() logs on afresh and every
// close() logs off. Runs and connections belong to one thread.
class PooledRun {
public:
    PooledRun();
    ~PooledRun();
    PooledRun(const PooledRun&) = delete;
    PooledRun& operator=(const PooledRun&) = delete;

    // A login parked longer ago than this is asked whether it is still alive
    // before it is taken, and replaced by a fresh one when it is not. One
    // parked more recently answered a moment ago and is taken unasked: asking
    // costs some drivers a request to the server per query, and a login lost
    // in that moment fails its next query as it would have failed its last.
    static constexpr std::chrono::milliseconds kTrustedAfterUse{500};
};

}  // namespace platform
