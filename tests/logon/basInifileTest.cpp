#include "basInifile.h"

#include "LogonTestSupport.h"

#include <gtest/gtest.h>

using basInifile::GetIniString;

TEST(basInifile, ValueReadsBackUpTo254BytesAndEndsAtANul)
{
    SettingsHome home;
    home.writeIni("[CONNECT]\nSERVER=" + QByteArray(300, 'x') + "\nDATABASE=" + QByteArray("a\0b", 3) + "\n");
    EXPECT_EQ(GetIniString(u"SERVER"_qs, u"CONNECT"_qs, u"STATUS.INI"_qs), QString(254, u'x'));
    EXPECT_EQ(GetIniString(u"DATABASE"_qs, u"CONNECT"_qs, u"STATUS.INI"_qs), u"a"_qs);
}
