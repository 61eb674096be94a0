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

TEST(ClsMsSqlConnectFreeTds, CredentialsAreBracedAsFreeTdsReadsThem)
{
    // Taken as written up to the first "};": no "}" doubled.
    EXPECT_EQ(BuildConnectionString(u"h;Port=1500"_qs, u"D"_qs, u"u;}"_qs, u"p;w}1"_qs),
        u"driver=SQL Server;server=h;Port=1500;database=D;uid={u;}};pwd={p;w}1};"_qs);

    // A password it would cut fails before any logon is tried.
    clsMsSqlConnect connection;
    EXPECT_FALSE(connection.Connect(u"127.0.0.1,1"_qs, u"master"_qs, u"sa"_qs, u"a};b"_qs));
    const QString message = connection.Message();
    EXPECT_TRUE(message.startsWith(u"-2147467259:"_qs) && message.contains(u"libtdsodbc.so"_qs)) << message.toStdString();
}
