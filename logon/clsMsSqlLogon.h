#pragma once

#include <QString>

// The credentials of one logon: empty until ShowForm succeeds, then what the
// user typed and the test connection accepted.
class clsMsSqlLogon {
public:
    const QString& Server() const { return server_; }
    const QString& Database() const { return database_; }
    const QString& Username() const { return username_; }
    const QString& Password() const { return password_; }

    // Shows the logon dialog modally over the active window. True when a test
    // connection succeeded; false on cancel or close, leaving the fields as
    // they were.
    bool ShowForm();

private:
    void setServer(const QString& value) { server_ = value; }
    void setDatabase(const QString& value) { database_ = value; }
    void setUsername(const QString& value) { username_ = value; }
    void setPassword(const QString& value) { password_ = value; }

    QString server_;
    QString database_;
    QString username_;
    QString password_;
};
