// The document written straight to a file the user chooses from the main
// window's menu, then opened in the spreadsheet application as that file.

#include "ConnectionSettings.h"
#include "ExportCommand.h"
#include "FileDialog.h"
#include "StandinSettings.h"
#include "WorkbookTestSupport.h"
#include "frmMain.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QFileDialog>
#include <QLabel>
#include <QTest>

#include <sys/stat.h>

namespace {

class DocumentSaveTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        window.mblnFirstActivate = false;
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    }

    void TearDown() override
    {
        platform::FileDialog::setResponder({});
    }

    // Chooses the kind's save item; the dialog is answered with `answer` and
    // its proposed file is kept in `proposed`. Returns the status line.
    QString save(int kind, const QString& answer)
    {
        platform::FileDialog::setResponder([&](QFileDialog& dialog) {
            ++dialogs;
            EXPECT_EQ(dialog.acceptMode(), QFileDialog::AcceptSave);
            EXPECT_EQ(dialog.defaultSuffix(), u"xlsx"_qs);
            EXPECT_EQ(dialog.nameFilters(), QStringList{u"Excel ブック (*.xlsx)"_qs});
            EXPECT_FALSE(dialog.testOption(QFileDialog::DontConfirmOverwrite)) << "the dialog asks before replacing";
            proposed = dialog.selectedFiles().value(0);
            return answer;
        });
        window.findChild<QAction*>(QStringLiteral("mnuFileSaveDoc_%1").arg(kind))->trigger();
        return window.findChild<QLabel*>(QStringLiteral("stbMainText"))->text();
    }

    static QStringList entries(const QString& folder)
    {
        return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    }

    const StandinSettings settings;  // before the window, which may read them
    SofficeStandIn soffice;
    frmMain window;
    QTemporaryDir folder;
    int dialogs = 0;
    QString proposed;
};

TEST_F(DocumentSaveTest, TheChosenFileHoldsWhatTheExportCommandWritesAndOpensAsItself)
{
    const QString exported = folder.filePath(u"exported.xlsx"_qs);
    const ExportResult result = runExportCommand({u"--server"_qs, gstrSvr, u"--database"_qs, gstrDb, u"--user"_qs,
        gstrUid, u"--kind"_qs, u"tables"_qs, u"--output"_qs, exported, u"--password-stdin"_qs}, gstrPwd + u'\n');
    ASSERT_EQ(result.exitCode, 0) << result.errors.toStdString();

    ASSERT_TRUE(QDir().mkpath(soffice.home() + u"/Documents"_qs));
    const QString path = folder.filePath(u"顧客DB テーブル.xlsx"_qs);
    EXPECT_EQ(save(0, path), QStringLiteral("仕様書を %1 に保存しました。").arg(path));
    EXPECT_EQ(proposed, soffice.home() + u"/Documents/テーブル仕様書.xlsx"_qs) << "first in the documents folder";
    EXPECT_EQ(readXlsx(path), readXlsx(exported)) << "the same workbook, the same writer";
    QFile::remove(exported);
    EXPECT_EQ(entries(folder.path()), QStringList{QFileInfo(path).fileName()}) << "no temporary file left";

    const auto starts = soffice.waitForStarts(1);
    ASSERT_EQ(starts.size(), 1u);
    const auto opened = starts.begin();
    EXPECT_EQ(opened->args, (QStringList{u"--calc"_qs, path})) << "the user's own file, not an untitled copy";
    const mode_t mask = umask(0);
    umask(mask);
    EXPECT_EQ(opened->mode, QString::number(0666 & ~mask, 8)) << "a new file's usual permissions, not owner-only";

    // The next dialog starts in the folder chosen last, with the kind's own name;
    // the file chosen there already exists, which the dialog's question confirmed.
    EXPECT_EQ(save(2, path), QStringLiteral("仕様書を %1 に保存しました。").arg(path));
    EXPECT_EQ(proposed, folder.filePath(u"ストアドプロシージャ仕様書.xlsx"_qs));
    EXPECT_EQ(readXlsx(path)[u"data"_qs][u"目次"_qs][u"cells"_qs][u"B1"_qs][u"v"_qs].toString(), u"コメント"_qs);
    EXPECT_EQ(entries(folder.path()).size(), 1);
}

TEST_F(DocumentSaveTest, ACancelOrAFailureLeavesNoFileAndStartsNothing)
{
    window.ShowStatus(u"前の表示"_qs);
    EXPECT_EQ(save(1, QString()), u"前の表示"_qs) << "a cancel does nothing";
    EXPECT_EQ(dialogs, 1);

    // A folder that cannot be written: here a file stands where the folder should be.
    QFile blocker(folder.filePath(u"blocker"_qs));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    const QString path = blocker.fileName() + u"/ビュー仕様書.xlsx"_qs;
    const QString status = save(1, path);
    EXPECT_TRUE(status.contains(u"ファイルを作成できません: "_qs + path)) << status.toStdString();
    EXPECT_EQ(entries(folder.path()), QStringList{u"blocker"_qs});

    // Without a logon no file is asked for.
    gstrSvr.clear();
    EXPECT_EQ(save(1, folder.filePath(u"v.xlsx"_qs)), u"データベースに接続されていません。"_qs);
    EXPECT_EQ(dialogs, 2);
    EXPECT_EQ(entries(folder.path()), QStringList{u"blocker"_qs});
    EXPECT_TRUE(soffice.waitForStarts(1, 1500).empty());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

}  // namespace
