// FreeTDS registered as "SQL Server", as on a user's machine. A test program
// of its own: the driver manager reads its driver list once per process.

#include "clsMsSqlConnect.h"

#include "LoopbackPort.h"

#include <gtest/gtest.h>

TEST(ClsMsSqlConnectFreeTds, UnreachableServerFailsWithTheDriversText)
{
    ASSERT_TRUE(qEnvironmentVariable("ODBCSYSINI").endsWith(u"/freetds"_qs));
    clsMsSqlConnect connection;
    const int port = closedLoopbackPort();
    ASSERT_NE(port, 0);
    const QString server = u"127.0.0.1,"_qs + QString::number(port);
    EXPECT_FALSE(connection.Connect(server, u"master"_qs, u"sa"_qs, u"pw;x"_qs));

    const QString message = connection.Message();
    const qsizetype colon = message.indexOf(u':');
    ASSERT_GT(colon, 0) << message.toStdString();
    bool numeric = false;
    EXPECT_NE(message.left(colon).toInt(&numeric), 0);
    EXPECT_TRUE(numeric) << message.toStdString();
    EXPECT_TRUE(message.mid(colon + 1).startsWith(u"[FreeTDS]"_qs)) << message.toStdString();
}
