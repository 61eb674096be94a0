#pragma once

#include <QString>

#include <memory>

namespace platform {

class OdbcHandle;

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

    // Connects with the connection string, waiting at most the login time-out.
    void open();  // throws RuntimeError
    void close();  // throws RuntimeError when not open
    bool isOpen() const { return connection_ != nullptr; }

    CursorLocation cursorLocation() const { return cursorLocation_; }
    void setCursorLocation(CursorLocation location) { cursorLocation_ = location; }

    static constexpr int kLoginTimeoutSeconds = 15;

private:
    friend class Command;

    QString connectionString_;
    CursorLocation cursorLocation_ = CursorLocation::Server;
    std::unique_ptr<OdbcHandle> environment_;
    std::unique_ptr<OdbcHandle> connection_;  // set while connected
};

}  // namespace platform
