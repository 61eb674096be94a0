// FreeTDS registered as "SQL Server", as on a user's machine. A test program
// of its own: the driver manager reads its driver list once per process.

#include "clsMsSqlConnect.h"

#include <gtest/gtest.h>

#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

// A loopback port that nobody listens on: bound, read back and released.
int closedLoopbackPort()
{
    const int fd = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    EXPECT_EQ(bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    EXPECT_EQ(getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length), 0);
    close(fd);
    return ntohs(address.sin_port);
}

}  // namespace

TEST(ClsMsSqlConnectFreeTds, UnreachableServerFailsWithTheDriversText)
{
    ASSERT_TRUE(qEnvironmentVariable("ODBCSYSINI").endsWith(u"/freetds"_qs));
    clsMsSqlConnect connection;
    const QString server = u"127.0.0.1,"_qs + QString::number(closedLoopbackPort());
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
