#pragma once

#include <gtest/gtest.h>

#include <QString>

// The stand-in server's test login, as the STANDIN option of
// tablinor_add_test passes it. A variable that is missing fails the test:
// database tests never skip.
struct StandinLogin {
    QString server;
    QString database;
    QString uid;
    QString pwd;
};

inline QString standinVariable(const char* name)
{
    if (!qEnvironmentVariableIsSet(name))
        ADD_FAILURE() << name << " is not set: register the test with tablinor_add_test(... STANDIN)";
    return qEnvironmentVariable(name);
}

inline StandinLogin standinLogin()
{
    return {standinVariable("TABLINOR_TEST_SERVER"), standinVariable("TABLINOR_TEST_DATABASE"),
        standinVariable("TABLINOR_TEST_UID"), standinVariable("TABLINOR_TEST_PWD")};
}

// A driver connection string for the test login, the password always braced.
inline QString standinConnectionString()
{
    const StandinLogin login = standinLogin();
    QString pwd = login.pwd;
    return QStringLiteral("driver=SQL Server;server=") + login.server + QStringLiteral(";database=")
        + login.database + QStringLiteral(";uid=") + login.uid + QStringLiteral(";pwd={")
        + pwd.replace(u'}', QStringLiteral("}}")) + QStringLiteral("};");
}
