#include "Connection.h"

#include "RuntimeError.h"
#include "StandinLogin.h"
#include "RaisedError.h"

#include <gtest/gtest.h>

using platform::Connection;
using platform::CursorLocation;
using platform::RuntimeError;

TEST(Connection, UnknownDriverGivesTheGenericNumberAndTheManagersText)
{
    Connection connection;
    connection.setConnectionString(u"driver=No Such Driver;server=localhost;"_qs);
    const RuntimeError error = raisedError([&] { connection.open(); });
    // The driver manager gives no native code of its own.
    EXPECT_EQ(error.number(), -2147467259);
    EXPECT_EQ(error.sqlState().size(), 5);
    EXPECT_TRUE(error.description().contains(u"[Driver Manager]"_qs)) << error.description().toStdString();
    EXPECT_TRUE(error.description().contains(u"No Such Driver"_qs)) << error.description().toStdString();
    EXPECT_FALSE(connection.isOpen());
}

TEST(Connection, StateRulesFollowOpenAndClose)
{
    Connection connection;
    EXPECT_EQ(raisedError([&] { connection.close(); }).number(), 3704);
    EXPECT_EQ(connection.cursorLocation(), CursorLocation::Server);

    connection.setConnectionString(standinConnectionString());
    connection.open();
    ASSERT_TRUE(connection.isOpen());
    EXPECT_EQ(raisedError([&] { connection.open(); }).number(), 3705);
    EXPECT_EQ(raisedError([&] { connection.setConnectionString(u"driver=x;"_qs); }).number(), 3705);
    connection.setCursorLocation(CursorLocation::Client);
    EXPECT_EQ(connection.cursorLocation(), CursorLocation::Client);

    connection.close();
    EXPECT_FALSE(connection.isOpen());
    EXPECT_EQ(raisedError([&] { connection.close(); }).number(), 3704);
    // Closed, the same object opens again.
    connection.open();
    EXPECT_TRUE(connection.isOpen());
}
