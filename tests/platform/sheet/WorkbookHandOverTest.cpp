#include "WorkbookHandOver.h"

#include "RuntimeError.h"
#include "Application.h"
#include "WorkbookTestSupport.h"

#include <gtest/gtest.h>

#include <QFileInfo>
#include <QStandardPaths>

using namespace platform::xl;

namespace {

constexpr QFileDevice::Permissions kOwnerRead = QFileDevice::ReadOwner | QFileDevice::WriteOwner;

void touch(const QString& path, qint64 secondsAgo)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("x");
    file.flush();
    ASSERT_TRUE(file.setFileTime(QDateTime::currentDateTime().addSecs(-secondsAgo), QFileDevice::FileModificationTime));
}

}  // namespace

TEST(WorkbookHandOverTest, MakingTheApplicationVisibleStartsItOnAPrivateFreshFile)
{
    SofficeStandIn standIn;
    auto app = Application::create();
    auto book = app->workbooks().add();
    book->worksheets().item(1)->cells(1, 1).setValue(u"顧客");
    app->setVisible(true);
    EXPECT_TRUE(app->visible());

    const auto starts = standIn.waitForStarts(1);
    ASSERT_EQ(starts.size(), 1u);
    const QStringList& args = starts[0].args;
    ASSERT_EQ(args.size(), 3);
    EXPECT_EQ(args[0], "--calc");
    EXPECT_EQ(args[1], "-n");
    const QFileInfo file(args.last());
    const QString folder = standIn.handOverFolder();
    EXPECT_EQ(file.absolutePath(), folder);
    EXPECT_TRUE(file.exists());
    EXPECT_EQ(starts[0].mode, "600");
    EXPECT_EQ(file.permissions() & 0x7777, kOwnerRead | QFileDevice::ReadUser | QFileDevice::WriteUser);
    EXPECT_EQ(QFileInfo(folder).permissions() & 0x0077, QFileDevice::Permissions());
    EXPECT_EQ(file.suffix(), "fods");
    EXPECT_EQ(readOds(starts[0].copy)["data"][QStringLiteral("Sheet1")][QStringLiteral("cells")][QStringLiteral("A1")][QStringLiteral("text")].toString(), "顧客");

    // Shown once: a second Visible := True starts nothing new.
    app->setVisible(true);
    EXPECT_EQ(standIn.waitForStarts(2, 1500).size(), 1u);
    // A workbook added later is handed over on the next Visible := True.
    app->workbooks().add();
    app->setVisible(true);
    const auto again = standIn.waitForStarts(2);
    ASSERT_EQ(again.size(), 2u);
    EXPECT_NE(again[0].args.last(), again[1].args.last());
}

TEST(WorkbookHandOverTest, StaleFilesOfEarlierRunsAreRemovedAndNothingElse)
{
    SofficeStandIn standIn;
    const QString folder = standIn.handOverFolder();
    ASSERT_TRUE(QDir().mkpath(folder));
    QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner
            | QFileDevice::ReadGroup | QFileDevice::ExeGroup | QFileDevice::ReadOther | QFileDevice::ExeOther);
    touch(folder + "/book-old.fods", 2 * 3600);
    touch(folder + "/book-older-version.xlsx", 2 * 3600);
    touch(folder + "/book-recent.fods", 600);
    touch(folder + "/notes.txt", 2 * 3600);
    const QString outside = standIn.home() + "/book-target.fods";
    touch(outside, 2 * 3600);
    ASSERT_TRUE(QFile::link(outside, folder + "/book-link.fods"));

    Workbook book(1);
    const QString handedOver = handOverWorkbook(book, {QStandardPaths::findExecutable("soffice"), {}});
    standIn.waitForStarts(1);

    EXPECT_FALSE(QFile::exists(folder + "/book-old.fods"));
    EXPECT_FALSE(QFile::exists(folder + "/book-older-version.xlsx"));
    EXPECT_TRUE(QFile::exists(folder + "/book-recent.fods"));  // another run may still be opening it
    EXPECT_TRUE(QFile::exists(folder + "/notes.txt"));
    EXPECT_TRUE(QFile::exists(outside));
    EXPECT_TRUE(QFile::exists(handedOver));
    // The loose folder was tightened.
    EXPECT_EQ(QFileInfo(folder).permissions() & 0x0077, QFileDevice::Permissions());
}

TEST(WorkbookHandOverTest, AFailedHandOverRaisesAndLeavesNoFile)
{
    SofficeStandIn standIn;
    Workbook book(1);
    try {
        handOverWorkbook(book, {"/nonexistent/soffice", {}});
        FAIL() << "no error";
    } catch (const platform::RuntimeError& e) {
        EXPECT_EQ(e.number(), platform::error_number::kCannotCreateObject);
    }
    EXPECT_TRUE(QDir(handOverFolder()).entryList({"book-*"}, QDir::Files).isEmpty());

    // A folder that cannot be made is an error, not a crash.
    QTemporaryDir dir;
    touch(dir.filePath("file"), 0);
    qputenv("HOME", QFile::encodeName(dir.filePath("file")));
    EXPECT_THROW(handOverFolder(), platform::RuntimeError);
}

TEST(WorkbookHandOverTest, LibreOfficeIsFoundAsLibreofficeOrAsTheFlatpak)
{
    const struct {
        const char* folder;
        QStringList leadingArgs;
    } installs[] = {
        {"libreoffice-standin", {}},
        {"flatpak-standin", {"run", "org.libreoffice.LibreOffice"}},
    };
    for (const auto& install : installs) {
        SCOPED_TRACE(install.folder);
        SofficeStandIn standIn(install.folder, true);
        auto app = Application::create();
        app->workbooks().add();
        app->setVisible(true);
        const auto starts = standIn.waitForStarts(1);
        ASSERT_EQ(starts.size(), 1u);
        const QStringList expected = install.leadingArgs + QStringList{"--calc", "-n"};
        EXPECT_EQ(starts[0].args.mid(0, starts[0].args.size() - 1), expected);
        EXPECT_EQ(QFileInfo(starts[0].args.last()).absolutePath(), standIn.handOverFolder());
    }
}
