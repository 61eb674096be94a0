#include "ExcelBook.h"

#include "RuntimeError.h"
#include "WorkbookTestSupport.h"

#include <gtest/gtest.h>

#include <QJsonArray>

namespace {

QStringList names(const XlWorkbook& book)
{
    QStringList out;
    for (const auto& sheet : book->worksheets())
        out << sheet->name();
    return out;
}

}  // namespace

TEST(ExcelBookTest, OpenExcelBookGivesAHiddenBookWithAFreshLastSheet)
{
    SofficeStandIn standIn;
    XlApplication app;
    XlWorkbook book;
    XlWorksheet sheet;
    OpenExcelBook(app, book, sheet);
    ASSERT_TRUE(app && book && sheet);
    EXPECT_FALSE(app->visible());
    EXPECT_FALSE(app->displayAlerts());
    auto sheets = book->worksheets();
    EXPECT_GE(sheets.count(), 2);
    EXPECT_EQ(sheets.item(sheets.count()), sheet);
    EXPECT_EQ(book->activeSheet(), sheet);
}

TEST(ExcelBookTest, ShowExcelBookRemovesOnlyTheDefaultNamesAndHandsTheBookOver)
{
    SofficeStandIn standIn;
    XlApplication app = platform::xl::Application::create();
    app->setSheetsInNewWorkbook(3);
    XlWorkbook book = app->workbooks().add();
    auto sheets = book->worksheets();
    XlWorksheet sheet = sheets.add(sheets.item(3));
    sheet->setName("目次");
    sheets.item(2)->setName("sheet2x");
    DeleteSheet("sheet3", book);  // exact names only
    EXPECT_EQ(names(book), (QStringList{"Sheet1", "sheet2x", "Sheet3", "目次"}));

    ShowExcelBook(app, book, sheet);
    EXPECT_FALSE(app);
    EXPECT_FALSE(book);
    EXPECT_FALSE(sheet);
    const auto starts = standIn.waitForStarts(1);
    ASSERT_EQ(starts.size(), 1u);
    const QJsonObject file = readOds(starts[0].copy);
    EXPECT_EQ(file["sheets"].toArray(), (QJsonArray{"sheet2x", "目次"}));

    // Empty handles, as after a run whose application never started.
    EXPECT_NO_THROW(ShowExcelBook(app, book, sheet));
    EXPECT_EQ(standIn.waitForStarts(2, 500).size(), 1u);
}

TEST(ExcelBookTest, ShowExcelBookKeepsObjectSheetsNamedLikeDefaultSheets)
{
    SofficeStandIn standIn;
    XlApplication app;
    XlWorkbook book;
    XlWorksheet index;
    OpenExcelBook(app, book, index);
    index->setName("目次");
    auto sheets = book->worksheets();
    for (const char* table : {"Sheet2", "Sheet3"})
        sheets.add(sheets.item(sheets.count()))->setName(table);

    ShowExcelBook(app, book, index);
    const auto starts = standIn.waitForStarts(1);
    ASSERT_EQ(starts.size(), 1u);
    EXPECT_EQ(readOds(starts[0].copy)["sheets"].toArray(), (QJsonArray{"目次", "Sheet2", "Sheet3"}));
}

TEST(ExcelBookTest, ShowExcelBookReleasesTheHandlesAlsoWhenTheHandOverFails)
{
    SofficeStandIn standIn;
    XlApplication app;
    XlWorkbook book;
    XlWorksheet sheet;
    OpenExcelBook(app, book, sheet);
    // No documents folder can be made below a plain file.
    QTemporaryDir dir;
    QFile blocker(dir.filePath("file"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    qputenv("HOME", QFile::encodeName(blocker.fileName()));

    EXPECT_THROW(ShowExcelBook(app, book, sheet), platform::RuntimeError);
    EXPECT_FALSE(app || book || sheet);
    EXPECT_TRUE(standIn.waitForStarts(1, 500).empty());
}
