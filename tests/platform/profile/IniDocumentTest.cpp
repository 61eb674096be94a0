#include "IniDocument.h"

#include <gtest/gtest.h>

using platform::IniDocument;

TEST(IniDocument, LooksUpSectionsAndKeysWithoutRegardToCase)
{
    const IniDocument document = IniDocument::parse(
        "ORPHAN=before any section\n"
        "; SERVER=commented out\n"
        "[connect]\n"
        "  Server =  db01  \n"
        "server=second of a duplicate\n"
        "Quoted=\"  padded  \"\n"
        "Empty=\n"
        "no equals sign\n"
        "[Connect]\n"
        "DATABASE=in a duplicate section\n");

    EXPECT_EQ(document.value(u"CONNECT"_qs, u"SERVER"_qs), u"db01"_qs);
    EXPECT_EQ(document.value(u"CONNECT"_qs, u"QUOTED"_qs), u"  padded  "_qs);
    EXPECT_EQ(document.value(u"CONNECT"_qs, u"EMPTY"_qs), QString());
    EXPECT_FALSE(document.value(u"CONNECT"_qs, u"DATABASE"_qs));
    EXPECT_FALSE(document.value(u"CONNECT"_qs, u"ORPHAN"_qs));
    EXPECT_FALSE(document.value(u"CONNECT"_qs, u"no equals sign"_qs));
    EXPECT_FALSE(document.value(u"OTHER"_qs, u"SERVER"_qs));
}

TEST(IniDocument, FreshDocumentGetsSectionThenKeysInOrderOfWriting)
{
    IniDocument document;
    ASSERT_TRUE(document.setValue(u"CONNECT"_qs, u"SERVER"_qs, u"srv"_qs));
    ASSERT_TRUE(document.setValue(u"CONNECT"_qs, u"DATABASE"_qs, u"db"_qs));
    ASSERT_TRUE(document.setValue(u"CONNECT"_qs, u"USERNAME"_qs, u"sa"_qs));
    ASSERT_TRUE(document.setValue(u"CONNECT"_qs, u"SERVER"_qs, u"srv2"_qs));

    EXPECT_EQ(document.toBytes(), "[CONNECT]\nSERVER=srv2\nDATABASE=db\nUSERNAME=sa\n");
}

TEST(IniDocument, ChangeTouchesOnlyItsLineAndKeepsEverythingElseByteForByte)
{
    const QByteArray original = "\xEF\xBB\xBF; kept comment\r\n"
                                "[Other]\r\n"
                                "SERVER=not this one\r\n"
                                "\x01\xFF junk line\r\n"
                                "[connect]\r\n"
                                "server=old\r\n"
                                "database=first\r\n"
                                "DATABASE=shadowed duplicate\r\n"
                                "\r\n"
                                "[Last]\r\n"
                                "X=1";
    IniDocument document = IniDocument::parse(original);
    ASSERT_TRUE(document.setValue(u"CONNECT"_qs, u"SERVER"_qs, u"new"_qs));
    ASSERT_TRUE(document.setValue(u"CONNECT"_qs, u"USERNAME"_qs, u"added"_qs));
    ASSERT_TRUE(document.setValue(u"Extra"_qs, u"K"_qs, u"v"_qs));

    EXPECT_EQ(document.toBytes(),
        "\xEF\xBB\xBF; kept comment\r\n"
        "[Other]\r\n"
        "SERVER=not this one\r\n"
        "\x01\xFF junk line\r\n"
        "[connect]\r\n"
        "SERVER=new\r\n"
        "database=first\r\n"
        "DATABASE=shadowed duplicate\r\n"
        "USERNAME=added\r\n"
        "\r\n"
        "[Last]\r\n"
        "X=1\r\n"
        "[Extra]\r\n"
        "K=v\r\n");
    EXPECT_EQ(IniDocument::parse(original).toBytes(), original);
}

TEST(IniDocument, EveryOneLineValueReadsBackExactly)
{
    const QString values[] = {u""_qs, u" leading"_qs, u"trailing\t"_qs, u"\"quoted\""_qs, u"\""_qs,
        u"a=b;c [d]"_qs, u"サーバー　全角空白　"_qs, u"😀"_qs, u"\uFEFFstarts with a byte-order mark"_qs};
    IniDocument document;
    for (const QString& value : values) {
        ASSERT_TRUE(document.setValue(u"S"_qs, u"K"_qs, value));
        EXPECT_EQ(IniDocument::parse(document.toBytes()).value(u"s"_qs, u"k"_qs), value) << value.toStdString();
    }
}

TEST(IniDocument, RefusesWhatCannotBeOneLineAndStaysUnchanged)
{
    IniDocument document = IniDocument::parse("[CONNECT]\nSERVER=kept\n");
    const QByteArray before = document.toBytes();

    EXPECT_FALSE(document.setValue(u"CONNECT"_qs, u"SERVER"_qs, u"evil\nPASSWORD=x"_qs));
    EXPECT_FALSE(document.setValue(u"CONNECT"_qs, u"SERVER"_qs, u"cr\r"_qs));
    EXPECT_FALSE(document.setValue(u"CONNECT"_qs, u"SERVER"_qs, u"nul"_qs + QChar(0)));
    EXPECT_FALSE(document.setValue(u"CONNECT"_qs, u"A=B"_qs, u"v"_qs));
    EXPECT_FALSE(document.setValue(u"CONNECT"_qs, u"[K]"_qs, u"v"_qs));
    EXPECT_FALSE(document.setValue(u"CONNECT"_qs, u" K"_qs, u"v"_qs));
    EXPECT_FALSE(document.setValue(u"CONNECT"_qs, QString(), u"v"_qs));
    EXPECT_FALSE(document.setValue(u"A]B"_qs, u"K"_qs, u"v"_qs));
    EXPECT_FALSE(document.setValue(QString(), u"K"_qs, u"v"_qs));
    EXPECT_EQ(document.toBytes(), before);
}

TEST(IniDocument, JunkAroundASectionDoesNotHideIt)
{
    QByteArray junk;
    for (int i = 0; i < 4096; ++i)
        junk += char((i * 37 + 11) % 256);
    junk.replace('[', '?');
    const IniDocument document = IniDocument::parse(
        junk + "\n[CONNECT]\r\nSERVER=found\n" + QByteArray("\0\0\0", 3) + junk);

    EXPECT_EQ(document.value(u"CONNECT"_qs, u"SERVER"_qs), u"found"_qs);
    EXPECT_TRUE(IniDocument::parse("[S]\nK=cut \xE6\x97").value(u"S"_qs, u"K"_qs)->startsWith(u"cut \uFFFD"_qs))
        << "a broken character at the end still shows";
}
