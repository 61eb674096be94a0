#include "WorkbookSave.h"

#include "RuntimeError.h"
#include "Workbook.h"
#include "WorkbookTestSupport.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

using namespace platform::xl;

// A file that appeared after the user was asked is kept: the write fails at
// its last step and leaves neither its own file nor the temporary one.
TEST(WorkbookSaveTest, AnExistingFileIsReplacedOnlyWhenAgreedTo)
{
    Workbook book(1);
    book.worksheets().item(1)->cells(1, 1).setValue(u"新");
    QTemporaryDir folder;
    const QString path = folder.filePath(u"仕様書.xlsx"_qs);
    QFile existing(path);
    ASSERT_TRUE(existing.open(QIODevice::WriteOnly));
    existing.write("old");
    existing.close();

    EXPECT_THROW(saveWorkbook(book, path, false), platform::RuntimeError);
    EXPECT_EQ(QFileInfo(path).size(), 3);
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden), QStringList{u"仕様書.xlsx"_qs});

    saveWorkbook(book, path, true);
    EXPECT_EQ(readXlsx(path)[u"data"_qs][u"Sheet1"_qs][u"cells"_qs][u"A1"_qs][u"v"_qs].toString(), u"新"_qs);
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden), QStringList{u"仕様書.xlsx"_qs});
}
