#include "PrivateProfile.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

using platform::getPrivateProfileString;
using platform::privateProfilePath;
using platform::writePrivateProfileString;

namespace {

constexpr qsizetype kBuffer = 255;

class PrivateProfile : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(home_.isValid());
        QCoreApplication::setApplicationName(u"tablinor"_qs);
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(home_.path()));
        folder_ = home_.path() + u"/tablinor"_qs;
        file_ = folder_ + u"/STATUS.INI"_qs;
    }

    void writeFile(const QByteArray& bytes)
    {
        ASSERT_TRUE(QDir().mkpath(folder_));
        QFile out(file_);
        ASSERT_TRUE(out.open(QIODevice::WriteOnly));
        ASSERT_EQ(out.write(bytes), bytes.size());
    }

    QByteArray fileBytes() const
    {
        QFile in(file_);
        return in.open(QIODevice::ReadOnly) ? in.readAll() : QByteArray();
    }

    static QString read(const QString& key, const QString& section = u"CONNECT"_qs)
    {
        return getPrivateProfileString(section, key, {}, kBuffer, u"STATUS.INI"_qs);
    }

    static bool write(const QString& key, const QString& value)
    {
        return writePrivateProfileString(u"CONNECT"_qs, key, value, u"STATUS.INI"_qs);
    }

    QStringList folderEntries() const
    {
        return QDir(folder_).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden);
    }

    QTemporaryDir home_;
    QString folder_;
    QString file_;
};

}  // namespace

TEST_F(PrivateProfile, BareNameLivesInTheApplicationConfigFolder)
{
    EXPECT_EQ(privateProfilePath(u"STATUS.INI"_qs), file_);
    EXPECT_EQ(privateProfilePath(u"/elsewhere/X.INI"_qs), u"/elsewhere/X.INI"_qs);
    EXPECT_EQ(privateProfilePath(u"sub/X.INI"_qs), u"sub/X.INI"_qs);
}

TEST_F(PrivateProfile, MissingFileReadsDefaultAndFirstWriteCreatesFolderAndFile)
{
    EXPECT_EQ(read(u"SERVER"_qs), QString());
    EXPECT_EQ(getPrivateProfileString(u"CONNECT"_qs, u"SERVER"_qs, u"dflt"_qs, kBuffer, u"STATUS.INI"_qs), u"dflt"_qs);
    EXPECT_FALSE(QFile::exists(folder_));

    ASSERT_TRUE(write(u"SERVER"_qs, u"サーバー１"_qs));
    ASSERT_TRUE(write(u"DATABASE"_qs, u"販売DB"_qs));
    ASSERT_TRUE(write(u"USERNAME"_qs, QString()));

    EXPECT_EQ(fileBytes(), u"[CONNECT]\nSERVER=サーバー１\nDATABASE=販売DB\nUSERNAME=\n"_qs.toUtf8());
    EXPECT_EQ(read(u"SERVER"_qs), u"サーバー１"_qs);
    EXPECT_EQ(read(u"database"_qs, u"connect"_qs), u"販売DB"_qs);
    EXPECT_EQ(read(u"USERNAME"_qs), QString());
    EXPECT_EQ(folderEntries(), QStringList{u"STATUS.INI"_qs});
}

TEST_F(PrivateProfile, ValuesAreCutToTheBufferAtACharacterBoundary)
{
    const QString ascii254(254, u'a');
    ASSERT_TRUE(write(u"SERVER"_qs, ascii254));
    EXPECT_EQ(read(u"SERVER"_qs), ascii254);
    ASSERT_TRUE(write(u"SERVER"_qs, ascii254 + u"b"_qs));
    EXPECT_EQ(read(u"SERVER"_qs), ascii254);

    const QString kanji84 = QString(84, QChar(0x65E5));  // 252 bytes of UTF-8
    ASSERT_TRUE(write(u"SERVER"_qs, u"ab"_qs + kanji84));
    EXPECT_EQ(read(u"SERVER"_qs), u"ab"_qs + kanji84);
    ASSERT_TRUE(write(u"SERVER"_qs, u"abc"_qs + kanji84));
    EXPECT_EQ(read(u"SERVER"_qs), u"abc"_qs + QString(83, QChar(0x65E5)));

    const QString ascii252(252, u'a');
    ASSERT_TRUE(write(u"SERVER"_qs, ascii252 + u"😀"_qs));
    EXPECT_EQ(read(u"SERVER"_qs), ascii252);
    ASSERT_TRUE(write(u"SERVER"_qs, u"ab"_qs + ascii252.left(248) + u"😀"_qs));
    EXPECT_EQ(read(u"SERVER"_qs), u"ab"_qs + ascii252.left(248) + u"😀"_qs);

    // The whole value stays in the file; only the read is limited.
    EXPECT_TRUE(fileBytes().contains(u"😀"_qs.toUtf8()));
}

TEST_F(PrivateProfile, DamagedFilesReadWhatCanBeRead)
{
    writeFile({});
    EXPECT_EQ(read(u"SERVER"_qs), QString());
    ASSERT_TRUE(write(u"SERVER"_qs, u"s"_qs));
    EXPECT_EQ(fileBytes(), "[CONNECT]\nSERVER=s\n");

    writeFile("[CONNECT]\nSERVER=" + QByteArray(500000, 'x') + "\nDATABASE=after a long line\n");
    EXPECT_EQ(read(u"SERVER"_qs), QString(254, u'x'));
    EXPECT_EQ(read(u"DATABASE"_qs), u"after a long line"_qs);

    writeFile(QByteArray("[CONNECT]\nSERVER=be\0fore\n", 25));
    EXPECT_EQ(read(u"SERVER"_qs), u"be"_qs + QChar(0) + u"fore"_qs);
}

TEST_F(PrivateProfile, HugeFileIsReadOnlyUpToTheCapAndNeverRewritten)
{
    const QByteArray head = "[CONNECT]\nSERVER=early\nUSERNAME=";
    QByteArray huge = head + QByteArray(platform::kProfileFileMaxBytes, 'u') + "\nDATABASE=late\n";
    writeFile(huge);

    EXPECT_EQ(read(u"SERVER"_qs), u"early"_qs);
    EXPECT_EQ(read(u"USERNAME"_qs), QString()) << "a line cut by the cap must not pass for a value";
    EXPECT_EQ(read(u"DATABASE"_qs), QString());
    EXPECT_FALSE(write(u"SERVER"_qs, u"new"_qs));
    EXPECT_EQ(fileBytes(), huge);
}

TEST_F(PrivateProfile, SomethingElseInPlaceOfTheFileIsNeitherReadNorReplaced)
{
    ASSERT_TRUE(QDir().mkpath(file_));
    EXPECT_EQ(read(u"SERVER"_qs), QString());
    EXPECT_FALSE(write(u"SERVER"_qs, u"s"_qs));
    ASSERT_TRUE(QDir().rmdir(file_));

    // A reader must not block on a pipe nobody writes to.
    ASSERT_EQ(mkfifo(QFile::encodeName(file_).constData(), 0600), 0);
    EXPECT_EQ(read(u"SERVER"_qs), QString());
    EXPECT_FALSE(write(u"SERVER"_qs, u"s"_qs));
}

TEST_F(PrivateProfile, FolderThatCannotBeWrittenMakesTheWriteFail)
{
    QFile blocker(folder_);
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    EXPECT_FALSE(write(u"SERVER"_qs, u"s"_qs));

    if (geteuid() != 0) {  // permissions do not bind root
        ASSERT_TRUE(QFile::remove(folder_));
        writeFile("[CONNECT]\nSERVER=old\n");
        ASSERT_EQ(chmod(QFile::encodeName(folder_).constData(), 0555), 0);
        EXPECT_FALSE(write(u"SERVER"_qs, u"new"_qs));
        chmod(QFile::encodeName(folder_).constData(), 0755);
        EXPECT_EQ(read(u"SERVER"_qs), u"old"_qs);
    }
}

TEST_F(PrivateProfile, ReplaceIsAtomic)
{
    writeFile("; hand-written\n[CONNECT]\nSERVER=old\n");
    QFile earlyReader(file_);
    ASSERT_TRUE(earlyReader.open(QIODevice::ReadOnly));

    ASSERT_TRUE(write(u"SERVER"_qs, u"new"_qs));
    EXPECT_EQ(earlyReader.readAll(), "; hand-written\n[CONNECT]\nSERVER=old\n")
        << "the old file must be replaced as a whole, not rewritten in place";
    EXPECT_EQ(fileBytes(), "; hand-written\n[CONNECT]\nSERVER=new\n");
    EXPECT_EQ(folderEntries(), QStringList{u"STATUS.INI"_qs});

    // A save that dies part-way (here: the file-size limit stops the write)
    // leaves the previous file whole and no partial sibling behind.
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit previousLimit{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &previousLimit), 0);
    rlimit small = previousLimit;
    small.rlim_cur = 4096;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const bool written = write(u"DATABASE"_qs, QString(100000, u'd'));
    setrlimit(RLIMIT_FSIZE, &previousLimit);
    std::signal(SIGXFSZ, previousHandler);

    EXPECT_FALSE(written);
    EXPECT_EQ(fileBytes(), "; hand-written\n[CONNECT]\nSERVER=new\n");
    EXPECT_EQ(folderEntries(), QStringList{u"STATUS.INI"_qs});
}
