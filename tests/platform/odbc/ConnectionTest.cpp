#include "Connection.h"

#include "Command.h"
#include "RuntimeError.h"
#include "StandinLogin.h"
#include "RaisedError.h"

#include <gtest/gtest.h>

#include <QThread>

using platform::Command;
using platform::Connection;
using platform::PooledRun;
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

namespace {

// The server's number for the session the connection is logged on as.
qint64 sessionOf(Connection& connection)
{
    Command command;
    command.setActiveConnection(connection);
    command.setCommandText(u"SELECT CONNECTION_ID()"_qs);
    return command.execute()->rows.at(0).at(0).integer();
}

// Whether the session is logged on, as the server lists its own; a session
// that logged off may linger there for a moment.
bool loggedOn(Connection& probe, qint64 session, bool waitForLogOff = true)
{
    Command command;
    command.setActiveConnection(probe);
    command.setCommandText(u"SELECT COUNT(*) FROM information_schema.PROCESSLIST WHERE ID = ?"_qs);
    command.setParameter(0, platform::FieldValue(session));
    for (int attempt = 0;; ++attempt) {
        const bool listed = command.execute()->rows.at(0).at(0).integer() == 1;
        if (!listed || !waitForLogOff || attempt == 100)
            return listed;
        QThread::msleep(20);
    }
}

}  // namespace

TEST(PooledRun, ReusesALoginWithinARunOnlyAndLogsItOffWhenTheRunEnds)
{
    Connection probe;
    probe.setConnectionString(standinConnectionString());
    probe.open();
    Connection connection;
    connection.setConnectionString(standinConnectionString());
    connection.open();
    const qint64 before = sessionOf(connection);
    connection.close();
    EXPECT_FALSE(loggedOn(probe, before));

    qint64 parked = 0;
    {
        const PooledRun run;
        connection.open();
        parked = sessionOf(connection);
        connection.close();
        EXPECT_TRUE(loggedOn(probe, parked, false));
        Connection next;
        next.setConnectionString(standinConnectionString());
        next.open();
        EXPECT_EQ(sessionOf(next), parked);
        next.close();
        // A login for another string does not serve this one, and goes when
        // this one logs on, so the run holds no more logins than it uses.
        Connection other;
        other.setConnectionString(standinConnectionString().replace(u"driver="_qs, u"DRIVER="_qs));
        other.open();
        EXPECT_FALSE(loggedOn(probe, parked));
        parked = sessionOf(other);
        other.close();
    }
    EXPECT_FALSE(loggedOn(probe, parked));
    // After the run, as for the logon's test, a fresh login.
    connection.open();
    EXPECT_NE(sessionOf(connection), parked);
}

TEST(PooledRun, AParkedLoginTheServerDroppedIsReplacedByAFreshOne)
{
    Connection probe;
    probe.setConnectionString(standinConnectionString());
    probe.open();
    const PooledRun run;
    Connection connection;
    connection.setConnectionString(standinConnectionString());
    connection.open();
    const qint64 dropped = sessionOf(connection);
    connection.close();
    Command kill;
    kill.setActiveConnection(probe);
    kill.setCommandText(u"KILL "_qs + QString::number(dropped));
    kill.execute();
    ASSERT_FALSE(loggedOn(probe, dropped));
    QThread::msleep(PooledRun::kTrustedAfterUse.count() + 100);

    connection.open();
    EXPECT_NE(sessionOf(connection), dropped);
}
